#include "data/SourceReader.h"

#include "data/SourceValueParser.h"

std::string_view CSourceReader::UnencodableReason(eSOURCE_ENTRY eKind) {
  // Without its "Anger" a monster is left out, and the reason says so.
  return eKind == eSOURCE_ENTRY::ANGER ? kReasonAngerUnencodable : kReasonUnencodable;
}

void CSourceReader::Note(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
                         const SourceValue_t& value, std::string_view strSkipReason) {
  if (!strSkipReason.empty()) {
    m_arrSkipped.push_back({std::string(section), std::string(key), std::string(strSkipReason)});
  }
  if (m_pListener != nullptr) m_pListener->OnEntry(eKind, section, key, value, strSkipReason);
}
