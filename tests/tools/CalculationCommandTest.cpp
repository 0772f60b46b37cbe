// velkar-tool report --explain and rank (the weapon table) on a small
// hand-made data set in which two weapons tie. The damage values are worked
// out by hand below.
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

#include "support/RowName.h"
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
// two columns wide. Names are on the left, numbers on the right. On the tail
// 鉄大剣 (52) stays ahead of 鈍大剣 (51).
TEST(CalculationCommandTest, WeaponTableWithTheTwinsTied) {
  EXPECT_EQ(RunOnDataSet("rank --category 2 --motion 0 --region 尻尾").strOut,
            "rank  weapon     attack  element  value  sharpness  total  尻尾\n"
            "   1  試作大剣      960  火         300  緑           193   100\n"
            "   2  双子大剣A     720  無           0  緑           124    72\n"
            "   2  双子大剣B     720  無           0  緑           124    72\n"
            "   4  鉄大剣        480  火         400  緑           118    52\n"
            "   5  鈍大剣        960  無           0  橙            87    51\n");
  const json document =
      json::parse(RunOnDataSet("rank --category 2 --motion 0 --region 尻尾 --json").strOut);
  EXPECT_EQ(document["ranking"][0], json::parse(R"({"rank": 1, "index": 1, "weapon": "試作大剣",
      "attack": 960, "element": "火", "element_value": 300, "sharpness": 3, "total": 193,
      "damage": [54, 39, 100]})"));
}

struct TableRow_t {
  const char* szName;
  const char* szArgs;   // after "rank --category 2 --motion 0"
  const char* szOrder;  // each weapon shown after its rank
};

class WeaponTableTest : public ::testing::TestWithParam<TableRow_t> {};

TEST_P(WeaponTableTest, RanksFiltersAndSorts) {
  const ToolResult_t result =
      RunOnDataSet(std::string("rank --category 2 --motion 0 --json ") + GetParam().szArgs);
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  std::string strOrder;
  const json document = json::parse(result.strOut);
  for (const json& entry : document["ranking"]) {
    strOrder +=
        std::to_string(entry["rank"].get<int>()) + " " + entry["weapon"].get<std::string>() + ", ";
  }
  EXPECT_EQ(strOrder, GetParam().szOrder);
}

INSTANTIATE_TEST_SUITE_P(
    DataSet, WeaponTableTest,
    ::testing::Values(
        // At white (one sharpness for every weapon lifts the orange 鈍大剣), in list
        // order, the tail gives 84, 115, 112, 84, 60 and the back 18, 45, 24, 18, 39:
        // on the back the fire of 鉄大剣 counts for more than the twins' attack.
        TableRow_t{"TailAtWhite", "--sharpness 5 --region 尻尾",
                   "1 試作大剣, 2 鈍大剣, 3 双子大剣A, 3 双子大剣B, 5 鉄大剣, "},
        TableRow_t{"BackAtWhite", "--sharpness 5 --region 背中の甲殻部",
                   "1 試作大剣, 2 鉄大剣, 3 鈍大剣, 4 双子大剣A, 4 双子大剣B, "},
        // Ranks count the weapons shown.
        TableRow_t{"FireOnly", "--element 火", "1 試作大剣, 2 鉄大剣, "},
        TableRow_t{"NoElement", "--element 無", "1 双子大剣A, 1 双子大剣B, 3 鈍大剣, "},
        TableRow_t{"NameHolds", "--name 双子", "1 双子大剣A, 1 双子大剣B, "},
        // 蛹 is E5 8C, the second byte of 大 and the first of 剣 in every name.
        TableRow_t{"NameOnWholeCharacters", "--name 蛹", ""},
        // Rows that tie on the column keep the order of their rank.
        TableRow_t{"ByAttack", "--sort attack",
                   "1 試作大剣, 5 鈍大剣, 2 双子大剣A, 2 双子大剣B, 4 鉄大剣, "},
        // Shift-JIS orders kanji by reading: 試 (shi), 双 (sou), 鉄 (tetsu), 鈍 (don).
        TableRow_t{"ByWeapon", "--sort weapon",
                   "1 試作大剣, 2 双子大剣A, 2 双子大剣B, 4 鉄大剣, 5 鈍大剣, "},
        // Elements in the order of their index: none (0) before fire (1).
        TableRow_t{"ByElement", "--sort element",
                   "2 双子大剣A, 2 双子大剣B, 5 鈍大剣, 1 試作大剣, 4 鉄大剣, "},
        // Ranked on the back (39, 34, 16, 16, 11), listed by the total.
        TableRow_t{"RankedOnARegionSortedByTotal", "--region 背中の甲殻部 --sort total",
                   "1 試作大剣, 3 双子大剣A, 3 双子大剣B, 2 鉄大剣, 5 鈍大剣, "}),
    RowName<TableRow_t>);

}  // namespace
