// Usage errors of velkar-tool: exit code 2, one line on stderr that names the
// option and what it accepts, nothing on stdout.
#include <gtest/gtest.h>

#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

struct UsageRow_t {
  const char* szName;
  std::vector<std::string> arrArg;
  std::string strMessage;  // the whole line after "velkar-tool: "
};

class UsageErrorTest : public ::testing::TestWithParam<UsageRow_t> {
protected:
  // Two categories are listed: 0 (two weapons, three motions, one hit
  // pattern) and 2 (one weapon); one monster and two levels.
  static void SetUpTestSuite() {
    s_pDir = new CTestDataDir;
    s_pDir->WriteText("Sword.ini",
                      u8"[Action]\n1=a,10\n2=b,20\n3=c,30\n[HitPattern]\n1=h,100,100\n"
                      u8"[Weapon]\n1=w,100,0,0,3,0\n2=v,110,0,0,3,0\n");
    s_pDir->WriteText("GreatSword.ini", u8"[Weapon]\n1=g,960,0,0,3,0\n");
    s_pDir->WriteText("Monster.ini",
                      u8"[Monster]\n0=m\n[m]\nAnger=1,2,3\n[Level]\n1=l,100\n2=k,80\n");
    ASSERT_EQ(ConvertWithEmptySources(s_pDir->Path(), {"convert"}).nExit, 0);
  }
  static void TearDownTestSuite() {
    delete s_pDir;
    s_pDir = nullptr;
  }

  static CTestDataDir* s_pDir;
};

CTestDataDir* UsageErrorTest::s_pDir = nullptr;

TEST_P(UsageErrorTest, ExitsWithTwoAndOneLine) {
  const UsageRow_t& row = GetParam();
  const bool bOwnDir = !row.arrArg.empty() && row.arrArg[0] == "--dir";
  const ToolResult_t result = bOwnDir ? RunTool(row.arrArg) : RunToolIn(s_pDir->Path(), row.arrArg);
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "velkar-tool: " + row.strMessage + "\n");
}

std::vector<std::string> Report(std::vector<std::string> arrArg) {
  arrArg.insert(arrArg.begin(), "report");
  return arrArg;
}

std::vector<std::string> Rank(std::vector<std::string> arrArg) {
  arrArg.insert(arrArg.begin(), "rank");
  return arrArg;
}

INSTANTIATE_TEST_SUITE_P(
    Tool, UsageErrorTest,
    ::testing::Values(
        UsageRow_t{"NoCommand", {}, "A subcommand is required"},
        UsageRow_t{"UnknownCommand",
                   {"frob", "--weapon", "1"},
                   "frob is not a command; the commands are builds, compare, convert, dump, "
                   "lint, list, rank, report, save-build"},
        UsageRow_t{"ConvertUnknownTarget",
                   {"convert", "swords"},
                   "SOURCES: swords not in {weapons,monsters,all}"},
        UsageRow_t{"DumpWithoutFile", {"dump"}, "FILE is required"},
        UsageRow_t{"DumpOfAnUnknownName",
                   {"dump", "Bow.dat"},
                   "dump: Bow.dat is not a data file name; it must be one of Monster.dat, "
                   "Sword.dat, DualSword.dat, GreatSword.dat, Katana.dat, Lance.dat, "
                   "GunLance.dat, Hummer.dat, HuntingHorn.dat"},
        UsageRow_t{"DumpOfASource",
                   {"dump", "Sword.ini"},
                   "dump: Sword.ini is not a data file name; it must be one of Monster.dat, "
                   "Sword.dat, DualSword.dat, GreatSword.dat, Katana.dat, Lance.dat, "
                   "GunLance.dat, Hummer.dat, HuntingHorn.dat"},
        UsageRow_t{
            "ListWithAnArgument", {"list", "all"}, "The following argument was not expected: all"},
        UsageRow_t{"ReportWithoutCategory", Report({"--weapon", "0"}), "--category is required"},
        UsageRow_t{"ReportWithoutWeapon", Report({"--category", "0"}), "--weapon is required"},
        UsageRow_t{"CategoryBeyondSeven", Report({"--category", "8", "--weapon", "0"}),
                   "--category: Value 8 not in range 0 to 7"},
        UsageRow_t{"CategoryNotListed", Report({"--category", "3", "--weapon", "0"}),
                   "--category: 3 (Katana) is not listed; listed categories: 0, 2"},
        UsageRow_t{"WeaponBeyondTheList", Report({"--category", "2", "--weapon", "1"}),
                   "--weapon: 1 is out of range; valid: 0 to 0 (weapons of category 2)"},
        UsageRow_t{"NegativeWeapon", Report({"--category", "0", "--weapon", "-1"}),
                   "--weapon: -1 is out of range; valid: 0 to 1 (weapons of category 0)"},
        UsageRow_t{"WeaponNotANumber", Report({"--category", "0", "--weapon", "two"}),
                   "Could not convert: --weapon = two"},
        UsageRow_t{"SharpnessBeyondWhite",
                   Report({"--category", "0", "--weapon", "0", "--sharpness", "6"}),
                   "--sharpness: Value 6 not in range 0 to 5"},
        UsageRow_t{"MonsterBeyondTheList",
                   Report({"--category", "0", "--weapon", "0", "--monster", "1"}),
                   "--monster: 1 is out of range; valid: 0 to 0 (monsters)"},
        UsageRow_t{"LevelBeyondTheList",
                   Report({"--category", "0", "--weapon", "0", "--level", "2"}),
                   "--level: 2 is out of range; valid: 0 to 1 (levels)"},
        UsageRow_t{"HitCorrectionOfAnotherCategory",
                   Report({"--category", "2", "--weapon", "0", "--hit", "0"}),
                   "--hit: 0 is out of range; there are no hit corrections of category 2"},
        UsageRow_t{"MotionBeyondTheList",
                   Report({"--category", "0", "--weapon", "0", "--motion", "0", "--motion", "3"}),
                   "--motion: 3 is out of range; valid: 0 to 2 (motions of category 0)"},
        UsageRow_t{"ModifierBelowTheIds",
                   Report({"--category", "0", "--weapon", "0", "--modifier", "1017"}),
                   "--modifier: Value 1017 not in range 1018 to 1041"},
        UsageRow_t{"ModifierAboveTheIds",
                   Report({"--category", "0", "--weapon", "0", "--modifier", "1018", "--modifier",
                           "1042"}),
                   "--modifier: Value 1042 not in range 1018 to 1041"},
        UsageRow_t{"RankWithoutCategory", Rank({}), "--category is required"},
        UsageRow_t{"RankCategoryNotListed", Rank({"--category", "3"}),
                   "--category: 3 (Katana) is not listed; listed categories: 0, 2"},
        UsageRow_t{"RankTakesNoWeapon", Rank({"--category", "0", "--weapon", "1"}),
                   "The following arguments were not expected: 1 --weapon"},
        UsageRow_t{"RankSharpnessBeyondWhite", Rank({"--category", "0", "--sharpness", "6"}),
                   "--sharpness: Value 6 not in range 0 to 5"},
        UsageRow_t{"RankMonsterBeyondTheList", Rank({"--category", "0", "--monster", "1"}),
                   "--monster: 1 is out of range; valid: 0 to 0 (monsters)"},
        UsageRow_t{"RankMotionBeyondTheList", Rank({"--category", "0", "--motion", "-1"}),
                   "--motion: -1 is out of range; valid: 0 to 2 (motions of category 0)"},
        UsageRow_t{"RankModifierAboveTheIds", Rank({"--category", "0", "--modifier", "1042"}),
                   "--modifier: Value 1042 not in range 1018 to 1041"},
        UsageRow_t{"RankRegionWithoutName", Rank({"--category", "0", "--region"}),
                   "--region: 1 required TEXT missing"},
        UsageRow_t{"RankRegionOfAMonsterWithoutRegions",
                   Rank({"--category", "0", "--region", "頭"}),
                   "--region: 頭 is not a region of m; it has no regions"},
        UsageRow_t{"MissingDataFolder",
                   {"--dir", "/nonexistent/velkar", "list"},
                   "--dir: Directory does not exist: /nonexistent/velkar"}),
    RowName<UsageRow_t>);

}  // namespace
