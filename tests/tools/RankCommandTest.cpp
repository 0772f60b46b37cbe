// velkar-tool rank on a small hand-made data set in which two weapons tie.
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
#include <gtest/gtest.h>

#include <map>

#include <nlohmann/json.hpp>

#include "platform/Cp932.h"
#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::json;

void WriteDataSet(const CTestDataDir& dir) {
  dir.WriteText("GreatSword.ini",
                u8"[Action]\n1=振り下ろし, 48\n2=薙ぎ払い, 48, 26\n"
                u8"[HitPattern]\n1=通常, 80, 100\n"
                u8"[Weapon]\n1=双子大剣A, 720, 0, 0, 3, 0\n2=試作大剣, 960, 2, 300, 3, 0\n"
                u8"3=鈍大剣, 960, 0, 0, 1, 0\n4=双子大剣B, 720, 0, 0, 3, 0\n"
                u8"5=鉄大剣, 480, 2, 400, 3, 0\n");
  // A hammer without any hit pattern: nothing can be computed for it.
  dir.WriteText("Hummer.ini", u8"[Action]\n1=縦振り, 20\n[Weapon]\n1=鉄槌, 520, 0, 0, 3, 0\n");
  dir.WriteText("Monster.ini",
                u8"[Monster]\n0=テスト竜ー\n1=無角獣\n[テスト竜ー]\nAnger=100,90,100\n"
                u8"0=頭,45,45,45,20,0,0,0,0\n"
                u8"1=背中の甲殻部,20,20,20,60,0,0,0,0\n"
                u8"2=尻尾,90,30,30,10,0,0,0,0\n"
                u8"[無角獣]\nAnger=100,100,100\n0=胴,50,50,50,0,0,0,0,0\n"
                u8"[Level]\n1=下位,100\n2=上位,80\n");
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), {"convert"}).nExit, 0);
}

class RankCommandTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    s_pDir = new CTestDataDir;
    WriteDataSet(*s_pDir);
  }
  static void TearDownTestSuite() {
    delete s_pDir;
    s_pDir = nullptr;
  }

  static ToolResult_t Rank(std::vector<std::string> arrArg) {
    arrArg.insert(arrArg.begin(), {"rank", "--category", "2", "--motion", "0"});
    return RunToolIn(s_pDir->Path(), arrArg);
  }

  static json RankJson(std::vector<std::string> arrArg) {
    arrArg.push_back("--json");
    const ToolResult_t result = Rank(arrArg);
    EXPECT_EQ(result.nExit, 0) << result.strErr;
    return json::parse(result.strOut);
  }

  // The weapons' names in ranking order, each with its rank and sort value.
  static std::vector<std::string> Order(const json& document) {
    std::vector<std::string> arrOrder;
    for (const json& entry : document["ranking"]) {
      arrOrder.push_back(std::to_string(entry["rank"].get<int>()) + " " +
                         entry["weapon"].get<std::string>());
    }
    return arrOrder;
  }

  static CTestDataDir* s_pDir;
};

CTestDataDir* RankCommandTest::s_pDir = nullptr;

// Widths count Shift-JIS bytes, which is what a terminal shows: a kanji is
// two columns wide. Names are on the left, numbers on the right.
TEST_F(RankCommandTest, TableByTotalWithTheTwinsTied) {
  const ToolResult_t result = Rank({});
  EXPECT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(result.strErr, "");
  EXPECT_EQ(result.strOut,
            "rank  weapon     total  頭  背中の甲殻部  尻尾\n"
            "   1  試作大剣     193  54            39   100\n"
            "   2  双子大剣A    124  36            16    72\n"
            "   2  双子大剣B    124  36            16    72\n"
            "   4  鉄大剣       118  32            34    52\n"
            "   5  鈍大剣        87  25            11    51\n");
}

TEST_F(RankCommandTest, SjisTableKeepsItsBytes) {
  const ToolResult_t result =
      RunToolIn(s_pDir->Path(), {"--sjis", "rank", "--category", "2", "--motion", "0"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(SplitLines(result.strOut).at(1),
            velkar::ToSjis(u8"   1  試作大剣     193  54            39   100"));
}

// One sharpness for every weapon lifts the orange 鈍大剣 to second place.
TEST_F(RankCommandTest, SharpnessAppliesToEveryWeapon) {
  const json document = RankJson({"--sharpness", "5"});
  EXPECT_EQ(Order(document), (std::vector<std::string>{"1 試作大剣", "2 鈍大剣", "3 双子大剣A",
                                                       "3 双子大剣B", "5 鉄大剣"}));
  EXPECT_EQ(document["ranking"][1]["damage"], json({56, 24, 112}));
  EXPECT_EQ(document["ranking"][1]["total"], 192);
  for (const json& entry : document["ranking"]) EXPECT_EQ(entry["sharpness"], 5);
}

TEST_F(RankCommandTest, EachWeaponKeepsItsOwnSharpnessOtherwise) {
  const json document = RankJson({});
  std::map<std::string, int> mapSharpness;
  for (const json& entry : document["ranking"]) mapSharpness[entry["weapon"]] = entry["sharpness"];
  EXPECT_EQ(mapSharpness["鈍大剣"], 1);
  EXPECT_EQ(mapSharpness["試作大剣"], 3);
}

// On the back the fire of 鉄大剣 counts for more than the twins' attack.
TEST_F(RankCommandTest, RegionRanksByThatRegionAlone) {
  const json document = RankJson({"--region", "背中の甲殻部"});
  EXPECT_EQ(document["region"], "背中の甲殻部");
  EXPECT_EQ(Order(document), (std::vector<std::string>{"1 試作大剣", "2 鉄大剣", "3 双子大剣A",
                                                       "3 双子大剣B", "5 鈍大剣"}));
  EXPECT_EQ(document["ranking"][1]["total"], 118);  // the total stays the total
}

// At white, in list order, the tail gives 84, 115, 112, 84, 60 and the back
// 18, 45, 24, 18, 39: the twins tie on both and keep their list order.
TEST_F(RankCommandTest, TiesOnARegionKeepListOrder) {
  const json document = RankJson({"--sharpness", "5", "--region", "尻尾"});
  EXPECT_EQ(Order(document), (std::vector<std::string>{"1 試作大剣", "2 鈍大剣", "3 双子大剣A",
                                                       "3 双子大剣B", "5 鉄大剣"}));
  const json tail = RankJson({"--sharpness", "5", "--region", "背中の甲殻部"});
  EXPECT_EQ(Order(tail), (std::vector<std::string>{"1 試作大剣", "2 鉄大剣", "3 鈍大剣",
                                                   "4 双子大剣A", "4 双子大剣B"}));
}

TEST_F(RankCommandTest, JsonShape) {
  const ToolResult_t result = Rank({"--json"});
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const nlohmann::ordered_json document = nlohmann::ordered_json::parse(result.strOut);
  ASSERT_TRUE(document.is_object());
  std::vector<std::string> arrKey;
  for (const auto& item : document.items()) arrKey.push_back(item.key());
  EXPECT_EQ(arrKey,
            (std::vector<std::string>{"category", "monster", "region", "regions", "ranking"}));
  EXPECT_EQ(document["category"], 2);
  EXPECT_EQ(document["monster"], "テスト竜ー");
  EXPECT_TRUE(document["region"].is_null());
  EXPECT_EQ(document["regions"], json({"頭", "背中の甲殻部", "尻尾"}));
  ASSERT_EQ(document["ranking"].size(), 5u);
  const nlohmann::ordered_json& first = document["ranking"][0];
  std::vector<std::string> arrEntryKey;
  for (const auto& item : first.items()) arrEntryKey.push_back(item.key());
  EXPECT_EQ(arrEntryKey,
            (std::vector<std::string>{"rank", "index", "weapon", "sharpness", "total", "damage"}));
  EXPECT_EQ(first["rank"], 1);
  EXPECT_EQ(first["index"], 1);
  EXPECT_EQ(first["weapon"], "試作大剣");
  EXPECT_EQ(first["total"], 193);
  EXPECT_EQ(first["damage"], json({54, 39, 100}));
  EXPECT_EQ(document["ranking"][2]["index"], 3);
}

// Every weapon's row equals what report computes for it with the same
// options: both drive the same calculator operations.
TEST_F(RankCommandTest, RowsAgreeWithReport) {
  const std::vector<std::string> arrOption{
      "--monster",  "0",    "--level",  "1", "--anger",  "--modifier", "1040",
      "--modifier", "1021", "--motion", "1", "--motion", "0"};
  std::vector<std::string> arrRank{"rank", "--category", "2", "--json"};
  arrRank.insert(arrRank.end(), arrOption.begin(), arrOption.end());
  const ToolResult_t ranked = RunToolIn(s_pDir->Path(), arrRank);
  ASSERT_EQ(ranked.nExit, 0) << ranked.strErr;
  const json document = json::parse(ranked.strOut);
  ASSERT_EQ(document["ranking"].size(), 5u);

  for (const json& entry : document["ranking"]) {
    SCOPED_TRACE(entry["weapon"].get<std::string>());
    std::vector<std::string> arrReport{
        "report", "--category", "2", "--weapon", std::to_string(entry["index"].get<int>()),
        "--json"};
    arrReport.insert(arrReport.end(), arrOption.begin(), arrOption.end());
    const ToolResult_t report = RunToolIn(s_pDir->Path(), arrReport);
    ASSERT_EQ(report.nExit, 0) << report.strErr;
    const json reported = json::parse(report.strOut);
    json damage = json::array();
    for (const json& row : reported["rows"]) damage.push_back(row["damage"]);
    EXPECT_EQ(entry["damage"], damage);
  }
}

TEST_F(RankCommandTest, UnknownRegionNamesTheValidOnes) {
  const ToolResult_t result = Rank({"--region", "角"});
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr,
            "velkar-tool: --region: 角 is not a region of テスト竜ー; valid: 頭, 背中の甲殻部, "
            "尻尾\n");
}

// A name that code page 932 cannot hold matches no region; it is echoed
// with a question mark in its place.
TEST_F(RankCommandTest, RegionNameOutsideCodePage932) {
  const ToolResult_t result = Rank({"--monster", "1", "--region", "胴🐉"});
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strErr, "velkar-tool: --region: 胴? is not a region of 無角獣; valid: 胴\n");
}

TEST_F(RankCommandTest, RegionOfAnotherMonsterIsUnknown) {
  const ToolResult_t result = Rank({"--monster", "1", "--region", "頭"});
  EXPECT_EQ(result.nExit, 2);
  EXPECT_EQ(result.strOut, "");
}

TEST_F(RankCommandTest, CategoryWithoutHitCorrectionIsAFailure) {
  const ToolResult_t result = RunToolIn(s_pDir->Path(), {"rank", "--category", "6"});
  EXPECT_EQ(result.nExit, 1);
  EXPECT_EQ(result.strOut, "");
  EXPECT_EQ(result.strErr, "velkar-tool: no ranking: there is no hit correction to select\n");
}

}  // namespace
