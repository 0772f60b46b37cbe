// velkar-tool report: one calculation, driven through the calculator in the
// order a user of the window would go: LoadAll, the category, the weapon, the
// sharpness, monster, level and hit correction, anger, the modifiers in the
// order given, then the motions in the order given. Prints the report text,
// or with --json the status texts, the result rows and the report.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ToolCommand.h"

class CCalculator;

class CReportCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // Runs the operations; a usage error message, or empty when all went well.
  std::string Drive(CCalculator& calculator) const;

  static nlohmann::ordered_json ReportJson(const CCalculator& calculator,
                                           const std::string& strReport);

  CLI::Option* m_pSharpness = nullptr;
  CLI::Option* m_pMonster = nullptr;
  CLI::Option* m_pLevel = nullptr;
  CLI::Option* m_pHit = nullptr;
  int m_nCategory = 0;
  int m_nWeapon = 0;
  int m_nSharpness = 0;
  int m_nMonster = 0;
  int m_nLevel = 0;
  int m_nHit = 0;
  bool m_bAnger = false;
  std::vector<int> m_arrModifier;
  std::vector<int> m_arrMotion;
  bool m_bJson = false;
};
