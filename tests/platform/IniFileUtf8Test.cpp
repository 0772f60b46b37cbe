// The INI reader on files that start with the UTF-8 byte-order mark: the mark
// is dropped (so the first line is read like any other), names and values are
// converted to Shift-JIS, and what Shift-JIS lacks is flagged, never dropped
// silently. Files without the mark keep their bytes.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/Cp932.h"
#include "platform/IniFile.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"

namespace {

using velkar::ToSjis;

constexpr std::string_view kMark = "\xEF\xBB\xBF";

std::string Utf8File(std::u8string_view text) {
  return std::string(kMark) + std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

TEST(IniFileUtf8, FirstLineSectionIsKept) {
  const CIniFile ini = CIniFile::Parse(Utf8File(u8"[Weapon]\r\n1=b,100,0,0,3,0\r\n"));
  EXPECT_TRUE(ini.IsUtf8());
  EXPECT_EQ(ini.GetString("Weapon", "1"), "b,100,0,0,3,0");
  ASSERT_EQ(ini.GetSections().size(), 1u);
  EXPECT_EQ(ini.GetSections()[0].strName, "Weapon");
  EXPECT_EQ(ini.GetSections()[0].nLine, 1u);
  EXPECT_TRUE(ini.GetOddLines().empty());
}

TEST(IniFileUtf8, JapaneseSectionsAndValuesAreLookedUpInShiftJis) {
  const CIniFile ini = CIniFile::Parse(Utf8File(
      u8"[Monster]\n0=炎翼竜ガルバーン\n[炎翼竜ガルバーン]\nAnger=100,90,110\n0=頭ソ,45\n"));
  const std::string strName = ini.GetString("Monster", "0");
  EXPECT_EQ(strName, ToSjis(u8"炎翼竜ガルバーン"));
  EXPECT_EQ(ini.GetString(strName, "Anger"), "100,90,110");
  // ソ ends in 0x5C ('\\') in Shift-JIS; the value must keep it whole.
  EXPECT_EQ(ini.GetString(strName, "0"), ToSjis(u8"頭ソ,45"));
  const CIniFile::Value_t* pValue = ini.Find(strName, "0");
  ASSERT_NE(pValue, nullptr);
  EXPECT_FALSE(pValue->bUnencodable);
  EXPECT_EQ(pValue->nLine, 5u);
}

TEST(IniFileUtf8, UnencodableValueIsFoundAndFlagged) {
  const CIniFile ini = CIniFile::Parse(Utf8File(u8"[Weapon]\n1=剣😀,100,0,0,3,0\n2=b,1,0,0,3,0\n"));
  const CIniFile::Value_t* pValue = ini.Find("Weapon", "1");
  ASSERT_NE(pValue, nullptr);
  EXPECT_TRUE(pValue->bUnencodable);
  EXPECT_EQ(pValue->strText, ToSjis(u8"剣") + "?,100,0,0,3,0");
  EXPECT_EQ(ini.GetString("Weapon", "1"), pValue->strText);
  ASSERT_NE(ini.Find("Weapon", "2"), nullptr);
  EXPECT_FALSE(ini.Find("Weapon", "2")->bUnencodable);
}

TEST(IniFileUtf8, UnencodableCharacterBeyondTheCutIsNotFlagged) {
  const CIniFile ini = CIniFile::Parse(
      Utf8File(u8"[S]\nk=" + std::u8string(5119, u8'a') + u8"€\nj=€" + std::u8string(5200, u8'a')));
  const CIniFile::Value_t* pCutBefore = ini.Find("S", "k");
  ASSERT_NE(pCutBefore, nullptr);
  EXPECT_TRUE(pCutBefore->bCut);
  EXPECT_FALSE(pCutBefore->bUnencodable);
  const CIniFile::Value_t* pMarkKept = ini.Find("S", "j");
  ASSERT_NE(pMarkKept, nullptr);
  EXPECT_TRUE(pMarkKept->bCut);
  EXPECT_TRUE(pMarkKept->bUnencodable);
  EXPECT_EQ(pMarkKept->strText.size(), 5119u);
}

TEST(IniFileUtf8, UnencodableSectionNameNeverAnswers) {
  // The name becomes "A?" in Shift-JIS; a real section "A?" later in the file
  // is the one that answers.
  const CIniFile ini = CIniFile::Parse(Utf8File(u8"[A€]\nk=1\n[A?]\nk=2\n"));
  EXPECT_EQ(ini.GetString("A?", "k"), "2");
  EXPECT_EQ(ini.GetSectionLine("A?"), 3u);
  ASSERT_EQ(ini.GetSections().size(), 2u);
  EXPECT_TRUE(ini.GetSections()[0].bUnencodable);
  EXPECT_EQ(ini.GetSections()[0].arrEntry.size(), 1u);
  EXPECT_FALSE(ini.GetSections()[1].bUnencodable);
}

TEST(IniFileUtf8, UnencodableKeyNeverAnswers) {
  const CIniFile ini = CIniFile::Parse(Utf8File(u8"[S]\nk€=1\nk?=2\n"));
  EXPECT_EQ(ini.GetString("S", "k?"), "2");
  EXPECT_EQ(ini.GetSections().at(0).arrEntry.size(), 2u);
}

TEST(IniFileUtf8, MalformedBytesNeverSwallowSyntax) {
  // A truncated sequence right before '=' and ']' leaves both in place.
  const CIniFile ini = CIniFile::Parse(std::string(kMark) + "[S\xE5\xA4]\nk\xE5=1\nv=x\xF0\x9F\n");
  ASSERT_EQ(ini.GetSections().size(), 1u);
  EXPECT_EQ(ini.GetSections()[0].strName, "S?");
  EXPECT_TRUE(ini.GetSections()[0].bUnencodable);
  const auto& arrEntry = ini.GetSections()[0].arrEntry;
  ASSERT_EQ(arrEntry.size(), 2u);
  EXPECT_EQ(arrEntry[0].strKey, "k?");
  EXPECT_EQ(arrEntry[0].strValue, "1");
  EXPECT_EQ(arrEntry[1].strValue, "x?");
  EXPECT_TRUE(ini.GetOddLines().empty());
}

TEST(IniFileUtf8, OddLineTextIsShiftJis) {
  const CIniFile ini = CIniFile::Parse(Utf8File(u8"[S]\n武器\n"));
  ASSERT_EQ(ini.GetOddLines().size(), 1u);
  EXPECT_EQ(ini.GetOddLines()[0].strText, ToSjis(u8"武器"));
  EXPECT_EQ(ini.GetOddLines()[0].eKind, CIniFile::eODD_LINE::NO_EQUALS);
}

TEST(IniFileUtf8, MarkOnlyAtTheVeryStartCounts) {
  // Without the mark the same bytes are Shift-JIS: nothing converted.
  const std::string strUtf8Body = "[S]\nk=\xE5\xA4\xA7\n";
  const CIniFile plain = CIniFile::Parse(strUtf8Body);
  EXPECT_FALSE(plain.IsUtf8());
  EXPECT_EQ(plain.GetString("S", "k"), "\xE5\xA4\xA7");
  const CIniFile late = CIniFile::Parse(" " + std::string(kMark) + "[S]\nk=1\n");
  EXPECT_FALSE(late.IsUtf8());
  EXPECT_EQ(late.GetString("S", "k"), "");
}

TEST(IniFileUtf8, MarkAloneIsAnEmptyFile) {
  const CIniFile ini = CIniFile::Parse(kMark);
  EXPECT_TRUE(ini.WasFound());
  EXPECT_TRUE(ini.GetSections().empty());
  EXPECT_TRUE(ini.GetOddLines().empty());
}

TEST(IniFileUtf8, LoadReadsTheMarkFromDisk) {
  CTestDataDir dir;
  dir.WriteBytes("Sword.ini", Utf8File(u8"[Action]\r\n1=縦斬り,18\r\n"));
  const CIniFile ini = CIniFile::Load(dir.PathOf("Sword.ini"));
  EXPECT_TRUE(ini.IsUtf8());
  EXPECT_EQ(ini.GetString("Action", "1"), ToSjis(u8"縦斬り,18"));
}

// ---- the kinds of odd lines and the lines of lookups (Shift-JIS files) ----------

struct OddKind_t {
  const char* szName;
  std::string_view text;
  CIniFile::eODD_LINE eKind;
};

class IniOddLineKind : public testing::TestWithParam<OddKind_t> {};

TEST_P(IniOddLineKind, TellsWhyTheLineIsIgnored) {
  const CIniFile ini = CIniFile::Parse(GetParam().text);
  ASSERT_EQ(ini.GetOddLines().size(), 1u);
  EXPECT_EQ(ini.GetOddLines()[0].eKind, GetParam().eKind);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, IniOddLineKind,
    testing::Values(
        OddKind_t{"NoClosingBracket", "[S]\n[T\nk=1\n", CIniFile::eODD_LINE::NO_CLOSING_BRACKET},
        OddKind_t{"NoEquals", "[S]\nkey value\n", CIniFile::eODD_LINE::NO_EQUALS},
        OddKind_t{"EmptyKey", "[S]\n  =1\n", CIniFile::eODD_LINE::EMPTY_KEY},
        OddKind_t{"BeforeSections", "k=1\n[S]\n", CIniFile::eODD_LINE::BEFORE_SECTIONS},
        OddKind_t{"NoEqualsBeforeSections", "stray\n[S]\n", CIniFile::eODD_LINE::NO_EQUALS}),
    RowName<OddKind_t>);

TEST(IniFileFind, GivesTheLinesOfTheEntriesThatAnswer) {
  const CIniFile ini =
      CIniFile::Parse("[S]\nk=1\nK=2\n[T]\nk=3\n[s]\nk=4\nlong=" + std::string(5200, 'x') + "\n");
  ASSERT_NE(ini.Find("s", "K"), nullptr);
  EXPECT_EQ(ini.Find("s", "K")->nLine, 2u);
  EXPECT_FALSE(ini.Find("s", "K")->bCut);
  EXPECT_EQ(ini.Find("S", "long"), nullptr);  // in the repeated [s], never read
  EXPECT_EQ(ini.Find("T", "absent"), nullptr);
  EXPECT_EQ(ini.GetSectionLine("t"), 4u);
  EXPECT_EQ(ini.GetSectionLine("S"), 1u);
  EXPECT_EQ(ini.GetSectionLine("U"), 0u);
}

}  // namespace
