// Fuzzes the INI reader: any bytes must parse without a fault, and lookups must
// agree with what the parse lists (the first section and its first key win,
// values never exceed 5119 bytes). Names are also looked up in other letter
// cases and cut from the input itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "platform/Cp932.h"
#include "platform/IniFile.h"

using fuzz::Require;

namespace {

constexpr size_t kMaxChecked = 64;  // sections and entries checked per input

std::string UpperAscii(std::string_view text) {
  std::string strUpper(text);
  for (size_t nPos = 0; nPos < strUpper.size();) {
    char& c = strUpper[nPos];
    const bool bLead = velkar::IsSjisLeadByte(static_cast<unsigned char>(c));
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    nPos += bLead ? 2 : 1;
  }
  return strUpper;
}

// A source that starts with a UTF-8 byte-order mark is converted to Shift-JIS
// while it is read, so its listed names and values are no longer the bytes of
// the input, and names holding an unencodable character are never looked up.
bool StartsWithUtf8Mark(std::string_view text) {
  return text.substr(0, 3) == "\xEF\xBB\xBF";
}

void CheckListedEntries(const CIniFile& ini, bool bExactBytes) {
  const auto& arrSection = ini.GetSections();
  for (size_t nSection = 0; nSection < arrSection.size() && nSection < kMaxChecked; ++nSection) {
    const CIniFile::Section_t& section = arrSection[nSection];
    for (size_t nEntry = 0; nEntry < section.arrEntry.size() && nEntry < kMaxChecked; ++nEntry) {
      const CIniFile::Entry_t& entry = section.arrEntry[nEntry];
      const std::string strValue = ini.GetString(section.strName, entry.strKey);
      Require(strValue.size() <= CIniFile::kMaxValueBytes);
      Require(ini.GetString(UpperAscii(section.strName), UpperAscii(entry.strKey)) == strValue);
      if (bExactBytes && nSection == 0 && nEntry == 0) {
        const std::string_view value = entry.strValue;
        Require(strValue ==
                value.substr(0, velkar::SjisPrefixLength(value, CIniFile::kMaxValueBytes)));
      }
      velkar::SjisToUtf8(strValue);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
  const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
  const CIniFile ini = CIniFile::Parse(text);
  CheckListedEntries(ini, !StartsWithUtf8Mark(text));

  // Names cut from the input: a section from its first bytes, a key from the
  // bytes after them.
  const size_t nCut = nSize < 8 ? nSize : 8;
  const std::string strValue = ini.GetString(text.substr(0, nCut), text.substr(nCut, 8));
  Require(strValue.size() <= CIniFile::kMaxValueBytes);
  Require(ini.GetString("", "").empty());  // an empty key is never filed
  return 0;
}
