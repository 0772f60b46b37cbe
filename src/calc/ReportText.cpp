#include "calc/ReportText.h"

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "calc/TextFormat.h"
#include "data/DataManager.h"

std::string BuildReportText(std::string_view strCategoryLabel, std::string_view strWeaponName,
                            std::string_view strSharpnessName, std::string_view strMonsterName,
                            bool bAnger, std::string_view strLevelName,
                            std::string_view strHitCorrectionName,
                            const std::vector<std::string>& arrModifierCaption,
                            const std::vector<std::string>& arrMotionText,
                            const std::vector<ReportRow_t>& arrRow) {
  std::string strTarget(strMonsterName);
  if (bAnger) strTarget += txt::kReportAngerSuffix;

  std::string strReport;
  strReport.reserve(512);
  AppendFormatText(strReport, txt::kReportHeaderFormat,
                   {strCategoryLabel, strWeaponName, strSharpnessName, strTarget, strLevelName,
                    strHitCorrectionName});

  strReport += txt::kReportModifiersHeading;
  for (const std::string& strCaption : arrModifierCaption) strReport += strCaption + "\r\n";

  strReport += txt::kReportAttackListHeading;
  for (const std::string& strMotion : arrMotionText) strReport += strMotion + "\r\n";

  strReport += txt::kReportDamageHeading;
  for (const ReportRow_t& row : arrRow) {
    AppendFormatText(strReport, txt::kReportDamageLineFormat, {row[0], row[1], row[2], row[3]});
  }
  return strReport;
}

std::optional<std::string> BuildReportFromCalculator(const CCalculator& calculator) {
  const CWeapon* pWeapon = calculator.GetSelectedWeapon();
  const CMonster* pMonster = calculator.GetSelectedMonster();
  const CLevel* pLevel = calculator.GetSelectedLevel();
  const CHitPattern* pHitPattern = calculator.GetSelectedHitCorrection();
  if (!pWeapon || !pMonster || !pLevel || !pHitPattern) return std::nullopt;

  std::vector<std::string> arrModifier;
  for (const ModifierInfo_t& info : kModifierTable) {
    if (calculator.GetModifier(info.nControlId)) arrModifier.emplace_back(info.strCaption);
  }
  std::vector<std::string> arrMotion;
  arrMotion.reserve(calculator.GetChosenMotions().size());
  for (const CAction* pAction : calculator.GetChosenMotions())
    arrMotion.push_back(pAction->GetName());
  std::vector<ReportRow_t> arrRow;
  arrRow.reserve(calculator.GetResultRows().size());
  for (const ResultRow_t& row : calculator.GetResultRows()) arrRow.push_back(row.arrCell);

  return BuildReportText(CDataManager::GetCategoryLabel(pWeapon->GetCategory()), pWeapon->GetName(),
                         CDataManager::GetSharpnessName(calculator.GetSharpnessPosition()),
                         pMonster->GetName(), calculator.GetAnger(), pLevel->GetName(),
                         pHitPattern->GetName(), arrModifier, arrMotion, arrRow);
}

std::string_view ReportUnavailableReason(const CCalculator& calculator) {
  if (calculator.GetSelectedWeapon() == nullptr) return txt::kReportNoWeapon;
  if (calculator.GetSelectedMonster() == nullptr) return txt::kReportNoMonster;
  if (calculator.GetSelectedLevel() == nullptr) return txt::kReportNoLevel;
  if (calculator.GetSelectedHitCorrection() == nullptr) return txt::kReportNoHitCorrection;
  return {};
}
