// Speed of the data files: converting a large weapon source, loading its data
// file, and converting with the parsed-once INI reader against a reader that
// scans the source file again for every value it is asked for.
//
// Figures to watch: BM_ConvertLargeWeaponSource under 100 ms; the
// bytes_per_second of BM_LoadLargeWeaponData at 100 MB/s or more; and
// BM_ConvertNaively at least 50 times slower than BM_ConvertParsedOnce. The
// comparison runs with write:0 (reading the source and building the bytes)
// and write:1 (the same plus the durable replacement of the data file, whose
// fsync calls cost the same for both readers).
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <benchmark/benchmark.h>

#include "data/DataManager.h"
#include "data/WeaponDataFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/BinaryFile.h"
#include "platform/IniFile.h"

namespace {

constexpr int kLargeWeapons = 20000;
constexpr int kLargeMotions = 5000;
constexpr int kCompareEntries = 2000;  // per section

[[noreturn]] void Fail(const std::string& strWhy) {
  std::fprintf(stderr, "data_bench: %s\n", strWhy.c_str());
  std::exit(1);
}

// A generated weapon source with the given numbers of entries, plain ASCII.
std::string MakeWeaponSource(int nMotions, int nHitPatterns, int nWeapons) {
  std::string strText = "[Action]\r\n";
  for (int n = 1; n <= nMotions; ++n) {
    strText += std::to_string(n) + "=Motion" + std::to_string(n) + (n % 3 == 0 ? ",A80," : ",") +
               std::to_string(n % 90) + ",25,40\r\n";
  }
  strText += "[HitPattern]\r\n";
  for (int n = 1; n <= nHitPatterns; ++n) {
    strText += std::to_string(n) + "=Pattern" + std::to_string(n) + "," +
               std::to_string(50 + n % 50) + ",100\r\n";
  }
  strText += "[Weapon]\r\n";
  for (int n = 1; n <= nWeapons; ++n) {
    strText += std::to_string(n) + "=Weapon " + std::to_string(n) + "," +
               std::to_string(100 + n % 900) + "," + std::to_string(n % 512) + "," +
               std::to_string(n % 400) + "," + std::to_string(n % 6) + ",0\r\n";
  }
  return strText;
}

// Two folders of generated sources for the whole run: Sword.ini holds the
// large source, and Lance.ini the comparison source.
class CBenchData {
public:
  CBenchData() {
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "velkar-data-bench-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr) Fail("cannot create a temporary folder");
    m_strDir = strTemplate + "/";
    Write("Sword.ini", MakeWeaponSource(kLargeMotions, 20, kLargeWeapons));
    Write("Lance.ini", MakeWeaponSource(kCompareEntries, kCompareEntries, kCompareEntries));
    CDataManager::GetInstance().SetDataDirectory(m_strDir);
  }
  ~CBenchData() {
    CDataManager::DestroyInstance();
    std::error_code ec;
    std::filesystem::remove_all(m_strDir, ec);
  }
  CBenchData(const CBenchData&) = delete;
  CBenchData& operator=(const CBenchData&) = delete;

  const std::string& Dir() const { return m_strDir; }

private:
  void Write(const std::string& strName, const std::string& strText) const {
    std::ofstream out(m_strDir + strName, std::ios::binary);
    out << strText;
    if (!out) Fail("cannot write " + strName);
  }

  std::string m_strDir;
};

const CBenchData& Data() {
  static const CBenchData s_data;
  return s_data;
}

// ---- the reader that scans the file for every lookup -----------------------------

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Opens the file and reads it from the top until the key of the section turns
// up: the cost of asking an uncached initialisation-file reader for one value.
std::string ScanForValue(const std::string& strPath, std::string_view section,
                         std::string_view key) {
  std::ifstream in(strPath, std::ios::binary);
  std::string strLine;
  bool bInSection = false;
  while (std::getline(in, strLine)) {
    const std::string_view line = Trim(strLine);
    if (!line.empty() && line.front() == '[') {
      const size_t nClose = line.rfind(']');
      bInSection =
          nClose != std::string_view::npos && SameName(Trim(line.substr(1, nClose - 1)), section);
      continue;
    }
    const size_t nEqual = line.find('=');
    if (bInSection && nEqual != std::string_view::npos &&
        SameName(Trim(line.substr(0, nEqual)), key)) {
      return std::string(Trim(line.substr(nEqual + 1)));
    }
  }
  return {};
}

// ---- benchmarks --------------------------------------------------------------

void BM_ConvertLargeWeaponSource(benchmark::State& state) {
  CDataManager& store = CDataManager::GetInstance();
  Data();
  for (auto _ : state) {
    if (!store.ConvertWeaponIni(CATEGORY_SWORD)) Fail(store.GetLastConvertReport().strError);
  }
  state.counters["weapons"] = store.GetLastConvertReport().nCount[2];
  state.counters["motions"] = store.GetLastConvertReport().nCount[0];
}
BENCHMARK(BM_ConvertLargeWeaponSource)->Unit(benchmark::kMillisecond);

void BM_LoadLargeWeaponData(benchmark::State& state) {
  CDataManager& store = CDataManager::GetInstance();
  Data();
  if (!store.ConvertWeaponIni(CATEGORY_SWORD)) Fail(store.GetLastConvertReport().strError);
  const auto nBytes = std::filesystem::file_size(store.GetWeaponDataPath(CATEGORY_SWORD));
  for (auto _ : state) {
    store.Clear();
    if (!store.LoadWeaponData(CATEGORY_SWORD)) Fail("the large data file does not load");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(nBytes));
  state.counters["file_bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_LoadLargeWeaponData)->Unit(benchmark::kMillisecond);

// One conversion of the comparison source through a lookup: read every entry,
// build the bytes, and with bWrite replace the data file as the converter does
// (the durable write costs the same for both readers).
void ConvertThrough(const SourceLookup& lookup, const std::string& strTarget, bool bWrite) {
  velkar::CAtomicFileWriter writer(strTarget);
  if (bWrite && !writer.Open()) Fail(writer.Error());
  std::vector<SkippedEntry_t> arrSkipped;
  const WeaponFileContents_t contents = CWeaponDataFile::ReadSource(lookup, arrSkipped);
  if (contents.arrWeapon.size() != kCompareEntries || !arrSkipped.empty()) {
    Fail("the reader did not find every entry");
  }
  const std::vector<uint8_t> arrByte = CWeaponDataFile::Encode(contents);
  if (bWrite && !writer.Commit(arrByte)) Fail(writer.Error());
  benchmark::DoNotOptimize(arrByte.data());
}

// The source parsed once per conversion and every value answered from the index.
void BM_ConvertParsedOnce(benchmark::State& state) {
  const CDataManager& store = CDataManager::GetInstance();
  Data();
  const std::string strSource = store.GetWeaponSourcePath(CATEGORY_LANCE);
  const std::string strTarget = store.GetWeaponDataPath(CATEGORY_LANCE);
  for (auto _ : state) {
    // Read and parsed as the converter does.
    std::vector<uint8_t> arrSource;
    velkar::ReadFailure_t failure;
    if (velkar::ReadWholeFile(strSource, arrSource, failure) != velkar::eREAD_RESULT::Ok) {
      Fail("cannot read " + strSource + ": " + failure.strDetail);
    }
    const CIniFile ini = CIniFile::Parse(
        std::string_view(reinterpret_cast<const char*>(arrSource.data()), arrSource.size()));
    const SourceLookup lookup = [&ini](std::string_view section, std::string_view key) {
      return ini.GetString(section, key);
    };
    ConvertThrough(lookup, strTarget, state.range(0) != 0);
  }
}
BENCHMARK(BM_ConvertParsedOnce)->ArgName("write")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every value looked up by scanning the source file again.
void BM_ConvertNaively(benchmark::State& state) {
  const CDataManager& store = CDataManager::GetInstance();
  Data();
  const std::string strSource = store.GetWeaponSourcePath(CATEGORY_LANCE);
  const std::string strTarget = store.GetWeaponDataPath(CATEGORY_LANCE);
  const SourceLookup lookup = [&strSource](std::string_view section, std::string_view key) {
    return ScanForValue(strSource, section, key);
  };
  for (auto _ : state) ConvertThrough(lookup, strTarget, state.range(0) != 0);
}
BENCHMARK(BM_ConvertNaively)->ArgName("write")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
