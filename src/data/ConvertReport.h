// ConvertReport_t: the outcome of converting one INI source into a data file,
// with every entry the converter skipped and why; and the Japanese words of
// a conversion's outcome that the window and the web page show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFileError.h"

struct SkippedEntry_t {
  std::string strSection;  // Shift-JIS, as in the source
  std::string strKey;      // entry number as text, or "Anger"
  std::string strReason;   // English, e.g. "needs five integers after the name"
};

struct ConvertReport_t {
  std::string strSource;  // path of the INI source
  std::string strTarget;  // path of the data file
  bool bWritten = false;  // the data file was written completely
  // Counts written: motions, hit patterns, weapons (weapon files) or
  // monsters, regions, levels (the monster file).
  uint32_t nCount[3] = {0, 0, 0};
  std::vector<SkippedEntry_t> arrSkipped;
  // Why nothing was written: the source could not be read (absent, not a
  // regular file, too large, unreadable) or the data file could not be
  // written. The old data file is then kept as it was.
  std::optional<DataFileError_t> failure;
  std::string strError;  // English, when bWritten is false
};

// The outcome of a conversion (Shift-JIS): strFirst (its success or failure
// text) and below it each file written with its counts, and each one that
// failed with why, and that its data file was left as it was; one line each.
std::string DescribeConversionInJapanese(std::string_view strFirst,
                                         const std::vector<ConvertReport_t>& arrReport,
                                         bool bMonsters);
