#include "ReportCommand.h"

#include <CLI/CLI.hpp>

#include <optional>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "calc/HitBreakdownText.h"
#include "calc/ReportText.h"
#include "setup/ResultJson.h"

void CReportCommand::Setup(CLI::App& command) {
  m_options.AddCategoryOption(command);
  m_options.AddWeaponOption(command);
  m_options.AddSelectionOptions(command, "Sharpness 0 to 5 (default: the weapon's own)");
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
  command.add_flag("--explain", m_bExplain,
                   "After the report, every hit on every region with each step of its "
                   "damage (with --json: the \"factors\" and \"explain\" members)");
}

int CReportCommand::Run(const ToolContext_t& context) {
  CCalculator calculator(context.store);
  const std::string strUsage = m_options.ApplyAll(context.store, calculator);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);
  m_options.PrintWarnings(context.output);

  const std::optional<std::string> strReport = BuildReportFromCalculator(calculator);
  const std::optional<CalcExplanation_t> explanation = calculator.Explain();
  if (!strReport || !explanation) {
    const std::string strMissing =
        CCalculationOptions::MissingTarget(calculator).value_or("calculation");
    context.output.Error("no report: there is no " + strMissing + " to select");
    return kExitFailure;
  }
  if (m_bJson) {
    nlohmann::ordered_json document = ReportDocument(calculator, m_bExplain).value();
    if (m_options.GetBuild()) document["warnings"] = MissesJson(m_options.GetMisses());
    context.output.WriteUtf8(ResultJsonText(document));
  } else {
    context.output.Write(*strReport);
    if (m_bExplain) context.output.Write("\n" + BuildHitBreakdownText(*explanation));
  }
  return kExitOk;
}
