// The atomic writer's temporary file for systems other than Linux (the
// browser's file system among them), on nothing but open, fchmod, unlink and
// rename: a uniquely named file created exclusively beside the target. There
// is no lock to tell a live writer's file from a killed one's, so this
// process remembers the targets it is writing, and the temporary files of any
// other target are stale: right where only one process writes these files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <set>
#include <utility>

#include "platform/AtomicFileWriter.h"
#include "platform/FileDescriptor.h"
#include "platform/TempFileNames.h"

namespace velkar {
namespace {

// A new file's permissions; the system's umask is not asked (emscripten's
// answers 0777 whatever the host's is).
constexpr mode_t kNewFileMode = 0644;

// The targets this process has an open writer of, once per writer.
class CTargetsInWriting {
public:
  // Adds strTarget and tells whether no other writer of it was open.
  bool Enter(const std::string& strTarget) {
    const std::lock_guard lock(m_mutex);
    const bool bFirst = !m_setTarget.contains(strTarget);
    m_setTarget.insert(strTarget);
    return bFirst;
  }

  void Leave(const std::string& strTarget) {
    const std::lock_guard lock(m_mutex);
    const auto it = m_setTarget.find(strTarget);
    if (it != m_setTarget.end()) m_setTarget.erase(it);
  }

private:
  std::mutex m_mutex;
  std::multiset<std::string> m_setTarget;
};

CTargetsInWriting& TargetsInWriting() {
  static CTargetsInWriting targets;
  return targets;
}

void RemoveStaleTemps(const std::string& strTarget) {
  for (const std::string& strPath : TempFilesOf(strTarget)) {
    struct stat info {};
    if (lstat(strPath.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(strPath.c_str());
  }
}

}  // namespace

bool CAtomicFileWriter::OpenTemp(const struct stat* pTarget) {
  if (TargetsInWriting().Enter(m_strTarget)) RemoveStaleTemps(m_strTarget);
  const mode_t nMode = pTarget != nullptr ? pTarget->st_mode & 07777 : kNewFileMode;
  int nErrno = EEXIST;
  for (int nTry = 0; nTry < 100 && m_fdTemp < 0 && nErrno == EEXIST; ++nTry) {
    std::string strName = NewTempName(m_strTarget);
    m_fdTemp = OpenRetrying(strName.c_str(), O_WRONLY | O_CREAT | O_EXCL, nMode);
    nErrno = errno;
    if (m_fdTemp >= 0) m_strTemp = std::move(strName);
  }
  if (m_fdTemp < 0) {
    TargetsInWriting().Leave(m_strTarget);
    return Fail("cannot create a temporary file beside " + m_strTarget + " (" +
                SystemError(nErrno) + ")");
  }
  // open applies the umask; the file gets exactly the permissions wanted.
  if (fchmod(m_fdTemp, nMode) != 0) {
    return FailAndDiscard("cannot prepare a temporary file beside " + m_strTarget + " (" +
                          SystemError(errno) + ")");
  }
  return true;
}

bool CAtomicFileWriter::NameTemp() {
  return true;  // named from the start
}

void CAtomicFileWriter::Discard() {
  m_pDevice.reset();
  if (!m_strTemp.empty()) {
    unlink(m_strTemp.c_str());
    m_strTemp.clear();
  }
  if (m_fdTemp >= 0) {
    close(std::exchange(m_fdTemp, -1));
    TargetsInWriting().Leave(m_strTarget);
  }
}

}  // namespace velkar
