// Taking a setup from a calculator and putting it back. Restoring runs the
// calculator's own operations in the order a player would click: category,
// weapon, motions, sharpness (a released slider), monster, level, hit
// correction, anger, modifiers. Records are found by name (the category by its
// value); whatever no longer exists is skipped without a word and the rest is
// restored, so the calculator ends exactly where those clicks would leave it.
//
// The single steps are public so that velkar-tool can replace any of them with
// an explicit option and keep the rest of a saved build.
#pragma once

#include "setup/Setup.h"

class CCalculator;

Setup_t CaptureSetup(const CCalculator& calculator);

// Every step below, in order. A missing category skips the steps that belong
// to a category (weapon, motions, sharpness, hit correction).
void RestoreSetup(CCalculator& calculator, const Setup_t& setup);

// Each step; false when the record it names is not there (nothing changed).
bool RestoreCategory(CCalculator& calculator, const Setup_t& setup);
bool RestoreWeapon(CCalculator& calculator, const Setup_t& setup);
// Clears the chosen motions, then adds each one that still exists.
void RestoreMotions(CCalculator& calculator, const Setup_t& setup);
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
