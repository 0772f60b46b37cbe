// Setup_t: everything a player chose in the main window, by name rather than
// by list position, so that it still means the same after the data files were
// converted again. Build_t is a setup saved under a name. Texts are Shift-JIS.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Setup_t {
  std::optional<int> nCategory;          // eWEAPON_CATEGORY value
  std::optional<std::string> strWeapon;  // names of the selected records
  std::vector<std::string> arrMotion;    // chosen motions in order, repeats included
  std::optional<int> nSharpness;         // slider position; only with a weapon
  std::optional<std::string> strMonster;
  std::optional<std::string> strLevel;
  std::optional<std::string> strHitCorrection;
  bool bAnger = false;
  // Ticked modifiers by control id (model/ModifierTable.h), ascending. The
  // ids are fixed by the window's layout and outlive any change of a
  // caption's wording.
  std::vector<int> arrModifier;

  bool operator==(const Setup_t&) const = default;
};

// Where the window stood and how large it was when it last closed, in the
// desktop's pixels.
struct WindowPlacement_t {
  int nX = 0;
  int nY = 0;
  int nWidth = 0;
  int nHeight = 0;

  bool operator==(const WindowPlacement_t&) const = default;
};

struct Build_t {
  std::string strName;
  Setup_t setup;

  bool operator==(const Build_t&) const = default;
};
