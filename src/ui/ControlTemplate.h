// The layout of the main window: its size and its 44 controls, in template
// order (which is also the tab order), with positions and sizes in dialog
// units (see DialogUnits.h). The window creates its controls from this table.
#pragma once

#include <span>
#include <string_view>

enum eCONTROL_KIND {
  CONTROL_DROPDOWN,       // drop-down list that cannot be typed into
  CONTROL_LIST,           // plain list box
  CONTROL_WEAPON_LIST,    // CWeaponListBox
  CONTROL_BUTTON,         // push button with a caption
  CONTROL_BITMAP_BUTTON,  // push button showing bitmap 104
  CONTROL_SLIDER,         // horizontal slider with tick marks
  CONTROL_TEXT,           // static text
  CONTROL_RESULT_LIST,    // CColorListCtrl
  CONTROL_CHECK,          // check box with a caption
  CONTROL_MODIFIER,       // check box of a modifier; caption from the modifier table
  CONTROL_GROUP,          // group box without caption
};

struct ControlTemplate_t {
  int nId;  // control id; 0 for the controls code never addresses
  eCONTROL_KIND eKind;
  std::string_view strCaption;  // Shift-JIS; empty where the kind has none
  int x, y, cx, cy;             // dialog units
  std::string_view strName;     // object name of a control without id
};

inline constexpr int kMainWindowWidthDu = 327;
inline constexpr int kMainWindowHeightDu = 263;

std::span<const ControlTemplate_t> GetMainWindowTemplate();
