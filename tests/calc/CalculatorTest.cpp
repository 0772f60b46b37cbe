// CCalculator driven as the window drives it, on the data set of CalcTestData.h.
// Hand calculations use the damage steps: base attack B = attack / coefficient
// (+ bonus) x factor, raw r = mv x B x 0.01, physical P = p x rate% x r x
// hit% x sharpness x 0.01, then x level% and, when angry, x (200 - anger 2)%.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CalcTestData.h"
#include "calc/WeaponRanking.h"
#include "support/RowName.h"

using namespace calctest;

namespace {

// B = 200, r = 40, green x1.125, hit 100 %. 頭 45: 20.25 -> 20, rate 50.625 %
// black; 尻尾 30: 13.5 -> 13 black; 腹 90: 40.5 -> 40, 101.25 % blue; 甲殻
// 22: 9.9 -> 9, 24.75 % red. The weapon has no element: 0 %.
TEST_F(CalculatorFixture, OneSlashGivesOneColouredRowPerRegion) {
  StartWithKnife();
  std::vector<std::string> arrRow;
  for (const ResultRow_t& row : m_calc.GetResultRows()) {
    arrRow.push_back(row.arrCell[0] + " " + row.arrCell[1] + " " + row.arrCell[2] + " " +
                     row.arrCell[3] + " " + std::to_string(ResultKindColor(row.nKind).value_or(7)));
  }
  EXPECT_EQ(arrRow, (std::vector<std::string>{
                        ToSjis(u8"頭 45% 0% 20 0"), ToSjis(u8"尻尾 30% 0% 13 0"),
                        ToSjis(u8"腹 90% 0% 40 255"), ToSjis(u8"甲殻 22% 0% 9 16711680")}));
}

// Clicks after StartWithKnife, and the head row's damage they leave on show
// ("" for no rows). Whatever happened, the explanation adds up to the rows.
struct ClickRow_t {
  const char* szName;
  std::function<void(CCalculator&)> click;
  const char* szHead;
};

class ClickTest : public CalculatorFixture, public ::testing::WithParamInterface<ClickRow_t> {};

TEST_P(ClickTest, HeadDamageAndItsExplanation) {
  StartWithKnife();
  GetParam().click(m_calc);
  const std::vector<ResultRow_t>& arrRow = m_calc.GetResultRows();
  EXPECT_EQ(arrRow.empty() ? "" : arrRow[0].arrCell[3], GetParam().szHead);
  const std::optional<CalcExplanation_t> explanation = m_calc.Explain();
  ASSERT_EQ(explanation.has_value(), !arrRow.empty());
  std::vector<int32_t> arrDamage, arrSummed(arrRow.size(), 0);
  for (const ResultRow_t& row : arrRow) arrDamage.push_back(row.nDamage);
  for (const HitTrace_t& hit :
       explanation ? explanation->trace.arrHit : std::vector<HitTrace_t>{}) {
    arrSummed.at(static_cast<size_t>(hit.nRegion)) += hit.nTruncated;
  }
  EXPECT_EQ(arrSummed, arrDamage);
}

// One row a line, where the clicks fit.
// clang-format off
const ClickRow_t kClickRows[] = {
    {"BluntComputesAtWhite", [](CCalculator& c) { c.SelectWeapon(kBlunt); }, "23"},  // x1.3
    // A keyboard move of the slider waits for the next recalculation.
    {"KeyboardMoveThenRecalculation",
     [](CCalculator& c) { c.SetSharpnessPosition(5); c.SetAnger(false); }, "23"},
    // Thrust at cut rate 50 %, values 10 and 12: 5.0625 -> 5, 6.075 -> 6.
    {"RemoveTheSelectedEntry",
     [](CCalculator& c) { c.AddChosenMotion(kThrust); c.SelectChosenMotion(0);
                          c.RemoveChosenMotion(0); }, "11"},
    {"EditsWithoutASelectionDoNotRecalculate",
     [](CCalculator& c) { c.SetSharpnessPosition(5);
                          for (int nIndex : {NO_SELECTION, 1}) c.RemoveChosenMotion(nIndex);
                          for (int nIndex : {NO_SELECTION, 2}) c.AddChosenMotion(nIndex); }, "20"},
    {"RenkiCountsWhileDisabled", [](CCalculator& c) { c.SetModifier(1033, true); }, "21"},
    {"NoMonsterKeepsTheRows",
     [](CCalculator& c) { c.SelectMonster(2); c.AddChosenMotion(kThrust); }, "20"},
    {"NoLevel", [](CCalculator& c) { c.SelectLevel(-1); }, ""},
    {"NoHitCorrection", [](CCalculator& c) { c.SelectHitCorrection(7); }, ""},
    {"CategoryChangeForgetsTheRows", [](CCalculator& c) { c.SelectCategory(kListHummer); }, ""},
    {"LanceWithoutHitPatterns",
     [](CCalculator& c) { c.SelectCategory(kListLance); c.SelectWeapon(0); }, ""},
    {"ReloadForgetsTheRows", [](CCalculator& c) { c.LoadAll(); }, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Rows, ClickTest, ::testing::ValuesIn(kClickRows), RowName<ClickRow_t>);

// Without a monster the ranking has no region to show or to rank by.
TEST_F(CalculatorFixture, NoMonsterNoRegionsToRank) {
  StartWithKnife();
  m_calc.SelectMonster(2);
  EXPECT_EQ(RegionNames(m_calc), std::vector<std::string>{});
}

// Full-width colon after 攻撃力, ASCII colons after the element and
// sharpness parentheses; a sharpness outside 0..5 reads "Error", and the
// weapon's own level is the record's, unclamped (none without a weapon). Only
// categories with a weapon are listed. A category change and a reload take
// the texts back to their initial state, as no weapon is picked then.
TEST_F(CalculatorFixture, StatusTextsFollowTheWeapon) {
  Start();
  ASSERT_EQ(m_calc.GetCategories().size(), 3U);  // ガンランス has no weapon
  std::vector<std::string> arrText;
  const auto Note = [&] {
    const std::optional<int> nOwn = m_calc.GetOwnSharpness();
    arrText.push_back(m_calc.GetAttackText() + " " + m_calc.GetElementText() + " " +
                      m_calc.GetSharpnessText() + " " + (nOwn ? std::to_string(*nOwn) : "-"));
  };
  for (int nWeapon : {kKnife, kFireSword, kBlunt}) {
    m_calc.SelectWeapon(nWeapon);
    Note();
  }
  m_calc.SelectCategory(kListHummer);
  Note();
  m_calc.SelectCategory(0);
  m_calc.SelectWeapon(kKnife);
  m_calc.LoadAll();
  Note();
  const std::string strInitial = ToSjis(u8"攻撃力：--- 属性(--)：--- 切れ味：--- -");
  EXPECT_EQ(arrText, (std::vector<std::string>{ToSjis(u8"攻撃力：280 属性(無):0 切れ味:緑 3"),
                                               ToSjis(u8"攻撃力：160 属性(火毒):250 切れ味:青 4"),
                                               ToSjis(u8"攻撃力：280 属性(無):0 切れ味:Error 7"),
                                               strInitial, strInitial}));
}

}  // namespace
