// CIniFile: a Windows initialisation file (.ini), parsed once and answered from
// an index, with the lookup rules of GetPrivateProfileStringA that hand-written
// files rely on:
// - lines end at CR or LF; blanks around section names, keys and values are trimmed;
// - a line whose first non-blank character is ';' is a comment; no inline comments;
// - the key is the text before the first '='; a value may be wrapped in one
//   matching pair of quotes, which is removed;
// - section and key names match case-insensitively, for ASCII letters only;
// - the first section of a name and the first key within it win;
// - a missing section or key gives the empty text;
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
// A file that starts with the UTF-8 byte-order mark (EF BB BF) is UTF-8: the
// mark is dropped and each line is converted to Shift-JIS before it is read,
// so lookups by Shift-JIS names work as with any other file. A character that
// code page 932 lacks (or a malformed UTF-8 sequence) becomes '?' and marks
// what holds it: a value so marked is still found, with its flag set; a section
// or key name so marked never answers a lookup. Files without the mark are
// read as Shift-JIS, byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CIniFile {
public:
  static constexpr size_t kMaxValueBytes = 5119;

  // A value as lookups give it.
  struct Value_t {
    std::string_view strText;   // cut at kMaxValueBytes; a view into the text
                                // this object holds, valid as long as it lives
    size_t nLine = 0;           // 1-based line number of its key=value line
    bool bCut = false;          // the line's value was longer than kMaxValueBytes
    bool bUnencodable = false;  // UTF-8 file: strText holds a '?' for a character
                                // that code page 932 lacks
  };

  // One key=value line as read, for lint-style tools.
  struct Entry_t {
    std::string strKey;
    std::string strValue;  // after trimming and quote removal, before the cut
    size_t nLine = 0;      // 1-based line number
  };
  struct Section_t {
    std::string strName;
    size_t nLine = 0;
    bool bUnencodable = false;      // UTF-8 file: the name holds a character
                                    // that code page 932 lacks; never looked up
    std::vector<Entry_t> arrEntry;  // every entry, duplicates included, in file order
  };
  enum class eODD_LINE {
    NO_CLOSING_BRACKET,  // starts with '[' but has no ']'
    NO_EQUALS,           // neither a section, a comment nor key=value
    EMPTY_KEY,           // nothing before the '='
    BEFORE_SECTIONS,     // key=value before the first section
  };
  struct OddLine_t {  // a line that is neither section, comment, blank nor key=value
    size_t nLine = 0;
    std::string strText;
    eODD_LINE eKind = eODD_LINE::NO_EQUALS;
  };

  CIniFile() = default;
  // Lookups answer views into the text the object holds, which a move keeps
  // in place and a copy would not.
  CIniFile(CIniFile&&) noexcept = default;
  CIniFile& operator=(CIniFile&&) noexcept = default;
  CIniFile(const CIniFile&) = delete;
  CIniFile& operator=(const CIniFile&) = delete;
  ~CIniFile() = default;

  // Reads everything: the lookups' index and the listing of every section,
  // entry and odd line that lint-style tools walk.
  static CIniFile Parse(std::string_view text);
  // Reads only what lookups answer: GetSections and GetOddLines stay empty,
  // and no name or value is copied. Lookups answer as after Parse. The file's
  // bytes are kept as they come when it is read as Shift-JIS.
  static CIniFile ParseForLookups(std::vector<uint8_t> bytes);

  // The file started with the UTF-8 byte-order mark and was read as UTF-8.
  bool IsUtf8() const { return m_bUtf8; }

  // The value of a key, as GetPrivateProfileStringA with an empty default and
  // a 5120-byte buffer gives it. A value flagged unencodable is given with
  // its '?' marks.
  std::string GetString(std::string_view section, std::string_view key) const;

  // The value that answers a lookup, with its line and flags; null when the
  // section or key is absent.
  const Value_t* Find(std::string_view section, std::string_view key) const;
  // The same lookup in two steps, for a reader that asks one section for many
  // keys: the section's number (none when absent), then the key in the
  // section of that number.
  std::optional<uint32_t> FindSection(std::string_view section) const;
  const Value_t* FindIn(uint32_t nSection, std::string_view key) const;
  // How many key=value lines the section of that number holds, repeated keys
  // included: no numbered list in it is longer.
  size_t GetKeyCount(uint32_t nSection) const { return m_arrNumberedRange[nSection].nCount; }

  // The line of the section that answers lookups of a name; 0 when none does.
  size_t GetSectionLine(std::string_view section) const;

  // Everything read, in file order (sections of the same name each appear);
  // empty when parsed for lookups only.
  const std::vector<Section_t>& GetSections() const { return m_arrSection; }
  const std::vector<OddLine_t>& GetOddLines() const { return m_arrOddLine; }

private:
  // Section and key names as lookups compare them: ASCII letters folded,
  // whole Shift-JIS characters stepped over.
  struct FoldedHash {
    size_t operator()(std::string_view name) const;
  };
  struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const;
  };
  struct SectionIndex_t {
    size_t nLine = 0;
    uint32_t nId = 0;  // the section's number among those that answer lookups
  };
  // Where a section's numbered keys are in m_arrNumbered: key n at nFirst + n
  // for n below nCount, the number of the section's key=value lines.
  struct NumberedRange_t {
    size_t nFirst = 0;
    size_t nCount = 0;
  };
  // A key=value line of a section that answers lookups; where a key repeats,
  // the first line of it is the one the key index finds.
  struct IndexedValue_t {
    uint32_t nSection = 0;
    std::string_view key;
    Value_t value;
  };
  static constexpr uint32_t kNoSection = UINT32_MAX;

  // Keeps the file's bytes, converted to Shift-JIS when they are UTF-8, in
  // m_arrText; then reads them line by line and files every line, listed or
  // not.
  static CIniFile Read(std::vector<uint8_t> bytes, bool bListed);
  void ReadText();
  // Files the line that starts text, a view into m_arrText, and gives its
  // length without its line break. nSection is the current section's id,
  // kNoSection while it never answers lookups (a repeated name, a name that
  // is not Shift-JIS).
  size_t ReadLine(std::string_view text, size_t nLine, uint32_t& nSection);
  void BuildKeyIndex();
  size_t SlotOf(uint32_t nSection, std::string_view key) const;
  // The place in m_arrNumbered of a key that is a number within its
  // section's range; none for any other key, which the hash index files.
  std::optional<size_t> NumberedPlace(uint32_t nSection, std::string_view key) const;
  // Whether part, a view into m_arrText, holds a '?' of the UTF-8 conversion.
  bool HoldsReplaced(std::string_view part) const;

  bool m_bUtf8 = false;
  // Whether m_arrSection and m_arrOddLine list what was read.
  bool m_bListed = true;
  // Whether a section line has been read: key=value lines before it are odd.
  bool m_bInSections = false;
  // The file's text in Shift-JIS, which every name and value views.
  std::vector<uint8_t> m_arrText;
  // Offsets into m_arrText of the '?' marks that the UTF-8 conversion put
  // in, ascending; empty for Shift-JIS files.
  std::vector<size_t> m_arrReplaced;
  std::vector<Section_t> m_arrSection;
  std::vector<OddLine_t> m_arrOddLine;
  // section name -> its line and id (first wins)
  std::unordered_map<std::string_view, SectionIndex_t, FoldedHash, FoldedEqual> m_mapSection;
  std::vector<IndexedValue_t> m_arrValue;  // in file order
  // Keys written as a plain decimal number (numbered lists, which the
  // converters read in order) are found by their number: 1 + an index into
  // m_arrValue, or 0 for none; by section id.
  std::vector<NumberedRange_t> m_arrNumberedRange;
  std::vector<uint32_t> m_arrNumbered;
  // Every other key: open addressing over m_arrValue, 1 + an index, or 0 for
  // an empty slot; a power of two larger than twice those keys.
  std::vector<uint32_t> m_arrSlot;
};
