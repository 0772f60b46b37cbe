// velkar-tool save-build, builds, --build and compare on the sample data,
// with builds kept in a temporary configuration folder (the program finds it
// through XDG_CONFIG_HOME, as it would a player's).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/BuildCode.h"
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
    setenv("XDG_CONFIG_HOME", m_config.Path().c_str(), 1);
    ASSERT_EQ(Run("save-build 炎剣" + kFireSword).nExit, 0);
    Setup_t iron;
    iron.nCategory = 0;
    iron.strWeapon = velkar::ToSjis(u8"鉄の片手剣");
    iron.arrMotion = {velkar::ToSjis(u8"横斬り")};
    iron.strHitCorrection = velkar::ToSjis(u8"かすり当たり");
    ASSERT_EQ(CSetupStore().SaveBuild({velkar::ToSjis(u8"鉄剣"), iron}), eSTORE_RESULT::Ok);
  }
  void TearDown() override { unsetenv("XDG_CONFIG_HOME"); }

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
}

TEST_F(BuildsToolTest, BuildsListsWhatWasSavedAndUnknownNamesAreUsageErrors) {
  EXPECT_EQ(RunJson("builds")["builds"][0]["setup"]["weapon"], "焔刃ヴァルゼナ");
  EXPECT_NE(Run("builds").strOut.find("\n鉄剣  category 0 (Sword)  weapon 鉄の片手剣  monster -\n"),
            std::string::npos);
  const ToolResult_t result = Run("compare --build 炎剣 --build 無");
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strErr,
            "velkar-tool: --build: there is no build named 無; saved builds: 炎剣, 鉄剣\n");
}

// A code of both builds compares as they do and comes back under new names as
// saved; one whose names are taken is refused whole. A code of a calculation
// computes as it did.
TEST_F(BuildsToolTest, CodesCarryBuildsAcross) {
  const ToolResult_t code = Run("code --build 炎剣 --build 鉄剣");
  ASSERT_EQ(code.nExit, 0) << code.strErr;
  const std::string strCode = code.strOut.substr(0, code.strOut.size() - 1);
  const ToolResult_t taken = Run("builds import " + strCode + " --rename 炎剣2");
  EXPECT_EQ(taken.nExit, 2);
  EXPECT_EQ(taken.strErr,
            "velkar-tool: nothing imported: these names are taken: 鉄剣; give free ones with "
            "--rename\n");
  EXPECT_EQ(Run("builds import " + strCode + " --rename 炎剣2 --rename 鉄剣2").strOut,
            "imported 炎剣2\nimported 鉄剣2\n");
  EXPECT_EQ(RunJson("compare --code " + strCode), RunJson("compare --build 炎剣 --build 鉄剣"));
  const json builds = RunJson("builds")["builds"];
  ASSERT_EQ(builds.size(), 4U);
  EXPECT_EQ(builds[2]["setup"], builds[0]["setup"]);
  EXPECT_EQ(builds[3]["setup"], builds[1]["setup"]);

  const std::string strOne = Run("code --build 炎剣 --sharpness 2 --motion 1").strOut;
  const ToolResult_t report = Run("report --code " + strOne.substr(0, strOne.size() - 1));
  EXPECT_EQ(report.strErr, "");
  EXPECT_EQ(report.strOut, Run("report --build 炎剣 --sharpness 2 --motion 1").strOut);
}

// On data files that differ (the great swords' file as the swords'), the code
// opens as far as the data allows and says so: made with other data, and
// each name that the data lacks. Importing it saves the build whole and warns
// the same.
TEST_F(BuildsToolTest, CodeOnOtherDataIsWarned) {
  const CTestDataDir other;
  const std::filesystem::path sample(VELKAR_SAMPLE_DATA_DIR);
  std::filesystem::copy_file(sample / "Monster.dat", other.PathOf("Monster.dat"));
  std::filesystem::copy_file(sample / "GreatSword.dat", other.PathOf("Sword.dat"));
  const auto codeIn = [](const std::string& strDir) {
    const std::string strOut = RunToolIn(strDir, "code --build 炎剣").strOut;
    return strOut.substr(0, strOut.size() - 1);
  };
  const std::string strCode = codeIn(VELKAR_SAMPLE_DATA_DIR);
  const auto fingerprint = [](const std::string& strOfCode) {
    CodeError_t error;
    char szText[9];
    std::snprintf(szText, sizeof szText, "%08x", DecodeBuildCode(strOfCode, error)->nFingerprint);
    return std::string(szText);
  };
  const std::string strOtherData =
      "velkar-tool: warning: the code was made with other data files (fingerprint " +
      fingerprint(strCode) + ", these are " + fingerprint(codeIn(other.Path())) +
      "); what they lack is left out\n";
  const ToolResult_t report = RunToolIn(other.Path(), "report --weapon 1 --code " + strCode);
  EXPECT_EQ(report.nExit, 0);
  EXPECT_EQ(report.strErr,
            strOtherData +
                "velkar-tool: warning: build 炎剣: hit correction 芯当たり is not in the data; the "
                "first is used\n"
                "velkar-tool: warning: build 炎剣: motion 横斬り is not in the data; left out\n");
  EXPECT_EQ(report.strOut, RunToolIn(other.Path(),
                                     "report --category 0 --weapon 1 --sharpness 5 --monster 2 "
                                     "--level 1 --anger --modifier 1019 --modifier 1021 --motion "
                                     "0 --motion 0")
                               .strOut);

  const ToolResult_t imported =
      RunToolIn(other.Path(), "builds import " + strCode + " --rename 炎剣2");
  EXPECT_EQ(imported.strOut, "imported 炎剣2\n");
  EXPECT_EQ(imported.strErr,
            strOtherData +
                "velkar-tool: warning: build 炎剣2: weapon 焔刃ヴァルゼナ is not in the data\n"
                "velkar-tool: warning: build 炎剣2: motion 横斬り is not in the data\n"
                "velkar-tool: warning: build 炎剣2: hit correction 芯当たり is not in the data\n");
  EXPECT_EQ(RunJson("builds")["builds"][2]["setup"], RunJson("builds")["builds"][0]["setup"]);
}

}  // namespace
