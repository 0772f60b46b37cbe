// velkar-tool list on the small data set, whole, as text and as JSON; and what
// every command does when its output cannot be written.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>

#include <nlohmann/json.hpp>

#include "tools/ToolRunner.h"

namespace {

using json = nlohmann::ordered_json;

TEST(ListCommandTest, TextAndJsonHoldEveryRecord) {
  EXPECT_EQ(RunToolIn(SmallDataSet(), "list").strOut,
            "category 0 Sword 片手剣\n"
            "  weapon 0 w: attack 196, element 100, mask 2, sharpness 3\n"
            "  motion 0 a: cut 100, impact 100, values 10\n"
            "  motion 1 b: cut 50, impact 100, values 20 30\n"
            "  motion 2 c: cut 80, impact 80, values 5\n"
            "  motion 3 d: cut 100, impact 120, values 7\n"
            "  motion 4 e: cut 100, impact 100, values 1000\n"
            "  hit pattern 0 h: low 100, high 110\n"
            "  hit pattern 1 g: low 80, high 70\n"
            "category 4 Lance ランス\n"
            "  weapon 0 槍: attack 230, element 0, mask 0, sharpness 3\n"
            "monster 0 m: anger 1 2 3\n"
            "monster 1 竜: anger 100 90 110\n"
            "  region 0 頭: cut 50, impact 40, third 30, fire 20, water 0, thunder 0, ice 0, "
            "dragon 0\nlevel 0 l: rate 100\n"
            "level 1 k: rate 80\n");
  const json document = json::parse(R"({"format": "velkar-records", "version": 1, "categories": [
    {"category": 0, "name": "Sword", "label": "片手剣", "weapons": [{"index": 0, "name": "w",
      "attack": 196, "element_value": 100, "element_mask": 2, "sharpness": 3}], "motions": [
      {"index": 0, "name": "a", "cut_rate": 100, "impact_rate": 100, "values": [10]},
      {"index": 1, "name": "b", "cut_rate": 50, "impact_rate": 100, "values": [20, 30]},
      {"index": 2, "name": "c", "cut_rate": 80, "impact_rate": 80, "values": [5]},
      {"index": 3, "name": "d", "cut_rate": 100, "impact_rate": 120, "values": [7]},
      {"index": 4, "name": "e", "cut_rate": 100, "impact_rate": 100, "values": [1000]}],
     "hit_corrections": [{"index": 0, "name": "h", "low_rate": 100, "high_rate": 110},
      {"index": 1, "name": "g", "low_rate": 80, "high_rate": 70}]}, {"category": 4, "name": "Lance",
     "label": "ランス", "weapons": [{"index": 0, "name": "槍", "attack": 230, "element_value": 0,
      "element_mask": 0, "sharpness": 3}], "motions": [], "hit_corrections": []}],
   "monsters": [{"index": 0, "name": "m", "anger": [1, 2, 3], "regions": []}, {"index": 1,
     "name": "竜", "anger": [100, 90, 110], "regions": [{"index": 0, "name": "頭", "physical":
     {"cut": 50, "impact": 40, "third": 30}, "element": {"fire": 20, "water": 0, "thunder": 0,
     "ice": 0, "dragon": 0}}]}],
   "levels": [{"index": 0, "name": "l", "rate": 100}, {"index": 1, "name": "k", "rate": 80}]})");
  EXPECT_EQ(RunToolIn(SmallDataSet(), "list --json").strOut, document.dump(2) + "\n");
}

// Output that does not get through is a failure, never a silent success; a
// reader that went away ends the tool as it ends cat, by SIGPIPE, even when
// the tool was started with the signal ignored.
TEST(ListCommandTest, OutputThatCannotBeWritten) {
  for (const auto& [eOut, nError] : {std::pair{eSTDOUT::FULL, ENOSPC}, {eSTDOUT::CLOSED, EBADF}}) {
    const ToolResult_t result = RunTool({"--dir", SmallDataSet(), "list"}, eOut);
    EXPECT_EQ(std::to_string(result.nExit) + result.strErr,
              "1velkar-tool: cannot write the output: " + std::string(strerror(nError)) + "\n");
  }
  const ToolResult_t piped = RunTool({"--dir", SmallDataSet(), "list"}, eSTDOUT::BROKEN_PIPE);
  EXPECT_EQ(std::to_string(piped.nSignal) + piped.strErr, std::to_string(SIGPIPE));
}

}  // namespace
