// Ranking the weapons of the calculator's category: every weapon evaluated
// (LoadoutEvaluation.h) on the motions, monster, level, hit correction, anger
// and modifiers the calculator has selected, at its own sharpness or at one
// the caller asks for, ranked by the total damage over all regions or by the
// damage on one region, highest first. Equal damage keeps
// list order and shares the rank of the first of its kind (1, 1, 3).
// The window's ranking dialog uses it, and the weapon table (WeaponTable.h)
// that velkar-tool rank prints is built on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/LoadoutEvaluation.h"

class CCalculator;

struct RankedWeapon_t {
  int nRank = 0;
  int nWeapon = 0;                 // index in the category's weapon list
  std::string strName;             // Shift-JIS
  uint16_t wAttack = 0;            // the weapon's displayed attack
  uint16_t wElement = 0;           // its element value
  int32_t nElementMask = 0;        // its element bits (eELEMENT)
  std::string strElement;          // the names of those elements (Shift-JIS)
  int nSharpness = 0;              // the position it was computed at
  int64_t nTotal = 0;              // over all regions
  std::vector<int32_t> arrDamage;  // one per region, in the monster's order
};

// Ranks the weapons on the same records: each weapon evaluated in loadout's
// place (its weapon and sharpness replaced), at its own sharpness or at
// nSharpness (brought within the slider's range) when given. nWeapon is the
// index in arrWeapon.
std::vector<RankedWeapon_t> RankWeapons(std::span<const CWeapon* const> arrWeapon,
                                        LoadoutRecords_t loadout, const TargetRecords_t& target,
                                        std::optional<size_t> nRegion,
                                        std::optional<int> nSharpness);

// Ranks the weapons of the calculator's list, which stays as it is: each
// weapon at its own sharpness, or every weapon at nSharpness (brought within
// the slider's range) when given. Each weapon's figures are what the
// calculator shows once that weapon is selected (and the sharpness released).
// nRegion indexes the selected monster's regions; none ranks by the total. A
// region past a weapon's rows counts as 0 damage.
std::vector<RankedWeapon_t> RankWeaponsOf(const CCalculator& calculator,
                                          std::optional<size_t> nRegion,
                                          std::optional<int> nSharpness);

// Orders weapons by their damage (total, or on nRegion), highest first and
// equal damage in the order given, and numbers their ranks from 1.
void SortAndRank(std::vector<RankedWeapon_t>& arrRanked, std::optional<size_t> nRegion);

// The region names of the selected monster, in order (Shift-JIS); empty
// without a monster.
std::vector<std::string> RegionNames(const CCalculator& calculator);
