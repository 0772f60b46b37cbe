// Code page 932 conversions through glibc's iconv. One conversion descriptor
// per direction and thread is opened on first use and reset before each call.
#include "platform/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velkar {
namespace {

constexpr std::string_view kReplacementUtf8{"\xEF\xBF\xBD"};  // U+FFFD

// An iconv descriptor that closes itself; invalid when the platform lacks the
// conversion.
class CIconv {
public:
  CIconv(const char* pszTo, const char* pszFrom) : m_cd(iconv_open(pszTo, pszFrom)) {}
  ~CIconv() {
    if (IsValid()) iconv_close(m_cd);
  }
  CIconv(const CIconv&) = delete;
  CIconv& operator=(const CIconv&) = delete;

  // iconv_open reports failure as (iconv_t)-1.
  bool IsValid() const { return reinterpret_cast<uintptr_t>(m_cd) != UINTPTR_MAX; }

  // Converts as much of [pIn, pIn + nIn) as it can, appending to out. Returns
  // the number of bytes consumed; stops before the first byte it cannot
  // convert (errno tells why: EILSEQ, EINVAL for an incomplete sequence).
  size_t Convert(const char* pIn, size_t nIn, std::string& out) {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    char* pSrc = const_cast<char*>(pIn);  // iconv's interface is not const-correct
    size_t nLeft = nIn;
    char buffer[1024];
    errno = 0;
    while (nLeft > 0) {
      char* pDst = buffer;
      size_t nRoom = sizeof buffer;
      const size_t nResult = iconv(m_cd, &pSrc, &nLeft, &pDst, &nRoom);
      out.append(buffer, static_cast<size_t>(pDst - buffer));
      if (nResult == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    if (nLeft == 0) errno = 0;
    return nIn - nLeft;
  }

private:
  iconv_t m_cd;
};

CIconv& SjisDecoder() {
  thread_local CIconv cd("UTF-8", "CP932");
  return cd;
}

CIconv& SjisEncoder() {
  thread_local CIconv cd("CP932", "UTF-8");
  return cd;
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

// The bytes to step over at a character iconv refused: its lead byte and the
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

}  // namespace

std::string SjisToUtf8(std::string_view sjis) {
  if (IsAscii(sjis)) return std::string(sjis);
  std::string out;
  out.reserve(sjis.size() * 3 / 2);
  CIconv& cd = SjisDecoder();
  size_t nPos = 0;
  while (nPos < sjis.size()) {
    if (cd.IsValid()) nPos += cd.Convert(sjis.data() + nPos, sjis.size() - nPos, out);
    if (nPos >= sjis.size()) break;
    // An undecodable byte: mark it and carry on with the byte after it, so a
    // bad lead byte never swallows a valid character behind it.
    const auto c = static_cast<unsigned char>(sjis[nPos]);
    if (!cd.IsValid() && c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += kReplacementUtf8;
    }
    ++nPos;
  }
  return out;
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  CIconv& cd = SjisEncoder();
  if (!cd.IsValid()) return std::nullopt;
  std::string out;
  out.reserve(utf8.size());
  if (cd.Convert(utf8.data(), utf8.size(), out) != utf8.size()) return std::nullopt;
  return out;
}

std::string Utf8ToSjisReplacing(std::string_view utf8, std::vector<size_t>& arrReplaced) {
  if (IsAscii(utf8)) return std::string(utf8);
  CIconv& cd = SjisEncoder();
  std::string out;
  out.reserve(utf8.size());
  size_t nPos = 0;
  while (nPos < utf8.size()) {
    if (cd.IsValid()) nPos += cd.Convert(utf8.data() + nPos, utf8.size() - nPos, out);
    if (nPos >= utf8.size()) break;
    const auto c = static_cast<unsigned char>(utf8[nPos]);
    if (!cd.IsValid() && c < 0x80) {
      out += static_cast<char>(c);
      ++nPos;
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
