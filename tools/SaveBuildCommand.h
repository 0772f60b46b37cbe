// velkar-tool save-build NAME: computes a calculation as report does (from
// options, or from a saved build with options replacing its parts) and saves
// its setup as the build NAME, replacing the build of that name, in the file
// the window shares (see CSetupStore). The window loads it like its own. A
// name that is empty, holds a control character or a character Shift-JIS
// lacks is refused, and so is a name that several builds already carry.
#pragma once

#include <string>

#include "CalculationOptions.h"
#include "ToolCommand.h"

class CSaveBuildCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  CCalculationOptions m_options;
  std::string m_strName;  // UTF-8, as given
};
