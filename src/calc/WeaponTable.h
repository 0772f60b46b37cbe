// The weapon table of a category on the calculator's setup: every weapon
// with its attack, element names, element value, sharpness, total damage and,
// when a region is chosen, its damage on that region. Weapons are ranked by
// damage (WeaponRanking.h: the region's when one is chosen, else the total;
// equal damage shares a rank), may be filtered by element and by a part of
// their name (the ranks then count the weapons shown), and are listed in the
// order of the rank or of any column, either way round. velkar-tool rank prints it, and the
// window and the web page show the same table.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/WeaponRanking.h"

class CCalculator;

enum class eWEAPON_COLUMN { Rank, Weapon, Attack, Element, ElementValue, Sharpness, Total, Region };

struct WeaponTableRequest_t {
  std::optional<size_t> nRegion;  // index among the monster's regions
  std::optional<int> nSharpness;  // one position for every weapon; none: each its own
  std::optional<int> nElement;    // only weapons of this element (eELEMENT; 0: none)
  std::string strName;            // only weapons whose name holds it (Shift-JIS)
  eWEAPON_COLUMN eSort = eWEAPON_COLUMN::Rank;
  bool bReverse = false;  // the column's order turned round; ties stay in the order of their rank
};

struct WeaponTable_t {
  int nCategory = 0;                   // eWEAPON_CATEGORY value
  std::string strMonster;              // Shift-JIS
  std::vector<std::string> arrRegion;  // the monster's region names, in order
  WeaponTableRequest_t request;
  std::vector<RankedWeapon_t> arrRow;  // the weapons shown, in the requested order
};

// The table of the calculator's category on its selections (the calculator
// stays as it is; RankWeaponsOf evaluates each weapon). Numbers sort
// highest first, the weapon's name in Shift-JIS byte order and the elements in
// the order of their index; rows that tie keep the order of their rank.
// Sorting by the region without a region keeps the order of the rank.
WeaponTable_t BuildWeaponTable(const CCalculator& calculator, const WeaponTableRequest_t& request);

// True when the request lists its column lowest first: the rank, the name and
// the element unless reversed, a number only when reversed.
bool ListsAscending(const WeaponTableRequest_t& request);

// The table for a terminal: the columns rank, weapon, attack, element, value,
// sharpness (its colour name), total and, with a region, one named after it.
std::string WeaponTableText(const WeaponTable_t& table);

// A column's name as --sort and the JSON give it ("rank", "weapon", "attack",
// "element", "value", "sharpness", "total", "region"), and back.
std::string_view WeaponColumnName(eWEAPON_COLUMN eColumn);
std::optional<eWEAPON_COLUMN> WeaponColumnOf(std::string_view strName);
// Every column name, comma-separated, for messages.
std::string WeaponColumnNames();

// The element index of an element's name (Shift-JIS, as GetElementName gives
// it), or none.
std::optional<int> ElementOfName(std::string_view strName);

// True when a weapon of this element mask shows that element among its
// element names (an empty mask shows "無", element 0).
bool HasElement(int32_t nElementMask, int nElement);
