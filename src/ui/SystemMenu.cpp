#include "SystemMenu.h"

#include "VelkarTexts.h"

std::vector<SystemMenuEntry_t> GetSystemMenuEntries(std::string_view strAbout) {
  std::vector<SystemMenuEntry_t> arrEntry = {{kCommandClose, txt::kCloseMenuEntry}};
  if (!strAbout.empty()) {
    arrEntry.push_back({kCommandSeparator, {}});
    arrEntry.push_back({kCommandAbout, strAbout});
  }
  arrEntry.push_back({kCommandSeparator, {}});
  arrEntry.push_back({kCommandConvertWeapons, txt::kConvertWeaponsMenuEntry});
  arrEntry.push_back({kCommandConvertMonsters, txt::kConvertMonstersMenuEntry});
  // Builds, ranking and the pinned baseline
  arrEntry.push_back({kCommandSeparator, {}});
  arrEntry.push_back({kCommandBuilds, txt::kBuildsMenuEntry, "Ctrl+B"});
  arrEntry.push_back({kCommandRanking, txt::kRankingMenuEntry, "Ctrl+R"});
  arrEntry.push_back({kCommandPin, txt::kPinMenuEntry, "Ctrl+P"});
  arrEntry.push_back({kCommandCompare, txt::kCompareMenuEntry, "Ctrl+M"});
  arrEntry.push_back({kCommandGains, txt::kGainsMenuEntry, "Ctrl+G"});
  arrEntry.push_back({kCommandChart, txt::kChartMenuEntry, "Ctrl+H"});
  // The setup as a code, and back
  arrEntry.push_back({kCommandSeparator, {}});
  arrEntry.push_back({kCommandCopyCode, txt::kCopyCodeMenuEntry, "Ctrl+Shift+C"});
  arrEntry.push_back({kCommandOpenCode, txt::kOpenCodeMenuEntry, "Ctrl+Shift+V"});
  arrEntry.push_back({kCommandSeparator, {}});
  arrEntry.push_back({kCommandUndo, txt::kUndoMenuEntry, "Ctrl+Z"});
  arrEntry.push_back({kCommandRedo, txt::kRedoMenuEntry, "Ctrl+Y"});
  return arrEntry;
}
