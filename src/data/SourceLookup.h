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
#include <type_traits>
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

// A lookup, and where the source can tell, how many entries a section holds
// at most, so that a reader makes room for a list once.
class SourceLookup {
public:
  using Get = std::function<SourceValue_t(std::string_view strSection, std::string_view strKey)>;
  using Count = std::function<size_t(std::string_view strSection)>;

  // Implicit, so that any function that answers values is a lookup; it tells
  // no section's size.
  template <typename F>
  requires(!std::is_same_v<std::remove_cvref_t<F>, SourceLookup> && std::is_constructible_v<Get, F>)
      SourceLookup(F get)
      : m_get(std::move(get)) {}
  SourceLookup(Get get, Count countKeys)
      : m_get(std::move(get)), m_countKeys(std::move(countKeys)) {}

  SourceValue_t operator()(std::string_view section, std::string_view key) const {
    return m_get(section, key);
  }
  // At least the number of entries of any numbered list in the section; 0
  // when the source cannot tell.
  size_t CountKeys(std::string_view section) const {
    return m_countKeys ? m_countKeys(section) : 0;
  }

private:
  Get m_get;
  Count m_countKeys;
};

// The lookup that answers from a parsed source file, with each value's flag
// and each section's count of key=value lines. It keeps a reference to ini,
// which must outlive it.
SourceLookup LookupIn(const CIniFile& ini);
