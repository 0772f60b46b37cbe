// velkar-tool report: one calculation (of options or a saved build), driven
// through the calculator in the order a user of the window would go: LoadAll,
// the category, the weapon, the sharpness, monster, level and hit correction,
// anger, the modifiers in the order given, then the motions in the order given. Prints the report
// text, or with --json the core's report document (ResultJson.h); --explain adds the breakdown
// of every hit behind the rows.
#pragma once

#include <string>

#include "CalculationOptions.h"
#include "ToolCommand.h"

class CReportCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  CCalculationOptions m_options;
  bool m_bJson = false;
  bool m_bExplain = false;
};
