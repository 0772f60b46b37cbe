#include "CalculationOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "chart/ChartBuilders.h"
#include "data/DataManager.h"
#include "model/ModifierTable.h"
#include "platform/Cp932.h"
#include "setup/BuildCode.h"
#include "setup/LoadoutComparison.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

namespace {

std::string ListedCategories(const CCalculator& calculator) {
  std::string strList;
  for (const CategoryEntry_t& entry : calculator.GetCategories()) {
    strList += (strList.empty() ? "" : ", ") + std::to_string(entry.nCategory);
  }
  return strList.empty() ? "none" : strList;
}

std::string FingerprintText(uint32_t nFingerprint) {
  char szText[9];
  std::snprintf(szText, sizeof szText, "%08x", static_cast<unsigned>(nFingerprint));
  return szText;
}

std::string BuildNames(const std::vector<Build_t>& arrBuild) {
  std::string strList;
  for (const Build_t& build : arrBuild) strList += (strList.empty() ? "" : ", ") + build.strName;
  return strList;
}

std::string BuildNames(const std::vector<ListedBuild_t>& arrListed) {
  std::string strList;
  for (const ListedBuild_t& listed : arrListed) {
    strList += (strList.empty() ? "" : ", ") + listed.build.strName;
  }
  return strList;
}

// "2, 5 and 7": the builds' places in the file, counted from 1.
std::string EntryNumbers(const std::vector<ListedBuild_t>& arrListed) {
  std::string strList;
  for (size_t i = 0; i < arrListed.size(); ++i) {
    if (i > 0) strList += i + 1 == arrListed.size() ? " and " : ", ";
    strList += std::to_string(arrListed[i].nEntry + 1);
  }
  return strList;
}

}  // namespace

std::string RangeError(const char* pszOption, int nValue, size_t nCount,
                       const std::string& strWhat) {
  std::string strMessage =
      std::string(pszOption) + ": " + std::to_string(nValue) + " is out of range; ";
  if (nCount == 0) return strMessage + "there are no " + strWhat;
  return strMessage + "valid: 0 to " + std::to_string(nCount - 1) + " (" + strWhat + ")";
}

std::optional<std::string> OtherDataWarning(const CDataManager& store, uint32_t nCodeFingerprint) {
  const uint32_t nFingerprint = store.GetDataFingerprint();
  if (nCodeFingerprint == nFingerprint) return std::nullopt;
  return "the code was made with other data files (fingerprint " +
         FingerprintText(nCodeFingerprint) + ", these are " + FingerprintText(nFingerprint) +
         "); what they lack is left out";
}

std::string MissWarning(const std::string& strBuild, const RestoreMiss_t& miss) {
  return "build " + strBuild + ": " + DescribeMissInEnglish(miss) +
         (miss.ePart == eSETUP_PART::Motion ? "; left out" : "; the first is used");
}

bool InRange(int nValue, size_t nCount) {
  return nValue >= 0 && static_cast<size_t>(nValue) < nCount;
}

bool CCalculationOptions::Given(const CLI::Option* pOption) {
  return pOption != nullptr && pOption->count() > 0;
}

void CCalculationOptions::AddCategoryOption(CLI::App& command, bool bWithBuild) {
  m_pCategory = command
                    .add_option("--category", m_nCategory,
                                "Weapon category 0 to " + std::to_string(CATEGORY_COUNT - 1) +
                                    "; it must be listed (required without a build or code)")
                    ->check(CLI::Range(0, CATEGORY_COUNT - 1));
  if (!bWithBuild) return;
  m_pBuild = command.add_option(
      "--build", m_strBuild,
      "Start from the saved build of this name (UTF-8); the other options replace its parts");
  m_pCode = command
                .add_option("--code", m_strCode,
                            "Start from the build of this build code, as from a saved build")
                ->excludes(m_pBuild);
}

void CCalculationOptions::AddWeaponOption(CLI::App& command) {
  m_pWeapon =
      command.add_option("--weapon", m_nWeapon,
                         "Index in the category's weapon list (required without a build or code)");
}

void CCalculationOptions::AddSelectionOptions(CLI::App& command, const char* pszSharpnessHelp) {
  m_pSharpness =
      command.add_option("--sharpness", m_nSharpness, pszSharpnessHelp)->check(CLI::Range(0, 5));
  m_pMonster = command.add_option("--monster", m_nMonster, "Index in the monster list (default 0)");
  m_pLevel = command.add_option("--level", m_nLevel, "Index in the level list (default 0)");
  m_pHit = command.add_option("--hit", m_nHit,
                              "Index in the category's hit correction list (default 0)");
  command.add_flag("--anger", m_bAnger, "The monster is angry");
  m_pModifier =
      command
          .add_option("--modifier", m_arrModifier,
                      "Tick a modifier by control id, " + std::to_string(kFirstModifierId) +
                          " to " + std::to_string(kLastModifierId) + " (repeatable, in order)")
          ->check(CLI::Range(kFirstModifierId, kLastModifierId));
  m_pMotion = command.add_option(
      "--motion", m_arrMotion,
      "Add a motion by its index in the category's motion list (repeatable, in order)");
}

std::string CCalculationOptions::OfCategory() const {
  return " of category " + std::to_string(m_nCategory);
}

std::string CCalculationOptions::UseBuild(const std::string& strName) {
  m_build.reset();
  m_nCodeFingerprint.reset();
  m_arrMiss.clear();
  m_bBuildsUnusable = false;
  const CSetupStore store;
  const std::vector<ListedBuild_t> arrListed = store.LoadBuilds();
  if (const std::optional<SetupFileProblem_t>& problem = store.GetProblem()) {
    m_bBuildsUnusable = true;
    return "--build: " + DescribeInEnglish(*problem);
  }
  std::vector<size_t> arrReplaced;
  const std::string strShown = velkar::Utf8ToSjisReplacing(strName, arrReplaced);
  const std::optional<std::string> strSjis = velkar::Utf8ToSjis(strName);
  std::vector<ListedBuild_t> arrNamed;
  for (const ListedBuild_t& listed : arrListed) {
    if (strSjis && listed.build.strName == *strSjis) arrNamed.push_back(listed);
  }
  if (arrNamed.size() == 1) {
    m_build = arrNamed.front().build;
    return {};
  }
  if (arrNamed.size() > 1) {
    return "--build: " + std::to_string(arrNamed.size()) + " builds are named " + strShown +
           " (entries " + EntryNumbers(arrNamed) + " of " + store.GetBuildsPath() +
           "); rename all but one of them to tell them apart (the window's builds dialog, "
           "Ctrl+B)";
  }
  const std::string strMessage = "--build: there is no build named " + strShown;
  if (arrListed.empty()) return strMessage + "; there are no saved builds";
  return strMessage + "; saved builds: " + BuildNames(arrListed);
}

std::string CCalculationOptions::UseCode(const std::string& strCode) {
  CodeError_t error;
  std::optional<BuildCode_t> code = DecodeBuildCode(strCode, error);
  if (!code) return "--code: " + DescribeCodeError(error);
  if (code->arrBuild.size() != 1) {
    return "--code: the code holds " + std::to_string(code->arrBuild.size()) + " builds (" +
           BuildNames(code->arrBuild) + "); give a code of one build";
  }
  m_build = std::move(code->arrBuild.front());
  m_nCodeFingerprint = code->nFingerprint;
  return {};
}

std::string CCalculationOptions::LoadCategory(CDataManager& store, CCalculator& calculator) {
  const std::string strUsage = Given(m_pBuild)  ? UseBuild(m_strBuild)
                               : Given(m_pCode) ? UseCode(m_strCode)
                                                : std::string();
  if (!strUsage.empty()) return strUsage;
  if (!Given(m_pCategory)) {
    if (!m_build || !m_build->setup.nCategory) {
      return m_build ? "--category is required: the build names no category"
                     : "--category is required";
    }
    m_nCategory = *m_build->setup.nCategory;
  }
  store.LoadAll();
  m_pStore = &store;
  calculator.LoadAll();
  if (m_nCodeFingerprint) {
    if (auto strWarning = OtherDataWarning(store, *m_nCodeFingerprint)) {
      m_arrWarning.push_back(std::move(*strWarning));
    }
  }
  const std::vector<CategoryEntry_t>& arrCategory = calculator.GetCategories();
  if (std::none_of(arrCategory.begin(), arrCategory.end(),
                   [this](const CategoryEntry_t& e) { return e.nCategory == m_nCategory; })) {
    return "--category: " + std::to_string(m_nCategory) + " (" +
           CDataManager::GetCategoryName(m_nCategory) +
           ") is not listed; listed categories: " + ListedCategories(calculator);
  }
  return {};
}

int CCalculationOptions::Refuse(const CToolOutput& output, const std::string& strUsage) const {
  if (m_bBuildsUnusable) {
    output.Error(strUsage);
    return kExitFailure;
  }
  PrintWarnings(output);
  if (m_pStore == nullptr) return output.UsageError(strUsage);
  const std::string strFile = m_pStore->GetWeaponDataPath(m_nCategory);
  for (const DataFileError_t& error : m_pStore->GetLoadErrors()) {
    if (error.strPath != strFile) continue;
    output.Error("--category: " + std::to_string(m_nCategory) + " (" +
                 CDataManager::GetCategoryName(m_nCategory) +
                 ") cannot be used as asked: " + DescribeInEnglish(error));
    return kExitFailure;
  }
  return output.UsageError(strUsage);
}

std::optional<int> CCalculationOptions::SharpnessForAll() const {
  if (Given(m_pSharpness)) return m_nSharpness;
  return m_build ? m_build->setup.nSharpness : std::nullopt;
}

Setup_t CCalculationOptions::LaidOver() const {
  Setup_t setup = m_build ? m_build->setup : Setup_t{};
  // The motions and hit correction of a build belong to its category; its
  // weapon is looked for by name in the category given.
  if (setup.nCategory != m_nCategory) {
    setup.arrMotion.clear();
    setup.strHitCorrection.reset();
  }
  setup.nCategory = m_nCategory;
  if (!ComputesOneWeapon()) {
    setup.strWeapon.reset();
    setup.nSharpness.reset();
  }
  setup.bAnger = setup.bAnger || m_bAnger;
  return setup;
}

SetupChoices_t CCalculationOptions::Choices() const {
  SetupChoices_t choices;
  if (Given(m_pWeapon)) choices.nWeapon = m_nWeapon;
  if (Given(m_pMotion)) choices.arrMotion = m_arrMotion;
  if (Given(m_pSharpness) && ComputesOneWeapon()) choices.nSharpness = m_nSharpness;
  if (Given(m_pMonster)) choices.nMonster = m_nMonster;
  if (Given(m_pLevel)) choices.nLevel = m_nLevel;
  if (Given(m_pHit)) choices.nHitCorrection = m_nHit;
  if (Given(m_pModifier)) choices.arrModifier = m_arrModifier;
  return choices;
}

std::string CCalculationOptions::CheckWeapon(const CCalculator& calculator) const {
  const size_t nCount = calculator.GetWeapons().size();
  if (Given(m_pWeapon) && !InRange(m_nWeapon, nCount)) {
    return RangeError("--weapon", m_nWeapon, nCount, "weapons" + OfCategory());
  }
  if (calculator.GetSelectedWeapon()) return {};
  return "--weapon is required: the weapon of build " + m_build->strName + " (" +
         m_build->setup.strWeapon.value_or("none") + ") is not among the weapons" + OfCategory();
}

std::string CCalculationOptions::CheckChoices(const CCalculator& calculator) const {
  if (Given(m_pMonster) && !InRange(m_nMonster, calculator.GetMonsters().size())) {
    return RangeError("--monster", m_nMonster, calculator.GetMonsters().size(), "monsters");
  }
  if (Given(m_pLevel) && !InRange(m_nLevel, calculator.GetLevels().size())) {
    return RangeError("--level", m_nLevel, calculator.GetLevels().size(), "levels");
  }
  if (Given(m_pHit) && !InRange(m_nHit, calculator.GetHitCorrections().size())) {
    return RangeError("--hit", m_nHit, calculator.GetHitCorrections().size(),
                      "hit corrections" + OfCategory());
  }
  for (int nMotion : m_arrMotion) {
    if (!InRange(nMotion, calculator.GetAvailableMotions().size())) {
      return RangeError("--motion", nMotion, calculator.GetAvailableMotions().size(),
                        "motions" + OfCategory());
    }
  }
  return {};
}

void CCalculationOptions::PrintWarnings(const CToolOutput& output) const {
  for (const std::string& strWarning : m_arrWarning) output.Warning(strWarning);
  for (const RestoreMiss_t& miss : m_arrMiss) {
    output.Warning(MissWarning(m_build->strName, miss));
  }
}

std::string CCalculationOptions::ApplyAll(CDataManager& store, CCalculator& calculator) {
  std::string strUsage = LoadCategory(store, calculator);
  if (!strUsage.empty()) return strUsage;
  if (ComputesOneWeapon() && !Given(m_pWeapon) && !m_build) return "--weapon is required";
  m_arrMiss = RestoreSetup(calculator, LaidOver(), Choices());
  if (ComputesOneWeapon()) {
    strUsage = CheckWeapon(calculator);
    if (!strUsage.empty()) {
      // A build without its weapon is refused before anything else of it is told.
      m_arrMiss.clear();
      return strUsage;
    }
  }
  // The tool warns of the target's names before the motions left out.
  std::stable_partition(m_arrMiss.begin(), m_arrMiss.end(), [](const RestoreMiss_t& miss) {
    return miss.ePart != eSETUP_PART::Motion;
  });
  return CheckChoices(calculator);
}

std::optional<std::string> CCalculationOptions::MissingTarget(const CCalculator& calculator) {
  if (!calculator.GetSelectedMonster()) return "monster";
  if (!calculator.GetSelectedLevel()) return "level";
  if (!calculator.GetSelectedHitCorrection()) return "hit correction";
  return std::nullopt;
}

std::string FindRegionOption(const std::string& strUtf8, const std::string& strMonster,
                             const std::vector<std::string>& arrRegion,
                             std::optional<size_t>& nRegion) {
  const std::optional<std::string> strName = velkar::Utf8ToSjis(strUtf8);
  nRegion = strName ? FindRegion(arrRegion, *strName) : std::nullopt;
  if (nRegion) return {};
  std::vector<size_t> arrReplaced;
  std::string strMessage = "--region: " + velkar::Utf8ToSjisReplacing(strUtf8, arrReplaced) +
                           " is not a region of " + strMonster;
  if (arrRegion.empty()) return strMessage + "; it has no regions";
  strMessage += "; valid: ";
  for (size_t i = 0; i < arrRegion.size(); ++i) {
    strMessage += arrRegion[i] + (i + 1 == arrRegion.size() ? "" : ", ");
  }
  return strMessage;
}
