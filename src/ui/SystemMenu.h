// The entries of the main window's system menu, defined once: the window's
// close entry, then the About entry (when its text is not empty) and the two
// conversion commands, each with the command value the window acts on.
#pragma once

#include <QRect>
#include <string_view>
#include <vector>

inline constexpr int kCommandSeparator = 0;
inline constexpr int kCommandAbout = 16;
inline constexpr int kCommandConvertWeapons = 17;
inline constexpr int kCommandConvertMonsters = 18;
inline constexpr int kCommandClose = 0xF060;  // the window's own close command

// The menu button that opens the system menu, in dialog units: right of the
// "全消去" button, between the two motion lists, where the template has no
// control.
inline constexpr QRect kMenuButtonRectDu(156, 88, 14, 14);

struct SystemMenuEntry_t {
  int nCommand;              // kCommandSeparator for a separator
  std::string_view strText;  // Shift-JIS; "&" marks the access key
};

// The entries in menu order. strAbout is the About entry's text; when it is
// empty, the About entry and the separator before it are left out.
std::vector<SystemMenuEntry_t> GetSystemMenuEntries(std::string_view strAbout);
