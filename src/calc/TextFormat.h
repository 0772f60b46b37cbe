// FormatText: fills the program's printf-style texts ("攻撃力：%d",
// "%-10s|%4s/%4s|%4s\r\n", ...) with their values. The formats are Shift-JIS
// byte strings from VelkarTexts.h, not literals the compiler could check, so
// only the small, safe subset they use is understood: %s and %d with an
// optional '-' flag and a width, and %%. Widths count bytes and never cut.
#pragma once

#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One value for a conversion: a text, or an integer written in decimal. The
// constructors are implicit so that a call lists its values as printf would.
class CFormatArg {
public:
  CFormatArg(std::string_view strText) : m_strText(strText) {}
  CFormatArg(const std::string& strText) : m_strText(strText) {}
  CFormatArg(const char* pszText) : m_strText(pszText) {}
  CFormatArg(int64_t nValue);
  CFormatArg(int nValue) : CFormatArg(static_cast<int64_t>(nValue)) {}
  CFormatArg(unsigned nValue) : CFormatArg(static_cast<int64_t>(nValue)) {}

  // The text may point into the object itself, so it is never copied.
  CFormatArg(const CFormatArg&) = delete;
  CFormatArg& operator=(const CFormatArg&) = delete;

  std::string_view GetText() const { return m_strText; }

private:
  char m_szNumber[24] = {};
  std::string_view m_strText;
};

// The format with each conversion replaced by the next argument. A conversion
// without an argument left produces nothing; surplus arguments are ignored.
std::string FormatText(std::string_view strFormat, std::initializer_list<CFormatArg> arrArg);

// Appends the formatted text to strOut (saves a copy in loops).
void AppendFormatText(std::string& strOut, std::string_view strFormat,
                      std::initializer_list<CFormatArg> arrArg);
