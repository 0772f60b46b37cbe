// The 24 modifier flags: exclusive groups and the mask they pack into.
// SetModifier's recalculation does nothing here, as no weapon is selected.
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "calc/Calculator.h"
#include "calc/ModifierTable.h"
#include "support/RowName.h"

namespace {

struct ModifierRow_t {
  const char* szName;
  std::vector<std::pair<int, bool>> arrClick;  // control id, new ticked state
  uint32_t nMask;
};

class ModifierGroupTest : public ::testing::TestWithParam<ModifierRow_t> {};

TEST_P(ModifierGroupTest, ClicksLeaveTheExpectedMask) {
  CCalculator calc;
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
    {"UnknownIdsAreIgnored", {{1017, true}, {1042, true}, {-1, true}}, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, ModifierGroupTest, ::testing::ValuesIn(kModifierRows),
                         RowName<ModifierRow_t>);

// What does not stack: the three 攻撃力UP; 鬼神薬, 鬼神弾 and meals; 鬼神笛,
// 怪力 and ドキドキノコ; the horn's songs; 火事場力+2 and 心配性; 会心 and
// マイナス会心. 力の護符, 力の爪 and 練気MAX stack with anything. Ticking one box
// after another keeps the first exactly when they are in different groups.
TEST(ModifierTable, TickingOneClearsExactlyItsGroup) {
  // clang-format off
  const std::vector<std::vector<int>> arrGroup = {
      {1018, 1019, 1020}, {1021}, {1022}, {1023, 1024, 1025, 1026, 1027},
      {1028, 1029, 1030, 1031, 1032}, {1033}, {1034, 1035, 1036, 1037}, {1038, 1039}, {1040, 1041}};
  // clang-format on
  for (const std::vector<int>& group : arrGroup) {
    for (const int nFirst : group) {
      EXPECT_EQ(ModifierGroupMembers(*FindModifier(nFirst)),
                group.size() > 1 ? group : std::vector<int>{});
      for (const std::vector<int>& other : arrGroup) {
        for (const int nSecond : other) {
          CCalculator calc;
          calc.SetModifier(nFirst, true);
          calc.SetModifier(nSecond, true);
          EXPECT_EQ(calc.GetModifier(nFirst), nFirst == nSecond || &group != &other)
              << nFirst << " then " << nSecond;
        }
      }
    }
  }
}

}  // namespace
