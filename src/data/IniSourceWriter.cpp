#include "data/IniSourceWriter.h"

#include "platform/Cp932.h"
#include "platform/IniFile.h"

std::optional<std::string> CIniSourceWriter::SavedAsSjis(std::string_view sjis) const {
  if (m_eEncoding == eSOURCE_ENCODING::SHIFT_JIS) return std::string(sjis);
  return velkar::CanonicalSjis(sjis);
}

void CIniSourceWriter::Section(std::string_view name) {
  if (!m_strText.empty()) m_strText += "\n";
  m_strText += "[";
  m_strText += name;
  m_strText += "]\n";
}

void CIniSourceWriter::Entry(std::string_view key, std::string_view value) {
  m_strText += key;
  m_strText += "=";
  m_strText += value;
  m_strText += "\n";
}

std::optional<std::string> CIniSourceWriter::ReadBack(std::string_view value) const {
  const std::optional<std::string> saved = SavedAsSjis(value);
  if (!saved) return std::nullopt;
  return CIniFile::Parse("[s]\nk=" + *saved + "\n").GetString("s", "k");
}

bool CIniSourceWriter::FindsSection(std::string_view name) const {
  const std::optional<std::string> saved = SavedAsSjis(name);
  return saved && CIniFile::Parse("[" + *saved + "]\nk=1\n").GetString(*saved, "k") == "1";
}

std::string CIniSourceWriter::NameProblem(std::string_view name) const {
  if (name.empty()) return "an empty name makes the converter skip the entry";
  if (name.find_first_of(" \t") != std::string_view::npos) {
    return "the name holds blanks, which the converter removes";
  }
  if (name.find(',') != std::string_view::npos) {
    return "the name holds a comma, where the converter ends the name";
  }
  return EncodingProblem(name);
}

std::string CIniSourceWriter::ValueProblem(std::string_view value) const {
  if (value.size() > CIniFile::kMaxValueBytes) {
    return "the entry is longer than " + std::to_string(CIniFile::kMaxValueBytes) +
           " bytes, where the INI reader cuts it";
  }
  return {};
}

std::string CIniSourceWriter::EncodingProblem(std::string_view name) const {
  if (SavedAsSjis(name) == name) return {};
  return "the name holds bytes that do not come back through UTF-8 (not Shift-JIS text, or a "
         "character Shift-JIS has twice); --sjis prints the bytes unchanged";
}
