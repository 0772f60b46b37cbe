// What a modifier does, in the words a player reads: the effect column of
// the gains, the tooltips and the JSON documents.
#pragma once

#include <string>

#include "model/ModifierTable.h"

// The modifier's additive attack bonus ("攻撃力 +10") or its attack
// multiplier ("攻撃力 ×1.2"), as the damage computation applies it
// (Shift-JIS).
std::string ModifierEffectText(const ModifierInfo_t& info);
