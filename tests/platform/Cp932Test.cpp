// Code page 932 conversions beyond the table comparison with iconv:
// unencodable characters and malformed UTF-8 (strict and replacing), the
// UTF-8 check and the double-byte-safe prefix.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "platform/Cp932.h"
#include "platform/TextEscape.h"

namespace {

using namespace std::string_view_literals;

// UTF-8 to Shift-JIS: the strict conversion gives none where the replacing one
// puts one '?' per unencodable character or malformed sequence and records
// its offset; a malformed sequence never swallows the ASCII byte after it.
TEST(Cp932Encoding, StrictGivesNoneWhereReplacingMarks) {
  const struct {
    std::string_view utf8;
    std::string_view sjis;  // replacing
    std::vector<size_t> arrOffset;
  } arrRow[] = {{"[\xF0\x9F]", "[?]", {1}},    // truncated
                {"\x80k", "?k", {0}},          // stray continuation
                {"\xC0\xAFk", "??k", {0, 1}},  // overlong '/'
                {"\x91\xE5", "??", {0, 1}}};   // Shift-JIS
  for (const auto& row : arrRow) {
    std::vector<size_t> arrOffset{99};  // offsets are appended to what is there
    EXPECT_EQ(velkar::Utf8ToSjisReplacing(row.utf8, arrOffset), row.sjis);
    arrOffset.erase(arrOffset.begin());
    EXPECT_EQ(arrOffset, row.arrOffset) << row.sjis;
    EXPECT_EQ(velkar::Utf8ToSjis(row.utf8).has_value(), row.arrOffset.empty()) << row.sjis;
  }
}

TEST(Cp932IsUtf8, TellsWellFormedUtf8) {
  // The last two-byte form, the first plane after F0, the last code point.
  for (const std::string_view text :
       {"[\xE5\xA4\xA7]"sv, "\xDF\xBF"sv, "\xF1\x80\x80\x80"sv, "\xF4\x8F\xBF\xBF"sv}) {
    EXPECT_TRUE(velkar::IsUtf8(text)) << testing::PrintToString(text);
  }
  // The decoder of one character (build names) agrees, here (the first and
  // the last four-byte form) and below.
  char32_t cp = 0;
  EXPECT_EQ(velkar::DecodeUtf8("\xF0\x90\x80\x80", 0, cp), 4U);
  EXPECT_EQ(cp, 0x10000U);
  EXPECT_EQ(velkar::DecodeUtf8("\xF4\x8F\xBF\xBF", 0, cp), 4U);
  EXPECT_EQ(cp, 0x10FFFFU);
  // Shift-JIS, a stray continuation, truncated, a bad third byte, overlong
  // three- and four-byte forms, a surrogate, above the last code point.
  for (const std::string_view text :
       {"\x91\xE5\x8C\x95"sv, "\x80"sv, "\xE5\xA4"sv, "\xE5\xA4z"sv, "\xE0\x80\xAF"sv,
        "\xF0\x8F\xBF\xBF"sv, "\xED\xA0\x80"sv, "\xF4\x90\x80\x80"sv}) {
    EXPECT_FALSE(velkar::IsUtf8(text)) << testing::PrintToString(text);
    EXPECT_EQ(velkar::DecodeUtf8(text, 0, cp), 0U) << testing::PrintToString(text);
  }
}

// Prefixes and escapes never end inside a double-byte character; only a walk
// from the start tells a trail byte that looks like a lead byte from a lead byte.
TEST(SjisPrefix, StopsBeforeASplitCharacter) {
  EXPECT_EQ(velkar::SjisPrefixLength("a\x95\x5C", 2), 1u);
  EXPECT_EQ(velkar::SjisPrefixLength("a\x95\x5C", 3), 3u);
  EXPECT_EQ(velkar::SjisPrefixLength("\x95\x5C", 1), 0u);
  EXPECT_EQ(velkar::SjisPrefixLength("\xB1\xB2", 1), 1u);  // half-width katakana
  EXPECT_EQ(velkar::SjisPrefixLength("a\x83", 5), 2u);     // lone lead byte at the end
  EXPECT_EQ(velkar::SjisPrefixLength("\x81\x81\x81\x81", 3), 2u);
  // Controls, DEL among them, are escaped; a lone lead byte at the end is
  // kept alone, never read with what follows.
  EXPECT_EQ(velkar::EscapeSjisControls("\n\x7F\x83\x40"sv.substr(0, 3)), "\\n\\x7f\x83");
}

}  // namespace
