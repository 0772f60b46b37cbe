// CIniFile: a Windows initialisation file (.ini), parsed once and answered from
// an index, with the lookup rules of GetPrivateProfileStringA that hand-written
// files rely on:
// - lines end at CR or LF; blanks around section names, keys and values are trimmed;
// - a line whose first non-blank character is ';' is a comment; no inline comments;
// - the key is the text before the first '='; a value may be wrapped in one
//   matching pair of quotes, which is removed;
// - section and key names match case-insensitively, for ASCII letters only;
// - the first section of a name and the first key within it win;
// - a missing file, section or key gives the empty text;
// - a value longer than 5119 bytes is cut at 5119 bytes, never inside a
//   double-byte character.
// The reader knows Shift-JIS: a lead byte always takes the next byte of its
// line with it, so a trail byte that equals '[', ']', '\\' or a letter is never
// taken for syntax or case-folded ('=' and ';' never occur as trail bytes).
// Further details of the format:
// - a section line starts with '[' and its name runs to the last ']' of the
//   line, so any name without a line break, ']' included, can be a section;
//   text after that ']' is ignored;
// - only space and tab are blanks;
// - lines before the first section belong to no section and are never found;
// - odd lines, kept for tools and otherwise ignored: a '[' line without ']',
//   a line without '=', a line with an empty key ("=x"), and key=value lines
//   before the first section.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CIniFile {
public:
  static constexpr size_t kMaxValueBytes = 5119;

  // One key=value line as read, for lint-style tools.
  struct Entry_t {
    std::string strKey;
    std::string strValue;  // after trimming and quote removal, before the cut
    size_t nLine = 0;      // 1-based line number
  };
  struct Section_t {
    std::string strName;
    size_t nLine = 0;
    std::vector<Entry_t> arrEntry;  // every entry, duplicates included, in file order
  };
  struct OddLine_t {  // a line that is neither section, comment, blank nor key=value
    size_t nLine = 0;
    std::string strText;
  };

  CIniFile() = default;

  // Reads and parses a file; a missing or unreadable file gives an empty index
  // (bFound false).
  static CIniFile Load(const std::string& strPath);
  static CIniFile Parse(std::string_view text);

  bool WasFound() const { return m_bFound; }

  // The value of a key, as GetPrivateProfileStringA with an empty default and
  // a 5120-byte buffer gives it.
  std::string GetString(std::string_view section, std::string_view key) const;

  // Everything read, in file order (sections of the same name each appear).
  const std::vector<Section_t>& GetSections() const { return m_arrSection; }
  const std::vector<OddLine_t>& GetOddLines() const { return m_arrOddLine; }

private:
  using KeyIndex_t = std::unordered_map<std::string, std::string>;

  // Files one line; pKeys is the index of the current section, null while
  // the current section is a repeated one (its keys are never looked up).
  void ReadLine(std::string_view line, size_t nLine, KeyIndex_t*& pKeys);
  static std::string FoldCase(std::string_view name);

  bool m_bFound = false;
  std::vector<Section_t> m_arrSection;
  std::vector<OddLine_t> m_arrOddLine;
  // folded section name -> folded key -> value (first wins)
  std::unordered_map<std::string, KeyIndex_t> m_mapIndex;
};
