// velkar-tool compare: 2 to 6 loadouts side by side against one target (the
// core's LoadoutComparison.h), read by CLoadoutOptions. Prints the table, or
// with --json the core's comparison document (ResultJson.h); a name that the
// data lacks is a warning on stderr, and a loadout without numbers (its
// weapon is gone) makes the command fail after printing.
#pragma once

#include "LoadoutOptions.h"
#include "ToolCommand.h"

class CCompareCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  CLoadoutOptions m_loadouts;
  bool m_bJson = false;
};
