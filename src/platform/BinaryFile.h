// Reading whole binary files on every system: opens without blocking,
// accepts only regular files of a sane size and never lets an allocation
// failure escape. Writing is CAtomicFileWriter's (platform/AtomicFileWriter.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velkar {

// Far above any real game's data; a larger file is refused before any
// allocation.
inline constexpr uint64_t kMaxReadBytes = uint64_t{64} * 1024 * 1024;

enum class eREAD_RESULT { Ok, Missing, Unreadable, NotRegular, TooLarge, OutOfMemory };

struct ReadFailure_t {
  eREAD_RESULT eResult = eREAD_RESULT::Ok;
  // Unreadable: the system's reason; NotRegular: what is there instead
  // ("a folder", "a FIFO", "a device", "a socket").
  std::string strDetail;
  uint64_t nSize = 0;  // TooLarge, OutOfMemory: the file's size
};

// Reads a whole file; as many bytes as the file system says the file holds,
// whatever the file claims. The file is opened without blocking (a FIFO
// without a writer never hangs) and must be a regular file of at most nLimit
// bytes. A missing file or folder is Missing.
eREAD_RESULT ReadWholeFile(const std::string& strPath, std::vector<uint8_t>& arrBytes,
                           ReadFailure_t& failure, uint64_t nLimit = kMaxReadBytes);

}  // namespace velkar
