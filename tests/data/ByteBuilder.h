// Hand-built data file bytes for the data tests, independent of the writer
// under test: little-endian values and CR LF terminated names, appended in the
// order they are called.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class CByteBuilder {
public:
  CByteBuilder& U8(uint8_t by) { return Put(by, 1); }
  CByteBuilder& U16(uint16_t w) { return Put(w, 2); }
  CByteBuilder& U32(uint32_t n) { return Put(n, 4); }
  CByteBuilder& I32(int32_t n) { return Put(static_cast<uint32_t>(n), 4); }
  CByteBuilder& Line(std::string_view text) { return Raw(text).Raw("\r\n"); }
  CByteBuilder& Raw(std::string_view bytes) {
    m_arrByte.insert(m_arrByte.end(), bytes.begin(), bytes.end());
    return *this;
  }

  const std::vector<uint8_t>& Bytes() const { return m_arrByte; }

private:
  CByteBuilder& Put(uint32_t n, int nWidth) {
    for (int i = 0; i < nWidth; ++i) m_arrByte.push_back(static_cast<uint8_t>(n >> (8 * i)));
    return *this;
  }

  std::vector<uint8_t> m_arrByte;
};
