// velkar-tool save-build, builds, --build and compare on the sample data,
// with builds kept in a temporary configuration folder (the program finds it
// through XDG_CONFIG_HOME, as it would a player's).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "setup/BuildCode.h"
#include "setup/SetupStore.h"
#include "support/HostileFiles.h"
#include "support/JsonTexts.h"
#include "support/ScopedEnv.h"
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
    ASSERT_EQ(Run("save-build 炎剣" + kFireSword).nExit, 0);
    Setup_t iron;
    iron.nCategory = 0;
    iron.strWeapon = velkar::ToSjis(u8"鉄の片手剣");
    iron.arrMotion = {velkar::ToSjis(u8"横斬り")};
    iron.strHitCorrection = velkar::ToSjis(u8"かすり当たり");
    ASSERT_EQ(CSetupStore().SaveBuild({velkar::ToSjis(u8"鉄剣"), iron}), eSTORE_RESULT::Ok);
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
  const CScopedEnv m_configHome{"XDG_CONFIG_HOME", m_config.Path().c_str()};
};

// A build names its records; the same calculation given by list positions
// must print the same. A build of another category gives neither its motions
// nor its hit correction.
TEST_F(BuildsToolTest, BuildPrintsWhatItsPartsGivenAsOptionsPrint) {
  const ToolResult_t withBuild = Run("report --build 炎剣");
  ASSERT_EQ(withBuild.nExit, 0) << withBuild.strErr;
  EXPECT_EQ(withBuild.strOut, Run("report" + kFireSword).strOut);
  const ToolResult_t other = Run("report --build 鉄剣 --category 6 --weapon 0");
  EXPECT_EQ(other.strErr + other.strOut, Run("report --category 6 --weapon 0").strOut);
  // Options given replace the build's parts, the lists of modifiers and motions whole.
  const std::string strRest = " --monster 0 --level 0 --hit 2 --modifier 1018 --motion 1";
  const ToolResult_t replaced = Run("report --build 炎剣" + strRest);
  EXPECT_EQ(replaced.strOut,
            Run("report --category 0 --weapon 1 --sharpness 5 --anger" + strRest).strOut);
  EXPECT_NE(replaced.strOut, withBuild.strOut);
}

TEST_F(BuildsToolTest, BuildsListsWhatWasSavedAndUnknownNamesAreUsageErrors) {
  const ToolResult_t empty = RunTool({"--dir", VELKAR_SAMPLE_DATA_DIR, "save-build", ""});
  EXPECT_EQ(empty.nExit, 2);
  EXPECT_EQ(empty.strErr, "velkar-tool: NAME: a build's name must not be empty\n");
  EXPECT_EQ(RunJson("builds")["builds"][0]["setup"]["weapon"], "焔刃ヴァルゼナ");
  EXPECT_EQ(Run("builds").strOut,
            "炎剣  category 0 (Sword)  weapon 焔刃ヴァルゼナ  monster 雷角獣シグラーム\n"
            "鉄剣  category 0 (Sword)  weapon 鉄の片手剣  monster -\n");
  const ToolResult_t result = Run("compare --build 炎剣 --build 無");
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strErr,
            "velkar-tool: --build: there is no build named 無; saved builds: 炎剣, 鉄剣\n");
}

// A build that names what the data no longer holds: one warning per name on
// stderr and in "warnings", and the report of what is left, as the same
// calculation without those names gives it.
TEST_F(BuildsToolTest, NamesTheDataNoLongerHoldsAreWarned) {
  Setup_t gone;
  gone.nCategory = 0;
  gone.strWeapon = velkar::ToSjis(u8"焔刃ヴァルゼナ");
  gone.arrMotion = {velkar::ToSjis(u8"縦斬り"), velkar::ToSjis(u8"幻斬り"),
                    velkar::ToSjis(u8"幻斬り")};
  gone.strMonster = velkar::ToSjis(u8"幻の竜");
  gone.strLevel = velkar::ToSjis(u8"上位");
  gone.strHitCorrection = velkar::ToSjis(u8"幻当たり");
  ASSERT_EQ(CSetupStore().SaveBuild({velkar::ToSjis(u8"幻"), gone}), eSTORE_RESULT::Ok);
  const ToolResult_t result = Run("report --build 幻");
  EXPECT_EQ(result.nExit, 0);
  EXPECT_EQ(result.strOut, Run("report --category 0 --weapon 1 --level 1 --motion 0").strOut);
  EXPECT_EQ(result.strErr,
            "velkar-tool: warning: build 幻: monster 幻の竜 is not in the data; the first is used\n"
            "velkar-tool: warning: build 幻: hit correction 幻当たり is not in the data; the first "
            "is used\n"
            "velkar-tool: warning: build 幻: motion 幻斬り is not in the data; left out\n");
  EXPECT_EQ(RunJson("report --build 幻")["warnings"], json::parse(R"([
      {"part": "monster", "name": "幻の竜"}, {"part": "hit_correction", "name": "幻当たり"},
      {"part": "motion", "name": "幻斬り"}])"));
}

// A hand-edited file: two builds of one name and a name with control
// characters. The name is refused where it would not say which build is
// meant, and printed escaped.
TEST_F(BuildsToolTest, HandEditedNamesAreToldApartAndEscaped) {
  const std::string strFile = reinterpret_cast<const char*>(
      u8R"({"format": "velkar-builds", "version": 1, "builds": [
        {"name": "波〜", "setup": {"weapon": "甲"}}, {"name": "\u001b[2J\n", "setup": {}},
        {"name": "波～", "setup": {}}]})");
  m_config.WriteBytes("velkar/builds.json", strFile);
  EXPECT_EQ(Run("builds").strOut,
            "波～  category -  weapon 甲  monster -\n\\x1b[2J\\n  category -  weapon -  monster -\n"
            "波～  category -  weapon -  monster -\n");
  const std::string strEntries = "2 builds are named 波～ (entries 1 and 3 of " +
                                 m_config.PathOf("velkar/builds.json") +
                                 "); rename all but one of them to tell them apart (the "
                                 "window's builds dialog, Ctrl+B)\n";
  const ToolResult_t report = Run("report --build 波～");
  EXPECT_EQ(report.nExit, 2);
  EXPECT_EQ(report.strErr, "velkar-tool: --build: " + strEntries);
  const ToolResult_t save = Run("save-build 波～ --category 0 --weapon 0");
  EXPECT_EQ(save.nExit, 1);
  EXPECT_EQ(save.strErr, "velkar-tool: build 波～ not saved: several builds in " +
                             m_config.PathOf("velkar/builds.json") +
                             " carry this name; rename all but one of them first (the window's "
                             "builds dialog, Ctrl+B)\n");
  // A control character, a lone trail byte and two 4-byte characters: U+E0100,
  // a variation selector, whose lead byte holds bits of the code point, and
  // an emoji, whose lead byte is the lowest a 4-byte character has.
  const auto Saved = [](const char* pszName) {
    const ToolResult_t result =
        RunTool({"save-build", pszName, "--category", "0", "--weapon", "0"});
    return std::to_string(result.nExit) + result.strErr;
  };
  EXPECT_EQ(Saved("a\tb") + Saved("a\x80") + Saved("a\xF3\xA0\x84\x80") + Saved("\xF0\x9F\x98\x80"),
            "2velkar-tool: NAME: a build's name must not hold a control character (U+0009)\n"
            "2velkar-tool: NAME: the name is not UTF-8 text (byte \\x80)\n"
            "2velkar-tool: NAME: Shift-JIS cannot hold the character U+E0100 of the name\n"
            "2velkar-tool: NAME: Shift-JIS cannot hold the character U+1F600 of the name\n");
  const std::vector<uint8_t> arrByte = m_config.ReadBytes("velkar/builds.json");
  EXPECT_EQ(std::string(arrByte.begin(), arrByte.end()), strFile);
}

// Files the tool cannot use are named, whatever their size or their folder's
// name: 20 MB of zeros in the memory of ulimit -v 262144, and a folder
// whose name is not UTF-8, printed with its bytes escaped.
TEST_F(BuildsToolTest, UnusualFilesAndFoldersAreNamed) {
  m_config.WriteBytes("velkar/builds.json", ArrayOf(10'000'000, "0"));
  for (const char* pszArgs : {"builds", "report --build 炎剣"}) {
    const ToolResult_t result = RunToolIn(VELKAR_SAMPLE_DATA_DIR, pszArgs, kSanitized ? 0 : 262144);
    EXPECT_EQ(result.nExit, 1);
    EXPECT_EQ(result.strErr, std::string("velkar-tool: ") + (pszArgs[0] == 'r' ? "--build: " : "") +
                                 m_config.PathOf("velkar/builds.json") +
                                 ": holds more than 1048576 values\n");
  }
  const std::string strFolder = m_config.PathOf("sj\x91\xe5");
  setenv("XDG_CONFIG_HOME", strFolder.c_str(), 1);
  EXPECT_EQ(RunJson("builds")["folder"], m_config.Path() + "sj\\x91\\xe5/velkar/");
}

// A code of both builds compares as they do and comes back under new names,
// saved also when stdout is full (what an import saves is compared whole on
// other data below); one whose names are taken or empty is refused whole.
TEST_F(BuildsToolTest, CodesCarryBuildsAcross) {
  const ToolResult_t code = Run("code --build 炎剣 --build 鉄剣");
  ASSERT_EQ(code.nExit, 0) << code.strErr;
  const std::string strCode = code.strOut.substr(0, code.strOut.size() - 1);
  const ToolResult_t full = RunTool({"--dir", VELKAR_SAMPLE_DATA_DIR, "builds", "import", strCode,
                                     "--rename", "炎剣2", "--rename", "鉄剣2"},
                                    eSTDOUT::FULL);
  EXPECT_EQ(std::to_string(full.nExit) + full.strErr, "0velkar-tool: imported 炎剣2, 鉄剣2\n");
  CodeError_t error;
  const ToolResult_t taken =
      Run("builds import " +
          EncodeBuildCode({0, {{"", {}}, {velkar::ToSjis(u8"鉄剣"), {}}}}, error).value());
  EXPECT_EQ(std::to_string(taken.nExit) + taken.strErr,
            "2velkar-tool: nothing imported: the name of build 1 is empty; these names are taken: "
            "鉄剣; give free names with --rename\n");
  EXPECT_EQ(RunJson("compare --code " + strCode), RunJson("compare --build 炎剣 --build 鉄剣"));
  EXPECT_EQ(RunJson("builds")["builds"].size(), 4U);
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
    std::snprintf(szText, sizeof szText, "%08x",
                  DecodeBuildCode(strOfCode, error).value().nFingerprint);
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

  // Said once, however many codes were made with other data files.
  CodeError_t error;
  const std::string strCompared =
      RunToolIn(other.Path(), "compare --code " + strCode + " --code " +
                                  EncodeBuildCode({1, {{"B", {}}}}, error).value())
          .strErr;
  EXPECT_TRUE(strCompared.starts_with(strOtherData)) << strCompared;
  EXPECT_EQ(strCompared.find("made with", 50), std::string::npos) << strCompared;

  const ToolResult_t imported =
      RunToolIn(other.Path(), "builds import " + strCode + " --rename 炎剣2");
  EXPECT_EQ(imported.strErr,
            "velkar-tool: imported 炎剣2\n" + strOtherData +
                "velkar-tool: warning: build 炎剣2: weapon 焔刃ヴァルゼナ is not in the data\n"
                "velkar-tool: warning: build 炎剣2: motion 横斬り is not in the data\n"
                "velkar-tool: warning: build 炎剣2: hit correction 芯当たり is not in the data\n");
  EXPECT_EQ(RunJson("builds")["builds"][2]["setup"], RunJson("builds")["builds"][0]["setup"]);
}

}  // namespace
