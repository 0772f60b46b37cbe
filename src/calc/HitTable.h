// A result row's breakdown as a player reads it: a short summary (the
// region's total and what each chosen motion adds, to one decimal) for the
// row's tooltip, and a table of every hit with its values to two decimals,
// the shared factors above it, for the breakdown window and its copy as
// text. Built from the explanation of one row (CCalculator::ExplainRow), in
// Japanese, Shift-JIS, "\n" line ends. The 17-digit breakdown of
// HitBreakdownText stays what velkar-tool prints.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "calc/Calculator.h"

inline constexpr size_t kHitTableColumns = 9;
using HitTableCells_t = std::array<std::string, kHitTableColumns>;

struct HitTable_t {
  std::string strHeading;               // weapon, monster and level
  std::string strRegion;                // the region's line: name, hitzones, damage, kind
  std::string strFactors;               // the factors every hit shares, one per line
  HitTableCells_t arrHeader;            // motion, hit, motion value, raw value, physical,
                                        // element, total, what it adds, running sum
  std::vector<HitTableCells_t> arrRow;  // one per hit, in attack order
};

// The table of the row an explanation holds (its first region).
HitTable_t BuildHitTable(const CalcExplanation_t& row);

// The table as text: the heading, the region's line, the factors, an empty
// line, then the header and every hit, their cells separated by tabs.
std::string HitTableText(const HitTable_t& table);

// The row's summary: the region's line, one line per chosen motion (what its
// hits add, and their sum before truncation to one decimal), and a hint line.
// With more motions than nMaxMotionLines, the last allowed line says how many
// more there are instead.
std::string BuildRowSummary(const CalcExplanation_t& row, size_t nMaxMotionLines);
