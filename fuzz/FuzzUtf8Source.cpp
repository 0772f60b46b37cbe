// Fuzzes UTF-8 sources and the source checker. For each input:
// - the input after a UTF-8 byte-order mark is converted as a weapon and as a
//   monster source: the conversions must succeed and give files that load
//   without damage; the checker must find something whenever the converter
//   skipped an entry;
// - when the input is Shift-JIS text that survives the trip to UTF-8 and
//   back, the UTF-8 twin (mark, then the text in UTF-8) must convert to the
//   same data files, byte for byte, as the input itself.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "data/DataManager.h"
#include "data/SourceLinter.h"
#include "platform/Cp932.h"

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

void Require(bool bCondition) {
  if (!bCondition) __builtin_trap();
}

std::string MakeScratchFolder() {
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string strTemplate = (base / "velkar-fuzz-utf8-XXXXXX").string();
  Require(mkdtemp(strTemplate.data()) != nullptr);
  return strTemplate + "/";
}

void RemoveScratchFolder();

// A scratch folder for the whole run, removed at exit.
const std::string& ScratchFolder() {
  static const std::string s_strFolder = MakeScratchFolder();
  static const bool s_bRemoveAtExit = std::atexit(RemoveScratchFolder) == 0;
  (void)s_bRemoveAtExit;
  return s_strFolder;
}

void RemoveScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(ScratchFolder(), ec);
}

void WriteFile(const std::string& strPath, std::string_view bytes) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out));
}

std::string ReadFile(const std::string& strPath) {
  std::ifstream in(strPath, std::ios::binary);
  Require(static_cast<bool>(in));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Converted_t {
  std::string strWeapons;  // the data files' bytes
  std::string strMonsters;
  bool bWeaponSkips = false;
  bool bMonsterSkips = false;
};

// Converts the source as both kinds and checks that the files load whole.
Converted_t Convert(std::string_view source) {
  CDataManager& store = CDataManager::GetInstance();
  WriteFile(store.GetWeaponSourcePath(CATEGORY_SWORD), source);
  WriteFile(store.GetMonsterSourcePath(), source);
  Converted_t converted;
  Require(store.ConvertWeaponIni(CATEGORY_SWORD));
  converted.bWeaponSkips = !store.GetLastConvertReport().arrSkipped.empty();
  Require(store.ConvertMonsterIni());
  converted.bMonsterSkips = !store.GetLastConvertReport().arrSkipped.empty();
  store.LoadWeaponData(CATEGORY_SWORD);
  Require(store.LoadMonsterData());
  Require(store.GetLoadErrors().empty());
  store.Clear();
  converted.strWeapons = ReadFile(store.GetWeaponDataPath(CATEGORY_SWORD));
  converted.strMonsters = ReadFile(store.GetMonsterDataPath());
  return converted;
}

void CheckLint(std::string_view source, const Converted_t& converted) {
  const std::vector<LintFinding_t> arrWeapon = CSourceLinter::Lint(source, eSOURCE_KIND::WEAPON);
  const std::vector<LintFinding_t> arrMonster = CSourceLinter::Lint(source, eSOURCE_KIND::MONSTER);
  Require(!converted.bWeaponSkips || !arrWeapon.empty());
  Require(!converted.bMonsterSkips || !arrMonster.empty());
  for (const std::vector<LintFinding_t>* pFindings : {&arrWeapon, &arrMonster}) {
    for (const LintFinding_t& finding : *pFindings) {
      Require(finding.nLine <= source.size() + 1);
      Require(!finding.strText.empty());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  CDataManager::GetInstance().SetDataDirectory(ScratchFolder());
  const std::string_view input(reinterpret_cast<const char*>(pData), nSize);

  const std::string strMarked = std::string(kMark) + std::string(input);
  CheckLint(strMarked, Convert(strMarked));

  const std::string strUtf8 = velkar::SjisToUtf8(input);
  if (velkar::Utf8ToSjis(strUtf8) == std::string(input)) {
    const Converted_t sjis = Convert(input);
    const Converted_t twin = Convert(std::string(kMark) + strUtf8);
    Require(twin.strWeapons == sjis.strWeapons);
    Require(twin.strMonsters == sjis.strMonsters);
  }
  return 0;
}
