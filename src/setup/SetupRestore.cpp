#include "SetupRestore.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "VelkarTexts.h"
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

Build_t CurrentBuild(const CCalculator& calculator) {
  const CWeapon* pWeapon = calculator.GetSelectedWeapon();
  return {pWeapon ? pWeapon->GetName() : std::string(txt::kCodeCurrentSetup),
          CaptureSetup(calculator)};
}

std::vector<RestoreMiss_t> RestoreSetup(CCalculator& calculator, const Setup_t& setup) {
  std::vector<RestoreMiss_t> arrMiss;
  const auto miss = [&arrMiss](eSETUP_PART ePart, const std::optional<std::string>& strName) {
    if (strName) arrMiss.push_back({ePart, *strName});
  };
  const bool bCategory = RestoreCategory(calculator, setup);
  if (bCategory) {
    if (!RestoreWeapon(calculator, setup)) miss(eSETUP_PART::Weapon, setup.strWeapon);
    for (std::string& strMotion : RestoreMotions(calculator, setup)) {
      arrMiss.push_back({eSETUP_PART::Motion, std::move(strMotion)});
    }
    RestoreSharpness(calculator, setup);
  } else if (setup.nCategory) {
    miss(eSETUP_PART::Category, std::to_string(*setup.nCategory));
  }
  if (!RestoreMonster(calculator, setup)) miss(eSETUP_PART::Monster, setup.strMonster);
  if (!RestoreLevel(calculator, setup)) miss(eSETUP_PART::Level, setup.strLevel);
  if (bCategory && !RestoreHitCorrection(calculator, setup)) {
    miss(eSETUP_PART::HitCorrection, setup.strHitCorrection);
  }
  RestoreAnger(calculator, setup);
  RestoreModifiers(calculator, setup.arrModifier);
  return arrMiss;
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

std::vector<std::string> RestoreMotions(CCalculator& calculator, const Setup_t& setup) {
  if (!calculator.GetChosenMotions().empty()) calculator.ClearChosenMotions();
  // The first motion of each name, as a search from the top finds it.
  std::unordered_map<std::string_view, int> mapIndex;
  const std::vector<const CAction*>& arrAvailable = calculator.GetAvailableMotions();
  for (size_t i = 0; i < arrAvailable.size(); ++i) {
    mapIndex.try_emplace(arrAvailable[i]->GetName(), static_cast<int>(i));
  }
  std::vector<int> arrIndex;
  std::vector<std::string> arrMissing;
  std::unordered_set<std::string_view> setMissing;
  for (const std::string& strMotion : setup.arrMotion) {
    const auto it = mapIndex.find(strMotion);
    if (it != mapIndex.end()) {
      arrIndex.push_back(it->second);
    } else if (setMissing.insert(strMotion).second) {
      arrMissing.push_back(strMotion);
    }
  }
  if (!arrIndex.empty()) calculator.AddChosenMotions(arrIndex);
  return arrMissing;
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
