// Enumerations shared by the game records: weapon categories, element and
// status kinds, and the physical damage type of a category.
#pragma once

#include <cstdint>

// Names of the weapon categories that rules refer to; the categories
// themselves, with their files and values, are the rows of CategoryTable.h.
enum eWEAPON_CATEGORY : int32_t {
  CATEGORY_SWORD = 0,
  CATEGORY_DUALSWORD = 1,
  CATEGORY_GREATSWORD = 2,
  CATEGORY_KATANA = 3,
  CATEGORY_LANCE = 4,
  CATEGORY_GUNLANCE = 5,
  CATEGORY_HUMMER = 6,
  CATEGORY_HUNTINGHORN = 7,
};

// Element and status kinds. Bit i of a weapon's element mask stands for kind i;
// a body region's element hitzones are indexed by it. Kinds 1 to 5 deal damage,
// 6 to 8 are status kinds that never do.
enum eELEMENT : int32_t {
  ELEMENT_NONE = 0,
  ELEMENT_FIRE = 1,
  ELEMENT_WATER = 2,
  ELEMENT_THUNDER = 3,
  ELEMENT_ICE = 4,
  ELEMENT_DRAGON = 5,
  ELEMENT_POISON = 6,
  ELEMENT_PARALYSIS = 7,
  ELEMENT_SLEEP = 8,
};
inline constexpr int ELEMENT_COUNT = 9;

// Which physical hitzone of a region a category's hits use.
enum eDAMAGE_TYPE : int32_t {
  DAMAGE_CUT = 0,            // the cut value
  DAMAGE_IMPACT = 1,         // the impact value
  DAMAGE_CUT_OR_IMPACT = 4,  // the larger of the two, cut on a tie
};

// Sharpness levels run from 0 (red) to 5 (white).
inline constexpr int SHARPNESS_MIN = 0;
inline constexpr int SHARPNESS_MAX = 5;
