// Conversions as a whole: the store is emptied, an unwritable target stops
// the conversion before the source is read, a failing write keeps the old data
// file, and a source survives the trip to a data file and back into records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "data/WeaponDataFile.h"
#include "model/WeaponClasses.h"
#include "platform/BinaryFile.h"
#include "support/TestDataDir.h"

namespace {

constexpr std::u8string_view kSwordSource =
    u8"[Action]\r\n1=a,10\r\n[Weapon]\r\n1=b,100,0,0,3,0\r\n";
constexpr size_t kSwordDataSize = 42;

std::vector<std::string> FileNames(const std::string& strDir) {
  std::vector<std::string> arrName;
  for (const auto& entry : std::filesystem::directory_iterator(strDir)) {
    arrName.push_back(entry.path().filename().string());
  }
  std::sort(arrName.begin(), arrName.end());
  return arrName;
}

// Writes the first nLimit bytes it is given to the real temporary file, then
// fails; or fails when flushed.
class CFailingDevice final : public velkar::COutputDevice {
public:
  CFailingDevice(const std::string& strPath, size_t nLimit, bool bFailFlush)
      : m_out(strPath, std::ios::binary), m_nLeft(nLimit), m_bFailFlush(bFailFlush) {}

  bool Write(const uint8_t* pData, size_t nSize) override {
    const size_t nTaken = std::min(nSize, m_nLeft);
    m_out.write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(nTaken));
    m_nLeft -= nTaken;
    return nTaken == nSize;
  }
  bool Flush() override {
    m_out.close();
    return !m_bFailFlush;
  }
  std::string Error() const override { return "no space left on the test device"; }

private:
  std::ofstream m_out;
  size_t m_nLeft;
  bool m_bFailFlush;
};

class ConversionTest : public ::testing::Test {
protected:
  void TearDown() override { velkar::CAtomicFileWriter::SetDeviceFactory({}); }

  CDataManager& Store() { return m_store.Store(); }

  void FillStore() {
    Store().ActionsOf(CATEGORY_SWORD).push_back(std::make_unique<CAction>("old"));
    Store().WeaponsOf(CATEGORY_SWORD).push_back(CreateWeapon(CATEGORY_SWORD));
    Store().AppendMonster(std::make_unique<CMonster>("old", 1, 2, 3));
    Store().AppendLevel(std::make_unique<CLevel>("old", 1));
  }

  void ExpectStoreEmpty() {
    EXPECT_EQ(Store().GetActionList(CATEGORY_SWORD), nullptr);
    EXPECT_EQ(Store().GetWeaponList(CATEGORY_SWORD), nullptr);
    EXPECT_TRUE(Store().GetMonsterList().empty());
    EXPECT_TRUE(Store().GetLevelList().empty());
  }

  CTestDataDir m_dir;
  CTestDataStore m_store{m_dir};
};

TEST_F(ConversionTest, ConversionEmptiesTheStoreFirst) {
  FillStore();
  m_dir.WriteText("Sword.ini", kSwordSource);
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  ExpectStoreEmpty();
  FillStore();
  ASSERT_TRUE(Store().ConvertMonsterIni());
  ExpectStoreEmpty();
}

TEST_F(ConversionTest, ConversionReplacesAnEarlierDataFile) {
  m_dir.WriteBytes("Sword.dat", std::string_view("an older file, much longer than the new one"));
  m_dir.WriteText("Sword.ini", kSwordSource);
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  EXPECT_EQ(m_dir.ReadBytes("Sword.dat").size(), kSwordDataSize);
  EXPECT_EQ(FileNames(m_dir.Path()), (std::vector<std::string>{"Sword.dat", "Sword.ini"}));
}

// ---- targets that cannot be written --------------------------------------------

TEST_F(ConversionTest, FolderAsTargetFailsWithoutReadingTheSource) {
  FillStore();
  m_dir.WriteText("Sword.ini", kSwordSource);
  m_dir.WriteText("Monster.ini", u8"[Level]\r\n1=L,100\r\n");
  std::filesystem::create_directory(m_dir.PathOf("Sword.dat"));
  std::filesystem::create_directory(m_dir.PathOf("Monster.dat"));

  EXPECT_FALSE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  ExpectStoreEmpty();
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_FALSE(report.bSourceFound);  // never opened
  EXPECT_FALSE(report.bWritten);
  EXPECT_NE(report.strError.find("Sword.dat"), std::string::npos) << report.strError;
  EXPECT_TRUE(std::filesystem::is_directory(m_dir.PathOf("Sword.dat")));

  EXPECT_FALSE(Store().ConvertMonsterIni());
  EXPECT_FALSE(Store().GetLastConvertReport().bSourceFound);
  EXPECT_EQ(Store().GetLastConvertReport().nCount[2], 0u);
}

TEST_F(ConversionTest, MissingFolderFails) {
  Store().SetDataDirectory(m_dir.PathOf("no/such/folder"));
  EXPECT_FALSE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  EXPECT_FALSE(Store().GetLastConvertReport().strError.empty());
  EXPECT_FALSE(Store().ConvertMonsterIni());
}

// ---- a write that fails part way ---------------------------------------------------

struct WriteFailureRow_t {
  const char* pszRow;
  size_t nLimit;  // bytes the device accepts
  bool bFailFlush;
  bool bSucceeds;
};

class WriteFailureTest : public ConversionTest,
                         public ::testing::WithParamInterface<WriteFailureRow_t> {};

TEST_P(WriteFailureTest, OldDataFileIsKeptUnlessEveryByteIsWritten) {
  const WriteFailureRow_t& row = GetParam();
  const std::string strOld = "the previous data file";
  m_dir.WriteBytes("Sword.dat", std::string_view(strOld));
  m_dir.WriteText("Sword.ini", kSwordSource);
  velkar::CAtomicFileWriter::SetDeviceFactory([row](const std::string& strPath) {
    return std::make_unique<CFailingDevice>(strPath, row.nLimit, row.bFailFlush);
  });
  FillStore();

  EXPECT_EQ(Store().ConvertWeaponIni(CATEGORY_SWORD), row.bSucceeds);
  ExpectStoreEmpty();
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_EQ(report.bWritten, row.bSucceeds);
  EXPECT_TRUE(report.bSourceFound);
  EXPECT_EQ(FileNames(m_dir.Path()), (std::vector<std::string>{"Sword.dat", "Sword.ini"}));
  const std::vector<uint8_t> arrData = m_dir.ReadBytes("Sword.dat");
  if (row.bSucceeds) {
    EXPECT_EQ(arrData.size(), kSwordDataSize);
    EXPECT_TRUE(report.strError.empty());
  } else {
    EXPECT_EQ(std::string(arrData.begin(), arrData.end()), strOld);
    EXPECT_NE(report.strError.find("no space left on the test device"), std::string::npos)
        << report.strError;
    EXPECT_NE(report.strError.find("previous one is kept"), std::string::npos) << report.strError;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, WriteFailureTest,
    ::testing::Values(WriteFailureRow_t{"NothingWritten", 0, false, false},
                      WriteFailureRow_t{"OneByte", 1, false, false},
                      WriteFailureRow_t{"AfterTheFirstCount", 4, false, false},
                      WriteFailureRow_t{"OneByteShort", kSwordDataSize - 1, false, false},
                      WriteFailureRow_t{"FlushFails", kSwordDataSize, true, false},
                      WriteFailureRow_t{"EveryByte", kSwordDataSize, false, true}),
    [](const ::testing::TestParamInfo<WriteFailureRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

// ---- round trip ---------------------------------------------------------------------

TEST_F(ConversionTest, SourceToDataToRecords) {
  m_dir.WriteText("DualSword.ini",
                  u8"; a comment line\r\n"
                  u8"[Action]\r\n1=二連斬り,10,12\r\n2=回転斬り,B70,5,5,5,5\r\n3=突き,C50,18\r\n"
                  u8"[HitPattern]\r\n1=通常,100,100\r\n2=弾かれ,50,80\r\n"
                  u8"[Weapon]\r\n1=炎の双刃,168,2,250,4,0\r\n2=毒と雷の双刃,154,72,180,5,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_DUALSWORD));
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_DUALSWORD));

  const auto& arrAction = *Store().GetActionList(CATEGORY_DUALSWORD);
  ASSERT_EQ(arrAction.size(), 3u);
  EXPECT_EQ(arrAction[0]->GetName(), velkar::ToSjis(u8"二連斬り"));
  EXPECT_EQ(arrAction[0]->GetMotions(), (std::vector<uint16_t>{10, 12}));
  EXPECT_EQ(arrAction[1]->GetRate(0), 70);
  EXPECT_EQ(arrAction[1]->GetRate(1), 100);
  EXPECT_EQ(arrAction[1]->GetMotions(), (std::vector<uint16_t>{5, 5, 5, 5}));
  EXPECT_EQ(arrAction[2]->GetRate(0), 100);
  EXPECT_EQ(arrAction[2]->GetRate(1), 50);

  const auto& arrPattern = *Store().GetHitPatternList(CATEGORY_DUALSWORD);
  ASSERT_EQ(arrPattern.size(), 2u);
  EXPECT_EQ(arrPattern[1]->GetName(), velkar::ToSjis(u8"弾かれ"));
  EXPECT_EQ(arrPattern[1]->GetLowRate(), 50);
  EXPECT_EQ(arrPattern[1]->GetHighRate(), 80);

  const auto& arrWeapon = *Store().GetWeaponList(CATEGORY_DUALSWORD);
  ASSERT_EQ(arrWeapon.size(), 2u);
  uint16_t wAttack = 0, wElement = 0;
  int32_t nMask = 0, nSharpness = 0;
  arrWeapon[1]->GetStatus(wAttack, wElement, nMask, nSharpness);
  EXPECT_EQ(arrWeapon[1]->GetName(), velkar::ToSjis(u8"毒と雷の双刃"));
  EXPECT_EQ(wAttack, 154);
  EXPECT_EQ(wElement, 180);
  EXPECT_EQ(nMask, 72);  // thunder (bit 3) and poison (bit 6)
  EXPECT_EQ(nSharpness, 5);
  EXPECT_EQ(arrWeapon[1]->GetElementCoef(), 0.7);

  // The file decodes to what the source said and encodes back to itself.
  const std::vector<uint8_t> arrFile = m_dir.ReadBytes("DualSword.dat");
  WeaponFileContents_t contents;
  ASSERT_FALSE(CWeaponDataFile::Decode(arrFile, contents).has_value());
  EXPECT_EQ(CWeaponDataFile::Encode(contents), arrFile);
}

// ---- error descriptions -----------------------------------------------------------

TEST(DescribeInEnglishTest, OneLinePerKind) {
  struct Row_t {
    DataFileError_t error;
    const char* pszExpected;
  };
  const Row_t arrRow[] = {
      {{"/d/Sword.dat", DATA_FILE_TRUNCATED, 37, "weapon 1"},
       "/d/Sword.dat: the file ends early at byte 37, in weapon 1"},
      {{"/d/Sword.dat", DATA_FILE_TRUNCATED, 0, ""}, "/d/Sword.dat: the file ends early at byte 0"},
      {{"/d/Monster.dat", DATA_FILE_COUNT_TOO_LARGE, 0, "the monster count 4294967295"},
       "/d/Monster.dat: at byte 0, the monster count 4294967295 promises more records than the "
       "file holds"},
      {{"/d/Lance.dat", DATA_FILE_UNREADABLE, 0, "Is a directory"},
       "/d/Lance.dat: the file cannot be read: Is a directory"},
      {{"/d/Lance.dat", DATA_FILE_WRITE_FAILED, 0, "disk full"},
       "/d/Lance.dat: the file could not be written, the previous one is kept: disk full"},
  };
  for (const Row_t& row : arrRow) EXPECT_EQ(DescribeInEnglish(row.error), row.pszExpected);
}

}  // namespace
