// velkar-tool list [--json]: what the calculator's LoadAll loaded. Each listed
// category with its weapons, motions and hit patterns (as SelectCategory
// lists them), then the monsters with their regions and the levels.
#pragma once

#include <nlohmann/json.hpp>

#include "ToolCommand.h"

class CCalculator;

class CListCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  static nlohmann::ordered_json CategoryJson(const CCalculator& calculator);
  static void AddTargetsJson(const CCalculator& calculator, nlohmann::ordered_json& document);
  static void WriteCategory(const CToolOutput& output, const CCalculator& calculator);
  static void WriteTargets(const CToolOutput& output, const CCalculator& calculator);

  bool m_bJson = false;
};
