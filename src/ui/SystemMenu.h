// The entries of the main window's system menu, defined once: the window's
// close entry, then the About entry (when its text is not empty), the two
// The entries of the main window's system menu, defined once: the window's
// close entry, then the About entry (when its text is not empty), the two
// conversion commands, the builds window, the weapon table, the pin of a
// baseline and the comparison window, the gains view, the chart view, the
// build codes, then
// undo and redo, each with the command value the window acts on and, for the
// added ones, the keyboard shortcut that runs it from anywhere in the window.
#pragma once

#include <QRect>
#include <string_view>
#include <vector>

inline constexpr int kCommandSeparator = 0;
inline constexpr int kCommandAbout = 16;
inline constexpr int kCommandConvertWeapons = 17;
inline constexpr int kCommandConvertMonsters = 18;
inline constexpr int kCommandRanking = 32;
inline constexpr int kCommandPin = 33;       // toggles: pin, then unpin
inline constexpr int kCommandCompare = 34;   // the comparison window
inline constexpr int kCommandBuilds = 40;    // the builds window
inline constexpr int kCommandCopyCode = 41;  // the setup as a code onto the clipboard
inline constexpr int kCommandOpenCode = 42;  // the code on the clipboard
inline constexpr int kCommandUndo = 48;
inline constexpr int kCommandRedo = 49;
inline constexpr int kCommandGains = 45;      // what each modifier and sharpness adds
inline constexpr int kCommandChart = 46;      // the chart view of the setup on show
inline constexpr int kCommandClose = 0xF060;  // the window's own close command

// The menu button that opens the system menu, in dialog units: right of the
// "全消去" button, between the two motion lists, where the template has no
// control.
inline constexpr QRect kMenuButtonRectDu(156, 88, 14, 14);

struct SystemMenuEntry_t {
  int nCommand;                       // kCommandSeparator for a separator
  std::string_view strText;           // Shift-JIS; "&" marks the access key
  std::string_view strShortcut = {};  // portable key text ("Ctrl+R"), or empty
};

// The entries in menu order. strAbout is the About entry's text; when it is
// empty, the About entry and the separator before it are left out.
std::vector<SystemMenuEntry_t> GetSystemMenuEntries(std::string_view strAbout);
