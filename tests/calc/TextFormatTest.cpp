// FormatText: the printf subset the program's texts use, widths in bytes.
#include <gtest/gtest.h>

#include "calc/TextFormat.h"
#include "platform/Cp932.h"

namespace {

using velkar::ToSjis;

TEST(TextFormat, NumbersAndPercentSigns) {
  EXPECT_EQ(FormatText("%d%%", {45}), "45%");
  EXPECT_EQ(FormatText("%d%%", {0}), "0%");
  EXPECT_EQ(FormatText("%d", {-2147483647 - 1}), "-2147483648");
  EXPECT_EQ(FormatText("%d", {65535}), "65535");
  EXPECT_EQ(FormatText("100%%", {}), "100%");
}

TEST(TextFormat, PaddingCountsShiftJisBytes) {
  // 頭 is two bytes, so eight spaces follow it.
  EXPECT_EQ(FormatText("%-10s|", {ToSjis(u8"頭")}), ToSjis(u8"頭        |"));
  EXPECT_EQ(FormatText("%4s", {"7"}), "   7");
  EXPECT_EQ(FormatText("%-4s|", {""}), "    |");
}

TEST(TextFormat, ALongerTextIsNeverCut) {
  EXPECT_EQ(FormatText("%4s|", {"123456"}), "123456|");
  EXPECT_EQ(FormatText("%-10s|", {ToSjis(u8"左前脚の爪先")}), ToSjis(u8"左前脚の爪先|"));
}

TEST(TextFormat, ShiftJisBytesInTheFormatPassThrough) {
  // 攻撃力：%d in Shift-JIS; no trail byte is taken for a '%'.
  EXPECT_EQ(FormatText(ToSjis(u8"攻撃力：%d"), {160}), ToSjis(u8"攻撃力：160"));
  EXPECT_EQ(FormatText(ToSjis(u8"属性(%s):%d"), {ToSjis(u8"火毒"), 250}),
            ToSjis(u8"属性(火毒):250"));
}

TEST(TextFormat, MissingArgumentsGiveNothingAndExtrasAreIgnored) {
  EXPECT_EQ(FormatText("[%s][%d]", {"a"}), "[a][]");
  EXPECT_EQ(FormatText("[%s]", {"a", "b"}), "[a]");
}

}  // namespace
