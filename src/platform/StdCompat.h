// What the standard libraries of our targets lack, behind one name each, so
// that every target builds the same sources. Emscripten's libc++ 13 has no
// std::to_chars for floating point; there the C library's snprintf writes the
// same text (the browser's C library knows only the C locale).
#pragma once

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace velkar {

// std::to_chars(pFirst, pLast, dValue, eFormat, nPrecision) for the general
// and the fixed format.
inline std::to_chars_result ToChars(char* pFirst, char* pLast, double dValue,
                                    std::chars_format eFormat, int nPrecision) {
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
  const auto nRoom = static_cast<size_t>(pLast - pFirst);
  const int nLength = eFormat == std::chars_format::fixed
                          ? std::snprintf(pFirst, nRoom, "%.*f", nPrecision, dValue)
                          : std::snprintf(pFirst, nRoom, "%.*g", nPrecision, dValue);
  if (nLength < 0 || static_cast<size_t>(nLength) >= nRoom) {
    return {pLast, std::errc::value_too_large};
  }
  return {pFirst + nLength, std::errc()};
#else
  return std::to_chars(pFirst, pLast, dValue, eFormat, nPrecision);
#endif
}

// std::to_chars(pFirst, pLast, dValue): the shortest text that reads back as
// the value. The fallback tries ever more digits of the general format, which
// gives the same text for values that need no exponent (the factors shown).
inline std::to_chars_result ToChars(char* pFirst, char* pLast, double dValue) {
#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000
  std::to_chars_result result{pLast, std::errc::value_too_large};
  for (int nPrecision = 1; nPrecision <= 17; ++nPrecision) {
    result = ToChars(pFirst, pLast, dValue, std::chars_format::general, nPrecision);
    if (result.ec != std::errc() || std::strtod(pFirst, nullptr) == dValue) break;
  }
  return result;
#else
  return std::to_chars(pFirst, pLast, dValue);
#endif
}

}  // namespace velkar
