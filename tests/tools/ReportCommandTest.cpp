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
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), {"convert"}).nExit, 0);
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

// The breakdown after the report, for the one 振り下ろし above: the same
// numbers, each double with its 17 significant digits (48.6 is stored as
// 48.600000000000001), every hit's truncated value adding up to the damage.
TEST_F(ReportCommandTest, ExplainFollowsTheReport) {
  const ToolResult_t result = Report({"--motion", "0", "--explain"});
  EXPECT_EQ(result.nExit, 0) << result.strErr;
  const std::string strHit = "  motion 1 振り下ろし, hit 1: mv 48, raw r 96, rate m 100%, ";
  EXPECT_EQ(result.strOut,
            std::string(kPlainReport) + "\n" +
                "sharpness 3: physical x1.125, element x1\n"
                "hit correction 100%: h 1\n"
                "modifiers: bonus +0, factor x1; base attack B 200\n"
                "level 100%; not angry\n"
                "頭: physical 45%, element 20%, damage 54 (normal)\n" +
                strHit +
                "physical P 48.600000000000001, effective e 50.625 (normal), element E 6, "
                "total T 54.600000000000001, after anger 54.600000000000001, truncated 54, "
                "running 54\n"
                "背中の甲殻部: physical 20%, element 0%, damage 21 (low)\n" +
                strHit +
                "physical P 21.600000000000001, effective e 22.5 (low), element E 0, "
                "total T 21.600000000000001, after anger 21.600000000000001, truncated 21, "
                "running 21\n"
                "尻尾: physical 90%, element 10%, damage 100 (high)\n" +
                strHit +
                "physical P 97.200000000000003, effective e 101.25 (high), element E 3, "
                "total T 100.2, after anger 100.2, truncated 100, running 100\n");
}

// With --json the breakdown is data: the factors, and per region its hits.
// The second hit of 薙ぎ払い on the head, angry with 会心 (B = 250):
// r = 26 * 250 / 100 = 65, P = 45 * 65 * 1.125 / 100 = 32.90625, E = 6,
// T = 38.90625, angry (110 %) 42.796875 -> 42; the first hit (mv 48:
// r = 120, P = 60.75, T = 66.75, angry 73.425 -> 73) makes the running 115.
TEST_F(ReportCommandTest, ExplainJsonHoldsFactorsAndHits) {
  const ToolResult_t result =
      Report({"--motion", "1", "--anger", "--modifier", "1040", "--json", "--explain"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const json document = json::parse(result.strOut);

  const json& factors = document["factors"];
  EXPECT_EQ(factors["sharpness"], 3);
  EXPECT_EQ(factors["sharpness_physical"], 1.125);
  EXPECT_EQ(factors["hit_rate"], 100);
  EXPECT_EQ(factors["bonus"], 0);
  EXPECT_EQ(factors["factor"], 1.25);
  EXPECT_EQ(factors["base_attack"], 250.0);
  EXPECT_EQ(factors["anger"], true);
  EXPECT_EQ(factors["anger_rate"], 110);

  const json& explain = document["explain"];
  ASSERT_EQ(explain.size(), 3u);
  EXPECT_EQ(explain[0]["region"], "頭");
  EXPECT_EQ(explain[0]["damage"], 115);
  EXPECT_EQ(explain[0]["damage"], document["rows"][0]["damage"]);
  ASSERT_EQ(explain[0]["hits"].size(), 2u);
  const json& hit = explain[0]["hits"][1];
  EXPECT_EQ(hit["motion"], "薙ぎ払い");
  EXPECT_EQ(hit["position"], 0);
  EXPECT_EQ(hit["hit"], 1);
  EXPECT_EQ(hit["motion_value"], 26);
  EXPECT_DOUBLE_EQ(hit["raw"].get<double>(), 65.0);
  EXPECT_EQ(hit["motion_rate"], 100);
  EXPECT_DOUBLE_EQ(hit["physical"].get<double>(), 32.90625);
  EXPECT_DOUBLE_EQ(hit["effective"].get<double>(), 50.625);
  EXPECT_EQ(hit["kind"], 0);
  EXPECT_DOUBLE_EQ(hit["element"].get<double>(), 6.0);
  EXPECT_DOUBLE_EQ(hit["total"].get<double>(), 38.90625);
  EXPECT_DOUBLE_EQ(hit["after_anger"].get<double>(), 42.796875);
  EXPECT_EQ(hit["truncated"], 42);
  EXPECT_EQ(hit["running"], 115);
}

TEST_F(ReportCommandTest, JsonWithoutExplainHasNoBreakdown) {
  const ToolResult_t result = Report({"--motion", "0", "--json"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const json document = json::parse(result.strOut);
  EXPECT_FALSE(document.contains("explain"));
  EXPECT_FALSE(document.contains("factors"));
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
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), {"convert", "weapons"}).nExit, 0);

  const ToolResult_t result = RunToolIn(dir.Path(), {"report", "--category", "2", "--weapon", "0"});

  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "velkar-tool: no report: there is no monster to select\n");
}

}  // namespace
