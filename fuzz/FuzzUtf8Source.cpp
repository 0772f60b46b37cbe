// Fuzzes UTF-8 sources and the source checker. For each input:
// - the input after a UTF-8 byte-order mark is converted as a weapon and as a
//   monster source: the conversions must succeed and give files that load
//   without damage; the checker must find something whenever the converter
//   skipped an entry;
// - when the input is Shift-JIS text that survives the trip to UTF-8 and
//   back, the UTF-8 twin (mark, then the text in UTF-8) must convert to the
//   same data files, byte for byte, as the input itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "data/DataManager.h"
#include "data/SourceLinter.h"
#include "platform/Cp932.h"

using fuzz::ReadFile;
using fuzz::Require;
using fuzz::ScratchFolder;
using fuzz::WriteFile;

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

struct Converted_t {
  std::string strWeapons;  // the data files' bytes
  std::string strMonsters;
  bool bWeaponSkips = false;
  bool bMonsterSkips = false;
};

// Converts the source as both kinds and checks that the files load whole.
Converted_t Convert(std::string_view source) {
  CDataManager store(ScratchFolder());
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
