// The INI reader: the lookup rules of hand-written Windows files, Shift-JIS
// names whose second byte looks like syntax or a letter, the 5119-byte cut,
// and what a lint tool sees of a file.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "support/TestDataDir.h"

namespace {

using namespace std::string_literals;
using velkar::ToSjis;

// ---- one lookup in one file -----------------------------------------------------

struct Lookup_t {
  const char* pszName;
  std::string strFile;
  std::string strSection;
  std::string strKey;
  std::string strExpected;
};

class IniLookup : public testing::TestWithParam<Lookup_t> {};

TEST_P(IniLookup, GivesTheExpectedValue) {
  const auto& row = GetParam();
  EXPECT_EQ(CIniFile::Parse(row.strFile).GetString(row.strSection, row.strKey), row.strExpected);
}

std::string RowName(const testing::TestParamInfo<Lookup_t>& info) {
  return info.param.pszName;
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, IniLookup,
    testing::Values(Lookup_t{"CrLf", "[S]\r\na=1\r\nb=2\r\n", "S", "b", "2"},
                    Lookup_t{"CrOnly", "[S]\ra=1\rb=2\r", "S", "b", "2"},
                    Lookup_t{"LfOnly", "[S]\na=1\nb=2\n", "S", "b", "2"},
                    Lookup_t{"Mixed", "[S]\r\n\r\na=1\n\rb=2", "S", "b", "2"},
                    Lookup_t{"CrEndsValue", "[S]\r\na=1\rb=2\r\n", "S", "a", "1"},
                    Lookup_t{"LastLineWithoutEnd", "[S]\r\na=last", "S", "a", "last"}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Blanks, IniLookup,
    testing::Values(Lookup_t{"AroundKeyAndValue", "[S]\n \t key \t=\t value one \t\n", "S", "key",
                             "value one"},
                    Lookup_t{"AroundSectionName", "  [ \tS p \t]  \nk=v\n", "S p", "k", "v"},
                    Lookup_t{"InsideKeyKept", "[S]\nmy key=v\n", "S", "my key", "v"},
                    Lookup_t{"FullWidthSpaceIsNoBlank", "[S]\nk=\x81\x40v\x81\x40\n", "S", "k",
                             "\x81\x40v\x81\x40"},
                    Lookup_t{"OnlyBlanksGiveEmpty", "[S]\nk=  \t \n", "S", "k", ""}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Comments, IniLookup,
    testing::Values(Lookup_t{"CommentedKey", "[S]\n;k=1\nk=2\n", "S", "k", "2"},
                    Lookup_t{"IndentedComment", "[S]\n \t; k=1\n", "S", "k", ""},
                    Lookup_t{"CommentedSection", ";[S]\nk=1\n", "S", "k", ""},
                    Lookup_t{"NoInlineComment", "[S]\nk=1 ; note\n", "S", "k", "1 ; note"},
                    Lookup_t{"SemicolonInsideKey", "[S]\na;b=1\n", "S", "a;b", "1"},
                    Lookup_t{"HashIsNoComment", "[S]\n#k=1\n", "S", "#k", "1"}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    KeysAndSections, IniLookup,
    testing::Values(Lookup_t{"FirstEqualsSplits", "[S]\nk=a=b\n", "S", "k", "a=b"},
                    Lookup_t{"KeyCaseFolded", "[S]\nKey=1\n", "S", "kEY", "1"},
                    Lookup_t{"SectionCaseFolded", "[Weapon]\n1=x\n", "WEAPON", "1", "x"},
                    Lookup_t{"FirstSectionWins", "[S]\nk=1\n[s]\nk=2\n", "S", "k", "1"},
                    Lookup_t{"RepeatedSectionIgnored", "[S]\nk=1\n[s]\nonly=3\n", "S", "only", ""},
                    Lookup_t{"FirstKeyWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
                    Lookup_t{"EmptyFirstKeyWins", "[S]\nk=\nk=2\n", "S", "k", ""},
                    Lookup_t{"NextSectionEndsKeys", "[S]\n[T]\nk=1\n", "S", "k", ""},
                    Lookup_t{"TextAfterBracketIgnored", "[S] junk\nk=1\n", "S", "k", "1"},
                    Lookup_t{"NameRunsToLastBracket", "[a]b]\nk=1\n", "a]b", "k", "1"},
                    Lookup_t{"UnclosedHeaderKeepsSection", "[S]\n[T\nk=1\n", "S", "k", "1"},
                    Lookup_t{"UnclosedHeaderIsNoSection", "[S]\n[T\nk=1\n", "[T", "k", ""},
                    Lookup_t{"LineWithoutEquals", "[S]\nk\nk=2\n", "S", "k", "2"},
                    Lookup_t{"EmptyKeyIgnored", "[S]\n=x\n", "S", "", ""},
                    Lookup_t{"KeyBeforeFirstSection", "k=1\n[S]\n", "S", "k", ""},
                    Lookup_t{"KeyBeforeFirstSectionUnnamed", "k=1\n[S]\n", "", "k", ""},
                    Lookup_t{"NulBytePassesThrough", "[S]\nk=a\0b\n"s, "S", "k", "a\0b"s}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Quotes, IniLookup,
    testing::Values(Lookup_t{"Double", "[S]\nk=\"a b\"\n", "S", "k", "a b"},
                    Lookup_t{"Single", "[S]\nk='x'\n", "S", "k", "x"},
                    Lookup_t{"RemovedAfterTrim", "[S]\nk=  \" x \"  \n", "S", "k", " x "},
                    Lookup_t{"Mismatched", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
                    Lookup_t{"LoneQuote", "[S]\nk=\"\n", "S", "k", "\""},
                    Lookup_t{"EmptyPair", "[S]\nk=\"\"\n", "S", "k", ""},
                    Lookup_t{"OnlyOnePairRemoved", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
                    Lookup_t{"InnerQuotesKept", "[S]\nk=a\"b\"\n", "S", "k", "a\"b\""},
                    // The lead byte takes the closing quote as its second byte.
                    Lookup_t{"QuoteAfterLeadByte", "[S]\nk=\"a\x83\"\n", "S", "k", "\"a\x83\""}),
    RowName);

INSTANTIATE_TEST_SUITE_P(
    Missing, IniLookup,
    testing::Values(Lookup_t{"EmptyFile", "", "S", "k", ""},
                    Lookup_t{"Section", "[S]\nk=1\n", "T", "k", ""},
                    Lookup_t{"Key", "[S]\nk=1\n", "S", "j", ""},
                    Lookup_t{"SectionNameIsNoPrefix", "[Sword]\nk=1\n", "Swo", "k", ""},
                    Lookup_t{"KeyNameIsNoPrefix", "[S]\nkey=1\n", "S", "ke", ""},
                    Lookup_t{"EmptyValue", "[S]\nk=\n", "S", "k", ""}),
    RowName);

// Shift-JIS names and values: the second byte of a double-byte character is
// never syntax and never a letter.
INSTANTIATE_TEST_SUITE_P(
    ShiftJis, IniLookup,
    testing::Values(
        Lookup_t{"LongVowelTrailIsOpeningBracket", ToSjis(u8"[ガルバーン]\r\n0=1\r\n"),
                 ToSjis(u8"ガルバーン"), "0", "1"},
        Lookup_t{"ClosingBracketTrailEndsNoName", ToSjis(u8"[アゾ]\r\nk=1\r\n"), ToSjis(u8"アゾ"),
                 "k", "1"},
        Lookup_t{"ClosingBracketTrailAfterHeader", ToSjis(u8"[ア]ゾ\r\nk=1\r\n"), ToSjis(u8"ア"),
                 "k", "1"},
        Lookup_t{"ClosingBracketTrailIsNoHeader", ToSjis(u8"[S]\r\n[ゾ\r\nk=1\r\n"), "\x83", "k",
                 ""},
        Lookup_t{"BackslashTrailInSection", ToSjis(u8"[ソ表]\r\nk=1\r\n"), ToSjis(u8"ソ表"), "k",
                 "1"},
        Lookup_t{"BackslashTrailEndsValue", ToSjis(u8"[S]\r\nk=能\r\nj=2\r\n"), "S", "k",
                 ToSjis(u8"能")},
        Lookup_t{"BackslashTrailEndsKey", ToSjis(u8"[S]\r\n表=1\r\n"), "S", ToSjis(u8"表"), "1"},
        Lookup_t{"LetterTrailSectionA", ToSjis(u8"[ア]\r\nk=1\r\n[ヂ]\r\nk=2\r\n"), ToSjis(u8"ア"),
                 "k", "1"},
        Lookup_t{"LetterTrailSectionNotFolded", ToSjis(u8"[ア]\r\nk=1\r\n[ヂ]\r\nk=2\r\n"),
                 ToSjis(u8"ヂ"), "k", "2"},
        Lookup_t{"LetterTrailKeyNotFolded", ToSjis(u8"[S]\r\nア=1\r\nヂ=2\r\n"), "S",
                 ToSjis(u8"ヂ"), "2"},
        Lookup_t{"UpperLetterAfterDoubleByteFolded", ToSjis(u8"[大剣A]\r\nk=1\r\n"),
                 ToSjis(u8"大剣a"), "k", "1"},
        Lookup_t{"HalfWidthKatakanaBeforeBracket", ToSjis(u8"[ｱ]\r\nｷｰ=ﾃﾞｰﾀ\r\n"), ToSjis(u8"ｱ"),
                 ToSjis(u8"ｷｰ"), ToSjis(u8"ﾃﾞｰﾀ")},
        Lookup_t{"InnerBlanksInMonsterName", ToSjis(u8"[炎翼竜 ガルバーン]\r\n0=1\r\n"),
                 ToSjis(u8"炎翼竜 ガルバーン"), "0", "1"},
        Lookup_t{"LeadByteAtLineEndTakesNoLineBreak", "[S]\nk=a\x83\nj=2\n", "S", "j", "2"},
        Lookup_t{"LeadByteAtLineEndKept", "[S]\nk=a\x83\nj=2\n", "S", "k", "a\x83"}),
    RowName);

// ---- the 5119-byte cut --------------------------------------------------------------

struct Cut_t {
  const char* pszName;
  std::string strValue;  // as written in the file
  std::string strExpected;
};

class IniValueCut : public testing::TestWithParam<Cut_t> {};

TEST_P(IniValueCut, KeepsAtMost5119BytesOfWholeCharacters) {
  const auto& row = GetParam();
  const CIniFile ini = CIniFile::Parse("[S]\r\nk=" + row.strValue + "\r\nj=next\r\n");
  EXPECT_EQ(ini.GetString("S", "k"), row.strExpected);
  EXPECT_EQ(ini.GetString("S", "j"), "next");
}

const std::string kKanji = ToSjis(u8"表");  // 0x95 0x5C

INSTANTIATE_TEST_SUITE_P(
    Lengths, IniValueCut,
    testing::Values(Cut_t{"Exactly5119", std::string(5119, 'a'), std::string(5119, 'a')},
                    Cut_t{"OneTooMany", std::string(5120, 'a'), std::string(5119, 'a')},
                    Cut_t{"FarTooMany", std::string(70000, 'b'), std::string(5119, 'b')},
                    Cut_t{"DoubleByteStraddlesCut", std::string(5118, 'a') + kKanji,
                          std::string(5118, 'a')},
                    Cut_t{"DoubleByteEndsAtCut", std::string(5117, 'a') + kKanji,
                          std::string(5117, 'a') + kKanji},
                    Cut_t{"DoubleBytesOnly",
                          [] {
                            std::string s;
                            for (int i = 0; i < 3000; ++i) s += kKanji;
                            return s;
                          }(),
                          [] {
                            std::string s;
                            for (int i = 0; i < 2559; ++i) s += kKanji;
                            return s;
                          }()},
                    Cut_t{"QuotesRemovedBeforeCut", "\"" + std::string(5119, 'q') + "\"",
                          std::string(5119, 'q')}),
    [](const auto& row) { return std::string(row.param.pszName); });

// ---- what a lint tool sees ----------------------------------------------------------

TEST(IniFileLines, ListsSectionsEntriesAndOddLinesWithLineNumbers) {
  const CIniFile ini = CIniFile::Parse(
      "stray=1\r\n[S]\r\nk = \"v\" \r\nodd\r\n[T\r\n=x\r\n; note\r\n\r\n[s]\rk=2\n");
  const auto& arrSection = ini.GetSections();
  ASSERT_EQ(arrSection.size(), 2u);
  EXPECT_EQ(arrSection[0].strName, "S");
  EXPECT_EQ(arrSection[0].nLine, 2u);
  ASSERT_EQ(arrSection[0].arrEntry.size(), 1u);
  EXPECT_EQ(arrSection[0].arrEntry[0].strKey, "k");
  EXPECT_EQ(arrSection[0].arrEntry[0].strValue, "v");
  EXPECT_EQ(arrSection[0].arrEntry[0].nLine, 3u);
  EXPECT_EQ(arrSection[1].strName, "s");
  EXPECT_EQ(arrSection[1].nLine, 9u);
  ASSERT_EQ(arrSection[1].arrEntry.size(), 1u);
  EXPECT_EQ(arrSection[1].arrEntry[0].nLine, 10u);
  EXPECT_EQ(ini.GetString("S", "k"), "v");

  const auto& arrOdd = ini.GetOddLines();
  ASSERT_EQ(arrOdd.size(), 4u);
  EXPECT_EQ(arrOdd[0].nLine, 1u);
  EXPECT_EQ(arrOdd[0].strText, "stray=1");
  EXPECT_EQ(arrOdd[1].nLine, 4u);
  EXPECT_EQ(arrOdd[1].strText, "odd");
  EXPECT_EQ(arrOdd[2].nLine, 5u);
  EXPECT_EQ(arrOdd[2].strText, "[T");
  EXPECT_EQ(arrOdd[3].nLine, 6u);
  EXPECT_EQ(arrOdd[3].strText, "=x");
}

TEST(IniFileLines, EntryKeepsTheWholeValueBeforeTheCut) {
  const CIniFile ini = CIniFile::Parse("[S]\nk=" + std::string(6000, 'a') + "\nk=second\n");
  const auto& arrEntry = ini.GetSections().at(0).arrEntry;
  ASSERT_EQ(arrEntry.size(), 2u);
  EXPECT_EQ(arrEntry[0].strValue.size(), 6000u);
  EXPECT_EQ(arrEntry[1].strValue, "second");
  EXPECT_EQ(ini.GetString("S", "k").size(), 5119u);
}

// ---- files on disk ------------------------------------------------------------------

TEST(IniFileLoad, MissingFileIsEmptyAndNotFound) {
  CTestDataDir dir;
  const CIniFile ini = CIniFile::Load(dir.PathOf("absent.ini"));
  EXPECT_FALSE(ini.WasFound());
  EXPECT_EQ(ini.GetString("S", "k"), "");
  EXPECT_TRUE(ini.GetSections().empty());
}

TEST(IniFileLoad, FolderIsNotFound) {
  CTestDataDir dir;
  EXPECT_FALSE(CIniFile::Load(dir.Path()).WasFound());
}

TEST(IniFileLoad, ReadsShiftJisFileByteForByte) {
  CTestDataDir dir;
  dir.WriteText("Monster.ini",
                u8"[Monster]\r\n0=炎翼竜ガルバーン\r\n[炎翼竜ガルバーン]\r\n0=頭,45\r\n");
  const CIniFile ini = CIniFile::Load(dir.PathOf("Monster.ini"));
  EXPECT_TRUE(ini.WasFound());
  const std::string strName = ini.GetString("Monster", "0");
  EXPECT_EQ(strName, ToSjis(u8"炎翼竜ガルバーン"));
  EXPECT_EQ(ini.GetString(strName, "0"), ToSjis(u8"頭,45"));
}

TEST(IniFileLoad, EmptyFileIsFound) {
  CTestDataDir dir;
  dir.WriteBytes("Empty.ini", std::string_view{});
  const CIniFile ini = CIniFile::Load(dir.PathOf("Empty.ini"));
  EXPECT_TRUE(ini.WasFound());
  EXPECT_EQ(ini.GetString("S", "k"), "");
}

}  // namespace
