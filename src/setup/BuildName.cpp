#include "setup/BuildName.h"

#include "platform/Cp932.h"
#include "platform/TextEscape.h"

BuildNameCheck_t CheckBuildName(std::string_view utf8) {
  if (utf8.empty()) return {eBUILD_NAME::Empty, {}, 0};
  for (size_t nPos = 0; nPos < utf8.size();) {
    char32_t cp = 0;
    const size_t nLength = velkar::DecodeUtf8(utf8, nPos, cp);
    if (nLength == 0) {
      return {eBUILD_NAME::NotUtf8, {}, static_cast<unsigned char>(utf8[nPos])};
    }
    if (velkar::IsControlCodePoint(cp)) {
      return {eBUILD_NAME::ControlCharacter, {}, cp};
    }
    if (!velkar::Utf8ToSjis(utf8.substr(nPos, nLength))) {
      return {eBUILD_NAME::NotSjis, {}, cp};
    }
    nPos += nLength;
  }
  return {eBUILD_NAME::Ok, *velkar::Utf8ToSjis(utf8), 0};
}

std::string DescribeInEnglish(const BuildNameCheck_t& check) {
  switch (check.eResult) {
    case eBUILD_NAME::Ok: break;
    case eBUILD_NAME::Empty: return "a build's name must not be empty";
    case eBUILD_NAME::NotUtf8: {
      const char cByte = static_cast<char>(check.cpFault);
      return "the name is not UTF-8 text (byte " +
             velkar::EscapeNonUtf8(std::string_view(&cByte, 1)) + ")";
    }
    case eBUILD_NAME::ControlCharacter:
      return "a build's name must not hold a control character (" +
             velkar::CodePointName(check.cpFault) + ")";
    case eBUILD_NAME::NotSjis:
      return "Shift-JIS cannot hold the character " + velkar::CodePointName(check.cpFault) +
             " of the name";
  }
  return {};
}
