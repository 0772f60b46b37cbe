// Conversions as a whole: a source saved as UTF-8 with a byte-order mark
// gives the data file of its Shift-JIS copy, entries Shift-JIS cannot hold are
// skipped without ending their list, and a missing source keeps the old data
// file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/SourceValueParser.h"
#include "support/HostileFiles.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"

namespace {

using Strings = std::vector<std::string>;

std::string Bytes(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

struct Utf8Row_t {
  const char* szName;
  int nCategory;                // -1: the monster file
  std::u8string_view utf8;      // saved as UTF-8 with the mark
  std::u8string_view sjisCopy;  // the same, each unencodable entry made one without a comma
  Strings arrSkipped;           // "section key" of the unencodable entries
};

class Utf8SourceTest : public ::testing::TestWithParam<Utf8Row_t> {
protected:
  // Converts the source bytes; gives the data file and the skipped entries.
  std::pair<std::vector<uint8_t>, Strings> Convert(const std::string& strSource) {
    const int nCategory = GetParam().nCategory;
    const std::string strStem =
        nCategory < 0 ? "Monster" : CDataManager::GetCategoryName(nCategory);
    m_dir.WriteBytes(strStem + ".ini", std::string_view(strSource));
    CTestDataStore store(m_dir);
    EXPECT_TRUE(nCategory < 0 ? store->ConvertMonsterIni() : store->ConvertWeaponIni(nCategory));
    Strings arrSkipped;
    for (const SkippedEntry_t& skipped : store->GetLastConvertReport().arrSkipped) {
      arrSkipped.push_back(velkar::SjisToUtf8(skipped.strSection + " " + skipped.strKey));
    }
    return {m_dir.ReadBytes(strStem + ".dat"), arrSkipped};
  }

  CTestDataDir m_dir;
};

TEST_P(Utf8SourceTest, ConvertsLikeItsShiftJisCopy) {
  const auto [arrUtf8, arrSkipped] = Convert("\xEF\xBB\xBF" + Bytes(GetParam().utf8));
  const auto [arrSjis, arrSjisSkipped] = Convert(velkar::ToSjis(GetParam().sjisCopy));
  EXPECT_EQ(arrUtf8, arrSjis);
  EXPECT_GT(arrSjis.size(), 20u);  // not an empty conversion on both sides
  EXPECT_EQ(arrSkipped, GetParam().arrSkipped);
  EXPECT_EQ(arrSjisSkipped, GetParam().arrSkipped);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Utf8SourceTest,
    ::testing::Values(
        Utf8Row_t{
            "Weapon",
            CATEGORY_SWORD,
            u8"[Action]\r\n1=斬り😀,18\r\n2=突き,B40,20\r\n[HitPattern]\r\n1=通常,100,100€\r\n"
            u8"2=弾かれ,50,80\r\n[Weapon]\r\n1=Épée,100,0,0,3,0\r\n2=ソード〜表,168,2,250,4,0\r\n",
            u8"[Action]\r\n1=x\r\n2=突き,B40,20\r\n[HitPattern]\r\n1=x\r\n"
            u8"2=弾かれ,50,80\r\n[Weapon]\r\n1=x\r\n2=ソード〜表,168,2,250,4,0\r\n",
            {"Action 1", "HitPattern 1", "Weapon 1"}},
        Utf8Row_t{"Monster",
                  -1,
                  u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=100,90,110\n"
                  u8"0=頭😀,1,2,3,4,5,6,7,8\n1=腹,1,2,3,4,5,6,7,8\n[Level]\n1=ü,100\n2=上位,120\n",
                  u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=100,90,110\n"
                  u8"0=x\n1=腹,1,2,3,4,5,6,7,8\n[Level]\n1=x\n2=上位,120\n",
                  {"岩甲獣 0", "Level 1"}}),
    RowName<Utf8Row_t>);

TEST(ConversionTest, MissingSourceFailsAndKeepsTheOldDataFile) {
  CTestDataDir dir;
  CTestDataStore store(dir);
  dir.WriteBytes("Sword.dat", std::string_view("old"));
  EXPECT_FALSE(store->ConvertWeaponIni(CATEGORY_SWORD));
  const ConvertReport_t& report = store->GetLastConvertReport();
  ASSERT_TRUE(report.failure.has_value());
  EXPECT_EQ(report.failure->eKind, DATA_FILE_MISSING);
  EXPECT_EQ(report.failure->strPath, dir.PathOf("Sword.ini"));
  EXPECT_EQ(report.failure->nOffset, 0u);
  EXPECT_EQ(report.strError, DescribeInEnglish(*report.failure));
  EXPECT_EQ(dir.ReadBytes("Sword.dat"), std::vector<uint8_t>({'o', 'l', 'd'}));
}

// Files within the size limit whose records do not fit in the memory the
// process may use: the load or the conversion fails naming the file, the old
// data file stays, and the process carries on instead of aborting.
TEST(ConversionTest, RunningOutOfMemoryIsAnErrorNotAnAbort) {
  if (kSanitized) GTEST_SKIP() << "a sanitizer's shadow memory needs the address space";
  CTestDataDir dir;
  const uint32_t nMonsters = 3000000;  // 51 MB of the smallest records
  std::string strData;
  for (int nShift = 0; nShift < 32; nShift += 8) strData += static_cast<char>(nMonsters >> nShift);
  for (uint32_t n = 0; n < nMonsters; ++n) strData.append("\n").append(16, '\0');
  dir.WriteBytes("Monster.dat", strData.append(4, '\0'));
  std::string strSource = "[Weapon]\r\n";
  while (strSource.size() < (size_t{50} << 20)) strSource += "1=b\r\n";
  dir.WriteBytes("Sword.ini", strSource);
  dir.WriteBytes("Sword.dat", std::string_view("old"));
  CTestDataStore store(dir);
  const uint64_t nRoom = uint64_t{150} << 20;
  EXPECT_TRUE(RunWithAddressSpaceLimit(nRoom, [&] {
    const std::vector<DataFileError_t>& arrError = store->GetLoadErrors();
    return !store->LoadMonsterData() && arrError.size() == 1 &&
           arrError[0].eKind == DATA_FILE_NO_MEMORY && store->GetMonsterList().empty();
  }));
  EXPECT_TRUE(RunWithAddressSpaceLimit(nRoom, [&] {
    const ConvertReport_t& report = store->GetLastConvertReport();
    return !store->ConvertWeaponIni(CATEGORY_SWORD) && report.failure &&
           report.failure->eKind == DATA_FILE_NO_MEMORY &&
           dir.ReadBytes("Sword.dat") == std::vector<uint8_t>{'o', 'l', 'd'};
  }));
}

}  // namespace
