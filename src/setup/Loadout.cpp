#include "setup/Loadout.h"

Loadout_t LoadoutOf(const Setup_t& setup) {
  return {setup.nCategory,  setup.strWeapon,        setup.arrMotion,
          setup.nSharpness, setup.strHitCorrection, setup.arrModifier};
}

Target_t TargetOf(const Setup_t& setup) {
  return {setup.strMonster, setup.strLevel, setup.bAnger};
}

Setup_t SetupOf(const Loadout_t& loadout, const Target_t& target) {
  Setup_t setup;
  setup.nCategory = loadout.nCategory;
  setup.strWeapon = loadout.strWeapon;
  setup.arrMotion = loadout.arrMotion;
  setup.nSharpness = loadout.nSharpness;
  setup.strMonster = target.strMonster;
  setup.strLevel = target.strLevel;
  setup.strHitCorrection = loadout.strHitCorrection;
  setup.bAnger = target.bAnger;
  setup.arrModifier = loadout.arrModifier;
  return setup;
}
