// What both implementations of the atomic writer share: following the
// target's links, checking the target, writing, flushing and the rename.
#include "platform/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/FileDescriptor.h"
#include "platform/TempFileNames.h"

namespace velkar {
namespace {

OutputDeviceFactory& DeviceFactory() {
  static OutputDeviceFactory factory;
  return factory;
}

std::unique_ptr<COutputDevice> MakeDevice(int fd) {
  const OutputDeviceFactory& factory = DeviceFactory();
  if (factory) return factory(fd);
  return MakeFileOutputDevice(fd);
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

}  // namespace

CAtomicFileWriter::CAtomicFileWriter(std::string strPath) : m_strPath(std::move(strPath)) {}

CAtomicFileWriter::~CAtomicFileWriter() {
  Discard();
}

void CAtomicFileWriter::SetDeviceFactory(OutputDeviceFactory factory) {
  DeviceFactory() = std::move(factory);
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
  if (!OpenTemp(bExists ? &target : nullptr)) return false;
  m_pDevice = MakeDevice(m_fdTemp);
  if (!m_pDevice) return FailAndDiscard("cannot open a temporary file beside " + m_strTarget);
  return true;
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
  if (!NameTemp()) {
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

void CAtomicFileWriter::SyncFolder() const {
  // Makes the rename itself durable; a failure here cannot undo the replaced
  // file any more, so it is not reported.
  CFileDescriptor folder(OpenRetrying(FolderOf(m_strTarget).c_str(), O_RDONLY | O_DIRECTORY));
  if (folder.IsOpen()) fsync(folder.Get());
}

}  // namespace velkar
