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

// Every step below, in order. A missing category skips the steps that belong
// to a category (weapon, motions, sharpness, hit correction), which are then
// not reported on their own. The misses come in the order of the steps, each
// missing motion name once.
std::vector<RestoreMiss_t> RestoreSetup(CCalculator& calculator, const Setup_t& setup);

// Each step; false when the record it names is not there (nothing changed).
bool RestoreCategory(CCalculator& calculator, const Setup_t& setup);
bool RestoreWeapon(CCalculator& calculator, const Setup_t& setup);
// Clears the chosen motions, then adds each one that still exists, with one
// recalculation for the whole list. Answers the names it could not find,
// each once, in the order of the list.
std::vector<std::string> RestoreMotions(CCalculator& calculator, const Setup_t& setup);
// Releases the slider at the saved position when a weapon is selected and the
// position differs from the one the weapon brought along.
void RestoreSharpness(CCalculator& calculator, const Setup_t& setup);
bool RestoreMonster(CCalculator& calculator, const Setup_t& setup);
bool RestoreLevel(CCalculator& calculator, const Setup_t& setup);
bool RestoreHitCorrection(CCalculator& calculator, const Setup_t& setup);
void RestoreAnger(CCalculator& calculator, const Setup_t& setup);
// Unticks what the setup lacks first, then ticks what it holds, so that a
// group's rule (one tick at most) never clears a wanted tick.
void RestoreModifiers(CCalculator& calculator, const std::vector<int>& arrModifier);
