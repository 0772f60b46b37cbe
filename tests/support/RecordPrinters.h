// How the tests print the core's records they compare: each record as its
// fields in the order they are declared, texts as UTF-8 in quotes, so that a
// failed comparison says which field differs instead of dumping the bytes.
// GoogleTest finds these operator<< by argument-dependent lookup; the window
// tests hand the same text to QtTest (UiTestHelpers.h).
#pragma once

#include <sstream>
#include <type_traits>
#include <utility>

#include "calc/GainTable.h"
#include "platform/Cp932.h"
#include "setup/BuildCode.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

// One field: a Shift-JIS text as UTF-8, an enumeration as its number, none
// for an empty optional, a list in brackets, anything else as it streams.
template <class T>
std::string Show(const T& value) {
  std::ostringstream out;
  if constexpr (std::is_same_v<T, std::string>) {
    out << '"' << velkar::SjisToUtf8(value) << '"';
  } else if constexpr (std::is_enum_v<T>) {
    out << static_cast<int>(value);
  } else if constexpr (requires { value.has_value(); }) {
    out << (value ? Show(*value) : "none");
  } else if constexpr (requires { value.begin(); }) {
    const char* pszBefore = "[";
    for (const auto& item : value) out << std::exchange(pszBefore, ", ") << Show(item);
    out << (value.empty() ? "[]" : "]");
  } else {
    out << std::boolalpha << value;
  }
  return out.str();
}

template <class... T>
std::ostream& PrintFields(std::ostream& out, const T&... field) {
  const char* pszBefore = "{";
  ((out << std::exchange(pszBefore, ", ") << Show(field)), ...);
  return out << '}';
}

inline std::ostream& operator<<(std::ostream& out, const Setup_t& s) {
  return PrintFields(out, s.nCategory, s.strWeapon, s.arrMotion, s.nSharpness, s.strMonster,
                     s.strLevel, s.strHitCorrection, s.bAnger, s.arrModifier);
}

inline std::ostream& operator<<(std::ostream& out, const WindowPlacement_t& p) {
  return PrintFields(out, p.nX, p.nY, p.nWidth, p.nHeight);
}

inline std::ostream& operator<<(std::ostream& out, const Build_t& build) {
  return PrintFields(out, build.strName, build.setup);
}

inline std::ostream& operator<<(std::ostream& out, const BuildCode_t& code) {
  return PrintFields(out, code.nFingerprint, code.arrBuild);
}

inline std::ostream& operator<<(std::ostream& out, const RestoreMiss_t& miss) {
  return PrintFields(out, miss.ePart, miss.strName);
}

inline std::ostream& operator<<(std::ostream& out, const BuildsImport_t& result) {
  return PrintFields(out, result.arrSaved, result.arrTaken, result.arrUnnamed);
}

inline std::ostream& operator<<(std::ostream& out, const Gain_t& g) {
  return PrintFields(out, g.eKind, g.nControlId, g.bTick, g.nReplaced, g.bEnabled, g.nSharpness,
                     g.arrDamage, g.nTotal);
}
