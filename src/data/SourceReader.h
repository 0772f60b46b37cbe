// CSourceReader: the converters' way through a source file. It asks the lookup
// for values and applies the rules that every entry shares:
// - a numbered list is read from its first number up to the first number
//   whose value is empty or absent, so a gap ends the list;
// - a value that holds a character Shift-JIS cannot encode is skipped, and
//   the list reads on after it;
// - any other value goes through its parse function (SourceValueParser.h).
// Every skipped entry is noted with its reason; a listener, when given, hears
// of every entry read and of the end of every list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/ConvertReport.h"
#include "data/SourceLookup.h"
#include "data/SourceReadListener.h"

class CSourceReader {
public:
  CSourceReader(const SourceLookup& lookup, std::vector<SkippedEntry_t>& arrSkipped,
                CSourceReadListener* pListener)
      : m_lookup(lookup), m_arrSkipped(arrSkipped), m_pListener(pListener) {}

  SourceValue_t Get(std::string_view section, std::string_view key) const {
    return m_lookup(section, key);
  }

  // The parse of a value read under key: its record, or none when the entry
  // is skipped (the result is handed on whole, so its record is not moved).
  template <typename Parse>
  auto Accept(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
              const SourceValue_t& value, Parse parse) {
    using Result = decltype(parse(std::string_view{}));
    Result result =
        value.bUnencodable ? Result::Skip(UnencodableReason(eKind)) : parse(value.strText);
    Note(eKind, section, key, value, result.strReason);
    return result;
  }

  // Calls onEntry(key, value) for the entries nFirst, nFirst + 1, ... of a
  // numbered list, up to the first one that is empty or absent.
  template <typename OnEntry>
  void ForEachNumbered(eSOURCE_ENTRY eKind, std::string_view section, int nFirst, OnEntry onEntry) {
    for (int n = nFirst;; ++n) {
      const std::string strKey = std::to_string(n);
      const SourceValue_t value = m_lookup(section, strKey);
      if (value.strText.empty()) {
        if (m_pListener != nullptr) m_pListener->OnListEnd(eKind, section, n);
        return;
      }
      onEntry(strKey, value);
    }
  }

  // Appends the records of a numbered list, in order, with room made at once
  // for as many as the source says the section can hold.
  template <typename Record, typename Parse>
  void ReadList(eSOURCE_ENTRY eKind, std::string_view section, int nFirst, Parse parse,
                std::vector<Record>& arrRecord) {
    arrRecord.reserve(arrRecord.size() + m_lookup.CountKeys(section));
    ForEachNumbered(eKind, section, nFirst,
                    [&](const std::string& strKey, const SourceValue_t& value) {
                      auto result = Accept(eKind, section, strKey, value, parse);
                      if (result.entry) arrRecord.push_back(std::move(*result.entry));
                    });
  }

private:
  static std::string_view UnencodableReason(eSOURCE_ENTRY eKind);
  void Note(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
            const SourceValue_t& value, std::string_view strSkipReason);

  const SourceLookup& m_lookup;
  std::vector<SkippedEntry_t>& m_arrSkipped;
  CSourceReadListener* m_pListener;
};
