// The table codec against glibc's iconv ("CP932"), whose behaviour it
// reproduces: every byte and byte pair decoded, every code point encoded,
// with the same U+FFFD and '?' rules on top of iconv that the codec applies.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Cp932.h"

namespace {

// One iconv conversion: converts from nPos as far as iconv goes and answers
// where it stopped.
class CIconvReference {
public:
  CIconvReference(const char* pszTo, const char* pszFrom) : m_cd(iconv_open(pszTo, pszFrom)) {}
  ~CIconvReference() { iconv_close(m_cd); }
  CIconvReference(const CIconvReference&) = delete;
  CIconvReference& operator=(const CIconvReference&) = delete;

  bool IsValid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  size_t Convert(std::string_view in, size_t nPos, std::string& out) {
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    char* pSrc = const_cast<char*>(in.data() + nPos);
    size_t nLeft = in.size() - nPos;
    char buffer[64];
    char* pDst = buffer;
    size_t nRoom = sizeof buffer;
    iconv(m_cd, &pSrc, &nLeft, &pDst, &nRoom);
    out.append(buffer, static_cast<size_t>(pDst - buffer));
    return in.size() - nLeft;
  }

private:
  iconv_t m_cd;
};

// Decoding as the codec promises it: U+FFFD for each byte iconv stops at.
std::string IconvSjisToUtf8(CIconvReference& decoder, std::string_view sjis) {
  std::string out;
  for (size_t nPos = decoder.Convert(sjis, 0, out); nPos < sjis.size();) {
    out += "\xEF\xBF\xBD";
    nPos = decoder.Convert(sjis, nPos + 1, out);
  }
  return out;
}

std::optional<std::string> IconvUtf8ToSjis(CIconvReference& encoder, std::string_view utf8) {
  std::string out;
  if (encoder.Convert(utf8, 0, out) != utf8.size()) return std::nullopt;
  return out;
}

std::string Utf8Of(uint32_t nCodePoint) {
  std::string out;
  if (nCodePoint < 0x80) return std::string(1, static_cast<char>(nCodePoint));
  const int nBytes = nCodePoint < 0x800 ? 2 : nCodePoint < 0x10000 ? 3 : 4;
  const unsigned char byLead = nBytes == 2 ? 0xC0 : nBytes == 3 ? 0xE0 : 0xF0;
  out += static_cast<char>(byLead | (nCodePoint >> (6 * (nBytes - 1))));
  for (int i = nBytes - 2; i >= 0; --i)
    out += static_cast<char>(0x80 | ((nCodePoint >> (6 * i)) & 0x3F));
  return out;
}

class Cp932AgainstIconv : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_decoder.IsValid() && m_encoder.IsValid()) << "iconv lacks CP932";
  }
  CIconvReference m_decoder{"UTF-8", "CP932"};
  CIconvReference m_encoder{"CP932", "UTF-8"};
};

// Every byte alone, and every byte between two letters, then every pair:
// each pair also decodes after a lone lead byte, where the first byte of the
// pair has to be read as a trail byte that fails.
TEST_F(Cp932AgainstIconv, DecodesEveryByteAndPairAlike) {
  int nFailures = 0;
  const auto check = [&](const std::string& strInput) {
    if (velkar::SjisToUtf8(strInput) == IconvSjisToUtf8(m_decoder, strInput)) return;
    ADD_FAILURE() << testing::PrintToString(strInput);
    ++nFailures;
  };
  for (unsigned nFirst = 0; nFirst < 256 && nFailures < 10; ++nFirst) {
    const char cFirst = static_cast<char>(nFirst);
    check(std::string(1, cFirst));
    check("a" + std::string(1, cFirst) + "z");
    for (unsigned nSecond = 0; nSecond < 256 && nFailures < 10; ++nSecond) {
      const std::string strPair{cFirst, static_cast<char>(nSecond)};
      check(strPair);
      check("\x81" + strPair);
    }
  }
}

// Every code point alone and between two letters, strict and replacing; the
// replacing conversion marks exactly the code points iconv refuses.
TEST_F(Cp932AgainstIconv, EncodesEveryCodePointAlike) {
  int nFailures = 0;
  for (uint32_t nCodePoint = 0; nCodePoint <= 0x10FFFF && nFailures < 10; ++nCodePoint) {
    if (nCodePoint >= 0xD800 && nCodePoint <= 0xDFFF) continue;
    const std::string strInput = "a" + Utf8Of(nCodePoint) + "z";
    const std::optional<std::string> strExpected = IconvUtf8ToSjis(m_encoder, strInput);
    std::vector<size_t> arrReplaced;
    const std::string strReplaced = velkar::Utf8ToSjisReplacing(strInput, arrReplaced);
    const bool bSame = velkar::Utf8ToSjis(strInput) == strExpected &&
                       (strExpected ? strReplaced == *strExpected && arrReplaced.empty()
                                    : strReplaced == "a?z" && arrReplaced.size() == 1);
    if (!bSame) {
      ADD_FAILURE() << "U+" << std::hex << nCodePoint;
      ++nFailures;
    }
  }
}

}  // namespace
