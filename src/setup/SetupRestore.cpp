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

// Selects the chosen index when there is one, else the first record of the
// name; false when the name is not in the list (nothing changed then).
template <class Record>
bool SelectRecord(CCalculator& calculator, void (CCalculator::*pSelect)(int),
                  const std::vector<const Record*>& arrRecord, const std::optional<int>& nChoice,
                  const std::optional<std::string>& strName) {
  const int nIndex = nChoice ? *nChoice : IndexByName(arrRecord, strName);
  if (!nChoice && nIndex == NO_SELECTION) return false;
  (calculator.*pSelect)(nIndex);
  return true;
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

// Clears the chosen motions, then adds each one that still exists (the
// first motion of its name, as a search from the top finds it), with one
// recalculation for the whole list. Answers the names it could not find,
// each once, in the order of the list.
std::vector<std::string> RestoreMotions(CCalculator& calculator, const Setup_t& setup,
                                        const SetupChoices_t& choices) {
  if (!calculator.GetChosenMotions().empty()) calculator.ClearChosenMotions();
  std::vector<int> arrIndex;
  std::vector<std::string> arrMissing;
  if (choices.arrMotion) {
    arrIndex = *choices.arrMotion;
  } else {
    std::unordered_map<std::string_view, int> mapIndex;
    const std::vector<const CAction*>& arrAvailable = calculator.GetAvailableMotions();
    for (size_t i = 0; i < arrAvailable.size(); ++i) {
      mapIndex.try_emplace(arrAvailable[i]->GetName(), static_cast<int>(i));
    }
    std::unordered_set<std::string_view> setMissing;
    for (const std::string& strMotion : setup.arrMotion) {
      const auto it = mapIndex.find(strMotion);
      if (it != mapIndex.end()) {
        arrIndex.push_back(it->second);
      } else if (setMissing.insert(strMotion).second) {
        arrMissing.push_back(strMotion);
      }
    }
  }
  if (!arrIndex.empty()) calculator.AddChosenMotions(arrIndex);
  return arrMissing;
}

// A chosen sharpness is released as it is; a saved one only when a weapon is
// selected and the position differs from the one the weapon brought along.
void RestoreSharpness(CCalculator& calculator, const Setup_t& setup,
                      const SetupChoices_t& choices) {
  if (choices.nSharpness) {
    calculator.ReleaseSharpness(*choices.nSharpness);
  } else if (setup.nSharpness && calculator.GetSelectedWeapon() &&
             *setup.nSharpness != calculator.GetSharpnessPosition()) {
    calculator.ReleaseSharpness(*setup.nSharpness);
  }
}

// Unticks what the list lacks first, then ticks what it holds in its order, so
// that a group's rule (one tick at most) never clears a wanted tick.
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

std::vector<RestoreMiss_t> RestoreSetup(CCalculator& calculator, const Setup_t& setup,
                                        const SetupChoices_t& choices) {
  std::vector<RestoreMiss_t> arrMiss;
  const auto miss = [&arrMiss](eSETUP_PART ePart, const std::optional<std::string>& strName) {
    if (strName) arrMiss.push_back({ePart, *strName});
  };
  const bool bCategory = RestoreCategory(calculator, setup);
  if (bCategory) {
    if (!SelectRecord(calculator, &CCalculator::SelectWeapon, calculator.GetWeapons(),
                      choices.nWeapon, setup.strWeapon)) {
      miss(eSETUP_PART::Weapon, setup.strWeapon);
    }
    for (std::string& strMotion : RestoreMotions(calculator, setup, choices)) {
      arrMiss.push_back({eSETUP_PART::Motion, std::move(strMotion)});
    }
    RestoreSharpness(calculator, setup, choices);
  } else if (setup.nCategory) {
    miss(eSETUP_PART::Category, std::to_string(*setup.nCategory));
  }
  if (!SelectRecord(calculator, &CCalculator::SelectMonster, calculator.GetMonsters(),
                    choices.nMonster, setup.strMonster)) {
    miss(eSETUP_PART::Monster, setup.strMonster);
  }
  if (!SelectRecord(calculator, &CCalculator::SelectLevel, calculator.GetLevels(), choices.nLevel,
                    setup.strLevel)) {
    miss(eSETUP_PART::Level, setup.strLevel);
  }
  if (bCategory &&
      !SelectRecord(calculator, &CCalculator::SelectHitCorrection, calculator.GetHitCorrections(),
                    choices.nHitCorrection, setup.strHitCorrection)) {
    miss(eSETUP_PART::HitCorrection, setup.strHitCorrection);
  }
  if (calculator.GetAnger() != setup.bAnger) calculator.SetAnger(setup.bAnger);
  RestoreModifiers(calculator, choices.arrModifier ? *choices.arrModifier : setup.arrModifier);
  return arrMiss;
}

std::vector<RestoreMiss_t> MoveToStore(CCalculator& calculator, const CDataManager& store) {
  // Taken while the calculator still points into the old store's records.
  const Setup_t setup = CaptureSetup(calculator);
  calculator.UseStore(store);
  return RestoreSetup(calculator, setup);
}
