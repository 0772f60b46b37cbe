// velkar-tool save-build, builds, --build and compare on the sample data,
// with builds kept in a temporary configuration folder (the program finds it
// through XDG_CONFIG_HOME, as it would a player's).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/SetupStore.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::ordered_json;

// Sample data, category 0: weapon 1 焔刃ヴァルゼナ; motions 0 縦斬り, 1 横斬り;
// hit patterns 1 芯当たり, 2 かすり当たり (also the hammer's hit pattern 2);
// monster 2 雷角獣シグラーム; level 1 上位.
const std::string kFireSword =
    " --category 0 --weapon 1 --sharpness 5 --monster 2 --level 1 --hit 1 --anger --modifier "
    "1019 --modifier 1021 --motion 0 --motion 1 --motion 0";

class BuildsToolTest : public ::testing::Test {
protected:
  // 鉄剣 is saved as the window saves a build without a monster.
  void SetUp() override {
    if (const char* pszOld = std::getenv("XDG_CONFIG_HOME")) m_strOldConfig = pszOld;
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    ASSERT_EQ(Run("save-build 炎剣" + kFireSword).nExit, 0);
    Setup_t iron;
    iron.nCategory = 0;
    iron.strWeapon = velkar::ToSjis(u8"鉄の片手剣");
    iron.arrMotion = {velkar::ToSjis(u8"横斬り")};
    iron.strHitCorrection = velkar::ToSjis(u8"かすり当たり");
    ASSERT_EQ(CSetupStore().SaveBuild({velkar::ToSjis(u8"鉄剣"), iron}), eSTORE_RESULT::Ok);
  }
  void TearDown() override {
    if (m_strOldConfig) setenv("XDG_CONFIG_HOME", m_strOldConfig->c_str(), 1);
    if (!m_strOldConfig) unsetenv("XDG_CONFIG_HOME");
  }

  static ToolResult_t Run(const std::string& strArgs) {
    return RunToolIn(VELKAR_SAMPLE_DATA_DIR, strArgs);
  }

  // The document printed, which must be indented by two.
  static json RunJson(const std::string& strArgs) {
    const ToolResult_t result = Run(strArgs + " --json");
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    const json document = json::parse(result.strOut);
    EXPECT_EQ(result.strOut, document.dump(2) + "\n");
    return document;
  }

  CTestDataDir m_config;
  std::optional<std::string> m_strOldConfig;  // restored afterwards
};

// A build names its records; the same calculation given by list positions
// must print the same. A build of another category gives neither its motions
// nor its hit correction.
TEST_F(BuildsToolTest, BuildPrintsWhatItsPartsGivenAsOptionsPrint) {
  const ToolResult_t withBuild = Run("report --build 炎剣");
  ASSERT_EQ(withBuild.nExit, 0) << withBuild.strErr;
  EXPECT_EQ(withBuild.strOut, Run("report" + kFireSword).strOut);
  EXPECT_EQ(Run("report --build 鉄剣 --category 6 --weapon 0").strOut,
            Run("report --category 6 --weapon 0").strOut);
  // Options given replace the build's parts, the lists of modifiers and motions whole.
  const std::string strRest = " --monster 0 --level 0 --hit 2 --modifier 1018 --motion 1";
  const ToolResult_t replaced = Run("report --build 炎剣" + strRest);
  EXPECT_EQ(replaced.strOut,
            Run("report --category 0 --weapon 1 --sharpness 5 --anger" + strRest).strOut);
  EXPECT_NE(replaced.strOut, withBuild.strOut);
}

// 炎剣 against 雷角獣シグラーム, 鉄剣 against the first monster: regions
// match by name, and one missing on either side has no difference.
TEST_F(BuildsToolTest, CompareGivesBothReportsAndTheirDifference) {
  std::map<std::string, json> mapDamage;
  for (const char* pszBuild : {"炎剣", "鉄剣"}) {
    const json report = RunJson(std::string("report --build ") + pszBuild);
    for (const json& row : report["rows"]) mapDamage[row["region"]][pszBuild] = row["damage"];
  }
  const json compare = RunJson("compare --build 炎剣 --build 鉄剣");
  ASSERT_EQ(compare["regions"].size(), mapDamage.size());
  for (const json& region : compare["regions"]) {
    json& damage = mapDamage[region["region"]];
    EXPECT_EQ(region["a"], damage["炎剣"]);
    EXPECT_EQ(region["b"], damage["鉄剣"]);
    EXPECT_EQ(region["difference"], region["a"].is_null() || region["b"].is_null()
                                        ? json()
                                        : json(region["b"].get<int>() - region["a"].get<int>()));
  }
  const int nA = compare["a"]["total"];
  const int nB = compare["b"]["total"];
  EXPECT_EQ(compare["total_difference"], nB - nA);
  // The text ends with the same totals, the difference signed.
  const std::string strText = Run("compare --build 炎剣 --build 鉄剣").strOut;
  EXPECT_EQ(Words(strText.substr(strText.rfind("\ntotal") + 1)),
            Words("total " + std::to_string(nA) + " " + std::to_string(nB) + " " +
                  (nB > nA ? "+" : "") + std::to_string(nB - nA) + "\n"));
}

TEST_F(BuildsToolTest, BuildsListsWhatWasSavedAndUnknownNamesAreUsageErrors) {
  EXPECT_EQ(RunJson("builds")["builds"][0]["setup"]["weapon"], "焔刃ヴァルゼナ");
  EXPECT_EQ(Run("builds").strOut,
            "炎剣  category 0 (Sword)  weapon 焔刃ヴァルゼナ  monster 雷角獣シグラーム\n"
            "鉄剣  category 0 (Sword)  weapon 鉄の片手剣  monster -\n");
  const ToolResult_t result = Run("compare --build 炎剣 --build 無");
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strErr,
            "velkar-tool: --build: there is no build named 無; saved builds: 炎剣, 鉄剣\n");
}

}  // namespace
