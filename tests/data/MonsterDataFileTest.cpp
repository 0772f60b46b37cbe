// The monster data file: the byte layout both ways, the loader's handling of
// damaged and hostile files, and the converter's source rules, Shift-JIS
// monster names used as section names included.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "data/ByteBuilder.h"
#include "data/MonsterDataFile.h"
#include "support/TestDataDir.h"

namespace {

// One monster "m" (anger 1, 2, 3) with one region "r" (45, 45, 45; 10, 20,
// 30, 40, 50), then one level "L" with rate 100.
const std::vector<uint8_t> kExample66 = {
    0x01, 0x00, 0x00, 0x00, 0x6D, 0x0D, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00,
    0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x72, 0x0D, 0x0A, 0x2D, 0x00,
    0x00, 0x00, 0x2D, 0x00, 0x00, 0x00, 0x2D, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00,
    0x14, 0x00, 0x00, 0x00, 0x1E, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00, 0x32, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x4C, 0x0D, 0x0A, 0x64};

class MonsterDataFileTest : public ::testing::Test {
protected:
  CDataManager& Store() { return m_store.Store(); }

  // Converts a UTF-8 source and loads the result into the emptied store.
  void ConvertAndLoad(std::u8string_view source) {
    m_dir.WriteText("Monster.ini", source);
    ASSERT_TRUE(Store().ConvertMonsterIni());
    ASSERT_TRUE(Store().LoadMonsterData());
  }

  std::vector<std::string> MonsterNames() {
    std::vector<std::string> arrName;
    for (const auto& pMonster : Store().GetMonsterList()) arrName.push_back(pMonster->GetName());
    return arrName;
  }
  std::vector<std::string> RegionNames(size_t nMonster) {
    std::vector<std::string> arrName;
    for (const auto& region : Store().GetMonsterList().at(nMonster)->GetRegions()) {
      arrName.push_back(region.strName);
    }
    return arrName;
  }
  std::vector<std::string> LevelNames() {
    std::vector<std::string> arrName;
    for (const auto& pLevel : Store().GetLevelList()) arrName.push_back(pLevel->GetName());
    return arrName;
  }

  CTestDataDir m_dir;
  CTestDataStore m_store{m_dir};
};

using Strings = std::vector<std::string>;

// ---- the worked example, both ways ------------------------------------------

TEST_F(MonsterDataFileTest, ExampleConvertsToThe66Bytes) {
  m_dir.WriteText("Monster.ini",
                  u8"[Monster]\r\n0=m\r\n"
                  u8"[m]\r\nAnger=1,2,3\r\n0=r,45,45,45,10,20,30,40,50\r\n"
                  u8"[Level]\r\n1=L,100\r\n");
  ASSERT_TRUE(Store().ConvertMonsterIni());
  EXPECT_EQ(m_dir.ReadBytes("Monster.dat"), kExample66);
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_EQ(report.nCount[0], 1u);  // monsters
  EXPECT_EQ(report.nCount[1], 1u);  // regions
  EXPECT_EQ(report.nCount[2], 1u);  // levels
  EXPECT_TRUE(report.arrSkipped.empty());
}

TEST_F(MonsterDataFileTest, The66BytesLoadIntoOneMonsterAndOneLevel) {
  m_dir.WriteBytes("Monster.dat", kExample66);
  ASSERT_TRUE(Store().LoadMonsterData());
  ASSERT_EQ(Store().GetMonsterList().size(), 1u);
  const CMonster& monster = *Store().GetMonsterList().front();
  EXPECT_EQ(monster.GetName(), "m");
  EXPECT_EQ(monster.GetAnger1(), 1);
  EXPECT_EQ(monster.GetAnger(), 2);
  EXPECT_EQ(monster.GetAnger3(), 3);
  ASSERT_EQ(monster.GetRegionCount(), 1);
  const CMonster::Regio_t& region = monster.GetRegions().front();
  EXPECT_EQ(region.strName, "r");
  EXPECT_EQ(region.byPhys, (std::array<uint8_t, 3>{45, 45, 45}));
  EXPECT_EQ(region.byElement, (std::array<uint8_t, 9>{0, 10, 20, 30, 40, 50, 0, 0, 0}));
  ASSERT_EQ(Store().GetLevelList().size(), 1u);
  EXPECT_EQ(Store().GetLevelList().front()->GetName(), "L");
  EXPECT_EQ(Store().GetLevelList().front()->GetRate(), 100);
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

TEST(MonsterDataFileCodecTest, DecodeThenEncodeGivesTheSameBytes) {
  MonsterFileContents_t contents;
  ASSERT_FALSE(CMonsterDataFile::Decode(kExample66, contents).has_value());
  EXPECT_EQ(CMonsterDataFile::Encode(contents), kExample66);
}

// ---- empty sources and files ----------------------------------------------

// A source without any entry (emptied on purpose) empties the data file.
TEST_F(MonsterDataFileTest, SourceWithoutEntriesGivesEightZeroBytesThatLoad) {
  m_dir.WriteBytes("Monster.ini", std::string_view("\xEF\xBB\xBF; every monster removed\r\n"));
  ASSERT_TRUE(Store().ConvertMonsterIni());
  EXPECT_EQ(m_dir.ReadBytes("Monster.dat"), std::vector<uint8_t>(8, 0));
  EXPECT_TRUE(Store().LoadMonsterData());
  EXPECT_TRUE(Store().GetMonsterList().empty());
  EXPECT_TRUE(Store().GetLevelList().empty());
}

TEST_F(MonsterDataFileTest, MissingDataFileIsFalseWithoutAnError) {
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_TRUE(Store().GetMonsterList().empty());
  EXPECT_TRUE(Store().GetLoadErrors().empty());
}

// ---- source rules -----------------------------------------------------------

struct SourceRow_t {
  const char* pszRow;
  std::u8string_view source;
  Strings arrMonster;
  Strings arrLevel;
};

class MonsterSourceTest : public MonsterDataFileTest,
                          public ::testing::WithParamInterface<SourceRow_t> {};

TEST_P(MonsterSourceTest, KeepsTheListedMonstersAndLevels) {
  ConvertAndLoad(GetParam().source);
  EXPECT_EQ(MonsterNames(), GetParam().arrMonster);
  EXPECT_EQ(LevelNames(), GetParam().arrLevel);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MonsterSourceTest,
    ::testing::Values(
        SourceRow_t{"MonsterListFromEntryOne", u8"[Monster]\n1=a\n[a]\nAnger=1,2,3\n", {}, {}},
        SourceRow_t{"LevelListFromEntryZero",
                    u8"[Level]\n0=zero,1\n1=one,2\n2=two,3\n",
                    {},
                    {"one", "two"}},
        SourceRow_t{
            "GapEndsTheMonsterList",
            u8"[Monster]\n0=a\n1=b\n3=d\n[a]\nAnger=1,2,3\n[b]\nAnger=1,2,3\n[d]\nAnger=1,2,3\n",
            {"a", "b"},
            {}},
        SourceRow_t{"NoAngerLeavesTheMonsterOut",
                    u8"[Monster]\n0=a\n1=b\n[a]\n0=r,1,2,3,4,5,6,7,8\n[b]\nAnger=1,2,3\n",
                    {"b"},
                    {}},
        SourceRow_t{"ShortAngerLeavesTheMonsterOut",
                    u8"[Monster]\n0=a\n1=b\n[a]\nAnger=1,2\n[b]\nAnger=1,2,3\n",
                    {"b"},
                    {}},
        SourceRow_t{"SameNameTwice", u8"[Monster]\n0=a\n1=a\n[a]\nAnger=1,2,3\n", {"a", "a"}, {}},
        SourceRow_t{"BadLevelsSkipped", u8"[Level]\n1=nocomma\n2=,5\n3=ok,5\n", {}, {"ok"}}),
    [](const ::testing::TestParamInfo<SourceRow_t>& rowInfo) {
      return std::string(rowInfo.param.pszRow);
    });

TEST_F(MonsterDataFileTest, MonsterWithoutRegionsStays) {
  ConvertAndLoad(u8"[Monster]\r\n0=bare\r\n[bare]\r\nAnger=100,90,80\r\n");
  ASSERT_EQ(MonsterNames(), Strings{"bare"});
  EXPECT_EQ(Store().GetMonsterList().front()->GetRegionCount(), 0);
  EXPECT_EQ(m_dir.ReadBytes("Monster.dat"),
            CByteBuilder().U32(1).Line("bare").I32(100).I32(90).I32(80).U32(0).U32(0).Bytes());
}

TEST_F(MonsterDataFileTest, BadRegionsAreSkippedAndLaterOnesRead) {
  ConvertAndLoad(
      u8"[Monster]\r\n0=a\r\n[a]\r\nAnger=1,2,3\r\n"
      u8"0=seven,1,2,3,4,5,6,7\r\n1=nine,1,2,3,4,5,6,7,8,9\r\n2=nocomma\r\n"
      u8"3=,1,2,3,4,5,6,7,8\r\n4=last,0,0,0,0,0,0,0,0\r\n");
  EXPECT_EQ(RegionNames(0), (Strings{"nine", "last"}));
  const ConvertReport_t& report = Store().GetLastConvertReport();
  EXPECT_EQ(report.nCount[1], 2u);
  ASSERT_EQ(report.arrSkipped.size(), 3u);
  EXPECT_EQ(report.arrSkipped[0].strSection, "a");
  EXPECT_EQ(report.arrSkipped[0].strKey, "0");
  EXPECT_EQ(report.arrSkipped[0].strReason, "needs eight integers after the name");
  EXPECT_EQ(report.arrSkipped[1].strReason, "no comma after the name");
  EXPECT_EQ(report.arrSkipped[2].strReason, "empty name");
}

TEST_F(MonsterDataFileTest, LeftOutMonsterIsReportedUnderAnger) {
  ConvertAndLoad(u8"[Monster]\r\n0=a\r\n[a]\r\n0=r,1,2,3,4,5,6,7,8\r\n");
  const ConvertReport_t& report = Store().GetLastConvertReport();
  ASSERT_EQ(report.arrSkipped.size(), 1u);
  EXPECT_EQ(report.arrSkipped[0].strSection, "a");
  EXPECT_EQ(report.arrSkipped[0].strKey, "Anger");
  EXPECT_EQ(report.arrSkipped[0].strReason, "no Anger entry, the monster is left out");
}

TEST_F(MonsterDataFileTest, InnerBlanksOfAMonsterNameStay) {
  ConvertAndLoad(
      u8"[Monster]\r\n0=Big  Wing\r\n"
      u8"[Big  Wing]\r\nAnger = 1 , 2 , 3\r\n0=Left Wing,1,2,3,4,5,6,7,8\r\n");
  EXPECT_EQ(MonsterNames(), Strings{"Big  Wing"});
  EXPECT_EQ(RegionNames(0), Strings{"LeftWing"});
}

TEST_F(MonsterDataFileTest, HitzoneAbove255IsWrittenWholeAndHeldAsLowBits) {
  ConvertAndLoad(u8"[Monster]\r\n0=a\r\n[a]\r\nAnger=300,2,3\r\n0=r,300,1,2,3,4,5,6,-1\r\n");
  const std::vector<uint8_t> arrFile = m_dir.ReadBytes("Monster.dat");
  CByteBuilder expected;
  expected.U32(1).Line("a").I32(300).I32(2).I32(3).U32(1);
  expected.Line("r").I32(300).I32(1).I32(2).I32(3).I32(4).I32(5).I32(6).I32(-1);
  expected.U32(0);
  EXPECT_EQ(arrFile, expected.Bytes());
  const CMonster& monster = *Store().GetMonsterList().front();
  EXPECT_EQ(monster.GetAnger1(), 44);
  EXPECT_EQ(monster.GetRegions().front().byPhys[0], 44);
  EXPECT_EQ(monster.GetRegions().front().byElement[5], 255);
}

// ---- Shift-JIS monster names as section names ------------------------------------

struct SjisNameRow_t {
  const char* pszRow;
  std::u8string_view name;
  uint8_t byTrail;  // a trail byte the name must contain
};

class SjisMonsterNameTest : public MonsterDataFileTest,
                            public ::testing::WithParamInterface<SjisNameRow_t> {};

TEST_P(SjisMonsterNameTest, NameFindsItsOwnSection) {
  const std::string strName = velkar::ToSjis(GetParam().name);
  ASSERT_NE(strName.find(static_cast<char>(GetParam().byTrail)), std::string::npos);
  std::u8string source = u8"[Monster]\r\n0=";
  source += GetParam().name;
  source += u8"\r\n[";
  source += GetParam().name;
  source += u8"]\r\nAnger=110,95,80\r\n";
  source += u8"0=頭部,70,65,10,25,5,10,20,0\r\n";
  source += u8"1=尻尾ー,30,25,10,5,15,20,30,10\r\n";
  ConvertAndLoad(source);
  ASSERT_EQ(MonsterNames(), Strings{strName});
  EXPECT_EQ(Store().GetMonsterList().front()->GetAnger(), 95);
  EXPECT_EQ(RegionNames(0), (Strings{velkar::ToSjis(u8"頭部"), velkar::ToSjis(u8"尻尾ー")}));
}

INSTANTIATE_TEST_SUITE_P(TrailBytes, SjisMonsterNameTest,
                         ::testing::Values(SjisNameRow_t{"OpenBracket5B", u8"ゼルガ", 0x5B},
                                           SjisNameRow_t{"Backslash5C", u8"ソルバ表", 0x5C},
                                           SjisNameRow_t{"CloseBracket5D", u8"ゾルダ", 0x5D},
                                           SjisNameRow_t{"LongVowelMark", u8"ガルーダン", 0x5B},
                                           SjisNameRow_t{"AllThreeAtTheEnd", u8"ゾソゼ", 0x5D},
                                           SjisNameRow_t{"LetterTrailByte", u8"アギト", 0x41}),
                         [](const ::testing::TestParamInfo<SjisNameRow_t>& rowInfo) {
                           return std::string(rowInfo.param.pszRow);
                         });

TEST_F(MonsterDataFileTest, TrailBytesThatAreLettersAreNotCaseFolded) {
  // ア is 83 41 ('A'), ヂ is 83 61 ('a'): folding the trail byte would merge
  // the two sections.
  ConvertAndLoad(
      u8"[Monster]\r\n0=アギト\r\n1=ヂギト\r\n"
      u8"[アギト]\r\nAnger=1,1,1\r\n[ヂギト]\r\nAnger=2,2,2\r\n");
  ASSERT_EQ(Store().GetMonsterList().size(), 2u);
  EXPECT_EQ(Store().GetMonsterList()[0]->GetAnger(), 1);
  EXPECT_EQ(Store().GetMonsterList()[1]->GetAnger(), 2);
}

// ---- damaged and hostile files ------------------------------------------------

TEST_F(MonsterDataFileTest, TwentyBytesClaimingFourBillionMonstersFailAtOnce) {
  m_dir.WriteBytes("Monster.dat", CByteBuilder().U32(0xFFFFFFFFu).Raw("0123456789abcdef").Bytes());
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_TRUE(Store().GetMonsterList().empty());
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  EXPECT_EQ(Store().GetLoadErrors().front().eKind, DATA_FILE_COUNT_TOO_LARGE);
  EXPECT_EQ(Store().GetLoadErrors().front().strPath, m_dir.PathOf("Monster.dat"));
}

// Ten monsters promised, five complete before the file ends: the five stay.
TEST_F(MonsterDataFileTest, CountBeyondTheFileKeepsTheMonstersRead) {
  CByteBuilder file;
  file.U32(10);
  for (int n = 0; n < 5; ++n) file.Line("m" + std::to_string(n)).I32(1).I32(2).I32(3).U32(0);
  m_dir.WriteBytes("Monster.dat", file.Bytes());
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_EQ(MonsterNames(), (Strings{"m0", "m1", "m2", "m3", "m4"}));
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  const DataFileError_t& error = Store().GetLoadErrors().front();
  EXPECT_EQ(error.eKind, DATA_FILE_COUNT_TOO_LARGE);
  EXPECT_EQ(error.nOffset, 0u);
  EXPECT_EQ(error.strDetail, "the monster count 10");
}

TEST_F(MonsterDataFileTest, HugeRegionCountFailsAtOnce) {
  CByteBuilder file;
  file.U32(2).Line("ok").I32(1).I32(2).I32(3).U32(0);
  file.Line("bad").I32(1).I32(2).I32(3).U32(0xFFFFFFFFu).Raw("padding padding ");
  m_dir.WriteBytes("Monster.dat", file.Bytes());
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_EQ(MonsterNames(), Strings{"ok"});
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  const DataFileError_t& error = Store().GetLoadErrors().front();
  EXPECT_EQ(error.eKind, DATA_FILE_COUNT_TOO_LARGE);
  EXPECT_EQ(error.nOffset, 4u + 20u + 17u);
  EXPECT_EQ(error.strDetail, "the region count 4294967295 of monster 2");
}

TEST_F(MonsterDataFileTest, MonsterCutInsideItsRegionsIsNotAdded) {
  CByteBuilder file;
  file.U32(2).Line("a").I32(1).I32(2).I32(3).U32(0);
  file.Line("b").I32(1).I32(2).I32(3).U32(2);
  file.Line("r1").I32(1).I32(2).I32(3).I32(4).I32(5).I32(6).I32(7).I32(8);
  file.Line("r2").I32(1).I32(2).I32(3).I32(4).I32(5).I32(6).I32(7).I32(8);
  file.U32(0);
  const std::vector<uint8_t>& arrFull = file.Bytes();
  m_dir.WriteBytes("Monster.dat", std::span(arrFull.data(), arrFull.size() - 10));
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_EQ(MonsterNames(), Strings{"a"});
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  EXPECT_EQ(Store().GetLoadErrors().front().eKind, DATA_FILE_TRUNCATED);
  EXPECT_EQ(Store().GetLoadErrors().front().strDetail, "region 2 of monster 2");
}

TEST_F(MonsterDataFileTest, CarriageReturnAsTheLastByteIsTruncation) {
  m_dir.WriteBytes("Monster.dat", CByteBuilder().U32(0).U32(1).Raw("L\r").Bytes());
  EXPECT_FALSE(Store().LoadMonsterData());
  EXPECT_TRUE(Store().GetLevelList().empty());
  ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
  EXPECT_EQ(Store().GetLoadErrors().front().nOffset, 8u);
  EXPECT_EQ(Store().GetLoadErrors().front().strDetail, "level 1");
}

// Every cut of a file with monsters and levels: no crash, an error naming the
// file, and the monsters and levels kept are a prefix of the whole lists.
TEST_F(MonsterDataFileTest, EveryTruncationFailsAndKeepsOnlyCompletedRecords) {
  ConvertAndLoad(
      u8"[Monster]\r\n0=ゼルガ\r\n1=ガルーダン\r\n2=ゾソゼ\r\n"
      u8"[ゼルガ]\r\nAnger=110,95,80\r\n0=頭,70,65,10,25,5,10,20,0\r\n1=脚,30,25,10,5,15,20,30,"
      u8"10\r\n"
      u8"[ガルーダン]\r\nAnger=120,90,80\r\n0=翼,45,45,45,10,20,30,40,50\r\n"
      u8"[ゾソゼ]\r\nAnger=100,100,100\r\n"
      u8"[Level]\r\n1=下位,100\r\n2=上位,80\r\n3=G級,60\r\n");
  const std::vector<uint8_t> arrFull = m_dir.ReadBytes("Monster.dat");
  const Strings arrAllMonsters = MonsterNames();
  const Strings arrAllLevels = LevelNames();
  ASSERT_EQ(arrAllMonsters.size(), 3u);
  ASSERT_EQ(arrAllLevels.size(), 3u);

  for (size_t nLength = 0; nLength < arrFull.size(); ++nLength) {
    SCOPED_TRACE("length " + std::to_string(nLength));
    Store().Clear();
    m_dir.WriteBytes("Monster.dat", std::span(arrFull.data(), nLength));
    EXPECT_FALSE(Store().LoadMonsterData());
    ASSERT_EQ(Store().GetLoadErrors().size(), 1u);
    EXPECT_EQ(Store().GetLoadErrors().front().strPath, m_dir.PathOf("Monster.dat"));
    EXPECT_LE(Store().GetLoadErrors().front().nOffset, nLength);
    const Strings arrMonster = MonsterNames();
    const Strings arrLevel = LevelNames();
    ASSERT_LE(arrMonster.size(), arrAllMonsters.size());
    EXPECT_TRUE(std::equal(arrMonster.begin(), arrMonster.end(), arrAllMonsters.begin()));
    ASSERT_LT(arrLevel.size(), arrAllLevels.size());
    EXPECT_TRUE(std::equal(arrLevel.begin(), arrLevel.end(), arrAllLevels.begin()));
    if (!arrLevel.empty()) {
      EXPECT_EQ(arrMonster, arrAllMonsters);
    }
    for (size_t i = 0; i < arrMonster.size(); ++i) {
      EXPECT_EQ(Store().GetMonsterList()[i]->GetRegionCount(), i == 0 ? 2 : (i == 1 ? 1 : 0));
    }
  }
  EXPECT_EQ(LevelNames(), (Strings{arrAllLevels[0], arrAllLevels[1]}));
}

}  // namespace
