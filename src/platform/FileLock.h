// CFileLock: an exclusive advisory lock (flock) on a file, held for the
// object's lifetime, so that programs changing a shared file one after the
// other never interleave. Another holder is waited for a short while, never
// for ever: a program that hangs with the lock must not freeze the others.
// The file is created when missing and left in place afterwards.
//
// FileLockLinux.cpp locks with flock. FileLockPortable.cpp, for other systems,
// only opens the file and always holds the "lock": that is right only where a
// single process writes the shared files, as a browser page does.
#pragma once

#include <chrono>
#include <string>

class CFileLock {
public:
  static constexpr std::chrono::seconds kWait{2};

  explicit CFileLock(const std::string& strPath);
  ~CFileLock();
  CFileLock(const CFileLock&) = delete;
  CFileLock& operator=(const CFileLock&) = delete;

  bool IsLocked() const { return m_nFd >= 0; }
  // Why the lock is not held, naming the file: "cannot lock PATH (another
  // program has held it for 2 seconds)".
  const std::string& Error() const { return m_strError; }

private:
  int m_nFd = -1;
  std::string m_strError;
};
