#include "calc/LoadoutEvaluation.h"

#include "model/Weapon.h"

DamageRequest_t RequestOf(const LoadoutRecords_t& loadout, const TargetRecords_t& target) {
  DamageRequest_t request;
  request.nSharpness = loadout.nSharpness;
  request.bAnger = target.bAnger ? 1 : 0;
  request.nModifier = ModifierMaskOf(loadout.nTicks);
  request.pMonster = target.pMonster;
  request.pActions = &loadout.arrMotion;
  request.pHitPattern = loadout.pHitCorrection;
  request.pLevel = target.pLevel;
  return request;
}

namespace {

bool IsComplete(const LoadoutRecords_t& loadout, const TargetRecords_t& target) {
  return loadout.pWeapon && loadout.pHitCorrection && target.pMonster && target.pLevel;
}

}  // namespace

bool EvaluateLoadout(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
                     std::vector<DamageResult_t>& arrRow) {
  arrRow.clear();
  if (!IsComplete(loadout, target)) return false;
  const DamageRequest_t request = RequestOf(loadout, target);
  if (loadout.pWeapon->CalcDamage(&request, &arrRow)) return true;
  arrRow.clear();
  return false;
}

bool EvaluateDamage(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
                    std::vector<int32_t>& arrDamage) {
  arrDamage.clear();
  if (!IsComplete(loadout, target)) return false;
  const DamageRequest_t request = RequestOf(loadout, target);
  if (loadout.pWeapon->CalcRegionDamage(&request, &arrDamage)) return true;
  arrDamage.clear();
  return false;
}

bool EvaluateVariantDamage(const LoadoutRecords_t& loadout, const TargetRecords_t& target,
                           const std::vector<DamageVariant_t>& arrVariant,
                           std::vector<int32_t>& arrDamage) {
  arrDamage.clear();
  if (!IsComplete(loadout, target)) return false;
  const DamageRequest_t request = RequestOf(loadout, target);
  if (loadout.pWeapon->CalcVariantDamage(request, arrVariant, arrDamage)) return true;
  arrDamage.clear();
  return false;
}
