#include "calc/RowComparison.h"

#include <gtest/gtest.h>

#include "VelkarTexts.h"

namespace {

ResultRow_t Row(const std::string& strRegion, int32_t nDamage) {
  ResultRow_t row;
  row.arrCell[0] = strRegion;
  row.nDamage = nDamage;
  return row;
}

// Matching by name (not position), a repeated name paired in order, regions
// missing on either side, and the extreme damages whose difference overflows
// 32 bits.
TEST(RowComparisonTest, MatchesRegionsByNameAndFormatsTheDifference) {
  const std::vector<ResultRow_t> arrBaseline = {Row("head", 100), Row("leg", 50), Row("leg", 40),
                                                Row("tail", 7), Row("wing", -2147483647 - 1)};
  const std::vector<ResultRow_t> arrCurrent = {Row("leg", 53), Row("head", 88), Row("leg", 40),
                                               Row("horn", 9), Row("wing", 2147483647)};
  const std::vector<RegionDifference_t> arrDiff = CompareRows(arrBaseline, arrCurrent);
  std::vector<std::string> arrText;
  for (const RegionDifference_t& diff : arrDiff) {
    arrText.push_back(diff.strRegion + ":" + FormatDifference(diff.Delta()));
  }
  const std::string strMissing(txt::kDifferenceMissing);
  const std::vector<std::string> arrExpected = {"leg:+3",
                                                "head:-12",
                                                "leg:" + std::string(txt::kDifferenceZero),
                                                "horn:" + strMissing,
                                                "wing:+4294967295",
                                                "tail:" + strMissing};
  EXPECT_EQ(arrText, arrExpected);
  EXPECT_FALSE(arrDiff[5].nCurrent.has_value());
  EXPECT_EQ(arrDiff[5].nBaseline, 7);
}

}  // namespace
