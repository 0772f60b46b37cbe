// velkar-tool builds, --build and compare on the sample data, with builds
// saved through CSetupStore into a temporary configuration folder (the
// program finds it through XDG_CONFIG_HOME, as it would a player's).
//
// A build names its records; the same calculation given by list positions
// must print the same, whatever part an option replaces.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/SetupStore.h"
#include "support/RowName.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::json;
using velkar::ToSjis;
using Args = std::vector<std::string>;

// Sample data, category 0: weapon 1 焔刃ヴァルゼナ, 0 鉄の片手剣; motions 0
// 縦斬り, 1 横斬り; hit pattern 1 芯当たり; monster 2 雷角獣シグラーム; level 1 上位.
Setup_t FireSword() {
  Setup_t setup;
  setup.nCategory = 0;
  setup.strWeapon = ToSjis(u8"焔刃ヴァルゼナ");
  setup.arrMotion = {ToSjis(u8"縦斬り"), ToSjis(u8"横斬り"), ToSjis(u8"縦斬り"),
                     ToSjis(u8"消えた技")};
  setup.nSharpness = 5;
  setup.strMonster = ToSjis(u8"雷角獣シグラーム");
  setup.strLevel = ToSjis(u8"上位");
  setup.strHitCorrection = ToSjis(u8"芯当たり");
  setup.bAnger = true;
  setup.arrModifier = {1019, 1021};
  return setup;
}

Setup_t IronSword() {
  Setup_t setup;
  setup.nCategory = 0;
  setup.strWeapon = ToSjis(u8"鉄の片手剣");
  setup.arrMotion = {ToSjis(u8"横斬り")};
  return setup;
}

const Args kFireSwordParts = {
    "--category", "0",        "--sharpness", "5",        "--monster",  "2",        "--level",
    "1",          "--hit",    "1",           "--anger",  "--modifier", "1019",     "--modifier",
    "1021",       "--motion", "0",           "--motion", "1",          "--motion", "0"};

Args Concat(Args arrA, const Args& arrB) {
  arrA.insert(arrA.end(), arrB.begin(), arrB.end());
  return arrA;
}

struct SameRow_t {
  const char* szName;
  Args arrWithBuild;
  Args arrExplicit;
};

const SameRow_t kSameRows[] = {
    {"Report", {"report", "--build", "炎剣"}, Concat({"report", "--weapon", "1"}, kFireSwordParts)},
    {"ReportOptionsReplaceParts",
     {"report", "--build", "炎剣", "--weapon", "0", "--monster", "0", "--motion", "1"},
     {"report",      "--category", "0",         "--weapon", "0",
      "--sharpness", "5",          "--monster", "0",        "--level",
      "1",           "--hit",      "1",         "--anger",  "--modifier",
      "1019",        "--modifier", "1021",      "--motion", "1"}},
    {"RankAtTheBuildsSharpness",
     {"rank", "--build", "炎剣", "--json"},
     Concat({"rank", "--json"}, kFireSwordParts)},
    {"BuildWithoutMonsterKeepsTheFirst",
     {"report", "--build", "鉄剣", "--json"},
     {"report", "--category", "0", "--weapon", "0", "--motion", "1", "--json"}},
};

class BuildsToolTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* pszOld = std::getenv("XDG_CONFIG_HOME");
    m_strOldConfig = pszOld != nullptr ? pszOld : "";
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    CSetupStore store;
    ASSERT_EQ(store.SaveBuild({ToSjis(u8"炎剣"), FireSword()}), eSTORE_RESULT::Ok);
    ASSERT_EQ(store.SaveBuild({ToSjis(u8"鉄剣"), IronSword()}), eSTORE_RESULT::Ok);
  }
  void TearDown() override {
    if (m_strOldConfig.empty()) {
      unsetenv("XDG_CONFIG_HOME");
    } else {
      setenv("XDG_CONFIG_HOME", m_strOldConfig.c_str(), 1);
    }
  }

  static ToolResult_t Run(const Args& arrArg) { return RunToolIn(VELKAR_SAMPLE_DATA_DIR, arrArg); }

  static json RunJson(const Args& arrArg) {
    const ToolResult_t result = Run(arrArg);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    return json::parse(result.strOut);
  }

  CTestDataDir m_config;
  std::string m_strOldConfig;
};

class SameAsExplicitTest : public BuildsToolTest,
                           public ::testing::WithParamInterface<SameRow_t> {};

TEST_P(SameAsExplicitTest, BuildPrintsWhatItsPartsGivenAsOptionsPrint) {
  const ToolResult_t withBuild = Run(GetParam().arrWithBuild);
  const ToolResult_t explicitly = Run(GetParam().arrExplicit);
  ASSERT_EQ(withBuild.nExit, 0) << withBuild.strErr;
  ASSERT_EQ(explicitly.nExit, 0) << explicitly.strErr;
  EXPECT_EQ(withBuild.strOut, explicitly.strOut);
  EXPECT_GT(withBuild.strOut.size(), 100U);
}

INSTANTIATE_TEST_SUITE_P(Builds, SameAsExplicitTest, ::testing::ValuesIn(kSameRows),
                         RowName<SameRow_t>);

TEST_F(BuildsToolTest, CompareGivesBothReportsAndTheirDifference) {
  const json a = RunJson({"report", "--build", "炎剣", "--json"});
  const json b = RunJson({"report", "--build", "鉄剣", "--json"});
  const json compare = RunJson({"compare", "--build", "炎剣", "--build", "鉄剣", "--json"});
  // 炎剣 against 雷角獣シグラーム, 鉄剣 against the first monster: regions
  // match by name, and one missing on either side has no difference.
  std::map<std::string, int> arrA;
  std::map<std::string, int> arrB;
  int64_t nTotalA = 0;
  int64_t nTotalB = 0;
  for (const json& row : a["rows"]) nTotalA += arrA[row["region"]] = row["damage"];
  for (const json& row : b["rows"]) nTotalB += arrB[row["region"]] = row["damage"];
  EXPECT_EQ(compare["a"]["total"], nTotalA);
  EXPECT_EQ(compare["b"]["total"], nTotalB);
  EXPECT_EQ(compare["total_difference"], nTotalB - nTotalA);
  std::map<std::string, int> arrUnion = arrA;
  arrUnion.insert(arrB.begin(), arrB.end());
  ASSERT_EQ(compare["regions"].size(), arrUnion.size());
  ASSERT_GT(arrUnion.size(), arrB.size());  // the monsters differ in some regions
  for (const json& region : compare["regions"]) {
    const std::string strRegion = region["region"];
    const bool bBoth = arrA.contains(strRegion) && arrB.contains(strRegion);
    EXPECT_EQ(region["a"].is_null(), !arrA.contains(strRegion)) << strRegion;
    EXPECT_EQ(region["b"].is_null(), !arrB.contains(strRegion)) << strRegion;
    EXPECT_EQ(region["difference"].is_null(), !bBoth) << strRegion;
    if (bBoth) {
      EXPECT_EQ(region["difference"], arrB[strRegion] - arrA[strRegion]) << strRegion;
    }
  }

  // Both on one monster through an option: every region has a difference.
  const json same =
      RunJson({"compare", "--build", "炎剣", "--build", "鉄剣", "--monster", "0", "--json"});
  const json sameA = RunJson({"report", "--build", "炎剣", "--monster", "0", "--json"});
  ASSERT_EQ(same["regions"].size(), arrB.size());
  size_t i = 0;
  for (const json& region : same["regions"]) {
    EXPECT_EQ(region["a"], sameA["rows"][i]["damage"]);
    EXPECT_EQ(region["b"], arrB[region["region"]]);
    EXPECT_EQ(region["difference"], region["b"].get<int>() - region["a"].get<int>());
    ++i;
  }
  const ToolResult_t text =
      Run({"compare", "--build", "炎剣", "--build", "鉄剣", "--monster", "0"});
  std::istringstream totalLine(SplitLines(text.strOut).back());
  const std::vector<std::string> arrWord{std::istream_iterator<std::string>(totalLine), {}};
  const int nDifference = same["total_difference"];
  ASSERT_NE(nDifference, 0);
  EXPECT_EQ(arrWord,
            (std::vector<std::string>{"total", std::to_string(same["a"]["total"].get<int>()),
                                      std::to_string(same["b"]["total"].get<int>()),
                                      (nDifference > 0 ? "+" : "") + std::to_string(nDifference)}));
}

TEST_F(BuildsToolTest, BuildsListsWhatTheStoreSavedAndUnknownNamesAreUsageErrors) {
  const json builds = RunJson({"builds", "--json"});
  ASSERT_EQ(builds["builds"].size(), 2U);
  EXPECT_EQ(builds["builds"][0]["name"], "炎剣");
  EXPECT_EQ(builds["builds"][0]["setup"]["motions"][3], "消えた技");
  EXPECT_EQ(builds["builds"][1]["setup"]["weapon"], "鉄の片手剣");
  EXPECT_EQ(SplitLines(Run({"builds"}).strOut)[1],
            "鉄剣  category 0 (Sword)  weapon 鉄の片手剣  monster -");

  for (const Args& arrArg : {Args{"report", "--build", "無"}, Args{"rank", "--build", "無"},
                             Args{"compare", "--build", "炎剣", "--build", "無"}}) {
    const ToolResult_t result = Run(arrArg);
    EXPECT_EQ(result.nExit, 2);
    EXPECT_EQ(result.strErr,
              "velkar-tool: --build: there is no build named 無; saved builds: 炎剣, 鉄剣\n");
    EXPECT_TRUE(result.strOut.empty());
  }
  EXPECT_EQ(Run({"compare", "--build", "炎剣"}).nExit, 2);
}

TEST_F(BuildsToolTest, SaveBuildStoresTheSetupAsTheWindowWould) {
  const ToolResult_t saved = Run(Concat({"save-build", "道具", "--weapon", "1"}, kFireSwordParts));
  ASSERT_EQ(saved.nExit, 0) << saved.strErr;
  Setup_t expected = FireSword();
  expected.arrMotion.pop_back();  // a motion the data lacks is not chosen
  EXPECT_EQ(CSetupStore().FindBuild(ToSjis(u8"道具"))->setup, expected);
  // Over a build of that name, from another build with one part replaced.
  ASSERT_EQ(Run({"save-build", "道具", "--build", "鉄剣", "--level", "1"}).nExit, 0);
  expected = IronSword();
  expected.nSharpness = 2;  // the weapon's own
  expected.strMonster = ToSjis(u8"岩甲獣グラドム");
  expected.strLevel = ToSjis(u8"上位");
  expected.strHitCorrection = ToSjis(u8"通常");
  EXPECT_EQ(CSetupStore().FindBuild(ToSjis(u8"道具"))->setup, expected);
  EXPECT_EQ(CSetupStore().LoadBuilds().size(), 3U);
}

}  // namespace
