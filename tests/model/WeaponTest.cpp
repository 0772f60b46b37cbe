// CWeapon and its eight category classes: the values each class fixes, the
// factory by category number, and the status round trip.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>

#include "model/WeaponClasses.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

struct CategoryCase_t {
  const char* szName;
  std::function<std::unique_ptr<CWeapon>()> fnCreate;  // the class's default constructor
  eWEAPON_CATEGORY eCategory;
  eDAMAGE_TYPE eDamageType;
  double dAttackCoef;
  double dElementCoef;
};

template <class T>
std::unique_ptr<CWeapon> Make() {
  return std::make_unique<T>();
}

class CategoryTest : public ::testing::TestWithParam<CategoryCase_t> {};

// The coefficients are compared exactly with the doubles nearest to the
// decimals: the damage arithmetic depends on their last bits.
TEST_P(CategoryTest, ClassFixesCategoryValues) {
  const CategoryCase_t& c = GetParam();
  const std::unique_ptr<CWeapon> pWeapon = c.fnCreate();
  EXPECT_EQ(pWeapon->GetCategory(), c.eCategory);
  EXPECT_EQ(pWeapon->GetDamageType(), c.eDamageType);
  EXPECT_EQ(pWeapon->GetAttackCoef(), c.dAttackCoef);
  EXPECT_EQ(pWeapon->GetElementCoef(), c.dElementCoef);
  EXPECT_TRUE(pWeapon->GetName().empty());
}

TEST_P(CategoryTest, FactoryMakesTheCategoryClass) {
  const CategoryCase_t& c = GetParam();
  const std::unique_ptr<CWeapon> pExpected = c.fnCreate();
  const std::unique_ptr<CWeapon> pWeapon = CreateWeapon(c.eCategory);
  ASSERT_NE(pWeapon, nullptr);
  EXPECT_EQ(typeid(*pWeapon), typeid(*pExpected));
}

const CategoryCase_t kCategoryCases[] = {
    {"Sword", Make<CSword>, CATEGORY_SWORD, DAMAGE_CUT, 1.4, 1.0},
    {"DualSword", Make<CDualSword>, CATEGORY_DUALSWORD, DAMAGE_CUT, 1.4, 0.7},
    {"GreatSword", Make<CGreatSword>, CATEGORY_GREATSWORD, DAMAGE_CUT, 4.8, 1.0},
    {"Katana", Make<CKatana>, CATEGORY_KATANA, DAMAGE_CUT, 4.8, 1.0},
    {"Lance", Make<CLance>, CATEGORY_LANCE, DAMAGE_CUT_OR_IMPACT, 2.3, 1.0},
    {"GunLance", Make<CGunLance>, CATEGORY_GUNLANCE, DAMAGE_CUT_OR_IMPACT, 2.3, 1.0},
    {"Hummer", Make<CHummer>, CATEGORY_HUMMER, DAMAGE_IMPACT, 5.2, 1.0},
    {"HuntingHorn", Make<CHuntingHorn>, CATEGORY_HUNTINGHORN, DAMAGE_IMPACT, 5.2, 1.0},
};

INSTANTIATE_TEST_SUITE_P(Classes, CategoryTest, ::testing::ValuesIn(kCategoryCases),
                         RowName<CategoryCase_t>);

TEST(CreateWeapon, NoClassOutsideTheEightCategories) {
  EXPECT_EQ(CreateWeapon(-1), nullptr);
  EXPECT_EQ(CreateWeapon(CATEGORY_COUNT), nullptr);
  EXPECT_EQ(CreateWeapon(INT_MIN), nullptr);
}

// SetStatus stores and GetStatus gives back the five values unchanged,
// whatever their range; names are Shift-JIS bytes kept byte for byte.
struct StatusCase_t {
  const char* szName;
  std::string strWeapon;
  uint16_t wAttack;
  uint16_t wElement;
  int32_t nElementMask;
  int32_t nSharpness;
};

class StatusTest : public ::testing::TestWithParam<StatusCase_t> {};

TEST_P(StatusTest, RoundTrip) {
  const StatusCase_t& c = GetParam();
  CGreatSword weapon;
  std::string strName = c.strWeapon;
  EXPECT_TRUE(weapon.SetStatus(strName, c.wAttack, c.wElement, c.nElementMask, c.nSharpness));
  strName.assign("changed");

  uint16_t wAttack = 1;
  uint16_t wElement = 1;
  int32_t nMask = 1;
  int32_t nSharpness = 1;
  EXPECT_TRUE(weapon.GetStatus(wAttack, wElement, nMask, nSharpness));
  EXPECT_EQ(weapon.GetName(), c.strWeapon);
  EXPECT_EQ(wAttack, c.wAttack);
  EXPECT_EQ(wElement, c.wElement);
  EXPECT_EQ(nMask, c.nElementMask);
  EXPECT_EQ(nSharpness, c.nSharpness);
}

const StatusCase_t kStatusCases[] = {
    {"GreatSwordName", velkar::ToSjis(u8"大剣"), 960, 300, 1 << ELEMENT_FIRE, 3},
    // "ソード表示" spelt out: its trail bytes 0x5C would pass for backslashes in a
    // byte-wise text handler.
    {"TrailByte5C", "\x83\x5c\x81\x5b\x83\x68\x95\x5c\x8e\xa6", 1, 0, 0, 0},
    {"HalfWidthKana", velkar::ToSjis(u8"ﾀﾞﾒｰｼﾞ-2"), 0, 0, 0, 5},
    {"EmptyName", "", 0, 0, 0, 0},
    {"Maximums", velkar::ToSjis(u8"大剣"), 65535, 65535, INT_MAX, INT_MAX},
    {"FireAndPoison", "x", 100, 250, (1 << ELEMENT_FIRE) | (1 << ELEMENT_POISON), 4},
    {"NegativeValues", "x", 100, 250, INT_MIN, -1},
};

INSTANTIATE_TEST_SUITE_P(Values, StatusTest, ::testing::ValuesIn(kStatusCases),
                         RowName<StatusCase_t>);

TEST(Weapon, TwoWeaponsOfOneCategoryDifferOnlyInStatus) {
  CLance first;
  CLance second;
  first.SetStatus("a", 460, 0, 0, 3);
  second.SetStatus("b", 300, 200, 1 << ELEMENT_DRAGON, 5);
  EXPECT_EQ(first.GetCategory(), second.GetCategory());
  EXPECT_EQ(first.GetDamageType(), second.GetDamageType());
  EXPECT_EQ(first.GetAttackCoef(), second.GetAttackCoef());
  EXPECT_EQ(first.GetElementCoef(), second.GetElementCoef());
  EXPECT_NE(first.GetName(), second.GetName());
}

}  // namespace
