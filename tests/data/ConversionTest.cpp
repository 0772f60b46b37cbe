// Conversions as a whole: the store is emptied, a source that cannot be read
// or a target that cannot be written keeps the old data file, and a source
// survives the trip to a data file and back into records.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "data/WeaponDataFile.h"
#include "model/WeaponClasses.h"
#include "platform/BinaryFile.h"
#include "support/HostileFiles.h"
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
  m_dir.WriteText("Monster.ini", u8"");
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

// ---- conversions that cannot be done -------------------------------------------

// A fault in the source or the target, for a weapon and for the monster
// conversion: the conversion fails, says which file and why, and the old data
// file stays byte for byte (a folder in its place stays a folder).
struct ConvertFaultRow_t {
  const char* pszRow;
  const char* pszOn;  // "ini" or "dat": the file that make replaces, or the one that fails
  std::function<void(const std::string& strPath)> make;  // null: the device fails instead
  eDATA_FILE_ERROR eKind;
  size_t nBudget = SIZE_MAX;  // bytes the device accepts
};

class ConvertFaultTest : public ConversionTest,
                         public ::testing::WithParamInterface<std::tuple<ConvertFaultRow_t, bool>> {
};

TEST_P(ConvertFaultTest, FailsNamingTheFileAndKeepsTheOldDataFile) {
  const auto& [row, bMonsters] = GetParam();
  const std::string strStem = bMonsters ? "Monster" : "Sword";
  const std::string strOld = "the previous data file";
  m_dir.WriteText(strStem + ".ini", bMonsters ? u8"[Level]\r\n1=L,100\r\n" : kSwordSource);
  m_dir.WriteBytes(strStem + ".dat", std::string_view(strOld));
  const std::string strFaulty = m_dir.PathOf(strStem + "." + row.pszOn);
  if (row.make) {
    m_dir.Remove(strStem + "." + row.pszOn);
    row.make(strFaulty);
  } else {
    velkar::CAtomicFileWriter::SetDeviceFactory(
        [&row](int fd) { return std::make_unique<CFailingDevice>(fd, row.nBudget, false); });
  }
  const std::vector<std::string> arrBefore = FileNames(m_dir.Path());
  FillStore();

  EXPECT_FALSE(bMonsters ? Store().ConvertMonsterIni() : Store().ConvertWeaponIni(CATEGORY_SWORD));
  ExpectStoreEmpty();
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_FALSE(report.bWritten);
  ASSERT_TRUE(report.failure.has_value());
  EXPECT_EQ(report.failure->eKind, row.eKind);
  EXPECT_EQ(report.failure->strPath, strFaulty);
  EXPECT_EQ(report.strError, DescribeInEnglish(*report.failure));
  EXPECT_EQ(FileNames(m_dir.Path()), arrBefore);
  if (!row.make || std::string_view(row.pszOn) == "ini") {
    const std::vector<uint8_t> arrData = m_dir.ReadBytes(strStem + ".dat");
    EXPECT_EQ(std::string(arrData.begin(), arrData.end()), strOld);
  }
}

void NoFile(const std::string& /*strPath*/) {}

INSTANTIATE_TEST_SUITE_P(
    Table, ConvertFaultTest,
    ::testing::Combine(
        ::testing::Values(
            ConvertFaultRow_t{"SourceMissing", "ini", NoFile, DATA_FILE_MISSING},
            ConvertFaultRow_t{"SourceIsAFolder", "ini",
                              [](const std::string& p) { MakeHostileFile(eHOSTILE::FOLDER, p); },
                              DATA_FILE_NOT_REGULAR},
            ConvertFaultRow_t{"SourceIsAFifo", "ini",
                              [](const std::string& p) { MakeHostileFile(eHOSTILE::FIFO, p); },
                              DATA_FILE_NOT_REGULAR},
            ConvertFaultRow_t{
                "SourceIsSparse2GB", "ini",
                [](const std::string& p) { MakeHostileFile(eHOSTILE::SPARSE_2GB, p); },
                DATA_FILE_TOO_LARGE},
            ConvertFaultRow_t{"TargetIsAFolder", "dat",
                              [](const std::string& p) { MakeHostileFile(eHOSTILE::FOLDER, p); },
                              DATA_FILE_WRITE_FAILED},
            ConvertFaultRow_t{"WriteFailsAfterFourBytes", "dat", nullptr, DATA_FILE_WRITE_FAILED,
                              4}),
        ::testing::Bool()),
    [](const auto& rowInfo) {
      return std::string(std::get<0>(rowInfo.param).pszRow) +
             (std::get<1>(rowInfo.param) ? "Monster" : "Weapon");
    });

// Files within the size limit whose records do not fit in the memory the
// process may use: the load or the conversion fails naming the file, the old
// data file stays, and the process carries on.
TEST_F(ConversionTest, RunningOutOfMemoryIsAnErrorNotAnAbort) {
  if (kSanitized) GTEST_SKIP() << "a sanitizer's shadow memory needs the address space";
  const uint32_t nMonsters = 3000000;  // 51 MB of the smallest records
  std::string strData{
      static_cast<char>(nMonsters & 0xFF), static_cast<char>((nMonsters >> 8) & 0xFF),
      static_cast<char>((nMonsters >> 16) & 0xFF), static_cast<char>(nMonsters >> 24)};
  strData.reserve(nMonsters * 17 + 8);
  for (uint32_t n = 0; n < nMonsters; ++n) strData.append("\n").append(16, '\0');
  strData.append(4, '\0');
  m_dir.WriteBytes("Monster.dat", std::string_view(strData));
  std::string strSource = "[Weapon]\r\n";
  while (strSource.size() < (size_t{50} << 20)) strSource += "1=b\r\n";
  m_dir.WriteBytes("Sword.ini", std::string_view(strSource));
  m_dir.WriteBytes("Sword.dat", std::string_view("old"));
  constexpr uint64_t kRoom = uint64_t{150} << 20;

  EXPECT_TRUE(RunWithAddressSpaceLimit(kRoom, [this] {
    const bool bLoaded = Store().LoadMonsterData();
    const std::vector<DataFileError_t>& arrError = Store().GetLoadErrors();
    return !bLoaded && arrError.size() == 1 && arrError[0].eKind == DATA_FILE_NO_MEMORY &&
           arrError[0].strPath == m_dir.PathOf("Monster.dat") && Store().GetMonsterList().empty();
  }));
  EXPECT_TRUE(RunWithAddressSpaceLimit(kRoom, [this] {
    const bool bWritten = Store().ConvertWeaponIni(CATEGORY_SWORD);
    const ConvertReport_t& report = Store().GetLastConvertReport();
    return !bWritten && report.failure && report.failure->eKind == DATA_FILE_NO_MEMORY &&
           report.failure->strPath == m_dir.PathOf("Sword.ini") &&
           m_dir.ReadBytes("Sword.dat") == std::vector<uint8_t>{'o', 'l', 'd'};
  }));
}

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
