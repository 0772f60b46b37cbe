// velkar-tool report --explain on the bundled sample data: for every weapon
// category against every monster (so every region of the data), with every
// motion of the category, the breakdown adds up to the report's damage: the
// truncated values of a region's hits sum to its row's damage, the last
// running total is that damage, and the last hit's kind is the row's. The
// text breakdown ends every region with the same running total.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/RowName.h"
#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::json;

struct CategoryRow_t {
  const char* szName;
  int nCategory;
};

class SampleDataExplainTest : public ::testing::TestWithParam<CategoryRow_t> {
protected:
  static void SetUpTestSuite() {
    const ToolResult_t result = RunToolIn(VELKAR_SAMPLE_DATA_DIR, {"list", "--json"});
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    s_list = json::parse(result.strOut);
  }

  static const json& Category(int nCategory) {
    for (const json& category : s_list["categories"]) {
      if (category["value"] == nCategory) return category;
    }
    throw std::runtime_error("category " + std::to_string(nCategory) + " is not listed");
  }

  static json s_list;
};

json SampleDataExplainTest::s_list;

// Options that vary with the monster, so that anger, sharpness, levels and
// modifiers all take part somewhere.
std::vector<std::string> Arguments(int nCategory, const json& category, size_t nMonster,
                                   size_t nLevelCount) {
  const size_t nWeapon = nMonster % category["weapons"].size();
  std::vector<std::string> arrArg{"report",
                                  "--category",
                                  std::to_string(nCategory),
                                  "--weapon",
                                  std::to_string(nWeapon),
                                  "--monster",
                                  std::to_string(nMonster),
                                  "--level",
                                  std::to_string(nMonster % nLevelCount),
                                  "--sharpness",
                                  std::to_string(nMonster % 6)};
  if (nMonster % 2 == 1) arrArg.push_back("--anger");
  if (nMonster % 3 == 0) arrArg.insert(arrArg.end(), {"--modifier", "1040", "--modifier", "1029"});
  for (size_t i = 0; i < category["motions"].size(); ++i) {
    arrArg.insert(arrArg.end(), {"--motion", std::to_string(i)});
  }
  return arrArg;
}

TEST_P(SampleDataExplainTest, HitsAddUpToEveryRegionsDamage) {
  const int nCategory = GetParam().nCategory;
  const json& category = Category(nCategory);
  const size_t nMonsters = s_list["monsters"].size();
  ASSERT_GT(nMonsters, 0u);
  size_t nRegions = 0;
  for (size_t nMonster = 0; nMonster < nMonsters; ++nMonster) {
    SCOPED_TRACE("monster " + std::to_string(nMonster));
    std::vector<std::string> arrArg =
        Arguments(nCategory, category, nMonster, s_list["levels"].size());
    arrArg.insert(arrArg.end(), {"--json", "--explain"});
    const ToolResult_t result = RunToolIn(VELKAR_SAMPLE_DATA_DIR, arrArg);
    ASSERT_EQ(result.nExit, 0) << result.strErr;
    const json document = json::parse(result.strOut);

    const json& rows = document["rows"];
    const json& explain = document["explain"];
    ASSERT_EQ(explain.size(), rows.size());
    ASSERT_EQ(rows.size(), s_list["monsters"][nMonster]["regions"].size());
    for (size_t i = 0; i < rows.size(); ++i) {
      SCOPED_TRACE("region " + std::to_string(i));
      const json& hits = explain[i]["hits"];
      EXPECT_EQ(explain[i]["region"], rows[i]["region"]);
      EXPECT_EQ(explain[i]["damage"], rows[i]["damage"]);
      int64_t nSum = 0;
      for (const json& hit : hits) nSum += hit["truncated"].get<int64_t>();
      EXPECT_EQ(nSum, rows[i]["damage"].get<int64_t>());
      ASSERT_FALSE(hits.empty());
      EXPECT_EQ(hits.back()["running"], rows[i]["damage"]);
      EXPECT_EQ(hits.back()["kind"], rows[i]["kind"]);
      ++nRegions;
    }
  }
  EXPECT_GT(nRegions, nMonsters);
}

// The text: each region's heading names the row's damage, and its last hit
// line ends with the same running total.
TEST_P(SampleDataExplainTest, TextEndsEveryRegionAtItsDamage) {
  const int nCategory = GetParam().nCategory;
  const std::vector<std::string> arrArg =
      Arguments(nCategory, Category(nCategory), 0, s_list["levels"].size());
  std::vector<std::string> arrJson = arrArg;
  arrJson.push_back("--json");
  const ToolResult_t withJson = RunToolIn(VELKAR_SAMPLE_DATA_DIR, arrJson);
  ASSERT_EQ(withJson.nExit, 0) << withJson.strErr;
  std::vector<std::string> arrText = arrArg;
  arrText.push_back("--explain");
  const ToolResult_t text = RunToolIn(VELKAR_SAMPLE_DATA_DIR, arrText);
  ASSERT_EQ(text.nExit, 0) << text.strErr;

  const json document = json::parse(withJson.strOut);
  ASSERT_EQ(text.strOut.rfind(document["report"].get<std::string>(), 0), 0u);
  const std::vector<std::string> arrLine =
      SplitLines(text.strOut.substr(document["report"].get<std::string>().size()));
  size_t nLine = 0;
  for (const json& row : document["rows"]) {
    const std::string strHeading = row["region"].get<std::string>() + ": physical ";
    while (nLine < arrLine.size() && arrLine[nLine].rfind(strHeading, 0) != 0) ++nLine;
    ASSERT_LT(nLine, arrLine.size()) << strHeading;
    const std::string strDamage = "damage " + std::to_string(row["damage"].get<int>()) + " (";
    EXPECT_NE(arrLine[nLine].find(strDamage), std::string::npos) << arrLine[nLine];
    size_t nLast = nLine + 1;
    while (nLast + 1 < arrLine.size() && arrLine[nLast + 1].rfind("  motion ", 0) == 0) ++nLast;
    const std::string strRunning = ", running " + std::to_string(row["damage"].get<int>());
    EXPECT_TRUE(arrLine[nLast].ends_with(strRunning)) << arrLine[nLast];
    nLine = nLast + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Sample, SampleDataExplainTest,
                         ::testing::Values(CategoryRow_t{"Sword", 0}, CategoryRow_t{"DualSword", 1},
                                           CategoryRow_t{"GreatSword", 2},
                                           CategoryRow_t{"Katana", 3}, CategoryRow_t{"Lance", 4},
                                           CategoryRow_t{"GunLance", 5}, CategoryRow_t{"Hummer", 6},
                                           CategoryRow_t{"HuntingHorn", 7}),
                         RowName<CategoryRow_t>);

}  // namespace
