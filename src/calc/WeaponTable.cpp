#include "calc/WeaponTable.h"

#include <algorithm>
#include <array>

#include "calc/Calculator.h"
#include "calc/TextTable.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"

namespace {

constexpr std::array<std::string_view, 8> kColumnName{"rank",  "weapon",    "attack", "element",
                                                      "value", "sharpness", "total",  "region"};

int64_t RegionDamage(const RankedWeapon_t& row, std::optional<size_t> nRegion) {
  return nRegion && *nRegion < row.arrDamage.size() ? row.arrDamage[*nRegion] : 0;
}

// The element indexes a weapon shows, ascending.
std::vector<int> ElementsShown(int32_t nElementMask) {
  std::vector<int> arrElement;
  for (int i = 0; i < ELEMENT_COUNT; ++i) {
    if (HasElement(nElementMask, i)) arrElement.push_back(i);
  }
  return arrElement;
}

bool SortsBefore(const RankedWeapon_t& a, const RankedWeapon_t& b,
                 const WeaponTableRequest_t& request) {
  switch (request.eSort) {
    case eWEAPON_COLUMN::Weapon: return a.strName < b.strName;
    case eWEAPON_COLUMN::Attack: return a.wAttack > b.wAttack;
    case eWEAPON_COLUMN::Element:
      return ElementsShown(a.nElementMask) < ElementsShown(b.nElementMask);
    case eWEAPON_COLUMN::ElementValue: return a.wElement > b.wElement;
    case eWEAPON_COLUMN::Sharpness: return a.nSharpness > b.nSharpness;
    case eWEAPON_COLUMN::Total: return a.nTotal > b.nTotal;
    case eWEAPON_COLUMN::Region:
      return RegionDamage(a, request.nRegion) > RegionDamage(b, request.nRegion);
    case eWEAPON_COLUMN::Rank: return a.nRank < b.nRank;
  }
  return false;
}

bool Shown(const RankedWeapon_t& row, const WeaponTableRequest_t& request) {
  if (request.nElement && !HasElement(row.nElementMask, *request.nElement)) return false;
  return velkar::SjisContains(row.strName, request.strName);
}

}  // namespace

WeaponTable_t BuildWeaponTable(const CCalculator& calculator, const WeaponTableRequest_t& request) {
  WeaponTable_t table;
  const int nCategory = calculator.GetCategorySelection();
  if (nCategory != NO_SELECTION) {
    table.nCategory = calculator.GetCategories()[static_cast<size_t>(nCategory)].nCategory;
  }
  if (const CMonster* pMonster = calculator.GetSelectedMonster()) {
    table.strMonster = pMonster->GetName();
  }
  table.arrRegion = RegionNames(calculator);
  table.request = request;
  table.arrRow = RankWeaponsOf(calculator, request.nRegion, request.nSharpness);
  std::erase_if(table.arrRow, [&](const RankedWeapon_t& row) { return !Shown(row, request); });
  SortAndRank(table.arrRow, request.nRegion);
  std::stable_sort(table.arrRow.begin(), table.arrRow.end(),
                   [&](const RankedWeapon_t& a, const RankedWeapon_t& b) {
                     return request.bReverse ? SortsBefore(b, a, request)
                                             : SortsBefore(a, b, request);
                   });
  return table;
}

bool ListsAscending(const WeaponTableRequest_t& request) {
  const bool bNamesFirst = request.eSort == eWEAPON_COLUMN::Rank ||
                           request.eSort == eWEAPON_COLUMN::Weapon ||
                           request.eSort == eWEAPON_COLUMN::Element;
  return bNamesFirst != request.bReverse;
}

std::string WeaponTableText(const WeaponTable_t& table) {
  const std::optional<size_t> nRegion = table.request.nRegion;
  const bool bRegion = nRegion && *nRegion < table.arrRegion.size();
  std::vector<TextTableLine_t> arrLine{
      {"rank", "weapon", "attack", "element", "value", "sharpness", "total"}};
  if (bRegion) arrLine.front().push_back(table.arrRegion[*nRegion]);
  for (const RankedWeapon_t& row : table.arrRow) {
    TextTableLine_t& line = arrLine.emplace_back();
    line = {std::to_string(row.nRank),    row.strName,
            std::to_string(row.wAttack),  row.strElement,
            std::to_string(row.wElement), CDataManager::GetSharpnessName(row.nSharpness),
            std::to_string(row.nTotal)};
    if (bRegion) line.push_back(std::to_string(RegionDamage(row, nRegion)));
  }
  std::vector<bool> arrRight{true, false, true, false, true, false, true};
  if (bRegion) arrRight.push_back(true);
  return FormatTextTable(arrLine, arrRight);
}

std::string_view WeaponColumnName(eWEAPON_COLUMN eColumn) {
  return kColumnName[static_cast<size_t>(eColumn)];
}

std::optional<eWEAPON_COLUMN> WeaponColumnOf(std::string_view strName) {
  const auto it = std::find(kColumnName.begin(), kColumnName.end(), strName);
  if (it == kColumnName.end()) return std::nullopt;
  return static_cast<eWEAPON_COLUMN>(it - kColumnName.begin());
}

std::string WeaponColumnNames() {
  std::string strNames;
  for (std::string_view strName : kColumnName) {
    strNames += (strNames.empty() ? "" : ", ") + std::string(strName);
  }
  return strNames;
}

std::optional<int> ElementOfName(std::string_view strName) {
  for (int i = 0; i < ELEMENT_COUNT; ++i) {
    if (CDataManager::GetElementName(i) == strName) return i;
  }
  return std::nullopt;
}

bool HasElement(int32_t nElementMask, int nElement) {
  if (nElementMask == 0) return nElement == ELEMENT_NONE;
  return nElement >= 0 && nElement < ELEMENT_COUNT &&
         ((static_cast<uint32_t>(nElementMask) >> nElement) & 1U) != 0;
}
