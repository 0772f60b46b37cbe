// velkar-tool list [--json]: what the calculator's LoadAll loaded. Each listed
// category with its weapons, motions and hit patterns (as SelectCategory
// lists them), then the monsters with their regions and the levels; --json
// prints the velkar-records document (setup/ResultJson.h).
#pragma once

#include "ToolCommand.h"

class CCalculator;

class CListCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  static void WriteCategory(const CToolOutput& output, const CCalculator& calculator);
  static void WriteTargets(const CToolOutput& output, const CCalculator& calculator);

  bool m_bJson = false;
};
