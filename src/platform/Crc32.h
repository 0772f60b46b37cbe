// CRC-32 as zlib, PNG and Ethernet compute it (reflected polynomial
// 0xEDB88320, initial value and final XOR 0xFFFFFFFF): the checksum of the
// data files' fingerprint and of the build codes. Every face computes the
// same value for the same bytes.
#pragma once

#include <cstdint>
#include <span>

namespace velkar {

// The CRC-32 of the bytes. To checksum pieces one after another, pass the
// result of the previous piece as nCrc.
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t nCrc = 0);

}  // namespace velkar
