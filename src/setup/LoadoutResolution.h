// Finding the records that a loadout and a target name in a data store, once,
// for evaluation apart from the screen (calc/LoadoutEvaluation.h). A name is
// found as the window's restore finds it (the first record of that name in
// the list the window would show: a category only when its weapons loaded,
// a motion or hit correction among its category's); what is not found is
// answered as the faces report it today, in the order of the restore's steps,
// and a loadout that cannot be computed says why. The store is passed in and
// must outlive the records.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/LoadoutEvaluation.h"
#include "setup/Loadout.h"
#include "setup/SetupRestore.h"

class CDataManager;

// Why a loadout has no numbers: the category or weapon it names that the data
// lacks, or the one it does not name at all (no name); or no hit correction
// to select in its category.
struct LoadoutProblem_t {
  eSETUP_PART ePart = eSETUP_PART::Weapon;  // Category, Weapon or HitCorrection
  std::optional<std::string> strName;

  bool operator==(const LoadoutProblem_t&) const = default;
};

struct ResolvedLoadout_t {
  LoadoutRecords_t records;
  std::optional<LoadoutProblem_t> problem;  // none: the records can be evaluated
  // The loadout's other names that the data lacks: motions left out, a hit
  // correction replaced by the category's first; never the problem's part.
  std::vector<RestoreMiss_t> arrMiss;
};

struct ResolvedTarget_t {
  TargetRecords_t records;
  // The monster or level that the data lacks; the first of its list stands
  // in for it.
  std::vector<RestoreMiss_t> arrMiss;
};

// The sharpness is the loadout's (brought within the slider's range), else
// the weapon's own; the modifiers are ticked in the loadout's order, each
// clearing the other members of its group.
ResolvedLoadout_t ResolveLoadout(const CDataManager& store, const Loadout_t& loadout);

ResolvedTarget_t ResolveTarget(const CDataManager& store, const Target_t& target);
