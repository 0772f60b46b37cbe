// CIniSourceWriter: builds the INI source of a data file's records (what
// velkar-tool dump prints and the web page offers as a download), one section
// and entry at a time, and tells what the converter's INI reader would give
// back for a value once the text is saved in its encoding: Shift-JIS as it
// is, or UTF-8, whose trip back to Shift-JIS fails for bytes that are not
// code page 932 text and may change a character that code page 932 has
// twice. The dumps use it to find the entries that cannot come back as they
// are, and collect a warning for each.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The encoding the written source is saved in.
enum class eSOURCE_ENCODING { SHIFT_JIS, UTF8 };

class CIniSourceWriter {
public:
  explicit CIniSourceWriter(eSOURCE_ENCODING eEncoding) : m_eEncoding(eEncoding) {}

  void Section(std::string_view name);
  void Entry(std::string_view key, std::string_view value);

  // The value the INI reader returns for an entry holding this value, after
  // the trip through the printed text; none when the text cannot be saved.
  std::optional<std::string> ReadBack(std::string_view value) const;

  // Whether a section header for this name is found again under the name.
  bool FindsSection(std::string_view name) const;

  // Why a name of a "name,numbers" entry would not come back (the converter
  // removes blanks and ends the name at the first comma), or why the whole
  // value would not; the empty text when no cause is known.
  std::string NameProblem(std::string_view name) const;
  std::string ValueProblem(std::string_view value) const;
  // Why a name given in the output encoding would change.
  std::string EncodingProblem(std::string_view name) const;

  void Warn(std::string strWarning) { m_arrWarning.push_back(std::move(strWarning)); }

  const std::string& Text() const { return m_strText; }
  const std::vector<std::string>& Warnings() const { return m_arrWarning; }

private:
  // The Shift-JIS bytes the text becomes again when the saved file is read.
  std::optional<std::string> SavedAsSjis(std::string_view sjis) const;

  eSOURCE_ENCODING m_eEncoding;
  std::string m_strText;
  std::vector<std::string> m_arrWarning;
};
