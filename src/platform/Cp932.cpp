// Code page 932 conversions through glibc's iconv. One conversion descriptor
// per direction and thread is opened on first use and reset before each call.
#include "platform/Cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>

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

std::string ToSjis(std::u8string_view utf8) {
  const std::string_view text(reinterpret_cast<const char*>(utf8.data()), utf8.size());
  if (IsAscii(text)) return std::string(text);
  CIconv& cd = SjisEncoder();
  std::string out;
  size_t nPos = 0;
  while (nPos < text.size()) {
    if (cd.IsValid()) nPos += cd.Convert(text.data() + nPos, text.size() - nPos, out);
    if (nPos >= text.size()) break;
    const auto c = static_cast<unsigned char>(text[nPos]);
    if (!cd.IsValid() && c < 0x80) {
      out += static_cast<char>(c);
      ++nPos;
      continue;
    }
    out += '?';
    nPos += Utf8SequenceLength(c);
  }
  return out;
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

}  // namespace velkar
