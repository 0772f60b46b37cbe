#include "RankCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "model/Monster.h"
#include "platform/Cp932.h"
#include "setup/ResultJson.h"

namespace {

std::string Joined(const std::vector<std::string>& arrText) {
  std::string strText;
  for (const std::string& strPart : arrText) strText += (strText.empty() ? "" : ", ") + strPart;
  return strText;
}

std::string ElementNameList() {
  std::vector<std::string> arrName;
  for (int i = 0; i < ELEMENT_COUNT; ++i) arrName.push_back(CDataManager::GetElementName(i));
  return Joined(arrName);
}

// Text the user typed, for a message (Shift-JIS; what it cannot hold as '?').
std::string AsTyped(const std::string& strUtf8) {
  std::vector<size_t> arrReplaced;
  return velkar::Utf8ToSjisReplacing(strUtf8, arrReplaced);
}

}  // namespace

void CRankCommand::Setup(CLI::App& command) {
  m_options.AddCategoryOption(command);
  m_options.AddSelectionOptions(command,
                                "Sharpness 0 to 5 for every weapon (default: each weapon's own)");
  m_pRegion = command.add_option(
      "--region", m_strRegion,
      "Rank by the damage on the region of this name (UTF-8) instead of the total over all "
      "regions, and show that damage");
  m_pElement = command.add_option(
      "--element", m_strElement,
      "Only the weapons of this element, by its Japanese name (UTF-8), as the window's element "
      "text shows it; a wrong name lists them");
  command.add_option("--name", m_strName, "Only the weapons whose name holds this text (UTF-8)");
  command.add_option("--sort", m_strSort,
                     "List in the order of this column: " + WeaponColumnNames() +
                         " (default rank; numbers highest first, names in order)");
  command.add_flag("--reverse", m_request.bReverse,
                   "List in the opposite order of --sort (numbers lowest first, names backwards); "
                   "tied weapons stay in the order of their rank");
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CRankCommand::Run(const ToolContext_t& context) {
  CCalculator calculator(context.store);
  std::string strUsage = m_options.ApplyAll(context.store, calculator);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);
  m_options.PrintWarnings(context.output);
  if (const auto strMissing = CCalculationOptions::MissingTarget(calculator)) {
    context.output.Error("no ranking: there is no " + *strMissing + " to select");
    return kExitFailure;
  }
  strUsage = ReadRequest(calculator);
  if (!strUsage.empty()) return context.output.UsageError(strUsage);

  const WeaponTable_t table = BuildWeaponTable(calculator, m_request);
  if (m_bJson) {
    nlohmann::ordered_json document = RankingDocument(table);
    if (m_options.GetBuild()) document["warnings"] = MissesJson(m_options.GetMisses());
    context.output.WriteUtf8(ResultJsonText(document));
  } else {
    context.output.Write(WeaponTableText(table));
  }
  return kExitOk;
}

std::string CRankCommand::ReadRequest(const CCalculator& calculator) {
  std::string strUsage = ReadRegion(calculator);
  if (!strUsage.empty()) return strUsage;
  m_request.nSharpness = m_options.SharpnessForAll();
  if (*m_pElement) {
    const std::optional<std::string> strElement = velkar::Utf8ToSjis(m_strElement);
    m_request.nElement = strElement ? ElementOfName(*strElement) : std::nullopt;
    if (!m_request.nElement) {
      return "--element: " + AsTyped(m_strElement) +
             " is not an element; valid: " + ElementNameList();
    }
  }
  const std::optional<std::string> strName = velkar::Utf8ToSjis(m_strName);
  if (!strName) return "--name: " + AsTyped(m_strName) + " is not Shift-JIS text";
  m_request.strName = *strName;
  const std::optional<eWEAPON_COLUMN> eSort = WeaponColumnOf(m_strSort);
  if (!eSort) {
    return "--sort: " + AsTyped(m_strSort) + " is not a column; valid: " + WeaponColumnNames();
  }
  if (*eSort == eWEAPON_COLUMN::Region && !m_request.nRegion) {
    return "--sort: region needs --region";
  }
  m_request.eSort = *eSort;
  return {};
}

std::string CRankCommand::ReadRegion(const CCalculator& calculator) {
  if (!*m_pRegion) return {};
  const std::vector<std::string> arrRegion = RegionNames(calculator);
  const std::optional<std::string> strName = velkar::Utf8ToSjis(m_strRegion);
  const auto itFound =
      strName ? std::find(arrRegion.begin(), arrRegion.end(), *strName) : arrRegion.end();
  if (itFound != arrRegion.end()) {
    m_request.nRegion = static_cast<size_t>(itFound - arrRegion.begin());
    return {};
  }
  const std::string strMessage = "--region: " + AsTyped(m_strRegion) + " is not a region of " +
                                 calculator.GetSelectedMonster()->GetName() + "; ";
  if (arrRegion.empty()) return strMessage + "it has no regions";
  return strMessage + "valid: " + Joined(arrRegion);
}
