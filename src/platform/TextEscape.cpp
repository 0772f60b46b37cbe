#include "platform/TextEscape.h"

#include <cctype>

#include "platform/Cp932.h"

namespace velkar {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string HexEscape(unsigned char c) {
  return {'\\', 'x', kHexDigits[c >> 4], kHexDigits[c & 0xFU]};
}

bool IsSjisTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool IsSjisControlByte(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x80;
}

// The length of the Shift-JIS character at nPos: 2 for a lead byte with a
// trail byte after it, else 1.
size_t SjisCharLength(std::string_view sjis, size_t nPos) {
  const bool bPair = IsSjisLeadByte(static_cast<unsigned char>(sjis[nPos])) &&
                     nPos + 1 < sjis.size() &&
                     IsSjisTrailByte(static_cast<unsigned char>(sjis[nPos + 1]));
  return bPair ? 2 : 1;
}

}  // namespace

size_t DecodeUtf8(std::string_view text, size_t nPos, char32_t& cp) {
  const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char c = byte(nPos);
  size_t nLength = 0;
  char32_t cpMin = 0;
  if (c < 0x80) {
    cp = c;
    return 1;
  }
  if (c >= 0xC2 && c <= 0xDF) {
    nLength = 2;
    cp = c & 0x1FU;
    cpMin = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    nLength = 3;
    cp = c & 0x0FU;
    cpMin = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    nLength = 4;
    cp = c & 0x07U;
    cpMin = 0x10000;
  } else {
    return 0;
  }
  if (nPos + nLength > text.size()) return 0;
  for (size_t i = 1; i < nLength; ++i) {
    if ((byte(nPos + i) & 0xC0U) != 0x80) return 0;
    cp = (cp << 6) | (byte(nPos + i) & 0x3FU);
  }
  const bool bSurrogate = cp >= 0xD800 && cp <= 0xDFFF;
  return cp < cpMin || cp > 0x10FFFF || bSurrogate ? 0 : nLength;
}

bool HasSjisControl(std::string_view sjis) {
  for (size_t nPos = 0; nPos < sjis.size();) {
    const size_t nLength = SjisCharLength(sjis, nPos);
    if (nLength == 1 && IsSjisControlByte(static_cast<unsigned char>(sjis[nPos]))) return true;
    nPos += nLength;
  }
  return false;
}

std::string EscapeSjisControls(std::string_view sjis) {
  std::string strText;
  strText.reserve(sjis.size());
  for (size_t nPos = 0; nPos < sjis.size();) {
    const size_t nLength = SjisCharLength(sjis, nPos);
    const auto c = static_cast<unsigned char>(sjis[nPos]);
    if (nLength == 2 || !IsSjisControlByte(c)) {
      strText.append(sjis.substr(nPos, nLength));
    } else if (c == '\t') {
      strText += "\\t";
    } else if (c == '\n') {
      strText += "\\n";
    } else if (c == '\r') {
      strText += "\\r";
    } else {
      strText += HexEscape(c);
    }
    nPos += nLength;
  }
  return strText;
}

std::string EscapeNonUtf8(std::string_view bytes) {
  std::string strText;
  strText.reserve(bytes.size());
  for (size_t nPos = 0; nPos < bytes.size();) {
    char32_t cp = 0;
    const size_t nLength = DecodeUtf8(bytes, nPos, cp);
    if (nLength == 0) {
      strText += HexEscape(static_cast<unsigned char>(bytes[nPos]));
      ++nPos;
    } else {
      strText.append(bytes.substr(nPos, nLength));
      nPos += nLength;
    }
  }
  return strText;
}

std::string CodePointName(char32_t cp) {
  std::string strDigits;
  for (; cp != 0 || strDigits.size() < 4; cp >>= 4) {
    strDigits.insert(strDigits.begin(), static_cast<char>(std::toupper(kHexDigits[cp & 0xFU])));
  }
  return "U+" + strDigits;
}

}  // namespace velkar
