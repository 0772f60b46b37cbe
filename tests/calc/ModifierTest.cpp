// The 24 modifier flags: exclusive groups and the mask they pack into.
// SetModifier's recalculation does nothing here, as no weapon is selected.
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "model/ModifierTable.h"
#include "support/RowName.h"

namespace {

struct ModifierRow_t {
  const char* szName;
  std::vector<std::pair<int, bool>> arrClick;  // control id, new ticked state
  uint32_t nMask;
};

class ModifierGroupTest : public ::testing::TestWithParam<ModifierRow_t> {};

TEST_P(ModifierGroupTest, ClicksLeaveTheExpectedMask) {
  const CDataManager store("");
  CCalculator calc(store);
  for (const auto& [nId, bTicked] : GetParam().arrClick) calc.SetModifier(nId, bTicked);
  EXPECT_EQ(calc.BuildModifierMask(), GetParam().nMask);
  for (int nId = 1017; nId <= 1042; ++nId) {
    const ModifierInfo_t* pInfo = FindModifier(nId);
    EXPECT_EQ(calc.GetModifier(nId), pInfo && (GetParam().nMask & pInfo->GetMask()) != 0) << nId;
  }
}

const ModifierRow_t kModifierRows[] = {
    {"UntickingAnotherMemberClearsTheGroup", {{1023, true}, {1025, false}}, 0},
    // 力の護符, 力の爪 and 練気MAX belong to no group.
    {"UntickingAFreeOneTouchesNoOther",
     {{1021, true}, {1022, true}, {1033, true}, {1021, false}},
     0x2004},
    {"UnknownIdsAreIgnored", {{1017, true}, {1099, true}, {-1, true}}, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, ModifierGroupTest, ::testing::ValuesIn(kModifierRows),
                         RowName<ModifierRow_t>);

// Every modifier, worked out by hand: its mask, the base attack it gives a
// weapon of attack / coefficient 200, and its exclusive group (its own id for
// none; a box ticked after another keeps that one exactly when their groups
// differ): the three 攻撃力UP; 鬼神薬, 鬼神弾 and meals; 鬼神笛, 怪力 and
// ドキドキノコ; the horn's songs; 火事場力+2 and 心配性; 会心 and マイナス会心.
struct EffectRow_t {
  const char* szName;
  int nControlId;
  uint32_t nMask;
  double dBase;
  int nGroup;
};

// clang-format off
const EffectRow_t kEffectRows[] = {
    {"AttackUpSmall", 1018, 0x4000, 203, 1018}, {"AttackUpMedium", 1019, 0x8000, 205, 1018},
    {"AttackUpLarge", 1020, 0x10000, 210, 1018}, {"PowerCharm", 1021, 0x2, 205, 1021},
    {"PowerTalon", 1022, 0x4, 209, 1022}, {"DemonDrug", 1023, 0x8, 203, 1023},
    {"MegaDemonDrug", 1024, 0x10, 205, 1023}, {"DemonBullet", 1025, 0x20, 203, 1023},
    {"SmallMeal", 1026, 0x40, 203, 1023}, {"LargeMeal", 1027, 0x80, 205, 1023},
    {"DemonFlute", 1028, 0x100, 210, 1028}, {"MightPill", 1029, 0x200, 225, 1028},
    {"MightSeedOwn", 1030, 0x400, 210, 1028}, {"MightSeedWide", 1031, 0x800, 205, 1028},
    {"Mushroom", 1032, 0x1000, 210, 1028}, {"RenkiMax", 1033, 0x2000, 210, 1033},
    {"SongSmall", 1034, 0x20000, 230, 1034}, {"SongSmallTwice", 1035, 0x40000, 240, 1034},
    {"SongLarge", 1036, 0x80000, 240, 1034}, {"SongLargeTwice", 1037, 0x100000, 260, 1034},
    {"Adrenaline", 1038, 0x200000, 260, 1038}, {"Worrier", 1039, 0x400000, 140, 1038},
    {"Critical", 1040, 0x800000, 250, 1040}, {"MinusCritical", 1041, 0x1000000, 150, 1040},
};
// clang-format on

class ModifierEffectTest : public ::testing::TestWithParam<EffectRow_t> {};

TEST_P(ModifierEffectTest, MaskAndBaseAttack) {
  const ModifierInfo_t* pInfo = FindModifier(GetParam().nControlId);
  uint8_t byBonus = 0;
  double dFactor = 0.0;
  CWeapon::CalcModifier(GetParam().nMask, byBonus, dFactor);
  EXPECT_EQ(pInfo ? pInfo->GetMask() : 0U, GetParam().nMask);
  EXPECT_DOUBLE_EQ((200 + byBonus) * dFactor, GetParam().dBase);
}

INSTANTIATE_TEST_SUITE_P(Rows, ModifierEffectTest, ::testing::ValuesIn(kEffectRows),
                         RowName<EffectRow_t>);

TEST(ModifierTable, TickingOneClearsExactlyItsGroup) {
  ASSERT_EQ(std::size(kEffectRows), kModifierTable.size()) << "a modifier lacks its row above";
  for (const EffectRow_t& first : kEffectRows) {
    for (const EffectRow_t& second : kEffectRows) {
      const CDataManager store("");
      CCalculator calc(store);
      calc.SetModifier(first.nControlId, true);
      calc.SetModifier(second.nControlId, true);
      EXPECT_EQ(calc.GetModifier(first.nControlId),
                &first == &second || first.nGroup != second.nGroup)
          << first.szName << " then " << second.szName;
    }
  }
}

}  // namespace
