#include "calc/WeaponRanking.h"

#include <algorithm>

#include "calc/Calculator.h"

namespace {

int64_t RankingKey(const RankedWeapon_t& ranked, std::optional<size_t> nRegion) {
  if (!nRegion) return ranked.nTotal;
  return *nRegion < ranked.arrDamage.size() ? ranked.arrDamage[*nRegion] : 0;
}

}  // namespace

std::vector<RankedWeapon_t> RankWeapons(CCalculator& calculator, std::optional<size_t> nRegion,
                                        const SharpnessSetter_t& fnSharpness) {
  std::vector<RankedWeapon_t> arrRanked;
  const std::vector<const CWeapon*> arrWeapon = calculator.GetWeapons();
  arrRanked.reserve(arrWeapon.size());
  for (size_t i = 0; i < arrWeapon.size(); ++i) {
    calculator.SelectWeapon(static_cast<int>(i));
    if (fnSharpness) fnSharpness(calculator);
    RankedWeapon_t& ranked = arrRanked.emplace_back();
    ranked.nWeapon = static_cast<int>(i);
    ranked.strName = arrWeapon[i]->GetName();
    int32_t nOwnSharpness = 0;
    arrWeapon[i]->GetStatus(ranked.wAttack, ranked.wElement, ranked.nElementMask, nOwnSharpness);
    ranked.strElement = ElementNames(ranked.nElementMask);
    ranked.nSharpness = calculator.GetSharpnessPosition();
    for (const ResultRow_t& row : calculator.GetResultRows()) {
      ranked.arrDamage.push_back(row.nDamage);
      ranked.nTotal += row.nDamage;
    }
  }
  SortAndRank(arrRanked, nRegion);
  return arrRanked;
}

std::vector<RankedWeapon_t> RankWeaponsOf(const CCalculator& calculator,
                                          std::optional<size_t> nRegion,
                                          std::optional<int> nSharpness) {
  CCalculator copy = calculator;
  if (!nSharpness) return RankWeapons(copy, nRegion, {});
  return RankWeapons(copy, nRegion, [nPosition = *nSharpness](CCalculator& each) {
    each.ReleaseSharpness(nPosition);
  });
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
