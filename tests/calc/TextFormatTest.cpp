// FormatText, the printf subset the program's texts use with widths counted
// in bytes, and the comparison of result rows with a pinned baseline.
#include <gtest/gtest.h>

#include "VelkarTexts.h"
#include "calc/RowComparison.h"
#include "calc/TextFormat.h"
#include "platform/Cp932.h"

namespace {

using velkar::ToSjis;

TEST(TextFormat, NumbersPaddingAndShiftJisBytes) {
  EXPECT_EQ(FormatText("%d%%|%d", {45, -2147483647 - 1}), "45%|-2147483648");
  EXPECT_EQ(FormatText("%-10s|%4s|%19s", {ToSjis(u8"頭"), "123456", "x"}),
            ToSjis(u8"頭        |123456|") + std::string(18, ' ') + "x");
  // No trail byte of 攻撃力：is taken for a '%'.
  EXPECT_EQ(FormatText(ToSjis(u8"攻撃力：%d"), {160}), ToSjis(u8"攻撃力：160"));
  EXPECT_EQ(FormatText("[%s][%d]", {"a"}) + FormatText("[%s]", {"a", "b"}), "[a][][a]");
}

ResultRow_t Row(const std::string& strRegion, int32_t nDamage) {
  ResultRow_t row;
  row.arrCell[0] = strRegion;
  row.nDamage = nDamage;
  return row;
}

// Matching by name (not position), a repeated name paired in order, regions
// missing on either side (more of them in the baseline), and a difference
// that overflows 32 bits.
TEST(RowComparison, MatchesRegionsByNameAndFormatsTheDifference) {
  const std::vector<RegionDifference_t> arrDiff = CompareRows(
      {Row("head", 100), Row("leg", 50), Row("leg", 40), Row("tail", 7), Row("wing", INT32_MIN),
       Row("fin", 1)},
      {Row("leg", 53), Row("head", 99), Row("leg", 40), Row("horn", 9), Row("wing", INT32_MAX)});
  std::vector<std::string> arrText;
  for (const RegionDifference_t& diff : arrDiff)
    arrText.push_back(diff.strRegion + ":" + FormatDifference(diff.Delta()));
  const std::string strMissing(txt::kDifferenceMissing);
  EXPECT_EQ(arrText, (std::vector<std::string>{"leg:+3", "head:-1",
                                               "leg:" + std::string(txt::kDifferenceZero),
                                               "horn:" + strMissing, "wing:+4294967295",
                                               "tail:" + strMissing, "fin:" + strMissing}));
}

}  // namespace
