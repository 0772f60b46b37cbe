#include "ReportCommand.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <optional>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "calc/ModifierTable.h"
#include "calc/ReportText.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json ColourText(const std::optional<uint32_t>& nColour) {
  if (!nColour) return nullptr;
  char szText[8];
  std::snprintf(szText, sizeof szText, "#%06x", static_cast<unsigned>(*nColour & 0xFFFFFFU));
  return szText;
}

// "--weapon: 9 is out of range; valid: 0 to 7 (the weapons of category 0)".
std::string RangeError(const char* pszOption, int nValue, size_t nCount,
                       const std::string& strWhat) {
  std::string strMessage =
      std::string(pszOption) + ": " + std::to_string(nValue) + " is out of range; ";
  if (nCount == 0) return strMessage + "there are no " + strWhat;
  return strMessage + "valid: 0 to " + std::to_string(nCount - 1) + " (" + strWhat + ")";
}

bool InRange(int nValue, size_t nCount) {
  return nValue >= 0 && static_cast<size_t>(nValue) < nCount;
}

std::string ListedCategories(const CCalculator& calculator) {
  std::string strList;
  for (const CategoryEntry_t& entry : calculator.GetCategories()) {
    strList += (strList.empty() ? "" : ", ") + std::to_string(entry.nCategory);
  }
  return strList.empty() ? "none" : strList;
}

}  // namespace

void CReportCommand::Setup(CLI::App& command) {
  command.add_option("--category", m_nCategory, "Weapon category 0 to 7; it must be listed")
      ->required()
      ->check(CLI::Range(0, 7));
  command.add_option("--weapon", m_nWeapon, "Index in the category's weapon list")->required();
  m_pSharpness =
      command
          .add_option("--sharpness", m_nSharpness, "Sharpness 0 to 5 (default: the weapon's own)")
          ->check(CLI::Range(0, 5));
  m_pMonster = command.add_option("--monster", m_nMonster, "Index in the monster list (default 0)");
  m_pLevel = command.add_option("--level", m_nLevel, "Index in the level list (default 0)");
  m_pHit = command.add_option("--hit", m_nHit,
                              "Index in the category's hit correction list (default 0)");
  command.add_flag("--anger", m_bAnger, "The monster is angry");
  command
      .add_option("--modifier", m_arrModifier,
                  "Tick a modifier by control id, 1018 to 1041 (repeatable, in order)")
      ->check(CLI::Range(kFirstModifierId, kLastModifierId));
  command.add_option(
      "--motion", m_arrMotion,
      "Add a motion by its index in the category's motion list (repeatable, in order)");
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CReportCommand::Run(const ToolContext_t& context) {
  CCalculator calculator;
  const std::string strUsage = Drive(calculator);
  if (!strUsage.empty()) return context.output.UsageError(strUsage);

  const std::optional<std::string> strReport = BuildReportFromCalculator(calculator);
  if (!strReport) {
    const char* pszMissing = calculator.GetSelectedMonster() == nullptr ? "monster"
                             : calculator.GetSelectedLevel() == nullptr ? "level"
                                                                        : "hit correction";
    context.output.Error(std::string("no report: there is no ") + pszMissing + " to select");
    return kExitFailure;
  }
  if (m_bJson) {
    context.output.WriteUtf8(ReportJson(calculator, *strReport).dump(2) + "\n");
  } else {
    context.output.Write(*strReport);
  }
  return kExitOk;
}

std::string CReportCommand::Drive(CCalculator& calculator) const {
  calculator.LoadAll();

  const std::vector<CategoryEntry_t>& arrCategory = calculator.GetCategories();
  size_t nEntry = 0;
  while (nEntry < arrCategory.size() && arrCategory[nEntry].nCategory != m_nCategory) ++nEntry;
  if (nEntry == arrCategory.size()) {
    return "--category: " + std::to_string(m_nCategory) + " (" +
           CDataManager::GetCategoryName(m_nCategory) +
           ") is not listed; listed categories: " + ListedCategories(calculator);
  }
  calculator.SelectCategory(static_cast<int>(nEntry));

  const std::string strOfCategory = " of category " + std::to_string(m_nCategory);
  if (!InRange(m_nWeapon, calculator.GetWeapons().size())) {
    return RangeError("--weapon", m_nWeapon, calculator.GetWeapons().size(),
                      "weapons" + strOfCategory);
  }
  calculator.SelectWeapon(m_nWeapon);
  if (*m_pSharpness) calculator.ReleaseSharpness(m_nSharpness);

  if (*m_pMonster) {
    if (!InRange(m_nMonster, calculator.GetMonsters().size())) {
      return RangeError("--monster", m_nMonster, calculator.GetMonsters().size(), "monsters");
    }
    calculator.SelectMonster(m_nMonster);
  }
  if (*m_pLevel) {
    if (!InRange(m_nLevel, calculator.GetLevels().size())) {
      return RangeError("--level", m_nLevel, calculator.GetLevels().size(), "levels");
    }
    calculator.SelectLevel(m_nLevel);
  }
  if (*m_pHit) {
    if (!InRange(m_nHit, calculator.GetHitCorrections().size())) {
      return RangeError("--hit", m_nHit, calculator.GetHitCorrections().size(),
                        "hit corrections" + strOfCategory);
    }
    calculator.SelectHitCorrection(m_nHit);
  }
  if (m_bAnger) calculator.SetAnger(true);
  for (int nId : m_arrModifier) calculator.SetModifier(nId, true);
  for (int nMotion : m_arrMotion) {
    if (!InRange(nMotion, calculator.GetAvailableMotions().size())) {
      return RangeError("--motion", nMotion, calculator.GetAvailableMotions().size(),
                        "motions" + strOfCategory);
    }
    calculator.AddChosenMotion(nMotion);
  }
  return {};
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
