// velkar-tool list: what LoadAll loaded, as text and as JSON, on a small
// hand-made data set with Japanese names and values beyond the records' bits.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// Great swords and katanas have weapons; the hammer file holds motions only,
// so its category is not listed. 70000 is kept as 70000 - 65536 = 4464, the
// third anger value and the third physical hitzone 300 as 300 - 256 = 44.
void WriteDataSet(const CTestDataDir& dir) {
  dir.WriteText("GreatSword.ini",
                u8"[Action]\n1=振り下ろし, 48\n2=薙ぎ払い, B80, 48, 26\n"
                u8"[HitPattern]\n1=通常, 100, 100\n2=弾かれ, 50, 60\n"
                u8"[Weapon]\n1=試作大剣, 960, 2, 300, 3, 0\n2=毒大剣ー, 70000, 65, 150, 9, 0\n");
  dir.WriteText("Katana.ini", u8"[Weapon]\n1=太刀, 480, 0, 0, 3, 0\n");
  dir.WriteText("Hummer.ini", u8"[Action]\n1=叩きつけ, 45\n");
  dir.WriteText("Monster.ini",
                u8"[Monster]\n0=テスト竜ー\n[テスト竜ー]\nAnger=100,90,300\n"
                u8"0=頭,45,50,300,20,0,5,0,10\n[Level]\n1=下位,100\n2=上位,80\n");
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), {"convert"}).nExit, 0);
}

TEST(ListCommandTest, JsonHoldsEveryListedCategoryAndTheTargets) {
  CTestDataDir dir;
  WriteDataSet(dir);

  const ToolResult_t result = RunToolIn(dir.Path(), {"list", "--json"});

  ASSERT_EQ(result.nExit, 0) << result.strErr;
  EXPECT_EQ(result.strErr, "");
  const nlohmann::json expected = nlohmann::json::parse(R"({
    "categories": [
      {"value": 2, "name": "GreatSword", "label": "大剣",
       "weapons": [
         {"index": 0, "name": "試作大剣", "attack": 960, "element": 300, "elementMask": 2, "sharpness": 3},
         {"index": 1, "name": "毒大剣ー", "attack": 4464, "element": 150, "elementMask": 65, "sharpness": 9}],
       "motions": [
         {"index": 0, "name": "振り下ろし", "cutRate": 100, "impactRate": 100, "values": [48]},
         {"index": 1, "name": "薙ぎ払い", "cutRate": 80, "impactRate": 100, "values": [48, 26]}],
       "hitPatterns": [
         {"index": 0, "name": "通常", "lowRate": 100, "highRate": 100},
         {"index": 1, "name": "弾かれ", "lowRate": 50, "highRate": 60}]},
      {"value": 3, "name": "Katana", "label": "太刀",
       "weapons": [
         {"index": 0, "name": "太刀", "attack": 480, "element": 0, "elementMask": 0, "sharpness": 3}],
       "motions": [], "hitPatterns": []}],
    "monsters": [
      {"index": 0, "name": "テスト竜ー", "anger": [100, 90, 44],
       "regions": [
         {"index": 0, "name": "頭",
          "physical": {"cut": 45, "impact": 50, "third": 44},
          "element": {"fire": 20, "water": 0, "thunder": 5, "ice": 0, "dragon": 10}}]}],
    "levels": [
      {"index": 0, "name": "下位", "rate": 100},
      {"index": 1, "name": "上位", "rate": 80}]
  })");
  EXPECT_EQ(nlohmann::json::parse(result.strOut), expected) << result.strOut;
}

TEST(ListCommandTest, TextHasOneLinePerRecord) {
  CTestDataDir dir;
  WriteDataSet(dir);

  const ToolResult_t result = RunToolIn(dir.Path(), {"list"});

  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const std::vector<std::string> arrExpected{
      "category 2 GreatSword 大剣",
      "  weapon 0 試作大剣: attack 960, element 300, mask 2, sharpness 3",
      "  weapon 1 毒大剣ー: attack 4464, element 150, mask 65, sharpness 9",
      "  motion 0 振り下ろし: cut 100, impact 100, values 48",
      "  motion 1 薙ぎ払い: cut 80, impact 100, values 48 26",
      "  hit pattern 0 通常: low 100, high 100",
      "  hit pattern 1 弾かれ: low 50, high 60",
      "category 3 Katana 太刀",
      "  weapon 0 太刀: attack 480, element 0, mask 0, sharpness 3",
      "monster 0 テスト竜ー: anger 100 90 44",
      "  region 0 頭: cut 45, impact 50, third 44, fire 20, water 0, thunder 5, ice 0, dragon 10",
      "level 0 下位: rate 100",
      "level 1 上位: rate 80",
  };
  EXPECT_EQ(SplitLines(result.strOut), arrExpected);
}

TEST(ListCommandTest, EmptyFolderListsNothing) {
  CTestDataDir dir;
  const ToolResult_t result = RunToolIn(dir.Path(), {"list", "--json"});
  EXPECT_EQ(result.nExit, 0);
  EXPECT_EQ(nlohmann::json::parse(result.strOut),
            nlohmann::json::parse(R"({"categories": [], "monsters": [], "levels": []})"));
  EXPECT_EQ(RunToolIn(dir.Path(), {"list"}).strOut, "");
}

}  // namespace
