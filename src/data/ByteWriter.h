// CByteWriter: builds the bytes of a data file in memory, little-endian, in
// the encodings the loaders read back (see CByteCursor).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

class CByteWriter {
public:
  void PutU8(uint8_t byValue) { m_arrByte.push_back(byValue); }
  void PutU16(uint16_t wValue);
  void PutU32(uint32_t nValue) {
    for (size_t i = 0; i < 4; ++i) m_arrByte.push_back(static_cast<uint8_t>(nValue >> (8 * i)));
  }
  void PutI32(int32_t nValue) { PutU32(static_cast<uint32_t>(nValue)); }

  // A list's count, always a plain 4-byte value.
  void PutCount(size_t nCount) { PutU32(static_cast<uint32_t>(nCount)); }

  // The text's bytes, then CR LF; no terminating zero, no length.
  void PutLine(std::string_view text);

  const std::vector<uint8_t>& Bytes() const { return m_arrByte; }
  std::vector<uint8_t> TakeBytes() { return std::move(m_arrByte); }

private:
  std::vector<uint8_t> m_arrByte;
};
