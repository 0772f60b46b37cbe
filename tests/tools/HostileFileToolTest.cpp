// velkar-tool against hostile files and failing output: every program names
// the file and what is wrong with it at once, keeps the data it could not
// replace, reports damaged data files after what did load, and never ends
// with success when its output did not get through.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "support/HostileFiles.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using Lines = std::vector<std::string>;

// GreatSword and the monsters convert; Sword's files are the test's to spoil.
void WriteDataSet(const CTestDataDir& dir) {
  dir.WriteText("GreatSword.ini", u8"[HitPattern]\n1=通常,100,100\n[Weapon]\n1=大剣,960,0,0,3,0\n");
  dir.WriteText("Monster.ini", u8"[Monster]\n0=竜\n[竜]\nAnger=1,2,3\n[Level]\n1=下位,100\n");
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), {"convert"}).nExit, 0);
  dir.Remove("Sword.ini");
  dir.WriteBytes("Sword.dat", std::string_view("old"));
}

struct ProgramRow_t {
  const char* szName;
  const char* pszSpoiled;  // the file replaced by the hostile one
  Lines arrArg;
  int nExit;
  const char* pszAfter;  // what follows the reason on the message line
};

std::string Reason(eHOSTILE eKind) {
  switch (eKind) {
    case eHOSTILE::FIFO: return "is a FIFO, not a regular file";
    default: return "is 2147483648 bytes, above the limit of 67108864 bytes";
  }
}

class HostileFileToolTest : public ::testing::TestWithParam<std::tuple<ProgramRow_t, eHOSTILE>> {};

TEST_P(HostileFileToolTest, NamesTheFileAndTheReasonAtOnce) {
  const auto& [row, eKind] = GetParam();
  CTestDataDir dir;
  WriteDataSet(dir);
  dir.Remove(row.pszSpoiled);
  MakeHostileFile(eKind, dir.PathOf(row.pszSpoiled));

  const ToolResult_t result = RunToolIn(dir.Path(), row.arrArg);

  EXPECT_EQ(result.nExit, row.nExit);
  EXPECT_EQ(SplitLines(result.strErr), Lines{"velkar-tool: " + dir.PathOf(row.pszSpoiled) + ": " +
                                             Reason(eKind) + row.pszAfter});
  if (row.arrArg[0] == "list") {
    EXPECT_NE(result.strOut.find("category 2 GreatSword"), std::string::npos) << result.strOut;
  } else {
    EXPECT_EQ(result.strOut, "");
  }
  if (std::string_view(row.pszSpoiled) == "Sword.ini") {
    EXPECT_EQ(dir.ReadBytes("Sword.dat"), std::vector<uint8_t>({'o', 'l', 'd'}));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileFileToolTest,
    ::testing::Combine(
        ::testing::Values(ProgramRow_t{"List", "Sword.dat", {"list"}, 1, ""},
                          ProgramRow_t{"Dump", "Sword.dat", {"dump", "Sword.dat"}, 1, ""},
                          ProgramRow_t{"Lint", "Sword.ini", {"lint", "Sword.ini"}, 2, ""},
                          ProgramRow_t{"Convert",
                                       "Sword.ini",
                                       {"convert", "weapons"},
                                       1,
                                       "; Sword.dat is left as it was"}),
        ::testing::Values(eHOSTILE::FIFO, eHOSTILE::SPARSE_2GB)),
    [](const auto& rowInfo) {
      return std::string(std::get<0>(rowInfo.param).szName) +
             HostileName(std::get<1>(rowInfo.param));
    });

// Ten monsters promised, one complete: list shows what loaded, then names
// the damaged file; a category whose file is damaged is the file's fault,
// not a usage error.
TEST(DamagedDataToolTest, DamageIsReportedAfterWhatLoaded) {
  CTestDataDir dir;
  WriteDataSet(dir);
  std::vector<uint8_t> arrMonster = dir.ReadBytes("Monster.dat");
  arrMonster[0] = 10;
  dir.WriteBytes("Monster.dat", arrMonster);
  dir.WriteBytes("Sword.dat", std::string_view("\x05\0\0\0a\r\n", 7));
  const std::string strMonsterLine = "velkar-tool: " + dir.PathOf("Monster.dat") +
                                     ": at byte 0, the monster count 10 promises more records "
                                     "than the file holds";
  const std::string strSwordLine = "velkar-tool: " + dir.PathOf("Sword.dat") +
                                   ": at byte 0, the motion count 5 promises more records than "
                                   "the file holds";

  const ToolResult_t list = RunToolIn(dir.Path(), {"list"});
  EXPECT_EQ(list.nExit, 1);
  EXPECT_NE(list.strOut.find("monster 0 竜: anger 1 2 3"), std::string::npos) << list.strOut;
  EXPECT_EQ(SplitLines(list.strErr), (Lines{strMonsterLine, strSwordLine}));

  const ToolResult_t report = RunToolIn(dir.Path(), {"report", "--category", "0", "--weapon", "0"});
  EXPECT_EQ(report.nExit, 1);
  EXPECT_EQ(report.strOut, "");
  EXPECT_EQ(SplitLines(report.strErr),
            (Lines{"velkar-tool: --category: 0 (Sword) cannot be used as asked: " +
                       strSwordLine.substr(13),
                   strMonsterLine, strSwordLine}));
}

// Output that cannot be written fails the command with a message; a reader
// that went away ends it quietly, by SIGPIPE, as it ends cat.
struct OutputRow_t {
  const char* szName;
  eSTDOUT eOut;
  int nExit;
  int nSignal;
  const char* pszErr;
};

// Every command writes through the same checked output, so list stands for
// them all.
class FailingOutputToolTest : public ::testing::TestWithParam<OutputRow_t> {};

TEST_P(FailingOutputToolTest, NeverEndsInSuccess) {
  const OutputRow_t& row = GetParam();
  CTestDataDir dir;
  WriteDataSet(dir);
  dir.Remove("Sword.dat");

  const ToolResult_t result = RunToolWithStdout(row.eOut, {"--dir", dir.Path(), "list"});

  EXPECT_EQ(result.nExit, row.nExit);
  EXPECT_EQ(result.nSignal, row.nSignal);
  EXPECT_EQ(result.strErr, row.pszErr);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailingOutputToolTest,
    ::testing::Values(
        OutputRow_t{"DevFull", eSTDOUT::DEV_FULL, 1, 0,
                    "velkar-tool: cannot write the output: No space left on device\n"},
        OutputRow_t{"ClosedStdout", eSTDOUT::CLOSED, 1, 0,
                    "velkar-tool: cannot write the output: Bad file descriptor\n"},
        OutputRow_t{"ClosedPipe", eSTDOUT::CLOSED_PIPE, -1, SIGPIPE, ""}),
    RowName<OutputRow_t>);

}  // namespace
