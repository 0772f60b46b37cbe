// The small records: attack motions, hit patterns and levels.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Action.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

const std::string kSlash = velkar::ToSjis(u8"縦斬り");

TEST(Action, KeepsMotionValuesInOrderWithRepeats) {
  CAction action(kSlash);
  EXPECT_TRUE(action.GetMotions().empty());
  for (const uint16_t wMotion : std::vector<uint16_t>{48, 0, 48, 65535})
    EXPECT_TRUE(action.AddMotion(wMotion));
  EXPECT_EQ(action.GetMotions(), (std::vector<uint16_t>{48, 0, 48, 65535}));
  EXPECT_EQ(action.GetName(), kSlash);
}

// GetRate: index 0 is the cut rate, 1 the impact rate, anything else 0.
struct RateCase_t {
  const char* szName;
  int nIndex;
  uint8_t byExpected;
};

class ActionRateTest : public ::testing::TestWithParam<RateCase_t> {};

TEST_P(ActionRateTest, RateByPhysicalIndex) {
  CAction action(kSlash);
  action.SetRate(70, 255);  // cut, impact
  EXPECT_EQ(action.GetRate(GetParam().nIndex), GetParam().byExpected);
}

const RateCase_t kRateCases[] = {
    {"Cut", 0, 70},    {"Impact", 1, 255},     {"Third", 2, 0},        {"Three", 3, 0},
    {"Minus1", -1, 0}, {"IntMax", INT_MAX, 0}, {"IntMin", INT_MIN, 0},
};

INSTANTIATE_TEST_SUITE_P(Indexes, ActionRateTest, ::testing::ValuesIn(kRateCases),
                         RowName<RateCase_t>);

TEST(HitPattern, LowRateFirstThenHighRate) {
  const CHitPattern pattern(velkar::ToSjis(u8"弱点"), 0, 255);
  EXPECT_EQ(pattern.GetName(), velkar::ToSjis(u8"弱点"));
  EXPECT_EQ(pattern.GetLowRate(), 0);
  EXPECT_EQ(pattern.GetHighRate(), 255);
}

TEST(Level, KeepsNameAndRate) {
  std::string strName = velkar::ToSjis(u8"G級");
  const CLevel level(strName, 255);
  strName.clear();
  EXPECT_EQ(level.GetName(), velkar::ToSjis(u8"G級"));
  EXPECT_EQ(level.GetRate(), 255);
}

}  // namespace
