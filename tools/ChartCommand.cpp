#include "ChartCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "chart/ChartBuilders.h"
#include "data/DataManager.h"
#include "platform/AtomicFileWriter.h"
#include "setup/LoadoutComparison.h"
#include "setup/ResultJson.h"

namespace {

// The summary of a kind's subcommand in the help.
const char* Summary(eCHART_KIND eKind) {
  switch (eKind) {
    case eCHART_KIND::Loadouts:
      return "Loadouts by region: a group of bars per region and the total, the best marked";
    case eCHART_KIND::Sharpness:
      return "Each loadout's damage at each of the six sharpness levels, its own level marked";
    case eCHART_KIND::Gains:
      return "What each modifier and sharpness level would add to one calculation, largest first";
    case eCHART_KIND::Motions:
      return "Per region, what each motion of one calculation adds to its damage";
    case eCHART_KIND::Target: return "The monster's regions with their hitzone values";
  }
  return "";
}

}  // namespace

void CChartCommand::Setup(CLI::App& command) {
  // A word that is no kind lands here, to be refused with the kinds.
  command.add_option("KIND", m_strKind, "The chart: one of the commands below");
  for (const eCHART_KIND eKind : kChartKinds) AddKind(command, eKind, Summary(eKind));
}

void CChartCommand::AddKind(CLI::App& command, eCHART_KIND eKind, const char* pszSummary) {
  auto pKind = std::make_unique<Kind_t>();
  pKind->eKind = eKind;
  CLI::App& app = *command.add_subcommand(ChartKindName(eKind), pszSummary);
  pKind->pApp = &app;
  if (ChartTakesLoadouts(eKind)) {
    pKind->loadouts.Setup(app);
  } else {
    pKind->options.AddCategoryOption(app);
    pKind->options.AddWeaponOption(app);
    pKind->options.AddSelectionOptions(app, "Sharpness 0 to 5 (default: the weapon's own)");
  }
  if (ChartTakesRegion(eKind)) {
    pKind->pRegion = app.add_option("--region", m_strRegion,
                                    "Chart the damage of the region of this name (UTF-8) "
                                    "instead of the total");
  }
  app.add_flag("--json", m_bJson, "Print the chart's series as one JSON object (UTF-8)");
  app.add_option("--output", m_strOutput, "Write to this file instead of stdout");
  app.add_option("--width", m_style.nWidth, "Width of the drawing in pixels (default 640)")
      ->check(CLI::Range(kChartMinWidth, kChartMaxWidth));
  app.add_option("--font-size", m_style.nFontSize, "Font size in pixels (default 14)")
      ->check(CLI::Range(kChartMinFontSize, kChartMaxFontSize));
  app.add_flag("--dark", m_style.bDark, "Light text and axes on a dark background");
  m_arrKind.push_back(std::move(pKind));
}

int CChartCommand::Run(const ToolContext_t& context) {
  for (const std::unique_ptr<Kind_t>& pKind : m_arrKind) {
    if (!pKind->pApp->parsed()) continue;
    CCalculator calculator(context.store);
    ChartRequest_t request;
    request.eKind = pKind->eKind;
    const std::optional<int> nExit = ChartTakesLoadouts(pKind->eKind)
                                         ? AskLoadouts(context, *pKind, calculator, request)
                                         : AskCalculation(context, *pKind, calculator, request);
    if (nExit) return *nExit;
    const Chart_t chart = MakeChart(context.store, calculator, request);
    const int nPrinted = Print(context, chart);
    // As compare does, a loadout without numbers fails the command after it
    // printed the rest.
    return nPrinted == kExitOk && !chart.arrUnusable.empty() && ChartTakesLoadouts(pKind->eKind)
               ? kExitFailure
               : nPrinted;
  }
  std::string strKinds;
  for (const eCHART_KIND eKind : kChartKinds) {
    strKinds += (strKinds.empty() ? "" : ", ") + std::string(ChartKindName(eKind));
  }
  return context.output.UsageError(
      "KIND: " + (m_strKind.empty() ? "missing" : m_strKind + " is not a chart") +
      "; the kinds are " + strKinds);
}

std::optional<int> CChartCommand::AskLoadouts(const ToolContext_t& context, Kind_t& kind,
                                              CCalculator& calculator, ChartRequest_t& request) {
  CLoadoutOptions::Prepared_t prepared;
  const std::string strCommand = std::string("chart ") + ChartKindName(kind.eKind);
  if (const auto nExit = kind.loadouts.Prepare(context, strCommand, 1, calculator, prepared)) {
    return nExit;
  }
  m_comparison = CompareLoadouts(context.store, prepared.target, prepared.arrLoadout);
  CLoadoutOptions::Warn(context.output, *m_comparison);
  if (kind.pRegion && *kind.pRegion) {
    const std::string strUsage = FindRegionOption(m_strRegion, m_comparison->strMonster,
                                                  m_comparison->arrRegion, request.nRegion);
    if (!strUsage.empty()) return context.output.UsageError(strUsage);
  }
  request.arrLoadout = std::move(prepared.arrLoadout);
  request.target = prepared.target;
  request.pComparison = &*m_comparison;
  return std::nullopt;
}

std::optional<int> CChartCommand::AskCalculation(const ToolContext_t& context, Kind_t& kind,
                                                 CCalculator& calculator, ChartRequest_t& request) {
  const std::string strUsage = kind.options.ApplyAll(context.store, calculator);
  if (!strUsage.empty()) return kind.options.Refuse(context.output, strUsage);
  kind.options.PrintWarnings(context.output);
  // Gains, the one kind of a calculation that takes a region, refuse a
  // calculation without a target, whose regions there are none to name.
  if (!kind.pRegion) return std::nullopt;
  if (const auto strMissing = CCalculationOptions::MissingTarget(calculator)) {
    context.output.Error("no chart: there is no " + *strMissing + " to select");
    return kExitFailure;
  }
  if (*kind.pRegion) {
    std::vector<std::string> arrRegion;
    for (const ResultRow_t& row : calculator.GetResultRows()) arrRegion.push_back(row.arrCell[0]);
    const std::string strRegionUsage = FindRegionOption(
        m_strRegion, calculator.GetSelectedMonster()->GetName(), arrRegion, request.nRegion);
    if (!strRegionUsage.empty()) return context.output.UsageError(strRegionUsage);
  }
  return std::nullopt;
}

int CChartCommand::Print(const ToolContext_t& context, const Chart_t& chart) const {
  const std::string strText =
      m_bJson ? ResultJsonText(ChartDocument(chart)) : ChartSvg(chart, m_style);
  if (m_strOutput.empty()) {
    context.output.WriteUtf8(strText);
    return kExitOk;
  }
  velkar::CAtomicFileWriter writer(m_strOutput);
  if (!writer.Open() || !writer.Commit(std::vector<uint8_t>(strText.begin(), strText.end()))) {
    context.output.Error("cannot write " + m_strOutput + ": " + writer.Error());
    return kExitFailure;
  }
  return kExitOk;
}
