#include "setup/LoadoutResolution.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "data/DataManager.h"

namespace {

// The first record of the name in a store's list, or null (also for none).
template <class List>
auto FindByName(const List* pList, const std::optional<std::string>& strName)
    -> decltype(pList->front().get()) {
  if (!pList || !strName) return nullptr;
  for (const auto& pRecord : *pList) {
    if (pRecord && pRecord->GetName() == *strName) return pRecord.get();
  }
  return nullptr;
}

// The first record of a store's list, or null.
template <class List>
auto FirstOf(const List* pList) -> decltype(pList->front().get()) {
  if (!pList) return nullptr;
  for (const auto& pRecord : *pList) {
    if (pRecord) return pRecord.get();
  }
  return nullptr;
}

// A category is listed, as the window lists it, when its weapons loaded.
bool IsListed(const CDataManager& store, int nCategory) {
  return FirstOf(store.GetWeaponList(nCategory)) != nullptr;
}

// The first motion of each name, and each name not found once, in order.
void ResolveMotions(const CDataManager::ActionList* pList, const std::vector<std::string>& arrName,
                    LoadoutRecords_t& records, std::vector<RestoreMiss_t>& arrMiss) {
  std::unordered_map<std::string_view, const CAction*> mapAction;
  if (pList) {
    for (const auto& pAction : *pList) {
      if (pAction) mapAction.try_emplace(pAction->GetName(), pAction.get());
    }
  }
  std::unordered_set<std::string_view> setMissing;
  for (const std::string& strName : arrName) {
    const auto it = mapAction.find(strName);
    if (it != mapAction.end()) {
      records.arrMotion.push_back(it->second);
    } else if (setMissing.insert(strName).second) {
      arrMiss.push_back({eSETUP_PART::Motion, strName});
    }
  }
}

ModifierTicks_t TicksOf(const std::vector<int>& arrModifier) {
  ModifierTicks_t nTicks = 0;
  for (const int nId : arrModifier) {
    if (const ModifierInfo_t* pInfo = FindModifier(nId))
      nTicks = ClickModifier(nTicks, *pInfo, true);
  }
  return nTicks;
}

// The records of a listed category's loadout, with the names not found.
void ResolveInCategory(const CDataManager& store, int nCategory, const Loadout_t& loadout,
                       ResolvedLoadout_t& resolved) {
  LoadoutRecords_t& records = resolved.records;
  records.pWeapon = FindByName(store.GetWeaponList(nCategory), loadout.strWeapon);
  if (!records.pWeapon && loadout.strWeapon) {
    resolved.arrMiss.push_back({eSETUP_PART::Weapon, *loadout.strWeapon});
  }
  ResolveMotions(store.GetActionList(nCategory), loadout.arrMotion, records, resolved.arrMiss);
  if (records.pWeapon) {
    uint16_t wAttack = 0;
    uint16_t wElement = 0;
    int32_t nMask = 0;
    int32_t nOwn = 0;
    records.pWeapon->GetStatus(wAttack, wElement, nMask, nOwn);
    records.nSharpness =
        std::clamp(loadout.nSharpness.value_or(nOwn), SHARPNESS_MIN, SHARPNESS_MAX);
  }
  const CDataManager::HitPatternList* pPatterns = store.GetHitPatternList(nCategory);
  records.pHitCorrection = FindByName(pPatterns, loadout.strHitCorrection);
  if (!records.pHitCorrection) {
    if (loadout.strHitCorrection) {
      resolved.arrMiss.push_back({eSETUP_PART::HitCorrection, *loadout.strHitCorrection});
    }
    records.pHitCorrection = FirstOf(pPatterns);
  }
}

// Why the records cannot be evaluated, or none.
std::optional<LoadoutProblem_t> ProblemOf(const ResolvedLoadout_t& resolved,
                                          const Loadout_t& loadout) {
  for (const RestoreMiss_t& miss : resolved.arrMiss) {
    if (miss.ePart == eSETUP_PART::Category || miss.ePart == eSETUP_PART::Weapon) {
      return LoadoutProblem_t{miss.ePart, miss.strName};
    }
  }
  if (!loadout.nCategory) return LoadoutProblem_t{eSETUP_PART::Category, std::nullopt};
  if (!loadout.strWeapon) return LoadoutProblem_t{eSETUP_PART::Weapon, std::nullopt};
  if (!resolved.records.pHitCorrection) {
    return LoadoutProblem_t{eSETUP_PART::HitCorrection, loadout.strHitCorrection};
  }
  return std::nullopt;
}

}  // namespace

ResolvedLoadout_t ResolveLoadout(const CDataManager& store, const Loadout_t& loadout) {
  ResolvedLoadout_t resolved;
  if (loadout.nCategory && IsListed(store, *loadout.nCategory)) {
    ResolveInCategory(store, *loadout.nCategory, loadout, resolved);
  } else if (loadout.nCategory) {
    resolved.arrMiss.push_back({eSETUP_PART::Category, std::to_string(*loadout.nCategory)});
  }
  resolved.records.nTicks = TicksOf(loadout.arrModifier);
  resolved.problem = ProblemOf(resolved, loadout);
  if (resolved.problem) {
    // The problem says it already.
    std::erase_if(resolved.arrMiss, [ePart = resolved.problem->ePart](const RestoreMiss_t& miss) {
      return miss.ePart == ePart;
    });
  }
  return resolved;
}

ResolvedTarget_t ResolveTarget(const CDataManager& store, const Target_t& target) {
  ResolvedTarget_t resolved;
  TargetRecords_t& records = resolved.records;
  records.pMonster = FindByName(&store.GetMonsterList(), target.strMonster);
  if (!records.pMonster) {
    if (target.strMonster) resolved.arrMiss.push_back({eSETUP_PART::Monster, *target.strMonster});
    records.pMonster = FirstOf(&store.GetMonsterList());
  }
  records.pLevel = FindByName(&store.GetLevelList(), target.strLevel);
  if (!records.pLevel) {
    if (target.strLevel) resolved.arrMiss.push_back({eSETUP_PART::Level, *target.strLevel});
    records.pLevel = FirstOf(&store.GetLevelList());
  }
  records.bAnger = target.bAnger;
  return resolved;
}
