#include "calc/ModifierTable.h"

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "model/Weapon.h"
#include "platform/StdCompat.h"

namespace {

// The mask bits do not follow the control ids: bits 1..13 are controls
// 1021..1033, bits 14..16 are 1018..1020 and bits 17..24 are 1034..1041.
// clang-format off
constexpr std::array<ModifierInfo_t, kModifierCount> kModifiers{{
    {1018, 14, txt::kModifier1018, 1018},
    {1019, 15, txt::kModifier1019, 1018},
    {1020, 16, txt::kModifier1020, 1018},
    {1021, 1, txt::kModifier1021, 0},
    {1022, 2, txt::kModifier1022, 0},
    {1023, 3, txt::kModifier1023, 1023},
    {1024, 4, txt::kModifier1024, 1023},
    {1025, 5, txt::kModifier1025, 1023},
    {1026, 6, txt::kModifier1026, 1023},
    {1027, 7, txt::kModifier1027, 1023},
    {1028, 8, txt::kModifier1028, 1028},
    {1029, 9, txt::kModifier1029, 1028},
    {1030, 10, txt::kModifier1030, 1028},
    {1031, 11, txt::kModifier1031, 1028},
    {1032, 12, txt::kModifier1032, 1028},
    {1033, 13, txt::kModifier1033, 0},
    {1034, 17, txt::kModifier1034, 1034},
    {1035, 18, txt::kModifier1035, 1034},
    {1036, 19, txt::kModifier1036, 1034},
    {1037, 20, txt::kModifier1037, 1034},
    {1038, 21, txt::kModifier1038, 1038},
    {1039, 22, txt::kModifier1039, 1038},
    {1040, 23, txt::kModifier1040, 1040},
    {1041, 24, txt::kModifier1041, 1040},
}};
// clang-format on

}  // namespace

const std::array<ModifierInfo_t, kModifierCount>& GetModifierTable() {
  return kModifiers;
}

const ModifierInfo_t* FindModifier(int nControlId) {
  if (nControlId < kFirstModifierId || nControlId > kLastModifierId) return nullptr;
  return &kModifiers[static_cast<size_t>(nControlId - kFirstModifierId)];
}

std::string ModifierEffectText(const ModifierInfo_t& info) {
  uint8_t byBonus = 0;
  double dFactor = 1.0;
  CWeapon::CalcModifier(info.GetMask(), byBonus, dFactor);
  if (byBonus != 0) return FormatText(txt::kModifierEffectBonus, {unsigned{byBonus}});
  // The shortest decimal that reads back as the factor: 1.2, not 1.19999...
  char szFactor[32] = {};
  const std::to_chars_result result =
      velkar::ToChars(szFactor, szFactor + sizeof szFactor, dFactor);
  return FormatText(txt::kModifierEffectFactor,
                    {std::string_view(szFactor, static_cast<size_t>(result.ptr - szFactor))});
}

std::vector<int> ModifierGroupMembers(const ModifierInfo_t& info) {
  std::vector<int> arrMember;
  if (info.nGroup == 0) return arrMember;
  for (const ModifierInfo_t& other : kModifiers) {
    if (other.nGroup == info.nGroup) arrMember.push_back(other.nControlId);
  }
  return arrMember;
}
