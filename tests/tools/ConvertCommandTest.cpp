// velkar-tool convert: the lines it prints, the files it writes and its exit
// code, including a data file that cannot be written part way through.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// Katana.dat is a folder: the weapon conversion stops there, the categories
// after it keep their old files, and the monsters are converted anyway.
TEST(ConvertCommandTest, PrintsCountsAndSkippedEntriesAndStopsAtAFileItCannotWrite) {
  CTestDataDir dir;
  dir.WriteText("Sword.ini",
                u8"[Action]\r\n1=縦斬り, 18\r\n2=盾殴り, B40, 10\r\n[HitPattern]\r\n"
                u8"1=通常, 100, 100\r\n[Weapon]\r\n1=鉄の剣, 168, 0, 0, 2, 0\r\n"
                u8"2=欠けた剣, 100, 0, 0, 3\r\n3=折れた剣 100 0 0 3 0\r\n");
  dir.WriteText("Monster.ini",
                u8"[Monster]\r\n0=岩甲獣\r\n1=名無し\r\n[岩甲獣]\r\nAnger=1,2,3\r\n"
                u8"0=頭,55,60,45,10,25,15,10,5\r\n1=尻尾\r\n[Level]\r\n1=下位,100\r\n");
  dir.WriteBytes("Lance.dat", std::string_view("old"));
  std::filesystem::create_directory(dir.PathOf("Katana.dat"));

  const ToolResult_t result = ConvertWithEmptySources(dir.Path(), "convert");

  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut,
            "Sword.ini -> Sword.dat: 2 motions, 1 hit pattern, 1 weapon\n"
            "Sword.ini: [Weapon] 2 skipped: needs five integers after the name\n"
            "Sword.ini: [Weapon] 3 skipped: no comma after the name\n"
            "DualSword.ini -> DualSword.dat: 0 motions, 0 hit patterns, 0 weapons\n"
            "GreatSword.ini -> GreatSword.dat: 0 motions, 0 hit patterns, 0 weapons\n"
            "Monster.ini -> Monster.dat: 1 monster, 1 region, 1 level\n"
            "Monster.ini: [岩甲獣] 1 skipped: no comma after the name\n"
            "Monster.ini: [名無し] Anger skipped: no Anger entry, the monster is left out\n");
  EXPECT_EQ(result.strErr, "velkar-tool: " + dir.PathOf("Katana.dat") +
                               ": the file could not be written, the previous one is kept: " +
                               dir.PathOf("Katana.dat") + " is a folder, not a file\n");
  EXPECT_EQ(dir.ReadBytes("Lance.dat"), std::vector<uint8_t>({'o', 'l', 'd'}));
  EXPECT_FALSE(dir.Exists("HuntingHorn.dat"));
}

}  // namespace
