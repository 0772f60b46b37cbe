// Code page 932 conversions through tables generated from glibc's iconv
// ("CP932", scripts/gen-cp932-table.py), so that every target, the browser
// included, reads and writes Shift-JIS exactly as glibc does.
#include "platform/Cp932.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

namespace velkar {
namespace {

constexpr std::string_view kReplacementUtf8{"\xEF\xBF\xBD"};  // U+FFFD

struct Cp932Encoding_t {
  uint16_t wCodePoint;
  uint16_t wBytes;  // 0x00NN for one byte, 0xLLTT for a lead and a trail byte
};

#include "platform/Cp932Tables.inc"

constexpr unsigned kTrailFirst = 0x40;
constexpr unsigned kTrailLast = 0xFC;
constexpr unsigned kTrailCount = kTrailLast - kTrailFirst + 1;

// The code point of a lead and a trail byte; 0 when the pair is no character.
uint32_t DecodePair(unsigned char byLead, unsigned char byTrail) {
  if (!IsSjisLeadByte(byLead) || byTrail < kTrailFirst || byTrail > kTrailLast) return 0;
  const unsigned nLead = byLead <= 0x9F ? byLead - 0x81u : byLead - 0xE0u + 0x1Fu;
  return kDoubleByte[nLead * kTrailCount + (byTrail - kTrailFirst)];
}

// The code point that starts at nPos and the number of bytes it takes; a
// length of 0 when no character starts there.
std::pair<uint32_t, size_t> DecodeAt(std::string_view sjis, size_t nPos) {
  const auto c = static_cast<unsigned char>(sjis[nPos]);
  if (c < 0x80) return {c, 1};
  if (const uint32_t nSingle = kSingleByte[c - 0x80]; nSingle != 0) return {nSingle, 1};
  if (nPos + 1 < sjis.size()) {
    const uint32_t nPair = DecodePair(c, static_cast<unsigned char>(sjis[nPos + 1]));
    if (nPair != 0) return {nPair, 2};
  }
  return {0, 0};
}

void AppendUtf8(std::string& out, uint32_t nCodePoint) {
  if (nCodePoint < 0x80) {
    out += static_cast<char>(nCodePoint);
  } else if (nCodePoint < 0x800) {
    out += static_cast<char>(0xC0 | (nCodePoint >> 6));
    out += static_cast<char>(0x80 | (nCodePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (nCodePoint >> 12));
    out += static_cast<char>(0x80 | ((nCodePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (nCodePoint & 0x3F));
  }
}

// Appends the Shift-JIS bytes of a code point; false when code page 932
// cannot hold it.
bool AppendSjis(std::string& out, uint32_t nCodePoint) {
  if (nCodePoint < 0x80) {
    out += static_cast<char>(nCodePoint);
    return true;
  }
  if (nCodePoint >= kDroppedFirst && nCodePoint <= kDroppedLast) return true;
  const auto it = std::lower_bound(
      std::begin(kEncoding), std::end(kEncoding), nCodePoint,
      [](const Cp932Encoding_t& entry, uint32_t nValue) { return entry.wCodePoint < nValue; });
  if (it == std::end(kEncoding) || it->wCodePoint != nCodePoint) return false;
  if (it->wBytes > 0xFF) out += static_cast<char>(it->wBytes >> 8);
  out += static_cast<char>(it->wBytes & 0xFF);
  return true;
}

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The length of the UTF-8 sequence that starts with this byte, 1 for a byte
// that cannot start one.
size_t Utf8SequenceLength(unsigned char c) {
  if (c >= 0xF0 && c <= 0xF4) return 4;
  if (c >= 0xE0 && c <= 0xEF) return 3;
  if (c >= 0xC2 && c <= 0xDF) return 2;
  return 1;
}

bool IsContinuation(unsigned char c) {
  return c >= 0x80 && c <= 0xBF;
}

// The bytes to step over at a character that cannot be encoded: its lead byte and the
// continuation bytes that follow it, at most as many as the lead promises.
size_t RefusedLength(std::string_view text, size_t nPos) {
  const size_t nLength = Utf8SequenceLength(static_cast<unsigned char>(text[nPos]));
  size_t nEnd = nPos + 1;
  while (nEnd < nPos + nLength && nEnd < text.size() &&
         IsContinuation(static_cast<unsigned char>(text[nEnd]))) {
    ++nEnd;
  }
  return nEnd - nPos;
}

// The first byte after a well-formed sequence at nPos, or nPos when there is none.
size_t Utf8CharEnd(std::string_view text, size_t nPos) {
  const auto c = static_cast<unsigned char>(text[nPos]);
  if (c < 0x80) return nPos + 1;
  const size_t nLength = Utf8SequenceLength(c);
  if (nLength == 1 || nPos + nLength > text.size()) return nPos;
  const auto c1 = static_cast<unsigned char>(text[nPos + 1]);
  // The second byte's range rules out overlong forms, surrogates and values
  // above U+10FFFF.
  const unsigned char byLow = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
  const unsigned char byHigh = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
  if (c1 < byLow || c1 > byHigh) return nPos;
  for (size_t i = 2; i < nLength; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[nPos + i]))) return nPos;
  }
  return nPos + nLength;
}

// The code point of one well-formed UTF-8 sequence.
uint32_t CodePointOf(std::string_view sequence) {
  const auto c = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return c;
  uint32_t nCodePoint = c & (0x7Fu >> sequence.size());
  for (size_t i = 1; i < sequence.size(); ++i) {
    nCodePoint = (nCodePoint << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3Fu);
  }
  return nCodePoint;
}

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  for (size_t nPos = 0; nPos < sjis.size();) {
    const auto [nCodePoint, nLength] = DecodeAt(sjis, nPos);
    if (nLength == 0) {
      // An undecodable byte: mark it and carry on with the byte after it, so a
      // bad lead byte never swallows a valid character behind it.
      out += kReplacementUtf8;
      ++nPos;
      continue;
    }
    AppendUtf8(out, nCodePoint);
    nPos += nLength;
  }
  return out;
}

std::optional<std::string> CanonicalSjis(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  std::string out;
  out.reserve(sjis.size());
  for (size_t nPos = 0; nPos < sjis.size();) {
    const auto [nCodePoint, nLength] = DecodeAt(sjis, nPos);
    if (nLength == 0 || !AppendSjis(out, nCodePoint)) return std::nullopt;
    nPos += nLength;
  }
  return out;
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
  std::vector<size_t> arrReplaced;
  std::string out = Utf8ToSjisReplacing(utf8, arrReplaced);
  if (!arrReplaced.empty()) return std::nullopt;
  return out;
}

std::string Utf8ToSjisReplacing(std::string_view utf8, std::vector<size_t>& arrReplaced) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (size_t nPos = 0; nPos < utf8.size();) {
    const size_t nEnd = Utf8CharEnd(utf8, nPos);
    if (nEnd != nPos && AppendSjis(out, CodePointOf(utf8.substr(nPos, nEnd - nPos)))) {
      nPos = nEnd;
      continue;
    }
    arrReplaced.push_back(out.size());
    out += '?';
    nPos += RefusedLength(utf8, nPos);
  }
  return out;
}

std::string ToSjis(std::u8string_view utf8) {
  std::vector<size_t> arrReplaced;
  return Utf8ToSjisReplacing(
      std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()), arrReplaced);
}

bool IsUtf8(std::string_view text) {
  for (size_t nPos = 0; nPos < text.size();) {
    const size_t nEnd = Utf8CharEnd(text, nPos);
    if (nEnd == nPos) return false;
    nPos = nEnd;
  }
  return true;
}

size_t SjisPrefixLength(std::string_view text, size_t nMaxBytes) {
  if (text.size() <= nMaxBytes) return text.size();
  size_t nPos = 0;
  while (nPos < text.size()) {
    const bool bDouble =
        IsSjisLeadByte(static_cast<unsigned char>(text[nPos])) && nPos + 1 < text.size();
    const size_t nNext = nPos + (bDouble ? 2 : 1);
    if (nNext > nMaxBytes) break;
    nPos = nNext;
  }
  return nPos;
}

bool SjisContains(std::string_view text, std::string_view part) {
  for (size_t nPos = 0; nPos + part.size() <= text.size();) {
    if (text.substr(nPos, part.size()) == part) return true;
    nPos += IsSjisLeadByte(static_cast<unsigned char>(text[nPos])) ? 2U : 1U;
  }
  return false;
}

}  // namespace velkar
