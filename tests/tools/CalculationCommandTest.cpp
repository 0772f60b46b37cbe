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

TEST(CalculationCommandTest, ExplainFollowsTheReport) {
  const ToolResult_t result = RunOnDataSet("report --category 2 --weapon 1 --motion 0 --explain");
  EXPECT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_NE(result.strOut.find("尻尾      | 90%/ 10%| 100\r\n\nsharpness 3: physical x1.125, "
                               "element x1\nhit correction 100%: h 1\nmodifiers: bonus +0, factor "
                               "x1; base attack B 200\nlevel 100%; not angry\n頭: "),
            std::string::npos);
  EXPECT_NE(
      result.strOut.find(
          "\n背中の甲殻部: physical 20%, element 60%, damage 39 (low)\n  motion 1 振り下ろし, "
          "hit 1: mv 48, raw r 96, rate m 100%, physical P 21.600000000000001, effective e "
          "22.5 (low), element E 18, total T 39.600000000000001, after anger "
          "39.600000000000001, truncated 39, running 39\n尻尾: "),
      std::string::npos);
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

// 試作大剣 by its tail: x1.3 makes B = 260 and r = 124.8, so 頭 63.18 + 6,
// 背中の甲殻部 28.08 + 18, 尻尾 126.36 + 3 -> 69, 46, 129: +15, +7, +29 and
// +51 in all; 火事場力+2 ties with 笛・攻撃力強化(大重複) and follows it.
TEST(CalculationCommandTest, GainsSortedByOneRegion) {
  const std::string strArgs = "gains --category 2 --weapon 1 --motion 0 --region 尻尾";
  const std::string strText = RunOnDataSet(strArgs).strOut;
  size_t nEnd = 0;
  for (int nLine = 0; nLine < 4; ++nLine) nEnd = strText.find('\n', nEnd) + 1;
  EXPECT_EQ(strText.substr(0, nEnd),
            "試作大剣 on テスト竜ー: total 193\n"
            "total   頭  背中の甲殻部  尻尾  choice\n"
            "  +51  +15            +7   +29  tick 笛・攻撃力強化(大重複) (攻撃力 ×1.3)\n"
            "  +51  +15            +7   +29  tick 火事場力+2 (攻撃力 ×1.3)\n");
  const json document = json::parse(RunOnDataSet(strArgs + " --json").strOut);
  EXPECT_EQ(document["gains"].size(), 29U);
  EXPECT_EQ(document["gains"][1], json::parse(R"({"kind": "modifier", "id": 1038,
      "name": "火事場力+2", "tick": true, "effect": "攻撃力 ×1.3",
      "group": [{"id": 1038, "name": "火事場力+2"}, {"id": 1039, "name": "心配性"}],
      "replaces": null, "enabled": true, "damage": [15, 7, 29], "total": 51})"));
}

}  // namespace
