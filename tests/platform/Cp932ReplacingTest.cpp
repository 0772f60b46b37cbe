// UTF-8 read whatever it holds: each character code page 932 lacks, and each
// malformed sequence, becomes one '?' at a known offset, and a malformed
// sequence never swallows the ASCII byte after it (that byte may be '=' or ']').
// Also the strict UTF-8 check that tells UTF-8 files from Shift-JIS ones.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"
#include "support/RowName.h"

namespace {

using velkar::IsUtf8;
using velkar::Utf8ToSjisReplacing;

struct Replacing_t {
  const char* szName;
  std::string_view utf8;
  std::string_view sjis;
  std::vector<size_t> arrOffset;
};

class Cp932Replacing : public testing::TestWithParam<Replacing_t> {};

TEST_P(Cp932Replacing, MarksEachUnencodablePart) {
  const auto& row = GetParam();
  std::vector<size_t> arrOffset{99};  // offsets are appended to what is there
  EXPECT_EQ(Utf8ToSjisReplacing(row.utf8, arrOffset), row.sjis);
  std::vector<size_t> arrExpected{99};
  arrExpected.insert(arrExpected.end(), row.arrOffset.begin(), row.arrOffset.end());
  EXPECT_EQ(arrOffset, arrExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Replacing,
    testing::Values(Replacing_t{"Ascii", "k=v", "k=v", {}},
                    Replacing_t{"Japanese", "\xE5\xA4\xA7\xE5\x89\xA3", "\x91\xE5\x8C\x95", {}},
                    Replacing_t{"WaveDashHasACode", "\xE3\x80\x9C", "\x81\x60", {}},
                    Replacing_t{
                        "EmojiAfterKanji", "\xE5\xA4\xA7\xF0\x9F\x98\x80=", "\x91\xE5?=", {2}},
                    Replacing_t{"TwoUnencodable", "\xE2\x82\xAC\xC3\xA9", "??", {0, 1}},
                    Replacing_t{"TruncatedBeforeEquals", "a\xE5\xA4=b", "a?=b", {1}},
                    Replacing_t{"TruncatedBeforeBracket", "[\xF0\x9F]", "[?]", {1}},
                    Replacing_t{"StrayContinuation", "\x80k", "?k", {0}},
                    Replacing_t{"ShiftJisBytes", "\x91\xE5", "??", {0, 1}},
                    Replacing_t{"TruncatedAtEnd", "ab\xE3\x81", "ab?", {2}}),
    RowName<Replacing_t>);

struct Utf8Check_t {
  const char* szName;
  std::string_view text;
  bool bUtf8;
};

class Cp932IsUtf8 : public testing::TestWithParam<Utf8Check_t> {};

TEST_P(Cp932IsUtf8, TellsWellFormedUtf8) {
  EXPECT_EQ(IsUtf8(GetParam().text), GetParam().bUtf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932IsUtf8,
    testing::Values(Utf8Check_t{"Empty", "", true}, Utf8Check_t{"Ascii", "[Weapon]", true},
                    Utf8Check_t{"Kanji", "\xE5\xA4\xA7\xE5\x89\xA3", true},
                    Utf8Check_t{"FourBytes", "\xF0\x9F\x98\x80", true},
                    Utf8Check_t{"LastCodePoint", "\xF4\x8F\xBF\xBF", true},
                    Utf8Check_t{"ShiftJisKanji", "\x91\xE5\x8C\x95", false},
                    Utf8Check_t{"ShiftJisKatakana", "\x83\x6E\x83\x93", false},
                    Utf8Check_t{"Truncated", "\xE5\xA4", false},
                    Utf8Check_t{"Overlong", "\xC0\xAF", false},
                    Utf8Check_t{"OverlongThreeBytes", "\xE0\x80\xAF", false},
                    Utf8Check_t{"Surrogate", "\xED\xA0\x80", false},
                    Utf8Check_t{"AboveLastCodePoint", "\xF4\x90\x80\x80", false},
                    Utf8Check_t{"HalfWidthKatakanaByte", "\xB6", false}),
    RowName<Utf8Check_t>);

}  // namespace
