// The executable's folder from the /proc/self/exe link, and an existence test
// that, like a directory search, finds any kind of entry.
#include "platform/ModuleDirectory.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace velkar {

std::string GetModuleDirectory() {
  // The link's length is unknown in advance: grow the buffer until the whole
  // target fits (readlink truncates silently).
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t nLength = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (nLength < 0) return {};
    const auto nUsed = static_cast<size_t>(nLength);
    if (nUsed < buffer.size()) {
      const std::string strPath(buffer.data(), nUsed);
      const size_t nSlash = strPath.rfind('/');
      if (nSlash == std::string::npos) return {};
      return strPath.substr(0, nSlash + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool FileExists(const std::string& strPath) {
  struct stat info {};
  // lstat: a dangling symbolic link is still an entry of that name.
  return lstat(strPath.c_str(), &info) == 0;
}

}  // namespace velkar
