// velkar-tool compare --build A --build B: computes two saved builds, each as
// report would (the selection options given apply to both builds alike, in
// place of their own parts), and prints both results side by side with the
// difference B - A per region, regions matched by name (see RowComparison.h),
// and the totals; with --json one object.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CalculationOptions.h"
#include "ToolCommand.h"
#include "calc/Calculator.h"

class CCompareCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // One computed build; its texts are Shift-JIS.
  struct Side_t {
    std::string strBuild;
    std::string strWeapon;
    std::string strMonster;
    std::vector<ResultRow_t> arrRow;
    int64_t nTotal = 0;
  };

  // What stopped a build's calculation: a usage error or a failure; both
  // empty when it went well.
  struct Problem_t {
    std::string strUsage;
    std::string strFailure;
  };

  Problem_t Compute(const std::string& strBuild, Side_t& side);

  static std::string TableText(const std::array<Side_t, 2>& arrSide);
  static nlohmann::ordered_json CompareJson(const std::array<Side_t, 2>& arrSide);

  CCalculationOptions m_options;
  std::vector<std::string> m_arrBuild;    // UTF-8, as given
  std::vector<std::string> m_arrWarning;  // of both builds
  bool m_bJson = false;
};
