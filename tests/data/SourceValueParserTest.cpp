// The value rules of the weapon source entries: how a motion and a weapon are
// read from the text after the '=', and why an entry is skipped.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "data/SourceValueParser.h"
#include "support/RowName.h"

namespace {

template <class Record>
struct ValueRow_t {
  const char* szName;
  const char* szValue;
  std::optional<Record> expected;  // none: the entry is skipped for strReason
  std::string_view strReason = {};
};

template <class Record>
void ExpectParsed(const ParseResult_t<Record>& result, const ValueRow_t<Record>& row) {
  EXPECT_EQ(result.entry, row.expected);
  EXPECT_EQ(result.strReason, row.strReason);
}

using ActionRow_t = ValueRow_t<MotionRecord_t>;
using WeaponRow_t = ValueRow_t<WeaponRecord_t>;

class ActionValueTest : public ::testing::TestWithParam<ActionRow_t> {};
class WeaponValueTest : public ::testing::TestWithParam<WeaponRow_t> {};

TEST_P(ActionValueTest, GivesTheMotion) {
  ExpectParsed(ParseActionValue(GetParam().szValue), GetParam());
}

TEST_P(WeaponValueTest, GivesTheWeapon) {
  ExpectParsed(ParseWeaponValue(GetParam().szValue), GetParam());
}

// expected: name, cut rate, impact rate, motion values
const ActionRow_t kActionRows[] = {
    {"RateC", "Bash,C0,30", MotionRecord_t{"Bash", 100, 0, {30}}},
    {"RateLetterOnlyFirst", "Bash,A50,B20,10", MotionRecord_t{"Bash", 50, 50, {0, 10}}},
    {"EmptyTokenEndsList", "Bash,1,2,,3,4", MotionRecord_t{"Bash", 100, 100, {1, 2, 0}}},
    {"LowBitsKept", "Bash,A300,65546,-1", MotionRecord_t{"Bash", 44, 44, {10, 65535}}},
    {"BlanksVanish", " Great\tSlash , A 5 0 , 1 0 ", MotionRecord_t{"GreatSlash", 50, 50, {10}}},
    {"NoComma", "Bash", std::nullopt, kReasonNoComma},
    {"EmptyName", " ,10", std::nullopt, kReasonEmptyName},
};

INSTANTIATE_TEST_SUITE_P(Table, ActionValueTest, ::testing::ValuesIn(kActionRows),
                         RowName<ActionRow_t>);

// expected: name, attack, element value, element mask, sharpness
const WeaponRow_t kWeaponRows[] = {
    {"SignsWrapAndTextAfterTheFifth", "b,-5,+1,4294967297,0,7x,9",
     WeaponRecord_t{"b", -5, 1, 1, 0}},
    {"FourNumbers", "b,100,0,0,3", std::nullopt, kReasonWeaponNumbers},
    {"DoubleComma", "b,100,,0,3,0", std::nullopt, kReasonWeaponNumbers},
    {"NoComma", "b", std::nullopt, kReasonNoComma},
    {"EmptyName", ",100,0,0,3,0", std::nullopt, kReasonEmptyName},
};

INSTANTIATE_TEST_SUITE_P(Table, WeaponValueTest, ::testing::ValuesIn(kWeaponRows),
                         RowName<WeaponRow_t>);

template <auto Parse>
std::string ReasonOf(std::string_view value) {
  return Parse(value).strReason;
}

// Why a hit pattern, region, Anger or level value is skipped: the reason the
// converter reports (a kept entry has none).
TEST(SkipReason, EachReasonOfEachKindOfEntry) {
  const auto kHitPattern = ReasonOf<ParseHitPatternValue>;
  const auto kRegion = ReasonOf<ParseRegionValue>;
  const struct {
    std::string (*reason)(std::string_view);
    const char* szValue;
    std::string_view strReason;
  } arrRow[] = {{kHitPattern, "p,80,-1x", ""},
                {kHitPattern, "p,80", kReasonHitPatternNumbers},
                {kHitPattern, "p,80;100", kReasonHitPatternNumbers},  // not separated by commas
                {kHitPattern, "p,x80,100", kReasonHitPatternNumbers},
                {kHitPattern, "p,\n\v\f80,\r100", ""},  // blanks before numbers
                {kHitPattern, "p", kReasonNoComma},
                {kRegion, "r,1,2,3,4,5,6,7,8,9", ""},
                {kRegion, "r,1,2,3,4,5,6,7", kReasonRegionNumbers},
                {kRegion, ",1,2,3,4,5,6,7,8", kReasonEmptyName},
                {ReasonOf<ParseAngerValue>, " 1, 2, 3 ", ""},
                {ReasonOf<ParseAngerValue>, " \t", kReasonNoAnger},
                {ReasonOf<ParseAngerValue>, "1,2", kReasonAngerNumbers},
                {ReasonOf<ParseLevelValue>, "L,x", ""},
                {ReasonOf<ParseLevelValue>, "L", kReasonNoComma},
                {ReasonOf<ParseLevelValue>, ",100", kReasonEmptyName}};
  for (const auto& row : arrRow) EXPECT_EQ(row.reason(row.szValue), row.strReason) << row.szValue;
}

}  // namespace
