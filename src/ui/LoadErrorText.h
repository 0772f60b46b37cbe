// The Japanese message that tells the player which data files loaded only in
// part (or not at all although they exist), and what was wrong with each.
#pragma once

#include <QString>
#include <vector>

#include "data/DataFileError.h"

// One line per damaged file, each file once, under a heading; the empty text
// when there is nothing to report.
QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError);
