// How the converters ask a source file for values. A lookup answers the value
// of a key in a section, or the empty text when the file, the section or the
// key is absent; the converters use a parsed CIniFile, and anything else that
// answers the same way will do (a lookup that only knows text returns a
// std::string, which makes a value without flags that holds its text).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class CIniFile;

// A value as a source file gives it.
struct SourceValue_t {
private:
  // The text of a value made from a std::string; shared, so that copies
  // view the same bytes.
  std::shared_ptr<const std::string> m_pOwnText;

public:
  std::string_view strText;
  // The source is UTF-8 and the value holds a character that Shift-JIS
  // cannot encode: the entry is there (a numbered list reads on after it),
  // but the converters skip it.
  bool bUnencodable = false;

  SourceValue_t() = default;
  // A view into a source's text, which outlives the value.
  SourceValue_t(std::string_view text, bool bUnencodableValue)
      : strText(text), bUnencodable(bUnencodableValue) {}
  // Implicit, so that a lookup may simply return the text.
  SourceValue_t(std::string strValue)
      : m_pOwnText(std::make_shared<const std::string>(std::move(strValue))),
        strText(*m_pOwnText) {}
};

using SourceLookup =
    std::function<SourceValue_t(std::string_view strSection, std::string_view strKey)>;

// The lookup that answers from a parsed source file, with each value's flag.
// It keeps a reference to ini, which must outlive it.
SourceLookup LookupIn(const CIniFile& ini);
