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

  // A list's 4-byte count. A count is a promise, not a size: it never decides
  // memory, and the records are read one by one until the bytes end. bFits
  // tells whether nCount records of at least nMinSize bytes each fit in what
  // is left, so that a failure inside the list can blame the count.
  bool ReadCount(uint32_t& nCount, size_t nMinSize, std::string_view listName, bool& bFits);

  // Makes the failure the count's: the count read at nOffset promised more
  // records than the file holds.
  void BlameCount(size_t nOffset, std::string_view listName, uint32_t nCount);

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

// Reads a counted list: the count, then records through
// readRecord(cursor, record) until the count is reached or a read fails.
// Every completed record is appended, also those before a failure; false on
// a failure, with the record's place added to the cursor's error, or the
// count blamed when it promised more than the file could hold.
template <typename Record, typename ReadRecord>
bool ReadCountedList(CByteCursor& cursor, std::string_view listName, size_t nMinSize,
                     ReadRecord readRecord, std::vector<Record>& arrRecord) {
  const size_t nCountOffset = cursor.Offset();
  uint32_t nCount = 0;
  bool bFits = false;
  if (!cursor.ReadCount(nCount, nMinSize, listName, bFits)) return false;
  for (uint32_t i = 0; i < nCount; ++i) {
    Record record;
    if (!readRecord(cursor, record)) {
      if (bFits) {
        cursor.AddContext(listName, i);
      } else {
        cursor.BlameCount(nCountOffset, listName, nCount);
      }
      return false;
    }
    arrRecord.push_back(std::move(record));
  }
  return true;
}
