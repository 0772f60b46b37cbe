// The damage calculation's request and result row, exchanged between the
// calculator and a weapon's CalcDamage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CAction;
class CHitPattern;
class CLevel;
class CMonster;

// How well the last hit on a region got through, by its effective physical rate.
enum eRESULT_KIND : int32_t {
  RESULT_NORMAL = 0,  // 25 < rate <= 100, or no hit reached the region
  RESULT_LOW = 1,     // rate <= 25, or the hit had no raw value
  RESULT_HIGH = 2,    // rate > 100
};

// One calculation, filled by the calculator on every change. It owns nothing:
// the records belong to the data store, the motion array to the caller.
struct DamageRequest_t {
  int32_t nSharpness = 0;   // sharpness level 0..5
  int32_t bAnger = 0;       // nonzero while the monster is angry
  uint32_t nModifier = 0;   // attack modifier bits 1..24
  const CMonster* pMonster = nullptr;
  const std::vector<const CAction*>* pActions = nullptr;  // in attack order, repeats allowed
  const CHitPattern* pHitPattern = nullptr;
  const CLevel* pLevel = nullptr;
};

// One row per body region of the monster.
struct DamageResult_t {
  std::string strName;     // the region's name
  int32_t nDamage = 0;     // total of all hits, each truncated before summing
  uint8_t byPhys = 0;      // physical hitzone the weapon's damage type selects
  uint8_t byElement = 0;   // element hitzone the weapon's element mask selects
  int32_t nKind = RESULT_NORMAL;  // eRESULT_KIND
};
