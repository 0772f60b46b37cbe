// velkar-tool report --json on the bundled sample data (gamedata/, converted
// into the output folder by the build): one calculation per weapon category,
// each result row checked against the values worked out below.
//
// Per hit, in this order: r = mv * B * 0.01 with B = (attack / coefficient
// + bonus) * factor; P = zone * (rate * 0.01) * r * h * ps * 0.01 with h the
// hit correction's low (sharpness 0-2) or high (3-5) rate * 0.01; E = element
// * 0.1 * element zone * es * 0.01 * element coefficient; T = level * (E + P)
// * 0.01, times (200 - anger value 2) * 0.01 when angry. Each T is truncated
// before it is added. The kind follows e = P / r * 100 (low up to 25, high
// above 100) of every hit when they agree, else of all hits together. Sharpness multipliers (ps,
// es): 2 yellow 1.0, 0.75; 3 green 1.125, 1.0; 4 blue 1.25, 1.0625; 5 white 1.3, 1.125.
#include <gtest/gtest.h>

#include <array>

#include <nlohmann/json.hpp>

#include "support/RowName.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::json;

struct SampleRow_t {
  const char* szName;
  const char* szArgs;    // after "report"
  const char* szResult;  // attack, element and sharpness texts; each row's damage and kind
};

class SampleDataReportTest : public ::testing::TestWithParam<SampleRow_t> {};

TEST_P(SampleDataReportTest, RowsMatchTheValuesWorkedOutByHand) {
  const SampleRow_t& row = GetParam();
  const ToolResult_t result =
      RunToolIn(VELKAR_SAMPLE_DATA_DIR, std::string("report --json ") + row.szArgs);
  ASSERT_EQ(result.nExit, 0) << result.strErr;
  const json document = json::parse(result.strOut);
  std::string strResult = document["attack"].get<std::string>() + " " +
                          document["element"].get<std::string>() + " " +
                          document["sharpness"].get<std::string>() + ";";
  for (const json& resultRow : document["rows"]) {
    strResult += std::string(strResult.back() == ';' ? " " : ", ") +
                 std::to_string(resultRow["damage"].get<int>()) +
                 std::array<const char*, 3>{"", " low", " high"}.at(resultRow["kind"]);
  }
  EXPECT_EQ(strResult, row.szResult);
}

INSTANTIATE_TEST_SUITE_P(
    Sample, SampleDataReportTest,
    ::testing::Values(
        // 片手剣 焔刃ヴァルゼナ: attack 252, fire 280, blue; 縦斬り [18] on
        // 岩甲獣グラドム, 通常, 下位. B = 252 / 1.4 = 180, h = 1, level 100.
        //   頭 (cut 55, fire 10): r = 32.4, P = 55 * 32.4 * 1.25 / 100 = 22.275,
        //       E = 28 * 10 * 1.0625 / 100 = 2.975, T = 25.25 -> 25
        //   首 40/5: 16.2 + 1.4875 -> 17; 背中の岩殻 20/0: 8.1 -> 8, e = 25: low
        //   腹 60/15: 24.3 + 4.4625 -> 28; 前脚 35/5: 15.6625 -> 15
        //   後脚 30/5: 13.6375 -> 13; 尻尾 45/10: 21.2 -> 21
        SampleRow_t{"Sword", "--category 0 --weapon 1 --motion 0",
                    "攻撃力：252 属性(火):280 切れ味:青; 25, 17, 8 low, 28, 15, 13, 21"},
        // 双剣 炎氷の双刃: attack 266, fire and ice (fire counts: lowest bit),
        // 300, blue; 笛・攻撃力強化(大) x1.2; 十字斬り [12, 12] and 斬り払い
        // [14] on 氷牙竜フリジオーネ, 上位 (85). B = 266 / 1.4 * 1.2 = 228.
        //   頭 (cut 60, fire 30): r = 27.36, 27.36, 31.92; P = 20.52, 20.52, 23.94;
        //       E = 30 * 30 * 1.0625 / 100 * 0.7 = 6.69375;
        //       T = 0.85 * 27.21375 = 23.1317 twice, 0.85 * 30.63375 = 26.0387 -> 72
        //   牙 25/25: 12.0089 * 2 + 13.2202 -> 37; 首 45/20: 16.8746 * 2 + 19.0549 -> 51
        //   胸 30/20: 12.5141 * 2 + 13.9676 -> 37; 背中 35/25: 14.9159 * 2 + 16.6117 -> 44
        //   翼 40/30: 17.3177 * 2 + 19.2557 -> 53; 前脚 35/20: 13.9676 * 2 + 15.6634 -> 41
        //   後脚 30/20: -> 37 (as 胸); 尻尾 45/25: 17.8229 * 2 + 20.0032 -> 54
        //   牙（破壊後） 40/35: 18.2660 * 2 + 20.2040 -> 56
        SampleRow_t{
            "DualSword",
            "--category 1 --weapon 10 --monster 3 --level 1 --modifier 1036 --motion 4 --motion 1",
            "攻撃力：266 属性(火氷):300 切れ味:青; 72, 37, 51, 37, 44, 53, 41, 37, 54, 56"},
        // 大剣 岩砕大剣グラドム: attack 912, no element, green; 怪力の丸薬 +25;
        // 強溜め斬り [90] on 岩甲獣グラドム, angry (anger value 95: x1.05),
        // 刀身の芯 (high 110). B = 912 / 4.8 + 25 = 215, r = 193.5.
        //   頭 (cut 55): P = 55 * 193.5 * 1.1 * 1.125 / 100 = 131.7009,
        //       T = 131.7009 * 1.05 = 138.286 -> 138
        //   首 40: 100.5716 -> 100; 背中の岩殻 20: 50.2858 -> 50, e = 24.75: low
        //   腹 60: 150.8574 -> 150; 前脚 35: 88.0002 -> 88; 後脚 30: 75.4287 -> 75
        //   尻尾 45: 113.1431 -> 113
        SampleRow_t{"GreatSword",
                    "--category 2 --weapon 10 --hit 1 --anger --modifier 1029 --motion 6",
                    "攻撃力：912 属性(無):0 切れ味:緑; 138, 100, 50 low, 150, 88, 75, 113"},
        // 太刀 影太刀ソーマレス: attack 960, dragon 260, white; 練気MAX +10;
        // 居合斬り (rates 120) [40] on 影翼竜ソーマレス, 訓練場 (120).
        // B = 960 / 4.8 + 10 = 210, r = 84.
        //   頭 (cut 65, dragon 20): P = 65 * 1.2 * 84 * 1.3 / 100 = 85.176,
        //       E = 26 * 20 * 1.125 / 100 = 5.85, T = 1.2 * 91.026 = 109.2312 -> 109,
        //       e = 101.4: high
        //   首 40/15: 68.1642 -> 68; 背中の表皮 30/10: 50.6844 -> 50
        //   翼膜 55/20: 93.5064 -> 93; 翼爪 25/10: 42.822 -> 42; 腹 45/15: 76.0266 -> 76
        //   脚 35/10: 58.5468 -> 58; 尻尾 45/15: 76; 尾先 50/15: 83.889 -> 83
        SampleRow_t{"Katana",
                    "--category 3 --weapon 5 --monster 4 --level 3 --modifier 1033 --motion 8",
                    "攻撃力：960 属性(龍):260 切れ味:白; 109 high, 68, 50, 93, 42, 76, 58, 76, 83"},
        // ランス 甲殻槍ガザンゾ: attack 506, no element, blue; カウンター突き
        // (rates 90) [50] and 盾突き (cut rate 0) [14] on 鋼殻蟹ガザンゾ.
        // B = 506 / 2.3 = 220 (a last bit above), r = 110 and 30.8. The larger of
        // cut and impact counts, with the motion's rate for it:
        //   頭 (cut 35, impact 50: impact): 50 * 0.9 * 110 * 1.25 / 100 = 61.875,
        //       50 * 1.0 * 30.8 * 1.25 / 100 = 19.25 -> 61 + 19 = 80
        //   甲殻 35: 43.3125 + 13.475 -> 56; 鋏 40: 49.5 + 15.4 -> 64
        //   鋏（破壊後） 55: 68.0625 + 21.175 -> 89; 脚 35: 56
        //   腹 (cut 55, impact 50: cut, rate 0 for 盾突き): 68.0625 + 0 -> 68; the hits
        //       are normal and low, together 68.0625 / 140.8 * 100 = 48.3: normal
        //   甲殻（破壊後） 55 impact: 89; 口 (cut 60 > 55): 74.25 + 0 -> 74, also normal
        SampleRow_t{"Lance", "--category 4 --weapon 10 --monster 8 --motion 8 --motion 9",
                    "攻撃力：506 属性(無):0 切れ味:青; 80, 56, 64, 89, 56, 68, 89, 74"},
        // ガンランス 深海銃槍アビソ改: attack 437, water and sleep, 280; sharpness
        // set to 2 (yellow); 弾かれ (low rate 50: h = 0.5); 叩きつけ (impact
        // rate 120) [40] and 炸裂砲 (rates 50) [20, 20, 20, 40] on 深海竜アビソ,
        // whose water zones are all 0. B = 437 / 2.3 = 190, r = 76, 38, 38, 38, 76.
        //   頭 (cut 55 < impact 60: impact): 60 * 1.2 * 76 * 0.5 / 100 = 27.36;
        //       60 * 0.5 * 38 * 0.5 / 100 = 5.7 (x3); 11.4 -> 27 + 5 * 3 + 11 = 53
        //   ヒレ (cut 60 >= 30: cut, rate 100 then 50): 22.8 + 5.7 * 3 + 11.4 -> 48
        //   胴 35: 13.3 + 3.325 * 3 + 6.65 -> 28; 背ビレ 45: 17.1 + 4.275 * 3 + 8.55 -> 37
        //   腹 50: 19 + 4.75 * 3 + 9.5 -> 40; 尻尾 40: 15.2 + 3.8 * 3 + 7.6 -> 31
        //   発光器 90: 34.2 + 8.55 * 3 + 17.1 -> 75. Every region's first hit has twice
        //   the e of the others (e.g. 頭 36 and 15); together they give 21 on 頭 and 19.3 on
        //   ヒレ (low), but 76.95 / 266 * 100 = 28.9 on 発光器: normal
        SampleRow_t{
            "GunLance",
            "--category 5 --weapon 10 --sharpness 2 --monster 9 --hit 3 --motion 5 --motion 8",
            "攻撃力：437 属性(水眠):280 切れ味:黄; 53 low, 48 low, 28 low, 37 low, 40 low, 31 low, "
            "75"},
        // ハンマー 岩砕槌グラドム: attack 1092, no element, green; 攻撃力UP(大)
        // +10, 火事場力+2 x1.3, 会心 x1.25; 溜め打ち上げ [90] and かち上げ (impact
        // rate 110) [100] on 岩甲獣グラドム. B = (210 + 10) * 1.625 = 357.5,
        // r = 321.75 and 357.5; impact zones:
        //   頭 60: 60 * 321.75 * 1.125 / 100 = 217.18125, 60 * 1.1 * 357.5 * 1.125 / 100
        //       = 265.44375 -> 217 + 265 = 482
        //   首 35: 126.6891 + 154.8422 -> 280; 背中の岩殻 30: 108.5906 + 132.7219 -> 240
        //   腹 55: 199.0828 + 243.3234 -> 442; 前脚 40: 144.7875 + 176.9625 -> 320
        //   後脚 35: 280; 尻尾 30: 240
        SampleRow_t{"Hummer",
                    "--category 6 --weapon 10 --modifier 1020 --modifier 1040 --modifier 1038 "
                    "--motion 6 --motion 7",
                    "攻撃力：1092 属性(無):0 切れ味:緑; 482, 280, 240, 442, 320, 280, 240"},
        // 狩猟笛 表裏の笛: attack 936, fire and sleep, 260, blue; 笛・攻撃力強化
        // (大重複) x1.3, 心配性 x0.7; 二連叩き [20, 28] and 演奏攻撃 (impact
        // rate 60) [35] on 大猿獣ゴルバッカ, angry (anger value 90: x1.1).
        // B = 180 * 0.91 = 163.8, r = 32.76, 45.864, 57.33.
        //   頭 (impact 75, fire 20): P = 30.7125, 42.9975, 75 * 0.6 * 57.33 * 1.25 / 100
        //       = 32.2481; E = 26 * 20 * 1.0625 / 100 = 5.525;
        //       T = 39.8613, 53.3748, 41.5504 -> 39 + 53 + 41 = 133
        //   腕 40/15: 22.5761 + 29.7833 + 23.4770 -> 74; 胴 45/15: 24.8284 + 32.9365
        //       + 25.8419 -> 81; 腹 50/20: 28.6 + 37.609 + 29.7261 -> 94
        //   脚 40/10: 21.0568 + 28.2640 + 21.9576 -> 70; 尻 60/20: 33.1045 + 43.9153
        //       + 34.4559 -> 110
        SampleRow_t{"HuntingHorn",
                    "--category 7 --weapon 10 --monster 11 --anger --modifier 1037 --modifier 1039 "
                    "--motion 5 --motion 8",
                    "攻撃力：936 属性(火眠):260 切れ味:青; 133, 74, 81, 94, 70, 110"}),
    RowName<SampleRow_t>);

}  // namespace
