// The names of an atomic write's temporary files: "<target>.tmpXXXXXX" in the
// target's own folder (so that a rename can put one in the target's place),
// with six random letters or digits as mkostemp makes them.
#pragma once

#include <string>
#include <vector>

namespace velkar {

// The folder of a path, ending with '/'.
std::string FolderOf(const std::string& strPath);

// A fresh temporary file name for strTarget.
std::string NewTempName(const std::string& strTarget);

// The same name with the random part left as mkostemp's "XXXXXX".
std::string TempNameTemplate(const std::string& strTarget);

// The paths of the entries beside strTarget named as its temporary files are.
std::vector<std::string> TempFilesOf(const std::string& strTarget);

}  // namespace velkar
