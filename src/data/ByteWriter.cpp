#include "data/ByteWriter.h"

void CByteWriter::PutU16(uint16_t wValue) {
  m_arrByte.push_back(static_cast<uint8_t>(wValue & 0xFFu));
  m_arrByte.push_back(static_cast<uint8_t>(wValue >> 8));
}

void CByteWriter::PutLine(std::string_view text) {
  m_arrByte.insert(m_arrByte.end(), text.begin(), text.end());
  m_arrByte.push_back('\r');
  m_arrByte.push_back('\n');
}
