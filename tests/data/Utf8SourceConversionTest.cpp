// Sources saved as UTF-8 with a byte-order mark: they convert to the same
// data file, byte for byte, as the same text saved in Shift-JIS, and an entry
// holding a character that Shift-JIS cannot encode is skipped and reported
// without ending the list it is in.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "data/SourceValueParser.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"

namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";

std::string Bytes(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Converts one source text and returns the data file's bytes.
std::vector<uint8_t> Convert(const CTestDataDir& dir, int nCategory, std::string_view source) {
  const std::string strStem = nCategory < 0 ? "Monster" : CDataManager::GetCategoryName(nCategory);
  dir.WriteBytes(strStem + ".ini", source);
  CTestDataStore store(dir);
  const bool bWritten =
      nCategory < 0 ? store->ConvertMonsterIni() : store->ConvertWeaponIni(nCategory);
  if (!bWritten) throw std::runtime_error(store->GetLastConvertReport().strError);
  return dir.ReadBytes(strStem + ".dat");
}

// ---- twins: the same text in both encodings -------------------------------------

struct Twin_t {
  const char* szName;
  int nCategory;  // -1: the monster file
  std::u8string_view text;
};

class Utf8Twin : public testing::TestWithParam<Twin_t> {};

TEST_P(Utf8Twin, ConvertsLikeItsShiftJisTwin) {
  const Twin_t& row = GetParam();
  CTestDataDir dir;
  const std::vector<uint8_t> arrSjis = Convert(dir, row.nCategory, velkar::ToSjis(row.text));
  const std::vector<uint8_t> arrUtf8 =
      Convert(dir, row.nCategory, std::string(kMark) + Bytes(row.text));
  EXPECT_EQ(arrUtf8, arrSjis);
  EXPECT_GT(arrSjis.size(), 12u);  // not an empty conversion on both sides
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Utf8Twin,
    testing::Values(
        // The first line is a section header: the mark must not glue onto it.
        Twin_t{"WeaponFirstLineIsASection", CATEGORY_SWORD,
               u8"[Action]\r\n1=縦斬り,18\r\n2=盾殴り,B40,10\r\n[HitPattern]\r\n1=通常,100,100\r\n"
               u8"[Weapon]\r\n1=ソード〜ハンマー表,168,2,250,4,0\r\n2=ゾンビ能,100,0,0,3,0\r\n"},
        Twin_t{"WeaponWithCommentsAndQuotes", CATEGORY_HUNTINGHORN,
               u8"; 狩猟笛\n[Weapon]\n1=\"笛 ー 一\",120,0,0,5,0\n\n[action]\n1=叩きつけ,A70,30\n"},
        Twin_t{"MonsterFirstLineIsASection", -1,
               u8"[Monster]\r\n0=炎翼竜ガルバーン\r\n1=双角獣セロン\r\n"
               u8"[炎翼竜ガルバーン]\r\nAnger=100,90,110\r\n0=頭,45,45,45,10,20,30,40,50\r\n"
               u8"[双角獣セロン]\r\nAnger=1,2,3\r\n0=尻尾ソ,1,2,3,4,5,6,7,8\r\n"
               u8"[Level]\r\n1=下位,100\r\n2=Ｇ級,140\r\n"},
        Twin_t{"MonsterWithBlanksInItsName", -1,
               u8"[Level]\n1=上位,120\n[Monster]\n0=大猿獣 ゴルバッカ\n"
               u8"[大猿獣 ゴルバッカ]\nAnger=100,95,100\n0=腕, 40,50,40,5,5,5,5,5\n"}),
    RowName<Twin_t>);

// Every bundled sample source, saved as UTF-8 with the mark, gives the data
// file that its Shift-JIS copy gives.
TEST(Utf8SampleData, EverySourceConvertsLikeItsShiftJisCopy) {
  size_t nChecked = 0;
  for (int nCategory = -1; nCategory < CATEGORY_COUNT; ++nCategory) {
    const std::string strStem =
        nCategory < 0 ? "Monster" : CDataManager::GetCategoryName(nCategory);
    SCOPED_TRACE(strStem);
    const std::string strUtf8 =
        ReadText(std::filesystem::path(VELKAR_GAMEDATA_SOURCE_DIR) / (strStem + ".ini"));
    const std::optional<std::string> sjis = velkar::Utf8ToSjis(strUtf8);
    ASSERT_TRUE(sjis.has_value());
    CTestDataDir dir;
    EXPECT_EQ(Convert(dir, nCategory, std::string(kMark) + strUtf8),
              Convert(dir, nCategory, *sjis));
    ++nChecked;
  }
  EXPECT_EQ(nChecked, 9u);
}

// ---- entries Shift-JIS cannot hold ---------------------------------------------------

TEST(Utf8Unencodable, WeaponEntriesAreSkippedAndTheListsReadOn) {
  CTestDataDir dir;
  dir.WriteBytes("Sword.ini", std::string(kMark) + Bytes(u8"[Action]\n1=斬り😀,18\n2=突き,20\n"
                                                         u8"[HitPattern]\n1=通常,100,100€\n"
                                                         u8"2=弾かれ,50,80\n"
                                                         u8"[Weapon]\n1=Épée,100,0,0,3,0\n"
                                                         u8"2=鉄の剣,168,0,0,2,0\n"));
  CTestDataStore store(dir);
  ASSERT_TRUE(store->ConvertWeaponIni(CATEGORY_SWORD));
  const ConvertReport_t& report = store->GetLastConvertReport();
  EXPECT_EQ(report.nCount[0], 1u);
  EXPECT_EQ(report.nCount[1], 1u);
  EXPECT_EQ(report.nCount[2], 1u);
  ASSERT_EQ(report.arrSkipped.size(), 3u);
  EXPECT_EQ(report.arrSkipped[0].strSection, "Action");
  EXPECT_EQ(report.arrSkipped[0].strKey, "1");
  EXPECT_EQ(report.arrSkipped[0].strReason, kReasonUnencodable);
  // Text after the last number is ignored by the rules, but not a character
  // that cannot be stored: the whole entry is skipped.
  EXPECT_EQ(report.arrSkipped[1].strSection, "HitPattern");
  EXPECT_EQ(report.arrSkipped[1].strReason, kReasonUnencodable);
  EXPECT_EQ(report.arrSkipped[2].strSection, "Weapon");

  ASSERT_TRUE(store->LoadWeaponData(CATEGORY_SWORD));
  EXPECT_EQ(store->GetActionList(CATEGORY_SWORD)->at(0)->GetName(), velkar::ToSjis(u8"突き"));
  EXPECT_EQ(store->GetWeaponList(CATEGORY_SWORD)->at(0)->GetName(), velkar::ToSjis(u8"鉄の剣"));
}

TEST(Utf8Unencodable, MonsterEntriesAreSkippedAndTheListsReadOn) {
  CTestDataDir dir;
  dir.WriteBytes("Monster.ini",
                 std::string(kMark) + Bytes(u8"[Monster]\n0=Dragón\n1=岩甲獣\n2=氷牙竜\n"
                                            u8"[岩甲獣]\nAnger=100,90,110\n"
                                            u8"0=頭😀,1,2,3,4,5,6,7,8\n1=腹,1,2,3,4,5,6,7,8\n"
                                            u8"[氷牙竜]\nAnger=100,90,110€\n0=頭,1,2,3,4,5,6,7,8\n"
                                            u8"[Level]\n1=ü,100\n2=上位,120\n"));
  CTestDataStore store(dir);
  ASSERT_TRUE(store->ConvertMonsterIni());
  const ConvertReport_t& report = store->GetLastConvertReport();
  EXPECT_EQ(report.nCount[0], 1u);
  EXPECT_EQ(report.nCount[1], 1u);
  EXPECT_EQ(report.nCount[2], 1u);
  std::vector<std::string> arrSkipped;
  for (const SkippedEntry_t& skipped : report.arrSkipped) {
    arrSkipped.push_back(skipped.strSection + " " + skipped.strKey + ": " + skipped.strReason);
  }
  const std::string strUnencodable(kReasonUnencodable);
  EXPECT_EQ(
      arrSkipped,
      (std::vector<std::string>{
          "Monster 0: " + strUnencodable, velkar::ToSjis(u8"岩甲獣") + " 0: " + strUnencodable,
          velkar::ToSjis(u8"氷牙竜") + " Anger: " + std::string(kReasonAngerUnencodable),
          "Level 1: " + strUnencodable}));

  ASSERT_TRUE(store->LoadMonsterData());
  ASSERT_EQ(store->GetMonsterList().size(), 1u);
  EXPECT_EQ(store->GetMonsterList()[0]->GetName(), velkar::ToSjis(u8"岩甲獣"));
  EXPECT_EQ(store->GetLevelList().at(0)->GetName(), velkar::ToSjis(u8"上位"));
}

TEST(Utf8Unencodable, ShiftJisFileIsNeverFlagged) {
  // The same bytes without the mark are Shift-JIS, whatever they look like.
  CTestDataDir dir;
  dir.WriteBytes("Sword.ini", "[Weapon]\n1=\xF0\x9F\x98\x80,100,0,0,3,0\n");
  CTestDataStore store(dir);
  ASSERT_TRUE(store->ConvertWeaponIni(CATEGORY_SWORD));
  EXPECT_TRUE(store->GetLastConvertReport().arrSkipped.empty());
  EXPECT_EQ(store->GetLastConvertReport().nCount[2], 1u);
}

}  // namespace
