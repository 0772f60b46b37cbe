#include "ControlTemplate.h"

#include <array>

#include "VelkarTexts.h"

namespace {

// Template order. Heights of the drop-down lists include their opened list.
constexpr std::array<ControlTemplate_t, 44> kMainWindow = {{
    {1001, CONTROL_DROPDOWN, {}, 2, 2, 88, 116, {}},
    {1002, CONTROL_WEAPON_LIST, {}, 2, 18, 88, 102, {}},
    {1003, CONTROL_LIST, {}, 96, 2, 82, 82, {}},
    {1005, CONTROL_BUTTON, txt::kAddCaption, 96, 88, 12, 14, {}},
    {1006, CONTROL_BUTTON, txt::kRemoveCaption, 111, 88, 12, 14, {}},
    {1007, CONTROL_BUTTON, txt::kClearCaption, 126, 88, 26, 14, {}},
    {1004, CONTROL_LIST, {}, 96, 104, 84, 48, {}},
    {1009, CONTROL_SLIDER, {}, 2, 124, 40, 20, {}},
    {1011, CONTROL_TEXT, txt::kAttackTextInitial, 46, 124, 44, 8, {}},
    {1012, CONTROL_TEXT, txt::kElementTextInitial, 46, 134, 44, 8, {}},
    {1010, CONTROL_TEXT, txt::kSharpnessTextInitial, 2, 144, 40, 8, {}},
    {1008, CONTROL_DROPDOWN, {}, 184, 36, 94, 272, {}},
    {1013, CONTROL_RESULT_LIST, {}, 184, 52, 138, 100, {}},
    {1018, CONTROL_MODIFIER, {}, 6, 214, 57, 10, {}},
    {1019, CONTROL_MODIFIER, {}, 63, 214, 57, 10, {}},
    {1020, CONTROL_MODIFIER, {}, 122, 214, 57, 10, {}},
    {1017, CONTROL_CHECK, txt::kAngerCaption, 280, 38, 28, 10, {}},
    {1014, CONTROL_DROPDOWN, {}, 204, 4, 120, 150, {}},
    {0, CONTROL_TEXT, txt::kLevelLabel, 184, 8, 20, 8, "lblLevel"},
    {1021, CONTROL_MODIFIER, {}, 6, 166, 43, 10, {}},
    {1022, CONTROL_MODIFIER, {}, 49, 166, 37, 10, {}},
    {0, CONTROL_TEXT, txt::kHitCorrectionLabel, 184, 22, 40, 8, "lblHitCorrection"},
    {1015, CONTROL_DROPDOWN, {}, 224, 20, 100, 64, {}},
    {1016, CONTROL_BITMAP_BUTTON, {}, 310, 36, 12, 14, {}},
    {1023, CONTROL_MODIFIER, {}, 6, 178, 37, 10, {}},
    {1024, CONTROL_MODIFIER, {}, 43, 178, 41, 10, {}},
    {1025, CONTROL_MODIFIER, {}, 85, 178, 37, 10, {}},
    {1026, CONTROL_MODIFIER, {}, 123, 178, 41, 10, {}},
    {1027, CONTROL_MODIFIER, {}, 166, 178, 41, 10, {}},
    {1028, CONTROL_MODIFIER, {}, 6, 190, 37, 10, {}},
    {1029, CONTROL_MODIFIER, {}, 43, 190, 50, 10, {}},
    {1030, CONTROL_MODIFIER, {}, 94, 190, 86, 10, {}},
    {1031, CONTROL_MODIFIER, {}, 182, 190, 69, 10, {}},
    {1032, CONTROL_MODIFIER, {}, 253, 190, 64, 10, {}},
    {1033, CONTROL_MODIFIER, {}, 6, 202, 43, 10, {}},
    {1034, CONTROL_MODIFIER, {}, 6, 226, 72, 10, {}},
    {1035, CONTROL_MODIFIER, {}, 78, 226, 86, 10, {}},
    {1036, CONTROL_MODIFIER, {}, 166, 226, 72, 10, {}},
    {1037, CONTROL_MODIFIER, {}, 238, 226, 86, 10, {}},
    {1038, CONTROL_MODIFIER, {}, 6, 238, 50, 10, {}},
    {1039, CONTROL_MODIFIER, {}, 58, 238, 37, 10, {}},
    {0, CONTROL_GROUP, {}, 4, 158, 318, 104, "grpModifiers"},
    {1040, CONTROL_MODIFIER, {}, 6, 249, 30, 10, {}},
    {1041, CONTROL_MODIFIER, {}, 37, 250, 54, 10, {}},
}};

}  // namespace

std::span<const ControlTemplate_t> GetMainWindowTemplate() {
  return kMainWindow;
}
