// ConvertReport_t: the outcome of converting one INI source into a data file,
// with every entry the converter skipped and why.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
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
