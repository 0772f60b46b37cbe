// velkar-tool report on a small hand-made data set: the report text, the
// JSON object and the order in which the options reach the calculator. The
// damage values are worked out by hand below.
//
// Great sword (attack coefficient 4.8, element coefficient 1.0), weapon
// 試作大剣: attack 960, fire (mask 2), element value 300, sharpness 3
// (green: physical 1.125, element 1.0). Base attack B = 960 / 4.8 = 200.
// Monster テスト竜ー, anger values 100, 90, 100; regions (cut, fire):
//   頭 45, 20     背中の甲殻部 20, 0 (12 bytes: wider than the column)     尻尾 90, 10
// Hit pattern 通常 100/100, 弾かれ 50/60; levels 下位 100, 上位 80.
// Per hit: r = mv * B * 0.01; P = cut * (rate * 0.01) * r * h * ps * 0.01;
// E = element * 0.1 * zone * es * 0.01; T = level * (E + P) * 0.01, times
// (200 - 90) * 0.01 when angry; each hit is truncated before it is added.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::json;

void WriteDataSet(const CTestDataDir& dir) {
  dir.WriteText("GreatSword.ini",
                u8"[Action]\n1=振り下ろし, 48\n2=薙ぎ払い, 48, 26\n"
                u8"[HitPattern]\n1=通常, 100, 100\n2=弾かれ, 50, 60\n"
                u8"[Weapon]\n1=試作大剣, 960, 2, 300, 3, 0\n");
  dir.WriteText("Monster.ini",
                u8"[Monster]\n0=テスト竜ー\n[テスト竜ー]\nAnger=100,90,100\n"
                u8"0=頭,45,45,45,20,0,0,0,0\n"
                u8"1=背中の甲殻部,20,20,20,0,0,0,0,0\n"
                u8"2=尻尾,90,30,30,10,0,0,0,0\n"
                u8"[Level]\n1=下位,100\n2=上位,80\n");
  ASSERT_EQ(RunToolIn(dir.Path(), {"convert"}).nExit, 0);
}

class ReportCommandTest : public ::testing::Test {
protected:
  void SetUp() override { WriteDataSet(m_dir); }

  ToolResult_t Report(std::vector<std::string> arrArg) const {
    arrArg.insert(arrArg.begin(), {"report", "--category", "2", "--weapon", "0"});
    return RunToolIn(m_dir.Path(), arrArg);
  }

  CTestDataDir m_dir;
};

// One motion 振り下ろし [48], the weapon's own sharpness 3, no modifier:
//   頭:   r = 96, P = 45 * 96 * 1.125 / 100 = 48.6, E = 30 * 20 / 100 = 6,
//         T = 54.6 -> 54; e = 48.6 / 96 * 100 = 50.625: normal (black)
//   背中: P = 20 * 96 * 1.125 / 100 = 21.6, E = 0 -> 21; e = 22.5: low (red)
//   尻尾: P = 97.2, E = 3, T = 100.2 -> 100; e = 101.25: high (blue)
const char kPlainReport[] =
    "使用武器：大剣/試作大剣\r\n"
    "攻撃対象：テスト竜ー\r\n"
    "モンスターLv：下位\r\n"
    "当たり方修正：通常\r\n"
    "\r\n[スキル/アイテム修正]\r\n"
    "\r\n[攻撃リスト]\r\n"
    "振り下ろし\r\n"
    "\r\n[最終ダメージ]\r\n"
    "部位      |物理/属性|結果\r\n"
    "----------+---------+-----\r\n"
    "頭        | 45%/ 20%|  54\r\n"
    "背中の甲殻部| 20%/  0%|  21\r\n"
    "尻尾      | 90%/ 10%| 100\r\n";

TEST_F(ReportCommandTest, TextIsTheWholeReport) {
  const ToolResult_t result = Report({"--motion", "0"});
  EXPECT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.strOut, kPlainReport);
}

TEST_F(ReportCommandTest, SjisWritesTheReportsOwnBytes) {
  const ToolResult_t result = RunToolIn(
      m_dir.Path(), {"--sjis", "report", "--category", "2", "--weapon", "0", "--motion", "0"});
  EXPECT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(result.strOut, velkar::ToSjis(reinterpret_cast<const char8_t*>(kPlainReport)));
}

TEST_F(ReportCommandTest, JsonHoldsTextsRowsAndReport) {
  const ToolResult_t result = Report({"--motion", "0", "--json"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;

  const json expected = {{"attack", "攻撃力：960"},
                         {"element", "属性(火):300"},
                         {"sharpness", "切れ味:緑"},
                         {"rows",
                          {{{"region", "頭"},
                            {"physical", 45},
                            {"element", 20},
                            {"damage", 54},
                            {"kind", 0},
                            {"colour", "#000000"},
                            {"cells", {"頭", "45%", "20%", "54"}}},
                           {{"region", "背中の甲殻部"},
                            {"physical", 20},
                            {"element", 0},
                            {"damage", 21},
                            {"kind", 1},
                            {"colour", "#ff0000"},
                            {"cells", {"背中の甲殻部", "20%", "0%", "21"}}},
                           {{"region", "尻尾"},
                            {"physical", 90},
                            {"element", 10},
                            {"damage", 100},
                            {"kind", 2},
                            {"colour", "#0000ff"},
                            {"cells", {"尻尾", "90%", "10%", "100"}}}}},
                         {"report", kPlainReport}};
  EXPECT_EQ(json::parse(result.strOut), expected) << result.strOut;
}

// 力の護符 +5, 力の爪 +9, 会心 x1.25, angry (110 %), motion 薙ぎ払い [48, 26]:
// B = (200 + 14) * 1.25 = 267.5; r = 128.4 and 69.55.
//   頭:   48: P = 45 * 128.4 * 1.125 / 100 = 65.0025, T = 71.0025 * 1.1 = 78.10275 -> 78
//         26: P = 35.2096875, T = 41.2096875 * 1.1 = 45.33065625 -> 45; total 123
//   背中: 48: P = 28.89 * 1.1 = 31.779 -> 31; 26: P = 15.64875 * 1.1 = 17.213625 -> 17; 48
//   尻尾: 48: (130.005 + 3) * 1.1 = 146.3055 -> 146; 26: (70.419375 + 3) * 1.1
//         = 80.7613125 -> 80; total 226
// The modifiers are listed in control id order, whatever the command line's.
TEST_F(ReportCommandTest, ModifiersAngerAndMultiHitMotion) {
  const ToolResult_t result = Report({"--modifier", "1040", "--modifier", "1021", "--modifier",
                                      "1022", "--anger", "--motion", "1", "--json"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const json document = json::parse(result.strOut);
  const std::string strReport = document["report"];
  EXPECT_NE(strReport.find("攻撃対象：テスト竜ー(怒り状態)\r\n"), std::string::npos);
  EXPECT_NE(strReport.find("[スキル/アイテム修正]\r\n力の護符\r\n力の爪\r\n会心\r\n"),
            std::string::npos)
      << strReport;
  EXPECT_NE(strReport.find("[攻撃リスト]\r\n薙ぎ払い\r\n"), std::string::npos);
  ASSERT_EQ(document["rows"].size(), 3u);
  EXPECT_EQ(document["rows"][0]["damage"], 123);
  EXPECT_EQ(document["rows"][1]["damage"], 48);
  EXPECT_EQ(document["rows"][1]["kind"], 1);
  EXPECT_EQ(document["rows"][2]["damage"], 226);
  EXPECT_EQ(document["rows"][2]["kind"], 2);
}

// Sharpness 5 (white: 1.3 and 1.125), level 上位 (80), hit correction 弾かれ
// (high rate 60 at sharpness 3 to 5), 振り下ろし twice:
//   頭:   P = 45 * 96 * 0.6 * 1.3 / 100 = 33.696, E = 30 * 20 * 1.125 / 100 = 6.75,
//         T = 80 * 40.446 / 100 = 32.3568 -> 32, twice 64; e = 35.1: normal
//   背中: P = 14.976, T = 11.9808 -> 11, twice 22; e = 15.6: low
//   尻尾: P = 67.392, E = 3.375, T = 56.6136 -> 56, twice 112; e = 70.2: normal
TEST_F(ReportCommandTest, SharpnessLevelAndHitCorrectionAreApplied) {
  const ToolResult_t result = Report({"--sharpness", "5", "--level", "1", "--hit", "1", "--monster",
                                      "0", "--motion", "0", "--motion", "0", "--json"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const json document = json::parse(result.strOut);
  EXPECT_EQ(document["sharpness"], "切れ味:白");
  std::vector<int> arrDamage;
  std::vector<int> arrKind;
  for (const json& row : document["rows"]) {
    arrDamage.push_back(row["damage"]);
    arrKind.push_back(row["kind"]);
  }
  EXPECT_EQ(arrDamage, (std::vector<int>{64, 22, 112}));
  EXPECT_EQ(arrKind, (std::vector<int>{0, 1, 0}));
  const std::string strReport = document["report"];
  EXPECT_NE(strReport.find("モンスターLv：上位\r\n当たり方修正：弾かれ\r\n"), std::string::npos);
  EXPECT_NE(strReport.find("[攻撃リスト]\r\n振り下ろし\r\n振り下ろし\r\n"), std::string::npos);
}

// An exclusive group keeps the last of its members given: 会心 then
// マイナス会心 leaves マイナス会心 (x0.75) alone, B = 150:
//   頭: r = 72, P = 45 * 72 * 1.125 / 100 = 36.45, T = 42.45 -> 42
TEST_F(ReportCommandTest, ExclusiveGroupsFollowTheOrderGiven) {
  const ToolResult_t result =
      Report({"--modifier", "1040", "--modifier", "1041", "--motion", "0", "--json"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const json document = json::parse(result.strOut);
  EXPECT_EQ(document["rows"][0]["damage"], 42);
  const std::string strReport = document["report"];
  EXPECT_NE(strReport.find("[スキル/アイテム修正]\r\nマイナス会心\r\n\r\n"), std::string::npos)
      << strReport;
}

TEST(ReportWithoutTargetsTest, MissingMonsterFileIsAFailureNotAUsageError) {
  CTestDataDir dir;
  dir.WriteText("GreatSword.ini", u8"[HitPattern]\n1=通常,100,100\n[Weapon]\n1=w,960,0,0,3,0\n");
  ASSERT_EQ(RunToolIn(dir.Path(), {"convert", "weapons"}).nExit, 0);

  const ToolResult_t result = RunToolIn(dir.Path(), {"report", "--category", "2", "--weapon", "0"});

  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "velkar-tool: no report: there is no monster to select\n");
}

}  // namespace
