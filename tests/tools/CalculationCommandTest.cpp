// velkar-tool report --explain, rank (the weapon table) and compare on a small
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

#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/ModifierTable.h"
#include "platform/Cp932.h"
#include "setup/SetupStore.h"
#include "support/RowName.h"
#include "support/ScopedEnv.h"
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
    // Nineteen lances alike: more than a sort keeps ties in place by luck.
    std::string strLances = "[Action]\n1=突き, 20\n[HitPattern]\n1=通常, 100, 100\n[Weapon]\n";
    for (char c = 'A'; c <= 'S'; ++c)
      strLances += std::to_string(c - 'A' + 1) + "=槍" + c + ", 460, 0, 0, 3, 0\n";
    dir.WriteText("Lance.ini", std::u8string(strLances.begin(), strLances.end()));
    return ConvertWithEmptySources(dir.Path(), "convert").nExit;
  }();
  EXPECT_EQ(nConverted, 0);
  return RunToolIn(dir.Path(), strArgs);
}

// The small data set: w (B = 196 / 1.4 = 140) with a [10] and b (cut rate 50)
// [20, 30] on 竜's head (cut 50, fire 20), blue (1.25, 1.0625), g's high rate
// 70 %, level k 80 %, angry (200 - 90 = 110 %). a: r = 14, P = 50 x 14 x 0.7 x
// 1.25 / 100 = 6.125, e = 43.75 (normal), E = 100 x 0.1 x 20 x 1.0625 / 100 =
// 2.125, T = 0.8 x 8.25 = 6.6, x 1.1 = 7.26 -> 7. b: r = 28 and 42, P = 6.125
// and 9.1875, e = 21.875 (low), T = 6.6 and 9.05, angry 7.26 -> 7 and 9.955
// -> 9. The row: 23, and normal: 21.4375 / 84 x 100 = 25.52 > 25. The
// doubles are written to their last bit.
const std::string kSmallReport =
    "使用武器：片手剣/"
    "w\r\n切れ味：青\r\n攻撃対象：竜(怒り状態)\r\nモンスターLv：k\r\n当たり方修正：g\r\n\r\n"
    "[スキル/アイテム修正]\r\n\r\n[攻撃リスト]\r\na\r\nb\r\n\r\n[最終ダメージ]\r\n"
    "部位      |物理/属性|結果\r\n----------+---------+-----\r\n頭        | 50%/ 20%|  23\r\n";

// The explanation as text is the report, an empty line and the core's
// breakdown, which the page's tests compare with the page's.
TEST(CalculationCommandTest, ReportExplainedAsJson) {
  const std::string strArgs =
      "report --category 0 --weapon 0 --sharpness 4 --monster 1 --level 1 --hit 1 --anger "
      "--motion 0 --motion 1 --explain --json";
  nlohmann::ordered_json document = nlohmann::ordered_json::parse(R"({"format": "velkar-report",
    "version": 1, "attack": "攻撃力：196",
    "element": "属性(火):100", "sharpness": "切れ味:青", "rows": [{"region": "頭", "physical": 50,
     "element": 20, "damage": 23, "kind": 0, "colour": "#000000", "cells": ["頭", "50%", "20%",
     "23"]}], "report": "", "factors": {"sharpness": 4, "sharpness_physical": 1.25,
    "sharpness_element": 1.0625, "hit_rate": 70, "hit_factor": 0.7000000000000001, "bonus": 0,
    "factor": 1.0, "base_attack": 140.0, "level_rate": 80, "anger": true, "anger_rate": 110},
   "explain": [{"region": "頭", "physical": 50, "element": 20, "damage": 23, "kind": 0, "hits": [
     {"motion": "a", "position": 0, "hit": 0, "motion_value": 10, "raw": 14.0, "motion_rate": 100,
      "physical": 6.125000000000001, "effective": 43.75000000000001, "kind": 0, "element": 2.125,
      "total": 6.6000000000000005, "after_anger": 7.260000000000002, "truncated": 7,
      "running": 7},
     {"motion": "b", "position": 1, "hit": 0, "motion_value": 20, "raw": 28.0, "motion_rate": 50,
      "physical": 6.125000000000001, "effective": 21.875000000000004, "kind": 1, "element": 2.125,
      "total": 6.6000000000000005, "after_anger": 7.260000000000002, "truncated": 7,
      "running": 14},
     {"motion": "b", "position": 1, "hit": 1, "motion_value": 30, "raw": 42.0, "motion_rate": 50,
      "physical": 9.187500000000002, "effective": 21.875000000000007, "kind": 1, "element": 2.125,
      "total": 9.05, "after_anger": 9.955000000000002, "truncated": 9, "running": 23}]}]})");
  document["report"] = kSmallReport;
  EXPECT_EQ(RunToolIn(SmallDataSet(), strArgs).strOut, document.dump(2) + "\n");
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
  EXPECT_EQ(document["category"], 2);
  EXPECT_EQ(document["ranking"][0], json::parse(R"({"rank": 1, "index": 1, "weapon": "試作大剣",
      "attack": 960, "element": "火", "element_value": 300, "sharpness": 3, "total": 193,
      "damage": [54, 39, 100]})"));
}

struct TableRow_t {
  const char* szName;
  const char* szArgs;   // the category and more, after "rank --motion 0 --category"
  const char* szOrder;  // each weapon shown after its rank
};

class WeaponTableTest : public ::testing::TestWithParam<TableRow_t> {};

TEST_P(WeaponTableTest, RanksFiltersAndSorts) {
  const ToolResult_t result =
      RunOnDataSet(std::string("rank --motion 0 --json --category ") + GetParam().szArgs);
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  std::string strOrder;
  const json document = json::parse(result.strOut);
  for (const json& entry : document["ranking"]) {
    strOrder +=
        std::to_string(entry["rank"].get<int>()) + " " + entry["weapon"].get<std::string>() + ", ";
  }
  EXPECT_EQ(strOrder, GetParam().szOrder);
}

// The nineteen lances tie on every column, in list order.
const char* const kLances =
    "1 槍A, 1 槍B, 1 槍C, 1 槍D, 1 槍E, 1 槍F, 1 槍G, 1 槍H, 1 槍I, 1 槍J, "
    "1 槍K, 1 槍L, 1 槍M, 1 槍N, 1 槍O, 1 槍P, 1 槍Q, 1 槍R, 1 槍S, ";

const TableRow_t kTableRows[] = {
    // At white (one sharpness for every weapon lifts the orange 鈍大剣), in list
    // order, the back gives 18, 45, 24, 18, 39: there the fire of 鉄大剣 counts
    // for more than the twins' attack.
    {"BackAtWhite", "2 --sharpness 5 --region 背中の甲殻部",
     "1 試作大剣, 2 鉄大剣, 3 鈍大剣, 4 双子大剣A, 4 双子大剣B, "},
    // Ranks count the weapons shown.
    {"FireOnly", "2 --element 火", "1 試作大剣, 2 鉄大剣, "},
    {"NoElement", "2 --element 無", "1 双子大剣A, 1 双子大剣B, 3 鈍大剣, "},
    {"NameHolds", "2 --name 双子", "1 双子大剣A, 1 双子大剣B, "},
    // 蛹 is E5 8C, the second byte of 大 and the first of 剣 in every name.
    {"NameOnWholeCharacters", "2 --name 蛹", ""},
    // Rows that tie on the column keep the order of their rank.
    {"ByAttack", "2 --sort attack", "1 試作大剣, 5 鈍大剣, 2 双子大剣A, 2 双子大剣B, 4 鉄大剣, "},
    // Shift-JIS orders kanji by reading: 試 (shi), 双 (sou), 鉄 (tetsu), 鈍 (don).
    {"ByWeapon", "2 --sort weapon", "1 試作大剣, 2 双子大剣A, 2 双子大剣B, 4 鉄大剣, 5 鈍大剣, "},
    // Elements in the order of their index: none (0) before fire (1).
    {"ByElement", "2 --sort element", "2 双子大剣A, 2 双子大剣B, 5 鈍大剣, 1 試作大剣, 4 鉄大剣, "},
    // Element values 400, 300, then three of 0 in the order of their rank.
    {"ByElementValue", "2 --sort value",
     "4 鉄大剣, 1 試作大剣, 2 双子大剣A, 2 双子大剣B, 5 鈍大剣, "},
    // Turned round, the last rank comes first; the twins' tie stays in rank order.
    {"RankReversed", "2 --reverse", "5 鈍大剣, 4 鉄大剣, 2 双子大剣A, 2 双子大剣B, 1 試作大剣, "},
    {"ByElementValueReversed", "2 --sort value --reverse",
     "2 双子大剣A, 2 双子大剣B, 5 鈍大剣, 1 試作大剣, 4 鉄大剣, "},
    // Ranked on the back (39, 34, 16, 16, 11), listed by the total.
    {"RankedOnARegionSortedByTotal", "2 --region 背中の甲殻部 --sort total",
     "1 試作大剣, 3 双子大剣A, 3 双子大剣B, 2 鉄大剣, 5 鈍大剣, "},
    // Ties keep their list order, ranked and sorted, either way round.
    {"NineteenTiedRanked", "4", kLances},
    {"NineteenTiedSorted", "4 --sort attack", kLances},
    {"NineteenTiedReversed", "4 --sort attack --reverse", kLances},
};

INSTANTIATE_TEST_SUITE_P(DataSet, WeaponTableTest, ::testing::ValuesIn(kTableRows),
                         RowName<TableRow_t>);

// compare on the data set, with six builds in a temporary configuration
// folder. The target is the first build's (calm); the others are saved angry
// and against no monster, which must not count. Widths count Shift-JIS bytes,
// so "±0" (3 bytes) and "―" (2, U+2015 in UTF-8) take one more. At own sharpness and at white,
// per region (head, back, tail) as worked out above:
//   A 試作: 54 39 100 = 193       B 鉄白 (white): 37 39 60 = 136
//   C 鈍: 25 11 51 = 87           D 双子二回 (the motion twice): 72 32 144 = 248
//   E 試作白 (white): 62 45 115 = 222
//   F 消えた: its weapon 幻大剣 is not in the data.
class CompareTest : public ::testing::Test {
protected:
  void SetUp() override {
    Save(u8"試作", u8"試作大剣", {}, {u8"振り下ろし"});
    Save(u8"鉄白", u8"鉄大剣", 5, {u8"振り下ろし"}, u8"強打");
    Save(u8"鈍", u8"鈍大剣", {}, {u8"振り下ろし"});
    Save(u8"双子二回", u8"双子大剣B", {}, {u8"振り下ろし", u8"薙ぎ払い", u8"振り下ろし"});
    Save(u8"試作白", u8"試作大剣", 5, {u8"振り下ろし"});
    Save(u8"消えた", u8"幻大剣", {}, {u8"振り下ろし"});
  }

  static void Save(const char8_t* pszName, const char8_t* pszWeapon, std::optional<int> nSharpness,
                   const std::vector<const char8_t*>& arrMotion, const char8_t* pszHit = u8"通常") {
    Setup_t setup;
    setup.nCategory = 2;
    setup.strWeapon = velkar::ToSjis(pszWeapon);
    for (const char8_t* pszMotion : arrMotion) setup.arrMotion.push_back(velkar::ToSjis(pszMotion));
    setup.nSharpness = nSharpness;
    setup.strHitCorrection = velkar::ToSjis(pszHit);
    const bool bFirst = CSetupStore().LoadBuilds().empty();
    if (bFirst) setup.strMonster = velkar::ToSjis(u8"テスト竜ー");
    setup.strLevel = velkar::ToSjis(u8"下位");
    setup.bAnger = !bFirst;
    ASSERT_EQ(CSetupStore().SaveBuild({velkar::ToSjis(pszName), setup}), eSTORE_RESULT::Ok);
  }

  static constexpr const char* kSix =
      "compare --build 試作 --build 鉄白 --build 鈍 --build 双子二回 --build 試作白 --build 消えた";

  CTestDataDir m_config;
  const CScopedEnv m_configHome{"XDG_CONFIG_HOME", m_config.Path().c_str()};
};

// A loadout without numbers makes the command fail after it printed the rest.
TEST_F(CompareTest, SixLoadoutsAgainstTheFirstOnesTarget) {
  const ToolResult_t result = RunOnDataSet(kSix);
  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut,
            "A: 試作  (試作大剣, 緑)\n"
            "B: 鉄白  (鉄大剣, 白)\n"
            "C: 鈍  (鈍大剣, 橙)\n"
            "D: 双子二回  (双子大剣B, 緑)\n"
            "E: 試作白  (試作大剣, 白)\n"
            "F: 消えた  weapon 幻大剣 is not in the data\n"
            "target: テスト竜ー, 下位, not angry\n"
            "region          A    B  B-A   C   C-A    D  D-A    E  E-A   F  F-A\n"
            "頭             54   37  -17  25   -29   72  +18   62   +8  ―   ―\n"
            "背中の甲殻部   39   39  ±0  11   -28   32   -7   45   +6  ―   ―\n"
            "尻尾          100   60  -40  51   -49  144  +44  115  +15  ―   ―\n"
            "total         193  136  -57  87  -106  248  +55  222  +29  ―   ―\n");
  EXPECT_EQ(result.strErr,
            "velkar-tool: warning: build 鉄白: hit correction 強打 is not in the data; the first "
            "is used\n"
            "velkar-tool: warning: build 双子二回: motion 薙ぎ払い is not in the data; left out\n"
            "velkar-tool: build 消えた: weapon 幻大剣 is not in the data; it has no numbers\n");
}

TEST_F(CompareTest, JsonHasEveryLoadoutTheTotalsAndTheWarnings) {
  const json document = json::parse(RunOnDataSet(std::string(kSix) + " --anger --json").strOut);
  EXPECT_EQ(document["version"], 1);
  EXPECT_EQ(document["target"], json::parse(R"({"monster": "テスト竜ー", "level": "下位",
                                                "anger": true})"));
  // Angry: each hit at 110 %; the tail of 試作: (97.2 + 3) * 1.1 = 110.22 -> 110.
  EXPECT_EQ(document["regions"][2], json::parse(R"({"region": "尻尾",
      "damage": [110, 66, 57, 160, 127, null], "difference": [0, -44, -53, 50, 17, null],
      "best": [false, false, false, true, false, false]})"));
  EXPECT_EQ(document["loadouts"][5], json::parse(R"({"build": "消えた", "category": 2,
      "weapon": null, "sharpness": null, "total": null,
      "problem": {"part": "weapon", "name": "幻大剣"}, "label": "消えた", "detail": "消えた"})"));
  // Named by what was computed: the motion the data lacks is not counted.
  EXPECT_EQ(document["loadouts"][3]["label"], "双子大剣B\n切れ味 緑／モーション 2／スキル 0");
  EXPECT_EQ(document["loadouts"][3]["detail"], "双子二回\n振り下ろし\n振り下ろし");
  EXPECT_EQ(document["warnings"], json::parse(R"([
      {"loadout": 1, "part": "hit_correction", "name": "強打"},
      {"loadout": 3, "part": "motion", "name": "薙ぎ払い"}])"));
}

// The loadouts chart of three: the best of a row marked unless all tie (the
// back), the loadout without numbers apart, failing the command as compare
// does (without it, the command succeeds); the same picture on stdout and in
// --output's file.
TEST_F(CompareTest, ChartOfLoadoutsAsJsonAndToAFile) {
  const std::string strArgs = "chart loadouts --build 試作 --build 鉄白 --build 消えた";
  EXPECT_EQ(RunOnDataSet("chart loadouts --build 試作 --build 鉄白").nExit, 0);
  const ToolResult_t result = RunOnDataSet(strArgs + " --json");
  EXPECT_EQ(result.nExit, 1);
  const json best = json::parse(R"({"kind": "best", "text": "▼", "legend": "最大"})");
  json expected = json::parse(R"({"format": "velkar-chart", "version": 1, "kind": "loadouts",
      "layout": "grouped", "title": "テスト竜ー（下位）への装備別ダメージ",
      "description": "部位ごと（と合計）に、2個の装備のダメージを並べた棒グラフ。各部位で最大の装備には太枠と▼の印。",
      "axis": "ダメージ", "groups": ["頭", "背中の甲殻部", "尻尾", "合計"],
      "series": [{"name": "試作", "values": [54, 39, 100, 193]},
                 {"name": "鉄白", "values": [37, 39, 60, 136]}],
      "marks": [], "unusable": ["消えた"], "empty": null})");
  for (const int nGroup : {0, 2, 3}) {
    json mark = {{"kind", "best"}, {"group", nGroup}, {"series", 0}};
    mark.update(best);
    expected["marks"].push_back(mark);
  }
  EXPECT_EQ(json::parse(result.strOut), expected);
  const std::string strSvg = RunOnDataSet(strArgs).strOut;
  EXPECT_TRUE(strSvg.starts_with("<svg ")) << strSvg;
  const std::string strFile = m_config.Path() + "chart.svg";
  const ToolResult_t written = RunOnDataSet(strArgs + " --output " + strFile);
  EXPECT_EQ(std::to_string(written.nExit) + written.strOut, "1");
  std::ifstream in(strFile);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), strSvg);
  const ToolResult_t refused = RunOnDataSet(strArgs + " --output " + m_config.Path() + "no/c.svg");
  EXPECT_EQ(refused.nExit, 1);
  EXPECT_NE(refused.strErr.find("velkar-tool: cannot write " + m_config.Path() + "no/c.svg: "),
            std::string::npos)
      << refused.strErr;
}

// 試作大剣 by its back (fire 60), from 54, 39, 100: x1.3 makes B = 260 and r =
// 124.8, so 頭 63.18 + 6, 背中の甲殻部 28.08 + 18, 尻尾 126.36 + 3 -> 69, 46,
// 129: +15, +7, +29 and +51 in all; 火事場力+2 ties with 笛・攻撃力強化(大重複)
// and follows it. x1.25: r = 120, 60.75 + 6, 27 + 18, 121.5 + 3: +12, +6, +24.
// White (1.3, 1.125): 56.16 + 6.75, 24.96 + 20.25, 112.32 + 3.375: +8, +6, +15,
// +29 in all, ahead of x1.2 (r = 115.2: 58.32 + 6, 25.92 + 18, 116.64 + 3: +10,
// +4, +19), which adds more in all.
TEST(CalculationCommandTest, GainsSortedByOneRegion) {
  const std::string strArgs = "gains --category 2 --weapon 1 --motion 0 --region 背中の甲殻部";
  const std::string strText = RunOnDataSet(strArgs).strOut;
  size_t nEnd = 0;
  for (int nLine = 0; nLine < 7; ++nLine) nEnd = strText.find('\n', nEnd) + 1;
  EXPECT_EQ(strText.substr(0, nEnd),
            "試作大剣 on テスト竜ー: total 193\n"
            "total   頭  背中の甲殻部  尻尾  choice\n"
            "  +51  +15            +7   +29  tick 笛・攻撃力強化(大重複) (攻撃力 ×1.3)\n"
            "  +51  +15            +7   +29  tick 火事場力+2 (攻撃力 ×1.3)\n"
            "  +42  +12            +6   +24  tick 会心 (攻撃力 ×1.25)\n"
            "  +29   +8            +6   +15  sharpness 白\n"
            "  +33  +10            +4   +19  tick 笛・攻撃力強化(小重複) (攻撃力 ×1.2)\n");
  const json document = json::parse(RunOnDataSet(strArgs + " --json").strOut);
  EXPECT_EQ(document["gains"].size(), kModifierCount + 5U);
  EXPECT_EQ(document["gains"][1], json::parse(R"({"kind": "modifier", "id": 1038,
      "name": "火事場力+2", "tick": true, "effect": "攻撃力 ×1.3",
      "group": [{"id": 1038, "name": "火事場力+2"}, {"id": 1039, "name": "心配性"}],
      "replaces": null, "enabled": true, "damage": [15, 7, 29], "total": 51})"));
}

}  // namespace
