// The value rules of the weapon and monster source files, one table per kind
// of entry.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/SourceValueParser.h"
#include "platform/Cp932.h"

namespace {

// ---- "Action" ---------------------------------------------------------------

struct ActionRow_t {
  const char* pszRow;
  std::string strValue;
  bool bKept;
  std::string strName;
  uint8_t byCut;
  uint8_t byImpact;
  std::vector<uint16_t> arrValue;
  std::string strReason;
};

class ActionValueTest : public ::testing::TestWithParam<ActionRow_t> {};

TEST_P(ActionValueTest, GivesTheMotion) {
  const ActionRow_t& row = GetParam();
  const ParseResult_t<MotionRecord_t> result = ParseActionValue(row.strValue);
  ASSERT_EQ(result.entry.has_value(), row.bKept) << result.strReason;
  if (!row.bKept) {
    EXPECT_EQ(result.strReason, row.strReason);
    return;
  }
  EXPECT_TRUE(result.strReason.empty());
  EXPECT_EQ(result.entry->strName, row.strName);
  EXPECT_EQ(result.entry->byCutRate, row.byCut);
  EXPECT_EQ(result.entry->byImpactRate, row.byImpact);
  EXPECT_EQ(result.entry->arrValue, row.arrValue);
}

ActionRow_t Kept(const char* pszRow, std::string strValue, std::string strName, uint8_t byCut,
                 uint8_t byImpact, std::vector<uint16_t> arrValue) {
  return {pszRow,   std::move(strValue), true, std::move(strName), byCut,
          byImpact, std::move(arrValue), {}};
}

ActionRow_t Skipped(const char* pszRow, std::string strValue, std::string_view reason) {
  return {pszRow, std::move(strValue), false, {}, 0, 0, {}, std::string(reason)};
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ActionValueTest,
    ::testing::Values(Kept("OneHit", "Slash,20", "Slash", 100, 100, {20}),
                      Kept("ThreeHits", "Slash,15,20,25", "Slash", 100, 100, {15, 20, 25}),
                      Kept("RateA", "Bash,A50,10,20", "Bash", 50, 50, {10, 20}),
                      Kept("RateB", "Bash,B80,30", "Bash", 80, 100, {30}),
                      Kept("RateC", "Bash,C0,30,40", "Bash", 100, 0, {30, 40}),
                      Kept("RateLetterWithoutComma", "Bash,A50", "Bash", 100, 100, {0}),
                      Kept("NothingAfterComma", "Bash,", "Bash", 100, 100, {0}),
                      Kept("EmptyTokenInside", "Bash,10,,20", "Bash", 100, 100, {10, 0}),
                      Kept("TrailingComma", "Bash,10,", "Bash", 100, 100, {10, 0}),
                      Skipped("NoComma", "Bash", kReasonNoComma),
                      Skipped("EmptyName", ",10", kReasonEmptyName)),
    [](const ::testing::TestParamInfo<ActionRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ActionValueTest,
    ::testing::Values(
        Kept("RateKeepsLow8Bits", "Bash,A300,10", "Bash", 44, 44, {10}),
        Kept("NegativeRateWraps", "Bash,B-1,10", "Bash", 255, 100, {10}),
        Kept("RateLetterAlone", "Bash,A,10", "Bash", 0, 0, {10}),
        Kept("RateLetterOnlyFirst", "Bash,A50,B20,10", "Bash", 50, 50, {0, 10}),
        Kept("SecondRateLetterIsZero", "Bash,10,C20,30", "Bash", 100, 100, {10, 0, 30}),
        Kept("LowerCaseIsNoRate", "Bash,a50,10", "Bash", 100, 100, {0, 10}),
        Kept("OtherLetterIsNoRate", "Bash,D50,10", "Bash", 100, 100, {0, 10}),
        Kept("EmptyFirstToken", "Bash,,10", "Bash", 100, 100, {0}),
        Kept("EmptyTokenEndsList", "Bash,1,2,,3,4", "Bash", 100, 100, {1, 2, 0}),
        Kept("MotionKeepsLow16Bits", "Bash,65546,-1", "Bash", 100, 100, {10, 65535}),
        Kept("TokenReadsLeadingDigits", "Bash,12x,3y", "Bash", 100, 100, {12, 3}),
        Kept("BlanksVanishEverywhere", " Great\tSlash , A 5 0 , 1 0 ", "GreatSlash", 50, 50, {10}),
        Kept("SignedTokens", "Bash,+5,-0", "Bash", 100, 100, {5, 0}),
        Kept("SecondCommaInName", "a,b,c", "a", 100, 100, {0, 0}),
        Kept("ShiftJisName", velkar::ToSjis(u8"ソード斬り,A80,20"), velkar::ToSjis(u8"ソード斬り"),
             80, 80, {20}),
        Skipped("OnlyBlanks", " \t ", kReasonNoComma),
        Skipped("CommaAfterBlanks", "  ,10", kReasonEmptyName)),
    [](const ::testing::TestParamInfo<ActionRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

// ---- "Weapon" and "HitPattern" -----------------------------------------------

struct WeaponRow_t {
  const char* pszRow;
  std::string strValue;
  bool bKept;
  WeaponRecord_t expected;
  std::string_view reason;
};

class WeaponValueTest : public ::testing::TestWithParam<WeaponRow_t> {};

TEST_P(WeaponValueTest, GivesTheWeapon) {
  const WeaponRow_t& row = GetParam();
  const ParseResult_t<WeaponRecord_t> result = ParseWeaponValue(row.strValue);
  ASSERT_EQ(result.entry.has_value(), row.bKept) << result.strReason;
  if (!row.bKept) {
    EXPECT_EQ(result.strReason, row.reason);
    return;
  }
  EXPECT_EQ(result.entry->strName, row.expected.strName);
  EXPECT_EQ(result.entry->nAttack, row.expected.nAttack);
  EXPECT_EQ(result.entry->nElement, row.expected.nElement);
  EXPECT_EQ(result.entry->nElementMask, row.expected.nElementMask);
  EXPECT_EQ(result.entry->nSharpness, row.expected.nSharpness);
}

// expected: name, attack, element value, element mask, sharpness
INSTANTIATE_TEST_SUITE_P(
    Table, WeaponValueTest,
    ::testing::Values(
        WeaponRow_t{"Plain", "b,100,0,0,3,0", true, {"b", 100, 0, 0, 3}, {}},
        WeaponRow_t{"MaskComesBeforeValue", "b,100,3,25,2,0", true, {"b", 100, 25, 3, 2}, {}},
        WeaponRow_t{"InnerSpacesVanish",
                    "Great Blade, 120,0,0,2,0",
                    true,
                    {"GreatBlade", 120, 0, 0, 2},
                    {}},
        WeaponRow_t{"SixNumbersKeepFive", "b,1,2,3,4,5,6", true, {"b", 1, 3, 2, 4}, {}},
        WeaponRow_t{"TextAfterFifthIgnored", "b,1,2,3,4,5xyz", true, {"b", 1, 3, 2, 4}, {}},
        WeaponRow_t{
            "AttackAbove65535StaysWhole", "b,70000,0,0,1,0", true, {"b", 70000, 0, 0, 1}, {}},
        WeaponRow_t{"SignsAccepted", "b,-5,+1,-2,0,0", true, {"b", -5, -2, 1, 0}, {}},
        WeaponRow_t{"HugeNumberWraps", "b,4294967297,0,0,0,0", true, {"b", 1, 0, 0, 0}, {}},
        WeaponRow_t{"FourNumbers", "b,100,0,0,3", false, {}, kReasonWeaponNumbers},
        WeaponRow_t{"DoubleComma", "b,100,,0,3,0", false, {}, kReasonWeaponNumbers},
        WeaponRow_t{"LetterInNumber", "b,100,x,0,3,0", false, {}, kReasonWeaponNumbers},
        WeaponRow_t{"SignWithoutDigits", "b,100,-,0,3,0", false, {}, kReasonWeaponNumbers},
        WeaponRow_t{"NothingAfterName", "b,", false, {}, kReasonWeaponNumbers},
        WeaponRow_t{"NoComma", "b", false, {}, kReasonNoComma},
        WeaponRow_t{"EmptyName", ",100,0,0,3,0", false, {}, kReasonEmptyName}),
    [](const ::testing::TestParamInfo<WeaponRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

TEST(HitPatternValueTest, TwoIntegersKeptWhole) {
  const auto result = ParseHitPatternValue("Tip , 300, -1 ,junk");
  ASSERT_TRUE(result.entry.has_value());
  EXPECT_EQ(result.entry->strName, "Tip");
  EXPECT_EQ(result.entry->nLowRate, 300);
  EXPECT_EQ(result.entry->nHighRate, -1);
}

TEST(HitPatternValueTest, OneIntegerIsSkipped) {
  EXPECT_EQ(ParseHitPatternValue("Tip,80").strReason, kReasonHitPatternNumbers);
  EXPECT_EQ(ParseHitPatternValue("Tip,80,").strReason, kReasonHitPatternNumbers);
  EXPECT_EQ(ParseHitPatternValue(",80,90").strReason, kReasonEmptyName);
}

// ---- monster source values ---------------------------------------------------

TEST(AngerValueTest, ThreeIntegersWithBlanks) {
  const auto result = ParseAngerValue(" 110 , 90,\t80 ,7");
  ASSERT_TRUE(result.entry.has_value());
  EXPECT_EQ(*result.entry, (std::array<int32_t, 3>{110, 90, 80}));
}

TEST(AngerValueTest, MissingOrShortIsRefused) {
  EXPECT_EQ(ParseAngerValue("").strReason, kReasonNoAnger);
  EXPECT_EQ(ParseAngerValue(" \t").strReason, kReasonNoAnger);
  EXPECT_EQ(ParseAngerValue("1,2").strReason, kReasonAngerNumbers);
  EXPECT_EQ(ParseAngerValue("a,1,2,3").strReason, kReasonAngerNumbers);
}

struct RegionRow_t {
  const char* pszRow;
  std::string strValue;
  bool bKept;
  std::string strName;
  std::array<int32_t, 8> nValue;
  std::string_view reason;
};

class RegionValueTest : public ::testing::TestWithParam<RegionRow_t> {};

TEST_P(RegionValueTest, GivesTheRegion) {
  const RegionRow_t& row = GetParam();
  const ParseResult_t<RegionRecord_t> result = ParseRegionValue(row.strValue);
  ASSERT_EQ(result.entry.has_value(), row.bKept) << result.strReason;
  if (!row.bKept) {
    EXPECT_EQ(result.strReason, row.reason);
    return;
  }
  EXPECT_EQ(result.entry->strName, row.strName);
  EXPECT_EQ(result.entry->nValue, row.nValue);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegionValueTest,
    ::testing::Values(
        RegionRow_t{
            "Eight", "r,45,45,45,10,20,30,40,50", true, "r", {45, 45, 45, 10, 20, 30, 40, 50}, {}},
        RegionRow_t{
            "NineKeepEight", "r,1,2,3,4,5,6,7,8,9", true, "r", {1, 2, 3, 4, 5, 6, 7, 8}, {}},
        RegionRow_t{"BlanksInNameVanish",
                    "Left Wing , 300,0,0,0,0,0,0,0",
                    true,
                    "LeftWing",
                    {300, 0, 0, 0, 0, 0, 0, 0},
                    {}},
        RegionRow_t{"Seven", "r,1,2,3,4,5,6,7", false, {}, {}, kReasonRegionNumbers},
        RegionRow_t{"NoComma", "r", false, {}, {}, kReasonNoComma},
        RegionRow_t{"EmptyName", ",1,2,3,4,5,6,7,8", false, {}, {}, kReasonEmptyName}),
    [](const ::testing::TestParamInfo<RegionRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

TEST(LevelValueTest, RateConvertedOnItsOwn) {
  struct Row_t {
    const char* pszValue;
    const char* pszName;
    uint8_t byRate;
  };
  const Row_t arrRow[] = {{"L,100", "L", 100},      {"L,300", "L", 44}, {"L,x5", "L", 0},
                          {"L,12x", "L", 12},       {"L,", "L", 0},     {"L,-1", "L", 255},
                          {"Lv 1 , 90", "Lv1", 90}, {"L,5,6", "L", 5}};
  for (const Row_t& row : arrRow) {
    const auto result = ParseLevelValue(row.pszValue);
    ASSERT_TRUE(result.entry.has_value()) << row.pszValue;
    EXPECT_EQ(result.entry->strName, row.pszName) << row.pszValue;
    EXPECT_EQ(result.entry->byRate, row.byRate) << row.pszValue;
  }
  EXPECT_EQ(ParseLevelValue("L").strReason, kReasonNoComma);
  EXPECT_EQ(ParseLevelValue(",100").strReason, kReasonEmptyName);
}

// ---- number reading ---------------------------------------------------------

TEST(ConvertTokenTest, SignAndLeadingDigits) {
  EXPECT_EQ(ConvertToken("A50"), 0);
  EXPECT_EQ(ConvertToken("12x"), 12);
  EXPECT_EQ(ConvertToken(""), 0);
  EXPECT_EQ(ConvertToken("-"), 0);
  EXPECT_EQ(ConvertToken("-7"), -7);
  EXPECT_EQ(ConvertToken("+7"), 7);
  EXPECT_EQ(ConvertToken("\v 42"), 42);
  EXPECT_EQ(ConvertToken("2147483648"), INT32_MIN);  // wraps modulo 2^32
  EXPECT_EQ(ConvertToken("-2147483648"), INT32_MIN);
  EXPECT_EQ(ConvertToken("99999999999999999999"), static_cast<int32_t>(1661992959u));
}

TEST(ScanIntegersTest, ExactlyOneCommaBetween) {
  std::array<int32_t, 3> n{};
  EXPECT_TRUE(ScanIntegers("1,-2,+3", n));
  EXPECT_EQ(n, (std::array<int32_t, 3>{1, -2, 3}));
  EXPECT_TRUE(ScanIntegers("4,5,6,", n));
  EXPECT_TRUE(ScanIntegers("7,8,9garbage", n));
  EXPECT_EQ(n, (std::array<int32_t, 3>{7, 8, 9}));
  EXPECT_FALSE(ScanIntegers("1,,2,3", n));
  EXPECT_FALSE(ScanIntegers("1;2;3", n));
  EXPECT_FALSE(ScanIntegers("1,2", n));
  EXPECT_FALSE(ScanIntegers("", n));
}

}  // namespace
