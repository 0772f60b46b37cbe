#include "SetupRestore.h"

#include <algorithm>

#include "calc/Calculator.h"

namespace {

template <class Record>
int IndexByName(const std::vector<const Record*>& arrRecord,
                const std::optional<std::string>& strName) {
  if (!strName) return NO_SELECTION;
  const auto it = std::find_if(arrRecord.begin(), arrRecord.end(), [&](const Record* pRecord) {
    return pRecord->GetName() == *strName;
  });
  return it == arrRecord.end() ? NO_SELECTION : static_cast<int>(it - arrRecord.begin());
}

template <class Record>
std::optional<std::string> SelectedName(const std::vector<const Record*>& arrRecord, int nIndex) {
  if (nIndex < 0 || static_cast<size_t>(nIndex) >= arrRecord.size()) return std::nullopt;
  return arrRecord[static_cast<size_t>(nIndex)]->GetName();
}

bool Contains(const std::vector<int>& arrId, int nId) {
  return std::find(arrId.begin(), arrId.end(), nId) != arrId.end();
}

}  // namespace

Setup_t CaptureSetup(const CCalculator& calculator) {
  Setup_t setup;
  const int nCategory = calculator.GetCategorySelection();
  if (nCategory >= 0 && static_cast<size_t>(nCategory) < calculator.GetCategories().size()) {
    setup.nCategory = calculator.GetCategories()[static_cast<size_t>(nCategory)].nCategory;
  }
  setup.strWeapon = SelectedName(calculator.GetWeapons(), calculator.GetWeaponSelection());
  for (const CAction* pMotion : calculator.GetChosenMotions()) {
    setup.arrMotion.push_back(pMotion->GetName());
  }
  if (setup.strWeapon) setup.nSharpness = calculator.GetSharpnessPosition();
  setup.strMonster = SelectedName(calculator.GetMonsters(), calculator.GetMonsterSelection());
  setup.strLevel = SelectedName(calculator.GetLevels(), calculator.GetLevelSelection());
  setup.strHitCorrection =
      SelectedName(calculator.GetHitCorrections(), calculator.GetHitCorrectionSelection());
  setup.bAnger = calculator.GetAnger();
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    if (calculator.GetModifier(nId)) setup.arrModifier.push_back(nId);
  }
  return setup;
}

void RestoreSetup(CCalculator& calculator, const Setup_t& setup) {
  const bool bCategory = RestoreCategory(calculator, setup);
  if (bCategory) {
    RestoreWeapon(calculator, setup);
    RestoreMotions(calculator, setup);
    RestoreSharpness(calculator, setup);
  }
  RestoreMonster(calculator, setup);
  RestoreLevel(calculator, setup);
  if (bCategory) RestoreHitCorrection(calculator, setup);
  RestoreAnger(calculator, setup);
  RestoreModifiers(calculator, setup.arrModifier);
}

bool RestoreCategory(CCalculator& calculator, const Setup_t& setup) {
  if (!setup.nCategory) return false;
  const std::vector<CategoryEntry_t>& arrCategory = calculator.GetCategories();
  const auto it =
      std::find_if(arrCategory.begin(), arrCategory.end(),
                   [&](const CategoryEntry_t& e) { return e.nCategory == *setup.nCategory; });
  if (it == arrCategory.end()) return false;
  calculator.SelectCategory(static_cast<int>(it - arrCategory.begin()));
  return true;
}

bool RestoreWeapon(CCalculator& calculator, const Setup_t& setup) {
  const int nIndex = IndexByName(calculator.GetWeapons(), setup.strWeapon);
  if (nIndex == NO_SELECTION) return false;
  calculator.SelectWeapon(nIndex);
  return true;
}

void RestoreMotions(CCalculator& calculator, const Setup_t& setup) {
  if (!calculator.GetChosenMotions().empty()) calculator.ClearChosenMotions();
  for (const std::string& strMotion : setup.arrMotion) {
    const int nIndex = IndexByName(calculator.GetAvailableMotions(), std::optional(strMotion));
    if (nIndex != NO_SELECTION) calculator.AddChosenMotion(nIndex);
  }
}

void RestoreSharpness(CCalculator& calculator, const Setup_t& setup) {
  if (!setup.nSharpness || !calculator.GetSelectedWeapon()) return;
  if (*setup.nSharpness != calculator.GetSharpnessPosition()) {
    calculator.ReleaseSharpness(*setup.nSharpness);
  }
}

bool RestoreMonster(CCalculator& calculator, const Setup_t& setup) {
  const int nIndex = IndexByName(calculator.GetMonsters(), setup.strMonster);
  if (nIndex == NO_SELECTION) return false;
  calculator.SelectMonster(nIndex);
  return true;
}

bool RestoreLevel(CCalculator& calculator, const Setup_t& setup) {
  const int nIndex = IndexByName(calculator.GetLevels(), setup.strLevel);
  if (nIndex == NO_SELECTION) return false;
  calculator.SelectLevel(nIndex);
  return true;
}

bool RestoreHitCorrection(CCalculator& calculator, const Setup_t& setup) {
  const int nIndex = IndexByName(calculator.GetHitCorrections(), setup.strHitCorrection);
  if (nIndex == NO_SELECTION) return false;
  calculator.SelectHitCorrection(nIndex);
  return true;
}

void RestoreAnger(CCalculator& calculator, const Setup_t& setup) {
  if (calculator.GetAnger() != setup.bAnger) calculator.SetAnger(setup.bAnger);
}

void RestoreModifiers(CCalculator& calculator, const std::vector<int>& arrModifier) {
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    if (calculator.GetModifier(nId) && !Contains(arrModifier, nId)) {
      calculator.SetModifier(nId, false);
    }
  }
  for (int nId : arrModifier) {
    if (!calculator.GetModifier(nId)) calculator.SetModifier(nId, true);
  }
}
