// Whole-file reading and the write-to-temporary-then-rename writer on POSIX
// descriptors. Every system call that can be interrupted is retried on EINTR,
// and partial reads and writes are continued until done.
//
// The temporary file of a write is unnamed (O_TMPFILE) wherever the file
// system allows it: a killed writer then leaves nothing. At commit it gets a
// name of the form "<target>.tmpXXXXXX" only for the moment between linkat and
// rename. Where O_TMPFILE is missing the temporary file is created under such
// a name at once. Either way the writer holds an exclusive flock on it, which
// the kernel drops when the writer dies, so the next writer of the target
// removes exactly the temporary files nobody holds any more.
#include "platform/BinaryFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <new>
#include <random>
#include <system_error>
#include <utility>

namespace velkar {
namespace {

std::string SystemError(int nErrno) {
  return std::strerror(nErrno);
}

// nMode is used only when the flags create a file (O_TMPFILE here).
int OpenRetrying(const char* pszPath, int nFlags, mode_t nMode = 0) {
  int fd = -1;
  do {
    fd = open(pszPath, nFlags | O_CLOEXEC, nMode);
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
  // Gives up ownership.
  int Release() { return std::exchange(m_fd, -1); }
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

// Writes to the temporary file's descriptor: every byte, then fsync on Flush.
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

bool& UnnamedTemps() {
  static bool bUnnamed = true;
  return bUnnamed;
}

OutputDeviceFactory& DeviceFactory() {
  static OutputDeviceFactory factory;
  return factory;
}

std::unique_ptr<COutputDevice> MakeDevice(int fd) {
  const OutputDeviceFactory& factory = DeviceFactory();
  if (factory) return factory(fd);
  return std::make_unique<CFileOutputDevice>(fd);
}

// The permissions a file newly created at that path would get: those of the
// file it replaces, else the usual 0666 less the process's umask.
mode_t ModeForTarget(const struct stat* pTarget) {
  if (pTarget != nullptr) return pTarget->st_mode & 07777;
#ifdef __EMSCRIPTEN__
  return 0644;  // emscripten's umask() answers 0777 whatever the host's is
#endif
  const mode_t nMask = umask(022);  // umask can only be read by setting it
  umask(nMask);
  return 0666 & ~nMask;
}

std::string KindOf(mode_t nMode) {
  if (S_ISDIR(nMode)) return "a folder";
  if (S_ISFIFO(nMode)) return "a FIFO";
  if (S_ISSOCK(nMode)) return "a socket";
  if (S_ISCHR(nMode) || S_ISBLK(nMode)) return "a device";
  return "not a regular file";
}

// Opens a file for reading without ever blocking (a FIFO without a writer
// would block a plain open, a device may block a read) and accepts it only as
// a regular file of at most nLimit bytes. Blocking is switched back on for
// the reads. -1 with failure set when the file is refused.
int OpenRegularFile(const std::string& strPath, uint64_t nLimit, struct stat& info,
                    ReadFailure_t& failure) {
  const int fd = OpenRetrying(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    const int nErrno = errno;
    struct stat entry {};
    if (nErrno == ENOENT || nErrno == ENOTDIR) {
      failure = {eREAD_RESULT::Missing, {}, 0};
    } else if (nErrno == ENXIO && stat(strPath.c_str(), &entry) == 0) {
      failure = {eREAD_RESULT::NotRegular, KindOf(entry.st_mode), 0};  // a socket
    } else {
      failure = {eREAD_RESULT::Unreadable, SystemError(nErrno), 0};
    }
    return -1;
  }
  CFileDescriptor file(fd);
  if (fstat(fd, &info) != 0) {
    failure = {eREAD_RESULT::Unreadable, SystemError(errno), 0};
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    failure = {eREAD_RESULT::NotRegular, KindOf(info.st_mode), 0};
    return -1;
  }
  const auto nSize = static_cast<uint64_t>(info.st_size);
  if (nSize > nLimit) {
    failure = {eREAD_RESULT::TooLarge, {}, nSize};
    return -1;
  }
  const int nFlags = fcntl(fd, F_GETFL);
  if (nFlags < 0 || fcntl(fd, F_SETFL, nFlags & ~O_NONBLOCK) != 0) {
    failure = {eREAD_RESULT::Unreadable, SystemError(errno), 0};
    return -1;
  }
  return file.Release();
}

// The folder of a path, ending with '/'.
std::string FolderOf(const std::string& strPath) {
  const size_t nSlash = strPath.rfind('/');
  return nSlash == std::string::npos ? "./" : strPath.substr(0, nSlash + 1);
}

std::string TempPrefix(const std::string& strTarget) {
  return strTarget + ".tmp";
}

constexpr size_t kTempSuffixLength = 6;  // as mkostemp's XXXXXX

std::string RandomSuffix() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 engine{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
  std::string strSuffix;
  for (size_t i = 0; i < kTempSuffixLength; ++i) strSuffix += kChars[pick(engine)];
  return strSuffix;
}

// As Linux's own limit on the links followed in one path.
constexpr int kMaxLinkHops = 40;

// The file a path finally names, each symbolic link followed (a relative one
// from the folder it lies in), so that a write replaces the file a link
// points to and the link stays a link. A dangling link names the file it
// points to, which the write then creates. False after too many links.
bool FollowLinks(const std::string& strPath, std::string& strFile) {
  strFile = strPath;
  for (int nHop = 0; nHop < kMaxLinkHops; ++nHop) {
    struct stat entry {};
    if (lstat(strFile.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return true;
    std::error_code ec;
    const std::filesystem::path target = std::filesystem::read_symlink(strFile, ec);
    if (ec) return true;  // the write names the error
    strFile = target.is_absolute() ? target.string() : FolderOf(strFile) + target.string();
  }
  return false;
}

// Removes the temporary files of earlier writes of strTarget whose writer is
// gone: a writer holds its flock until it commits or discards, and the kernel
// releases it when the writer is killed.
void RemoveStaleTemps(const std::string& strTarget) {
  const std::string strFolder = FolderOf(strTarget);
  const size_t nSlash = strTarget.rfind('/');
  const std::string strPrefix =
      TempPrefix(nSlash == std::string::npos ? strTarget : strTarget.substr(nSlash + 1));
  DIR* pDir = opendir(strFolder.c_str());
  if (pDir == nullptr) return;
  while (const dirent* pEntry = readdir(pDir)) {
    const std::string strName = pEntry->d_name;
    if (strName.size() != strPrefix.size() + kTempSuffixLength || !strName.starts_with(strPrefix)) {
      continue;
    }
    const std::string strPath = strFolder + strName;
    CFileDescriptor temp(OpenRetrying(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW));
    struct stat info {};
    if (temp.IsOpen() && fstat(temp.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
        flock(temp.Get(), LOCK_EX | LOCK_NB) == 0) {
      unlink(strPath.c_str());
    }
  }
  closedir(pDir);
}

}  // namespace

eREAD_RESULT ReadWholeFile(const std::string& strPath, std::vector<uint8_t>& arrBytes,
                           ReadFailure_t& failure, uint64_t nLimit) {
  arrBytes.clear();
  failure = ReadFailure_t{};
  struct stat info {};
  CFileDescriptor file(OpenRegularFile(strPath, nLimit, info, failure));
  if (!file.IsOpen()) return failure.eResult;
  // The size the file system reports bounds the read, so the buffer never
  // depends on anything the file itself claims.
  const auto nSize = static_cast<size_t>(info.st_size);
  try {
    arrBytes.resize(nSize);
  } catch (const std::bad_alloc&) {
    failure = {eREAD_RESULT::OutOfMemory, {}, nSize};
    return failure.eResult;
  }
  size_t nRead = 0;
  while (nRead < arrBytes.size()) {
    const ssize_t n = read(file.Get(), arrBytes.data() + nRead,
                           std::min<size_t>(arrBytes.size() - nRead, SSIZE_MAX));
    if (n < 0) {
      if (errno == EINTR) continue;
      failure = {eREAD_RESULT::Unreadable, SystemError(errno), 0};
      arrBytes.clear();
      return failure.eResult;
    }
    if (n == 0) break;  // the file shrank while being read
    nRead += static_cast<size_t>(n);
  }
  arrBytes.resize(nRead);
  return eREAD_RESULT::Ok;
}

COutputDevice::~COutputDevice() = default;

CAtomicFileWriter::CAtomicFileWriter(std::string strPath) : m_strPath(std::move(strPath)) {}

CAtomicFileWriter::~CAtomicFileWriter() {
  Discard();
}

void CAtomicFileWriter::SetDeviceFactory(OutputDeviceFactory factory) {
  DeviceFactory() = std::move(factory);
}

void CAtomicFileWriter::SetUnnamedTemps(bool bUnnamed) {
  UnnamedTemps() = bUnnamed;
}

bool CAtomicFileWriter::Open() {
  Discard();
  m_strError.clear();
  if (!FollowLinks(m_strPath, m_strTarget)) {
    return Fail(m_strPath + " leads through too many symbolic links");
  }
  struct stat target {};
  const bool bExists = stat(m_strTarget.c_str(), &target) == 0;
  if (bExists) {
    if (S_ISDIR(target.st_mode)) return Fail(m_strTarget + " is a folder, not a file");
    if (!S_ISREG(target.st_mode)) return Fail(m_strTarget + " is not a regular file");
    // Opening without truncating proves the file may be written and leaves
    // its content alone.
    CFileDescriptor probe(OpenRetrying(m_strTarget.c_str(), O_WRONLY | O_NONBLOCK));
    if (!probe.IsOpen()) {
      return Fail(m_strTarget + " cannot be opened for writing (" + SystemError(errno) + ")");
    }
  }
  RemoveStaleTemps(m_strTarget);

  const mode_t nMode = ModeForTarget(bExists ? &target : nullptr);
  // linkat of an unnamed file goes through /proc/self/fd; without /proc the
  // file needs a name from the start.
  if (UnnamedTemps() && access("/proc/self/fd", X_OK) == 0) {
    m_fdTemp = OpenRetrying(FolderOf(m_strTarget).c_str(), O_TMPFILE | O_WRONLY, 0600);
  }
  if (m_fdTemp >= 0 && flock(m_fdTemp, LOCK_EX) != 0) {
    return FailAndDiscard("cannot lock a temporary file beside " + m_strTarget + " (" +
                          SystemError(errno) + ")");
  }
  if (m_fdTemp < 0 && !OpenNamedTemp()) return false;
  // O_TMPFILE and mkostemp apply the umask or the owner-only mode; the data
  // file should end up with the permissions an ordinary new file (or the
  // replaced one) has.
  if (fchmod(m_fdTemp, nMode) != 0) {
    return FailAndDiscard("cannot prepare a temporary file beside " + m_strTarget + " (" +
                          SystemError(errno) + ")");
  }
  m_pDevice = MakeDevice(m_fdTemp);
  if (!m_pDevice) return FailAndDiscard("cannot open a temporary file beside " + m_strTarget);
  return true;
}

bool CAtomicFileWriter::OpenNamedTemp() {
  // Another writer may take the new file for a stale one in the moment
  // before it is locked; once locked, a file still linked is safely ours.
  for (int nTry = 0; nTry < 100; ++nTry) {
    std::string strTemplate = TempPrefix(m_strTarget) + std::string(kTempSuffixLength, 'X');
    CFileDescriptor temp(mkostemp(strTemplate.data(), O_CLOEXEC));
    if (!temp.IsOpen()) {
      return Fail("cannot create a temporary file beside " + m_strTarget + " (" +
                  SystemError(errno) + ")");
    }
    struct stat info {};
    if (flock(temp.Get(), LOCK_EX) == 0 && fstat(temp.Get(), &info) == 0 && info.st_nlink > 0) {
      m_fdTemp = temp.Release();
      m_strTemp = std::move(strTemplate);
      return true;
    }
  }
  return Fail("cannot keep a temporary file beside " + m_strTarget);
}

bool CAtomicFileWriter::LinkUnnamedTemp() {
  const std::string strProc = "/proc/self/fd/" + std::to_string(m_fdTemp);
  int nErrno = EEXIST;
  for (int nTry = 0; nTry < 100 && nErrno == EEXIST; ++nTry) {
    std::string strName = TempPrefix(m_strTarget) + RandomSuffix();
    if (linkat(AT_FDCWD, strProc.c_str(), AT_FDCWD, strName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      m_strTemp = std::move(strName);
      return true;
    }
    nErrno = errno;
  }
  return Fail("cannot give the temporary file beside " + m_strTarget + " a name (" +
              SystemError(nErrno) + ")");
}

bool CAtomicFileWriter::Commit(const std::vector<uint8_t>& arrBytes) {
  if (!m_pDevice) return Fail(m_strPath + " was not opened for writing");
  if (!m_pDevice->Write(arrBytes.data(), arrBytes.size())) {
    return FailAndDiscard("writing the new " + m_strTarget + " failed: " + m_pDevice->Error());
  }
  if (!m_pDevice->Flush()) {
    return FailAndDiscard("flushing the new " + m_strTarget + " failed: " + m_pDevice->Error());
  }
  m_pDevice.reset();
  if (m_strTemp.empty() && !LinkUnnamedTemp()) {
    const std::string strError = m_strError;
    return FailAndDiscard(strError);
  }
  if (rename(m_strTemp.c_str(), m_strTarget.c_str()) != 0) {
    return FailAndDiscard("cannot replace " + m_strTarget + " (" + SystemError(errno) + ")");
  }
  m_strTemp.clear();
  Discard();
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
  // The name goes before the descriptor (and with it the lock), so that no
  // other writer can take the file for a stale one while it still has a name.
  if (!m_strTemp.empty()) {
    unlink(m_strTemp.c_str());
    m_strTemp.clear();
  }
  if (m_fdTemp >= 0) close(std::exchange(m_fdTemp, -1));
}

void CAtomicFileWriter::SyncFolder() const {
  // Makes the rename itself durable; a failure here cannot undo the replaced
  // file any more, so it is not reported.
  CFileDescriptor folder(OpenRetrying(FolderOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY));
  if (folder.IsOpen()) fsync(folder.Get());
}

}  // namespace velkar
