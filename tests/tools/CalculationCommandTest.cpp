// velkar-tool report, report --explain and rank on a small hand-made data set
// in which two weapons tie. The damage values are worked out by hand below.
//
// Great swords (attack coefficient 4.8), weapons in list order:
//   0 双子大剣A 720 (B = 150), no element, green
//   1 試作大剣 960 (B = 200), fire 300, green
//   2 鈍大剣   960 (B = 200), no element, orange (0.75; the low hit rate 80 %)
//   3 双子大剣B 720, the twin of weapon 0
//   4 鉄大剣   480 (B = 100), fire 400, green
// Monster テスト竜ー (anger 90): 頭 cut 45 fire 20, 背中の甲殻部 cut 20 fire
// 60, 尻尾 cut 90 fire 10. Hit pattern 通常: low 80, high 100. Level 100 %.
// One 振り下ろし [48]: r = 0.48 B; P = cut * r * h * ps / 100; E = element / 10
// * fire * es / 100; each hit truncated.
//
// At each weapon's own sharpness (green 1.125 / 1.0, orange 0.75 / 0.5):
//   双子大剣A/B: r = 72: 36.45 -> 36, 16.2 -> 16, 72.9 -> 72; total 124
//   試作大剣: r = 96: 48.6 + 6 -> 54, 21.6 + 18 -> 39, 97.2 + 3 -> 100; total 193
//   鈍大剣: r = 96, h = 0.8: 25.92 -> 25, 11.52 -> 11, 51.84 -> 51; total 87
//   鉄大剣: r = 48: 24.3 + 8 -> 32, 10.8 + 24 -> 34, 48.6 + 4 -> 52; total 118
// At white (--sharpness 5: 1.3 / 1.125, high rate 100):
//   双子大剣A/B: 42.12 -> 42, 18.72 -> 18, 84.24 -> 84; total 144
//   試作大剣: 56.16 + 6.75 -> 62, 24.96 + 20.25 -> 45, 112.32 + 3.375 -> 115; 222
//   鈍大剣: 56.16 -> 56, 24.96 -> 24, 112.32 -> 112; total 192
//   鉄大剣: 28.08 + 9 -> 37, 12.48 + 27 -> 39, 56.16 + 4.5 -> 60; total 136
// The breakdown after the report is of 試作大剣 (B = 200, r = 96 at sharpness
// 3: green, physical 1.125, element 1.0; the hit rate 100 %); on the back
// P = 20 * 96 * 1.125 / 100 = 21.6 (stored as 21.600000000000001), E = 30 *
// 60 / 100 = 18, T = 39.6 -> 39, e = 21.6 / 96 * 100 = 22.5: low.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::json;

// velkar-tool on the data set, converted once.
ToolResult_t RunOnDataSet(const std::string& strArgs) {
  static const CTestDataDir dir;
  static const int nConverted = [] {
    dir.WriteText("GreatSword.ini",
                  u8"[Action]\n1=振り下ろし, 48\n[HitPattern]\n1=通常, 80, 100\n"
                  u8"[Weapon]\n1=双子大剣A, 720, 0, 0, 3, 0\n2=試作大剣, 960, 2, 300, 3, 0\n"
                  u8"3=鈍大剣, 960, 0, 0, 1, 0\n4=双子大剣B, 720, 0, 0, 3, 0\n"
                  u8"5=鉄大剣, 480, 2, 400, 3, 0\n");
    dir.WriteText("Monster.ini",
                  u8"[Monster]\n0=テスト竜ー\n[テスト竜ー]\nAnger=100,90,100\n"
                  u8"0=頭,45,45,45,20,0,0,0,0\n1=背中の甲殻部,20,20,20,60,0,0,0,0\n"
                  u8"2=尻尾,90,30,30,10,0,0,0,0\n[Level]\n1=下位,100\n");
    return ConvertWithEmptySources(dir.Path(), "convert").nExit;
  }();
  EXPECT_EQ(nConverted, 0);
  return RunToolIn(dir.Path(), strArgs);
}

// The great swords' names in ranking order, each after its rank.
std::string Order(const std::string& strArgs) {
  const json document =
      json::parse(RunOnDataSet("rank --category 2 --motion 0 --json " + strArgs).strOut);
  std::string strOrder;
  for (const json& entry : document["ranking"]) {
    strOrder +=
        std::to_string(entry["rank"].get<int>()) + " " + entry["weapon"].get<std::string>() + ", ";
  }
  return strOrder;
}

// The small data set: w (B = 196 / 1.4 = 140) with a [10] on 竜's head (cut
// 50, fire 20), blue (1.25, 1.0625), g's high rate 70 %, level k 80 %, angry
// (200 - 90 = 110 %): r = 14, P = 50 x 14 x 0.7 x 1.25 / 100 = 6.125, e =
// 43.75, E = 100 x 0.1 x 20 x 1.0625 / 100 = 2.125, T = 0.8 x 8.25 = 6.6,
// x 1.1 = 7.26 -> 7. The explanation shows the doubles' last bits.
const std::string kSmallReport =
    "使用武器：片手剣/w\r\n攻撃対象：竜(怒り状態)\r\nモンスターLv：k\r\n当たり方修正：g\r\n\r\n"
    "[スキル/アイテム修正]\r\n\r\n[攻撃リスト]\r\na\r\n\r\n[最終ダメージ]\r\n"
    "部位      |物理/属性|結果\r\n----------+---------+-----\r\n頭        | 50%/ 20%|   7\r\n";

TEST(CalculationCommandTest, ReportExplainedAsTextAndAsJson) {
  const std::string strArgs =
      "report --category 0 --weapon 0 --sharpness 4 --monster 1 --level 1 --hit 1 --anger "
      "--motion 0 --explain";
  const ToolResult_t text = RunToolIn(SmallDataSet(), strArgs);
  EXPECT_EQ(text.nExit, 0) << text.strErr;
  EXPECT_EQ(text.strOut,
            kSmallReport +
                "\nsharpness 4: physical x1.25, element x1.0625\nhit correction 70%: h "
                "0.70000000000000007\nmodifiers: bonus +0, factor x1; base attack B "
                "140\nlevel 80%; angry 110%\n頭: physical 50%, element 20%, damage 7 "
                "(normal)\n  motion 1 a, hit 1: mv 10, raw r 14, rate m 100%, physical "
                "P 6.1250000000000009, effective e 43.750000000000007 (normal), "
                "element E 2.125, total T 6.6000000000000005, after anger "
                "7.2600000000000016, truncated 7, running 7\n");
  nlohmann::ordered_json document = nlohmann::ordered_json::parse(R"({"attack": "攻撃力：196",
    "element": "属性(火):100", "sharpness": "切れ味:青", "rows": [{"region": "頭", "physical": 50,
     "element": 20, "damage": 7, "kind": 0, "colour": "#000000", "cells": ["頭", "50%", "20%",
     "7"]}], "report": "", "factors": {"sharpness": 4, "sharpness_physical": 1.25,
    "sharpness_element": 1.0625, "hit_rate": 70, "hit_factor": 0.7000000000000001, "bonus": 0,
    "factor": 1.0, "base_attack": 140.0, "level_rate": 80, "anger": true, "anger_rate": 110},
   "explain": [{"region": "頭", "physical": 50, "element": 20, "damage": 7, "kind": 0, "hits": [
     {"motion": "a", "position": 0, "hit": 0, "motion_value": 10, "raw": 14.0, "motion_rate": 100,
      "physical": 6.125000000000001, "effective": 43.75000000000001, "kind": 0, "element": 2.125,
      "total": 6.6000000000000005, "after_anger": 7.260000000000002, "truncated": 7,
      "running": 7}]}]})");
  document["report"] = kSmallReport;
  EXPECT_EQ(RunToolIn(SmallDataSet(), strArgs + " --json").strOut, document.dump(2) + "\n");
}

// Each modifier ticked by its control id: w (B = 140) with e [1000] on 竜's
// head, green, h's high rate 110 %: a hit is 6.1875 B + 2. A bonus b gives B
// = 140 + b (886.8 for +3, 899.2 for +5 ...), a factor f gives B = 140 f
// (998.2 for 1.15, 1041.5 for 1.2, 1128.1 for 1.3, 608.4 for 0.7 ...).
TEST(CalculationCommandTest, EachModifierByItsControlId) {
  const int arrDamage[24] = {886, 899, 930, 899, 923, 886,  899,  886,  886,  899, 930,  1022,
                             930, 899, 930, 930, 998, 1041, 1041, 1128, 1128, 608, 1084, 651};
  for (int nId = 1018; nId <= 1041; ++nId) {
    const ToolResult_t result = RunToolIn(
        SmallDataSet(), "report --category 0 --weapon 0 --monster 1 --motion 4 --json --modifier " +
                            std::to_string(nId));
    EXPECT_EQ(nlohmann::json::parse(result.strOut)["rows"][0]["damage"], arrDamage[nId - 1018])
        << nId;
  }
}

// Widths count Shift-JIS bytes, which is what a terminal shows: a kanji is
// two columns wide. Names are on the left, numbers on the right.
TEST(CalculationCommandTest, TableByTotalWithTheTwinsTied) {
  EXPECT_EQ(RunOnDataSet("rank --category 2 --motion 0").strOut,
            "rank  weapon     total  頭  背中の甲殻部  尻尾\n"
            "   1  試作大剣     193  54            39   100\n"
            "   2  双子大剣A    124  36            16    72\n"
            "   2  双子大剣B    124  36            16    72\n"
            "   4  鉄大剣       118  32            34    52\n"
            "   5  鈍大剣        87  25            11    51\n");
}

// At white (one sharpness for every weapon lifts the orange 鈍大剣), in list
// order, the tail gives 84, 115, 112, 84, 60 and the back 18, 45, 24, 18, 39:
// on the back the fire of 鉄大剣 counts for more than the twins' attack, and
// the twins tie on both and keep their list order.
TEST(CalculationCommandTest, RegionAndSharpnessReorderTheTable) {
  EXPECT_EQ(Order("--sharpness 5 --region 尻尾"),
            "1 試作大剣, 2 鈍大剣, 3 双子大剣A, 3 双子大剣B, 5 鉄大剣, ");
  EXPECT_EQ(Order("--sharpness 5 --region 背中の甲殻部"),
            "1 試作大剣, 2 鉄大剣, 3 鈍大剣, 4 双子大剣A, 4 双子大剣B, ");
}

}  // namespace
