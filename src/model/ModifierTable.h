// The attack modifiers (skills and items), one row each: the only description
// of a modifier. The engine takes each one's effect from here, the
// calculator and the build codes its exclusive group, the calculator the
// categories whose boxes it is enabled in, and gains, tooltips, reports, the
// JSON documents, the tool's options, the window's boxes and the page list
// the rows.
//
// Adding a modifier:
//   1. a row at the end of kModifierTable: the next control id (the stable key
//      that saved files and build codes store: never renumber or reuse one),
//      the next free mask bit, its caption, its effect (Bonus or Factor), its
//      group (the lowest control id of its exclusive group, 0 for none) and
//      the categories whose boxes it is enabled in;
//   2. its caption, kModifier<control id>, in src/texts/texts.txt;
//   3. its row in the effect table of tests/calc/ModifierTest.cpp, worked out
//      by hand.
// Nothing else: the window places a box that its layout lacks after the last
// one, and a build code that ticks it is written in the code version whose
// modifiers field holds it (older codes still read). The static_asserts below
// say which format needs a new version when the table outgrows one.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "VelkarTexts.h"
#include "model/CategoryTable.h"

// What a ticked modifier does to the attack: an additive bonus and a factor
// (base attack = (attack / coefficient + sum of bonuses) * product of factors).
struct ModifierEffect_t {
  uint8_t byBonus = 0;
  double dFactor = 1.0;
};

constexpr ModifierEffect_t Bonus(uint8_t byBonus) {
  return {byBonus, 1.0};
}
constexpr ModifierEffect_t Factor(double dFactor) {
  return {0, dFactor};
}

// The categories a modifier's box is enabled in, as a set of category bits.
inline constexpr uint32_t kAllCategories = ~uint32_t{0};
constexpr uint32_t OnlyIn(eWEAPON_CATEGORY eCategory) {
  return uint32_t{1} << eCategory;
}

struct ModifierInfo_t {
  int nControlId;               // stable key; row i is control kFirstModifierId + i
  int nBit;                     // bit of the modifier mask; factors multiply by ascending bit
  std::string_view strCaption;  // Shift-JIS
  ModifierEffect_t effect;
  int nGroup;            // lowest control id of its exclusive group, 0 for none
  uint32_t nCategories;  // bit c: its box is enabled in category c

  constexpr uint32_t GetMask() const { return uint32_t{1} << nBit; }
  constexpr bool IsEnabledIn(int nCategory) const { return ((nCategories >> nCategory) & 1U) != 0; }
};

inline constexpr int kFirstModifierId = 1018;

// The mask bits do not follow the control ids: bits 1..13 are controls
// 1021..1033, bits 14..16 are 1018..1020 and bits 17..24 are 1034..1041.
// clang-format off
inline constexpr auto kModifierTable = std::to_array<ModifierInfo_t>({
    {1018, 14, txt::kModifier1018, Bonus(3), 1018, kAllCategories},
    {1019, 15, txt::kModifier1019, Bonus(5), 1018, kAllCategories},
    {1020, 16, txt::kModifier1020, Bonus(10), 1018, kAllCategories},
    {1021, 1, txt::kModifier1021, Bonus(5), 0, kAllCategories},
    {1022, 2, txt::kModifier1022, Bonus(9), 0, kAllCategories},
    {1023, 3, txt::kModifier1023, Bonus(3), 1023, kAllCategories},
    {1024, 4, txt::kModifier1024, Bonus(5), 1023, kAllCategories},
    {1025, 5, txt::kModifier1025, Bonus(3), 1023, kAllCategories},
    {1026, 6, txt::kModifier1026, Bonus(3), 1023, kAllCategories},
    {1027, 7, txt::kModifier1027, Bonus(5), 1023, kAllCategories},
    {1028, 8, txt::kModifier1028, Bonus(10), 1028, kAllCategories},
    {1029, 9, txt::kModifier1029, Bonus(25), 1028, kAllCategories},
    {1030, 10, txt::kModifier1030, Bonus(10), 1028, kAllCategories},
    {1031, 11, txt::kModifier1031, Bonus(5), 1028, kAllCategories},
    {1032, 12, txt::kModifier1032, Bonus(10), 1028, kAllCategories},
    {1033, 13, txt::kModifier1033, Bonus(10), 0, OnlyIn(CATEGORY_KATANA)},
    {1034, 17, txt::kModifier1034, Factor(1.15), 1034, kAllCategories},
    {1035, 18, txt::kModifier1035, Factor(1.2), 1034, kAllCategories},
    {1036, 19, txt::kModifier1036, Factor(1.2), 1034, kAllCategories},
    {1037, 20, txt::kModifier1037, Factor(1.3), 1034, kAllCategories},
    {1038, 21, txt::kModifier1038, Factor(1.3), 1038, kAllCategories},
    {1039, 22, txt::kModifier1039, Factor(0.7), 1038, kAllCategories},
    {1040, 23, txt::kModifier1040, Factor(1.25), 1040, kAllCategories},
    {1041, 24, txt::kModifier1041, Factor(0.75), 1040, kAllCategories},
});
// clang-format on

inline constexpr int kModifierCount = static_cast<int>(kModifierTable.size());
inline constexpr int kLastModifierId = kFirstModifierId + kModifierCount - 1;

// The rules every row must keep, checked when the table changes.
constexpr bool ModifierRowsAreWellFormed() {
  uint32_t nBits = 0;
  for (int i = 0; i < kModifierCount; ++i) {
    const ModifierInfo_t& info = kModifierTable[static_cast<size_t>(i)];
    if (info.nControlId != kFirstModifierId + i || info.nBit < 1 || info.nBit > 31) return false;
    if ((nBits & info.GetMask()) != 0) return false;
    nBits |= info.GetMask();
    const bool bGroupIsAMember =
        info.nGroup == 0 || (info.nGroup >= kFirstModifierId && info.nGroup <= info.nControlId);
    if (!bGroupIsAMember) return false;
  }
  return true;
}
static_assert(ModifierRowsAreWellFormed(),
              "modifier rows: control ids run on from 1018 without gaps, mask bits are distinct "
              "and 1..31, a group is named by its lowest member");
static_assert(kModifierCount <= 31,
              "the modifier mask (DamageRequest_t::nModifier) is a 32-bit word without bit 0: "
              "more modifiers need a wider request word");
static_assert(CATEGORY_COUNT <= 32, "a modifier's categories are a 32-bit set");

// The modifier of a control id, or null for an id outside the table.
const ModifierInfo_t* FindModifier(int nControlId);

// Ticked modifiers as a set of rows (bit i: control kFirstModifierId + i),
// the form the calculator and build codes keep them in.
using ModifierTicks_t = uint32_t;

// The ticks after a click on the modifier's box: it takes the new state and
// every other member of its exclusive group is cleared, whether the box was
// ticked or unticked.
ModifierTicks_t ClickModifier(ModifierTicks_t nTicks, const ModifierInfo_t& info, bool bTicked);

// The control ids of the ticked boxes, ascending.
std::vector<int> TickedModifiers(ModifierTicks_t nTicks);

// The modifier mask of ticks (bits 1..31 by each row's mask bit).
uint32_t ModifierMaskOf(ModifierTicks_t nTicks);

// The control ids of the modifier's exclusive group in ascending order, the
// modifier itself included; empty for a modifier of no group.
std::vector<int> ModifierGroupMembers(const ModifierInfo_t& info);
