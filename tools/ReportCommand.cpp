#include "ReportCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "calc/HitBreakdownText.h"
#include "calc/ReportText.h"
#include "model/Action.h"
#include "platform/Cp932.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json ColourText(const std::optional<uint32_t>& nColour) {
  if (!nColour) return nullptr;
  char szText[8];
  std::snprintf(szText, sizeof szText, "#%06x", static_cast<unsigned>(*nColour & 0xFFFFFFU));
  return szText;
}

ordered_json HitJson(const HitTrace_t& hit) {
  ordered_json effective = nullptr;
  if (hit.dEffective) effective = *hit.dEffective;
  return {{"motion", velkar::SjisToUtf8(hit.pAction ? hit.pAction->GetName() : std::string())},
          {"position", hit.nAction},
          {"hit", hit.nHit},
          {"motion_value", hit.wMotionValue},
          {"raw", hit.dRaw},
          {"motion_rate", hit.byMotionRate},
          {"physical", hit.dPhysical},
          {"effective", effective},
          {"kind", hit.nKind},
          {"element", hit.dElement},
          {"total", hit.dTotal},
          {"after_anger", hit.dAngryTotal},
          {"truncated", hit.nTruncated},
          {"running", hit.nRunning}};
}

}  // namespace

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
  CCalculator calculator;
  const std::string strUsage = Drive(calculator);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);

  const std::optional<std::string> strReport = BuildReportFromCalculator(calculator);
  const std::optional<CalcExplanation_t> explanation = calculator.Explain();
  if (!strReport || !explanation) {
    const std::string strMissing =
        CCalculationOptions::MissingTarget(calculator).value_or("calculation");
    context.output.Error("no report: there is no " + strMissing + " to select");
    return kExitFailure;
  }
  const std::vector<std::string> arrWarning = m_options.Warnings();
  context.output.Warnings(arrWarning);
  if (m_bJson) {
    ordered_json document = ReportJson(calculator, *strReport);
    if (m_bExplain) {
      document["factors"] = FactorsJson(*explanation);
      document["explain"] = ExplainJson(*explanation);
    }
    document["warnings"] = CToolOutput::WarningsJson(arrWarning);
    context.output.WriteUtf8(document.dump(2) + "\n");
  } else {
    context.output.Write(*strReport);
    if (m_bExplain) context.output.Write("\n" + BuildHitBreakdownText(*explanation));
  }
  return kExitOk;
}

std::string CReportCommand::Drive(CCalculator& calculator) {
  std::string strUsage = m_options.LoadCategory(calculator);
  if (!strUsage.empty()) return strUsage;
  strUsage = m_options.ApplyWeapon(calculator);
  if (!strUsage.empty()) return strUsage;
  m_options.ApplySharpness(calculator);
  return m_options.ApplySelections(calculator);
}

ordered_json CReportCommand::ReportJson(const CCalculator& calculator,
                                        const std::string& strReport) {
  ordered_json document;
  document["attack"] = velkar::SjisToUtf8(calculator.GetAttackText());
  document["element"] = velkar::SjisToUtf8(calculator.GetElementText());
  document["sharpness"] = velkar::SjisToUtf8(calculator.GetSharpnessText());
  ordered_json& rows = document["rows"] = ordered_json::array();
  for (const ResultRow_t& row : calculator.GetResultRows()) {
    ordered_json cells = ordered_json::array();
    for (const std::string& strCell : row.arrCell) cells.push_back(velkar::SjisToUtf8(strCell));
    rows.push_back({{"region", velkar::SjisToUtf8(row.arrCell[0])},
                    {"physical", row.byPhys},
                    {"element", row.byElement},
                    {"damage", row.nDamage},
                    {"kind", row.nKind},
                    {"colour", ColourText(row.nColor)},
                    {"cells", cells}});
  }
  document["report"] = velkar::SjisToUtf8(strReport);
  return document;
}

ordered_json CReportCommand::FactorsJson(const CalcExplanation_t& explanation) {
  const DamageFactors_t& f = explanation.trace.factors;
  return {{"sharpness", f.nSharpness},
          {"sharpness_physical", f.dSharpPhys},
          {"sharpness_element", f.dSharpElement},
          {"hit_rate", f.byHitRate},
          {"hit_factor", f.dHitFactor},
          {"bonus", f.byBonus},
          {"factor", f.dFactor},
          {"base_attack", f.dBase},
          {"level_rate", f.byLevelRate},
          {"anger", f.bAnger},
          {"anger_rate", f.byAngerRate}};
}

ordered_json CReportCommand::ExplainJson(const CalcExplanation_t& explanation) {
  ordered_json regions = ordered_json::array();
  for (size_t i = 0; i < explanation.arrRegion.size(); ++i) {
    const DamageResult_t& region = explanation.arrRegion[i];
    ordered_json hits = ordered_json::array();
    for (const HitTrace_t& hit : explanation.trace.arrHit) {
      if (hit.nRegion == static_cast<int32_t>(i)) hits.push_back(HitJson(hit));
    }
    regions.push_back({{"region", velkar::SjisToUtf8(region.strName)},
                       {"physical", region.byPhys},
                       {"element", region.byElement},
                       {"damage", region.nDamage},
                       {"kind", region.nKind},
                       {"hits", std::move(hits)}});
  }
  return regions;
}
