// velkar-tool convert: the lines it prints, the files it writes and its exit
// code, including a data file that cannot be written part way through.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/CategoryTable.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// Katana.dat is a folder and most weapon sources are absent, as for a modder
// who keeps only the sources they edit: every category whose source can be
// read is converted all the same, each other one is named and keeps its data
// file, and the monsters are converted too.
TEST(ConvertCommandTest, ConvertsEverySourceItCanAndNamesEveryOneItCannot) {
  CTestDataDir dir;
  dir.WriteText("Sword.ini",
                u8"[Action]\r\n1=縦斬り, 18\r\n2=盾殴り, B40, 10\r\n[HitPattern]\r\n"
                u8"1=通常, 100, 100\r\n[Weapon]\r\n1=鉄の剣, 168, 0, 0, 2, 0\r\n"
                u8"2=欠けた剣, 100, 0, 0, 3\r\n3=折れた剣 100 0 0 3 0\r\n");
  dir.WriteText("Lance.ini", u8"[Weapon]\r\n1=鉄槍, 200, 0, 0, 2, 0\r\n");
  dir.WriteText("Monster.ini",
                u8"[Monster]\r\n0=岩甲獣\r\n1=名無し\r\n[岩甲獣]\r\nAnger=1,2,3\r\n"
                u8"0=頭,55,60,45,10,25,15,10,5\r\n1=尻尾\r\n[Level]\r\n1=下位,100\r\n");
  dir.WriteBytes("GunLance.dat", std::string_view("old"));
  std::filesystem::create_directory(dir.PathOf("Katana.dat"));

  const ToolResult_t result = RunToolIn(dir.Path(), "convert");

  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut,
            "Sword.ini -> Sword.dat: 2 motions, 1 hit pattern, 1 weapon\n"
            "Sword.ini: [Weapon] 2 skipped: needs five integers after the name\n"
            "Sword.ini: [Weapon] 3 skipped: no comma after the name\n"
            "Lance.ini -> Lance.dat: 0 motions, 0 hit patterns, 1 weapon\n"
            "Monster.ini -> Monster.dat: 1 monster, 1 region, 1 level\n"
            "Monster.ini: [岩甲獣] 1 skipped: no comma after the name\n"
            "Monster.ini: [名無し] Anger skipped: no Anger entry, the monster is left out\n");
  std::string strErr;
  for (const CategoryInfo_t& category : kCategoryTable) {
    const std::string strStem(category.strStem);
    if (strStem == "Sword" || strStem == "Lance") continue;
    const std::string strData = dir.PathOf(strStem) + ".dat";
    strErr +=
        "velkar-tool: " +
        (strStem == std::string_view("Katana")
             ? strData + ": the file could not be written, the previous one is kept: " + strData +
                   " is a folder, not a file"
             : dir.PathOf(strStem) + ".ini: no such file; " + strStem + ".dat is left as it was") +
        "\n";
  }
  EXPECT_EQ(result.strErr, strErr);
  EXPECT_EQ(dir.ReadBytes("GunLance.dat"), std::vector<uint8_t>({'o', 'l', 'd'}));
  EXPECT_TRUE(dir.Exists("Lance.dat"));
  EXPECT_FALSE(dir.Exists("HuntingHorn.dat"));
}

}  // namespace
