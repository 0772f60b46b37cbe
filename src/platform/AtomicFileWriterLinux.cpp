// The Linux temporary file of the atomic writer. It is unnamed (O_TMPFILE)
// wherever the file system allows it: a killed writer then leaves nothing. At
// commit it gets a name only for the moment between linkat and rename. Where
// O_TMPFILE is missing the temporary file is created under such a name at
// once. Either way the writer holds an exclusive flock on it, which the
// kernel drops when the writer dies, so the next writer of the target removes
// exactly the temporary files nobody holds any more.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/AtomicFileWriter.h"
#include "platform/FileDescriptor.h"
#include "platform/TempFileNames.h"

namespace velkar {
namespace {

bool& UnnamedTemps() {
  static bool bUnnamed = true;
  return bUnnamed;
}

// The permissions a file newly created at that path would get: those of the
// file it replaces, else the usual 0666 less the process's umask.
mode_t ModeForTarget(const struct stat* pTarget) {
  if (pTarget != nullptr) return pTarget->st_mode & 07777;
  const mode_t nMask = umask(022);  // umask can only be read by setting it
  umask(nMask);
  return 0666 & ~nMask;
}

// Removes the temporary files of earlier writes of strTarget whose writer is
// gone: a writer holds its flock until it commits or discards, and the kernel
// releases it when the writer is killed.
void RemoveStaleTemps(const std::string& strTarget) {
  for (const std::string& strPath : TempFilesOf(strTarget)) {
    const CFileDescriptor temp(OpenRetrying(strPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW));
    struct stat info {};
    if (temp.IsOpen() && fstat(temp.Get(), &info) == 0 && S_ISREG(info.st_mode) &&
        flock(temp.Get(), LOCK_EX | LOCK_NB) == 0) {
      unlink(strPath.c_str());
    }
  }
}

// Another writer may take a new named file for a stale one in the moment
// before it is locked; once locked, a file still linked is safely ours. -1
// with strError set when no file could be kept.
int OpenNamedTemp(const std::string& strTarget, std::string& strTemp, std::string& strError) {
  for (int nTry = 0; nTry < 100; ++nTry) {
    std::string strTemplate = TempNameTemplate(strTarget);
    CFileDescriptor temp(mkostemp(strTemplate.data(), O_CLOEXEC));
    if (!temp.IsOpen()) {
      strError =
          "cannot create a temporary file beside " + strTarget + " (" + SystemError(errno) + ")";
      return -1;
    }
    struct stat info {};
    if (flock(temp.Get(), LOCK_EX) == 0 && fstat(temp.Get(), &info) == 0 && info.st_nlink > 0) {
      strTemp = std::move(strTemplate);
      return temp.Release();
    }
  }
  strError = "cannot keep a temporary file beside " + strTarget;
  return -1;
}

}  // namespace

void CAtomicFileWriter::SetUnnamedTemps(bool bUnnamed) {
  UnnamedTemps() = bUnnamed;
}

bool CAtomicFileWriter::OpenTemp(const struct stat* pTarget) {
  RemoveStaleTemps(m_strTarget);
  // linkat of an unnamed file goes through /proc/self/fd; without /proc the
  // file needs a name from the start.
  if (UnnamedTemps() && access("/proc/self/fd", X_OK) == 0) {
    m_fdTemp = OpenRetrying(FolderOf(m_strTarget).c_str(), O_TMPFILE | O_WRONLY, 0600);
  }
  if (m_fdTemp >= 0 && flock(m_fdTemp, LOCK_EX) != 0) {
    return FailAndDiscard("cannot lock a temporary file beside " + m_strTarget + " (" +
                          SystemError(errno) + ")");
  }
  if (m_fdTemp < 0) {
    std::string strError;
    m_fdTemp = OpenNamedTemp(m_strTarget, m_strTemp, strError);
    if (m_fdTemp < 0) return Fail(std::move(strError));
  }
  // O_TMPFILE and mkostemp apply the umask or the owner-only mode; the data
  // file should end up with the permissions an ordinary new file (or the
  // replaced one) has.
  if (fchmod(m_fdTemp, ModeForTarget(pTarget)) != 0) {
    return FailAndDiscard("cannot prepare a temporary file beside " + m_strTarget + " (" +
                          SystemError(errno) + ")");
  }
  return true;
}

bool CAtomicFileWriter::NameTemp() {
  if (!m_strTemp.empty()) return true;
  const std::string strProc = "/proc/self/fd/" + std::to_string(m_fdTemp);
  int nErrno = EEXIST;
  for (int nTry = 0; nTry < 100 && nErrno == EEXIST; ++nTry) {
    std::string strName = NewTempName(m_strTarget);
    if (linkat(AT_FDCWD, strProc.c_str(), AT_FDCWD, strName.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      m_strTemp = std::move(strName);
      return true;
    }
    nErrno = errno;
  }
  return Fail("cannot give the temporary file beside " + m_strTarget + " a name (" +
              SystemError(nErrno) + ")");
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

}  // namespace velkar
