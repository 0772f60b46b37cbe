// The plain-text report of one calculation: header (weapon, sharpness,
// target, level, hit correction), ticked modifiers, chosen motions and the final damage of
// every body region. Built from plain values so that the window's clipboard
// button and velkar-tool produce the same bytes. Shift-JIS, CR LF lines.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CCalculator;

using ReportRow_t = std::array<std::string, 4>;  // region, physical, element, damage

// The whole report. The damage lines pad to 10/4/4/4 bytes and never cut a
// longer cell; the text is not limited in length here.
std::string BuildReportText(std::string_view strCategoryLabel, std::string_view strWeaponName,
                            std::string_view strSharpnessName, std::string_view strMonsterName,
                            bool bAnger, std::string_view strLevelName,
                            std::string_view strHitCorrectionName,
                            const std::vector<std::string>& arrModifierCaption,
                            const std::vector<std::string>& arrMotionText,
                            const std::vector<ReportRow_t>& arrRow);

// The report of the calculator's current state: the selected weapon's
// category label and name, the sharpness on show (its colour), the selected monster, level and hit
// correction, the ticked modifiers in control id order, the chosen motions and the result rows.
// None when the weapon, monster, level or hit correction is missing.
std::optional<std::string> BuildReportFromCalculator(const CCalculator& calculator);

// Why BuildReportFromCalculator gives none: the first missing selection of
// weapon, monster, level and hit correction, as a sentence for the player
// (Shift-JIS). Empty when the report can be built.
std::string_view ReportUnavailableReason(const CCalculator& calculator);
