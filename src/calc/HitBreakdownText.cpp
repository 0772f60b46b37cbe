#include "calc/HitBreakdownText.h"

#include <charconv>
#include <string_view>
#include <system_error>

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "data/DataManager.h"
#include "model/Action.h"
#include "platform/StdCompat.h"

namespace {

// The formats of one language. Every language fills the same conversions in
// the same order, so that only the words can differ.
struct BreakdownFormats_t {
  std::string_view strSharpness;      // %d level (or %s its name), %s physical, %s element
  std::string_view strHitCorrection;  // %d rate, %s factor h
  std::string_view strModifiers;      // %d bonus, %s factor, %s base attack B
  std::string_view strLevelAngry;     // %d level rate, %d anger rate
  std::string_view strLevelCalm;      // %d level rate
  std::string_view strRegion;         // after the name: %d, %d hitzones, %d damage, %s kind
  std::string_view strNormal;
  std::string_view strLow;
  std::string_view strHigh;
  std::string_view strOtherKind;  // %d
};

constexpr BreakdownFormats_t kEnglish{
    .strSharpness = "sharpness %d: physical x%s, element x%s\n",
    .strHitCorrection = "hit correction %d%%: h %s\n",
    .strModifiers = "modifiers: bonus +%d, factor x%s; base attack B %s\n",
    .strLevelAngry = "level %d%%; angry %d%%\n",
    .strLevelCalm = "level %d%%; not angry\n",
    .strRegion = ": physical %d%%, element %d%%, damage %d (%s)\n",
    .strNormal = "normal",
    .strLow = "low",
    .strHigh = "high",
    .strOtherKind = "kind %d",
};

constexpr BreakdownFormats_t kJapanese{
    .strSharpness = txt::kBreakdownSharpness,
    .strHitCorrection = txt::kBreakdownHitCorrection,
    .strModifiers = txt::kBreakdownModifiers,
    .strLevelAngry = txt::kBreakdownLevelAngry,
    .strLevelCalm = txt::kBreakdownLevelCalm,
    .strRegion = txt::kBreakdownRegion,
    .strNormal = txt::kBreakdownKindNormal,
    .strLow = txt::kBreakdownKindLow,
    .strHigh = txt::kBreakdownKindHigh,
    .strOtherKind = txt::kBreakdownKindOther,
};

// A hit's line (English only: the window shows hits in HitTable's form).
constexpr std::string_view kHitHead = "  motion %d %s, hit %d: mv %d, raw r %s, rate m %d%%, ";
constexpr std::string_view kHitDamage = "physical P %s, effective e %s (%s), element E %s, ";
constexpr std::string_view kHitTotal = "total T %s, after anger %s, truncated %d, running %d\n";
constexpr std::string_view kNone = "none";  // no effective rate

const BreakdownFormats_t& FormatsOf(eBREAKDOWN_LANGUAGE eLanguage) {
  return eLanguage == BREAKDOWN_JAPANESE ? kJapanese : kEnglish;
}

// A region's line and the lines of its hits.
void AppendRegion(std::string& strText, const DamageResult_t& region,
                  const std::vector<HitTrace_t>& arrHit, int32_t nRegion) {
  strText += BuildRegionLine(region);
  for (const HitTrace_t& hit : arrHit) {
    if (hit.nRegion == nRegion) strText += BuildHitLine(hit);
  }
}

}  // namespace

// At most four decimals, without trailing zeros: 1.0625, 1.3, 205.
std::string FormatShort(double dValue) {
  std::string strText = FormatFixed(dValue, 4);
  if (strText.find('.') == std::string::npos) return strText;
  while (strText.back() == '0') strText.pop_back();
  if (strText.back() == '.') strText.pop_back();
  return strText;
}

std::string FormatDouble17(double dValue) {
  char szText[40];
  const std::to_chars_result result =
      velkar::ToChars(szText, szText + sizeof szText, dValue, std::chars_format::general, 17);
  if (result.ec != std::errc()) return "?";
  return std::string(szText, result.ptr);
}

std::string FormatDouble17(const std::optional<double>& dValue) {
  return dValue ? FormatDouble17(*dValue) : std::string(kNone);
}

std::string FormatFixed(double dValue, int nDecimals) {
  char szText[400];  // the largest double written in full, with its decimals
  const std::to_chars_result result =
      velkar::ToChars(szText, szText + sizeof szText, dValue, std::chars_format::fixed, nDecimals);
  if (result.ec != std::errc()) return "?";
  return std::string(szText, result.ptr);
}

std::string ResultKindName(int32_t nKind, eBREAKDOWN_LANGUAGE eLanguage) {
  const BreakdownFormats_t& formats = FormatsOf(eLanguage);
  switch (nKind) {
    case RESULT_NORMAL: return std::string(formats.strNormal);
    case RESULT_LOW: return std::string(formats.strLow);
    case RESULT_HIGH: return std::string(formats.strHigh);
    default: return FormatText(formats.strOtherKind, {nKind});
  }
}

std::string BuildRegionLine(const DamageResult_t& region, eBREAKDOWN_LANGUAGE eLanguage) {
  return region.strName + FormatText(FormatsOf(eLanguage).strRegion,
                                     {region.byPhys, region.byElement, region.nDamage,
                                      ResultKindName(region.nKind, eLanguage)});
}

std::string BuildFactorText(const DamageFactors_t& f, eBREAKDOWN_LANGUAGE eLanguage,
                            eFACTOR_DIGITS eDigits) {
  const BreakdownFormats_t& formats = FormatsOf(eLanguage);
  const auto Number = [eDigits](double dValue) {
    return eDigits == FACTOR_DIGITS_EXACT ? FormatDouble17(dValue) : FormatShort(dValue);
  };
  std::string strText;
  // A player knows the sharpness by its colour; the exact text by its level.
  const std::string strSharpness = eLanguage == BREAKDOWN_JAPANESE
                                       ? CDataManager::GetSharpnessName(f.nSharpness)
                                       : std::to_string(f.nSharpness);
  AppendFormatText(strText, formats.strSharpness,
                   {strSharpness, Number(f.dSharpPhys), Number(f.dSharpElement)});
  AppendFormatText(strText, formats.strHitCorrection, {f.byHitRate, Number(f.dHitFactor)});
  AppendFormatText(strText, formats.strModifiers, {f.byBonus, Number(f.dFactor), Number(f.dBase)});
  if (f.bAnger) {
    AppendFormatText(strText, formats.strLevelAngry, {f.byLevelRate, f.byAngerRate});
  } else {
    AppendFormatText(strText, formats.strLevelCalm, {f.byLevelRate});
  }
  return strText;
}

std::string BuildHitLine(const HitTrace_t& hit) {
  std::string strText;
  AppendFormatText(strText, kHitHead,
                   {hit.nAction + 1, hit.pAction ? hit.pAction->GetName() : std::string(),
                    hit.nHit + 1, hit.wMotionValue, FormatDouble17(hit.dRaw), hit.byMotionRate});
  AppendFormatText(strText, kHitDamage,
                   {FormatDouble17(hit.dPhysical), FormatDouble17(hit.dEffective),
                    ResultKindName(hit.nKind), FormatDouble17(hit.dElement)});
  AppendFormatText(
      strText, kHitTotal,
      {FormatDouble17(hit.dTotal), FormatDouble17(hit.dAngryTotal), hit.nTruncated, hit.nRunning});
  return strText;
}

std::string BuildHitBreakdownText(const CalcExplanation_t& explanation) {
  std::string strText = BuildFactorText(explanation.trace.factors);
  for (size_t i = 0; i < explanation.arrRegion.size(); ++i) {
    AppendRegion(strText, explanation.arrRegion[i], explanation.trace.arrHit,
                 static_cast<int32_t>(i));
  }
  return strText;
}
