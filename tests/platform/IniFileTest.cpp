// The INI reader: the lookup rules of hand-written Windows files, Shift-JIS
// names whose second byte looks like syntax or a letter, the 5119-byte cut,
// files that start with the UTF-8 mark, and what a lint tool sees of a file.
#include <gtest/gtest.h>

#include <string>

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
  const CIniFile forLookups = CIniFile::ParseForLookups({row.strFile.begin(), row.strFile.end()});
  EXPECT_EQ(forLookups.GetString(row.strSection, row.strKey), row.strExpected)
      << "parsed for lookups only";
}

const Lookup_t kLookupRows[] = {
    {"CrOnlyAndMixedLineEnds", "[S]\ra=1\r\n\n\rb=2", "S", "b", "2"},
    {"BlanksTrimmed", "  [ \tS p ]  \n \t my key \t=\t v 1 \t\n", "S p", "my key", "v 1"},
    {"IndentedComment", "[S]\n \t;k=1\n", "S", ";k", ""},
    {"KeyCaseFolded", "[S]\nKey=1\n", "S", "kEY", "1"},
    {"FirstSectionWins", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "j", ""},
    {"FirstKeyWinsEvenEmpty", "[S]\nk=\nK=2\n", "S", "k", ""},
    {"NameRunsToLastBracket", "[a]b] junk\nk=1\n", "a]b", "k", "1"},
    {"UnclosedHeaderKeepsSection", "[S]\n[T\nk=1\n", "S", "k", "1"},
    {"KeyBeforeFirstSection", "k=1\n[S]\n", "", "k", ""},
    {"NamesAreNoPrefixes", "[Sword]\nkey=1\n", "Swo", "ke", ""},
    // Keys written as numbers: other spellings of a number are other keys,
    // and a number past the section's count of lines is found too.
    {"NumberSpellingsAreOtherKeys", "[S]\n01=a\n+1=b\n1=c\n", "S", "1", "c"},
    {"NumberKeyFirstWins", "[S]\n0=a\n0=b\n", "S", "0", "a"},
    {"NumberKeyPastCount", "[S]\n0=a\n[T]\n1=b\n", "T", "1", "b"},
    {"NumberKeyOfOtherSection", "[S]\n0=a\n[T]\n1=b\n", "T", "0", ""},
    {"Single", "[S]\nk='x'\n", "S", "k", "x"},
    {"LoneQuote", "[S]\nk=\"\n", "S", "k", "\""},
    {"EmptyPair", "[S]\nk=\"\"\n", "S", "k", ""},
    {"OnlyOnePairRemoved", "[S]\nk=\"\"x\"\"\n", "S", "k", "\"x\""},
    // The lead byte takes the closing quote as its second byte.
    {"QuoteAfterLeadByte", "[S]\nk=\"a\x83\"\n", "S", "k", "\"a\x83\""},
    // The second byte of a double-byte character is never syntax nor a letter.
    {"BracketTrailBytesInName", ToSjis(u8"[ガルバーンゾ]\r\n0=1\r\n"), ToSjis(u8"ガルバーンゾ"),
     "0", "1"},
    {"ClosingBracketTrailIsNoHeader", ToSjis(u8"[S]\r\n[ゾ\r\nk=1\r\n"), "S", "k", "1"},
    {"BackslashTrailEndsKeyAndValue", ToSjis(u8"[S]\r\n表=能\r\n"), "S", ToSjis(u8"表"),
     ToSjis(u8"能")},
    {"LetterTrailSectionNotFolded", ToSjis(u8"[ア]\r\nk=1\r\n[ヂ]\r\nk=2\r\n"), ToSjis(u8"ヂ"), "k",
     "2"},
    {"UpperLetterAfterDoubleByteFolded", ToSjis(u8"[大剣A]\r\nk=1\r\n"), ToSjis(u8"大剣a"), "k",
     "1"},
    {"LeadByteAtLineEndTakesNoLineBreak", "[S]\nk=a\x83\nj=2\n", "S", "j", "2"},
    // A UTF-8 file is read in Shift-JIS; the mark counts only at the very start.
    {"JapaneseInShiftJis", kMark + "[\xE5\xA4\xA7]\nk=\xE3\x82\xBD\n", ToSjis(u8"大"), "k",
     ToSjis(u8"ソ")},
    {"MarkNotAtStart", " " + kMark + "[S]\nk=1\n", "S", "k", ""},
    {"NoMarkKeepsBytes", "[S]\nk=\xE5\xA4\xA7\n", "S", "k", "\xE5\xA4\xA7"},
    {"UnencodableSectionNeverAnswers", kMark + "[A\xE2\x82\xAC]\nk=1\n[A?]\nk=2\n", "A?", "k", "2"},
    {"UnencodableKeyNeverAnswers", kMark + "[S]\nk\xE2\x82\xAC=1\nk?=2\n", "S", "k?", "2"},
};

INSTANTIATE_TEST_SUITE_P(Files, IniLookup, testing::ValuesIn(kLookupRows), RowName<Lookup_t>);

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

// A file as a lint tool sees it: each section with its line ('!' when its
// name is unencodable) and its entries with theirs, then the odd lines with
// their line and kind (0 no ']', 1 no '=', 2 empty key, 3 before any section).
std::string Seen(const CIniFile& ini) {
  std::string strSeen;
  for (const CIniFile::Section_t& section : ini.GetSections()) {
    strSeen += std::to_string(section.nLine) + (section.bUnencodable ? " ![" : " [") +
               section.strName + "]";
    for (const CIniFile::Entry_t& entry : section.arrEntry) {
      strSeen += " " + std::to_string(entry.nLine) + " " + entry.strKey + "=" + entry.strValue;
    }
    strSeen += "\n";
  }
  for (const CIniFile::OddLine_t& odd : ini.GetOddLines()) {
    strSeen += std::to_string(odd.nLine) + " " + odd.strText + " " +
               std::to_string(static_cast<int>(odd.eKind)) + "\n";
  }
  return strSeen;
}

// Every section and entry with its line, and the odd lines, in Shift-JIS also
// for a UTF-8 file; a value is listed before the cut.
TEST(IniFileLines, ListsSectionsEntriesAndOddLinesWithLineNumbers) {
  const std::string strLong(6000, 'a');
  const CIniFile ini = CIniFile::Parse(
      "stray=1\r\n[S]\r\nk = \"v\" \r\nodd\r\n[T\r\n=x\r\n; note\r\n\r\n[s]\rk=2\nk=" + strLong +
      "\n");
  EXPECT_EQ(Seen(ini), "2 [S] 3 k=v\n9 [s] 10 k=2 11 k=" + strLong +
                           "\n1 stray=1 3\n4 odd 1\n5 [T 0\n6 =x 2\n");
  EXPECT_EQ(ini.GetSectionLine("s"), 2u);
  const CIniFile utf8 = CIniFile::Parse(kMark + "[A" + kEuro + "]\nk=1\n\xE6\xAD\xA6\n");
  EXPECT_TRUE(utf8.IsUtf8());
  EXPECT_EQ(Seen(utf8), "1 ![A?] 2 k=1\n3 " + ToSjis(u8"武") + " 1\n");
}

}  // namespace
