#include "calc/HitTable.h"

#include <algorithm>

#include "VelkarTexts.h"
#include "calc/HitBreakdownText.h"
#include "calc/TextFormat.h"
#include "model/Action.h"

namespace {

constexpr int kTableDecimals = 2;
constexpr int kSummaryDecimals = 1;

std::string MotionName(const HitTrace_t& hit) {
  return hit.pAction != nullptr ? hit.pAction->GetName() : std::string();
}

// The hits of one chosen motion: what they add and their sum before
// truncation.
struct MotionSum_t {
  const HitTrace_t* pFirst = nullptr;
  int nHits = 0;
  int64_t nAdds = 0;
  double dTotal = 0.0;
};

// The row's hits grouped by chosen motion, in attack order (a row's hits
// come motion by motion).
std::vector<MotionSum_t> SumByMotion(const std::vector<HitTrace_t>& arrHit) {
  std::vector<MotionSum_t> arrSum;
  for (const HitTrace_t& hit : arrHit) {
    if (arrSum.empty() || arrSum.back().pFirst->nAction != hit.nAction) {
      arrSum.push_back({.pFirst = &hit});
    }
    MotionSum_t& sum = arrSum.back();
    ++sum.nHits;
    sum.nAdds += hit.nTruncated;
    sum.dTotal += hit.dAngryTotal;
  }
  return arrSum;
}

}  // namespace

HitTable_t BuildHitTable(const CalcExplanation_t& row) {
  HitTable_t table;
  table.strHeading =
      FormatText(txt::kBreakdownHeading, {row.strWeapon, row.strMonster, row.strLevel});
  if (!row.arrRegion.empty())
    table.strRegion = BuildRegionLine(row.arrRegion.front(), BREAKDOWN_JAPANESE);
  table.strFactors = BuildFactorText(row.trace.factors, BREAKDOWN_JAPANESE, FACTOR_DIGITS_SHORT);
  table.arrHeader = {std::string(txt::kHitTableMotion),      std::string(txt::kHitTableHit),
                     std::string(txt::kHitTableMotionValue), std::string(txt::kHitTableRaw),
                     std::string(txt::kHitTablePhysical),    std::string(txt::kHitTableElement),
                     std::string(txt::kHitTableTotal),       std::string(txt::kHitTableAdds),
                     std::string(txt::kHitTableRunning)};
  for (const HitTrace_t& hit : row.trace.arrHit) {
    if (hit.nRegion != 0) continue;
    table.arrRow.push_back(
        {FormatText(txt::kHitTableMotionCell, {hit.nAction + 1, MotionName(hit)}),
         FormatText("%d", {hit.nHit + 1}), FormatText("%d", {hit.wMotionValue}),
         FormatFixed(hit.dRaw, kTableDecimals), FormatFixed(hit.dPhysical, kTableDecimals),
         FormatFixed(hit.dElement, kTableDecimals), FormatFixed(hit.dAngryTotal, kTableDecimals),
         FormatText("%d", {hit.nTruncated}), FormatText("%d", {hit.nRunning})});
  }
  return table;
}

std::string HitTableText(const HitTable_t& table) {
  std::string strText = table.strHeading + table.strRegion + table.strFactors + "\n";
  const auto AppendCells = [&strText](const HitTableCells_t& arrCell) {
    for (size_t i = 0; i < arrCell.size(); ++i) {
      if (i > 0) strText += '\t';
      strText += arrCell[i];
    }
    strText += '\n';
  };
  AppendCells(table.arrHeader);
  for (const HitTableCells_t& arrCell : table.arrRow) AppendCells(arrCell);
  return strText;
}

std::string BuildRowSummary(const CalcExplanation_t& row, size_t nMaxMotionLines) {
  std::string strText;
  if (!row.arrRegion.empty()) strText = BuildRegionLine(row.arrRegion.front(), BREAKDOWN_JAPANESE);
  std::vector<HitTrace_t> arrHit;
  std::copy_if(row.trace.arrHit.begin(), row.trace.arrHit.end(), std::back_inserter(arrHit),
               [](const HitTrace_t& hit) { return hit.nRegion == 0; });
  const std::vector<MotionSum_t> arrSum = SumByMotion(arrHit);
  // Room for all of them, or for all but the last allowed line, which then
  // counts the rest.
  const size_t nShown = arrSum.size() <= nMaxMotionLines
                            ? arrSum.size()
                            : (nMaxMotionLines > 0 ? nMaxMotionLines - 1 : 0);
  for (size_t i = 0; i < nShown; ++i) {
    const MotionSum_t& sum = arrSum[i];
    AppendFormatText(strText, txt::kRowSummaryMotion,
                     {sum.pFirst->nAction + 1, MotionName(*sum.pFirst), sum.nHits, sum.nAdds,
                      FormatFixed(sum.dTotal, kSummaryDecimals)});
  }
  if (nShown < arrSum.size()) {
    AppendFormatText(strText, txt::kRowSummaryMore, {static_cast<int64_t>(arrSum.size() - nShown)});
  }
  strText += txt::kRowSummaryHint;
  return strText;
}
