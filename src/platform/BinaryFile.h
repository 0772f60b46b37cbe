// Reading and writing whole binary files. Reading opens without blocking,
// accepts only regular files of a sane size and never lets an allocation
// failure escape; writing goes to an unnamed (or, where the file system lacks
// those, a locked named) temporary file in the same folder that replaces the
// target only after every byte is written and flushed, so a failed or killed
// write never destroys the previous file and leaves nothing behind. A target
// that is a symbolic link keeps being one: the file it points to is replaced.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
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

// Where the bytes of an atomic write go; tests substitute one that fails.
class COutputDevice {
public:
  virtual ~COutputDevice();
  // Writes all nSize bytes; false when any of them could not be written.
  virtual bool Write(const uint8_t* pData, size_t nSize) = 0;
  // Makes everything written durable and finishes the device.
  virtual bool Flush() = 0;
  // An English reason for the last failure.
  virtual std::string Error() const = 0;
};

// Makes the device for the descriptor of the temporary file (open, empty,
// owned by the writer); the default writes to it.
using OutputDeviceFactory = std::function<std::unique_ptr<COutputDevice>(int fd)>;

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

  // Whether to try an unnamed temporary file first (the default); tests turn
  // it off to take the path of file systems without O_TMPFILE.
  static void SetUnnamedTemps(bool bUnnamed);

private:
  bool Fail(std::string strError);
  bool FailAndDiscard(std::string strError);
  bool OpenNamedTemp();
  bool LinkUnnamedTemp();
  void Discard();  // drops the device and the temporary file
  void SyncFolder() const;

  std::string m_strPath;    // as given
  std::string m_strTarget;  // the file replaced: m_strPath with its links followed
  std::string m_strTemp;    // the temporary file's name once it has one
  int m_fdTemp = -1;        // holds an exclusive flock while open
  std::unique_ptr<COutputDevice> m_pDevice;
  std::string m_strError;
};

}  // namespace velkar
