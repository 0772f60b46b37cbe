// The lock file without a lock, for systems without flock (the browser's
// file system): only the one process there writes the shared files.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/FileLock.h"

CFileLock::CFileLock(const std::string& strPath)
    : m_nFd(open(strPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
  if (m_nFd < 0) m_strError = "cannot open " + strPath + " (" + std::strerror(errno) + ")";
}

CFileLock::~CFileLock() {
  if (m_nFd >= 0) close(m_nFd);
}
