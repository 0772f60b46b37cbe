// How the converters ask a source file for values. A lookup answers the value
// of a key in a section, or the empty text when the file, the section or the
// key is absent; the converters use a parsed CIniFile, and anything else that
// answers the same way will do (a lookup that only knows text returns a
// std::string, which makes a value without flags).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

class CIniFile;

// A value as a source file gives it.
struct SourceValue_t {
  std::string strText;
  // The source is UTF-8 and the value holds a character that Shift-JIS
  // cannot encode: the entry is there (a numbered list reads on after it),
  // but the converters skip it.
  bool bUnencodable = false;

  SourceValue_t() = default;
  // Implicit, so that a lookup may simply return the text.
  SourceValue_t(std::string strValue, bool bUnencodableValue = false)
      : strText(std::move(strValue)), bUnencodable(bUnencodableValue) {}
};

using SourceLookup =
    std::function<SourceValue_t(std::string_view strSection, std::string_view strKey)>;

// The lookup that answers from a parsed source file, with each value's flag.
// It keeps a reference to ini, which must outlive it.
SourceLookup LookupIn(const CIniFile& ini);
