// velkar-tool convert: the lines it prints, the files it writes and its exit
// code, including a data file that cannot be written part way through.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using Lines = std::vector<std::string>;

const char8_t kSwordSource[] =
    u8"[Action]\r\n"
    u8"1=縦斬り, 18\r\n"
    u8"2=盾殴り, B40, 10\r\n"
    u8"[HitPattern]\r\n"
    u8"1=通常, 100, 100\r\n"
    u8"[Weapon]\r\n"
    u8"1=鉄の剣, 168, 0, 0, 2, 0\r\n"
    u8"2=欠けた剣, 100, 0, 0, 3\r\n"
    u8"3=, 100, 0, 0, 3, 0\r\n"
    u8"4=折れた剣 100 0 0 3 0\r\n";

const char8_t kMonsterSource[] =
    u8"[Monster]\r\n"
    u8"0=岩甲獣グラドム\r\n"
    u8"1=名無しのモンスター\r\n"
    u8"[岩甲獣グラドム]\r\n"
    u8"Anger=100,90,110\r\n"
    u8"0=頭,55,60,45,10,25,15,10,5\r\n"
    u8"1=尻尾\r\n"
    u8"2=前脚,35,40,30,5,20,10,5\r\n"
    u8"[Level]\r\n"
    u8"1=下位,100\r\n";

// Lines for the seven categories with an empty source after Sword.
Lines EmptyWeaponLines() {
  Lines arrLine;
  for (const char* pszStem :
       {"DualSword", "GreatSword", "Katana", "Lance", "GunLance", "Hummer", "HuntingHorn"}) {
    arrLine.push_back(std::string(pszStem) + ".ini -> " + pszStem +
                      ".dat: 0 motions, 0 hit patterns, 0 weapons");
  }
  return arrLine;
}

TEST(ConvertCommandTest, PrintsCountsAndEverySkippedEntry) {
  CTestDataDir dir;
  dir.WriteText("Sword.ini", kSwordSource);
  dir.WriteText("Monster.ini", kMonsterSource);

  const ToolResult_t result = ConvertWithEmptySources(dir.Path(), {"convert"});

  EXPECT_EQ(result.nExit, 0);
  EXPECT_EQ(result.strErr, "");
  Lines arrExpected{
      "Sword.ini -> Sword.dat: 2 motions, 1 hit pattern, 1 weapon",
      "Sword.ini: [Weapon] 2 skipped: needs five integers after the name",
      "Sword.ini: [Weapon] 3 skipped: empty name",
      "Sword.ini: [Weapon] 4 skipped: no comma after the name",
  };
  for (const std::string& strLine : EmptyWeaponLines()) arrExpected.push_back(strLine);
  arrExpected.push_back("Monster.ini -> Monster.dat: 1 monster, 1 region, 1 level");
  arrExpected.push_back("Monster.ini: [岩甲獣グラドム] 1 skipped: no comma after the name");
  arrExpected.push_back(
      "Monster.ini: [岩甲獣グラドム] 2 skipped: needs eight integers after the name");
  arrExpected.push_back(
      "Monster.ini: [名無しのモンスター] Anger skipped: no Anger entry, the monster is left out");
  EXPECT_EQ(SplitLines(result.strOut), arrExpected);
  for (const char* pszData : {"Sword.dat", "Katana.dat", "HuntingHorn.dat", "Monster.dat"}) {
    EXPECT_TRUE(dir.Exists(pszData)) << pszData;
  }
}

TEST(ConvertCommandTest, WritesTheDataFileOfTheConverter) {
  // The 42-byte example of the weapon data file: one motion "a" (rates 100,
  // one value 10), no hit pattern, one weapon "b" (attack 100, sharpness 3).
  CTestDataDir dir;
  dir.WriteText("Sword.ini", u8"[Action]\r\n1=a,10\r\n[Weapon]\r\n1=b,100,0,0,3,0\r\n");

  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), {"convert", "weapons"}).nExit, 0);

  const std::vector<uint8_t> arrExpected{
      0x01, 0x00, 0x00, 0x00, 0x61, 0x0D, 0x0A, 0x64, 0x64, 0x01, 0x00, 0x00, 0x00, 0x0A,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x62, 0x0D, 0x0A, 0x64, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
  EXPECT_EQ(dir.ReadBytes("Sword.dat"), arrExpected);
  EXPECT_EQ(dir.ReadBytes("Lance.dat"), std::vector<uint8_t>(12, 0));
  EXPECT_FALSE(dir.Exists("Monster.dat"));
}

TEST(ConvertCommandTest, SjisWritesTheSectionNamesRaw) {
  CTestDataDir dir;
  dir.WriteText("Monster.ini", kMonsterSource);

  const ToolResult_t result = RunToolIn(dir.Path(), {"--sjis", "convert", "monsters"});

  EXPECT_EQ(result.nExit, 0);
  const std::string strSkipped =
      "Monster.ini: [" + velkar::ToSjis(u8"名無しのモンスター") + "] Anger skipped";
  EXPECT_NE(result.strOut.find(strSkipped), std::string::npos) << result.strOut;
}

// A folder where Katana.dat is a directory: the weapon conversion stops
// there, the categories after it keep their old files.
struct FailingRow_t {
  const char* szName;
  std::vector<std::string> arrArg;
  Lines arrOut;
  bool bKatanaError;
  bool bMonsterWritten;
};

class ConvertFailureTest : public ::testing::TestWithParam<FailingRow_t> {};

TEST_P(ConvertFailureTest, StopsAtTheFirstFileThatCannotBeWritten) {
  const FailingRow_t& row = GetParam();
  CTestDataDir dir;
  for (const char* pszStem : {"Sword", "DualSword", "GreatSword", "Katana", "Lance", "GunLance",
                              "Hummer", "HuntingHorn"}) {
    dir.WriteText(std::string(pszStem) + ".ini", u8"[Weapon]\r\n1=w,100,0,0,3,0\r\n");
  }
  dir.WriteText("Monster.ini", u8"[Monster]\r\n0=m\r\n[m]\r\nAnger=1,2,3\r\n");
  dir.WriteBytes("Lance.dat", std::string_view("old"));
  std::filesystem::create_directory(dir.PathOf("Katana.dat"));

  std::vector<std::string> arrArg{"--dir", dir.Path()};
  arrArg.insert(arrArg.end(), row.arrArg.begin(), row.arrArg.end());
  const ToolResult_t result = RunTool(arrArg);

  EXPECT_EQ(result.nExit, row.bKatanaError ? 1 : 0);
  EXPECT_EQ(SplitLines(result.strOut), row.arrOut);
  if (row.bKatanaError) {
    const Lines arrErr = SplitLines(result.strErr);
    ASSERT_EQ(arrErr.size(), 1u) << result.strErr;
    EXPECT_EQ(arrErr[0].rfind("velkar-tool: " + dir.PathOf("Katana.dat") +
                                  ": the file could not be written, the previous one is kept: ",
                              0),
              0u)
        << arrErr[0];
  } else {
    EXPECT_EQ(result.strErr, "");
  }
  EXPECT_EQ(dir.Exists("Sword.dat"), row.bKatanaError);
  EXPECT_EQ(dir.ReadBytes("Lance.dat"), std::vector<uint8_t>({'o', 'l', 'd'}));
  EXPECT_FALSE(dir.Exists("GunLance.dat"));
  EXPECT_FALSE(dir.Exists("HuntingHorn.dat"));
  EXPECT_EQ(dir.Exists("Monster.dat"), row.bMonsterWritten);
}

const char kWeaponLine[] = ".dat: 0 motions, 0 hit patterns, 1 weapon";

INSTANTIATE_TEST_SUITE_P(
    Convert, ConvertFailureTest,
    ::testing::Values(FailingRow_t{"AllConvertsTheMonstersAnyway",
                                   {"convert", "all"},
                                   {std::string("Sword.ini -> Sword") + kWeaponLine,
                                    std::string("DualSword.ini -> DualSword") + kWeaponLine,
                                    std::string("GreatSword.ini -> GreatSword") + kWeaponLine,
                                    "Monster.ini -> Monster.dat: 1 monster, 0 regions, 0 levels"},
                                   true,
                                   true},
                      FailingRow_t{"WeaponsOnly",
                                   {"convert", "weapons"},
                                   {std::string("Sword.ini -> Sword") + kWeaponLine,
                                    std::string("DualSword.ini -> DualSword") + kWeaponLine,
                                    std::string("GreatSword.ini -> GreatSword") + kWeaponLine},
                                   true,
                                   false},
                      FailingRow_t{"MonstersOnlyNeverTouchesWeapons",
                                   {"convert", "monsters"},
                                   {"Monster.ini -> Monster.dat: 1 monster, 0 regions, 0 levels"},
                                   false,
                                   true}),
    RowName<FailingRow_t>);

}  // namespace
