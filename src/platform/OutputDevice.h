// Where the bytes of an atomic write go: the temporary file's descriptor by
// default; tests substitute a device that fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace velkar {

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
// owned by the writer).
using OutputDeviceFactory = std::function<std::unique_ptr<COutputDevice>(int fd)>;

// The default device: every byte to the descriptor, then fsync on Flush.
std::unique_ptr<COutputDevice> MakeFileOutputDevice(int fd);

}  // namespace velkar
