#include "chart/ChartBuilders.h"

#include <algorithm>

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/LoadoutEvaluation.h"
#include "calc/TextFormat.h"
#include "data/DataManager.h"
#include "model/ModifierTable.h"
#include "setup/SetupRestore.h"

namespace {

std::string Caption(int nControlId) {
  return std::string(FindModifier(nControlId)->strCaption);
}

// A series per loadout with numbers, valued by fnValue(loadout, group); the
// loadouts without numbers go apart. Returns each loadout's series, if any.
template <class Value>
std::vector<std::optional<size_t>> AddLoadoutSeries(Chart_t& chart,
                                                    const LoadoutComparison_t& comparison,
                                                    Value fnValue) {
  std::vector<std::optional<size_t>> arrSeries;
  for (size_t i = 0; i < comparison.arrLoadout.size(); ++i) {
    const ComparedLoadout_t& loadout = comparison.arrLoadout[i];
    if (loadout.problem) {
      chart.arrUnusable.push_back(loadout.strName);
      arrSeries.emplace_back();
      continue;
    }
    ChartSeries_t series{loadout.strName, {}};
    for (size_t nGroup = 0; nGroup < chart.arrGroup.size(); ++nGroup) {
      series.arrValue.emplace_back(fnValue(i, nGroup));
    }
    arrSeries.emplace_back(chart.arrSeries.size());
    chart.arrSeries.push_back(std::move(series));
  }
  return arrSeries;
}

// Why a comparison gives nothing to draw, or none.
std::optional<std::string> EmptyComparison(const LoadoutComparison_t& comparison) {
  if (comparison.arrLoadout.empty()) return std::string(txt::kChartNoLoadouts);
  if (comparison.arrRegion.empty()) return std::string(txt::kChartNoRegions);
  const bool bNumbers =
      std::any_of(comparison.arrLoadout.begin(), comparison.arrLoadout.end(),
                  [](const ComparedLoadout_t& loadout) { return !loadout.problem; });
  if (!bNumbers) return std::string(txt::kChartNoNumbers);
  return std::nullopt;
}

// Why the calculator's rows give nothing to draw, or none.
std::optional<std::string> EmptyRows(const CCalculator& calculator) {
  if (!calculator.GetRowCalculation()) return std::string(txt::kChartNoWeapon);
  if (calculator.GetResultRows().empty()) return std::string(txt::kChartNoRegions);
  return std::nullopt;
}

std::string RegionOrTotal(const std::vector<std::string>& arrRegion,
                          std::optional<size_t> nRegion) {
  return nRegion && *nRegion < arrRegion.size() ? arrRegion[*nRegion]
                                                : std::string(txt::kChartTotal);
}

// "会心", "会心（マイナス会心 と入替）" or "会心 のチェックを外す"; "切れ味 白".
std::string GainLabel(const Gain_t& gain) {
  if (gain.eKind == eGAIN_KIND::Sharpness) {
    return FormatText(txt::kGainChoiceSharpness, {CDataManager::GetSharpnessName(gain.nSharpness)});
  }
  if (!gain.bTick) return FormatText(txt::kGainChoiceUntick, {Caption(gain.nControlId)});
  if (gain.nReplaced == 0) return Caption(gain.nControlId);
  return FormatText(txt::kChartReplaces, {Caption(gain.nControlId), Caption(gain.nReplaced)});
}

// The comparison again with every loadout's sharpness replaced by nLevel.
LoadoutComparison_t AtLevel(const LoadoutComparison_t& own,
                            const std::vector<NamedLoadout_t>& arrLoadout,
                            std::vector<ResolvedLoadout_t>& arrResolved,
                            const TargetRecords_t& onTarget, int nLevel) {
  LoadoutComparison_t atLevel;
  atLevel.arrRegion = own.arrRegion;
  std::vector<int32_t> arrDamage;
  for (size_t i = 0; i < arrLoadout.size(); ++i) {
    ResolvedLoadout_t& resolved = arrResolved[i];
    resolved.records.nSharpness = nLevel;
    arrDamage.clear();
    if (!resolved.problem) EvaluateDamage(resolved.records, onTarget, arrDamage);
    atLevel.arrLoadout.push_back(ComparedOf(arrLoadout[i], resolved, arrDamage));
  }
  return atLevel;
}

// The loadouts asked for, or the setup on show alone.
std::vector<NamedLoadout_t> ChartLoadouts(const ChartRequest_t& request,
                                          const CCalculator& calculator) {
  if (request.arrLoadout) return *request.arrLoadout;
  const Build_t build = CurrentBuild(calculator);
  return {{build.strName, LoadoutOf(build.setup)}};
}

// The target asked for, or the calculation's.
Target_t ChartTarget(const ChartRequest_t& request, const CCalculator& calculator) {
  return request.target ? *request.target : TargetOf(CaptureSetup(calculator));
}

}  // namespace

Chart_t LoadoutsChart(const LoadoutComparison_t& comparison) {
  Chart_t chart;
  chart.eKind = eCHART_KIND::Loadouts;
  chart.strTitle =
      FormatText(txt::kChartLoadoutsTitle, {comparison.strMonster, comparison.strLevel});
  chart.strAxis = std::string(txt::kChartDamageAxis);
  chart.strEmpty = EmptyComparison(comparison);
  if (chart.strEmpty) return chart;
  chart.arrGroup = comparison.arrRegion;
  chart.arrGroup.emplace_back(txt::kChartTotal);
  const std::vector<std::optional<size_t>> arrSeries = AddLoadoutSeries(
      chart, comparison,
      [&](size_t nLoadout, size_t nGroup) { return comparison.Damage(nLoadout, nGroup); });
  for (size_t nGroup = 0; nGroup < chart.arrGroup.size(); ++nGroup) {
    for (size_t i = 0; i < arrSeries.size(); ++i) {
      if (arrSeries[i] && comparison.IsBest(i, nGroup)) {
        chart.arrMark.push_back({eCHART_MARK::Best, nGroup, *arrSeries[i]});
      }
    }
  }
  chart.strDescription =
      FormatText(txt::kChartLoadoutsDescription, {static_cast<int64_t>(chart.arrSeries.size())});
  return chart;
}

Chart_t SharpnessChart(const CDataManager& store, const Target_t& target,
                       const std::vector<NamedLoadout_t>& arrLoadout,
                       std::optional<size_t> nRegion) {
  const LoadoutComparison_t own = CompareLoadouts(store, target, arrLoadout);
  Chart_t chart;
  chart.eKind = eCHART_KIND::Sharpness;
  const std::string strWhat = RegionOrTotal(own.arrRegion, nRegion);
  chart.strTitle = FormatText(txt::kChartSharpnessTitle, {strWhat});
  chart.strAxis = std::string(txt::kChartDamageAxis);
  chart.strEmpty = EmptyComparison(own);
  if (chart.strEmpty) return chart;
  const size_t nRow = nRegion && *nRegion < own.arrRegion.size() ? *nRegion : own.arrRegion.size();
  const TargetRecords_t onTarget = ResolveTarget(store, target).records;
  std::vector<ResolvedLoadout_t> arrResolved;
  arrResolved.reserve(arrLoadout.size());
  for (const NamedLoadout_t& named : arrLoadout) {
    arrResolved.push_back(ResolveLoadout(store, named.loadout));
  }
  std::vector<LoadoutComparison_t> arrAtLevel;
  for (int nLevel = SHARPNESS_MIN; nLevel <= SHARPNESS_MAX; ++nLevel) {
    chart.arrGroup.push_back(CDataManager::GetSharpnessName(nLevel));
    arrAtLevel.push_back(AtLevel(own, arrLoadout, arrResolved, onTarget, nLevel));
  }
  const std::vector<std::optional<size_t>> arrSeries = AddLoadoutSeries(
      chart, own,
      [&](size_t nLoadout, size_t nGroup) { return arrAtLevel[nGroup].Damage(nLoadout, nRow); });
  for (size_t i = 0; i < arrSeries.size(); ++i) {
    if (!arrSeries[i]) continue;
    const int nOwn = own.arrLoadout[i].nSharpness;
    chart.arrMark.push_back(
        {eCHART_MARK::Own, static_cast<size_t>(nOwn - SHARPNESS_MIN), *arrSeries[i]});
  }
  chart.strDescription = FormatText(txt::kChartSharpnessDescription,
                                    {static_cast<int64_t>(chart.arrSeries.size()), strWhat});
  return chart;
}

Chart_t GainsChart(const CCalculator& calculator, std::optional<size_t> nRegion) {
  Chart_t chart;
  chart.eKind = eCHART_KIND::Gains;
  chart.strAxis = std::string(txt::kChartChangeAxis);
  chart.strEmpty = EmptyRows(calculator);
  if (chart.strEmpty) return chart;
  const GainTable_t table = *ComputeGains(calculator, nRegion);
  const std::string strWhat = RegionOrTotal(table.arrRegion, table.nSortRegion);
  chart.strTitle = FormatText(txt::kChartGainsTitle, {table.strWeapon, strWhat});
  chart.strDescription = FormatText(txt::kChartGainsDescription, {strWhat});
  ChartSeries_t series{strWhat, {}};
  for (const Gain_t& gain : table.arrGain) {
    if (!gain.bEnabled) {
      chart.arrUnusable.push_back(GainLabel(gain));
      continue;
    }
    chart.arrGroup.push_back(GainLabel(gain));
    series.arrValue.emplace_back(table.nSortRegion ? gain.arrDamage[*table.nSortRegion]
                                                   : gain.nTotal);
  }
  chart.arrSeries.push_back(std::move(series));
  return chart;
}

Chart_t MotionsChart(const CCalculator& calculator) {
  Chart_t chart;
  chart.eKind = eCHART_KIND::Motions;
  chart.strAxis = std::string(txt::kChartDamageAxis);
  const std::optional<CalcExplanation_t> explanation = calculator.Explain();
  chart.strEmpty = EmptyRows(calculator);
  if (!chart.strEmpty && explanation->trace.arrHit.empty()) {
    chart.strEmpty = std::string(txt::kChartNoMotions);
  }
  if (chart.strEmpty) return chart;
  chart.strTitle = FormatText(txt::kChartMotionsTitle, {explanation->strWeapon});
  for (const DamageResult_t& region : explanation->arrRegion)
    chart.arrGroup.push_back(region.strName);
  // A series per position in the list (a motion chosen twice is two parts),
  // each hit adding what it added to its region's damage.
  for (const HitTrace_t& hit : explanation->trace.arrHit) {
    const auto nPosition = static_cast<size_t>(hit.nAction);
    while (chart.arrSeries.size() <= nPosition) {
      chart.arrSeries.push_back(
          {{}, std::vector<std::optional<int64_t>>(chart.arrGroup.size(), int64_t{0})});
    }
    ChartSeries_t& series = chart.arrSeries[nPosition];
    series.strName = FormatText(txt::kChartMotionName,
                                {static_cast<int64_t>(nPosition + 1), hit.pAction->GetName()});
    *series.arrValue[static_cast<size_t>(hit.nRegion)] += hit.nTruncated;
  }
  chart.strDescription =
      FormatText(txt::kChartMotionsDescription, {static_cast<int64_t>(chart.arrSeries.size())});
  return chart;
}

Chart_t TargetChart(const CCalculator& calculator) {
  Chart_t chart;
  chart.eKind = eCHART_KIND::Target;
  chart.strAxis = std::string(txt::kChartRateAxis);
  chart.strEmpty = EmptyRows(calculator);
  if (chart.strEmpty) return chart;
  const std::string strMonster = calculator.GetSelectedMonster()->GetName();
  chart.strTitle = FormatText(txt::kChartTargetTitle, {strMonster});
  ChartSeries_t physical{std::string(txt::kColumnPhysical), {}};
  ChartSeries_t element{std::string(txt::kColumnElement), {}};
  for (const ResultRow_t& row : calculator.GetResultRows()) {
    chart.arrGroup.push_back(row.arrCell[0]);
    physical.arrValue.emplace_back(row.byPhys);
    element.arrValue.emplace_back(row.byElement);
  }
  chart.arrSeries = {std::move(physical), std::move(element)};
  chart.strDescription = FormatText(txt::kChartTargetDescription,
                                    {strMonster, static_cast<int64_t>(chart.arrGroup.size())});
  return chart;
}

Chart_t MakeChart(const CDataManager& store, const CCalculator& calculator,
                  const ChartRequest_t& request) {
  switch (request.eKind) {
    case eCHART_KIND::Loadouts:
      if (request.pComparison) return LoadoutsChart(*request.pComparison);
      return LoadoutsChart(CompareLoadouts(store, ChartTarget(request, calculator),
                                           ChartLoadouts(request, calculator)));
    case eCHART_KIND::Sharpness:
      return SharpnessChart(store, ChartTarget(request, calculator),
                            ChartLoadouts(request, calculator), request.nRegion);
    case eCHART_KIND::Gains: return GainsChart(calculator, request.nRegion);
    case eCHART_KIND::Motions: return MotionsChart(calculator);
    case eCHART_KIND::Target: return TargetChart(calculator);
  }
  return {};
}

std::optional<size_t> FindRegion(const std::vector<std::string>& arrRegion,
                                 const std::string& strName) {
  const auto it = std::find(arrRegion.begin(), arrRegion.end(), strName);
  if (it == arrRegion.end()) return std::nullopt;
  return static_cast<size_t>(it - arrRegion.begin());
}
