#include "calc/TextFormat.h"

CFormatArg::CFormatArg(int64_t nValue) {
  const auto result = std::to_chars(m_szNumber, m_szNumber + sizeof(m_szNumber), nValue);
  m_strText = std::string_view(m_szNumber, static_cast<size_t>(result.ptr - m_szNumber));
}

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Writes text padded with spaces to nWidth bytes, on the right when bLeft.
void AppendPadded(std::string& strOut, std::string_view strText, size_t nWidth, bool bLeft) {
  const size_t nPad = strText.size() < nWidth ? nWidth - strText.size() : 0;
  if (!bLeft) strOut.append(nPad, ' ');
  strOut.append(strText);
  if (bLeft) strOut.append(nPad, ' ');
}

}  // namespace

void AppendFormatText(std::string& strOut, std::string_view strFormat,
                      std::initializer_list<CFormatArg> arrArg) {
  const CFormatArg* pArg = arrArg.begin();
  size_t i = 0;
  while (i < strFormat.size()) {
    const size_t nPercent = strFormat.find('%', i);
    strOut.append(strFormat.substr(i, nPercent - i));
    if (nPercent == std::string_view::npos) break;
    i = nPercent + 1;
    if (i < strFormat.size() && strFormat[i] == '%') {
      strOut.push_back('%');
      ++i;
      continue;
    }
    const bool bLeft = i < strFormat.size() && strFormat[i] == '-';
    if (bLeft) ++i;
    size_t nWidth = 0;
    while (i < strFormat.size() && IsDigit(strFormat[i])) {
      nWidth = nWidth * 10 + static_cast<size_t>(strFormat[i] - '0');
      ++i;
    }
    if (i < strFormat.size()) ++i;  // the conversion letter: 's' or 'd'
    if (pArg != arrArg.end()) {
      AppendPadded(strOut, pArg->GetText(), nWidth, bLeft);
      ++pArg;
    }
  }
}

std::string FormatText(std::string_view strFormat, std::initializer_list<CFormatArg> arrArg) {
  std::string strOut;
  AppendFormatText(strOut, strFormat, arrArg);
  return strOut;
}
