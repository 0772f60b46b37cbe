// What each modifier adds: for the calculation behind a calculator's result
// rows, the change of every region's damage and of the total that one click
// would make, for each of the 24 modifier boxes (ticking it, or unticking it
// when it is ticked) and for each other sharpness level. Ticking a box clears
// the other members of its exclusive group, as the calculator does, and the
// gain names the member it replaces.
//
// The alternatives are evaluated (LoadoutEvaluation.h) on the records behind
// the rows with one set of ticks or one sharpness changed, so they match
// exactly what the calculator would show after the click, without the
// calculator's texts and rows. Names are Shift-JIS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CCalculator;

enum class eGAIN_KIND { Modifier, Sharpness };

struct Gain_t {
  eGAIN_KIND eKind = eGAIN_KIND::Modifier;
  // A modifier: its box, whether the click ticks it (false: unticks it),
  // the member of its group that ticking clears (0 for none), and whether
  // the box can be clicked now ("練気MAX" only with a 太刀).
  int nControlId = 0;
  bool bTick = true;
  int nReplaced = 0;
  bool bEnabled = true;
  // A sharpness level: the level the slider would be released at.
  int nSharpness = 0;
  std::vector<int64_t> arrDamage;  // change of each region's damage, in row order
  int64_t nTotal = 0;              // change of the total

  bool operator==(const Gain_t&) const = default;
};

struct GainTable_t {
  std::string strWeapon;
  std::string strMonster;
  std::vector<std::string> arrRegion;  // in row order
  std::vector<int32_t> arrDamage;      // each region's damage now
  int64_t nTotal = 0;
  std::optional<size_t> nSortRegion;  // the region the gains are sorted by, if any
  // 24 modifiers and 5 sharpness levels, the largest gain first: by the
  // total's change, or by the sort region's change and then the total's; on
  // a tie the modifiers in control id order, then the levels ascending. The
  // boxes that cannot be clicked come last, with no change.
  std::vector<Gain_t> arrGain;
};

// The gains of the calculator's current rows; none when no rows were
// computed. nSortRegion: a row index to sort by (ignored when out of range).
std::optional<GainTable_t> ComputeGains(const CCalculator& calculator,
                                        std::optional<size_t> nSortRegion = std::nullopt);
