// The breakdown of one row in its three forms, worked by hand: the exact
// text with 17 significant digits, the window's hit table and its tooltip
// summary with the line cap.
#include <gtest/gtest.h>

#include "CalcTestData.h"
#include "calc/HitBreakdownText.h"
#include "calc/HitTable.h"

using namespace calctest;

namespace {

// The knife with 力の護符: B = 280 / 1.4 + 5 = 205; green (1.125), 通常 100 %,
// 下位 100 %, ドラゴン angry (200 - 90 = 110 %); 斬り下ろし [20] at rate 100:
// r = 41. The belly row, 腹 90: P = 41.5125, e = 101.25 (high),
// T x 1.1 = 45.66375 -> 45. The 17 digits show the last bits of a double.
TEST_F(CalculatorFixture, BellyRowWorkedByHand) {
  StartWithKnife();
  m_calc.SetModifier(1021, true);
  m_calc.SetAnger(true);
  const CalcExplanation_t row = m_calc.ExplainRow(2).value();

  EXPECT_EQ(BuildHitBreakdownText(row),
            ToSjis(u8"sharpness 3: physical x1.125, element x1\n"
                   "hit correction 100%: h 1\n"
                   "modifiers: bonus +5, factor x1; base attack B 205\n"
                   "level 100%; angry 110%\n"
                   "腹: physical 90%, element 0%, damage 45 (high)\n"
                   "  motion 1 斬り下ろし, hit 1: mv 20, raw r 41, rate m 100%, "
                   "physical P 41.512500000000003, effective e 101.25000000000001 (high), "
                   "element E 0, total T 41.512500000000003, after anger 45.66375, truncated 45, "
                   "running 45\n"));
  EXPECT_EQ(HitTableText(BuildHitTable(row)),
            ToSjis(u8"ハンターナイフ → ドラゴン（下位）\n"
                   "腹：物理 90%、属性 0%、ダメージ 45（よく効く）\n"
                   "切れ味：緑（物理 ×1.125、属性 ×1）\n"
                   "当たり方修正：100%\n"
                   "スキル・アイテム：攻撃力 +5、×1（基礎攻撃力 205）\n"
                   "レベル補正：100%、怒り：110%\n"
                   "\n"
                   "攻撃\tヒット\tモーション値\t素の値\t物理\t属性\t合計\t加算\t累計\n"
                   "1 斬り下ろし\t1\t20\t41.00\t41.51\t0.00\t45.66\t45\t45\n"));
}

// Four slashes and a thrust [10, 12] on the head: 20 x 4 + 5 + 6 = 91; a
// slash is exactly 20.25 before truncation, a tie rounded to even. The
// summary's cap of three lines keeps two motions and counts the other three.
TEST_F(CalculatorFixture, TableAddsUpAndSummaryKeepsToItsCap) {
  StartWithKnife();
  m_calc.AddChosenMotion(kThrust);
  for (int i = 0; i < 3; ++i) m_calc.AddChosenMotion(kSlash);
  const CalcExplanation_t row = m_calc.ExplainRow(0).value();
  const HitTable_t table = BuildHitTable(row);
  ASSERT_EQ(table.arrRow.size(), 6U);
  EXPECT_EQ(table.arrRow[2][0] + table.arrRow[2][1], ToSjis(u8"2 突き2"));
  EXPECT_EQ(table.arrRow[5][8], "91");
  EXPECT_EQ(velkar::SjisToUtf8(BuildRowSummary(row, 3)),
            "頭：物理 45%、属性 0%、ダメージ 91（通常）\n"
            "攻撃1 斬り下ろし（1ヒット）：+20（20.2）\n"
            "攻撃2 突き（2ヒット）：+11（11.1）\n"
            "…ほか 3 件の攻撃\n"
            "（ ）は切り捨て前。ダブルクリックで全ヒットの表\n");
}

}  // namespace
