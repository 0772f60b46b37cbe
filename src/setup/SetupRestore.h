// Taking a setup from a calculator and putting it back. Restoring runs the
// calculator's own operations in the order a player would click: category,
// weapon, motions, sharpness (a released slider), monster, level, hit
// correction, anger, modifiers. Records are found by name (the category by its
// value); whatever no longer exists is skipped and the rest is restored, so
// the calculator ends exactly where those clicks would leave it, and the
// restore answers which names it could not find, for the caller to say so.
//
// The single steps are public so that velkar-tool can replace any of them with
// an explicit option and keep the rest of a saved build.
#pragma once

#include <string>
#include <vector>

#include "setup/Setup.h"

class CCalculator;
class CDataManager;

// The parts of a setup that name a record of the data.
enum class eSETUP_PART { Category, Weapon, Motion, Monster, Level, HitCorrection };

// A name of a setup that the data as loaded does not hold.
struct RestoreMiss_t {
  eSETUP_PART ePart = eSETUP_PART::Category;
  std::string strName;  // Shift-JIS; a category's value as decimal text

  bool operator==(const RestoreMiss_t&) const = default;
};

Setup_t CaptureSetup(const CCalculator& calculator);

// The setup on show as a build named by its weapon ("今の設定" without one):
// what every face puts into a code or a comparison of the current setup, so
// that one setup gives one code on every face.
Build_t CurrentBuild(const CCalculator& calculator);

// Choices that replace parts of a setup, each by its place in its list as
// the calculator lists it after the category. Each one given is made as its
// control makes it: the sharpness is released even at the weapon's own level,
// the modifiers are ticked in the order given (a later tick of a group clears
// an earlier one). An index outside its list counts as no selection, and a
// motion's is passed over, as the calculator's operations take them.
struct SetupChoices_t {
  std::optional<int> nWeapon;
  std::optional<std::vector<int>> arrMotion;  // in order, repeats included
  std::optional<int> nSharpness;
  std::optional<int> nMonster;
  std::optional<int> nLevel;
  std::optional<int> nHitCorrection;
  std::optional<std::vector<int>> arrModifier;  // control ids
};

// Restores the setup with the choices laid over it, step by step in the order
// above. A missing category skips the steps that belong to a category (weapon,
// motions, sharpness, hit correction), which are then not reported on their
// own. The misses come in the order of the steps, each missing motion name
// once; a part that a choice gives is never missed.
std::vector<RestoreMiss_t> RestoreSetup(CCalculator& calculator, const Setup_t& setup,
                                        const SetupChoices_t& choices = {});

// Points the calculator at another store (a conversion's new records) and
// restores the setup it showed there, by name; what the new records lack.
std::vector<RestoreMiss_t> MoveToStore(CCalculator& calculator, const CDataManager& store);
