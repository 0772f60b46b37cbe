// Every system call that can be interrupted is retried on EINTR, and partial
// writes are continued until done.
#include "platform/OutputDevice.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

#include "platform/FileDescriptor.h"

namespace velkar {
namespace {

class CFileOutputDevice final : public COutputDevice {
public:
  explicit CFileOutputDevice(int fd) : m_fd(fd) {}

  bool Write(const uint8_t* pData, size_t nSize) override {
    while (nSize > 0) {
      const size_t nChunk = std::min<size_t>(nSize, SSIZE_MAX);
      const ssize_t nWritten = write(m_fd, pData, nChunk);
      if (nWritten < 0) {
        if (errno == EINTR) continue;
        return Fail("write failed (" + SystemError(errno) + ")");
      }
      if (nWritten == 0) return Fail("write made no progress");
      pData += nWritten;
      nSize -= static_cast<size_t>(nWritten);
    }
    return true;
  }

  bool Flush() override {
    if (fsync(m_fd) != 0) return Fail("cannot be flushed (" + SystemError(errno) + ")");
    return true;
  }

  std::string Error() const override { return m_strError; }

private:
  bool Fail(std::string strWhat) {
    m_strError = std::move(strWhat);
    return false;
  }

  int m_fd;
  std::string m_strError;
};

}  // namespace

COutputDevice::~COutputDevice() = default;

std::unique_ptr<COutputDevice> MakeFileOutputDevice(int fd) {
  return std::make_unique<CFileOutputDevice>(fd);
}

}  // namespace velkar
