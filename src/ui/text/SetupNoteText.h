// The Japanese note about the remembered setup and the builds files: why a
// file was not used.
#pragma once

#include <QString>

#include "setup/SetupFileProblem.h"

// One line: the file's name and what is wrong with it.
QString DescribeSetupFileProblem(const SetupFileProblem_t& problem);
