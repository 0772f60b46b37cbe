// The Japanese notes about the remembered setup and the builds: why a file
// was not used, and which names of a setup the data no longer holds.
#pragma once

#include <QString>
#include <vector>

#include "setup/SetupFileProblem.h"
#include "setup/SetupRestore.h"

// One line: the file's name and what is wrong with it.
QString DescribeSetupFileProblem(const SetupFileProblem_t& problem);

// A heading and one line per name; the empty text when nothing was missed.
QString DescribeRestoreMisses(const std::vector<RestoreMiss_t>& arrMiss);
