// The window's Japanese words for restored setups: what a restore could not
// find, and why a compared loadout has no numbers. The core answers with its own records; these
// only word them.
#pragma once

#include <QString>
#include <vector>

#include "setup/BuildCode.h"
#include "setup/LoadoutComparison.h"
#include "setup/SetupRestore.h"

// What opening a setup left out: that it was made on other data, then the
// heading and one line per name the data lacks; empty when nothing is missing
// and the data is the same.
QString DescribeRestoreMisses(const std::vector<RestoreMiss_t>& arrMiss, bool bOtherData);

// A missing name as one line, e.g. 武器「鉄の片手剣」.
QString DescribeMiss(const RestoreMiss_t& miss);

// Why a compared loadout has no numbers.
QString DescribeLoadoutProblem(const LoadoutProblem_t& problem);
