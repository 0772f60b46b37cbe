// The player's breakdown of a row: the hit table and its text worked by hand,
// the tooltip summary with its line cap, the short and fixed number forms,
// and why a report cannot be built.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "CalcTestData.h"
#include "calc/HitBreakdownText.h"
#include "calc/HitTable.h"
#include "calc/ReportText.h"
#include "support/RowName.h"

using namespace calctest;

namespace {

constexpr int kAmuletId = 1021;  // 力の護符, +5

std::string Sjis(const std::string& strUtf8) {
  return velkar::Utf8ToSjis(strUtf8).value();
}

class HitTableTest : public CalculatorFixture {};

// The knife's belly row, worked by hand in HitBreakdownTextTest: B = 205,
// r = 41, P = 41.5125, angry 110 % -> 45.66375, truncated 45. Two decimals in
// the table, one in the summary, factors in short form.
TEST_F(HitTableTest, BellyRowWorkedByHand) {
  StartWithKnife();
  m_calc.SetModifier(kAmuletId, true);
  m_calc.SetAnger(true);
  const CalcExplanation_t row = m_calc.ExplainRow(2).value();

  EXPECT_EQ(HitTableText(BuildHitTable(row)),
            Sjis("腹: 物理 90%, 属性 0%, ダメージ 45 (高)\n"
                 "切れ味 3: 物理 ×1.125, 属性 ×1\n"
                 "当たり方修正 100%: h 1\n"
                 "スキル/アイテム: 加算 +5, 倍率 ×1; 基礎攻撃力 B 205\n"
                 "レベル 100%; 怒り状態 110%\n"
                 "\n"
                 "攻撃\tヒット\tモーション値\t素の値\t物理\t属性\t合計\t加算\t累計\n"
                 "1 斬り下ろし\t1\t20\t41.00\t41.51\t0.00\t45.66\t45\t45\n"));
  EXPECT_EQ(BuildRowSummary(row, 5), Sjis("腹: 物理 90%, 属性 0%, ダメージ 45 (高)\n"
                                          "攻撃1 斬り下ろし（1ヒット）: +45（45.7）\n"
                                          "（ ）は切り捨て前。ダブルクリックで全ヒットの表\n"));
}

// Every hit of every chosen motion is a table row, in attack order, and the
// "adds" column sums, row by row, to the running sum and at last to the
// row's damage; the summary's "+N" add up to the same damage when all fit.
TEST_F(HitTableTest, AddsSumToTheRowDamage) {
  Start();
  m_calc.SelectWeapon(kFireSword);
  for (int nMotion : {kThrust, kSlash, kThrust}) m_calc.AddChosenMotion(nMotion);
  m_calc.SetAnger(true);
  for (int nRow = 0; nRow < static_cast<int>(m_calc.GetResultRows().size()); ++nRow) {
    const CalcExplanation_t row = m_calc.ExplainRow(nRow).value();
    const HitTable_t table = BuildHitTable(row);
    ASSERT_EQ(table.arrRow.size(), 5u);  // 突き has two hits
    int nRunning = 0;
    for (const HitTableCells_t& arrCell : table.arrRow) {
      nRunning += std::stoi(arrCell[7]);
      EXPECT_EQ(std::stoi(arrCell[8]), nRunning);
    }
    EXPECT_EQ(nRunning, m_calc.GetResultRows()[static_cast<size_t>(nRow)].nDamage);
    EXPECT_EQ(table.arrRow[2][0], Sjis("2 斬り下ろし"));

    const std::string strSummary = velkar::SjisToUtf8(BuildRowSummary(row, 3));
    static const std::regex kAdds(": \\+([0-9]+)（");
    int nSummed = 0;
    for (auto it = std::sregex_iterator(strSummary.begin(), strSummary.end(), kAdds);
         it != std::sregex_iterator(); ++it) {
      nSummed += std::stoi((*it)[1].str());
    }
    EXPECT_EQ(nSummed, nRunning) << strSummary;
  }
}

// The summary keeps to its line cap: with more motions than lines, the last
// allowed line counts the rest.
struct SummaryRow_t {
  const char* szName;
  int nMotions;
  size_t nMaxLines;
  int nMotionLines;  // lines naming a motion
  int nMore;         // the count of the "…ほか" line, 0 for none
};

class RowSummaryCapTest : public CalculatorFixture,
                          public ::testing::WithParamInterface<SummaryRow_t> {};

TEST_P(RowSummaryCapTest, KeepsToItsLines) {
  const SummaryRow_t& param = GetParam();
  Start();
  m_calc.SelectWeapon(kKnife);
  for (int i = 0; i < param.nMotions; ++i) m_calc.AddChosenMotion(kSlash);
  const std::string strSummary =
      velkar::SjisToUtf8(BuildRowSummary(m_calc.ExplainRow(0).value(), param.nMaxLines));

  int nMotionLines = 0;
  for (size_t nAt = 0; (nAt = strSummary.find("\n攻撃", nAt)) != std::string::npos; ++nAt) {
    ++nMotionLines;
  }
  EXPECT_EQ(nMotionLines, param.nMotionLines) << strSummary;
  const std::string strMore = "…ほか " + std::to_string(param.nMore) + " 件の攻撃\n";
  EXPECT_EQ(strSummary.find("…ほか") != std::string::npos, param.nMore > 0) << strSummary;
  if (param.nMore > 0) {
    EXPECT_NE(strSummary.find(strMore), std::string::npos) << strSummary;
  }
  const auto nLines = std::count(strSummary.begin(), strSummary.end(), '\n');
  EXPECT_LE(nLines, static_cast<std::ptrdiff_t>(param.nMaxLines) + 2);
}

const SummaryRow_t kSummaryRows[] = {
    {"NoMotion", 0, 3, 0, 0}, {"AllFit", 2, 3, 2, 0},        {"ExactlyAtTheCap", 3, 3, 3, 0},
    {"OneOver", 4, 3, 2, 2},  {"SixtyHits", 60, 20, 19, 41},
};

INSTANTIATE_TEST_SUITE_P(Rows, RowSummaryCapTest, ::testing::ValuesIn(kSummaryRows),
                         RowName<SummaryRow_t>);

struct NumberRow_t {
  const char* szName;
  double dValue;
  const char* szShort;
  const char* szTwoDecimals;
};

class NumberFormTest : public ::testing::TestWithParam<NumberRow_t> {};

TEST_P(NumberFormTest, ShortAndTwoDecimals) {
  EXPECT_EQ(FormatShort(GetParam().dValue), GetParam().szShort);
  EXPECT_EQ(FormatFixed(GetParam().dValue, 2), GetParam().szTwoDecimals);
}

const NumberRow_t kNumberRows[] = {
    {"SharpnessGreen", 1.125, "1.125", "1.12"},  // an exact tie rounds to even
    {"Whole", 205.0, "205", "205.00"},
    {"Repeating", 200.0 / 1.75, "114.2857", "114.29"},
    {"SharpnessElement", 1.0625, "1.0625", "1.06"},
    {"SmallFraction", 0.00004, "0", "0.00"},
    {"Negative", -2.5, "-2.5", "-2.50"},
};

INSTANTIATE_TEST_SUITE_P(Rows, NumberFormTest, ::testing::ValuesIn(kNumberRows),
                         RowName<NumberRow_t>);

// The first missing selection names the reason; none once a report can be built.
TEST_F(HitTableTest, ReportReasonNamesTheMissingSelection) {
  Start();
  EXPECT_EQ(ReportUnavailableReason(m_calc), Sjis("武器が選ばれていないため、コピーできません"));
  m_calc.SelectWeapon(kKnife);
  EXPECT_EQ(ReportUnavailableReason(m_calc), "");
  EXPECT_TRUE(BuildReportFromCalculator(m_calc).has_value());
  m_calc.SelectCategory(kListLance);  // no hit pattern in that category
  m_calc.SelectWeapon(0);
  EXPECT_EQ(ReportUnavailableReason(m_calc),
            Sjis("当たり方修正が選ばれていないため、コピーできません"));
  EXPECT_FALSE(BuildReportFromCalculator(m_calc).has_value());
}

}  // namespace
