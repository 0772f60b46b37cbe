// How the converters ask a source file for values, and the numbered lists
// they read. A lookup answers the value of a key in a section, or the empty
// text when the file, the section or the key is absent; the converters use a
// parsed CIniFile, and anything else that answers the same way will do.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/ConvertReport.h"

using SourceLookup =
    std::function<std::string(std::string_view strSection, std::string_view strKey)>;

// Reads the entries nFirst, nFirst + 1, ... of a section up to the first one
// that is empty or absent, so a gap in the numbering ends the list. Each value
// goes through parse (a function of SourceValueParser.h); parsed records are
// appended in order, and each skipped entry is noted with its reason.
template <typename Record, typename Parse>
void ReadNumberedList(const SourceLookup& lookup, std::string_view section, int nFirst, Parse parse,
                      std::vector<Record>& arrRecord, std::vector<SkippedEntry_t>& arrSkipped) {
  for (int n = nFirst;; ++n) {
    std::string strKey = std::to_string(n);
    const std::string strValue = lookup(section, strKey);
    if (strValue.empty()) return;
    auto result = parse(strValue);
    if (result.entry) {
      arrRecord.push_back(std::move(*result.entry));
    } else {
      arrSkipped.push_back({std::string(section), std::move(strKey), std::move(result.strReason)});
    }
  }
}
