// The breakdown text: doubles with 17 significant digits in any locale, the
// factor lines, a whole explanation worked out by hand, and the Japanese
// labels of the window carrying the very same numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "CalcTestData.h"
#include "calc/HitBreakdownText.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"

using namespace calctest;

namespace {

constexpr int kAmuletId = 1021;  // 力の護符, +5

std::string Sjis(const std::string& strUtf8) {
  return velkar::Utf8ToSjis(strUtf8).value();
}

// ---------------------------------------------------------------------------
// Doubles

struct DoubleRow_t {
  const char* szName;
  double dValue;
  const char* szText;
};

class FormatDouble17Test : public ::testing::TestWithParam<DoubleRow_t> {};

TEST_P(FormatDouble17Test, WritesSeventeenSignificantDigits) {
  const DoubleRow_t& row = GetParam();
  EXPECT_EQ(FormatDouble17(row.dValue), row.szText);
  char szPrintf[64];
  std::snprintf(szPrintf, sizeof szPrintf, "%.17g", row.dValue);
  EXPECT_EQ(FormatDouble17(row.dValue), szPrintf);
}

const DoubleRow_t kDoubleRows[] = {
    {"Whole", 54.0, "54"},
    {"ExactFraction", 50.625, "50.625"},
    {"NearestToDecimal", 48.6, "48.600000000000001"},
    {"LastBitAbove", 0.1 + 0.2, "0.30000000000000004"},
    {"SharpnessWhite", 1.3, "1.3"},
    {"Zero", 0.0, "0"},
    {"NegativeZero", -0.0, "-0"},
    {"Large", 3.9e9, "3900000000"},
    {"Exponent", 1.0e300, "1.0000000000000001e+300"},
    {"Tiny", 5e-324, "4.9406564584124654e-324"},
    {"Infinity", std::numeric_limits<double>::infinity(), "inf"},
};

INSTANTIATE_TEST_SUITE_P(Values, FormatDouble17Test, ::testing::ValuesIn(kDoubleRows),
                         RowName<DoubleRow_t>);

TEST(FormatDouble17, NoValueIsNone) {
  EXPECT_EQ(FormatDouble17(std::optional<double>{}), "none");
  EXPECT_EQ(FormatDouble17(std::optional<double>{2.5}), "2.5");
}

// The window runs with the user's locale; a decimal comma must not appear.
// The test compiles a German locale into its own folder (glibc reads LOCPATH
// on every setlocale), so it does not depend on what the machine generated.
TEST(FormatDouble17, IgnoresTheNumericLocale) {
  CTestDataDir dir;
  const std::string strCommand =
      "localedef -i de_DE -f UTF-8 '" + dir.Path() + "de_DE.UTF-8' >/dev/null 2>&1";
  ASSERT_EQ(std::system(strCommand.c_str()), 0) << "localedef (package locales) failed";
  ASSERT_EQ(setenv("LOCPATH", dir.Path().c_str(), 1), 0);
  const char* pszLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  ASSERT_NE(pszLocale, nullptr);
  char szProbe[16];
  std::snprintf(szProbe, sizeof szProbe, "%.1f", 0.5);
  const std::string strProbe = szProbe;
  const std::string strText = FormatDouble17(48.6);
  std::setlocale(LC_NUMERIC, "C");
  unsetenv("LOCPATH");
  ASSERT_EQ(strProbe, "0,5");  // the locale really uses a decimal comma
  EXPECT_EQ(strText, "48.600000000000001");
}

TEST(ResultKindName, NamesTheThreeKinds) {
  EXPECT_EQ(ResultKindName(RESULT_NORMAL), "normal");
  EXPECT_EQ(ResultKindName(RESULT_LOW), "low");
  EXPECT_EQ(ResultKindName(RESULT_HIGH), "high");
  EXPECT_EQ(ResultKindName(7), "kind 7");
}

// ---------------------------------------------------------------------------
// Whole explanations

class HitBreakdownTextTest : public CalculatorFixture {};

// The knife: B = 280 / 1.4 + 5 = 205 with 力の護符; green (1.125), 通常 100 %,
// 下位 100 %, ドラゴン angry (200 - 90 = 110 %); 斬り下ろし [20] at rate 100:
// r = 41; P = cut * 41 * 1.125 / 100; no element.
//   頭 45:   P = 20.75625,  e = 50.625, T * 1.1 = 22.831875 -> 22
//   尻尾 30: P = 13.8375,   e = 33.75,  15.22125 -> 15
//   腹 90:   P = 41.5125,   e = 101.25 (high), 45.66375 -> 45
//   甲殻 22: P = 10.1475,   e = 24.75 (low), 11.16225 -> 11
// The 17 digits show the last bits: e at the head is 50.625000000000007.
TEST_F(HitBreakdownTextTest, WholeExplanationWorkedByHand) {
  StartWithKnife();
  m_calc.SetModifier(kAmuletId, true);
  m_calc.SetAnger(true);

  const std::string strText = BuildHitBreakdownText(m_calc.Explain().value());

  const char* const kHit = "  motion 1 斬り下ろし, hit 1: mv 20, raw r 41, rate m 100%, ";
  EXPECT_EQ(strText,
            Sjis(std::string("sharpness 3: physical x1.125, element x1\n"
                             "hit correction 100%: h 1\n"
                             "modifiers: bonus +5, factor x1; base attack B 205\n"
                             "level 100%; angry 110%\n"
                             "頭: physical 45%, element 0%, damage 22 (normal)\n") +
                 kHit +
                 "physical P 20.756250000000001, effective e 50.625000000000007 (normal), "
                 "element E 0, total T 20.756250000000001, after anger 22.831875, truncated 22, "
                 "running 22\n"
                 "尻尾: physical 30%, element 0%, damage 15 (normal)\n" +
                 kHit +
                 "physical P 13.8375, effective e 33.75 (normal), element E 0, total T 13.8375, "
                 "after anger 15.22125, truncated 15, running 15\n"
                 "腹: physical 90%, element 0%, damage 45 (high)\n" +
                 kHit +
                 "physical P 41.512500000000003, effective e 101.25000000000001 (high), "
                 "element E 0, total T 41.512500000000003, after anger 45.66375, truncated 45, "
                 "running 45\n"
                 "甲殻: physical 22%, element 0%, damage 11 (low)\n" +
                 kHit +
                 "physical P 10.147500000000001, effective e 24.750000000000004 (low), "
                 "element E 0, total T 10.147500000000001, after anger 11.162250000000002, "
                 "truncated 11, running 11\n"));
}

// One row: the factors, then that region alone.
TEST_F(HitBreakdownTextTest, OneRowShowsItsRegionOnly) {
  StartWithKnife();
  m_calc.AddChosenMotion(kSlash);

  const std::string strText = BuildHitBreakdownText(m_calc.ExplainRow(2).value());

  EXPECT_EQ(strText.find(ToSjis(u8"頭")), std::string::npos);
  const size_t nRegion = strText.find(Sjis("腹: physical 90%, element 0%, damage 80 (high)\n"));
  ASSERT_NE(nRegion, std::string::npos) << strText;
  EXPECT_EQ(strText.substr(0, nRegion), BuildFactorText(m_calc.Explain()->trace.factors));
  EXPECT_NE(strText.find("level 100%; not angry\n"), std::string::npos);
  EXPECT_NE(strText.find(", hit 1: mv 20,", nRegion), std::string::npos);
  EXPECT_NE(strText.find("motion 2 ", nRegion), std::string::npos);
  EXPECT_NE(strText.find("truncated 40, running 80\n"), std::string::npos);
}

// A hit with raw value 0 has no effective rate.
TEST(HitLine, NoEffectiveRateReadsNone) {
  const CAction action(Sjis("溜め"));
  HitTrace_t hit;
  hit.pAction = &action;
  hit.nAction = 0;
  hit.nHit = 2;
  hit.nKind = RESULT_LOW;
  hit.dElement = 6.0;
  hit.dTotal = 6.0;
  hit.dAngryTotal = 6.0;
  hit.nTruncated = 6;
  hit.nRunning = 18;
  EXPECT_EQ(BuildHitLine(hit),
            Sjis("  motion 1 溜め, hit 3: mv 0, raw r 0, rate m 0%, physical P 0, "
                 "effective e none (low), element E 6, total T 6, after anger 6, truncated 6, "
                 "running 18\n"));
}

// ---------------------------------------------------------------------------
// Japanese labels

// Every number and result kind of a text, in order: what a reader compares
// between the two languages. Names hold no ASCII digits and none of the kind
// words in this data set.
std::vector<std::string> Numbers(const std::string& strSjis) {
  const std::string strText = velkar::SjisToUtf8(strSjis);
  static const std::regex kToken(
      "-?[0-9][0-9.]*(e[+-][0-9]+)?|inf|none|なし|normal|通常|low|低|high|高");
  static const std::vector<std::pair<std::string, std::string>> kSameWord = {
      {"なし", "none"}, {"通常", "normal"}, {"低", "low"}, {"高", "high"}};
  std::vector<std::string> arrToken;
  for (auto it = std::sregex_iterator(strText.begin(), strText.end(), kToken);
       it != std::sregex_iterator(); ++it) {
    std::string strToken = it->str();
    for (const auto& [strJapanese, strEnglish] : kSameWord) {
      if (strToken == strJapanese) strToken = strEnglish;
    }
    arrToken.push_back(strToken);
  }
  return arrToken;
}

TEST(ResultKindName, NamesTheThreeKindsInJapanese) {
  EXPECT_EQ(ResultKindName(RESULT_NORMAL, BREAKDOWN_JAPANESE), Sjis("通常"));
  EXPECT_EQ(ResultKindName(RESULT_LOW, BREAKDOWN_JAPANESE), Sjis("低"));
  EXPECT_EQ(ResultKindName(RESULT_HIGH, BREAKDOWN_JAPANESE), Sjis("高"));
  EXPECT_EQ(ResultKindName(-3, BREAKDOWN_JAPANESE), Sjis("種別 -3"));
}

// The head of the knife's worked example above, in the window's words.
TEST_F(HitBreakdownTextTest, JapaneseFactorsAndRegionWorkedByHand) {
  StartWithKnife();
  m_calc.SetModifier(kAmuletId, true);
  m_calc.SetAnger(true);
  const CalcExplanation_t row = m_calc.ExplainRow(2).value();

  EXPECT_EQ(BuildFactorText(row.trace.factors, BREAKDOWN_JAPANESE) +
                BuildRegionLine(row.arrRegion.front(), BREAKDOWN_JAPANESE),
            Sjis("切れ味 3: 物理 ×1.125, 属性 ×1\n"
                 "当たり方修正 100%: h 1\n"
                 "スキル/アイテム: 加算 +5, 倍率 ×1; 基礎攻撃力 B 205\n"
                 "レベル 100%; 怒り状態 110%\n"
                 "腹: 物理 90%, 属性 0%, ダメージ 45 (高)\n"));
}

// The factor and region lines in both languages: the same numbers in the
// same order, one line each.
struct LanguageRow_t {
  const char* szName;
  int nWeapon;
  std::vector<int> arrMotion;
  bool bAnger;
  int nHitCorrection;
  int nLevel;
};

class BreakdownLanguageTest : public CalculatorFixture,
                              public ::testing::WithParamInterface<LanguageRow_t> {};

TEST_P(BreakdownLanguageTest, SameNumbersInBothLanguages) {
  const LanguageRow_t& row = GetParam();
  Start();
  m_calc.SelectWeapon(row.nWeapon);
  for (int nMotion : row.arrMotion) m_calc.AddChosenMotion(nMotion);
  m_calc.SetAnger(row.bAnger);
  m_calc.SelectHitCorrection(row.nHitCorrection);
  m_calc.SelectLevel(row.nLevel);
  const CalcExplanation_t explanation = m_calc.Explain().value();

  const auto Lines = [&explanation](eBREAKDOWN_LANGUAGE eLanguage) {
    std::string strText = BuildFactorText(explanation.trace.factors, eLanguage);
    for (const DamageResult_t& region : explanation.arrRegion) {
      strText += BuildRegionLine(region, eLanguage);
    }
    return strText;
  };
  const std::string strEnglish = Lines(BREAKDOWN_ENGLISH);
  const std::string strJapanese = Lines(BREAKDOWN_JAPANESE);
  EXPECT_EQ(Numbers(strJapanese), Numbers(strEnglish));
  EXPECT_GT(Numbers(strEnglish).size(), 12u);
  const auto nLines = [](const std::string& strText) {
    return std::count(strText.begin(), strText.end(), '\n');
  };
  const auto nFixed = static_cast<std::ptrdiff_t>(4 + explanation.arrRegion.size());
  EXPECT_EQ(nLines(strEnglish), nFixed);
  EXPECT_EQ(nLines(strJapanese), nFixed);
}

const LanguageRow_t kLanguageRows[] = {
    {"KnifeOneSlash", kKnife, {kSlash}, false, 0, 0},
    {"FireSwordEveryMotionAngry", kFireSword, {kSlash, kThrust, kThrust}, true, 1, 1},
    {"NoMotion", kKnife, {}, false, 0, 1},
    {"EveryElementBit", kEveryBit, {kThrust, kSlash}, true, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(Rows, BreakdownLanguageTest, ::testing::ValuesIn(kLanguageRows),
                         RowName<LanguageRow_t>);

}  // namespace
