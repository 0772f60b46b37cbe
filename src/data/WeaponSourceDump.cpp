#include "data/WeaponSourceDump.h"

#include "data/DumpRecords.h"
#include "data/SourceValueParser.h"

namespace {

constexpr int kRateWithoutLetter = 100;

// The rate letter token of a motion: none for 100 and 100, A for two equal
// rates, B or C when only one differs from 100. Only the first token may be
// a letter, so two rates that differ from each other and from 100 have no
// source; the cut rate is kept then, and strCause says so.
std::string RateToken(const MotionRecord_t& motion, std::string& strCause) {
  const int nCut = motion.byCutRate;
  const int nImpact = motion.byImpactRate;
  if (nCut == nImpact) return nCut == kRateWithoutLetter ? "" : "A" + std::to_string(nCut);
  if (nImpact == kRateWithoutLetter) return "B" + std::to_string(nCut);
  if (nCut == kRateWithoutLetter) return "C" + std::to_string(nImpact);
  strCause = "cut rate " + std::to_string(nCut) + " and impact rate " + std::to_string(nImpact) +
             " cannot both be set (one letter, A, B or C, per motion); written with B" +
             std::to_string(nCut) + ", so the impact rate becomes 100";
  return "B" + std::to_string(nCut);
}

std::string MotionValue(const MotionRecord_t& motion, std::string& strCause) {
  std::string strValue = motion.strName + ",";
  const std::string strRate = RateToken(motion, strCause);
  if (!strRate.empty()) strValue += strRate + ",";
  if (motion.arrValue.empty()) {
    // The last token is always a motion value, so every converted motion has one.
    strCause =
        "a motion without motion values has no source (the converter always writes at "
        "least one); written with one value 0";
    return strValue + "0";
  }
  for (size_t i = 0; i < motion.arrValue.size(); ++i) {
    strValue += (i == 0 ? "" : ",") + std::to_string(motion.arrValue[i]);
  }
  return strValue;
}

std::string HitPatternValue(const HitPatternRecord_t& pattern) {
  return pattern.strName + "," + std::to_string(pattern.nLowRate) + "," +
         std::to_string(pattern.nHighRate);
}

// The source gives the element mask before the element value; the fifth
// number is required but never kept.
std::string WeaponValue(const WeaponRecord_t& weapon) {
  return weapon.strName + "," + std::to_string(weapon.nAttack) + "," +
         std::to_string(weapon.nElementMask) + "," + std::to_string(weapon.nElement) + "," +
         std::to_string(weapon.nSharpness) + ",0";
}

}  // namespace

void WriteWeaponSource(const WeaponFileContents_t& contents, CIniSourceWriter& writer) {
  writer.Section("Action");
  for (size_t i = 0; i < contents.arrMotion.size(); ++i) {
    std::string strCause;
    const std::string strValue = MotionValue(contents.arrMotion[i], strCause);
    WriteCheckedEntry(writer, "Action", std::to_string(i + 1), contents.arrMotion[i], strValue,
                      ParseActionValue, strCause);
  }
  writer.Section("HitPattern");
  for (size_t i = 0; i < contents.arrHitPattern.size(); ++i) {
    WriteCheckedEntry(writer, "HitPattern", std::to_string(i + 1), contents.arrHitPattern[i],
                      HitPatternValue(contents.arrHitPattern[i]), ParseHitPatternValue);
  }
  writer.Section("Weapon");
  for (size_t i = 0; i < contents.arrWeapon.size(); ++i) {
    WriteCheckedEntry(writer, "Weapon", std::to_string(i + 1), contents.arrWeapon[i],
                      WeaponValue(contents.arrWeapon[i]), ParseWeaponValue);
  }
}

std::string FirstWeaponDifference(const WeaponFileContents_t& expected,
                                  const WeaponFileContents_t& actual) {
  std::string strDifference = FirstDifference("Action", 1, expected.arrMotion, actual.arrMotion);
  if (strDifference.empty()) {
    strDifference = FirstDifference("HitPattern", 1, expected.arrHitPattern, actual.arrHitPattern);
  }
  if (strDifference.empty()) {
    strDifference = FirstDifference("Weapon", 1, expected.arrWeapon, actual.arrWeapon);
  }
  return strDifference;
}
