// The low bits of a file's 4-byte value that a game record keeps.
#pragma once

#include <cstdint>

inline uint8_t Low8(int32_t n) {
  return static_cast<uint8_t>(static_cast<uint32_t>(n) & 0xFFu);
}
inline uint16_t Low16(int32_t n) {
  return static_cast<uint16_t>(static_cast<uint32_t>(n) & 0xFFFFu);
}
