// The damage calculation's request and result row, exchanged between the
// calculator and a weapon's CalcDamage, and the trace of every hit that
// CalcDamage records on request to explain a result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CAction;
class CHitPattern;
class CLevel;
class CMonster;

// How well a hit gets through, by its effective physical rate (physical
// damage / raw value * 100). A region's row has the kind its hits share or,
// when they differ, the kind of the rate of all its hits together (the sum of
// their physical damage over the sum of their raw values).
enum eRESULT_KIND : int32_t {
  RESULT_NORMAL = 0,  // 25 < rate <= 100, or no hit reached the region
  RESULT_LOW = 1,     // rate <= 25, or no raw value to divide by
  RESULT_HIGH = 2,    // rate > 100
};

// One calculation, filled by the calculator on every change. It owns nothing:
// the records belong to the data store, the motion array to the caller.
struct DamageRequest_t {
  int32_t nSharpness = 0;  // sharpness level 0..5
  int32_t bAnger = 0;      // nonzero while the monster is angry
  uint32_t nModifier = 0;  // attack modifier bits 1..24
  const CMonster* pMonster = nullptr;
  const std::vector<const CAction*>* pActions = nullptr;  // in attack order, repeats allowed
  const CHitPattern* pHitPattern = nullptr;
  const CLevel* pLevel = nullptr;
};

// Another sharpness level and modifier word for a request, for evaluating
// several alternatives of one request together (CalcVariantDamage).
struct DamageVariant_t {
  int32_t nSharpness = 0;
  uint32_t nModifier = 0;
};

// One row per body region of the monster.
struct DamageResult_t {
  std::string strName;            // the region's name
  int32_t nDamage = 0;            // total of all hits, each truncated before summing
  uint8_t byPhys = 0;             // physical hitzone the weapon's damage type selects
  uint8_t byElement = 0;          // element hitzone the weapon's element mask selects
  int32_t nKind = RESULT_NORMAL;  // eRESULT_KIND
};

// The values that one calculation applies to every hit, as CalcDamage forms
// them from the request and the weapon.
struct DamageFactors_t {
  int32_t nSharpness = 0;
  double dSharpPhys = 0.0;     // physical sharpness multiplier
  double dSharpElement = 0.0;  // element sharpness multiplier
  uint8_t byHitRate = 0;       // the hit correction's low or high rate (percent)
  double dHitFactor = 0.0;     // that rate * 0.01
  uint8_t byBonus = 0;         // additive attack bonus of the modifiers
  double dFactor = 1.0;        // attack factor of the modifiers
  double dBase = 0.0;          // base attack: (attack / coefficient + bonus) * factor
  uint8_t byLevelRate = 0;     // percent
  bool bAnger = false;         // the monster is angry
  uint8_t byAngerRate = 0;     // (200 - anger) mod 256, percent; only when angry
};

// One hit on one region with every intermediate value of its arithmetic,
// exactly as the damage was summed.
struct HitTrace_t {
  int32_t nRegion = 0;               // index of the body region (= result row)
  const CAction* pAction = nullptr;  // the motion
  int32_t nAction = 0;               // position of the motion in the request's list
  int32_t nHit = 0;                  // index of the motion value within the motion
  uint16_t wMotionValue = 0;
  uint8_t byMotionRate = 0;          // the motion's cut or impact rate (percent)
  double dRaw = 0.0;                 // raw value: motion value * base attack * 0.01
  double dPhysical = 0.0;            // physical damage
  std::optional<double> dEffective;  // effective rate; none when the raw value is 0
  int32_t nKind = RESULT_NORMAL;     // eRESULT_KIND of this hit
  double dElement = 0.0;             // element damage
  double dTotal = 0.0;               // hit total at the level rate, before anger
  double dAngryTotal = 0.0;          // after the anger factor (the same when not angry)
  int32_t nTruncated = 0;            // what the hit adds to the region's damage
  int32_t nRunning = 0;              // the region's damage after this hit
};

// Everything behind one calculation's rows: the shared factors, then every
// hit, region by region and within a region in attack order.
struct DamageTrace_t {
  DamageFactors_t factors;
  std::vector<HitTrace_t> arrHit;
};
