// CSourceLinter: checks a weapon or monster source file without converting it
// and explains, one finding per line, whatever would make the data file
// differ from what the modder wrote:
// - every entry the converter skips, with the converter's own reason;
// - a gap or an empty entry that ends a numbered list early, and the entries
//   the converter therefore never reads; any other entry, section or line it
//   never reads (repeated keys and sections, odd lines, unknown sections);
// - a value cut at 5119 bytes; a listed monster whose section is missing;
// - a number the data file or the record keeps only partly (a rate of 300 is
//   kept as 44, an attack above 65535, a hitzone above 255), a sharpness
//   outside 0 to 5;
// - the same name for two weapons, two motions or two listed monsters; a
//   monster whose section is the Monster or the Level list;
// - a number the converter reads as another value: trailing text ("12abc"),
//   another notation ("1e9", "0x10", "+5"), too many digits for 32 bits, an
//   empty number, a lower-case rate letter; text after the numbers it reads;
// - text that looks like UTF-8 in a file without the byte-order mark (read as
//   Shift-JIS, its Japanese would become mojibake), lines that are not UTF-8
//   in a file with the mark, lines that are neither Shift-JIS nor UTF-8, and
//   a file in UTF-16 or UTF-32;
// - a file in which the converter finds no weapon (no monster): converting it
//   empties the data file.
// The file is read as the converter reads it: CSourceReader walks it and
// reports every entry here, so the rules exist once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "data/SourceReadListener.h"
#include "platform/IniFile.h"

enum class eSOURCE_KIND { WEAPON, MONSTER };

struct LintFinding_t {
  size_t nLine = 0;        // 1-based; 0 when it concerns the file as a whole
  std::string strSection;  // Shift-JIS; empty when no section is concerned
  std::string strKey;      // empty when no entry is concerned
  std::string strText;     // the explanation: English, names in Shift-JIS
  // The whole file is in an encoding the converter does not read (UTF-16,
  // UTF-32, UTF-8 without the mark): every name it makes would be mojibake.
  bool bMisencoded = false;

  bool operator==(const LintFinding_t&) const = default;
};

class CSourceLinter final : private CSourceReadListener {
public:
  // The kind a file name gives: "Monster.ini" is the monster source, a
  // category's stem with ".ini" ("Sword.ini" ...) a weapon source, exactly as
  // the converters name them; none for any other name.
  static std::optional<eSOURCE_KIND> KindOfFileName(std::string_view strFileName);

  // The kind of a file that has no converter's name: a monster source when it
  // has a "Monster" or "Level" section and none of "Action", "HitPattern" and
  // "Weapon", otherwise a weapon source.
  static eSOURCE_KIND KindOfContent(std::string_view bytes);

  // The findings of a source file's bytes, in line order (the file's own
  // findings first).
  static std::vector<LintFinding_t> Lint(std::string_view bytes, eSOURCE_KIND eKind);

  // One finding as a line of text: "Sword.ini:12: [Weapon] 4: ...".
  static std::string FormatFinding(std::string_view strFile, const LintFinding_t& finding);

private:
  // The first use of a name in a list, for duplicate names.
  struct NameUse_t {
    std::string strSection;
    std::string strKey;
    size_t nLine = 0;
  };

  CSourceLinter(const CIniFile& ini, eSOURCE_KIND eKind);

  void Run(std::string_view bytes);

  // What the converter reads, entry by entry.
  void OnEntry(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
               const SourceValue_t& value, std::string_view strSkipReason) override;
  void OnListEnd(eSOURCE_ENTRY eKind, std::string_view section, int nEnd) override;

  // Checks of an entry the converter keeps.
  void CheckKeptEntry(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
                      size_t nLine, const std::string& strValue);
  void CheckSkippedEntry(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
                         size_t nLine, std::string_view strReason);
  // Numbers written in a way the converter reads as another value, and text
  // after the last number it reads.
  void CheckNumberTexts(std::string_view section, std::string_view key, size_t nLine,
                        std::string_view text, std::span<const std::string_view> arrWhat);
  void CheckMotionText(std::string_view section, std::string_view key, size_t nLine,
                       std::string_view text);
  void CheckNumberText(std::string_view section, std::string_view key, size_t nLine,
                       std::string_view what, std::string_view token);
  void CheckRange(std::string_view section, std::string_view key, size_t nLine,
                  std::string_view what, int32_t nValue, int32_t nMax);
  // A monster whose section is one of the lists.
  void CheckMonsterSection(std::string_view section, std::string_view key, size_t nLine,
                           const std::string& strName);
  void CheckName(std::map<std::string, NameUse_t>& mapName, std::string_view noun,
                 std::string_view section, std::string_view key, size_t nLine,
                 const std::string& strName);

  // Checks of the file as a whole.
  // False when the bytes are in an encoding the converter cannot read at all.
  bool CheckEncoding(std::string_view bytes);
  void CheckOddLines();
  void CheckSections();
  void CheckUnreadEntries(const CIniFile::Section_t& section);
  // Why an entry of a section that the converter reads is not read.
  std::string_view UnreadHint(const CIniFile::Section_t& section, std::string_view key) const;

  void Add(size_t nLine, std::string_view section, std::string_view key, std::string strText);

  const CIniFile& m_ini;
  eSOURCE_KIND m_eKind;
  std::vector<LintFinding_t> m_arrFinding;
  std::unordered_map<size_t, const CIniFile::Section_t*> m_mapSectionAt;  // by its line
  std::set<size_t> m_setReadSection;   // lines of the sections the converter looked into
  std::set<size_t> m_setReadEntry;     // lines of the entries it read
  std::map<size_t, int> m_mapListEnd;  // section line -> the number that ended its list
  std::map<std::string, NameUse_t> m_mapMotion;
  std::map<std::string, NameUse_t> m_mapWeapon;
  std::map<std::string, NameUse_t> m_mapMonster;
  NameUse_t m_monsterEntry;  // the "Monster" entry whose monster is being read
};
