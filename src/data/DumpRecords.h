// Helpers shared by the weapon and monster dumps: record equality, the
// checked writing of one entry, and the first difference between two record
// lists, for the messages of velkar-tool dump.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/IniSourceWriter.h"
#include "data/MonsterFileRecords.h"
#include "data/WeaponFileRecords.h"

inline bool Same(const MotionRecord_t& a, const MotionRecord_t& b) {
  return a.strName == b.strName && a.byCutRate == b.byCutRate && a.byImpactRate == b.byImpactRate &&
         a.arrValue == b.arrValue;
}

inline bool Same(const HitPatternRecord_t& a, const HitPatternRecord_t& b) {
  return a.strName == b.strName && a.nLowRate == b.nLowRate && a.nHighRate == b.nHighRate;
}

inline bool Same(const WeaponRecord_t& a, const WeaponRecord_t& b) {
  return a.strName == b.strName && a.nAttack == b.nAttack && a.nElement == b.nElement &&
         a.nElementMask == b.nElementMask && a.nSharpness == b.nSharpness;
}

inline bool Same(const RegionRecord_t& a, const RegionRecord_t& b) {
  return a.strName == b.strName && a.nValue == b.nValue;
}

inline bool Same(const MonsterRecord_t& a, const MonsterRecord_t& b) {
  if (a.strName != b.strName || a.nAnger != b.nAnger || a.arrRegion.size() != b.arrRegion.size()) {
    return false;
  }
  for (size_t i = 0; i < a.arrRegion.size(); ++i) {
    if (!Same(a.arrRegion[i], b.arrRegion[i])) return false;
  }
  return true;
}

inline bool Same(const LevelRecord_t& a, const LevelRecord_t& b) {
  return a.strName == b.strName && a.byRate == b.byRate;
}

// Writes one "name,..." entry and checks it: the value as the INI reader gives
// it back, parsed as the converter parses it, must give the record again.
// Otherwise a warning names the entry and the first known cause (strCause is
// what the caller already knows to be lost).
template <typename Record, typename Parse>
void WriteCheckedEntry(CIniSourceWriter& writer, std::string_view section,
                       const std::string& strKey, const Record& record, const std::string& strValue,
                       Parse parse, std::string strCause = {}) {
  writer.Entry(strKey, strValue);
  const std::optional<std::string> readBack = writer.ReadBack(strValue);
  if (readBack) {
    const auto parsed = parse(*readBack);
    if (parsed.entry && Same(*parsed.entry, record)) return;
  }
  std::string strReason = writer.NameProblem(record.strName);
  if (strReason.empty()) strReason = std::move(strCause);
  if (strReason.empty()) strReason = writer.ValueProblem(strValue);
  if (strReason.empty()) strReason = "the converter reads this entry back differently";
  writer.Warn("[" + std::string(section) + "] " + strKey + " " + record.strName + ": " + strReason);
}

// The first entry of a list that does not come back as it is, or the empty
// text. nFirstKey is the number of the list's first entry.
template <typename Record>
std::string FirstDifference(std::string_view section, int nFirstKey,
                            const std::vector<Record>& arrExpected,
                            const std::vector<Record>& arrActual) {
  const std::string strSection = "[" + std::string(section) + "] ";
  for (size_t i = 0; i < arrExpected.size() && i < arrActual.size(); ++i) {
    if (Same(arrExpected[i], arrActual[i])) continue;
    const std::string& strName = arrExpected[i].strName;
    const std::string& strBack = arrActual[i].strName;
    std::string strDifference = strSection;
    strDifference += std::to_string(static_cast<size_t>(nFirstKey) + i);
    strDifference += " " + strName;
    if (strName == strBack) return strDifference + " comes back with other values";
    strDifference += " comes back as ";
    return strDifference + strBack;
  }
  if (arrExpected.size() != arrActual.size()) {
    return strSection + "holds " + std::to_string(arrExpected.size()) + " entries, but " +
           std::to_string(arrActual.size()) + " come back";
  }
  return {};
}
