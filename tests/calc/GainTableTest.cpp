// What each modifier and sharpness level would change, and what a box's
// tooltip says of it (ticking, ticking in place of another, unticking),
// worked by hand on the calculator's test data: ハンターナイフ (attack 280 /
// 1.4 = 200, green: physical x1.125, hit rate 100) against ドラゴン (cut 頭 45,
// 尻尾 30, 腹 90, 甲殻 22) with one 斬り下ろし [20], level 100 %: raw r = 20 *
// B / 100 and each region takes cut * r * 1.125 / 100, truncated. B = 200:
// r = 40 gives 20.25, 13.5, 40.5, 9.9 -> 20, 13, 40, 9, total 82.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "calc/CalcTestData.h"
#include "calc/GainTable.h"
#include "calc/GainText.h"
#include "support/RecordPrinters.h"
#include "support/RowName.h"

using namespace calctest;

namespace {

struct GainRow_t {
  const char* szName;
  std::vector<int> arrTicked;  // boxes ticked before
  int nControlId;              // the gain looked at: a box, or 0 for
  int nSharpness;              //   the sharpness level
  Gain_t expected;
  std::u8string_view strTip;  // the box's tooltip
};

class GainTableTest : public CalculatorFixture, public ::testing::WithParamInterface<GainRow_t> {};

TEST_P(GainTableTest, ChangeOfEveryRegionAndTheTotal) {
  const GainRow_t& row = GetParam();
  StartWithKnife();
  for (const int nId : row.arrTicked) m_calc.SetModifier(nId, true);
  const std::optional<GainTable_t> table = ComputeGains(m_calc);
  ASSERT_TRUE(table);
  const auto it = std::find_if(table->arrGain.begin(), table->arrGain.end(), [&](const Gain_t& g) {
    return row.nControlId != 0 ? g.nControlId == row.nControlId
                               : g.eKind == eGAIN_KIND::Sharpness && g.nSharpness == row.nSharpness;
  });
  ASSERT_NE(it, table->arrGain.end());
  EXPECT_EQ(*it, row.expected);
  if (row.nControlId != 0) {
    const ModifierInfo_t* pInfo = FindModifier(row.nControlId);
    ASSERT_NE(pInfo, nullptr);
    EXPECT_EQ(ModifierTipText(*pInfo, table), ToSjis(row.strTip));
  }
}

Gain_t Box(int nId, bool bTick, int nReplaced, std::vector<int64_t> arrDamage) {
  Gain_t gain{eGAIN_KIND::Modifier, nId, bTick, nReplaced, true, 0, arrDamage, 0};
  for (const int64_t nChange : arrDamage) gain.nTotal += nChange;
  return gain;
}

Gain_t Level(int nSharpness, std::vector<int64_t> arrDamage) {
  Gain_t gain = Box(0, true, 0, std::move(arrDamage));
  gain.eKind = eGAIN_KIND::Sharpness;
  gain.nSharpness = nSharpness;
  return gain;
}

// clang-format off
const GainRow_t kGainRows[] = {
    // From マイナス会心 (B = 150, r = 30: 15, 10, 30, 7) to 会心 (x1.25: B = 250, r =
    // 50: 25.3125, 16.875, 50.625, 12.375).
    {"TickKaishinReplacesMinus", {1041}, 1040, 0, Box(1040, true, 1041, {10, 6, 20, 5}),
     u8"攻撃力 ×1.25\n同時に選べない：マイナス会心\nチェックすると（マイナス会心 は外れます）合計 +41"},
    // 力の護符 +5: B = 205, r = 41: 20.75625, 13.8375, 41.5125, 10.1475.
    {"TickGofu", {}, 1021, 0, Box(1021, true, 0, {0, 0, 1, 1}), u8"攻撃力 +5\nチェックすると合計 +2"},
    {"UntickGofu", {1021}, 1021, 0, Box(1021, false, 0, {0, 0, -1, -1}),
     u8"攻撃力 +5\nチェックを外すと合計 -2"},
    // 怪力の丸薬 +25 in place of 鬼神笛 +10: B = 210 (r = 42: 21.2625,
    // 14.175, 42.525, 10.395) to 225 (r = 45: 22.78125, 15.1875, 45.5625, 11.1375).
    {"TickKairikiReplacesOniFue", {1028}, 1029, 0, Box(1029, true, 1028, {1, 1, 3, 1}),
     u8"攻撃力 +25\n同時に選べない：鬼神笛、怪力の種(自前・広域+2)、怪力の種(広域+1)、ドキドキノコでUP\n"
     u8"チェックすると（鬼神笛 は外れます）合計 +6"},
    // White: x1.3: 23.4, 15.6, 46.8, 11.44.
    {"SharpnessWhite", {}, 0, 5, Level(5, {3, 2, 6, 2}), {}},
    // Red: x0.5 and the low hit rate, 100: 9, 6, 18, 4.4.
    {"SharpnessRed", {}, 0, 0, Level(0, {-11, -7, -22, -5}), {}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, GainTableTest, ::testing::ValuesIn(kGainRows), RowName<GainRow_t>);

// Largest first: x1.3 of 笛(大重複) and 火事場力+2 (B = 260: +6 +4 +12 +3)
// tie and keep their id order, then 会心 +21, then the two x1.2 (B = 240:
// 24.3, 16.2, 48.6, 11.88: +17); then red -45, and last 練気MAX, which a
// knife cannot use. Without motions nothing
// changes and the ids' order stays. (Gains by one region are the tool's gains
// test, on a region where that order differs from the total's.)
TEST_F(CalculatorFixture, GainsLargestFirstByTheTotal) {
  StartWithKnife();
  std::vector<int> arrOrder;
  const std::optional<GainTable_t> table = ComputeGains(m_calc);
  ASSERT_TRUE(table);
  for (const Gain_t& gain : table->arrGain) {
    arrOrder.push_back(gain.eKind == eGAIN_KIND::Sharpness ? gain.nSharpness : gain.nControlId);
  }
  EXPECT_EQ(std::vector<int>(arrOrder.begin(), arrOrder.begin() + 5),
            (std::vector<int>{1037, 1038, 1040, 1035, 1036}));
  EXPECT_EQ(arrOrder[arrOrder.size() - 2], 0);
  Gain_t renki = Box(1033, true, 0, {0, 0, 0, 0});  // +10 would add 1, 1, 2, 1
  renki.bEnabled = false;
  EXPECT_EQ(table->arrGain.back(), renki);
  m_calc.ClearChosenMotions();
  const std::optional<GainTable_t> unchanged = ComputeGains(m_calc);
  ASSERT_TRUE(unchanged);
  ASSERT_FALSE(unchanged->arrGain.empty());
  EXPECT_EQ(unchanged->arrGain.front(), Box(1018, true, 0, {0, 0, 0, 0}));
}

}  // namespace
