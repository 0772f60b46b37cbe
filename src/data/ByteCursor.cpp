#include "data/ByteCursor.h"

#include <algorithm>

bool CByteCursor::Fail(eDATA_FILE_ERROR eKind, size_t nOffset, std::string strDetail) {
  if (!m_error) m_error = DataFileError_t{{}, eKind, nOffset, std::move(strDetail)};
  return false;
}

bool CByteCursor::ReadLittleEndian(size_t nWidth, uint32_t& nValue) {
  if (Remaining() < nWidth) return Fail(DATA_FILE_TRUNCATED, m_nPos, {});
  uint32_t nResult = 0;
  for (size_t i = 0; i < nWidth; ++i) {
    nResult |= static_cast<uint32_t>(m_bytes[m_nPos + i]) << (8 * i);
  }
  m_nPos += nWidth;
  nValue = nResult;
  return true;
}

bool CByteCursor::ReadU8(uint8_t& byValue) {
  uint32_t n = 0;
  if (!ReadLittleEndian(1, n)) return false;
  byValue = static_cast<uint8_t>(n);
  return true;
}

bool CByteCursor::ReadU16(uint16_t& wValue) {
  uint32_t n = 0;
  if (!ReadLittleEndian(2, n)) return false;
  wValue = static_cast<uint16_t>(n);
  return true;
}

bool CByteCursor::ReadU32(uint32_t& nValue) {
  return ReadLittleEndian(4, nValue);
}

bool CByteCursor::ReadI32(int32_t& nValue) {
  uint32_t n = 0;
  if (!ReadLittleEndian(4, n)) return false;
  nValue = static_cast<int32_t>(n);  // two's complement
  return true;
}

bool CByteCursor::ReadLine(std::string& strText) {
  const uint8_t* pBegin = m_bytes.data() + m_nPos;
  const uint8_t* pEnd = m_bytes.data() + m_bytes.size();
  const uint8_t* pStop =
      std::find_if(pBegin, pEnd, [](uint8_t by) { return by == '\r' || by == '\n'; });
  const size_t nLength = static_cast<size_t>(pStop - pBegin);
  const size_t nEnding = (pStop != pEnd && *pStop == '\r') ? 2 : 1;
  // No line end at all, or a CR as the very last byte.
  if (pStop == pEnd || Remaining() < nLength + nEnding)
    return Fail(DATA_FILE_TRUNCATED, m_nPos, {});
  strText.assign(reinterpret_cast<const char*>(pBegin), nLength);
  m_nPos += nLength + nEnding;
  return true;
}

bool CByteCursor::ReadCount(uint32_t& nCount, size_t nMinSize, std::string_view listName,
                            bool& bFits) {
  if (!ReadU32(nCount)) {
    if (m_error->strDetail.empty()) m_error->strDetail = "the " + std::string(listName) + " count";
    return false;
  }
  bFits = static_cast<uint64_t>(nCount) * nMinSize <= Remaining();
  return true;
}

void CByteCursor::BlameCount(size_t nOffset, std::string_view listName, uint32_t nCount) {
  m_error = DataFileError_t{{},
                            DATA_FILE_COUNT_TOO_LARGE,
                            nOffset,
                            "the " + std::string(listName) + " count " + std::to_string(nCount)};
}

void CByteCursor::AddContext(std::string_view recordName, uint32_t nIndex) {
  if (!m_error) return;
  std::string& strDetail = m_error->strDetail;
  strDetail += strDetail.empty() ? "" : " of ";
  strDetail += std::string(recordName) + " " + std::to_string(nIndex + 1);
}
