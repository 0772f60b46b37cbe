// velkar-tool rank: every weapon of a category computed with the same
// inputs, through the same calculator operations as report (SelectWeapon for
// each weapon, then ReleaseSharpness when --sharpness is given, so that each
// weapon otherwise keeps its own sharpness), ranked by the total damage over
// all regions or by the damage on one region, highest first; equal damage
// keeps list order and shares a rank. Prints a table (rank, weapon, total, one
// column per region), or with --json one object.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CalculationOptions.h"
#include "ToolCommand.h"

class CCalculator;

class CRankCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  struct Ranked_t {
    int nRank = 0;
    int nWeapon = 0;                 // index in the category's weapon list
    std::string strName;             // Shift-JIS
    int nSharpness = 0;              // the position it was computed at
    int64_t nTotal = 0;              // over all regions
    std::vector<int32_t> arrDamage;  // one per region
  };

  // The selections and the region; a usage error message, or empty.
  std::string Drive(CCalculator& calculator);

  // The index of the --region name among the monster's regions (the first
  // of equal names); a usage error message when there is none.
  std::string FindRegion(const CCalculator& calculator);

  std::vector<Ranked_t> RankWeapons(CCalculator& calculator) const;

  static std::vector<std::string> RegionNames(const CCalculator& calculator);
  static std::string TableText(const std::vector<std::string>& arrRegion,
                               const std::vector<Ranked_t>& arrRanked);
  nlohmann::ordered_json RankJson(const CCalculator& calculator,
                                  const std::vector<std::string>& arrRegion,
                                  const std::vector<Ranked_t>& arrRanked) const;

  CCalculationOptions m_options;
  CLI::Option* m_pRegion = nullptr;
  std::string m_strRegion;              // UTF-8, as given
  std::optional<size_t> m_nSortRegion;  // the region that ranks, or all of them
  bool m_bJson = false;
};
