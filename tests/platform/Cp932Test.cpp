// Code page 932 conversions: round trips of Japanese text, undecodable bytes,
// unencodable characters and the double-byte-safe prefix.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/Cp932.h"

namespace {

using velkar::SjisPrefixLength;
using velkar::SjisToUtf8;
using velkar::ToSjis;
using velkar::Utf8ToSjis;

std::string AsString(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// ---- text that exists in both encodings ------------------------------------

struct RoundTrip_t {
  const char* pszName;
  std::u8string_view utf8;
  std::string_view sjis;
};

class Cp932RoundTrip : public testing::TestWithParam<RoundTrip_t> {};

TEST_P(Cp932RoundTrip, EncodesToTheExpectedBytes) {
  const auto& row = GetParam();
  const auto sjis = Utf8ToSjis(AsString(row.utf8));
  ASSERT_TRUE(sjis.has_value());
  EXPECT_EQ(*sjis, row.sjis);
  EXPECT_EQ(ToSjis(row.utf8), row.sjis);
}

TEST_P(Cp932RoundTrip, DecodesBackToTheSameText) {
  const auto& row = GetParam();
  EXPECT_EQ(SjisToUtf8(row.sjis), AsString(row.utf8));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932RoundTrip,
    testing::Values(
        RoundTrip_t{"Empty", u8"", ""}, RoundTrip_t{"Ascii", u8"Lv.1 Sword=100", "Lv.1 Sword=100"},
        RoundTrip_t{"BackslashAndTildeStayAscii", u8"a\\b~c", "a\\b~c"},
        RoundTrip_t{"Kanji", u8"大剣", "\x91\xE5\x8C\x95"},
        RoundTrip_t{"LongVowelMarkWithBracketTrail", u8"ハンマー",
                    "\x83\x6E\x83\x93\x83\x7D\x81\x5B"},
        RoundTrip_t{"BackslashTrailBytes", u8"ソ表能", "\x83\x5C\x95\x5C\x94\x5C"},
        RoundTrip_t{"ClosingBracketTrailByte", u8"ゾ", "\x83\x5D"},
        RoundTrip_t{"LetterTrailBytes", u8"アヂ", "\x83\x41\x83\x61"},
        RoundTrip_t{"HalfWidthKatakana", u8"ｶﾞﾝﾗﾝｽ", "\xB6\xDE\xDD\xD7\xDD\xBD"},
        RoundTrip_t{"HalfWidthLongVowel", u8"ｰ", "\xB0"},
        RoundTrip_t{"FullWidthSpace", u8"　", "\x81\x40"},
        RoundTrip_t{"CircledDigit", u8"①", "\x87\x40"},
        RoundTrip_t{"FullWidthTilde", u8"～", "\x81\x60"},
        RoundTrip_t{"MixedLine", u8"[ガルバーン]\r\n0=炎翼竜 1",
                    "[\x83\x4B\x83\x8B\x83\x6F\x81\x5B\x83\x93]\r\n0=\x89\x8A\x97\x83\x97\xB3 1"}),
    [](const auto& row) { return std::string(row.param.pszName); });

// ---- bytes that are not code page 932 ---------------------------------------

struct Undecodable_t {
  const char* pszName;
  std::string_view sjis;
  std::string_view utf8;
};

class Cp932Undecodable : public testing::TestWithParam<Undecodable_t> {};

TEST_P(Cp932Undecodable, BecomesReplacementCharacterAndDecodingContinues) {
  EXPECT_EQ(SjisToUtf8(GetParam().sjis), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Cp932Undecodable,
    testing::Values(
        Undecodable_t{"Byte80", "a\x80z", "a\xEF\xBF\xBDz"},
        Undecodable_t{"ByteA0", "\xA0", "\xEF\xBF\xBD"},
        Undecodable_t{"BytesFDtoFF", "\xFD\xFE\xFF", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        Undecodable_t{"LeadByteAtEnd", "a\x82", "a\xEF\xBF\xBD"},
        Undecodable_t{"LeadByteBeforeBlank", "\x82 b", "\xEF\xBF\xBD b"},
        Undecodable_t{"LeadByteBeforeDelete", "\x81\x7F", "\xEF\xBF\xBD\x7F"},
        Undecodable_t{"UnassignedPairKeepsItsSecondByte", "\x82\x41", "\xEF\xBF\xBD\x41"},
        Undecodable_t{"ValidTextAfterBadByte", "\xFF\x91\xE5\x8C\x95",
                      "\xEF\xBF\xBD\xE5\xA4\xA7\xE5\x89\xA3"}),
    [](const auto& row) { return std::string(row.param.pszName); });

// ---- UTF-8 that has no code page 932 form ------------------------------------

struct Unencodable_t {
  const char* pszName;
  std::string_view utf8;
};

class Cp932Unencodable : public testing::TestWithParam<Unencodable_t> {};

TEST_P(Cp932Unencodable, GivesNone) {
  EXPECT_FALSE(Utf8ToSjis(GetParam().utf8).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Cp932Unencodable,
    testing::Values(
        Unencodable_t{"EuroSign", "a\xE2\x82\xAC"}, Unencodable_t{"Emoji", "\xF0\x9F\x98\x80"},
        Unencodable_t{"Hangul", "\xED\x95\x9C"}, Unencodable_t{"TruncatedSequence", "\xE5\xA4"},
        Unencodable_t{"StrayContinuationByte", "\x80"}, Unencodable_t{"ByteFF", "a\xFF"},
        Unencodable_t{"OverlongSlash", "\xC0\xAF"}, Unencodable_t{"Surrogate", "\xED\xA0\x80"},
        Unencodable_t{"ShiftJisBytesAreNotUtf8", "\x91\xE5\x8C\x95"}),
    [](const auto& row) { return std::string(row.param.pszName); });

TEST(Cp932ToSjis, ReplacesEachUnencodableCharacterWithOneQuestionMark) {
  EXPECT_EQ(ToSjis(u8"a€b😀c"), "a?b?c");
  EXPECT_EQ(ToSjis(u8"大€剣"), "\x91\xE5?\x8C\x95");
}

// ---- prefixes that never end inside a double-byte character ------------------

struct Prefix_t {
  const char* pszName;
  std::string_view text;
  size_t nMax;
  size_t nExpected;
};

class SjisPrefix : public testing::TestWithParam<Prefix_t> {};

TEST_P(SjisPrefix, StopsBeforeASplitCharacter) {
  EXPECT_EQ(SjisPrefixLength(GetParam().text, GetParam().nMax), GetParam().nExpected);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, SjisPrefix,
    testing::Values(Prefix_t{"EmptyText", "", 5, 0}, Prefix_t{"ZeroLimit", "abc", 0, 0},
                    Prefix_t{"AsciiCut", "abc", 2, 2}, Prefix_t{"LimitBeyondText", "abc", 10, 3},
                    Prefix_t{"CutWouldSplit", "a\x95\x5C", 2, 1},
                    Prefix_t{"CutAfterDoubleByte", "a\x95\x5C", 3, 3},
                    Prefix_t{"SplitFirstCharacter", "\x95\x5C", 1, 0},
                    Prefix_t{"HalfWidthKatakanaIsSingle", "\xB1\xB2", 1, 1},
                    Prefix_t{"LoneLeadByteAtEnd", "a\x83", 5, 2},
                    Prefix_t{"LoneLeadByteAtCut", "a\x83", 1, 1},
                    // 0x81 0x81 is one character whose second byte looks like
                    // a lead byte: only a walk from the start tells them apart.
                    Prefix_t{"TrailByteLooksLikeLeadAtCut",
                             "\x81\x81"
                             "a",
                             2, 2},
                    Prefix_t{"TrailByteLooksLikeLeadRun", "\x81\x81\x81\x81\x81", 3, 2}),
    [](const auto& row) { return std::string(row.param.pszName); });

}  // namespace
