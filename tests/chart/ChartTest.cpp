// The five charts on the calculator tests' data set (CalcTestData.h), each
// row's document compared whole (or, for the long gains list, the members
// that matter), and every row's SVG, light and narrow-dark, checked for what
// a reader needs: no text over another by the width model, a <title> with
// the value on every bar, bar lengths in proportion to the values, the marks
// on the marked bars, escaped names, and for an empty chart its reason with
// no axes.
//
// ハンターナイフ (B = 200) with one 斬り下ろし [20] (r = 40) on ドラゴン, per
// region (頭 45, 尻尾 30, 腹 90, 甲殻 22): P = p x 40 x sharpness / 100,
// truncated: red 0.5: 9 6 18 4 (37); orange 0.75: 13.5 9 27 6.6 -> 13 9 27 6
// (55); yellow 1.0: 18 12 36 8.8 -> 8 (74); green 1.125: 20.25 13.5 40.5 9.9
// -> 20 13 40 9 (82); blue 1.25: 22.5 15 45 11 -> 22 15 45 11 (93); white
// 1.3: 23.4 15.6 46.8 11.44 -> 23 15 46 11 (95). 突き (cut rate 50 %) [10,
// 12] at green: r = 20 and 24, 頭 5.0625 + 6.075 -> 11, 尻尾 3.375 + 4.05 ->
// 7, 腹 10.125 + 12.15 -> 22, 甲殻 2.475 + 2.97 -> 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "calc/CalcTestData.h"
#include "chart/ChartBuilders.h"
#include "chart/ChartSvg.h"
#include "setup/ResultJson.h"
#include "support/RowName.h"

using namespace calctest;

namespace {

using json = nlohmann::json;

Loadout_t Knife(std::optional<int> nSharpness, const char8_t* pszWeapon = u8"ハンターナイフ") {
  return {0, ToSjis(pszWeapon), {ToSjis(u8"斬り下ろし")}, nSharpness, ToSjis(u8"通常"), {}};
}

const Target_t kDragon{ToSjis(u8"ドラゴン"), ToSjis(u8"下位"), false};

// A name with every character markup needs escaped, and a tab.
const std::string kOddName = "<&\"'\tA";

struct ChartRow_t {
  const char* szName;
  std::function<Chart_t(CCalculator&)> build;  // on the loaded calculator
  const char* szExpected;                      // the document, or its members that matter
};

const ChartRow_t kChartRows[] = {
    {"LoadoutsBestMarkedAndAGoneWeaponApart",
     [](const CCalculator& c) {
       return LoadoutsChart(
           CompareLoadouts(c.GetStore(), kDragon,
                           {{kOddName, Knife({})}, {"W", Knife(5)}, {"X", Knife({}, u8"幻の剣")}}));
     },
     R"({"format": "velkar-chart", "version": 1, "kind": "loadouts", "layout": "grouped",
       "title": "ドラゴン（下位）への装備別ダメージ",
       "description": "部位ごと（と合計）に、2個の装備のダメージを並べた棒グラフ。各部位で最大の装備には太枠と▼の印。",
       "axis": "ダメージ", "groups": ["頭", "尻尾", "腹", "甲殻", "合計"],
       "series": [{"name": "<&\"'\tA", "values": [20, 13, 40, 9, 82]},
                  {"name": "W", "values": [23, 15, 46, 11, 95]}],
       "marks": [{"kind": "best", "group": 0, "series": 1, "text": "▼", "legend": "最大"},
                 {"kind": "best", "group": 1, "series": 1, "text": "▼", "legend": "最大"},
                 {"kind": "best", "group": 2, "series": 1, "text": "▼", "legend": "最大"},
                 {"kind": "best", "group": 3, "series": 1, "text": "▼", "legend": "最大"},
                 {"kind": "best", "group": 4, "series": 1, "text": "▼", "legend": "最大"}],
       "unusable": ["X"], "empty": null})"},
    {"SharpnessEachLoadoutsOwnLevelMarked",
     [](const CCalculator& c) {
       return SharpnessChart(c.GetStore(), kDragon, {{"G", Knife({})}, {"W", Knife(5)}});
     },
     R"({"format": "velkar-chart", "version": 1, "kind": "sharpness", "layout": "grouped",
       "title": "切れ味ごとのダメージ（合計）",
       "description": "切れ味の6段階それぞれでの、2個の装備のダメージ（合計）。武器本来の切れ味には太枠と▼の印。",
       "axis": "ダメージ", "groups": ["赤", "橙", "黄", "緑", "青", "白"],
       "series": [{"name": "G", "values": [37, 55, 74, 82, 93, 95]},
                  {"name": "W", "values": [37, 55, 74, 82, 93, 95]}],
       "marks": [{"kind": "own", "group": 3, "series": 0, "text": "▼", "legend": "武器本来の切れ味"},
                 {"kind": "own", "group": 5, "series": 1, "text": "▼", "legend": "武器本来の切れ味"}],
       "unusable": [], "empty": null})"},
    // From the gains' own table: white +3 +2 +6 +2, red -11 -7 -22 -5.
    {"GainsOfTheBellyWithTheKatanasBoxApart",
     [](CCalculator& calc) {
       calc.SelectWeapon(kKnife);
       calc.AddChosenMotion(kSlash);
       return GainsChart(calc, 2);
     },
     R"({"kind": "gains", "layout": "lying",
       "title": "ハンターナイフ：スキルと切れ味で増えるダメージ（腹）", "axis": "ダメージの増減",
       "marks": [], "unusable": ["練気MAX"], "empty": null})"},
    {"MotionsAddUpToEachRegion",
     [](CCalculator& calc) {
       calc.SelectWeapon(kKnife);
       for (const int nMotion : {kSlash, kThrust, kSlash}) calc.AddChosenMotion(nMotion);
       return MotionsChart(calc);
     },
     R"({"format": "velkar-chart", "version": 1, "kind": "motions", "layout": "stacked",
       "title": "ハンターナイフ：部位ごとのモーション別ダメージ",
       "description": "部位ごとのダメージを、攻撃リストのモーション（3個）ごとに積み上げた棒グラフ。",
       "axis": "ダメージ", "groups": ["頭", "尻尾", "腹", "甲殻"],
       "series": [{"name": "1. 斬り下ろし", "values": [20, 13, 40, 9]},
                  {"name": "2. 突き", "values": [11, 7, 22, 4]},
                  {"name": "3. 斬り下ろし", "values": [20, 13, 40, 9]}],
       "marks": [], "unusable": [], "empty": null})"},
    {"TargetRates",
     [](CCalculator& calc) {
       calc.SelectWeapon(kFireSword);
       return TargetChart(calc);
     },
     R"({"format": "velkar-chart", "version": 1, "kind": "target", "layout": "grouped",
       "title": "ドラゴン の肉質", "description": "ドラゴン の部位（4個）ごとの物理と属性の肉質（%）。",
       "axis": "肉質（%）", "groups": ["頭", "尻尾", "腹", "甲殻"],
       "series": [{"name": "物理", "values": [45, 30, 90, 22]},
                  {"name": "属性", "values": [20, 10, 15, 5]}],
       "marks": [], "unusable": [], "empty": null})"},
    // A label wider than its group wraps; millions and zeros keep their axis,
    // which reaches past a highest value one above a round step.
    {"LongLabelsAndExtremeValues",
     [](CCalculator&) {
       LoadoutComparison_t comparison{
           "m", "l", false, {}, {ToSjis(u8"背中の甲殻部（破壊後）"), "x"}, {}};
       comparison.arrLoadout.push_back({"A", 0, {}, "w", 3, {}, {}, {2000001, 0}, 2000001, {}});
       comparison.arrLoadout.push_back({"B", 0, {}, "w", 3, {}, {}, {0, 0}, 0, {}});
       return LoadoutsChart(comparison);
     },
     R"({"kind": "loadouts", "groups": ["背中の甲殻部（破壊後）", "x", "合計"],
       "series": [{"name": "A", "values": [2000001, 0, 2000001]},
                  {"name": "B", "values": [0, 0, 0]}],
       "marks": [{"kind": "best", "group": 0, "series": 0, "text": "▼", "legend": "最大"},
                 {"kind": "best", "group": 2, "series": 0, "text": "▼", "legend": "最大"}]})"},
    {"ZeroEverywhere",
     [](CCalculator&) {
       LoadoutComparison_t comparison{"m", "l", false, {}, {"x"}, {}};
       comparison.arrLoadout.push_back({"A", 0, {}, "w", 3, {}, {}, {0}, 0, {}});
       return LoadoutsChart(comparison);
     },
     R"({"series": [{"name": "A", "values": [0, 0]}], "marks": []})"},
    {"NoLoadouts",
     [](const CCalculator& c) { return LoadoutsChart(CompareLoadouts(c.GetStore(), kDragon, {})); },
     R"({"kind": "loadouts", "groups": [], "series": [], "empty": "比べる装備がありません"})"},
    {"NoRegions",
     [](CCalculator&) {
       LoadoutComparison_t comparison;
       comparison.arrLoadout.resize(1);
       return LoadoutsChart(comparison);
     },
     R"({"kind": "loadouts", "series": [], "empty": "このモンスターには部位がありません"})"},
    {"NoMotions",
     [](CCalculator& calc) {
       calc.SelectWeapon(kKnife);
       return MotionsChart(calc);
     },
     R"({"kind": "motions", "series": [], "empty": "攻撃リストにモーションがありません"})"},
    {"NoWeapon", [](CCalculator& calc) { return TargetChart(calc); },
     R"({"kind": "target", "title": "", "series": [],
       "empty": "武器・モンスター・レベル・当たり方修正を選ぶとグラフを表示します"})"},
};

// A drawn text: its box by the width model (a character of one UTF-8 byte or
// a half-width katakana 0.6 em, any other 1.0 em) and its baseline.
struct TextBox_t {
  double dLeft, dRight, dTop, dBottom;
  std::string strText;
};

double WidthOf(const std::string& strUtf8, int nSize) {
  double dEm = 0;
  for (size_t i = 0; i < strUtf8.size();) {
    const auto c = static_cast<unsigned char>(strUtf8[i]);
    const size_t nLength = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const bool bHalfKana = strUtf8.compare(i, 2, "\xEF\xBD") == 0 ||
                           (strUtf8.compare(i, 2, "\xEF\xBE") == 0 &&
                            static_cast<unsigned char>(strUtf8[i + 2]) <= 0x9F);
    dEm += (nLength == 1 || bHalfKana) ? 0.6 : 1.0;
    i += nLength;
  }
  return dEm * nSize;
}

std::string Unescaped(std::string strText) {
  for (const auto& [from, to] :
       {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}}) {
    for (size_t n = strText.find(from); n != std::string::npos; n = strText.find(from, n)) {
      strText.replace(n, std::string(from).size(), to);
      n += std::string(to).size();
    }
  }
  return strText;
}

std::vector<TextBox_t> Texts(const std::string& strSvg) {
  static const std::regex text(
      R"re(<text x="(-?\d+)" y="(-?\d+)" [^>]*font-size="(\d+)"[^>]*text-anchor="(\w+)">([^<]*)</text>)re");
  std::vector<TextBox_t> arrBox;
  for (auto it = std::sregex_iterator(strSvg.begin(), strSvg.end(), text);
       it != std::sregex_iterator(); ++it) {
    const int nSize = std::stoi((*it)[3]);
    const std::string strText = Unescaped((*it)[5]);
    const double dWidth = WidthOf(strText, nSize);
    const double dX = std::stod((*it)[1]);
    const double dLeft = (*it)[4] == "start"    ? dX
                         : (*it)[4] == "middle" ? dX - dWidth / 2
                                                : dX - dWidth;
    const double dY = std::stod((*it)[2]);
    arrBox.push_back({dLeft, dLeft + dWidth, dY - nSize * 0.8, dY + nSize * 0.2, strText});
  }
  return arrBox;
}

struct Bar_t {
  int nLength;  // the height of an upright bar, the width of a lying one
  bool bOutlined;
};

// The bars by their <title>s.
std::map<std::string, Bar_t> Bars(const std::string& strSvg, bool bLying) {
  static const std::regex rect(
      R"re(<rect x="-?\d+" y="-?\d+" width="(\d+)" height="(\d+)" fill="#[0-9a-f]{6}"( stroke="#[0-9a-f]{6}" stroke-width="2")?><title>([^<]*)</title></rect>)re");
  std::map<std::string, Bar_t> mapBar;
  for (auto it = std::sregex_iterator(strSvg.begin(), strSvg.end(), rect);
       it != std::sregex_iterator(); ++it) {
    mapBar[Unescaped((*it)[4])] = {std::stoi((*it)[bLying ? 1 : 2]), (*it)[3].matched};
  }
  return mapBar;
}

class ChartTest : public CalculatorFixture, public ::testing::WithParamInterface<ChartRow_t> {};

TEST_P(ChartTest, DocumentAndDrawing) {
  Start();
  const Chart_t chart = GetParam().build(m_calc);
  const json document = json::parse(ResultJsonText(ChartDocument(chart)));
  const json expected = json::parse(GetParam().szExpected);
  for (const auto& [strKey, value] : expected.items()) EXPECT_EQ(document[strKey], value) << strKey;
  if (expected.contains("format")) {
    EXPECT_EQ(document, expected);
  }

  for (const ChartStyle_t& style : {ChartStyle_t{}, ChartStyle_t{240, 20, true}}) {
    const std::string strSvg = ChartSvg(chart, style);
    SCOPED_TRACE(strSvg);
    EXPECT_TRUE(velkar::IsUtf8(strSvg));
    EXPECT_TRUE(std::none_of(strSvg.begin(), strSvg.end(), [](char c) {
      return c != '\n' && static_cast<unsigned char>(c) < 0x20;
    }));
    EXPECT_EQ(strSvg.find("<&"), std::string::npos);
    const std::vector<TextBox_t> arrText = Texts(strSvg);
    EXPECT_GE(arrText.size(), 2u);
    std::smatch size;
    ASSERT_TRUE(std::regex_search(strSvg, size, std::regex(R"re(width="(\d+)" height="(\d+)")re")));
    for (const TextBox_t& text : arrText) {
      EXPECT_TRUE(text.dLeft >= 0 && text.dRight <= std::stoi(size[1]) && text.dTop >= 0 &&
                  text.dBottom <= std::stoi(size[2]))
          << text.strText << " is cut";
    }
    for (size_t i = 0; i < arrText.size(); ++i) {
      for (size_t j = i + 1; j < arrText.size(); ++j) {
        const TextBox_t& a = arrText[i];
        const TextBox_t& b = arrText[j];
        EXPECT_FALSE(a.dLeft < b.dRight && b.dLeft < a.dRight && a.dTop < b.dBottom &&
                     b.dTop < a.dBottom)
            << a.strText << " over " << b.strText;
      }
    }
    if (!document["empty"].is_null()) {
      EXPECT_NE(
          std::find_if(arrText.begin(), arrText.end(),
                       [&](const TextBox_t& text) {
                         return !text.strText.empty() &&
                                document["empty"].get<std::string>().starts_with(text.strText);
                       }),
          arrText.end());
      EXPECT_EQ(strSvg.find("<line"), std::string::npos);
      EXPECT_EQ(strSvg.find("<rect"), strSvg.rfind("<rect"));  // the background alone
      continue;
    }
    // The value axis counts in round steps (1, 2 or 5 times a power of ten)
    // through 0, from at or below the lowest bar to at or above the highest,
    // 5 at least.
    std::vector<int64_t> arrTick;
    for (const TextBox_t& text : arrText) {
      if (std::regex_match(text.strText, std::regex("-?[0-9]+"))) {
        arrTick.push_back(std::stoll(text.strText));
      }
    }
    ASSERT_GE(arrTick.size(), 3u);
    int64_t nMantissa = arrTick[1] - arrTick[0];
    while (nMantissa % 10 == 0) nMantissa /= 10;
    EXPECT_TRUE(nMantissa == 1 || nMantissa == 2 || nMantissa == 5) << arrTick[1] - arrTick[0];
    for (size_t i = 1; i < arrTick.size(); ++i) {
      EXPECT_EQ(arrTick[i] - arrTick[i - 1], arrTick[1] - arrTick[0]);
    }
    EXPECT_NE(std::find(arrTick.begin(), arrTick.end(), 0), arrTick.end());
    EXPECT_GE(arrTick.back() - arrTick.front(), 5);
    for (size_t g = 0; g < document["groups"].size(); ++g) {
      int64_t nEnd = 0;
      for (const json& one : document["series"]) {
        const int64_t nValue = one["values"][g];
        nEnd = document["layout"] == "stacked" ? nEnd + nValue : nValue;
        EXPECT_LE(arrTick.front(), nEnd);
        EXPECT_GE(arrTick.back(), nEnd);
      }
    }
    // Every value has its bar, titled with its value and its marks, outlined
    // when marked, as long as its value makes it.
    const bool bLying = document["layout"] == "lying";
    const std::map<std::string, Bar_t> mapBar = Bars(strSvg, bLying);
    const json& series = document["series"];
    int64_t nMax = 0;
    int nMaxLength = 0;
    for (size_t s = 0; s < series.size(); ++s) {
      for (size_t g = 0; g < document["groups"].size(); ++g) {
        const int64_t nValue = series[s]["values"][g];
        std::string strTitle =
            (series.size() > 1 ? series[s]["name"].get<std::string>() + "：" : "") +
            document["groups"][g].get<std::string>() + " " + std::to_string(nValue);
        bool bMarked = false;
        for (const json& mark : document["marks"]) {
          if (mark["group"] == g && mark["series"] == s) {
            strTitle += " " + mark["legend"].get<std::string>();
            bMarked = true;
          }
        }
        std::replace(strTitle.begin(), strTitle.end(), '\t', ' ');
        ASSERT_TRUE(mapBar.contains(strTitle)) << strTitle;
        EXPECT_EQ(mapBar.at(strTitle).bOutlined, bMarked) << strTitle;
        if (std::abs(nValue) > nMax) {
          nMax = std::abs(nValue);
          nMaxLength = mapBar.at(strTitle).nLength;
        }
      }
    }
    for (size_t s = 0; s < series.size(); ++s) {
      for (size_t g = 0; g < document["groups"].size(); ++g) {
        const int64_t nValue = std::abs(series[s]["values"][g].get<int64_t>());
        std::string strPrefix =
            (series.size() > 1 ? series[s]["name"].get<std::string>() + "：" : "") +
            document["groups"][g].get<std::string>() + " ";
        std::replace(strPrefix.begin(), strPrefix.end(), '\t', ' ');
        const auto it = mapBar.lower_bound(strPrefix);
        EXPECT_LE(std::abs(it->second.nLength * nMax - nMaxLength * nValue), nMax) << strPrefix;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Charts, ChartTest, ::testing::ValuesIn(kChartRows), RowName<ChartRow_t>);

// The gains, sorted by the belly: the largest first, red last among the
// boxes that can be clicked, each labelled as the click it is.
TEST_F(CalculatorFixture, GainsChartOfTheBelly) {
  Start();
  m_calc.SelectWeapon(kKnife);
  m_calc.AddChosenMotion(kSlash);
  const json document = json::parse(ResultJsonText(ChartDocument(GainsChart(m_calc, 2))));
  const json& values = document["series"][0]["values"];
  ASSERT_EQ(document["groups"].size(), values.size());
  EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend()));
  EXPECT_EQ(document["groups"].back(), "切れ味 赤");
  EXPECT_EQ(values.back(), -22);
  const auto itWhite = std::find(document["groups"].begin(), document["groups"].end(), "切れ味 白");
  EXPECT_EQ(values[static_cast<size_t>(itWhite - document["groups"].begin())], 6);
}

}  // namespace
