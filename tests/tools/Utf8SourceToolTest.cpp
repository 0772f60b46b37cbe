// velkar-tool convert on sources saved as UTF-8 with a byte-order mark: the
// first section is kept, names reach the data file in Shift-JIS, and an entry
// that Shift-JIS cannot hold is reported like any other skipped entry.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
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

TEST(Utf8SourceToolTest, ConvertReportsUnencodableEntriesAndKeepsTheRest) {
  CTestDataDir dir;
  dir.WriteBytes(
      "Sword.ini",
      std::string(kMark) + Utf8(u8"[Weapon]\r\n1=剣😀,100,0,0,3,0\r\n2=鉄の剣,168,0,0,2,0\r\n"));
  dir.WriteBytes("Monster.ini",
                 std::string(kMark) + Utf8(u8"[Monster]\n0=岩甲獣\n[岩甲獣]\nAnger=1,2,3\n"
                                           u8"0=頭,1,2,3,4,5,6,7,8\n1=尾€,1,2,3,4,5,6,7,8\n"));

  const ToolResult_t convert = ConvertWithEmptySources(dir.Path(), {"convert"});
  EXPECT_EQ(convert.nExit, 0) << convert.strErr;
  const Lines arrLine = SplitLines(convert.strOut);
  ASSERT_EQ(arrLine.size(), 11u);
  EXPECT_EQ(arrLine[0], "Sword.ini -> Sword.dat: 0 motions, 0 hit patterns, 1 weapon");
  EXPECT_EQ(arrLine[1],
            "Sword.ini: [Weapon] 1 skipped: holds a character that Shift-JIS cannot encode");
  EXPECT_EQ(arrLine[9], "Monster.ini -> Monster.dat: 1 monster, 1 region, 0 levels");
  EXPECT_EQ(arrLine[10], Utf8(u8"Monster.ini: [岩甲獣] 1 skipped: holds a character that "
                              u8"Shift-JIS cannot encode"));

  const ToolResult_t list = RunToolIn(dir.Path(), {"list"});
  EXPECT_NE(list.strOut.find(Utf8(u8"鉄の剣")), std::string::npos) << list.strOut;
  EXPECT_NE(list.strOut.find(Utf8(u8"岩甲獣")), std::string::npos) << list.strOut;
}

}  // namespace
