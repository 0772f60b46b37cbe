#include "ToolOutput.h"

#include <cerrno>
#include <cstring>

#include "platform/Cp932.h"
#include "platform/TextEscape.h"

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

void CToolOutput::Note(std::string_view sjis) const {
  Put(m_pErr, std::string(kProgramName) + Encode(velkar::EscapeSjisControls(sjis)) + "\n");
}

void CToolOutput::Warning(std::string_view sjis) const {
  Put(m_pErr,
      std::string(kProgramName) + "warning: " + Encode(velkar::EscapeSjisControls(sjis)) + "\n");
}

void CToolOutput::Warnings(const std::vector<std::string>& arrWarning) const {
  for (const std::string& strWarning : arrWarning) Warning(strWarning);
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
  return velkar::CanonicalSjis(sjis);
}

void CToolOutput::Put(std::FILE* pStream, std::string_view bytes) const {
  if (std::fwrite(bytes.data(), 1, bytes.size(), pStream) != bytes.size()) {
    NoteFailure(pStream, errno);
  }
}

void CToolOutput::NoteFailure(std::FILE* pStream, int nErrno) const {
  if (pStream == m_pErr) {
    m_bErrFailed = true;
  } else if (m_nOutErrno == 0) {
    m_nOutErrno = nErrno != 0 ? nErrno : EIO;
  }
}

int CToolOutput::Finish(int nExit) {
  if (std::fflush(m_pOut) != 0) NoteFailure(m_pOut, errno);
  if (std::fclose(m_pOut) != 0) NoteFailure(m_pOut, errno);
  if (m_nOutErrno != 0 && m_nOutErrno != EPIPE) {
    Error(std::string("cannot write the output: ") + std::strerror(m_nOutErrno));
  }
  if (std::fflush(m_pErr) != 0) m_bErrFailed = true;
  if (std::fclose(m_pErr) != 0) m_bErrFailed = true;
  return (m_nOutErrno != 0 || m_bErrFailed) ? kExitFailure : nExit;
}
