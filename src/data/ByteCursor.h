// CByteCursor: reads the values of a data file from its bytes in memory,
// little-endian, checking every read against the end of the bytes. The first
// read that does not fit is kept as the cursor's error, with the offset of the
// field that could not be read; the readers then add which record it was in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/DataFileError.h"

class CByteCursor {
public:
  explicit CByteCursor(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

  bool ReadU8(uint8_t& byValue);
  bool ReadU16(uint16_t& wValue);
  bool ReadU32(uint32_t& nValue);
  bool ReadI32(int32_t& nValue);

  // A line string: the bytes up to the first CR or LF; after a CR the next
  // byte (the LF the writer puts there) is consumed as well. Fails when the
  // bytes end before the line does.
  bool ReadLine(std::string& strText);

  // A list's 4-byte count, accepted only when that many records of at least
  // nMinSize bytes each fit in what is left: a count is a promise, and is
  // checked before it drives any work or memory.
  bool ReadCount(uint32_t& nCount, size_t nMinSize, std::string_view listName);

  // After a failure: names the record that was being read, e.g. "weapon 3";
  // called from the innermost record outwards ("region 2 of monster 1").
  void AddContext(std::string_view recordName, uint32_t nIndex);

  // The first failure, without the file's path.
  const std::optional<DataFileError_t>& Error() const { return m_error; }

  size_t Offset() const { return m_nPos; }
  size_t Remaining() const { return m_bytes.size() - m_nPos; }

private:
  bool ReadLittleEndian(size_t nWidth, uint32_t& nValue);
  bool Fail(eDATA_FILE_ERROR eKind, size_t nOffset, std::string strDetail);

  std::span<const uint8_t> m_bytes;
  size_t m_nPos = 0;
  std::optional<DataFileError_t> m_error;
};

// Reads a counted list: the count, checked against nMinSize bytes a record,
// then records through readRecord(cursor, record) until the count is reached
// or a read fails. Completed records are appended; false on a failure, with
// the record's place added to the cursor's error.
template <typename Record, typename ReadRecord>
bool ReadCountedList(CByteCursor& cursor, std::string_view listName, size_t nMinSize,
                     ReadRecord readRecord, std::vector<Record>& arrRecord) {
  uint32_t nCount = 0;
  if (!cursor.ReadCount(nCount, nMinSize, listName)) return false;
  for (uint32_t i = 0; i < nCount; ++i) {
    Record record;
    if (!readRecord(cursor, record)) {
      cursor.AddContext(listName, i);
      return false;
    }
    arrRecord.push_back(std::move(record));
  }
  return true;
}
