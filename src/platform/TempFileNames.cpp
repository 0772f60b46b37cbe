#include "platform/TempFileNames.h"

#include <dirent.h>

#include <cstddef>
#include <random>

namespace velkar {
namespace {

constexpr size_t kSuffixLength = 6;

std::string TempPrefix(const std::string& strTarget) {
  return strTarget + ".tmp";
}

}  // namespace

std::string FolderOf(const std::string& strPath) {
  const size_t nSlash = strPath.rfind('/');
  return nSlash == std::string::npos ? "./" : strPath.substr(0, nSlash + 1);
}

std::string NewTempName(const std::string& strTarget) {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
  std::string strName = TempPrefix(strTarget);
  for (size_t i = 0; i < kSuffixLength; ++i) strName += kChars[pick(engine)];
  return strName;
}

std::string TempNameTemplate(const std::string& strTarget) {
  return TempPrefix(strTarget) + std::string(kSuffixLength, 'X');
}

std::vector<std::string> TempFilesOf(const std::string& strTarget) {
  const std::string strFolder = FolderOf(strTarget);
  const size_t nSlash = strTarget.rfind('/');
  const std::string strPrefix =
      TempPrefix(nSlash == std::string::npos ? strTarget : strTarget.substr(nSlash + 1));
  std::vector<std::string> arrPath;
  DIR* pDir = opendir(strFolder.c_str());
  if (pDir == nullptr) return arrPath;
  while (const dirent* pEntry = readdir(pDir)) {
    const std::string strName = pEntry->d_name;
    if (strName.size() == strPrefix.size() + kSuffixLength && strName.starts_with(strPrefix)) {
      arrPath.push_back(strFolder + strName);
    }
  }
  closedir(pDir);
  return arrPath;
}

}  // namespace velkar
