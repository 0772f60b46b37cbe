#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

namespace {

constexpr auto kPoll = std::chrono::milliseconds(20);

}  // namespace

CFileLock::CFileLock(const std::string& strPath)
    : m_nFd(open(strPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
  if (m_nFd < 0) {
    m_strError = "cannot open " + strPath + " (" + std::strerror(errno) + ")";
    return;
  }
  const auto tGiveUp = std::chrono::steady_clock::now() + kWait;
  while (flock(m_nFd, LOCK_EX | LOCK_NB) != 0) {
    const int nErrno = errno;
    if (nErrno == EINTR) continue;
    if (nErrno == EWOULDBLOCK && std::chrono::steady_clock::now() < tGiveUp) {
      std::this_thread::sleep_for(kPoll);
      continue;
    }
    m_strError = "cannot lock " + strPath + " (" +
                 (nErrno == EWOULDBLOCK ? "another program has held it for " +
                                              std::to_string(kWait.count()) + " seconds"
                                        : std::string(std::strerror(nErrno))) +
                 ")";
    close(m_nFd);
    m_nFd = -1;
    return;
  }
}

CFileLock::~CFileLock() {
  if (m_nFd >= 0) close(m_nFd);  // closing releases the lock
}
