// Comparing up to six loadouts against one target: each loadout's names are
// found in the data store once (LoadoutResolution.h) and its records are
// evaluated against the same monster, level and anger (LoadoutEvaluation.h),
// giving the numbers the window shows for that loadout. The result has one row per region of the
// target's monster with every loadout's damage and its difference to the
// first loadout, then the totals. A loadout whose category or weapon is gone
// (or that names none, or whose category has no hit correction) has no numbers
// but says why; the other names that the data lacks are passed on as misses,
// for the faces to warn about. velkar-tool compare prints it; the window and
// the web page show the same comparison.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "setup/Loadout.h"
#include "setup/LoadoutResolution.h"
#include "setup/SetupRestore.h"

class CDataManager;

inline constexpr size_t kMaxComparedLoadouts = 6;

struct NamedLoadout_t {
  std::string strName;  // what the faces call it, e.g. a build's name (Shift-JIS)
  Loadout_t loadout;
};

struct ComparedLoadout_t {
  std::string strName;
  std::optional<int> nCategory;             // as the loadout names it
  std::optional<LoadoutProblem_t> problem;  // none: computed
  std::string strWeapon;                    // the weapon computed (Shift-JIS)
  int nSharpness = 0;                       // the position it was computed at
  std::vector<std::string> arrMotion;       // the motions computed, in order
  std::vector<int> arrModifier;             // the boxes ticked, ascending
  std::vector<int32_t> arrDamage;           // one per region; empty with a problem
  int64_t nTotal = 0;
  // The loadout's other names that the data lacks: motions left out, a hit
  // correction replaced by the category's first.
  std::vector<RestoreMiss_t> arrMiss;
};

struct LoadoutComparison_t {
  std::string strMonster;  // the target as computed (Shift-JIS)
  std::string strLevel;
  bool bAnger = false;
  // The target's monster or level that the data lacks; the first of the list
  // is used instead.
  std::vector<RestoreMiss_t> arrTargetMiss;
  std::vector<std::string> arrRegion;  // the monster's region names, in order
  std::vector<ComparedLoadout_t> arrLoadout;

  // A loadout's damage on region nRow, or its total for nRow equal to the
  // number of regions; none for a loadout without numbers (or none at all).
  std::optional<int64_t> Damage(size_t nLoadout, size_t nRow) const;
  // That damage minus the first loadout's; none when either has no numbers.
  std::optional<int64_t> Difference(size_t nLoadout, size_t nRow) const;
  // Whether the loadout deals the most on the row: with numbers, equal to the
  // highest, and the row not alike for every loadout with numbers (so a
  // lone loadout, or a row where all tie, marks none).
  bool IsBest(size_t nLoadout, size_t nRow) const;
};

// What a column of the comparison is, in Japanese (Shift-JIS): the loadout's
// weapon, then its sharpness, motion count and modifier count on a second
// line ("水鏡剣ミナモ\n切れ味 白／モーション 6／スキル 2"; its name alone when it
// has no numbers); and its name, then every motion and modifier, one per
// line, for a tooltip.
std::string LoadoutLabel(const ComparedLoadout_t& loadout);
std::string LoadoutDetail(const ComparedLoadout_t& loadout);

// A column's heading where the comparison is shown in Japanese: the letter of
// the loadout's place (A to F) and strLabel, its label or name ("A
// 水鏡剣ミナモ\n切れ味 白／…").
std::string LoadoutHeading(size_t nLoadout, const std::string& strLabel);

// Finds the target, then evaluates each loadout against it, on the store's
// records. The loadouts keep their order; the first is the one the others are
// measured against.
LoadoutComparison_t CompareLoadouts(const CDataManager& store, const Target_t& target,
                                    const std::vector<NamedLoadout_t>& arrLoadout);

// A loadout's entry of the comparison: its names, the records found, and the
// damage of each region evaluated on them (not read with a problem).
ComparedLoadout_t ComparedOf(const NamedLoadout_t& named, const ResolvedLoadout_t& resolved,
                             const std::vector<int32_t>& arrDamage);

// The comparison for a terminal: a line per loadout (its letter, A to F, its
// name, weapon and sharpness, or why it has no numbers), the target's line,
// then the table: region, A, then for every other loadout its damage and the
// difference to A ("+12", "-3", "±0"; "—" without numbers), and the totals.
std::string ComparisonText(const LoadoutComparison_t& comparison);

// A problem, or a name the data lacks, in English (the name stays Shift-JIS):
// "weapon 鉄の片手剣 is not in the data", "the loadout names no weapon".
std::string DescribeProblemInEnglish(const LoadoutProblem_t& problem);
std::string DescribeMissInEnglish(const RestoreMiss_t& miss);

// A part's name in the JSON: "category", "weapon", "motion", "monster",
// "level", "hit_correction".
const char* SetupPartName(eSETUP_PART ePart);
