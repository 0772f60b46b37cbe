#include "model/CategoryTable.h"

const CategoryInfo_t* FindCategory(int nCategory) {
  if (nCategory < 0 || nCategory >= CATEGORY_COUNT) return nullptr;
  return &kCategoryTable[static_cast<size_t>(nCategory)];
}

std::vector<std::string_view> DataFileStems() {
  std::vector<std::string_view> arrStem{kMonsterFileStem};
  for (const CategoryInfo_t& category : kCategoryTable) arrStem.push_back(category.strStem);
  return arrStem;
}

std::unique_ptr<CWeapon> CreateWeapon(int nCategory) {
  const CategoryInfo_t* pInfo = FindCategory(nCategory);
  if (!pInfo) return nullptr;
  return std::make_unique<CWeapon>(static_cast<eWEAPON_CATEGORY>(nCategory), pInfo->eDamageType,
                                   pInfo->dAttackCoef, pInfo->dElementCoef);
}
