// The 24 attack modifier check boxes (skills and items): their control ids,
// the bit each sets in the modifier mask, their captions and the exclusive
// groups they belong to. The calculator, the report and the window's check
// boxes all read this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ModifierInfo_t {
  int nControlId;               // 1018..1041
  int nBit;                     // bit of the modifier mask, 1..24
  std::string_view strCaption;  // Shift-JIS
  int nGroup;                   // lowest control id of its exclusive group, 0 for none

  uint32_t GetMask() const { return uint32_t{1} << nBit; }
};

inline constexpr int kModifierCount = 24;
inline constexpr int kFirstModifierId = 1018;
inline constexpr int kLastModifierId = kFirstModifierId + kModifierCount - 1;

// Every modifier, in ascending control id order (entry i is control 1018 + i).
const std::array<ModifierInfo_t, kModifierCount>& GetModifierTable();

// The modifier of a control id, or null for an id outside 1018..1041.
const ModifierInfo_t* FindModifier(int nControlId);

// What the modifier does, in the words a player reads (Shift-JIS): its
// additive attack bonus ("攻撃力 +10") or its attack multiplier ("攻撃力
// ×1.2"), as the damage computation applies it.
std::string ModifierEffectText(const ModifierInfo_t& info);

// The control ids of the modifier's exclusive group in ascending order, the
// modifier itself included; empty for a modifier of no group.
std::vector<int> ModifierGroupMembers(const ModifierInfo_t& info);
