#include "calc/HitBreakdownText.h"

#include <charconv>
#include <system_error>

#include "calc/TextFormat.h"
#include "model/Action.h"

namespace {

// A region's line and the lines of its hits.
void AppendRegion(std::string& strText, const DamageResult_t& region,
                  const std::vector<HitTrace_t>& arrHit, int32_t nRegion) {
  strText += region.strName;
  AppendFormatText(strText, ": physical %d%%, element %d%%, damage %d (%s)\n",
                   {region.byPhys, region.byElement, region.nDamage, ResultKindName(region.nKind)});
  for (const HitTrace_t& hit : arrHit) {
    if (hit.nRegion == nRegion) strText += BuildHitLine(hit);
  }
}

}  // namespace

std::string FormatDouble17(double dValue) {
  char szText[40];
  const std::to_chars_result result =
      std::to_chars(szText, szText + sizeof szText, dValue, std::chars_format::general, 17);
  if (result.ec != std::errc()) return "?";
  return std::string(szText, result.ptr);
}

std::string FormatDouble17(const std::optional<double>& dValue) {
  return dValue ? FormatDouble17(*dValue) : std::string("none");
}

std::string ResultKindName(int32_t nKind) {
  switch (nKind) {
    case RESULT_NORMAL: return "normal";
    case RESULT_LOW: return "low";
    case RESULT_HIGH: return "high";
    default: return "kind " + std::to_string(nKind);
  }
}

std::string BuildFactorText(const DamageFactors_t& f) {
  std::string strText;
  AppendFormatText(strText, "sharpness %d: physical x%s, element x%s\n",
                   {f.nSharpness, FormatDouble17(f.dSharpPhys), FormatDouble17(f.dSharpElement)});
  AppendFormatText(strText, "hit correction %d%%: h %s\n",
                   {f.byHitRate, FormatDouble17(f.dHitFactor)});
  AppendFormatText(strText, "modifiers: bonus +%d, factor x%s; base attack B %s\n",
                   {f.byBonus, FormatDouble17(f.dFactor), FormatDouble17(f.dBase)});
  if (f.bAnger) {
    AppendFormatText(strText, "level %d%%; angry %d%%\n", {f.byLevelRate, f.byAngerRate});
  } else {
    AppendFormatText(strText, "level %d%%; not angry\n", {f.byLevelRate});
  }
  return strText;
}

std::string BuildHitLine(const HitTrace_t& hit) {
  std::string strText;
  AppendFormatText(strText, "  motion %d ", {hit.nAction + 1});
  if (hit.pAction) strText += hit.pAction->GetName();
  AppendFormatText(strText, ", hit %d: mv %d, raw r %s, rate m %d%%, physical P %s, ",
                   {hit.nHit + 1, hit.wMotionValue, FormatDouble17(hit.dRaw), hit.byMotionRate,
                    FormatDouble17(hit.dPhysical)});
  AppendFormatText(
      strText, "effective e %s (%s), element E %s, ",
      {FormatDouble17(hit.dEffective), ResultKindName(hit.nKind), FormatDouble17(hit.dElement)});
  AppendFormatText(
      strText, "total T %s, after anger %s, truncated %d, running %d\n",
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
