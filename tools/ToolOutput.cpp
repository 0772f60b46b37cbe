#include "ToolOutput.h"

#include "platform/Cp932.h"

namespace {
constexpr std::string_view kProgramName = "velkar-tool: ";
}  // namespace

void CToolOutput::Write(std::string_view sjis) const {
  Put(m_pOut, Encode(sjis));
}

void CToolOutput::WriteLine(std::string_view sjis) const {
  Put(m_pOut, Encode(sjis) + "\n");
}

void CToolOutput::WriteUtf8(std::string_view utf8) const {
  Put(m_pOut, utf8);
}

void CToolOutput::Error(std::string_view sjis) const {
  Put(m_pErr, std::string(kProgramName) + Encode(sjis) + "\n");
}

void CToolOutput::Warning(std::string_view sjis) const {
  Put(m_pErr, std::string(kProgramName) + "warning: " + Encode(sjis) + "\n");
}

int CToolOutput::UsageError(std::string_view sjis) const {
  Error(sjis);
  return kExitUsage;
}

std::string CToolOutput::Encode(std::string_view sjis) const {
  return m_bRawSjis ? std::string(sjis) : velkar::SjisToUtf8(sjis);
}

std::optional<std::string> CToolOutput::SavedAsSjis(std::string_view sjis) const {
  if (m_bRawSjis) return std::string(sjis);
  return velkar::Utf8ToSjis(velkar::SjisToUtf8(sjis));
}

void CToolOutput::Put(std::FILE* pStream, std::string_view bytes) const {
  std::fwrite(bytes.data(), 1, bytes.size(), pStream);
}
