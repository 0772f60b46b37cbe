// UnwritableFolderHint: the line that a failed conversion's message adds when
// the data folder cannot be written (an installed package's folder): it
// tells the user to copy the sources elsewhere and start with --dir.
#pragma once

#include <QString>

#include <string>

// Empty when the data folder is writable; otherwise the hint, starting on a
// line of its own.
QString UnwritableFolderHint(const std::string& strDir);
