// velkar-tool rank: every weapon of a category computed with the same
// inputs and ranked by the core's weapon ranking (WeaponRanking.h), which the
// window's ranking dialog shares: SelectWeapon for each weapon, then
// ReleaseSharpness when --sharpness is given, so that each weapon otherwise
// keeps its own sharpness; ranked by the total damage over all regions or by
// the damage on one region. Prints a table (rank, weapon, total, one column
// per region), or with --json one object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CalculationOptions.h"
#include "ToolCommand.h"
#include "calc/WeaponRanking.h"

class CCalculator;

class CRankCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // The selections and the region; a usage error message, or empty.
  std::string Drive(CCalculator& calculator);

  // The index of the --region name among the monster's regions (the first
  // of equal names); a usage error message when there is none.
  std::string FindRegion(const CCalculator& calculator);

  static std::string TableText(const std::vector<std::string>& arrRegion,
                               const std::vector<RankedWeapon_t>& arrRanked);
  nlohmann::ordered_json RankJson(const CCalculator& calculator,
                                  const std::vector<std::string>& arrRegion,
                                  const std::vector<RankedWeapon_t>& arrRanked) const;

  CCalculationOptions m_options;
  CLI::Option* m_pRegion = nullptr;
  std::string m_strRegion;              // UTF-8, as given
  std::optional<size_t> m_nSortRegion;  // the region that ranks, or all of them
  bool m_bJson = false;
};
