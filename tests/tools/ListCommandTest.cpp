// velkar-tool list on the sample data: every record of every kind, as text
// and as JSON.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/ToolRunner.h"

namespace {

TEST(ListCommandTest, TextAndJsonHoldTheFirstRecordOfEveryKind) {
  const ToolResult_t text = RunToolIn(VELKAR_SAMPLE_DATA_DIR, "list");
  ASSERT_EQ(text.nExit, 0) << text.strErr;
  for (const char* pszLine :
       {"category 0 Sword 片手剣\n  weapon 0 鉄の片手剣: attack 168, element 0, mask 0, sharpness "
        "2\n",
        "  motion 0 縦斬り: cut 100, impact 100, values 18\n",
        "  hit pattern 0 通常: low 100, high 100\n  hit pattern 1 芯当たり: low 105, high 110\n",
        "monster 0 岩甲獣グラドム: anger 100 95 110\n  region 0 頭: cut 55, impact 60, third 45",
        "level 0 下位: rate 100\n"}) {
    EXPECT_NE(text.strOut.find(pszLine), std::string::npos) << pszLine;
  }
  const nlohmann::json document =
      nlohmann::json::parse(RunToolIn(VELKAR_SAMPLE_DATA_DIR, "list --json").strOut);
  EXPECT_EQ(document["categories"][0]["hitPatterns"][1],
            nlohmann::json::parse(R"({"index": 1, "name": "芯当たり", "lowRate": 105,
                                      "highRate": 110})"));
  EXPECT_EQ(document["categories"].size(), 8U);
  EXPECT_EQ(document["monsters"][0]["regions"][0]["element"]["fire"], 10);
}

// Output that cannot be written is a failure, never a silent success.
TEST(ListCommandTest, FullDeviceIsAFailure) {
  const std::string strCommand = std::string(VELKAR_TOOL_PATH) + " --dir '" +
                                 VELKAR_SAMPLE_DATA_DIR + "' list >/dev/full 2>/dev/null";
  const int nStatus = std::system(strCommand.c_str());
  EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 1) << nStatus;
}

}  // namespace
