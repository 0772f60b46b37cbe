// The weapon categories, one row each: the only list of them. A category's
// number (what data files, saved setups and build codes store) is its row's
// position. The data store takes file names and captions from here, every
// weapon its damage type and coefficients, the sample-data build
// (gamedata/CMakeLists.txt) and the web site the file stems, and the page
// gets the stems from the binding's names answer.
//
// Adding a category:
//   1. a row at the end of kCategoryTable, on one line in the form of the
//      others (the sample-data build reads the stems from these lines);
//   2. its caption, kCategory<Stem>, in src/texts/texts.txt;
//   3. its row in the class table of tests/engine/WeaponDamageTest.cpp,
//      worked out by hand;
//   4. its source, gamedata/<Stem>.ini, and the digests of its two sample
//      files in tests/data/sample-data.sha256 (a test fails without them).
// The window, the tool, the page, the data store, the packages and the codes
// need nothing more; a build code holds categories 0 to 15 (see the
// static_assert below).
#pragma once

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "VelkarTexts.h"
#include "model/GameEnums.h"
#include "model/Weapon.h"

struct CategoryInfo_t {
  std::string_view strStem;     // its data file is <stem>.dat, its source <stem>.ini
  std::string_view strCaption;  // Japanese display name (Shift-JIS)
  eDAMAGE_TYPE eDamageType;
  double dAttackCoef;   // the displayed attack is divided by it
  double dElementCoef;  // element damage is multiplied by it
};

// clang-format off
inline constexpr auto kCategoryTable = std::to_array<CategoryInfo_t>({
    {"Sword", txt::kCategorySword, DAMAGE_CUT, 1.4, 1.0},
    {"DualSword", txt::kCategoryDualSword, DAMAGE_CUT, 1.4, 0.7},
    {"GreatSword", txt::kCategoryGreatSword, DAMAGE_CUT, 4.8, 1.0},
    {"Katana", txt::kCategoryKatana, DAMAGE_CUT, 4.8, 1.0},
    {"Lance", txt::kCategoryLance, DAMAGE_CUT_OR_IMPACT, 2.3, 1.0},
    {"GunLance", txt::kCategoryGunLance, DAMAGE_CUT_OR_IMPACT, 2.3, 1.0},
    {"Hummer", txt::kCategoryHummer, DAMAGE_IMPACT, 5.2, 1.0},
    {"HuntingHorn", txt::kCategoryHuntingHorn, DAMAGE_IMPACT, 5.2, 1.0},
});
// clang-format on

inline constexpr int CATEGORY_COUNT = static_cast<int>(kCategoryTable.size());

// The stem of the monsters' data and source files (Monster.dat, Monster.ini).
inline constexpr std::string_view kMonsterFileStem = "Monster";

// Names in the enumeration must keep their rows.
static_assert(CATEGORY_HUNTINGHORN < CATEGORY_COUNT, "a named category lost its row");

// The row of a category number, or null outside the table.
const CategoryInfo_t* FindCategory(int nCategory);

// The stems of every data file: the monsters', then the categories' in order.
std::vector<std::string_view> DataFileStems();

// A new weapon of the category, or null for a number outside the table.
std::unique_ptr<CWeapon> CreateWeapon(int nCategory);
