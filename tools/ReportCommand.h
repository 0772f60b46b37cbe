// velkar-tool report: one calculation (of options or a saved build), driven
// through the calculator in the order a user of the window would go: LoadAll,
// the category, the weapon, the sharpness, monster, level and hit correction,
// anger, the modifiers in the order given, then the motions in the order given. Prints the report
// text, or with --json the status texts, the result rows and the report; --explain adds the
// breakdown of every hit behind the rows.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "CalculationOptions.h"
#include "ToolCommand.h"

class CCalculator;
struct CalcExplanation_t;

class CReportCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // Runs the operations; a usage error message, or empty when all went well.
  std::string Drive(CCalculator& calculator);

  static nlohmann::ordered_json ReportJson(const CCalculator& calculator,
                                           const std::string& strReport);
  static nlohmann::ordered_json FactorsJson(const CalcExplanation_t& explanation);
  static nlohmann::ordered_json ExplainJson(const CalcExplanation_t& explanation);

  CCalculationOptions m_options;
  bool m_bJson = false;
  bool m_bExplain = false;
};
