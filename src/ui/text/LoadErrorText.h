// The Japanese messages about the data files: which files loaded only in part
// (or not at all although they exist) and why, and where the data files
// belong when there is none.
#pragma once

#include <QString>
#include <vector>

#include "data/DataFileError.h"

class CDataManager;

// One line: the file's name and what is wrong with it.
QString DescribeFileError(const DataFileError_t& error);

// One line per damaged file, each file once, under a heading; the empty text
// when there is nothing to report.
QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError);

// Where the data files belong and how to make them, when not one of them
// exists; the empty text otherwise.
QString DescribeMissingData(const CDataManager& store);
