// Weapon data files: the byte layout both ways, the loader's handling of
// damaged and hostile files, and the converter's treatment of source entries.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "data/ByteBuilder.h"
#include "data/WeaponDataFile.h"
#include "model/WeaponClasses.h"
#include "support/HostileFiles.h"
#include "support/TestDataDir.h"

namespace {

// One motion "a" (rates 100, 100, one value 10), no hit pattern, one weapon
// "b" (attack 100, element 0, mask 0, sharpness 3).
const std::vector<uint8_t> kExample42 = {
    0x01, 0x00, 0x00, 0x00, 0x61, 0x0D, 0x0A, 0x64, 0x64, 0x01, 0x00, 0x00, 0x00, 0x0A,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x62, 0x0D, 0x0A, 0x64, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};

const std::vector<uint8_t> kTwelveZeros(12, 0);

class WeaponDataFileTest : public ::testing::Test {
protected:
  CDataManager& Store() { return m_store.Store(); }

  std::vector<std::string> MotionNames(int nCategory) {
    std::vector<std::string> arrName;
    if (const auto* pList = Store().GetActionList(nCategory)) {
      for (const auto& pAction : *pList) arrName.push_back(pAction->GetName());
    }
    return arrName;
  }
  std::vector<std::string> WeaponNames(int nCategory) {
    std::vector<std::string> arrName;
    if (const auto* pList = Store().GetWeaponList(nCategory)) {
      for (const auto& pWeapon : *pList) arrName.push_back(pWeapon->GetName());
    }
    return arrName;
  }

  CTestDataDir m_dir;
  CTestDataStore m_store{m_dir};
};

// ---- the worked example, both ways ------------------------------------------

TEST_F(WeaponDataFileTest, ExampleConvertsToThe42Bytes) {
  m_dir.WriteText("Sword.ini", u8"[Action]\r\n1=a,10\r\n[Weapon]\r\n1=b,100,0,0,3,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  EXPECT_EQ(m_dir.ReadBytes("Sword.dat"), kExample42);
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_TRUE(report.bWritten);
  EXPECT_EQ(report.nCount[0], 1u);
  EXPECT_EQ(report.nCount[1], 0u);
  EXPECT_EQ(report.nCount[2], 1u);
  EXPECT_TRUE(report.arrSkipped.empty());
  EXPECT_EQ(report.strTarget, m_dir.PathOf("Sword.dat"));
}

TEST_F(WeaponDataFileTest, The42BytesLoadIntoOneMotionAndOneWeapon) {
  m_dir.WriteBytes("Sword.dat", kExample42);
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_SWORD));
  const auto* pActions = Store().GetActionList(CATEGORY_SWORD);
  ASSERT_NE(pActions, nullptr);
  ASSERT_EQ(pActions->size(), 1u);
  const CAction& action = *pActions->front();
  EXPECT_EQ(action.GetName(), "a");
  EXPECT_EQ(action.GetRate(0), 100);
  EXPECT_EQ(action.GetRate(1), 100);
  EXPECT_EQ(action.GetMotions(), std::vector<uint16_t>{10});
  ASSERT_NE(Store().GetHitPatternList(CATEGORY_SWORD), nullptr);
  EXPECT_TRUE(Store().GetHitPatternList(CATEGORY_SWORD)->empty());
  const auto* pWeapons = Store().GetWeaponList(CATEGORY_SWORD);
  ASSERT_NE(pWeapons, nullptr);
  ASSERT_EQ(pWeapons->size(), 1u);
  uint16_t wAttack = 0, wElement = 0;
  int32_t nMask = -1, nSharpness = -1;
  pWeapons->front()->GetStatus(wAttack, wElement, nMask, nSharpness);
  EXPECT_EQ(pWeapons->front()->GetName(), "b");
  EXPECT_EQ(wAttack, 100);
  EXPECT_EQ(wElement, 0);
  EXPECT_EQ(nMask, 0);
  EXPECT_EQ(nSharpness, 3);
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

// ---- empty sources and files ----------------------------------------------

// A source emptied on purpose empties the data file; loading it then offers
// no weapon, while the motion and hit pattern lists exist.
TEST_F(WeaponDataFileTest, EmptySourceGivesTwelveZeroBytesThatLoadWithoutWeapons) {
  m_dir.WriteText("Katana.ini", u8"");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_KATANA));
  EXPECT_EQ(m_dir.ReadBytes("Katana.dat"), kTwelveZeros);
  EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_KATANA));
  EXPECT_EQ(Store().GetWeaponList(CATEGORY_KATANA), nullptr);
  ASSERT_NE(Store().GetActionList(CATEGORY_KATANA), nullptr);
  ASSERT_NE(Store().GetHitPatternList(CATEGORY_KATANA), nullptr);
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

TEST_F(WeaponDataFileTest, OnlyAWeaponLoadsWithEmptyMotionAndPatternLists) {
  m_dir.WriteBytes(
      "Hummer.dat",
      CByteBuilder().U32(0).U32(0).U32(1).Line("h").I32(200).I32(0).I32(0).I32(5).Bytes());
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_HUMMER));
  EXPECT_TRUE(Store().GetActionList(CATEGORY_HUMMER)->empty());
  EXPECT_TRUE(Store().GetHitPatternList(CATEGORY_HUMMER)->empty());
  ASSERT_EQ(WeaponNames(CATEGORY_HUMMER), std::vector<std::string>{"h"});
  const CWeapon& weapon = *Store().GetWeaponList(CATEGORY_HUMMER)->front();
  EXPECT_EQ(weapon.GetCategory(), CATEGORY_HUMMER);
  EXPECT_EQ(weapon.GetDamageType(), DAMAGE_IMPACT);
  EXPECT_DOUBLE_EQ(weapon.GetAttackCoef(), 5.2);
}

TEST_F(WeaponDataFileTest, MotionsWithoutWeaponsStayButNoWeaponList) {
  CByteBuilder file;
  file.U32(1).Line("m").U8(100).U8(100).U32(0);  // one motion without hits
  file.U32(1).Line("p").I32(90).I32(100);        // one hit pattern
  file.U32(0);                                   // no weapon
  m_dir.WriteBytes("GunLance.dat", file.Bytes());
  EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_GUNLANCE));
  EXPECT_EQ(Store().GetWeaponList(CATEGORY_GUNLANCE), nullptr);
  EXPECT_EQ(MotionNames(CATEGORY_GUNLANCE), std::vector<std::string>{"m"});
  EXPECT_TRUE(Store().GetActionList(CATEGORY_GUNLANCE)->front()->GetMotions().empty());
  EXPECT_EQ(Store().GetHitPatternList(CATEGORY_GUNLANCE)->size(), 1u);
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

TEST_F(WeaponDataFileTest, MissingFileChangesNothing) {
  EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_EQ(Store().GetActionList(CATEGORY_SWORD), nullptr);
  EXPECT_EQ(Store().GetHitPatternList(CATEGORY_SWORD), nullptr);
  EXPECT_EQ(Store().GetWeaponList(CATEGORY_SWORD), nullptr);
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

TEST_F(WeaponDataFileTest, CategoryOutsideTheTableLoadsNothing) {
  m_dir.WriteBytes("Error.dat", kExample42);
  EXPECT_FALSE(Store().LoadWeaponData(8));
  EXPECT_FALSE(Store().LoadWeaponData(-1));
  EXPECT_EQ(Store().GetActionList(8), nullptr);
  m_dir.Remove("Error.dat");
  EXPECT_FALSE(Store().ConvertWeaponIni(8));
  EXPECT_FALSE(m_dir.Exists("Error.dat"));
}

// Something other than a regular file in a data file's place, or a file far
// above the size limit, is reported at once (nothing blocks on a FIFO), and
// the store keeps nothing of it.
class HostileDataFileTest : public WeaponDataFileTest,
                            public ::testing::WithParamInterface<eHOSTILE> {};

TEST_P(HostileDataFileTest, IsReportedAtOnceForWeaponsAndMonsters) {
  MakeHostileFile(GetParam(), m_dir.PathOf("Sword.dat"));
  MakeHostileFile(GetParam(), m_dir.PathOf("Monster.dat"));
  const eDATA_FILE_ERROR eKind =
      GetParam() == eHOSTILE::SPARSE_2GB ? DATA_FILE_TOO_LARGE : DATA_FILE_NOT_REGULAR;
  EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_EQ(Store().GetActionList(CATEGORY_SWORD), nullptr);
  const std::vector<DataFileError_t>& arrError = Store().GetLoadErrors();
  ASSERT_EQ(arrError.size(), 2u);
  EXPECT_EQ(arrError[0].strPath, m_dir.PathOf("Sword.dat"));
  EXPECT_EQ(arrError[1].strPath, m_dir.PathOf("Monster.dat"));
  for (const DataFileError_t& error : arrError) EXPECT_EQ(error.eKind, eKind);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileDataFileTest,
                         ::testing::Values(eHOSTILE::FIFO, eHOSTILE::SPARSE_2GB),
                         [](const auto& rowInfo) {
                           return std::string(HostileName(rowInfo.param));
                         });

// ---- values: low bits, order, file details ----------------------------------

TEST_F(WeaponDataFileTest, FourByteValuesAreWrittenWholeAndHeldAsLowBits) {
  m_dir.WriteText("Sword.ini",
                  u8"[Action]\r\n1=a,A300,70000\r\n"
                  u8"[HitPattern]\r\n1=p,300,-1\r\n"
                  u8"[Weapon]\r\n1=b,70000,3,25,2,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  CByteBuilder expected;
  expected.U32(1).Line("a").U8(44).U8(44).U32(1).U16(70000 - 65536);
  expected.U32(1).Line("p").I32(300).I32(-1);
  expected.U32(1).Line("b").I32(70000).I32(25).I32(3).I32(2);
  ASSERT_EQ(m_dir.ReadBytes("Sword.dat"), expected.Bytes());

  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_SWORD));
  const CHitPattern& pattern = *Store().GetHitPatternList(CATEGORY_SWORD)->front();
  EXPECT_EQ(pattern.GetLowRate(), 44);
  EXPECT_EQ(pattern.GetHighRate(), 255);
  uint16_t wAttack = 0, wElement = 0;
  int32_t nMask = 0, nSharpness = 0;
  Store().GetWeaponList(CATEGORY_SWORD)->front()->GetStatus(wAttack, wElement, nMask, nSharpness);
  EXPECT_EQ(wAttack, 70000 % 65536);
  EXPECT_EQ(wElement, 25);
  EXPECT_EQ(nMask, 3);
  EXPECT_EQ(nSharpness, 2);
}

TEST_F(WeaponDataFileTest, LineEndsAndTrailingBytes) {
  // A bare LF ends a name; after a CR any byte is taken as its LF; bytes after
  // the weapon list are ignored.
  CByteBuilder file;
  file.U32(2).Raw("x\n").U8(1).U8(2).U32(0).Raw("y\rZ").U8(3).U8(4).U32(0);
  file.U32(0);
  file.U32(1).Raw("w\n").I32(1).I32(2).I32(4).I32(5).Raw("trailing garbage");
  m_dir.WriteBytes("Sword.dat", file.Bytes());
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_EQ(MotionNames(CATEGORY_SWORD), (std::vector<std::string>{"x", "y"}));
  EXPECT_EQ(Store().GetActionList(CATEGORY_SWORD)->back()->GetRate(0), 3);
  EXPECT_EQ(WeaponNames(CATEGORY_SWORD), std::vector<std::string>{"w"});
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

TEST_F(WeaponDataFileTest, WeaponClassFollowsTheCategory) {
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    m_dir.WriteBytes(CDataManager::GetCategoryName(nCategory) + ".dat", kExample42);
    ASSERT_TRUE(Store().LoadWeaponData(nCategory)) << nCategory;
    const CWeapon& weapon = *Store().GetWeaponList(nCategory)->front();
    const auto pExpected = CreateWeapon(nCategory);
    EXPECT_EQ(weapon.GetCategory(), nCategory);
    EXPECT_EQ(weapon.GetDamageType(), pExpected->GetDamageType());
    EXPECT_EQ(weapon.GetElementCoef(), pExpected->GetElementCoef());
  }
}

// ---- source entries ---------------------------------------------------------

TEST_F(WeaponDataFileTest, GapInTheNumberingEndsTheList) {
  m_dir.WriteText("Sword.ini", u8"[Weapon]\r\n1=a,1,0,0,0,0\r\n2=b,2,0,0,0,0\r\n4=d,4,0,0,0,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_EQ(WeaponNames(CATEGORY_SWORD), (std::vector<std::string>{"a", "b"}));
}

TEST_F(WeaponDataFileTest, SkippedEntriesAreReportedAndTheRestKept) {
  m_dir.WriteText("Sword.ini",
                  u8"[Action]\r\n1=Bash\r\n2=,10\r\n3=ok,5\r\n"
                  u8"[HitPattern]\r\n1=p,50\r\n2=q,50,60\r\n"
                  u8"[Weapon]\r\n1=four,1,2,3,4\r\n2=six,1,2,3,4,5,6\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_EQ(report.nCount[0], 1u);
  EXPECT_EQ(report.nCount[1], 1u);
  EXPECT_EQ(report.nCount[2], 1u);
  ASSERT_EQ(report.arrSkipped.size(), 4u);
  const std::vector<std::vector<std::string>> expected = {
      {"Action", "1", "no comma after the name"},
      {"Action", "2", "empty name"},
      {"HitPattern", "1", "needs two integers after the name"},
      {"Weapon", "1", "needs five integers after the name"}};
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(report.arrSkipped[i].strSection, expected[i][0]) << i;
    EXPECT_EQ(report.arrSkipped[i].strKey, expected[i][1]) << i;
    EXPECT_EQ(report.arrSkipped[i].strReason, expected[i][2]) << i;
  }
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_EQ(MotionNames(CATEGORY_SWORD), std::vector<std::string>{"ok"});
  EXPECT_EQ(WeaponNames(CATEGORY_SWORD), std::vector<std::string>{"six"});
}

TEST_F(WeaponDataFileTest, ShiftJisNamesPassThroughByteForByte) {
  m_dir.WriteText("GreatSword.ini",
                  u8"[Action]\r\n1=ソード斬り,A80,20\r\n"
                  u8"[HitPattern]\r\n1=表の能力,80,100\r\n"
                  u8"[Weapon]\r\n1=大剣ゼーゾ,672,2,300,4,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_GREATSWORD));
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_GREATSWORD));
  EXPECT_EQ(MotionNames(CATEGORY_GREATSWORD),
            std::vector<std::string>{velkar::ToSjis(u8"ソード斬り")});
  EXPECT_EQ(Store().GetHitPatternList(CATEGORY_GREATSWORD)->front()->GetName(),
            velkar::ToSjis(u8"表の能力"));
  EXPECT_EQ(WeaponNames(CATEGORY_GREATSWORD),
            std::vector<std::string>{velkar::ToSjis(u8"大剣ゼーゾ")});
}

// ---- damaged and hostile files ------------------------------------------------

TEST_F(WeaponDataFileTest, ExampleCutInsideTheWeaponKeepsTheMotion) {
  m_dir.WriteBytes("Sword.dat", std::vector<uint8_t>(kExample42.begin(), kExample42.end() - 1));
  EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_EQ(MotionNames(CATEGORY_SWORD), std::vector<std::string>{"a"});
  EXPECT_EQ(Store().GetWeaponList(CATEGORY_SWORD), nullptr);
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  const DataFileError_t& error = Store().GetLoadErrors().front();
  EXPECT_EQ(error.strPath, m_dir.PathOf("Sword.dat"));
  EXPECT_EQ(error.eKind, DATA_FILE_TRUNCATED);
  EXPECT_EQ(error.nOffset, 38u);  // the sharpness of weapon 1
  EXPECT_EQ(error.strDetail, "weapon 1");
}

TEST_F(WeaponDataFileTest, TwentyBytesClaimingFourBillionMotionsFailAtOnce) {
  m_dir.WriteBytes("Sword.dat", CByteBuilder().U32(0xFFFFFFFFu).Raw("0123456789abcdef").Bytes());
  EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_SWORD));
  EXPECT_TRUE(Store().GetActionList(CATEGORY_SWORD)->empty());
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  const DataFileError_t& error = Store().GetLoadErrors().front();
  EXPECT_EQ(error.eKind, DATA_FILE_COUNT_TOO_LARGE);
  EXPECT_EQ(error.nOffset, 0u);
  EXPECT_EQ(error.strDetail, "the motion count 4294967295");
}

// A count that promises more than the file holds is blamed, and the records
// read before the bytes ran out are kept.
TEST_F(WeaponDataFileTest, CountsBeyondTheFileAreBlamedAndWhatWasReadStays) {
  struct Row_t {
    const char* pszRow;
    std::vector<uint8_t> arrByte;
    uint64_t nOffset;
    const char* pszDetail;
    size_t nMotions;
    size_t nWeapons;
  };
  const Row_t arrRow[] = {
      {"ValueCount", CByteBuilder().U32(1).Line("a").U8(1).U8(1).U32(0x7FFFFFFF).U16(1).Bytes(), 9,
       "the value count 2147483647 of motion 1", 0, 0},
      {"HitPatternCount",
       CByteBuilder()
           .U32(1)
           .Line("a")
           .U8(1)
           .U8(1)
           .U32(0)
           .U32(0x10000000)
           .Raw("abcdefghijk")
           .Bytes(),
       13, "the hit pattern count 268435456", 1, 0},
      {"WeaponCount",
       CByteBuilder().U32(0).U32(0).U32(2).Line("b").I32(1).I32(2).I32(3).I32(4).Bytes(), 8,
       "the weapon count 2", 0, 1},
  };
  for (const Row_t& row : arrRow) {
    WeaponFileContents_t contents;
    const auto error = CWeaponDataFile::Decode(row.arrByte, contents);
    ASSERT_TRUE(error.has_value()) << row.pszRow;
    EXPECT_EQ(error->eKind, DATA_FILE_COUNT_TOO_LARGE) << row.pszRow;
    EXPECT_EQ(error->nOffset, row.nOffset) << row.pszRow;
    EXPECT_EQ(error->strDetail, row.pszDetail) << row.pszRow;
    EXPECT_EQ(contents.arrMotion.size(), row.nMotions) << row.pszRow;
    EXPECT_EQ(contents.arrWeapon.size(), row.nWeapons) << row.pszRow;
  }
}

// A file with something in every list, cut at every length short of its end:
// the loader never crashes, reports the damage with the file's name, and keeps
// a prefix of the records in file order.
TEST_F(WeaponDataFileTest, EveryTruncationFailsAndKeepsOnlyCompletedRecords) {
  m_dir.WriteText("Sword.ini",
                  u8"[Action]\r\n1=first,A90,10,20,30\r\n2=second,5\r\n3=third,1,2\r\n"
                  u8"[HitPattern]\r\n1=lo,80,100\r\n2=hi,100,110\r\n"
                  u8"[Weapon]\r\n1=one,100,1,10,3,0\r\n2=two,200,2,20,4,0\r\n"
                  u8"3=three,300,4,30,5,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  const std::vector<uint8_t> arrFull = m_dir.ReadBytes("Sword.dat");
  const std::vector<std::string> arrAllMotions = {"first", "second", "third"};
  const std::vector<std::string> arrAllWeapons = {"one", "two", "three"};

  for (size_t nLength = 0; nLength < arrFull.size(); ++nLength) {
    SCOPED_TRACE("length " + std::to_string(nLength));
    Store().Clear();
    m_dir.WriteBytes("Sword.dat", std::span(arrFull.data(), nLength));
    EXPECT_FALSE(Store().LoadWeaponData(CATEGORY_SWORD));
    ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
    const DataFileError_t& error = Store().GetLoadErrors().front();
    EXPECT_EQ(error.strPath, m_dir.PathOf("Sword.dat"));
    EXPECT_LE(error.nOffset, nLength);
    EXPECT_TRUE(error.eKind == DATA_FILE_TRUNCATED || error.eKind == DATA_FILE_COUNT_TOO_LARGE);

    const std::vector<std::string> arrMotion = MotionNames(CATEGORY_SWORD);
    const std::vector<std::string> arrWeapon = WeaponNames(CATEGORY_SWORD);
    ASSERT_LE(arrMotion.size(), arrAllMotions.size());
    EXPECT_TRUE(std::equal(arrMotion.begin(), arrMotion.end(), arrAllMotions.begin()));
    ASSERT_LT(arrWeapon.size(), arrAllWeapons.size());
    EXPECT_TRUE(std::equal(arrWeapon.begin(), arrWeapon.end(), arrAllWeapons.begin()));
    if (!arrWeapon.empty()) {
      EXPECT_EQ(arrMotion.size(), arrAllMotions.size());
    }
  }

  // One byte short: everything but the last weapon is there.
  EXPECT_EQ(MotionNames(CATEGORY_SWORD), arrAllMotions);
  EXPECT_EQ(Store().GetHitPatternList(CATEGORY_SWORD)->size(), 2u);
  EXPECT_EQ(WeaponNames(CATEGORY_SWORD), (std::vector<std::string>{"one", "two"}));
}

// ---- the in-memory reader and writer ----------------------------------------------

TEST(WeaponDataFileCodecTest, DecodeThenEncodeGivesTheSameBytes) {
  WeaponFileContents_t contents;
  ASSERT_FALSE(CWeaponDataFile::Decode(kExample42, contents).has_value());
  EXPECT_EQ(CWeaponDataFile::Encode(contents), kExample42);
}

TEST(WeaponDataFileCodecTest, DecodeKeepsFourByteValuesWhole) {
  CByteBuilder file;
  file.U32(0).U32(1).Line("p").I32(-300).I32(70000);
  file.U32(1).Line("w").I32(-1).I32(65536).I32(INT32_MIN).I32(7);
  const std::vector<uint8_t>& arrByte = file.Bytes();
  WeaponFileContents_t contents;
  ASSERT_FALSE(CWeaponDataFile::Decode(arrByte, contents).has_value());
  EXPECT_EQ(contents.arrHitPattern.at(0).nLowRate, -300);
  EXPECT_EQ(contents.arrHitPattern.at(0).nHighRate, 70000);
  EXPECT_EQ(contents.arrWeapon.at(0).nAttack, -1);
  EXPECT_EQ(contents.arrWeapon.at(0).nElement, 65536);
  EXPECT_EQ(contents.arrWeapon.at(0).nElementMask, INT32_MIN);
  EXPECT_EQ(CWeaponDataFile::Encode(contents), arrByte);
}

}  // namespace
