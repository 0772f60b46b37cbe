// Whole-file reading on POSIX descriptors. Every system call that can be
// interrupted is retried on EINTR, and partial reads are continued until done.
#include "platform/BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <new>

#include "platform/FileDescriptor.h"

namespace velkar {
namespace {

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

}  // namespace velkar
