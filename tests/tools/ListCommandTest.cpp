// velkar-tool list: what the data files hold, as text and as JSON, on a small
// hand-made data set with Japanese names and values beyond the records' bits.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/TestDataDir.h"
#include "tools/ToolRunner.h"

namespace {

// Only the great sword has weapons, so no other category is listed. 70000
// is kept as 70000 - 65536 = 4464, the third anger value and the third
// physical hitzone 300 as 300 - 256 = 44.
TEST(ListCommandTest, TextAndJsonHoldEveryListedRecord) {
  CTestDataDir dir;
  dir.WriteText("GreatSword.ini",
                u8"[Action]\n1=薙ぎ払い, B80, 48, 26\n[HitPattern]\n1=通常, 100, 100\n"
                u8"2=弾かれ, 50, 60\n[Weapon]\n1=毒大剣ー, 70000, 65, 150, 9, 0\n");
  dir.WriteText("Hummer.ini", u8"[Action]\n1=叩きつけ, 45\n");
  dir.WriteText("Monster.ini",
                u8"[Monster]\n0=テスト竜ー\n[テスト竜ー]\nAnger=100,90,300\n"
                u8"0=頭,45,50,300,20,0,5,0,10\n[Level]\n1=下位,100\n");
  ASSERT_EQ(ConvertWithEmptySources(dir.Path(), "convert").nExit, 0);

  const ToolResult_t text = RunToolIn(dir.Path(), "list");
  EXPECT_EQ(text.strOut,
            "category 2 GreatSword 大剣\n"
            "  weapon 0 毒大剣ー: attack 4464, element 150, mask 65, sharpness 9\n"
            "  motion 0 薙ぎ払い: cut 80, impact 100, values 48 26\n"
            "  hit pattern 0 通常: low 100, high 100\n"
            "  hit pattern 1 弾かれ: low 50, high 60\n"
            "monster 0 テスト竜ー: anger 100 90 44\n"
            "  region 0 頭: cut 45, impact 50, third 44, fire 20, water 0, thunder 5, ice 0, "
            "dragon 10\n"
            "level 0 下位: rate 100\n");

  const ToolResult_t list = RunToolIn(dir.Path(), "list --json");
  ASSERT_EQ(list.nExit, 0) << list.strErr;
  EXPECT_EQ(nlohmann::json::parse(list.strOut), nlohmann::json::parse(R"({"categories": [
      {"value": 2, "name": "GreatSword", "label": "大剣",
       "weapons": [{"index": 0, "name": "毒大剣ー", "attack": 4464, "element": 150,
                    "elementMask": 65, "sharpness": 9}],
       "motions": [{"index": 0, "name": "薙ぎ払い", "cutRate": 80, "impactRate": 100,
                    "values": [48, 26]}],
       "hitPatterns": [{"index": 0, "name": "通常", "lowRate": 100, "highRate": 100},
                       {"index": 1, "name": "弾かれ", "lowRate": 50, "highRate": 60}]}],
    "monsters": [{"index": 0, "name": "テスト竜ー", "anger": [100, 90, 44],
       "regions": [{"index": 0, "name": "頭", "physical": {"cut": 45, "impact": 50, "third": 44},
          "element": {"fire": 20, "water": 0, "thunder": 5, "ice": 0, "dragon": 10}}]}],
    "levels": [{"index": 0, "name": "下位", "rate": 100}]})"));
}

}  // namespace
