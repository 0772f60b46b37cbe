#include "platform/Crc32.h"

#include <array>

namespace velkar {

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
  std::array<uint32_t, 256> arrTable{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t nValue = n;
    for (int nBit = 0; nBit < 8; ++nBit) {
      nValue = (nValue & 1U) != 0 ? 0xEDB88320U ^ (nValue >> 1) : nValue >> 1;
    }
    arrTable[n] = nValue;
  }
  return arrTable;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t nCrc) {
  nCrc = ~nCrc;
  for (const uint8_t byValue : bytes) nCrc = kTable[(nCrc ^ byValue) & 0xFFU] ^ (nCrc >> 8);
  return ~nCrc;
}

}  // namespace velkar
