// Test support for the hostile cases of file handling: files that are not
// regular files, sparse files far above any size limit, a writer that fails
// after N bytes, and a check run in a child process, whose address space may be
// limited so that an allocation failure can be provoked without harming the
// test program. Header-only; POSIX.
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/OutputDevice.h"

// What a hostile file in a data or source file's place is.
enum class eHOSTILE { FIFO, FOLDER, DEVICE, SPARSE_2GB };

inline void MakeHostileFile(eHOSTILE eKind, const std::string& strPath) {
  switch (eKind) {
    case eHOSTILE::FIFO:
      if (mkfifo(strPath.c_str(), 0644) != 0) throw std::runtime_error("mkfifo " + strPath);
      return;
    case eHOSTILE::FOLDER:
      if (mkdir(strPath.c_str(), 0755) != 0) throw std::runtime_error("mkdir " + strPath);
      return;
    case eHOSTILE::DEVICE:
      if (symlink("/dev/zero", strPath.c_str()) != 0) throw std::runtime_error("symlink");
      return;
    case eHOSTILE::SPARSE_2GB:
      std::ofstream(strPath, std::ios::binary).close();
      if (truncate(strPath.c_str(), off_t{1} << 31) != 0) throw std::runtime_error("truncate");
      return;
  }
}

// Writes the first nBudget bytes to the temporary file for real, then fails;
// optionally fails the flush as well.
class CFailingDevice final : public velkar::COutputDevice {
public:
  CFailingDevice(int fd, size_t nBudget, bool bFailFlush)
      : m_fd(fd), m_nBudget(nBudget), m_bFailFlush(bFailFlush) {}

  bool Write(const uint8_t* pData, size_t nSize) override {
    const size_t nNow = std::min(nSize, m_nBudget);
    if (nNow > 0 && write(m_fd, pData, nNow) != static_cast<ssize_t>(nNow)) return false;
    m_nBudget -= nNow;
    return nNow == nSize;
  }
  bool Flush() override { return !m_bFailFlush; }
  std::string Error() const override { return "no space left on the test device"; }

private:
  int m_fd;
  size_t m_nBudget;
  bool m_bFailFlush;
};

// Whether the build runs under a sanitizer, whose shadow memory does not fit
// in a limited address space.
constexpr bool kSanitized =
#if defined(__SANITIZE_ADDRESS__)
    true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
    true;
#else
    false;
#endif
#else
    false;
#endif

// Runs check in a forked child; whether it ended normally and said yes.
inline bool ChildSucceeds(const std::function<bool()>& check) {
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) _exit(check() ? 0 : 1);
  int nStatus = 0;
  if (waitpid(pid, &nStatus, 0) != pid) throw std::runtime_error("waitpid failed");
  return WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}

// Runs check in a forked child whose address space may grow by nExtraBytes
// beyond what it holds now; the child's answer, or false when it crashed.
inline bool RunWithAddressSpaceLimit(uint64_t nExtraBytes, const std::function<bool()>& check) {
  return ChildSucceeds([&] {
    uint64_t nPages = 0;
    std::ifstream("/proc/self/statm") >> nPages;
    const uint64_t nNow = nPages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    const rlimit limit{nNow + nExtraBytes, nNow + nExtraBytes};
    return setrlimit(RLIMIT_AS, &limit) == 0 && check();
  });
}
