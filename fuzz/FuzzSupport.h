// Helpers shared by the fuzz targets: a check that stops the run at once, and
// a scratch folder (in memory when the system offers one) with whole-file
// reads and writes for targets that go through the data files.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>

namespace fuzz {

// A broken invariant: libFuzzer reports the input as a crash.
inline void Require(bool bCondition) {
  if (!bCondition) __builtin_trap();
}

inline std::string MakeScratchFolder() {
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string strTemplate = (base / "velkar-fuzz-XXXXXX").string();
  Require(mkdtemp(strTemplate.data()) != nullptr);
  return strTemplate + "/";
}

inline void RemoveScratchFolder();

// One scratch folder for the whole run, removed at exit (registered after the
// name exists, so it runs before the name is destroyed).
inline const std::string& ScratchFolder() {
  static const std::string s_strFolder = MakeScratchFolder();
  static const bool s_bRemoveAtExit = std::atexit(RemoveScratchFolder) == 0;
  (void)s_bRemoveAtExit;
  return s_strFolder;
}

inline void RemoveScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(ScratchFolder(), ec);
}

inline void WriteFile(const std::string& strPath, std::string_view bytes) {
  std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out));
}

inline std::string ReadFile(const std::string& strPath) {
  std::ifstream in(strPath, std::ios::binary);
  Require(static_cast<bool>(in));
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fuzz
