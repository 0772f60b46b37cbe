// The Japanese messages about the data files: which files loaded only in part
// (or not at all although they exist) and why, what a conversion wrote or why
// it wrote nothing, and where the data files belong when there is none.
#pragma once

#include <QString>
#include <string_view>
#include <vector>

#include "data/ConvertReport.h"
#include "data/DataFileError.h"

class CDataManager;

// One line: the file's name and what is wrong with it.
QString DescribeFileError(const DataFileError_t& error);

// One line per damaged file, each file once, under a heading; the empty text
// when there is nothing to report.
QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError);

// The outcome of a conversion command: strFirst (its success or failure text)
// and below it each file written with its counts, and each one that failed
// with why, and that its data file was left as it was.
QString DescribeConversion(std::string_view strFirst, const std::vector<ConvertReport_t>& arrReport,
                           bool bMonsters);

// Where the data files belong and how to make them, when not one of them
// exists; the empty text otherwise.
QString DescribeMissingData(const CDataManager& store);
