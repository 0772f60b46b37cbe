// Whole-file reading and the write-to-temporary-then-rename writer on POSIX
// descriptors. Every system call that can be interrupted is retried on EINTR,
// and partial reads and writes are continued until done.
#include "platform/BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

namespace velkar {
namespace {

std::string SystemError(int nErrno) {
  return std::strerror(nErrno);
}

int OpenRetrying(const char* pszPath, int nFlags) {
  int fd = -1;
  do {
    fd = open(pszPath, nFlags | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Closes a descriptor when it goes out of scope.
class CFileDescriptor {
public:
  explicit CFileDescriptor(int fd) : m_fd(fd) {}
  ~CFileDescriptor() { Close(); }
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;

  int Get() const { return m_fd; }
  bool IsOpen() const { return m_fd >= 0; }
  // Closes now and tells whether the close succeeded (errno on failure).
  bool Close() {
    if (m_fd < 0) return true;
    const int fd = std::exchange(m_fd, -1);
    // Linux releases the descriptor even when close fails with EINTR, so it is
    // never retried.
    return close(fd) == 0 || errno == EINTR;
  }

private:
  int m_fd;
};

// Writes to a file on disk: every byte, then fsync and close on Flush.
class CFileOutputDevice final : public COutputDevice {
public:
  explicit CFileOutputDevice(const std::string& strPath)
      : m_file(OpenRetrying(strPath.c_str(), O_WRONLY | O_TRUNC)) {
    if (!m_file.IsOpen()) m_strError = "cannot be opened (" + SystemError(errno) + ")";
  }

  bool Write(const uint8_t* pData, size_t nSize) override {
    if (!m_file.IsOpen()) return Fail("is not open");
    while (nSize > 0) {
      const size_t nChunk = std::min<size_t>(nSize, SSIZE_MAX);
      const ssize_t nWritten = write(m_file.Get(), pData, nChunk);
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
    if (!m_file.IsOpen()) return Fail("is not open");
    if (fsync(m_file.Get()) != 0) return Fail("cannot be flushed (" + SystemError(errno) + ")");
    if (!m_file.Close()) return Fail("cannot be closed (" + SystemError(errno) + ")");
    return true;
  }

  std::string Error() const override { return m_strError; }

private:
  bool Fail(std::string strWhat) {
    m_strError = std::move(strWhat);
    return false;
  }

  CFileDescriptor m_file;
  std::string m_strError;
};

OutputDeviceFactory& DeviceFactory() {
  static OutputDeviceFactory factory;
  return factory;
}

std::unique_ptr<COutputDevice> MakeDevice(const std::string& strPath) {
  const OutputDeviceFactory& factory = DeviceFactory();
  if (factory) return factory(strPath);
  return std::make_unique<CFileOutputDevice>(strPath);
}

// The permissions a file newly created at that path would get: those of the
// file it replaces, else the usual 0666 less the process's umask.
mode_t ModeForTarget(const struct stat* pTarget) {
  if (pTarget != nullptr) return pTarget->st_mode & 07777;
  const mode_t nMask = umask(022);  // umask can only be read by setting it
  umask(nMask);
  return 0666 & ~nMask;
}

}  // namespace

eREAD_RESULT ReadWholeFile(const std::string& strPath, std::vector<uint8_t>& arrBytes,
                           std::string& strError) {
  arrBytes.clear();
  CFileDescriptor file(OpenRetrying(strPath.c_str(), O_RDONLY));
  if (!file.IsOpen()) {
    if (errno == ENOENT || errno == ENOTDIR) return eREAD_RESULT::Missing;
    strError = strPath + " cannot be opened for reading (" + SystemError(errno) + ")";
    return eREAD_RESULT::Unreadable;
  }
  struct stat info {};
  if (fstat(file.Get(), &info) != 0) {
    strError = strPath + " cannot be examined (" + SystemError(errno) + ")";
    return eREAD_RESULT::Unreadable;
  }
  if (!S_ISREG(info.st_mode)) {
    strError = strPath + " is not a regular file";
    return eREAD_RESULT::Unreadable;
  }
  // The size the file system reports bounds the read, so the buffer never
  // depends on anything the file itself claims.
  arrBytes.resize(static_cast<size_t>(info.st_size));
  size_t nRead = 0;
  while (nRead < arrBytes.size()) {
    const ssize_t n = read(file.Get(), arrBytes.data() + nRead,
                           std::min<size_t>(arrBytes.size() - nRead, SSIZE_MAX));
    if (n < 0) {
      if (errno == EINTR) continue;
      strError = strPath + " cannot be read (" + SystemError(errno) + ")";
      arrBytes.clear();
      return eREAD_RESULT::Unreadable;
    }
    if (n == 0) break;  // the file shrank while being read
    nRead += static_cast<size_t>(n);
  }
  arrBytes.resize(nRead);
  return eREAD_RESULT::Ok;
}

COutputDevice::~COutputDevice() = default;

CAtomicFileWriter::CAtomicFileWriter(std::string strTarget) : m_strTarget(std::move(strTarget)) {}

CAtomicFileWriter::~CAtomicFileWriter() {
  Discard();
}

void CAtomicFileWriter::SetDeviceFactory(OutputDeviceFactory factory) {
  DeviceFactory() = std::move(factory);
}

bool CAtomicFileWriter::Open() {
  Discard();
  m_strError.clear();
  struct stat target {};
  const bool bExists = stat(m_strTarget.c_str(), &target) == 0;
  if (bExists) {
    if (S_ISDIR(target.st_mode)) return Fail(m_strTarget + " is a folder, not a file");
    if (!S_ISREG(target.st_mode)) return Fail(m_strTarget + " is not a regular file");
    // Opening without truncating proves the file may be written and leaves
    // its content alone.
    CFileDescriptor probe(OpenRetrying(m_strTarget.c_str(), O_WRONLY));
    if (!probe.IsOpen()) {
      return Fail(m_strTarget + " cannot be opened for writing (" + SystemError(errno) + ")");
    }
  }

  std::string strTemplate = m_strTarget + ".tmpXXXXXX";
  CFileDescriptor temp(mkostemp(strTemplate.data(), O_CLOEXEC));
  if (!temp.IsOpen()) {
    return Fail("cannot create a temporary file beside " + m_strTarget + " (" + SystemError(errno) +
                ")");
  }
  m_strTemp = std::move(strTemplate);
  // mkstemp creates the file for its owner only; the data file should end up
  // with the permissions an ordinary new file (or the replaced one) has.
  if (fchmod(temp.Get(), ModeForTarget(bExists ? &target : nullptr)) != 0) {
    return FailAndDiscard("cannot set the permissions of " + m_strTemp + " (" + SystemError(errno) +
                          ")");
  }
  temp.Close();

  m_pDevice = MakeDevice(m_strTemp);
  if (!m_pDevice) {
    Discard();
    return Fail("cannot open a temporary file beside " + m_strTarget);
  }
  return true;
}

bool CAtomicFileWriter::Commit(const std::vector<uint8_t>& arrBytes) {
  if (!m_pDevice) return Fail(m_strTarget + " was not opened for writing");
  if (!m_pDevice->Write(arrBytes.data(), arrBytes.size())) {
    return FailAndDiscard("writing " + m_strTemp + " failed: " + m_pDevice->Error());
  }
  if (!m_pDevice->Flush()) {
    return FailAndDiscard("flushing " + m_strTemp + " failed: " + m_pDevice->Error());
  }
  m_pDevice.reset();
  if (rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) {
    return FailAndDiscard("cannot replace " + m_strTarget + " (" + SystemError(errno) + ")");
  }
  m_strTemp.clear();
  SyncFolder();
  return true;
}

bool CAtomicFileWriter::Fail(std::string strError) {
  m_strError = std::move(strError);
  return false;
}

bool CAtomicFileWriter::FailAndDiscard(std::string strError) {
  Discard();
  return Fail(std::move(strError));
}

void CAtomicFileWriter::Discard() {
  m_pDevice.reset();
  if (!m_strTemp.empty()) {
    unlink(m_strTemp.c_str());
    m_strTemp.clear();
  }
}

void CAtomicFileWriter::SyncFolder() const {
  // Makes the rename itself durable; a failure here cannot undo the replaced
  // file any more, so it is not reported.
  const size_t nSlash = m_strTarget.rfind('/');
  const std::string strFolder =
      nSlash == std::string::npos ? "." : m_strTarget.substr(0, nSlash + 1);
  CFileDescriptor folder(OpenRetrying(strFolder.c_str(), O_RDONLY | O_DIRECTORY));
  if (folder.IsOpen()) fsync(folder.Get());
}

}  // namespace velkar
