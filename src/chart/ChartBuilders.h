// The five charts, each built from a result the core already computes: the
// comparison of loadouts (LoadoutComparison.h), the same comparison at each
// sharpness level, the gains (GainTable.h), the calculator's explanation of
// its rows and its rows themselves. Damage comes only from the core's one
// evaluation of loadouts (LoadoutEvaluation.h); a chart with nothing to draw
// carries the reason (Chart_t::strEmpty).
#pragma once

#include <optional>
#include <vector>

#include "chart/Chart.h"
#include "setup/LoadoutComparison.h"

class CCalculator;
class CDataManager;

// Loadouts by region: a group per region and the total, a series per loadout
// with numbers (the others apart), the best of each group marked.
Chart_t LoadoutsChart(const LoadoutComparison_t& comparison);

// Each loadout's total (or region nRegion's damage) at each of the six
// sharpness levels: each loadout's records, found once in the store,
// evaluated again with the sharpness replaced; each loadout's own level marked.
Chart_t SharpnessChart(const CDataManager& store, const Target_t& target,
                       const std::vector<NamedLoadout_t>& arrLoadout,
                       std::optional<size_t> nRegion = std::nullopt);

// What each click adds to the total, or to region nRegion's damage, largest
// first (the calculator's gains, GainTable.h); boxes that cannot be clicked
// apart.
Chart_t GainsChart(const CCalculator& calculator, std::optional<size_t> nRegion = std::nullopt);

// Per region, what each motion of the list adds to its damage (the parts add
// up to the region's damage on show).
Chart_t MotionsChart(const CCalculator& calculator);

// The regions of the monster on show with their physical and element rates.
Chart_t TargetChart(const CCalculator& calculator);

// What a face asks a chart of. Gains, motions and target chart the
// calculation on show; loadouts and sharpness compare arrLoadout (none: the
// setup on show alone, named as its code names it) against target (none: the
// calculation's). nRegion charts one region instead of the total where the
// kind takes one (sharpness, gains). pComparison, when the face already holds
// the comparison of its loadouts, is the one the loadouts chart draws.
struct ChartRequest_t {
  eCHART_KIND eKind = eCHART_KIND::Loadouts;
  std::optional<std::vector<NamedLoadout_t>> arrLoadout;
  std::optional<size_t> nRegion;
  std::optional<Target_t> target;
  const LoadoutComparison_t* pComparison = nullptr;
};

// The chart of the kind asked for, from the builder above that draws it.
Chart_t MakeChart(const CDataManager& store, const CCalculator& calculator,
                  const ChartRequest_t& request);

// The index of a region name (Shift-JIS) in a list of regions.
std::optional<size_t> FindRegion(const std::vector<std::string>& arrRegion,
                                 const std::string& strName);
