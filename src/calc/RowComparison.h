// Comparing two sets of result rows region by region: the window's pinned
// baseline column and velkar-tool compare both use it. Regions are matched by
// name (Shift-JIS bytes), each baseline row at most once, so a monster with a
// region name twice pairs them in order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculator.h"

struct RegionDifference_t {
  std::string strRegion;             // Shift-JIS
  std::optional<int32_t> nCurrent;   // none when the current rows lack the region
  std::optional<int32_t> nBaseline;  // none when the baseline lacks it
  // Current minus baseline; none when either side lacks the region.
  std::optional<int64_t> Delta() const;
};

// One entry per current row, in the current order, then one per baseline row
// that no current row matched, in the baseline order.
std::vector<RegionDifference_t> CompareRows(const std::vector<ResultRow_t>& arrBaseline,
                                            const std::vector<ResultRow_t>& arrCurrent);

// "+12", "-3", "±0", or "—" for a region missing on either side (Shift-JIS).
std::string FormatDifference(const std::optional<int64_t>& nDelta);
