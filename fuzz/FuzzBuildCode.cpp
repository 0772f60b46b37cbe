// Fuzzes the build code reader: any text must be read or refused without a
// fault, with a reason when refused, and whatever is read must be a code the
// writer writes: written again and read back, it gives the same builds. The
// input is tried twice: as the text of a code, and as the bytes a code holds
// behind its checksum, so that mutations reach the reading of the builds
// instead of stopping at the checksum.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "platform/Crc32.h"
#include "setup/BuildCode.h"

using fuzz::Require;

namespace {

// "VK1." and the base64url of the CRC, the length and the bytes.
std::string CodeAround(std::span<const uint8_t> body) {
  std::vector<uint8_t> arrByte(4);
  for (size_t nLength = body.size(); arrByte.size() == 4 || nLength != 0; nLength >>= 7) {
    arrByte.push_back(static_cast<uint8_t>((nLength & 0x7FU) | (nLength >= 0x80 ? 0x80U : 0U)));
  }
  arrByte.insert(arrByte.end(), body.begin(), body.end());
  const uint32_t nCrc = velkar::Crc32(std::span(arrByte).subspan(4));
  for (size_t i = 0; i < 4; ++i) arrByte[i] = static_cast<uint8_t>(nCrc >> (8 * i));
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string strCode = "VK1.";
  for (size_t nBit = 0; nBit < arrByte.size() * 8; nBit += 6) {
    uint32_t nValue = 0;
    for (size_t j = nBit; j < nBit + 6; ++j) {
      const uint32_t nByte = j / 8 < arrByte.size() ? arrByte[j / 8] : 0U;
      nValue = (nValue << 1) | ((nByte >> (7 - j % 8)) & 1U);
    }
    strCode += kAlphabet[nValue];
  }
  return strCode;
}

void ReadAndWriteAgain(std::string_view text) {
  CodeError_t error;
  const std::optional<BuildCode_t> code = DecodeBuildCode(text, error);
  Require(code.has_value() == (error.eError == eCODE_ERROR::None));
  Require(!DescribeCodeError(error).empty());
  if (!code) return;
  // Written again, names are shared and ordered by first use, so the code
  // may grow past the limit; any other refusal is a fault.
  const std::optional<std::string> strCode = EncodeBuildCode(*code, error);
  if (!strCode) {
    Require(error.eError == eCODE_ERROR::Unwritable);
    return;
  }
  Require(DecodeBuildCode(*strCode, error) == code);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  ReadAndWriteAgain(std::string_view(reinterpret_cast<const char*>(pData), nSize));
  ReadAndWriteAgain(CodeAround(std::span(pData, nSize)));
  return 0;
}
