// velkar-tool lint: its lines, its exit codes, and that it never writes. The
// bundled sample data, as the build puts it beside the programs, must give no
// finding at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Cp932.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::string_view kMark = "\xEF\xBB\xBF";

std::string Utf8(std::u8string_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

// Every file of a folder with its bytes, to see that nothing was written.
std::vector<std::pair<std::string, std::vector<uint8_t>>> Snapshot(const CTestDataDir& dir) {
  std::vector<std::pair<std::string, std::vector<uint8_t>>> arrFile;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    const std::string strName = entry.path().filename().string();
    arrFile.emplace_back(strName, dir.ReadBytes(strName));
  }
  std::sort(arrFile.begin(), arrFile.end());
  return arrFile;
}

TEST(LintCommandTest, SampleDataIsClean) {
  const ToolResult_t result = RunToolIn(VELKAR_SAMPLE_DATA_DIR, {"lint"});
  EXPECT_EQ(result.nExit, 0) << result.strOut;
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "");
}

TEST(LintCommandTest, SampleDataNamedFileByFileIsClean) {
  const ToolResult_t result =
      RunToolIn(VELKAR_SAMPLE_DATA_DIR, {"lint", "Monster.ini", "Sword.ini", "HuntingHorn.ini"});
  EXPECT_EQ(result.nExit, 0) << result.strOut;
  EXPECT_EQ(result.strOut, "");
}

TEST(LintCommandTest, ChecksEverySourceOfTheFolderWithoutWriting) {
  CTestDataDir dir;
  dir.WriteText("Sword.ini",
                u8"[Action]\r\n1=縦斬り,A300,18\r\n[Weapon]\r\n1=鉄の剣,168,0,0,2,0\r\n"
                u8"2=鉄の剣,70000,0,0,2,0\r\n4=折れた剣,100,0,0,3,0\r\n");
  dir.WriteText("Lance.ini", u8"[Weapon]\r\n1=突撃槍,200,0,0,3,0\r\n");
  dir.WriteBytes("Monster.ini",
                 std::string(kMark) + Utf8(u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\n"
                                           u8"Anger=100,90,110\n0=頭😀,1,2,3,4,5,6,7,8\n"));
  dir.WriteBytes("Sword.dat", std::string_view("an old data file"));
  const auto before = Snapshot(dir);

  const ToolResult_t result = RunToolIn(dir.Path(), {"lint"});

  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(SplitLines(result.strOut),
            (Lines{Utf8(u8"Sword.ini:2: [Action] 1: rate 300 is kept as 44 (only 0 to 255 can be "
                        u8"stored)"),
                   Utf8(u8"Sword.ini:5: [Weapon] 2: attack 70000 is kept as 4464 (only 0 to 65535 "
                        u8"can be stored)"),
                   Utf8(u8"Sword.ini:5: [Weapon] 2: the weapon name 鉄の剣 is used before by "
                        u8"[Weapon] 1 (line 4); the two cannot be told apart"),
                   Utf8(u8"Sword.ini:6: [Weapon] 3 is missing: entry 4 is never read"),
                   Utf8(u8"Monster.ini:3: [Monster] 1: the section [氷牙竜] is missing, so the "
                        u8"monster is left out"),
                   Utf8(u8"Monster.ini:6: [岩甲獣] 0: holds a character that Shift-JIS cannot "
                        u8"encode; the entry is skipped")}));
  EXPECT_EQ(Snapshot(dir), before);
}

TEST(LintCommandTest, CleanFileExitsWithZero) {
  CTestDataDir dir;
  dir.WriteText("Katana.ini", u8"[Weapon]\n1=太刀,150,0,0,4,0\n");
  const ToolResult_t result = RunToolIn(dir.Path(), {"lint"});
  EXPECT_EQ(result.nExit, 0);
  EXPECT_EQ(result.strOut, "");
}

TEST(LintCommandTest, ShiftJisOutputOnRequest) {
  CTestDataDir dir;
  dir.WriteText("Monster.ini", u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\nAnger=1,2,3\n");
  const ToolResult_t result = RunTool({"--dir", dir.Path(), "--sjis", "lint"});
  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut, velkar::ToSjis(u8"Monster.ini:3: [Monster] 1: the section [氷牙竜] is "
                                          u8"missing, so the monster is left out\n"));
}

TEST(LintCommandTest, OtherFileNamesAreCheckedByTheirSections) {
  CTestDataDir dir;
  dir.WriteText("draft.ini",
                u8"[Monster]\n0=岩甲獣\n1=氷牙竜\n[岩甲獣]\nAnger=1,2,3\n[Level]\n1=下位,100\n");
  const ToolResult_t result = RunToolIn(dir.Path(), {"lint", "draft.ini", dir.PathOf("draft.ini")});
  EXPECT_EQ(result.nExit, 1);
  const std::string strFinding = ": [Monster] 1: the section [" + Utf8(u8"氷牙竜") +
                                 "] is missing, so the monster is left out";
  EXPECT_EQ(SplitLines(result.strOut),
            (Lines{"draft.ini:3" + strFinding, dir.PathOf("draft.ini") + ":3" + strFinding}));
  EXPECT_EQ(SplitLines(result.strErr),
            (Lines{"velkar-tool: warning: draft.ini: the converters never read a file of this "
                   "name; checked as the monster source",
                   "velkar-tool: warning: " + dir.PathOf("draft.ini") +
                       ": the converters never read a file of this name; checked as the monster "
                       "source"}));
}

TEST(LintCommandTest, MissingFileIsAUsageError) {
  CTestDataDir dir;
  dir.WriteText("Sword.ini", u8"[Weapon]\n1=b,100,0,0,3,0\n2=b,100,0,0,3,0\n");
  const ToolResult_t result = RunToolIn(dir.Path(), {"lint", "Sword.ini", "Lance.ini"});
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strOut, "");  // not even the findings of Sword.ini
  EXPECT_EQ(result.strErr, "velkar-tool: " + dir.PathOf("Lance.ini") + ": no such file\n");
}

TEST(LintCommandTest, FolderWithoutSourcesIsAUsageError) {
  CTestDataDir dir;
  dir.WriteText("Sword.dat", u8"not a source");
  const ToolResult_t result = RunToolIn(dir.Path(), {"lint"});
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "velkar-tool: lint: no source file in " + dir.Path() + "\n");
}

}  // namespace
