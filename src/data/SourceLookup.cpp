#include "data/SourceLookup.h"

#include "platform/IniFile.h"

SourceLookup LookupIn(const CIniFile& ini) {
  return [&ini](std::string_view section, std::string_view key) {
    const CIniFile::Value_t* pValue = ini.Find(section, key);
    return pValue == nullptr ? SourceValue_t{}
                             : SourceValue_t{pValue->strText, pValue->bUnencodable};
  };
}
