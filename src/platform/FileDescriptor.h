// A POSIX file descriptor that closes itself, and the small helpers every
// file unit of the platform layer opens files and names errors with.
#pragma once

#include <sys/types.h>

#include <string>

namespace velkar {

// The system's English text for an errno value.
std::string SystemError(int nErrno);

// open() with close-on-exec, retried while a signal interrupts it. nMode is
// used only when the flags create a file.
int OpenRetrying(const char* pszPath, int nFlags, mode_t nMode = 0);

class CFileDescriptor {
public:
  explicit CFileDescriptor(int fd) : m_fd(fd) {}
  ~CFileDescriptor() { Close(); }
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;

  int Get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  // Gives up ownership.
  int Release();
  // Closes now and tells whether the close succeeded (errno on failure).
  bool Close();

private:
  int m_fd;
};

}  // namespace velkar
