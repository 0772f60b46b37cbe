// Fuzzes the converters end to end: the input is saved as both the Sword and
// the Monster source file in a scratch folder, both are converted, and the
// data files are loaded again. Whatever the source holds, the converters must
// write files that load without damage and give exactly the records counted.
//
// When the source checker finds nothing to report in the input, the data file
// must also say exactly what the source says: printed as a source again (as
// velkar-tool dump prints it), it converts to the same bytes, and each of its
// entries gives the numbers and names written in the input.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "FuzzSupport.h"
#include "data/DataManager.h"
#include "data/IniSourceWriter.h"
#include "data/MonsterDataFile.h"
#include "data/MonsterSourceDump.h"
#include "data/SourceLinter.h"
#include "data/SourceValueParser.h"
#include "data/WeaponDataFile.h"
#include "data/WeaponSourceDump.h"
#include "platform/IniFile.h"

using fuzz::Require;
using fuzz::ScratchFolder;

namespace {

constexpr int kRateWithoutLetter = 100;

// A token that is a decimal integer as written (a minus sign and digits,
// nothing else), read independently of the converter; none for other text.
std::optional<int64_t> WrittenInteger(std::string_view token) {
  int64_t n = 0;
  const char* pEnd = token.data() + token.size();
  const auto [pStop, ec] = std::from_chars(token.data(), pEnd, n);
  if (ec != std::errc{} || pStop != pEnd) return std::nullopt;
  return n;
}

bool IsRateToken(std::string_view token) {
  return !token.empty() && (token.front() == 'A' || token.front() == 'B' || token.front() == 'C');
}

// A printed token against the source's: the same number (a rate letter and
// its number) as written, or the same text.
bool SameToken(std::string_view printed, std::string_view source) {
  if (IsRateToken(printed) && IsRateToken(source)) {
    return printed.front() == source.front() && SameToken(printed.substr(1), source.substr(1));
  }
  const std::optional<int64_t> nPrinted = WrittenInteger(printed);
  if (nPrinted) return WrittenInteger(source) == nPrinted;
  return printed == source;
}

// The tokens of a "name,numbers" entry as the converter reads them, without
// the ones that do not reach the data file: a rate letter that sets the
// default rate, and the fifth number of a weapon.
std::vector<std::string> KeptTokens(std::string_view section, std::string_view value) {
  const std::string strValue = RemoveBlanks(value);
  std::vector<std::string> arrToken;
  for (const std::string_view token : SplitTokens(strValue)) arrToken.emplace_back(token);
  if (section == "Action" && arrToken.size() > 2 && IsRateToken(arrToken[1]) &&
      WrittenInteger(arrToken[1].substr(1)) == kRateWithoutLetter) {
    arrToken.erase(arrToken.begin() + 1);
  }
  if (section == "Weapon" && arrToken.size() == 6) arrToken.pop_back();
  return arrToken;
}

// Every entry of the printed source against the entry of the input.
void RequireSameEntries(const CIniFile& printed, const CIniFile& source, bool bMonster) {
  for (const CIniFile::Section_t& section : printed.GetSections()) {
    for (const CIniFile::Entry_t& entry : section.arrEntry) {
      const CIniFile::Value_t* pPrinted = printed.Find(section.strName, entry.strKey);
      const CIniFile::Value_t* pSource = source.Find(section.strName, entry.strKey);
      Require(pPrinted != nullptr && pSource != nullptr);
      if (bMonster && section.strName == "Monster") {
        Require(pPrinted->strText == pSource->strText);  // names are taken as they are
        continue;
      }
      const std::vector<std::string> arrPrinted = KeptTokens(section.strName, pPrinted->strText);
      const std::vector<std::string> arrSource = KeptTokens(section.strName, pSource->strText);
      Require(arrPrinted.size() == arrSource.size());
      for (size_t i = 0; i < arrPrinted.size(); ++i)
        Require(SameToken(arrPrinted[i], arrSource[i]));
    }
  }
}

template <typename DataFile, typename Contents, typename WriteSource>
void RequireFaithfulData(std::string_view source, const std::string& strDataPath,
                         eSOURCE_KIND eKind, WriteSource writeSource) {
  if (!CSourceLinter::Lint(source, eKind).empty()) return;
  const std::string strData = fuzz::ReadFile(strDataPath);
  const std::vector<uint8_t> arrData(strData.begin(), strData.end());
  Contents contents;
  Require(!DataFile::Decode(arrData, contents).has_value());

  CIniSourceWriter writer(eSOURCE_ENCODING::SHIFT_JIS);
  writeSource(contents, writer);
  Require(writer.Warnings().empty());

  const CIniFile printed = CIniFile::Parse(writer.Text());
  std::vector<SkippedEntry_t> arrSkipped;
  Require(DataFile::Encode(DataFile::ReadSource(LookupIn(printed), arrSkipped, nullptr)) ==
          arrData);
  Require(arrSkipped.empty());
  RequireSameEntries(printed, CIniFile::Parse(source), eKind == eSOURCE_KIND::MONSTER);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::string_view source(reinterpret_cast<const char*>(pData), nSize);
  CDataManager store(ScratchFolder());
  fuzz::WriteFile(store.GetWeaponSourcePath(CATEGORY_SWORD), source);
  fuzz::WriteFile(store.GetMonsterSourcePath(), source);

  Require(store.ConvertWeaponIni(CATEGORY_SWORD));
  const ConvertReport_t weapons = store.GetLastConvertReport();
  Require(store.ConvertMonsterIni());
  const ConvertReport_t monsters = store.GetLastConvertReport();

  const bool bHasWeapons = store.LoadWeaponData(CATEGORY_SWORD);
  Require(store.LoadMonsterData());
  Require(store.GetLoadErrors().empty());
  Require(bHasWeapons == (weapons.nCount[2] > 0));
  Require(store.GetActionList(CATEGORY_SWORD)->size() == weapons.nCount[0]);
  Require(store.GetHitPatternList(CATEGORY_SWORD)->size() == weapons.nCount[1]);
  Require(store.GetMonsterList().size() == monsters.nCount[0]);
  Require(store.GetLevelList().size() == monsters.nCount[2]);
  store.Clear();

  RequireFaithfulData<CWeaponDataFile, WeaponFileContents_t>(
      source, store.GetWeaponDataPath(CATEGORY_SWORD), eSOURCE_KIND::WEAPON, WriteWeaponSource);
  RequireFaithfulData<CMonsterDataFile, MonsterFileContents_t>(
      source, store.GetMonsterDataPath(), eSOURCE_KIND::MONSTER, WriteMonsterSource);
  return 0;
}
