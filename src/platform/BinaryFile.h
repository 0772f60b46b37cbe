// Reading and writing whole binary files. Reading gives the bytes or an error;
// writing goes to a temporary file in the same folder that replaces the target
// only after every byte is written and flushed, so a failed write never
// destroys the previous file.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velkar {

enum class eREAD_RESULT { Ok, Missing, Unreadable };

// Reads a whole file; as many bytes as the file system says the file holds,
// whatever the file claims. strError gets an English reason naming the file
// for Unreadable; a missing file or folder is Missing.
eREAD_RESULT ReadWholeFile(const std::string& strPath, std::vector<uint8_t>& arrBytes,
                           std::string& strError);

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

// Opens the device for a temporary file (which exists, empty); the default
// writes to disk.
using OutputDeviceFactory =
    std::function<std::unique_ptr<COutputDevice>(const std::string& strPath)>;

class CAtomicFileWriter {
public:
  explicit CAtomicFileWriter(std::string strTarget);
  ~CAtomicFileWriter();  // removes the temporary file unless committed

  CAtomicFileWriter(const CAtomicFileWriter&) = delete;
  CAtomicFileWriter& operator=(const CAtomicFileWriter&) = delete;

  // Checks that the target can be written (an existing target must be a
  // writable file, its folder must accept a new file) and creates the
  // temporary file. False, with Error() set, when it cannot.
  bool Open();

  // Writes everything, flushes and renames the temporary file over the target.
  bool Commit(const std::vector<uint8_t>& arrBytes);

  const std::string& Error() const { return m_strError; }

  // Replaces how temporary files are written (tests); an empty function
  // restores the default.
  static void SetDeviceFactory(OutputDeviceFactory factory);

private:
  bool Fail(std::string strError);
  bool FailAndDiscard(std::string strError);
  void Discard();  // drops the device and removes the temporary file
  void SyncFolder() const;

  std::string m_strTarget;
  std::string m_strTemp;
  std::unique_ptr<COutputDevice> m_pDevice;
  std::string m_strError;
};

}  // namespace velkar
