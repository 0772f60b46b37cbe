// The entries of the level and hit-correction lists as a player reads them:
// the record's name with its rate beside it, "上位 (80%)", and for a hit
// correction whose two rates differ the rate at the lower sharpness levels
// (red to yellow) and at the higher ones (green to white), "芯当たり (105%/110%)".
// Shift-JIS. The records' names themselves stay what setups and reports use.
#pragma once

#include <string>

class CLevel;
class CHitPattern;

std::string LevelEntryText(const CLevel& level);
std::string HitCorrectionEntryText(const CHitPattern& hitPattern);
