// CIniSourceWriter: builds the INI source that velkar-tool dump prints, one
// section and entry at a time, and tells what the converter's INI reader
// would give back for a value once the printed text is saved in Shift-JIS.
// The dumps use it to find the entries that cannot come back as they are,
// and collect a warning for each.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CToolOutput;

class CIniSourceWriter {
public:
  explicit CIniSourceWriter(const CToolOutput& output) : m_output(output) {}

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
  const CToolOutput& m_output;
  std::string m_strText;
  std::vector<std::string> m_arrWarning;
};
