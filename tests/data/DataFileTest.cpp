// The weapon and monster data files: values written whole and held as their
// low bits, the converter's counts, and the loader's handling of damaged
// files (every cut, counts far beyond the file).
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "data/ByteBuilder.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"

namespace {

using Strings = std::vector<std::string>;

class DataFileTest : public ::testing::Test {
protected:
  CDataManager& Store() { return m_store.Store(); }

  CTestDataDir m_dir;
  CTestDataStore m_store{m_dir};
};

TEST_F(DataFileTest, WeaponValuesAreWrittenWholeAndHeldAsLowBits) {
  m_dir.WriteText("Sword.ini",
                  u8"[Action]\r\n1=a,B300,70000\r\n[HitPattern]\r\n1=p,300,-1\r\n"
                  u8"[Weapon]\r\n1=b,70000,3,25,2,0\r\n");
  ASSERT_TRUE(Store().ConvertWeaponIni(CATEGORY_SWORD));
  CByteBuilder expected;
  expected.U32(1).Line("a").U8(44).U8(100).U32(1).U16(70000 - 65536);
  expected.U32(1).Line("p").I32(300).I32(-1);
  expected.U32(1).Line("b").I32(70000).I32(25).I32(3).I32(2);
  ASSERT_EQ(m_dir.ReadBytes("Sword.dat"), expected.Bytes());

  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_SWORD));
  const CHitPattern& pattern = *Store().GetHitPatternList(CATEGORY_SWORD)->at(0);
  uint16_t wAttack = 0, wElement = 0;
  int32_t nMask = 0, nSharpness = 0;
  Store().GetWeaponList(CATEGORY_SWORD)->at(0)->GetStatus(wAttack, wElement, nMask, nSharpness);
  EXPECT_EQ(std::vector<int>({pattern.GetLowRate(), pattern.GetHighRate(), wAttack, wElement, nMask,
                              nSharpness}),
            std::vector<int>({44, 255, 70000 - 65536, 25, 3, 2}));
}

TEST_F(DataFileTest, MonsterValuesAreWrittenWholeAndCounted) {
  m_dir.WriteText("Monster.ini",
                  u8"[Monster]\r\n0=a\r\n1=b\r\n[a]\r\nAnger=300,2,3\r\n0=r,300,1,2,3,4,5,6,-1\r\n"
                  u8"[b]\r\nAnger=1,2,3\r\n[Level]\r\n1=L,100\r\n2=M,90\r\n");
  ASSERT_TRUE(Store().ConvertMonsterIni());
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_EQ(std::vector<uint32_t>(report.nCount, report.nCount + 3),
            std::vector<uint32_t>({2, 1, 2}));  // monsters, regions, levels
  CByteBuilder expected;
  expected.U32(2).Line("a").I32(300).I32(2).I32(3).U32(1);
  expected.Line("r").I32(300).I32(1).I32(2).I32(3).I32(4).I32(5).I32(6).I32(-1);
  expected.Line("b").I32(1).I32(2).I32(3).U32(0);
  expected.U32(2).Line("L").U8(100).Line("M").U8(90);
  ASSERT_EQ(m_dir.ReadBytes("Monster.dat"), expected.Bytes());

  ASSERT_TRUE(Store().LoadMonsterData());
  const CMonster& monster = *Store().GetMonsterList().at(0);
  EXPECT_EQ(std::vector<int>({monster.GetAnger1(), monster.GetRegions().at(0).byPhys[0],
                              monster.GetRegions().at(0).byElement[5]}),
            std::vector<int>({44, 44, 255}));
}

// ---- damaged files --------------------------------------------------------------

// The names of every record the store holds for a data file, in file order.
Strings WeaponRecords(const CDataManager& store) {
  Strings arrName;
  const auto add = [&arrName](const auto* pList) {
    if (pList != nullptr)
      for (const auto& pRecord : *pList) arrName.push_back(pRecord->GetName());
  };
  add(store.GetActionList(CATEGORY_SWORD));
  add(store.GetHitPatternList(CATEGORY_SWORD));
  add(store.GetWeaponList(CATEGORY_SWORD));
  return arrName;
}

Strings MonsterRecords(const CDataManager& store) {
  Strings arrName;
  for (const auto& pMonster : store.GetMonsterList()) {
    arrName.push_back(pMonster->GetName());
    for (const auto& region : pMonster->GetRegions()) arrName.push_back(region.strName);
  }
  for (const auto& pLevel : store.GetLevelList()) arrName.push_back(pLevel->GetName());
  return arrName;
}

struct FileKind_t {
  const char* szName;
  const char* szFirstWeapon;  // a weapon file is offered once it holds a weapon
  const char* szStem;
  std::u8string_view source;
  std::function<bool(CDataManager&)> load;
  std::function<Strings(const CDataManager&)> records;
};

const FileKind_t kWeapons{"Weapons",
                          "one",
                          "Sword",
                          u8"[Action]\r\n1=first,A90,10,20\r\n2=second,5\r\n[HitPattern]\r\n"
                          u8"1=lo,80,100\r\n2=hi,100,110\r\n[Weapon]\r\n1=one,100,1,10,3,0\r\n"
                          u8"2=two,200,2,20,4,0\r\n",
                          [](CDataManager& store) { return store.LoadWeaponData(CATEGORY_SWORD); },
                          WeaponRecords};
const FileKind_t kMonsters{
    "Monsters",
    nullptr,
    "Monster",
    u8"[Monster]\r\n0=ゼルガ\r\n1=ガルーダン\r\n[ゼルガ]\r\nAnger=110,95,80\r\n"
    u8"0=頭,70,65,10,25,5,10,20,0\r\n1=脚,30,25,10,5,15,20,30,10\r\n"
    u8"[ガルーダン]\r\nAnger=120,90,80\r\n[Level]\r\n1=下位,100\r\n2=上位,80\r\n",
    [](CDataManager& store) { return store.LoadMonsterData(); },
    MonsterRecords};

class DataFileCutTest : public DataFileTest, public ::testing::WithParamInterface<FileKind_t> {};

// Every cut short of the end: no crash, one error naming the file, and the
// records kept are a strict prefix of the whole file's records; a weapon
// file cut after its first weapon still offers the weapons it kept.
TEST_P(DataFileCutTest, EveryCutKeepsOnlyCompletedRecords) {
  const FileKind_t& kind = GetParam();
  const std::string strFile = std::string(kind.szStem) + ".dat";
  m_dir.WriteText(std::string(kind.szStem) + ".ini", kind.source);
  const bool bConverted = kind.szStem == std::string("Monster")
                              ? Store().ConvertMonsterIni()
                              : Store().ConvertWeaponIni(CATEGORY_SWORD);
  ASSERT_TRUE(bConverted);
  ASSERT_TRUE(kind.load(Store()));
  const Strings arrAll = kind.records(Store());
  ASSERT_EQ(arrAll.size(), 6u);
  const std::vector<uint8_t> arrFull = m_dir.ReadBytes(strFile);
  for (size_t nLength = 0; nLength < arrFull.size(); ++nLength) {
    SCOPED_TRACE("length " + std::to_string(nLength));
    Store().Clear();
    m_dir.WriteBytes(strFile, std::span(arrFull.data(), nLength));
    const bool bLoaded = kind.load(Store());
    ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
    EXPECT_EQ(Store().GetLoadErrors().front().strPath, m_dir.PathOf(strFile));
    EXPECT_LE(Store().GetLoadErrors().front().nOffset, nLength);
    const Strings arrKept = kind.records(Store());
    EXPECT_EQ(bLoaded,
              kind.szFirstWeapon != nullptr &&
                  std::find(arrKept.begin(), arrKept.end(), kind.szFirstWeapon) != arrKept.end());
    ASSERT_LT(arrKept.size(), arrAll.size());
    EXPECT_TRUE(std::equal(arrKept.begin(), arrKept.end(), arrAll.begin()));
  }
}

INSTANTIATE_TEST_SUITE_P(Files, DataFileCutTest, ::testing::Values(kWeapons, kMonsters),
                         RowName<FileKind_t>);

// A count far beyond the file fails at once, at the count's own offset.
struct CountRow_t {
  const char* szName;
  const char* szFile;
  std::vector<uint8_t> arrByte;
  uint64_t nOffset;
  const char* szDetail;
};

class CountTooLargeTest : public DataFileTest, public ::testing::WithParamInterface<CountRow_t> {};

TEST_P(CountTooLargeTest, FailsAtTheCount) {
  m_dir.WriteBytes(GetParam().szFile, GetParam().arrByte);
  EXPECT_FALSE(GetParam().szFile == std::string("Sword.dat")
                   ? Store().LoadWeaponData(CATEGORY_SWORD)
                   : Store().LoadMonsterData());
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  const DataFileError_t& error = Store().GetLoadErrors().front();
  EXPECT_EQ(error.eKind, DATA_FILE_COUNT_TOO_LARGE);
  EXPECT_EQ(error.nOffset, GetParam().nOffset);
  EXPECT_EQ(error.strDetail, GetParam().szDetail);
}

const CountRow_t kCountRows[] = {
    {"Motions", "Sword.dat", CByteBuilder().U32(~0u).Raw("0123456789abcdef").Bytes(), 0,
     "the motion count 4294967295"},
    {"Regions", "Monster.dat",
     CByteBuilder().U32(1).Line("m").I32(1).I32(2).I32(3).U32(~0u).Raw("pad").Bytes(), 19,
     "the region count 4294967295 of monster 1"},
    {"Levels", "Monster.dat", CByteBuilder().U32(0).U32(~0u).Raw("padding").Bytes(), 4,
     "the level count 4294967295"},
};

INSTANTIATE_TEST_SUITE_P(Table, CountTooLargeTest, ::testing::ValuesIn(kCountRows),
                         RowName<CountRow_t>);

// A record cut short in a list whose count the rest of the file could hold
// is blamed, not the count. Each list holds two records, the first one byte
// longer than the smallest (a name "a"), the second the smallest (a name of a
// lone LF) but for its last byte: the bytes after the count are exactly twice
// the smallest record, and a larger smallest size would blame the count.
TEST_F(DataFileTest, CutRecordOfACountThatFitsIsTheRecords) {
  CByteBuilder motions, patterns, weapons, monsters, regions, levels;
  motions.U32(2).Raw("a\n").U8(1).U8(2).U32(0).Raw("\n").U8(1).U8(2).U32(0);
  patterns.U32(0).U32(2).Raw("a\n").I32(1).I32(2).Raw("\n").I32(1).I32(2);
  weapons.U32(0).U32(0).U32(2).Raw("a\n").I32(1).I32(2).I32(3).I32(4);
  weapons.Raw("\n").I32(1).I32(2).I32(3).I32(4);
  monsters.U32(2).Raw("a\n").I32(1).I32(2).I32(3).U32(0).Raw("\n").I32(1).I32(2).I32(3).U32(0);
  regions.U32(1).Raw("\n").I32(1).I32(2).I32(3).U32(2).Raw("a\n");
  for (int i = 0; i < 8; ++i) regions.I32(i);
  regions.Raw("\n");
  for (int i = 0; i < 8; ++i) regions.I32(i);
  levels.U32(0).U32(2).Raw("a\n").U8(1).Raw("\n").U8(2);
  const auto Cut = [](const CByteBuilder& file) {
    std::vector<uint8_t> arrByte = file.Bytes();
    arrByte.pop_back();
    return arrByte;
  };
  int nCategory = CATEGORY_SWORD;
  for (const auto& [pszFile, pFile] : {std::pair{"Sword.dat", &motions},
                                       {"DualSword.dat", &patterns},
                                       {"GreatSword.dat", &weapons}}) {
    m_dir.WriteBytes(pszFile, Cut(*pFile));
    Store().LoadWeaponData(nCategory++);
  }
  for (const CByteBuilder* pFile : {&monsters, &regions, &levels}) {
    m_dir.WriteBytes("Monster.dat", Cut(*pFile));
    Store().LoadMonsterData();
  }
  std::vector<eDATA_FILE_ERROR> arrKind;
  for (const DataFileError_t& error : Store().GetLoadErrors()) arrKind.push_back(error.eKind);
  EXPECT_EQ(arrKind, std::vector<eDATA_FILE_ERROR>(6, DATA_FILE_TRUNCATED));
}

// The data's fingerprint, worked out apart: the CRC-32 of, for each file from
// the monsters' to the hunting horns', 1 and the file's CRC-32 (little-endian)
// when it loaded, else 0.
TEST_F(DataFileTest, FingerprintSummarisesTheLoadedFiles) {
  EXPECT_EQ(Store().GetDataFingerprint(), 0xe60914aeU);
  m_dir.WriteBytes("Monster.dat", std::vector<uint8_t>(8, 0));
  m_dir.WriteBytes(
      "Katana.dat",
      CByteBuilder().U32(0).U32(0).U32(1).Raw("\n").I32(1).I32(2).I32(3).I32(4).Bytes());
  ASSERT_TRUE(Store().LoadMonsterData());
  ASSERT_TRUE(Store().LoadWeaponData(CATEGORY_KATANA));
  EXPECT_EQ(Store().GetDataFingerprint(), 0xe9f4ff2dU);
}

// What the tool prints for a damaged or unreadable file: one English line.
TEST(DataFileErrorText, EachKindInOneEnglishLine) {
  const std::pair<DataFileError_t, const char*> arrRow[] = {
      {{"a.dat", DATA_FILE_TRUNCATED, 17, "weapon 2"},
       "a.dat: the file ends early at byte 17, in weapon 2"},
      {{"a.dat", DATA_FILE_TRUNCATED, 3, ""}, "a.dat: the file ends early at byte 3"},
      {{"a.dat", DATA_FILE_COUNT_TOO_LARGE, 4, "the level count 9"},
       "a.dat: at byte 4, the level count 9 promises more records than the file holds"},
      {{"a.dat", DATA_FILE_COUNT_TOO_LARGE, 0, ""},
       "a.dat: at byte 0, a count promises more records than the file holds"},
      {{"a.dat", DATA_FILE_UNREADABLE, 0, "Input/output error"},
       "a.dat: the file cannot be read: Input/output error"},
      {{"a.dat", DATA_FILE_UNREADABLE, 0, ""}, "a.dat: the file cannot be read"},
      {{"a.dat", DATA_FILE_NO_MEMORY, 5, ""}, "a.dat: not enough memory for its 5 bytes"}};
  for (const auto& [error, pszText] : arrRow) EXPECT_EQ(DescribeInEnglish(error), pszText);
}

}  // namespace
