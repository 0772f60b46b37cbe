// Speed of the data files: converting the bench's sources against reading
// them as `cat` does, converting a large weapon source, loading its data file,
// and converting with the parsed-once INI reader against a reader that scans
// the source file again for every value it is asked for.
//
// The figure to watch first: BM_ConvertSources/write:0 at most 10 times
// BM_CatSources, the `cat` program reading the same files (real time, as the
// program runs in a process of its own). BM_ReadSourcesAsCat is cat's own
// read loop without starting a process, the floor that no conversion nears.
// All take the same three generated sources, about 1.6 MB: the large weapon
// source, the comparison weapon source and a large monster source. write:0 is the converter's work
// on each file (read it whole, parse it, read every entry, build the data file's bytes); write:1
// converts the same files through the data store, which also replaces each data file durably (a
// temporary file, fsync, rename): that disk wait is outside the ratio, and write:1 shows what it
// adds.
//
// Further figures: BM_ConvertLargeWeaponSource under 100 ms; the
// bytes_per_second of BM_LoadLargeWeaponData at 100 MB/s or more; and
// BM_ConvertNaively at least 50 times slower than BM_ConvertParsedOnce. The
// comparison runs with write:0 (reading the source and building the bytes)
// and write:1 (the same plus the durable replacement of the data file, whose
// fsync calls cost the same for both readers).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "data/DataManager.h"
#include "data/MonsterDataFile.h"
#include "data/WeaponDataFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/BinaryFile.h"
#include "platform/IniFile.h"

namespace {

constexpr int kLargeWeapons = 20000;
constexpr int kLargeMotions = 5000;
constexpr int kCompareEntries = 2000;  // per section
constexpr int kLargeMonsters = 1300;
constexpr int kRegionsPerMonster = 12;

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

// A generated monster source: every monster with its own section of regions,
// and a short level list; plain ASCII.
std::string MakeMonsterSource(int nMonsters, int nRegions) {
  std::string strText = "[Monster]\r\n";
  for (int n = 0; n < nMonsters; ++n) {
    strText += std::to_string(n) + "=Monster" + std::to_string(n) + "\r\n";
  }
  for (int n = 0; n < nMonsters; ++n) {
    strText +=
        "[Monster" + std::to_string(n) + "]\r\nAnger=" + std::to_string(n % 30) + ",90,110\r\n";
    for (int nRegion = 0; nRegion < nRegions; ++nRegion) {
      strText += std::to_string(nRegion) + "=Region " + std::to_string(nRegion) + "," +
                 std::to_string((n + nRegion) % 90) + ",30,45,10,15,20,25," +
                 std::to_string(nRegion % 7) + "\r\n";
    }
  }
  strText += "[Level]\r\n1=Low,80\r\n2=High,120\r\n";
  return strText;
}

// A folder of generated sources for the whole run: Sword.ini holds the large
// weapon source, Lance.ini the comparison source and Monster.ini the large
// monster source.
class CBenchData {
public:
  CBenchData() {
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "velkar-data-bench-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr) Fail("cannot create a temporary folder");
    m_strDir = strTemplate + "/";
    Write("Sword.ini", MakeWeaponSource(kLargeMotions, 20, kLargeWeapons));
    Write("Lance.ini", MakeWeaponSource(kCompareEntries, kCompareEntries, kCompareEntries));
    Write("Monster.ini", MakeMonsterSource(kLargeMonsters, kRegionsPerMonster));
  }
  ~CBenchData() {
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

// The sources that BM_ReadSourcesAsCat and BM_ConvertSources take.
struct BenchSource_t {
  int nCategory;  // CATEGORY_COUNT for the monster source
};
constexpr std::array<BenchSource_t, 3> kBenchSources{
    {{CATEGORY_SWORD}, {CATEGORY_LANCE}, {CATEGORY_COUNT}}};

std::string SourcePath(const CDataManager& store, const BenchSource_t& source) {
  return source.nCategory == CATEGORY_COUNT ? store.GetMonsterSourcePath()
                                            : store.GetWeaponSourcePath(source.nCategory);
}

// ---- benchmarks --------------------------------------------------------------

void BM_ConvertLargeWeaponSource(benchmark::State& state) {
  CDataManager store(Data().Dir());
  for (auto _ : state) {
    if (!store.ConvertWeaponIni(CATEGORY_SWORD)) Fail(store.GetLastConvertReport().strError);
  }
  state.counters["weapons"] = store.GetLastConvertReport().nCount[2];
  state.counters["motions"] = store.GetLastConvertReport().nCount[0];
}
// What `cat` does with each source: open it, read it through one 128 KiB
// buffer, close it.
void BM_ReadSourcesAsCat(benchmark::State& state) {
  const CDataManager store(Data().Dir());
  std::vector<char> arrBuffer(size_t{128} * 1024);
  int64_t nBytes = 0;
  for (auto _ : state) {
    nBytes = 0;
    for (const BenchSource_t& source : kBenchSources) {
      const int fd = ::open(SourcePath(store, source).c_str(), O_RDONLY);
      if (fd < 0) Fail("cannot open " + SourcePath(store, source));
      for (ssize_t nRead = 0; (nRead = ::read(fd, arrBuffer.data(), arrBuffer.size())) > 0;) {
        nBytes += nRead;
      }
      ::close(fd);
    }
    benchmark::DoNotOptimize(arrBuffer.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * nBytes);
  state.counters["source_bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_ReadSourcesAsCat)->Unit(benchmark::kMillisecond);

// The `cat` program itself reading the sources to /dev/null: the read above
// plus starting a process, as a player's shell would time it.
void BM_CatSources(benchmark::State& state) {
  const CDataManager store(Data().Dir());
  std::vector<std::string> arrArg{"cat"};
  for (const BenchSource_t& source : kBenchSources) arrArg.push_back(SourcePath(store, source));
  std::vector<char*> arrArgv;
  for (std::string& strArg : arrArg) arrArgv.push_back(strArg.data());
  arrArgv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    int nStatus = 0;
    if (posix_spawnp(&pid, "cat", &actions, nullptr, arrArgv.data(), environ) != 0 ||
        waitpid(pid, &nStatus, 0) != pid || !WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
      Fail("cat did not read the sources");
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CatSources)->Unit(benchmark::kMillisecond)->UseRealTime();

// A source read and parsed as the converter does (the parsed file keeps the
// bytes read).
CIniFile ReadAndParse(const std::string& strSource) {
  std::vector<uint8_t> arrSource;
  velkar::ReadFailure_t failure;
  if (velkar::ReadWholeFile(strSource, arrSource, failure) != velkar::eREAD_RESULT::Ok) {
    Fail("cannot read " + strSource + ": " + failure.strDetail);
  }
  return CIniFile::ParseForLookups(std::move(arrSource));
}

// The converter's work on one source, up to the bytes of its data file: the
// steps of the store's conversion, without the durable replacement.
std::vector<uint8_t> ConvertInMemory(const std::string& strSource, bool bMonster) {
  const CIniFile ini = ReadAndParse(strSource);
  const SourceLookup lookup = LookupIn(ini);
  std::vector<SkippedEntry_t> arrSkipped;
  return bMonster ? CMonsterDataFile::Encode(CMonsterDataFile::ReadSource(lookup, arrSkipped))
                  : CWeaponDataFile::Encode(CWeaponDataFile::ReadSource(lookup, arrSkipped));
}

// The same sources converted: write:0 in memory, write:1 through the store.
void BM_ConvertSources(benchmark::State& state) {
  CDataManager store(Data().Dir());
  const bool bWrite = state.range(0) != 0;
  for (auto _ : state) {
    for (const BenchSource_t& source : kBenchSources) {
      const bool bMonster = source.nCategory == CATEGORY_COUNT;
      if (!bWrite) {
        benchmark::DoNotOptimize(ConvertInMemory(SourcePath(store, source), bMonster).data());
      } else if (!(bMonster ? store.ConvertMonsterIni()
                            : store.ConvertWeaponIni(source.nCategory))) {
        Fail(store.GetLastConvertReport().strError);
      }
    }
  }
}
BENCHMARK(BM_ConvertSources)
    ->ArgName("write")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK(BM_ConvertLargeWeaponSource)->Unit(benchmark::kMillisecond);

void BM_LoadLargeWeaponData(benchmark::State& state) {
  CDataManager store(Data().Dir());
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
  const CDataManager store(Data().Dir());
  const std::string strSource = store.GetWeaponSourcePath(CATEGORY_LANCE);
  const std::string strTarget = store.GetWeaponDataPath(CATEGORY_LANCE);
  for (auto _ : state) {
    const CIniFile ini = ReadAndParse(strSource);
    ConvertThrough(LookupIn(ini), strTarget, state.range(0) != 0);
  }
}
BENCHMARK(BM_ConvertParsedOnce)->ArgName("write")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Every value looked up by scanning the source file again.
void BM_ConvertNaively(benchmark::State& state) {
  const CDataManager store(Data().Dir());
  const std::string strSource = store.GetWeaponSourcePath(CATEGORY_LANCE);
  const std::string strTarget = store.GetWeaponDataPath(CATEGORY_LANCE);
  const SourceLookup lookup = [&strSource](std::string_view section, std::string_view key) {
    return ScanForValue(strSource, section, key);
  };
  for (auto _ : state) ConvertThrough(lookup, strTarget, state.range(0) != 0);
}
BENCHMARK(BM_ConvertNaively)->ArgName("write")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
