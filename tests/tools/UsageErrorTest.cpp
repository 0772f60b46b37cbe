// Usage errors of velkar-tool, one or two for each command and one for each
// selection option: exit code 2, one line on stderr that names the option and
// what it accepts, nothing on stdout. A calculation without a target fails
// with 1 the same way.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

#include "model/CategoryTable.h"
#include "support/RowName.h"
#include "tools/ToolRunner.h"

namespace {

struct UsageRow_t {
  const char* szName;
  const char* szArgs;
  std::string strMessage;  // the whole line after "velkar-tool: "
  int nExit = 2;
};

// The names the tool lists for its data files: one per row of the table.
std::string DataFileNames() {
  std::string strNames;
  for (const std::string_view stem : DataFileStems()) {
    strNames += (strNames.empty() ? "" : ", ") + std::string(stem) + ".dat";
  }
  return strNames;
}

class UsageErrorTest : public ::testing::TestWithParam<UsageRow_t> {};

TEST_P(UsageErrorTest, ExitsWithItsCodeAndOneLine) {
  const ToolResult_t result = RunToolIn(SmallDataSet(), GetParam().szArgs);
  EXPECT_EQ(result.nExit, GetParam().nExit);
  EXPECT_EQ(result.strOut + result.strErr, "velkar-tool: " + GetParam().strMessage + "\n");
}

// A line feed in what the user typed is printed as a blank.
const UsageRow_t kUsageRows[] = {
    {"NoCommand", "", "A subcommand is required"},
    {"UnknownCommand", "frob --weapon 1",
     "frob is not a command; the commands are builds, chart, code, compare, convert, "
     "dump, gains, lint, list, rank, report, save-build"},
    {"ConvertUnknownTarget", "convert sw\nords", "SOURCES: sw ords not in {weapons,monsters,all}"},
    {"DumpOfASource", "dump Sword.ini",
     "dump: Sword.ini is not a data file name; it must be one of " + DataFileNames()},
    {"ListWithAnArgument", "list all", "The following argument was not expected: all"},
    {"CategoryNotListed", "report --category 3 --weapon 0",
     "--category: 3 (Katana) is not listed; listed categories: 0, 4"},
    {"CategoryRequired", "report --weapon 0", "--category is required"},
    {"WeaponBeyondTheList", "report --category 0 --weapon 1",
     "--weapon: 1 is out of range; valid: 0 to 0 (weapons of category 0)"},
    {"WeaponRequired", "report --category 0", "--weapon is required"},
    // Its monster and motion are gone too, but the build is refused for its weapon alone.
    {"BuildWithoutItsWeapon", "report --code VK1.qIDx2h2ztf1ZAwKMtgSMtoyVBIy2l7MBAAsAAQIBAAAAAA",
     "--weapon is required: the weapon of build 幻 (幻剣) is not among the weapons of category 0"},
    {"MonsterBeyondTheList", "report --category 0 --weapon 0 --monster 2",
     "--monster: 2 is out of range; valid: 0 to 1 (monsters)"},
    {"LevelBeyondTheList", "report --category 0 --weapon 0 --level 2",
     "--level: 2 is out of range; valid: 0 to 1 (levels)"},
    {"HitBeyondTheList", "report --category 0 --weapon 0 --hit 2",
     "--hit: 2 is out of range; valid: 0 to 1 (hit corrections of category 0)"},
    {"MotionBeyondTheList", "report --category 0 --weapon 0 --motion 0 --motion 99",
     "--motion: 99 is out of range; valid: 0 to 4 (motions of category 0)"},
    {"NoHitCorrectionToSelect", "report --category 4 --weapon 0",
     "no report: there is no hit correction to select", 1},
    {"RankRegionOfAMonsterWithoutRegions", "rank --category 0 --region 頭",
     "--region: 頭 is not a region of m; it has no regions"},
    {"GainsOfAnUnknownRegion", "gains --category 0 --weapon 0 --monster 1 --region 尾",
     "--region: 尾 is not a region of 竜; valid: 頭"},
    {"CodeOfANameNotInShiftJis", "code --name é", "--name: a build's name must be Shift-JIS text"},
    {"SaveBuildWithoutName", "save-build", "NAME is required"},
    {"ImportWithMoreNamesThanBuilds",
     "builds import VK1.uB0KBxIEAwIBAgFBAVcBAEdQAQAAAEA --rename a --rename b",
     "--rename: 2 names for 1 builds"},
    {"RenameToAControlCharacter", "builds import VK1.uB0KBxIEAwIBAgFBAVcBAEdQAQAAAEA --rename a\tb",
     "--rename: a build's name must not hold a control character (U+0009)"},
    // A code may name a build "a" and a lone byte 0x80, which is no Shift-JIS text.
    {"ImportOfANameNotShiftJis", "builds import VK1.Gzh-GQ8AAAAAAQJhgAEAAAAAAAA",
     "CODE: the code is not one Velkar writes: a build's name is not Shift-JIS text"},
    {"RankByAnUnknownColumn", "rank --category 0 --sort price",
     "--sort: price is not a column; valid: rank, weapon, attack, element, value, "
     "sharpness, total, region"},
    {"RankOfAnUnknownElement", "rank --category 0 --element 光",
     "--element: 光 is not an element; valid: 無, 火, 水, 雷, 氷, 龍, 毒, 痺, 眠"},
    {"CompareWithoutLoadouts", "compare --monster 0",
     "compare needs 2 to 6 loadouts (--build or --code); 0 given"},
    {"ChartWithoutKind", "chart",
     "KIND: missing; the kinds are loadouts, sharpness, gains, motions, target"},
    {"ChartOfAnUnknownKind", "chart pie",
     "KIND: pie is not a chart; the kinds are loadouts, sharpness, gains, motions, target"},
    {"ChartWithoutLoadouts", "chart sharpness --monster 0",
     "chart sharpness needs 1 to 6 loadouts (--build or --code); 0 given"},
    {"ChartTooNarrow", "chart target --category 0 --weapon 0 --width 239",
     "--width: Value 239 not in range 240 to 4000"},
};

INSTANTIATE_TEST_SUITE_P(Tool, UsageErrorTest, ::testing::ValuesIn(kUsageRows),
                         RowName<UsageRow_t>);

// A loadout whose category has no hit correction has no numbers: compare
// lists it with the reason and fails (exit code 1) after printing the rest.
TEST(CompareFailure, LoadoutWithoutAHitCorrection) {
  const ToolResult_t result =
      RunToolIn(SmallDataSet(),
                "compare --code VK1.eSiouSCztf1ZBgKMlQF3ApezAWwBaAFhAQA_MAECAwQBBQAAAA"
                " --code VK1.VT1oBBiztf1ZAwKRhAKXswFsAQAfNAABAgAAAAA");
  EXPECT_EQ(std::to_string(result.nExit) + result.strOut.substr(0, result.strOut.find("target")) +
                result.strErr,
            "1A: 剣  (w, 緑)\nB: 槍  there is no hit correction to select\n"
            "velkar-tool: build 槍: there is no hit correction to select; it has no numbers\n");
}

// Every option that velkar-tool --help or a command's --help lists is named in
// the manual page.
TEST(ManualPage, NamesEveryOptionOfTheHelp) {
  std::ifstream in(VELKAR_MAN_PAGE);
  const std::string strPage{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string strHelp = RunTool({"--help"}).strOut;
  for (const char* pszCommand :
       {"builds", "compare", "convert", "dump", "lint", "list", "rank", "report", "save-build"}) {
    strHelp += RunTool({pszCommand, "--help"}).strOut;
  }
  for (const char* pszKind : {"sharpness", "gains"}) {
    strHelp += RunTool({"chart", pszKind, "--help"}).strOut;
  }
  const std::regex option("--[a-z][a-z-]*");
  std::set<std::string> setOption, setMissing;
  for (auto it = std::sregex_iterator(strHelp.begin(), strHelp.end(), option);
       it != std::sregex_iterator(); ++it) {
    setOption.insert(it->str());
    if (strPage.find("\\-\\-" + it->str().substr(2)) == std::string::npos)
      setMissing.insert(it->str());
  }
  EXPECT_GT(setOption.size(), 10u);
  EXPECT_EQ(setMissing, std::set<std::string>{});
}

}  // namespace
