// velkar-tool against hostile files: every command names
// the file and what is wrong with it, keeps the data it could not replace,
// and fails without a crash.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/HostileFiles.h"
#include "support/ScopedEnv.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

struct CommandRow_t {
  const char* szName;
  const char* szSpoiled;  // the file replaced by the hostile one
  const char* szArgs;
  int nExit;
  const char* szAfter;        // what follows the reason on the message line
  const char* szBefore = "";  // what comes before the file's path
  bool bAgain = false;        // the file is named again on a line of its own
};

class HostileFileToolTest : public ::testing::TestWithParam<std::tuple<CommandRow_t, eHOSTILE>> {};

TEST_P(HostileFileToolTest, NamesTheFileAndTheReason) {
  const auto& [row, eKind] = GetParam();
  CTestDataDir dir;
  dir.WriteText("Monster.ini", u8"[Monster]\n0=竜\n[竜]\nAnger=1,2,3\n");
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), "convert").nExit, 0);
  dir.Remove(row.szSpoiled);
  std::filesystem::create_directory(dir.PathOf("velkar"));  // the builds' folder
  MakeHostileFile(eKind, dir.PathOf(row.szSpoiled));

  const CScopedEnv config("XDG_CONFIG_HOME", dir.Path().c_str());
  const ToolResult_t result = RunToolIn(dir.Path(), row.szArgs);

  EXPECT_EQ(result.nExit, row.nExit);
  const std::string strFile =
      dir.PathOf(row.szSpoiled) +
      (eKind == eHOSTILE::FIFO ? ": is a FIFO, not a regular file"
                               : ": is 2147483648 bytes, above the limit of 67108864 bytes");
  EXPECT_EQ(result.strErr, "velkar-tool: " + std::string(row.szBefore) + strFile + row.szAfter +
                               "\n" + (row.bAgain ? "velkar-tool: " + strFile + "\n" : ""));
}

const CommandRow_t kCommandRows[] = {
    {"List", "Sword.dat", "list", 1, ""},
    {"Dump", "Sword.dat", "dump Sword.dat", 1, ""},
    {"Lint", "Sword.ini", "lint Sword.ini", 2, ""},
    {"Convert", "Sword.ini", "convert weapons", 1, "; Sword.dat is left as it was"},
    {"Report", "Sword.dat", "report --category 0 --weapon 0", 1, "",
     "--category: 0 (Sword) cannot be used as asked: ", true},
    {"Builds", "velkar/builds.json", "builds", 1, ""},
};

INSTANTIATE_TEST_SUITE_P(Table, HostileFileToolTest,
                         ::testing::Combine(::testing::ValuesIn(kCommandRows),
                                            ::testing::Values(eHOSTILE::FIFO,
                                                              eHOSTILE::SPARSE_2GB)),
                         [](const auto& rowInfo) {
                           return std::string(std::get<0>(rowInfo.param).szName) +
                                  (std::get<1>(rowInfo.param) == eHOSTILE::FIFO ? "Fifo"
                                                                                : "Sparse2GB");
                         });

}  // namespace
