// The clipboard report of a calculator's state, its damage lines padded by
// bytes, and why a report cannot be built.
#include <gtest/gtest.h>

#include "CalcTestData.h"
#include "calc/ReportText.h"

using namespace calctest;

namespace {

// 攻撃力UP(小) +3 and 会心 x1.25: B = (280 / 1.4 + 3) x 1.25 = 253.75, so the
// raw values are r = 50.75 (mv 20), 25.375 (10) and 30.45 (12). Green x1.125,
// hit 100 %, level 100 %, angry: x 1.1. Thrust at cut rate 50 %.
//   頭 45:  slash 45 x 50.75 x 1.125 x 0.01 x 1.1 = 28.26 -> 28, thrust
//          7.07 -> 7 and 8.48 -> 8; 28 + 7 + 8 + 28 = 71.
//   尻尾 30: 18 + 4 + 5 + 18 = 45.  腹 90: 56 + 14 + 16 + 56 = 142.
//   甲殻 22: 13 + 3 + 4 + 13 = 33.
// Modifiers ticked out of order are listed by control id.
TEST_F(CalculatorFixture, ReportOfTheCalculatorState) {
  Start();
  m_calc.SelectWeapon(kKnife);
  m_calc.SetAnger(true);
  m_calc.SetModifier(1040, true);
  m_calc.SetModifier(1018, true);
  for (int nMotion : {kSlash, kThrust, kSlash}) m_calc.AddChosenMotion(nMotion);
  EXPECT_EQ(
      BuildReportFromCalculator(m_calc),
      ToSjis(u8"使用武器：片手剣/ハンターナイフ\r\n切れ味：緑\r\n"
             u8"攻撃対象：ドラゴン(怒り状態)\r\n"
             u8"モンスターLv：下位\r\n当たり方修正：通常\r\n"
             u8"\r\n[スキル/アイテム修正]\r\n攻撃力UP(小)\r\n会心\r\n"
             u8"\r\n[攻撃リスト]\r\n斬り下ろし\r\n突き\r\n斬り下ろし\r\n"
             u8"\r\n[最終ダメージ]\r\n部位      |物理/属性|結果\r\n----------+---------+-----\r\n"
             u8"頭        | 45%/  0%|  71\r\n"
             u8"尻尾      | 30%/  0%|  45\r\n"
             u8"腹        | 90%/  0%| 142\r\n"
             u8"甲殻      | 22%/  0%|  33\r\n"));
}

// The report names the category of the weapon and needs every selection;
// the first one missing names the reason (the window's report button test
// has the one for no weapon).
TEST_F(CalculatorFixture, ReportNeedsEverySelection) {
  Start();
  m_calc.SelectCategory(kListHummer);
  m_calc.SelectWeapon(0);
  EXPECT_EQ(ReportUnavailableReason(m_calc), "");
  EXPECT_EQ(BuildReportFromCalculator(m_calc),
            ToSjis(u8"使用武器：ハンマー/"
                   u8"ハンマーA\r\n切れ味：緑\r\n攻撃対象：ドラゴン\r\nモンスターLv：下位\r\n"
                   u8"当たり方修正：通常\r\n\r\n[スキル/アイテム修正]\r\n\r\n[攻撃リスト]\r\n\r\n"
                   u8"[最終ダメージ]\r\n部位      |物理/属性|結果\r\n----------+---------+-----\r\n"
                   u8"頭        | 60%/  0%|   0\r\n尻尾      | 25%/  0%|   0\r\n"
                   u8"腹        | 90%/  0%|   0\r\n甲殻      | 15%/  0%|   0\r\n"));
  m_calc.SelectLevel(NO_SELECTION);
  EXPECT_EQ(BuildReportFromCalculator(m_calc), std::nullopt);
  m_calc.SelectLevel(0);
  m_calc.SelectCategory(kListLance);  // no hit pattern in that category
  m_calc.SelectWeapon(0);
  EXPECT_EQ(BuildReportFromCalculator(m_calc), std::nullopt);
  EXPECT_EQ(ReportUnavailableReason(m_calc),
            ToSjis(u8"当たり方修正が選ばれていないため、コピーできません"));
  m_calc.SelectMonster(NO_SELECTION);
  EXPECT_EQ(ReportUnavailableReason(m_calc),
            ToSjis(u8"モンスターが選ばれていないため、コピーできません"));
}

}  // namespace
