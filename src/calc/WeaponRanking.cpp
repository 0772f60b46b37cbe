#include "calc/WeaponRanking.h"

#include <algorithm>

#include "calc/Calculator.h"
#include "calc/LoadoutEvaluation.h"

namespace {

int64_t RankingKey(const RankedWeapon_t& ranked, std::optional<size_t> nRegion) {
  if (!nRegion) return ranked.nTotal;
  return *nRegion < ranked.arrDamage.size() ? ranked.arrDamage[*nRegion] : 0;
}

}  // namespace

std::vector<RankedWeapon_t> RankWeapons(std::span<const CWeapon* const> arrWeapon,
                                        LoadoutRecords_t loadout, const TargetRecords_t& target,
                                        std::optional<size_t> nRegion,
                                        std::optional<int> nSharpness) {
  std::vector<RankedWeapon_t> arrRanked(arrWeapon.size());
  for (size_t i = 0; i < arrWeapon.size(); ++i) {
    RankedWeapon_t& ranked = arrRanked[i];
    ranked.nWeapon = static_cast<int>(i);
    ranked.strName = arrWeapon[i]->GetName();
    int32_t nOwnSharpness = 0;
    arrWeapon[i]->GetStatus(ranked.wAttack, ranked.wElement, ranked.nElementMask, nOwnSharpness);
    ranked.strElement = ElementNames(ranked.nElementMask);
    loadout.pWeapon = arrWeapon[i];
    loadout.nSharpness =
        std::clamp(nSharpness.value_or(nOwnSharpness), SHARPNESS_MIN, SHARPNESS_MAX);
    ranked.nSharpness = loadout.nSharpness;
    EvaluateDamage(loadout, target, ranked.arrDamage);
    for (const int32_t nDamage : ranked.arrDamage) ranked.nTotal += nDamage;
  }
  SortAndRank(arrRanked, nRegion);
  return arrRanked;
}

std::vector<RankedWeapon_t> RankWeaponsOf(const CCalculator& calculator,
                                          std::optional<size_t> nRegion,
                                          std::optional<int> nSharpness) {
  LoadoutRecords_t loadout;
  loadout.arrMotion = calculator.GetChosenMotions();
  loadout.pHitCorrection = calculator.GetSelectedHitCorrection();
  loadout.nTicks = calculator.GetModifierTicks();
  const TargetRecords_t target{calculator.GetSelectedMonster(), calculator.GetSelectedLevel(),
                               calculator.GetAnger()};
  return RankWeapons(calculator.GetWeapons(), std::move(loadout), target, nRegion, nSharpness);
}

void SortAndRank(std::vector<RankedWeapon_t>& arrRanked, std::optional<size_t> nRegion) {
  std::stable_sort(arrRanked.begin(), arrRanked.end(),
                   [nRegion](const RankedWeapon_t& a, const RankedWeapon_t& b) {
                     return RankingKey(a, nRegion) > RankingKey(b, nRegion);
                   });
  for (size_t i = 0; i < arrRanked.size(); ++i) {
    const bool bTie =
        i > 0 && RankingKey(arrRanked[i], nRegion) == RankingKey(arrRanked[i - 1], nRegion);
    arrRanked[i].nRank = bTie ? arrRanked[i - 1].nRank : static_cast<int>(i + 1);
  }
}

std::vector<std::string> RegionNames(const CCalculator& calculator) {
  std::vector<std::string> arrName;
  const CMonster* pMonster = calculator.GetSelectedMonster();
  if (pMonster == nullptr) return arrName;
  for (const CMonster::Regio_t& region : pMonster->GetRegions()) arrName.push_back(region.strName);
  return arrName;
}
