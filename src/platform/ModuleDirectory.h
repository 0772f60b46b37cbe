// Where the running program lives, and a file-existence test. Every data and
// source file is looked up beside the executable.
#pragma once

#include <string>

namespace velkar {

// The folder of the running executable (from /proc/self/exe), ending with '/';
// the empty text when it cannot be found (as on systems without /proc, the
// browser's among them), so that paths become relative to the working
// directory.
std::string GetModuleDirectory();

// Whether an entry (file or folder) of that name exists.
bool FileExists(const std::string& strPath);

}  // namespace velkar
