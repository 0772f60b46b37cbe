// The INI reader: the lookup rules of hand-written Windows files, Shift-JIS
// names whose second byte looks like syntax or a letter, the 5119-byte cut,
// files that start with the UTF-8 mark, and what a lint tool sees of a file.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "support/RowName.h"

namespace {

using velkar::ToSjis;

const std::string kMark = "\xEF\xBB\xBF";
const std::string kEuro = "\xE2\x82\xAC";

struct Lookup_t {
  const char* szName;
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

INSTANTIATE_TEST_SUITE_P(
    Files, IniLookup,
    testing::Values(
        Lookup_t{"CrOnlyAndMixedLineEnds", "[S]\ra=1\r\n\n\rb=2", "S", "b", "2"},
        Lookup_t{"BlanksTrimmed", "  [ \tS p ]  \n \t my key \t=\t v 1 \t\n", "S p", "my key",
                 "v 1"},
        Lookup_t{"IndentedComment", "[S]\n \t;k=1\n", "S", ";k", ""},
        Lookup_t{"KeyCaseFolded", "[S]\nKey=1\n", "S", "kEY", "1"},
        Lookup_t{"FirstSectionWins", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "j", ""},
        Lookup_t{"FirstKeyWinsEvenEmpty", "[S]\nk=\nK=2\n", "S", "k", ""},
        Lookup_t{"NameRunsToLastBracket", "[a]b] junk\nk=1\n", "a]b", "k", "1"},
        Lookup_t{"UnclosedHeaderKeepsSection", "[S]\n[T\nk=1\n", "S", "k", "1"},
        Lookup_t{"KeyBeforeFirstSection", "k=1\n[S]\n", "", "k", ""},
        Lookup_t{"NamesAreNoPrefixes", "[Sword]\nkey=1\n", "Swo", "ke", ""},
        Lookup_t{"Single", "[S]\nk='x'\n", "S", "k", "x"},
        Lookup_t{"LoneQuote", "[S]\nk=\"\n", "S", "k", "\""},
        Lookup_t{"EmptyPair", "[S]\nk=\"\"\n", "S", "k", ""},
        Lookup_t{"OnlyOnePairRemoved", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
        // The lead byte takes the closing quote as its second byte.
        Lookup_t{"QuoteAfterLeadByte", "[S]\nk=\"a\x83\"\n", "S", "k", "\"a\x83\""},
        // The second byte of a double-byte character is never syntax nor a letter.
        Lookup_t{"BracketTrailBytesInName", ToSjis(u8"[ガルバーンゾ]\r\n0=1\r\n"),
                 ToSjis(u8"ガルバーンゾ"), "0", "1"},
        Lookup_t{"ClosingBracketTrailIsNoHeader", ToSjis(u8"[S]\r\n[ゾ\r\nk=1\r\n"), "S", "k", "1"},
        Lookup_t{"BackslashTrailEndsKeyAndValue", ToSjis(u8"[S]\r\n表=能\r\n"), "S", ToSjis(u8"表"),
                 ToSjis(u8"能")},
        Lookup_t{"LetterTrailSectionNotFolded", ToSjis(u8"[ア]\r\nk=1\r\n[ヂ]\r\nk=2\r\n"),
                 ToSjis(u8"ヂ"), "k", "2"},
        Lookup_t{"UpperLetterAfterDoubleByteFolded", ToSjis(u8"[大剣A]\r\nk=1\r\n"),
                 ToSjis(u8"大剣a"), "k", "1"},
        Lookup_t{"LeadByteAtLineEndTakesNoLineBreak", "[S]\nk=a\x83\nj=2\n", "S", "j", "2"},
        // A UTF-8 file is read in Shift-JIS; the mark counts only at the very start.
        Lookup_t{"JapaneseInShiftJis", kMark + "[\xE5\xA4\xA7]\nk=\xE3\x82\xBD\n", ToSjis(u8"大"),
                 "k", ToSjis(u8"ソ")},
        Lookup_t{"MarkNotAtStart", " " + kMark + "[S]\nk=1\n", "S", "k", ""},
        Lookup_t{"NoMarkKeepsBytes", "[S]\nk=\xE5\xA4\xA7\n", "S", "k", "\xE5\xA4\xA7"},
        Lookup_t{"UnencodableSectionNeverAnswers", kMark + "[A\xE2\x82\xAC]\nk=1\n[A?]\nk=2\n",
                 "A?", "k", "2"},
        Lookup_t{"UnencodableKeyNeverAnswers", kMark + "[S]\nk\xE2\x82\xAC=1\nk?=2\n", "S", "k?",
                 "2"}),
    RowName<Lookup_t>);

// Values longer than 5119 bytes are cut there, never inside a character;
// a UTF-8 value is flagged only when a '?' mark survives the cut.
TEST(IniFileValue, KeepsAtMost5119BytesOfWholeCharacters) {
  const std::string kA5117(5117, 'a');
  const struct {
    std::string strFile;
    std::string strExpected;
    bool bCut;
    bool bUnencodable;
  } arrRow[] = {{"[S]\nk=\"" + kA5117 + "aa\"", kA5117 + "aa", false, false},
                {"[S]\nk=" + kA5117 + "aaa", kA5117 + "aa", true, false},
                {"[S]\nk=" + kA5117 + "a\x95\x5C", kA5117 + "a", true, false},
                {"[S]\nk=" + kA5117 + "\x95\x5C", kA5117 + "\x95\x5C", false, false},
                {kMark + "[S]\nk=a" + kEuro, "a?", false, true},
                {kMark + "[S]\nk=" + kA5117 + "aa" + kEuro, kA5117 + "aa", true, false}};
  for (const auto& row : arrRow) {
    const CIniFile ini = CIniFile::Parse(row.strFile + "\r\nj=next\r\n");
    const CIniFile::Value_t* pValue = ini.Find("S", "k");
    ASSERT_NE(pValue, nullptr);
    EXPECT_EQ(pValue->strText, row.strExpected);
    EXPECT_EQ(pValue->nLine, 2u);
    EXPECT_EQ(pValue->bCut, row.bCut) << row.strExpected.size();
    EXPECT_EQ(pValue->bUnencodable, row.bUnencodable) << row.strExpected.size();
    EXPECT_EQ(ini.GetString("S", "j"), "next");
  }
}

// What a lint tool sees: every section and entry with its line, and the odd
// lines, in Shift-JIS also for a UTF-8 file.
TEST(IniFileLines, ListsSectionsEntriesAndOddLinesWithLineNumbers) {
  const CIniFile ini = CIniFile::Parse(
      "stray=1\r\n[S]\r\nk = \"v\" \r\nodd\r\n[T\r\n=x\r\n; note\r\n\r\n[s]\rk=2\nk=" +
      std::string(6000, 'a') + "\n");
  const auto& arrSection = ini.GetSections();
  ASSERT_EQ(arrSection.size(), 2u);
  EXPECT_EQ(arrSection[0].strName + arrSection[1].strName, "Ss");
  EXPECT_EQ((std::pair<size_t, size_t>(arrSection[0].nLine, arrSection[1].nLine)),
            (std::pair<size_t, size_t>(2, 9)));
  ASSERT_EQ(arrSection[0].arrEntry.size(), 1u);
  EXPECT_EQ(arrSection[0].arrEntry[0].strKey + arrSection[0].arrEntry[0].strValue, "kv");
  EXPECT_EQ(arrSection[0].arrEntry[0].nLine, 3u);
  ASSERT_EQ(arrSection[1].arrEntry.size(), 2u);
  EXPECT_EQ(arrSection[1].arrEntry[0].nLine, 10u);
  EXPECT_EQ(arrSection[1].arrEntry[1].strValue.size(), 6000u);  // before the cut
  EXPECT_EQ(ini.GetSectionLine("s"), 2u);
  using enum CIniFile::eODD_LINE;
  const CIniFile::OddLine_t arrOdd[] = {{1, "stray=1", BEFORE_SECTIONS},
                                        {4, "odd", NO_EQUALS},
                                        {5, "[T", NO_CLOSING_BRACKET},
                                        {6, "=x", EMPTY_KEY}};
  ASSERT_EQ(ini.GetOddLines().size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(ini.GetOddLines()[i].nLine, arrOdd[i].nLine);
    EXPECT_EQ(ini.GetOddLines()[i].strText, arrOdd[i].strText);
    EXPECT_EQ(ini.GetOddLines()[i].eKind, arrOdd[i].eKind);
  }

  const CIniFile utf8 = CIniFile::Parse(kMark + "[A" + kEuro + "]\nk=1\n\xE6\xAD\xA6\n");
  EXPECT_TRUE(utf8.IsUtf8());
  ASSERT_EQ(utf8.GetSections().size(), 1u);
  EXPECT_EQ(utf8.GetSections()[0].strName, "A?");
  EXPECT_TRUE(utf8.GetSections()[0].bUnencodable && utf8.GetSections()[0].nLine == 1);
  ASSERT_EQ(utf8.GetOddLines().size(), 1u);
  EXPECT_EQ(utf8.GetOddLines()[0].strText, ToSjis(u8"武"));
}

}  // namespace
