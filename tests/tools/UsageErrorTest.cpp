// Usage errors of velkar-tool, one or two for each command: exit code 2, one
// line on stderr that names the option and what it accepts, nothing on stdout.
#include <gtest/gtest.h>

#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

struct UsageRow_t {
  const char* szName;
  const char* szArgs;
  std::string strMessage;  // the whole line after "velkar-tool: "
};

class UsageErrorTest : public ::testing::TestWithParam<UsageRow_t> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndOneLine) {
  // Category 0 is listed with one weapon; one monster without regions and
  // two levels.
  static const CTestDataDir dir;
  static const int nConverted = [] {
    dir.WriteText("Sword.ini",
                  u8"[Action]\n1=a,10\n[HitPattern]\n1=h,100,100\n[Weapon]\n1=w,100,0,0,3,0\n");
    dir.WriteText("Monster.ini", u8"[Monster]\n0=m\n[m]\nAnger=1,2,3\n[Level]\n1=l,100\n2=k,80\n");
    return ConvertWithEmptySources(dir.Path(), "convert").nExit;
  }();
  ASSERT_EQ(nConverted, 0);
  const ToolResult_t result = RunToolIn(dir.Path(), GetParam().szArgs);
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strOut + result.strErr, "velkar-tool: " + GetParam().strMessage + "\n");
}

// A line feed in what the user typed is printed as a blank.
INSTANTIATE_TEST_SUITE_P(
    Tool, UsageErrorTest,
    ::testing::Values(
        UsageRow_t{"NoCommand", "", "A subcommand is required"},
        UsageRow_t{"UnknownCommand", "frob --weapon 1",
                   "frob is not a command; the commands are builds, code, compare, convert, "
                   "dump, gains, lint, list, rank, report, save-build"},
        UsageRow_t{"ConvertUnknownTarget", "convert sw\nords",
                   "SOURCES: sw ords not in {weapons,monsters,all}"},
        UsageRow_t{
            "DumpOfASource", "dump Sword.ini",
            "dump: Sword.ini is not a data file name; it must be one of Monster.dat, Sword.dat, "
            "DualSword.dat, GreatSword.dat, Katana.dat, Lance.dat, GunLance.dat, Hummer.dat, "
            "HuntingHorn.dat"},
        UsageRow_t{"ListWithAnArgument", "list all",
                   "The following argument was not expected: all"},
        UsageRow_t{"ReportLevelBeyondTheList", "report --category 0 --weapon 0 --level 2",
                   "--level: 2 is out of range; valid: 0 to 1 (levels)"},
        UsageRow_t{"RankRegionOfAMonsterWithoutRegions", "rank --category 0 --region 頭",
                   "--region: 頭 is not a region of m; it has no regions"},
        UsageRow_t{"SaveBuildWithoutName", "save-build", "NAME is required"},
        UsageRow_t{"RankByAnUnknownColumn", "rank --category 0 --sort price",
                   "--sort: price is not a column; valid: rank, weapon, attack, element, value, "
                   "sharpness, total, region"},
        UsageRow_t{"RankOfAnUnknownElement", "rank --category 0 --element 光",
                   "--element: 光 is not an element; valid: 無, 火, 水, 雷, 氷, 龍, 毒, 痺, 眠"},
        UsageRow_t{"CompareWithoutLoadouts", "compare --monster 0",
                   "compare needs 2 to 6 loadouts (--build or --code); 0 given"}),
    RowName<UsageRow_t>);

}  // namespace
