// What each modifier and sharpness level adds, in the words a player reads
// (Japanese, Shift-JIS, "\n" between lines): the tooltip of a modifier's
// check box and the lines of the window's gains view, built from the gains of
// the calculation on show (GainTable.h). velkar-tool gains keeps its English.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/GainTable.h"
#include "calc/ModifierText.h"
#include "model/ModifierTable.h"

// A change of damage with its sign: "+12", "-3", "±0".
std::string GainChangeText(int64_t nChange);

// What a click on the choice does: "会心 をチェック", "力の護符 のチェックを外す"
// or "切れ味 白".
std::string GainChoiceText(const Gain_t& gain);

// A modifier box's tooltip: its effect ("攻撃力 ×1.25"); the other members of
// its exclusive group, when it has any; and what the click would change in
// the total now, naming the member it replaces, or, without gains (nothing is
// computed), how to get them.
std::string ModifierTipText(const ModifierInfo_t& info, const std::optional<GainTable_t>& gains);
