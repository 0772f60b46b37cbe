#include "calc/ModifierText.h"

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "model/Weapon.h"
#include "platform/StdCompat.h"

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
