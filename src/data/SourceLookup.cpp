#include "data/SourceLookup.h"

#include <optional>

#include "platform/IniFile.h"

SourceLookup LookupIn(const CIniFile& ini) {
  // The converters ask one section for key after key: the section last found
  // is kept, by its name as asked (at first the empty name, which a "[]" line
  // can hold), so that only a new name is looked up.
  const auto get = [&ini, strSection = std::string(), nSection = ini.FindSection({})](
                       std::string_view section, std::string_view key) mutable {
    if (section != strSection) {
      strSection = section;
      nSection = ini.FindSection(section);
    }
    const CIniFile::Value_t* pValue = nSection ? ini.FindIn(*nSection, key) : nullptr;
    return pValue == nullptr ? SourceValue_t{}
                             : SourceValue_t{pValue->strText, pValue->bUnencodable};
  };
  const auto countKeys = [&ini](std::string_view section) {
    const std::optional<uint32_t> nSection = ini.FindSection(section);
    return nSection ? ini.GetKeyCount(*nSection) : 0;
  };
  return {get, countKeys};
}
