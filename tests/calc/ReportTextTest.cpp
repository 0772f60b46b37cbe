// The clipboard report: its four sections from plain values, the byte-counted
// padding of the damage lines, and the report of a calculator's state.
#include <gtest/gtest.h>

#include "CalcTestData.h"
#include "calc/ReportText.h"

using namespace calctest;

namespace {

const std::string kHeading =
    ToSjis(u8"\r\n[最終ダメージ]\r\n部位      |物理/属性|結果\r\n----------+---------+-----\r\n");

std::string Build(bool bAnger, const std::vector<std::string>& arrModifier,
                  const std::vector<std::string>& arrMotion,
                  const std::vector<ReportRow_t>& arrRow) {
  return BuildReportText(ToSjis(u8"大剣"), ToSjis(u8"バスターソード"), "Kirin", bAnger,
                         ToSjis(u8"上位"), ToSjis(u8"弱点"), arrModifier, arrMotion, arrRow);
}

TEST(ReportText, EmptySectionsStillHaveTheirHeadings) {
  EXPECT_EQ(Build(false, {}, {}, {}),
            ToSjis(u8"使用武器：大剣/バスターソード\r\n攻撃対象：Kirin\r\nモンスターLv：上位\r\n"
                   u8"当たり方修正：弱点\r\n"
                   u8"\r\n[スキル/アイテム修正]\r\n"
                   u8"\r\n[攻撃リスト]\r\n") +
                kHeading);
}

TEST(ReportText, AngerFollowsTheMonsterNameDirectly) {
  const std::string strReport = Build(true, {}, {}, {});
  EXPECT_NE(strReport.find(ToSjis(u8"\r\n攻撃対象：Kirin(怒り状態)\r\n")), std::string::npos);
}

TEST(ReportText, ModifiersAndMotionsOneLineEachInTheGivenOrder) {
  const std::string strReport = Build(false, {ToSjis(u8"攻撃力UP(小)"), ToSjis(u8"会心")},
                                      {ToSjis(u8"縦斬り"), "Swing", ToSjis(u8"縦斬り")}, {});
  EXPECT_NE(strReport.find(
                ToSjis(u8"\r\n[スキル/アイテム修正]\r\n攻撃力UP(小)\r\n会心\r\n"
                       u8"\r\n[攻撃リスト]\r\n縦斬り\r\nSwing\r\n縦斬り\r\n\r\n[最終ダメージ]")),
            std::string::npos);
}

TEST(ReportText, AnErrorCategoryLabelIsWrittenAsGiven) {
  const std::string strReport = BuildReportText("Error", "b", "m", false, "L", "H", {}, {}, {});
  EXPECT_EQ(strReport.rfind(ToSjis(u8"使用武器：Error/b\r\n攻撃対象：m\r\n"), 0), 0U);
}

struct DamageLineCase_t {
  const char* pszName;
  ReportRow_t row;
  std::string strLine;
};

class DamageLineTest : public ::testing::TestWithParam<DamageLineCase_t> {};

TEST_P(DamageLineTest, RowBecomesOnePaddedLine) {
  EXPECT_EQ(Build(false, {}, {}, {GetParam().row}), Build(false, {}, {}, {}) + GetParam().strLine);
}

INSTANTIATE_TEST_SUITE_P(
    Report, DamageLineTest,
    ::testing::Values(
        DamageLineCase_t{
            "AsciiRegion", {"Head", "45%", "20%", "123"}, "Head      | 45%/ 20%| 123\r\n"},
        // Two bytes per character: 頭 leaves eight spaces, 尻尾 six.
        DamageLineCase_t{"OneKanji",
                         {ToSjis(u8"頭"), "45%", "0%", "71"},
                         ToSjis(u8"頭        | 45%/  0%|  71\r\n")},
        DamageLineCase_t{"TwoKanji",
                         {ToSjis(u8"尻尾"), "100%", "5%", "9"},
                         ToSjis(u8"尻尾      |100%/  5%|   9\r\n")},
        // Half-width katakana take one byte each: ﾂﾒ is two bytes, eight spaces.
        DamageLineCase_t{"HalfWidthKana",
                         {ToSjis(u8"ﾂﾒ"), "1%", "2%", "3"},
                         ToSjis(u8"ﾂﾒ        |  1%/  2%|   3\r\n")},
        DamageLineCase_t{"ExactlyTenBytes",
                         {ToSjis(u8"尻尾の先端"), "30%", "10%", "45"},
                         ToSjis(u8"尻尾の先端| 30%/ 10%|  45\r\n")},
        // Eleven bytes widen the line by one; the columns after it shift right.
        DamageLineCase_t{
            "ElevenBytes", {"ABCDEFGHIJK", "45%", "20%", "123"}, "ABCDEFGHIJK| 45%/ 20%| 123\r\n"},
        DamageLineCase_t{"TwelveByteKanji",
                         {ToSjis(u8"左前脚の爪先"), "30%", "10%", "45"},
                         ToSjis(u8"左前脚の爪先| 30%/ 10%|  45\r\n")},
        DamageLineCase_t{"LongNumbersAreNotCut",
                         {"Tail", "255%", "255%", "2147483647"},
                         "Tail      |255%/255%|2147483647\r\n"},
        DamageLineCase_t{"EmptyCells", {"", "", "", ""}, "          |    /    |    \r\n"}),
    [](const auto& row) { return std::string(row.param.pszName); });

TEST(ReportText, RowsKeepTheirOrder) {
  const std::string strReport =
      Build(false, {}, {}, {{"B", "1%", "2%", "3"}, {"A", "4%", "5%", "6"}});
  EXPECT_EQ(strReport, Build(false, {}, {}, {}) +
                           "B         |  1%/  2%|   3\r\n"
                           "A         |  4%/  5%|   6\r\n");
}

TEST(ReportText, NothingIsCutAtAnyLength) {
  std::vector<std::string> arrMotion(200, ToSjis(u8"斬り下ろし"));
  const std::string strReport = Build(false, {}, arrMotion, {});
  // 200 lines of 10 bytes plus CR LF.
  EXPECT_EQ(strReport.size(), Build(false, {}, {}, {}).size() + 200 * 12);
}

TEST_F(CalculatorFixture, NoReportBeforeAWeaponIsPicked) {
  Start();
  EXPECT_EQ(BuildReportFromCalculator(m_calc), std::nullopt);
}

TEST_F(CalculatorFixture, NoReportWithoutLevelOrHitCorrectionOrMonster) {
  StartWithKnife();
  ASSERT_TRUE(BuildReportFromCalculator(m_calc).has_value());
  m_calc.SelectLevel(NO_SELECTION);
  EXPECT_EQ(BuildReportFromCalculator(m_calc), std::nullopt);
  m_calc.SelectLevel(0);
  m_calc.SelectHitCorrection(NO_SELECTION);
  EXPECT_EQ(BuildReportFromCalculator(m_calc), std::nullopt);
  m_calc.SelectHitCorrection(0);
  m_calc.SelectMonster(NO_SELECTION);
  EXPECT_EQ(BuildReportFromCalculator(m_calc), std::nullopt);
}

// The whole report of one calculation, every number worked out by hand.
// 攻撃力UP(小) +3 and 会心 x1.25: B = (280 / 1.4 + 3) x 1.25 = 253.75, so the
// raw values are r = 50.75 (mv 20), 25.375 (10) and 30.45 (12). Green x1.125,
// hit 100 %, level 100 %, angry: x (200 - 90) % = 1.1. Thrust at cut rate 50 %.
//   頭 45:  slash 45 x 50.75 x 1.125 x 0.01 x 1.1 = 28.26 -> 28,
//          thrust 22.5 x 25.375 x 1.125 x 0.01 x 1.1 = 7.07 -> 7, 22.5 x 30.45 ... = 8.48 -> 8;
//          28 + 7 + 8 + 28 = 71.
//   尻尾 30: 18.84 -> 18, 4.71 -> 4, 5.65 -> 5; 18 + 4 + 5 + 18 = 45.
//   腹 90:  56.52 -> 56, 14.13 -> 14, 16.96 -> 16; 56 + 14 + 16 + 56 = 142.
//   甲殻 22: 13.82 -> 13, 3.45 -> 3, 4.15 -> 4; 13 + 3 + 4 + 13 = 33.
TEST_F(CalculatorFixture, ReportOfTheCalculatorState) {
  Start();
  m_calc.SelectWeapon(kKnife);
  m_calc.SetAnger(true);
  m_calc.SetModifier(1040, true);
  m_calc.SetModifier(1018, true);
  m_calc.AddChosenMotion(kSlash);
  m_calc.AddChosenMotion(kThrust);
  m_calc.AddChosenMotion(kSlash);

  const std::string strExpected = ToSjis(
      u8"使用武器：片手剣/ハンターナイフ\r\n"
      u8"攻撃対象：ドラゴン(怒り状態)\r\n"
      u8"モンスターLv：下位\r\n"
      u8"当たり方修正：通常\r\n"
      u8"\r\n[スキル/アイテム修正]\r\n"
      u8"攻撃力UP(小)\r\n"
      u8"会心\r\n"
      u8"\r\n[攻撃リスト]\r\n"
      u8"斬り下ろし\r\n"
      u8"突き\r\n"
      u8"斬り下ろし\r\n"
      u8"\r\n[最終ダメージ]\r\n"
      u8"部位      |物理/属性|結果\r\n"
      u8"----------+---------+-----\r\n"
      u8"頭        | 45%/  0%|  71\r\n"
      u8"尻尾      | 30%/  0%|  45\r\n"
      u8"腹        | 90%/  0%| 142\r\n"
      u8"甲殻      | 22%/  0%|  33\r\n");
  EXPECT_EQ(BuildReportFromCalculator(m_calc), strExpected);
}

TEST_F(CalculatorFixture, ReportListsModifiersInControlIdOrder) {
  StartWithKnife();
  // Ticked in another order; the report sorts by id: 1018, 1021, 1033, 1041.
  for (int nId : {1041, 1033, 1021, 1018}) m_calc.SetModifier(nId, true);
  const auto strReport = BuildReportFromCalculator(m_calc);
  ASSERT_TRUE(strReport.has_value());
  EXPECT_NE(strReport->find(ToSjis(u8"[スキル/アイテム修正]\r\n攻撃力UP(小)\r\n力の護符\r\n"
                                   u8"練気MAX\r\nマイナス会心\r\n\r\n[攻撃リスト]")),
            std::string::npos);
}

TEST_F(CalculatorFixture, ReportUsesTheCategoryOfTheWeapon) {
  Start();
  m_calc.SelectCategory(kListHummer);
  m_calc.SelectWeapon(0);
  const auto strReport = BuildReportFromCalculator(m_calc);
  ASSERT_TRUE(strReport.has_value());
  EXPECT_EQ(strReport->rfind(ToSjis(u8"使用武器：ハンマー/ハンマーA\r\n"), 0), 0U);
  // No motion can be chosen: four rows of damage 0, impact values 60/25/90/15.
  EXPECT_NE(strReport->find(ToSjis(u8"頭        | 60%/  0%|   0\r\n尻尾      | 25%/  0%|   0\r\n")),
            std::string::npos);
}

}  // namespace
