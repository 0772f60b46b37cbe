#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace velkar {

std::string SystemError(int nErrno) {
  return std::strerror(nErrno);
}

int OpenRetrying(const char* pszPath, int nFlags, mode_t nMode) {
  int fd = -1;
  do {
    fd = open(pszPath, nFlags | O_CLOEXEC, nMode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

int CFileDescriptor::Release() {
  return std::exchange(m_fd, -1);
}

bool CFileDescriptor::Close() {
  if (m_fd < 0) return true;
  const int fd = std::exchange(m_fd, -1);
  // Linux releases the descriptor even when close fails with EINTR, so it is
  // never retried.
  return close(fd) == 0 || errno == EINTR;
}

}  // namespace velkar
