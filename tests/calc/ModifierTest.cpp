// The 24 modifier flags: exclusive groups, the mask they pack into, and the
// table the window and the report take their captions from. SetModifier's
// recalculation does nothing here, as no weapon is selected.
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "calc/Calculator.h"
#include "calc/ModifierTable.h"
#include "platform/Cp932.h"

namespace {

struct ModifierCase_t {
  const char* pszName;
  std::vector<std::pair<int, bool>> arrClick;  // control id, new ticked state
  uint32_t nMask;
};

class ModifierGroupTest : public ::testing::TestWithParam<ModifierCase_t> {};

TEST_P(ModifierGroupTest, ClicksLeaveTheExpectedMask) {
  CCalculator calc;
  for (const auto& [nId, bTicked] : GetParam().arrClick) calc.SetModifier(nId, bTicked);
  EXPECT_EQ(calc.BuildModifierMask(), GetParam().nMask);
  for (const ModifierInfo_t& info : GetModifierTable()) {
    EXPECT_EQ(calc.GetModifier(info.nControlId), (GetParam().nMask & info.GetMask()) != 0)
        << "control " << info.nControlId;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Modifier, ModifierGroupTest,
    ::testing::Values(
        ModifierCase_t{"NoneTicked", {}, 0},
        // 鬼神笛 then 怪力の丸薬: same group, the second wins (bit 9).
        ModifierCase_t{"OniFueThenKairiki", {{1028, true}, {1029, true}}, 0x200},
        ModifierCase_t{"KaishinClearsMinusKaishin", {{1041, true}, {1040, true}}, 0x800000},
        ModifierCase_t{"MinusKaishinClearsKaishin", {{1040, true}, {1041, true}}, 0x1000000},
        ModifierCase_t{"KajibaClearsShinpai", {{1039, true}, {1038, true}}, 0x200000},
        ModifierCase_t{"ShinpaiClearsKajiba", {{1038, true}, {1039, true}}, 0x400000},
        ModifierCase_t{"AttackUpLargeClearsSmall", {{1018, true}, {1020, true}}, 0x10000},
        ModifierCase_t{"HornLastOneStays", {{1034, true}, {1037, true}}, 0x100000},
        ModifierCase_t{"FoodClearsDrug", {{1024, true}, {1027, true}}, 0x80},
        ModifierCase_t{
            "UntickingTheSetMemberClearsTheGroup", {{1023, true}, {1024, true}, {1024, false}}, 0},
        ModifierCase_t{
            "UntickingAnotherMemberAlsoClearsTheGroup", {{1023, true}, {1025, false}}, 0},
        // 力の護符, 力の爪, 練気MAX belong to no group; 攻撃力UP(大) to its own.
        ModifierCase_t{
            "FreeOnesCombine", {{1021, true}, {1022, true}, {1033, true}, {1020, true}}, 0x12006},
        ModifierCase_t{
            "UntickingAFreeOneTouchesNoOther", {{1021, true}, {1022, true}, {1021, false}}, 0x4},
        // One of each group: 0x4000 | 0x20000 | 0x8 | 0x100 | 0x200000 | 0x800000.
        ModifierCase_t{
            "OneOfEachGroup",
            {{1018, true}, {1034, true}, {1023, true}, {1028, true}, {1038, true}, {1040, true}},
            0xA24108},
        // Every box in id order: the last of each group and the three free ones
        // stay: 1020, 1021, 1022, 1027, 1032, 1033, 1037, 1039, 1041.
        ModifierCase_t{
            "EveryBoxInIdOrder",
            {{1018, true}, {1019, true}, {1020, true}, {1021, true}, {1022, true}, {1023, true},
             {1024, true}, {1025, true}, {1026, true}, {1027, true}, {1028, true}, {1029, true},
             {1030, true}, {1031, true}, {1032, true}, {1033, true}, {1034, true}, {1035, true},
             {1036, true}, {1037, true}, {1038, true}, {1039, true}, {1040, true}, {1041, true}},
            0x1513086},
        ModifierCase_t{
            "UnknownIdsAreIgnored", {{1017, true}, {1042, true}, {0, true}, {-1, true}}, 0}),
    [](const auto& row) { return std::string(row.param.pszName); });

TEST(ModifierTable, BitsCoverOneToTwentyFourOnceEach) {
  uint32_t nAll = 0;
  for (const ModifierInfo_t& info : GetModifierTable()) {
    EXPECT_EQ(nAll & info.GetMask(), 0U) << "control " << info.nControlId;
    nAll |= info.GetMask();
  }
  EXPECT_EQ(nAll, 0x1FFFFFEU);
}

TEST(ModifierTable, EntriesAreInControlIdOrder) {
  int nExpected = 1018;
  for (const ModifierInfo_t& info : GetModifierTable()) EXPECT_EQ(info.nControlId, nExpected++);
}

struct TableRow_t {
  int nId;
  uint32_t nMask;
  std::u8string_view strCaption;
  int nGroup;
};

class ModifierTableRowTest : public ::testing::TestWithParam<TableRow_t> {};

TEST_P(ModifierTableRowTest, LookupByControlId) {
  const ModifierInfo_t* pInfo = FindModifier(GetParam().nId);
  ASSERT_NE(pInfo, nullptr);
  EXPECT_EQ(pInfo->nControlId, GetParam().nId);
  EXPECT_EQ(pInfo->GetMask(), GetParam().nMask);
  EXPECT_EQ(std::string(pInfo->strCaption), velkar::ToSjis(GetParam().strCaption));
  EXPECT_EQ(pInfo->nGroup, GetParam().nGroup);
}

INSTANTIATE_TEST_SUITE_P(
    Modifier, ModifierTableRowTest,
    ::testing::Values(TableRow_t{1018, 0x4000, u8"攻撃力UP(小)", 1018},
                      TableRow_t{1020, 0x10000, u8"攻撃力UP(大)", 1018},
                      TableRow_t{1021, 0x2, u8"力の護符", 0}, TableRow_t{1022, 0x4, u8"力の爪", 0},
                      TableRow_t{1027, 0x80, u8"食事(大)", 1023},
                      TableRow_t{1030, 0x400, u8"怪力の種(自前・広域+2)", 1028},
                      TableRow_t{1033, 0x2000, u8"練気MAX", 0},
                      TableRow_t{1034, 0x20000, u8"笛・攻撃力強化(小)", 1034},
                      TableRow_t{1037, 0x100000, u8"笛・攻撃力強化(大重複)", 1034},
                      TableRow_t{1039, 0x400000, u8"心配性", 1038},
                      TableRow_t{1041, 0x1000000, u8"マイナス会心", 1040}),
    [](const auto& row) { return std::to_string(row.param.nId); });

TEST(ModifierTable, IdsOutsideTheBoxesAreUnknown) {
  EXPECT_EQ(FindModifier(1017), nullptr);
  EXPECT_EQ(FindModifier(1042), nullptr);
  CCalculator calc;
  EXPECT_FALSE(calc.GetModifier(1042));
  EXPECT_FALSE(calc.IsModifierEnabled(1017));
}

}  // namespace
