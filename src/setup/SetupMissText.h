// The Japanese words (Shift-JIS) for what opening a setup left out, which the
// window and the web page show as they are: the names the data lacks, and why
// a compared loadout has no numbers. The English words for the command line
// are beside the comparison (LoadoutComparison.h).
#pragma once

#include <string>
#include <vector>

#include "setup/LoadoutComparison.h"
#include "setup/SetupRestore.h"

// A missing name as one line, e.g. 武器「鉄の片手剣」; a category by its
// label when its value is one, a name from a file on one line whatever it
// holds.
std::string DescribeMissInJapanese(const RestoreMiss_t& miss);

// What opening a setup left out: that it was made on other data, then the
// heading and one line per name the data lacks; empty when nothing is missing
// and the data is the same.
std::string DescribeRestoreMissesInJapanese(const std::vector<RestoreMiss_t>& arrMiss,
                                            bool bOtherData);

// What a compared loadout lacks: why it has no numbers, then its other names
// the data lacks, one line each; empty for a loadout computed in full.
std::string DescribeLoadoutMissesInJapanese(const ComparedLoadout_t& loadout);
