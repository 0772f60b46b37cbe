// CAtomicFileWriter: writes a whole file through a temporary file in the same
// folder that replaces the target only after every byte is written and
// flushed, so a failed or killed write never destroys the previous file. A
// target that is a symbolic link keeps being one: the file it points to is
// replaced. A new file gets the permissions of an ordinary new file, a
// replaced one keeps its own.
//
// The build picks one of two implementations of the temporary file:
// - on Linux (AtomicFileWriterLinux.cpp) it is unnamed (O_TMPFILE, named
//   only for the moment of the rename) or, where the file system lacks those,
//   named at once; the writer holds an exclusive flock on it, so the next
//   writer of the target removes exactly the ones whose writer was killed. A
//   new file's permissions are 0666 less the umask.
// - elsewhere (AtomicFileWriterPortable.cpp) it is named at once and created
//   exclusively; a new file gets 0644, whatever the system's umask says.
//   Temporary files left by a killed writer are removed by the next writer of
//   the target unless this process is writing it, which is right only where
//   one process writes the files (a browser page).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/OutputDevice.h"

struct stat;

namespace velkar {

class CAtomicFileWriter {
public:
  // strPath may be a symbolic link (or a chain of them): Open follows it.
  explicit CAtomicFileWriter(std::string strPath);
  ~CAtomicFileWriter();  // removes the temporary file unless committed

  CAtomicFileWriter(const CAtomicFileWriter&) = delete;
  CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

  // Checks that the target can be written (an existing target must be a
  // writable file, its folder must accept a new file), removes temporary
  // files that killed writers left beside it, and creates the temporary
  // file. False, with Error() set, when it cannot.
  bool Open();

  // Writes everything, flushes and puts the temporary file in the target's
  // place in one rename.
  bool Commit(const std::vector<uint8_t>& arrBytes);

  const std::string& Error() const { return m_strError; }

  // Replaces how temporary files are written (tests); an empty function
  // restores the default.
  static void SetDeviceFactory(OutputDeviceFactory factory);

  // Linux only: whether to try an unnamed temporary file first (the
  // default); tests turn it off to take the path of file systems without
  // O_TMPFILE.
  static void SetUnnamedTemps(bool bUnnamed);

private:
  bool Fail(std::string strError);
  bool FailAndDiscard(std::string strError);
  void SyncFolder() const;

  // What each implementation does its own way.
  // Removes stale temporary files and creates m_fdTemp (and m_strTemp when
  // it is named) with the permissions for a target whose status is pTarget
  // (null when it does not exist yet).
  bool OpenTemp(const struct stat* pTarget);
  // Gives the temporary file a name for the rename when it has none yet.
  bool NameTemp();
  // Drops the device and the temporary file.
  void Discard();

  std::string m_strPath;    // as given
  std::string m_strTarget;  // the file replaced: m_strPath with its links followed
  std::string m_strTemp;    // the temporary file's name once it has one
  int m_fdTemp = -1;
  std::unique_ptr<COutputDevice> m_pDevice;
  std::string m_strError;
};

}  // namespace velkar
