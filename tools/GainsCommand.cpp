#include "GainsCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/ModifierText.h"
#include "calc/TextTable.h"
#include "data/DataManager.h"
#include "model/ModifierTable.h"
#include "platform/Cp932.h"
#include "setup/ResultJson.h"

namespace {

// What the click is: "tick 会心 (攻撃力 ×1.25), replacing マイナス会心",
// "untick 力の護符 (攻撃力 +5)" or "sharpness 白".
std::string ChoiceText(const Gain_t& gain) {
  if (gain.eKind == eGAIN_KIND::Sharpness) {
    return "sharpness " + CDataManager::GetSharpnessName(gain.nSharpness);
  }
  const ModifierInfo_t& info = *FindModifier(gain.nControlId);
  std::string strText = std::string(gain.bTick ? "tick " : "untick ") +
                        std::string(info.strCaption) + " (" + ModifierEffectText(info) + ")";
  if (gain.nReplaced != 0) {
    strText += ", replacing " + std::string(FindModifier(gain.nReplaced)->strCaption);
  }
  if (!gain.bEnabled) strText += ", box disabled in this category";
  return strText;
}

// "+12", "-3" or "0": plain ASCII, so the columns line up on any terminal.
std::string Change(int64_t nChange) {
  return (nChange > 0 ? "+" : "") + std::to_string(nChange);
}

}  // namespace

void CGainsCommand::Setup(CLI::App& command) {
  m_options.AddCategoryOption(command);
  m_options.AddWeaponOption(command);
  m_options.AddSelectionOptions(command, "Sharpness 0 to 5 (default: the weapon's own)");
  m_pRegion = command.add_option(
      "--region", m_strRegion,
      "Sort by the change of the region of this name (UTF-8) instead of the total's");
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CGainsCommand::Run(const ToolContext_t& context) {
  CCalculator calculator(context.store);
  std::string strUsage = m_options.ApplyAll(context.store, calculator);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);
  m_options.PrintWarnings(context.output);
  std::optional<size_t> nRegion;
  if (const auto strMissing = CCalculationOptions::MissingTarget(calculator)) {
    context.output.Error("no gains: there is no " + *strMissing + " to select");
    return kExitFailure;
  }
  strUsage = FindRegion(calculator, nRegion);
  if (!strUsage.empty()) return context.output.UsageError(strUsage);
  const std::optional<GainTable_t> table = ComputeGains(calculator, nRegion);
  if (!table) {
    context.output.Error("no gains: nothing was computed");
    return kExitFailure;
  }
  if (m_bJson) {
    nlohmann::ordered_json document = GainsDocument(*table);
    if (m_options.GetBuild()) document["warnings"] = MissesJson(m_options.GetMisses());
    context.output.WriteUtf8(ResultJsonText(document));
  } else {
    context.output.Write(TableText(*table));
  }
  return kExitOk;
}

std::string CGainsCommand::FindRegion(const CCalculator& calculator,
                                      std::optional<size_t>& nRegion) const {
  if (!*m_pRegion) return {};
  std::vector<std::string> arrRegion;
  for (const ResultRow_t& row : calculator.GetResultRows()) arrRegion.push_back(row.arrCell[0]);
  return FindRegionOption(m_strRegion, calculator.GetSelectedMonster()->GetName(), arrRegion,
                          nRegion);
}

std::string CGainsCommand::TableText(const GainTable_t& table) {
  std::vector<TextTableLine_t> arrLine;
  std::vector<std::string> header{"total"};
  header.insert(header.end(), table.arrRegion.begin(), table.arrRegion.end());
  header.emplace_back("choice");
  arrLine.push_back(std::move(header));
  for (const Gain_t& gain : table.arrGain) {
    std::vector<std::string> line{Change(gain.nTotal)};
    for (const int64_t nChange : gain.arrDamage) line.push_back(Change(nChange));
    line.push_back(ChoiceText(gain));
    arrLine.push_back(std::move(line));
  }
  std::vector<bool> arrRight(table.arrRegion.size() + 1, true);
  arrRight.push_back(false);
  return table.strWeapon + " on " + table.strMonster + ": total " + std::to_string(table.nTotal) +
         "\n" + FormatTextTable(arrLine, arrRight);
}
