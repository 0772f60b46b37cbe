// velkar-tool lint: its lines and exit codes, and that it never writes. The
// bundled sample data gives no finding at all.
#include <gtest/gtest.h>

#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// Every source of the folder is checked, and only those: Error.ini is no
// source the converters read, checked only when named.
TEST(LintCommandTest, ChecksEverySourceOfTheFolderWithoutWriting) {
  CTestDataDir dir;
  dir.WriteText("Sword.ini",
                u8"[Action]\r\n1=縦斬り,A300,18\r\n[Weapon]\r\n1=鉄の剣,168,0,0,2,0\r\n"
                u8"2=鉄の剣,70000,0,0,2,0\r\n");
  dir.WriteText("Monster.ini", u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\nAnger=100,90,110\n");
  dir.WriteText("Error.ini", u8"[Monster]\n0=岩甲獣\n");

  const ToolResult_t result = RunToolIn(dir.Path(), "lint");

  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.strOut,
            "Sword.ini:2: [Action] 1: rate 300 is kept as 44 (only 0 to 255 can be stored)\n"
            "Sword.ini:5: [Weapon] 2: attack 70000 is kept as 4464 (only 0 to 65535 can be "
            "stored)\n"
            "Sword.ini:5: [Weapon] 2: the weapon name 鉄の剣 is used before by [Weapon] 1 (line "
            "4); the two cannot be told apart\n"
            "Monster.ini:3: [Monster] 1: the section [氷牙竜] is missing, so the monster is left "
            "out\n");
  EXPECT_FALSE(dir.Exists("Sword.dat"));
  const ToolResult_t named = RunToolIn(dir.Path(), "lint Error.ini");  // judged by its sections
  EXPECT_EQ(named.strErr,
            "velkar-tool: warning: Error.ini: the converters never read a file of this name; "
            "checked as the monster source\n");
  EXPECT_EQ(
      named.strOut.substr(named.strOut.find('\n') + 1),
      "Error.ini:2: [Monster] 0: the section [岩甲獣] is missing, so the monster is left out\n");
  const ToolResult_t sample = RunToolIn(VELKAR_SAMPLE_DATA_DIR, "lint");
  EXPECT_EQ(std::to_string(sample.nExit) + sample.strOut + sample.strErr, "0");
}

}  // namespace
