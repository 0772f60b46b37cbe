// The two sides of a setup. Loadout_t is the attacker's: the category, the
// weapon, the motions, the sharpness, the hit correction and the modifiers.
// Target_t is the other side: the monster, its level and its anger. Like
// Setup_t they name records rather than list positions, so they keep their
// meaning after the data files are converted again. Texts are Shift-JIS.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "setup/Setup.h"

struct Loadout_t {
  std::optional<int> nCategory;  // eWEAPON_CATEGORY value
  std::optional<std::string> strWeapon;
  std::vector<std::string> arrMotion;  // in attack order, repeats included
  std::optional<int> nSharpness;       // the slider's position; none: the weapon's own
  std::optional<std::string> strHitCorrection;
  std::vector<int> arrModifier;  // ticked control ids (ModifierTable.h), ascending

  bool operator==(const Loadout_t&) const = default;
};

struct Target_t {
  std::optional<std::string> strMonster;
  std::optional<std::string> strLevel;
  bool bAnger = false;

  bool operator==(const Target_t&) const = default;
};

Loadout_t LoadoutOf(const Setup_t& setup);
Target_t TargetOf(const Setup_t& setup);

// The setup of a loadout against a target.
Setup_t SetupOf(const Loadout_t& loadout, const Target_t& target);
