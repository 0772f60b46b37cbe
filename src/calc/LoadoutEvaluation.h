// Evaluating a loadout against a target apart from any screen: the records a
// loadout and a target stand for in, one row per body region of the target's
// monster out (damage, hitzones, kind), or only each region's damage. The calculator computes its
// result rows here from what is selected; the comparison, the ranking, the weapon table, the gains
// and the charts evaluate their records here too, so each gives the numbers the window shows for
// the same choices, without a calculator or its clicks. The records belong to the data store, which
// must outlive the records that point into it (setup/LoadoutResolution.h finds them by name).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/DamageTypes.h"
#include "model/GameEnums.h"
#include "model/ModifierTable.h"

class CAction;
class CHitPattern;
class CLevel;
class CMonster;
class CWeapon;

// The attacker's side: what a loadout names, as records.
struct LoadoutRecords_t {
  const CWeapon* pWeapon = nullptr;
  std::vector<const CAction*> arrMotion;  // in attack order, repeats included
  int nSharpness = SHARPNESS_MIN;         // the slider's position, within its range
  const CHitPattern* pHitCorrection = nullptr;
  ModifierTicks_t nTicks = 0;  // the ticked boxes (ModifierTable.h)
};

// The other side: the monster, its level and its anger.
struct TargetRecords_t {
  const CMonster* pMonster = nullptr;
  const CLevel* pLevel = nullptr;
  bool bAnger = false;
};

// The damage computation's request for the records; its motion array is the
// loadout's, so it lasts as long as the loadout does.
DamageRequest_t RequestOf(const LoadoutRecords_t& loadout, const TargetRecords_t& target);

// Replaces arrRow with the rows of the loadout against the target. False, and
// no rows, when the weapon, the hit correction, the monster or the level is
// missing or the weapon computes nothing. arrRow's memory is reused, so a
// caller that evaluates many loadouts keeps one array for all of them.
bool EvaluateLoadout(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
                     std::vector<DamageResult_t>& arrRow);

// The same evaluation giving each region's damage alone, in row order, for
// callers that compare damage and need no names, hitzones or kinds.
bool EvaluateDamage(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
                    std::vector<int32_t>& arrDamage);

// The region damage of the loadout at each variant's sharpness and modifiers
// in place of its own, evaluated together (variant v's region i at
// v * regions + i). False, and no damage, as EvaluateDamage.
bool EvaluateVariantDamage(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
                           const std::vector<DamageVariant_t>& arrVariant,
                           std::vector<int32_t>& arrDamage);
