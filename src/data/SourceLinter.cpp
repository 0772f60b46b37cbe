#include "data/SourceLinter.h"

#include <algorithm>
#include <array>
#include <utility>

#include "data/DataManager.h"
#include "data/LowBits.h"
#include "data/MonsterDataFile.h"
#include "data/SourceValueParser.h"
#include "data/WeaponDataFile.h"
#include "model/GameEnums.h"
#include "platform/Cp932.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kSourceExtension = ".ini";
constexpr int32_t kMax8 = 0xFF;
constexpr int32_t kMax16 = 0xFFFF;

// Physical 1 to 3, then the element hitzones, as a region value lists them.
constexpr std::array<std::string_view, 8> kHitzoneName = {
    "cut hitzone",     "impact hitzone", "third physical hitzone", "fire hitzone", "water hitzone",
    "thunder hitzone", "ice hitzone",    "dragon hitzone"};
constexpr std::array<std::string_view, 3> kAngerName = {"first anger value", "second anger value",
                                                        "third anger value"};
constexpr std::array<std::string_view, 2> kHitPatternName = {"low rate", "high rate"};
constexpr std::array<std::string_view, 5> kWeaponName = {"attack", "element mask", "element value",
                                                         "sharpness", "fifth number"};
constexpr std::array<std::string_view, 1> kLevelName = {"rate"};

bool IsRateLetter(char c) {
  return c == 'A' || c == 'B' || c == 'C';
}
bool IsLowerRateLetter(char c) {
  return c == 'a' || c == 'b' || c == 'c';
}

std::string Subject(std::string_view section, std::string_view key) {
  std::string strSubject = "[" + std::string(section) + "]";
  if (!key.empty()) strSubject += " " + std::string(key);
  return strSubject;
}

std::string LineRef(size_t nLine) {
  return "line " + std::to_string(nLine);
}

// The number of a key written the way the converters write entry numbers
// (decimal, no sign, no leading zero); none for any other key.
std::optional<int> EntryNumber(std::string_view key) {
  if (key.empty() || key.size() > 9 || (key.size() > 1 && key.front() == '0')) return std::nullopt;
  int n = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool HasLeadingZero(std::string_view key) {
  return key.size() > 1 && key.front() == '0' &&
         std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether text is Shift-JIS as the converter reads it: single bytes below
// 0x80 or half-width katakana (0xA1 to 0xDF), and lead bytes followed by a
// trail byte (0x40 to 0xFC but 0x7F).
bool IsSjis(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
    if (!velkar::IsSjisLeadByte(c) || ++i == text.size()) return false;
    const auto cTrail = static_cast<unsigned char>(text[i]);
    if (cTrail < 0x40 || cTrail > 0xFC || cTrail == 0x7F) return false;
  }
  return true;
}

// The name of a UTF-16 or UTF-32 encoding the bytes are in, by their
// byte-order mark or, without one, by where the zero bytes of ASCII text fall.
std::optional<std::string> WideEncodingName(std::string_view bytes) {
  if (bytes.starts_with(std::string_view("\xFF\xFE\0\0", 4))) return "UTF-32LE";
  if (bytes.starts_with(std::string_view("\0\0\xFE\xFF", 4))) return "UTF-32BE";
  if (bytes.starts_with("\xFF\xFE")) return "UTF-16LE";
  if (bytes.starts_with("\xFE\xFF")) return "UTF-16BE";
  size_t nEven = 0;
  size_t nOdd = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\0') ++(i % 2 == 0 ? nEven : nOdd);
  }
  // Text in a byte encoding has no zero bytes; UTF-16 of ASCII has one in
  // every pair.
  if (nEven + nOdd == 0 || nEven + nOdd < bytes.size() / 4) return std::nullopt;
  return std::string(nOdd > nEven ? "UTF-16LE" : "UTF-16BE") + " without a byte-order mark";
}

// Calls onLine(nLine, text) for each line, numbered as CIniFile numbers them:
// CR, LF and CR LF each end a line.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  size_t nLine = 0;
  size_t nPos = 0;
  while (nPos < text.size()) {
    size_t nEnd = text.find_first_of("\r\n", nPos);
    if (nEnd == std::string_view::npos) nEnd = text.size();
    if (!onLine(++nLine, text.substr(nPos, nEnd - nPos))) return;
    nPos = nEnd + 1;
    if (nEnd + 1 < text.size() && text[nEnd] == '\r' && text[nEnd + 1] == '\n') ++nPos;
  }
}

std::string_view OddLineText(CIniFile::eODD_LINE eKind) {
  switch (eKind) {
    case CIniFile::eODD_LINE::NO_CLOSING_BRACKET:
      return "the line starts a section name with '[' but has no ']'; it is ignored";
    case CIniFile::eODD_LINE::NO_EQUALS:
      return "the line is neither a section, a comment nor key=value; it is ignored";
    case CIniFile::eODD_LINE::EMPTY_KEY:
      return "the line has nothing before its '='; it is ignored";
    case CIniFile::eODD_LINE::BEFORE_SECTIONS:
      return "the entry comes before the first section; it is never read";
  }
  return {};
}

}  // namespace

std::optional<eSOURCE_KIND> CSourceLinter::KindOfFileName(std::string_view strFileName) {
  if (!strFileName.ends_with(kSourceExtension)) return std::nullopt;
  const std::string_view stem = strFileName.substr(0, strFileName.size() - kSourceExtension.size());
  if (stem == kMonsterFileStem) return eSOURCE_KIND::MONSTER;
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    if (stem == CDataManager::GetCategoryName(nCategory)) return eSOURCE_KIND::WEAPON;
  }
  return std::nullopt;
}

eSOURCE_KIND CSourceLinter::KindOfContent(std::string_view bytes) {
  const CIniFile ini = CIniFile::Parse(bytes);
  const auto has = [&ini](std::string_view section) { return ini.GetSectionLine(section) != 0; };
  const bool bMonster = has("Monster") || has("Level");
  const bool bWeapon = has("Action") || has("HitPattern") || has("Weapon");
  return bMonster && !bWeapon ? eSOURCE_KIND::MONSTER : eSOURCE_KIND::WEAPON;
}

std::vector<LintFinding_t> CSourceLinter::Lint(std::string_view bytes, eSOURCE_KIND eKind) {
  const CIniFile ini = CIniFile::Parse(bytes);
  CSourceLinter linter(ini, eKind);
  linter.Run(bytes);
  return std::move(linter.m_arrFinding);
}

std::string CSourceLinter::FormatFinding(std::string_view strFile, const LintFinding_t& finding) {
  std::string strLine(strFile);
  if (finding.nLine > 0) strLine += ":" + std::to_string(finding.nLine);
  return strLine + ": " + finding.strText;
}

CSourceLinter::CSourceLinter(const CIniFile& ini, eSOURCE_KIND eKind) : m_ini(ini), m_eKind(eKind) {
  for (const CIniFile::Section_t& section : ini.GetSections()) {
    m_mapSectionAt.emplace(section.nLine, &section);
  }
}

void CSourceLinter::Run(std::string_view bytes) {
  const SourceLookup lookup = LookupIn(m_ini);
  // Text in a wide encoding is no INI file to the converter: reporting what
  // it reads there would only bury the one finding that matters.
  if (!CheckEncoding(bytes)) return;
  std::vector<SkippedEntry_t> arrSkipped;  // the listener hears of each one
  if (m_eKind == eSOURCE_KIND::MONSTER) {
    if (CMonsterDataFile::ReadSource(lookup, arrSkipped, this).arrMonster.empty()) {
      Add(0, {}, {},
          "the converter finds no monster here: the data file it writes holds none, and the "
          "monster list disappears");
    }
  } else if (CWeaponDataFile::ReadSource(lookup, arrSkipped, this).arrWeapon.empty()) {
    Add(0, {}, {},
        "the converter finds no weapon here: the data file it writes holds none, and the "
        "category disappears");
  }
  CheckOddLines();
  CheckSections();

  // A monster listed twice reads its section twice: report each thing once.
  std::stable_sort(
      m_arrFinding.begin(), m_arrFinding.end(),
      [](const LintFinding_t& a, const LintFinding_t& b) { return a.nLine < b.nLine; });
  std::set<std::pair<size_t, std::string>> setSeen;
  std::vector<LintFinding_t> arrUnique;
  for (LintFinding_t& finding : m_arrFinding) {
    if (setSeen.emplace(finding.nLine, finding.strText).second) {
      arrUnique.push_back(std::move(finding));
    }
  }
  m_arrFinding = std::move(arrUnique);
}

void CSourceLinter::OnEntry(eSOURCE_ENTRY eKind, std::string_view section, std::string_view key,
                            const SourceValue_t& value, std::string_view strSkipReason) {
  const size_t nSectionLine = m_ini.GetSectionLine(section);
  if (nSectionLine != 0) m_setReadSection.insert(nSectionLine);
  const CIniFile::Value_t* pValue = m_ini.Find(section, key);
  const size_t nLine = pValue != nullptr ? pValue->nLine : nSectionLine;
  if (pValue != nullptr) {
    m_setReadEntry.insert(pValue->nLine);
    if (pValue->bCut) {
      Add(nLine, section, key,
          Subject(section, key) + ": the value is longer than " +
              std::to_string(CIniFile::kMaxValueBytes) + " bytes and is cut there");
    }
  }
  if (!strSkipReason.empty()) {
    CheckSkippedEntry(eKind, section, key, nLine, strSkipReason);
  } else {
    CheckKeptEntry(eKind, section, key, nLine, std::string(value.strText));
  }
}

void CSourceLinter::OnListEnd(eSOURCE_ENTRY /*eKind*/, std::string_view section, int nEnd) {
  const size_t nSectionLine = m_ini.GetSectionLine(section);
  if (nSectionLine == 0) return;
  m_setReadSection.insert(nSectionLine);
  m_mapListEnd[nSectionLine] = nEnd;

  // The numbered entries after the end, which the converter never reaches.
  std::optional<int> nFirst;
  std::optional<int> nLast;
  size_t nFirstLine = 0;
  for (const CIniFile::Entry_t& entry : m_mapSectionAt.at(nSectionLine)->arrEntry) {
    const CIniFile::Value_t* pValue = m_ini.Find(section, entry.strKey);
    const std::optional<int> nNumber = EntryNumber(entry.strKey);
    if (pValue == nullptr || pValue->nLine != entry.nLine || !nNumber || *nNumber <= nEnd) continue;
    if (!nFirst || *nNumber < *nFirst) {
      nFirst = nNumber;
      nFirstLine = entry.nLine;
    }
    if (!nLast || *nNumber > *nLast) nLast = nNumber;
  }
  if (!nFirst) return;

  const std::string strEnd = std::to_string(nEnd);
  const CIniFile::Value_t* pEnd = m_ini.Find(section, strEnd);
  const std::string strUnread = *nFirst == *nLast
                                    ? "entry " + std::to_string(*nFirst) + " is never read"
                                    : "entries " + std::to_string(*nFirst) + " to " +
                                          std::to_string(*nLast) + " are never read";
  Add(pEnd != nullptr ? pEnd->nLine : nFirstLine, section, strEnd,
      Subject(section, strEnd) + (pEnd != nullptr ? " is empty: " : " is missing: ") + strUnread);
}

void CSourceLinter::CheckSkippedEntry(eSOURCE_ENTRY eKind, std::string_view section,
                                      std::string_view key, size_t nLine,
                                      std::string_view strReason) {
  if (eKind == eSOURCE_ENTRY::ANGER && m_ini.GetSectionLine(section) == 0) {
    // No section at all: the place to mend is the list entry, or the
    // section's name.
    Add(m_monsterEntry.nLine, m_monsterEntry.strSection, m_monsterEntry.strKey,
        Subject(m_monsterEntry.strSection, m_monsterEntry.strKey) + ": the section " +
            Subject(section, {}) + " is missing, so the monster is left out");
    return;
  }
  // The reasons about "Anger" already say that the monster is left out.
  const std::string strOutcome = eKind == eSOURCE_ENTRY::ANGER ? "" : "; the entry is skipped";
  Add(nLine, section, key, Subject(section, key) + ": " + std::string(strReason) + strOutcome);
}

void CSourceLinter::CheckKeptEntry(eSOURCE_ENTRY eKind, std::string_view section,
                                   std::string_view key, size_t nLine,
                                   const std::string& strValue) {
  switch (eKind) {
    case eSOURCE_ENTRY::MOTION: {
      CheckMotionText(section, key, nLine, *TextAfterName(strValue));
      const ActionSource_t action = *ParseActionSource(strValue).entry;
      if (action.cRateLetter != 0) CheckRange(section, key, nLine, "rate", action.nRate, kMax8);
      for (const int32_t nValue : action.arrValue) {
        CheckRange(section, key, nLine, "motion value", nValue, kMax16);
      }
      CheckName(m_mapMotion, "motion", section, key, nLine, action.strName);
      break;
    }
    case eSOURCE_ENTRY::HIT_PATTERN: {
      CheckNumberTexts(section, key, nLine, *TextAfterName(strValue), kHitPatternName);
      const HitPatternRecord_t pattern = *ParseHitPatternValue(strValue).entry;
      CheckRange(section, key, nLine, "low rate", pattern.nLowRate, kMax8);
      CheckRange(section, key, nLine, "high rate", pattern.nHighRate, kMax8);
      break;
    }
    case eSOURCE_ENTRY::WEAPON: {
      CheckNumberTexts(section, key, nLine, *TextAfterName(strValue), kWeaponName);
      const WeaponRecord_t weapon = *ParseWeaponValue(strValue).entry;
      CheckRange(section, key, nLine, "attack", weapon.nAttack, kMax16);
      CheckRange(section, key, nLine, "element value", weapon.nElement, kMax16);
      if (weapon.nSharpness < SHARPNESS_MIN || weapon.nSharpness > SHARPNESS_MAX) {
        Add(nLine, section, key,
            Subject(section, key) + ": sharpness " + std::to_string(weapon.nSharpness) +
                " is outside 0 to 5 (red to white)");
      }
      CheckName(m_mapWeapon, "weapon", section, key, nLine, weapon.strName);
      break;
    }
    case eSOURCE_ENTRY::MONSTER:
      m_monsterEntry = {std::string(section), std::string(key), nLine};
      CheckName(m_mapMonster, "monster", section, key, nLine, strValue);
      CheckMonsterSection(section, key, nLine, strValue);
      break;
    case eSOURCE_ENTRY::ANGER: {
      CheckNumberTexts(section, key, nLine, RemoveBlanks(strValue), kAngerName);
      const std::array<int32_t, 3> nAnger = *ParseAngerValue(strValue).entry;
      for (size_t i = 0; i < nAnger.size(); ++i) {
        CheckRange(section, key, nLine, kAngerName[i], nAnger[i], kMax8);
      }
      break;
    }
    case eSOURCE_ENTRY::REGION: {
      CheckNumberTexts(section, key, nLine, *TextAfterName(strValue), kHitzoneName);
      const RegionRecord_t region = *ParseRegionValue(strValue).entry;
      for (size_t i = 0; i < region.nValue.size(); ++i) {
        CheckRange(section, key, nLine, kHitzoneName[i], region.nValue[i], kMax8);
      }
      break;
    }
    case eSOURCE_ENTRY::LEVEL: {
      CheckNumberTexts(section, key, nLine, *TextAfterName(strValue), kLevelName);
      const LevelSource_t level = *ParseLevelSource(strValue).entry;
      CheckRange(section, key, nLine, "rate", level.nRate, kMax8);
      break;
    }
  }
}

void CSourceLinter::CheckNumberTexts(std::string_view section, std::string_view key, size_t nLine,
                                     std::string_view text,
                                     std::span<const std::string_view> arrWhat) {
  const std::vector<std::string_view> arrToken = SplitTokens(text);
  for (size_t i = 0; i < arrWhat.size() && i < arrToken.size(); ++i) {
    CheckNumberText(section, key, nLine, arrWhat[i], arrToken[i]);
  }
  if (arrToken.size() <= arrWhat.size()) return;
  const size_t nExtra = static_cast<size_t>(arrToken[arrWhat.size()].data() - text.data()) - 1;
  Add(nLine, section, key,
      Subject(section, key) + ": the text after the " + std::to_string(arrWhat.size()) +
          (arrWhat.size() == 1 ? " number, \"" : " numbers, \"") +
          std::string(text.substr(nExtra)) + "\", is ignored");
}

void CSourceLinter::CheckMotionText(std::string_view section, std::string_view key, size_t nLine,
                                    std::string_view text) {
  const std::vector<std::string_view> arrToken = SplitTokens(text);
  for (size_t i = 0; i < arrToken.size(); ++i) {
    const std::string_view token = arrToken[i];
    const bool bLast = i + 1 == arrToken.size();
    if (token.empty() && !bLast) {
      // The converter stops at an empty token and reads the rest as one value.
      const std::string_view rest = text.substr(static_cast<size_t>(token.data() - text.data()));
      Add(nLine, section, key,
          Subject(section, key) + ": an empty motion value ends the list; the rest, \"" +
              std::string(rest) + "\", is read as one motion value " +
              std::to_string(ConvertToken(rest)));
      return;
    }
    if (i == 0 && !bLast && IsRateLetter(token.front())) {
      CheckNumberText(section, key, nLine, "rate", token.substr(1));
    } else if (i == 0 && !bLast && IsLowerRateLetter(token.front())) {
      Add(nLine, section, key,
          Subject(section, key) + ": " + std::string(token) + " is read as motion value " +
              std::to_string(ConvertToken(token)) + " (a rate letter is A, B or C in upper case)");
    } else {
      CheckNumberText(section, key, nLine, "motion value", token);
    }
  }
}

void CSourceLinter::CheckNumberText(std::string_view section, std::string_view key, size_t nLine,
                                    std::string_view what, std::string_view token) {
  const std::string strRead = std::to_string(ConvertToken(token));
  std::string strText = Subject(section, key) + ": " + std::string(what);
  switch (ClassifyNumberText(token)) {
    case eNUMBER_TEXT::PLAIN: return;
    case eNUMBER_TEXT::EMPTY: strText += " is empty and read as 0"; break;
    case eNUMBER_TEXT::WRAPS:
      strText +=
          " " + std::string(token) + " does not fit in 32 bits and wraps around to " + strRead;
      break;
    case eNUMBER_TEXT::OTHER:
      strText += " " + std::string(token) + " is read as " + strRead +
                 " (only decimal digits with an optional minus sign are read as written)";
      break;
  }
  Add(nLine, section, key, std::move(strText));
}

void CSourceLinter::CheckRange(std::string_view section, std::string_view key, size_t nLine,
                               std::string_view what, int32_t nValue, int32_t nMax) {
  if (nValue >= 0 && nValue <= nMax) return;
  const int32_t nKept = nMax == kMax8 ? Low8(nValue) : Low16(nValue);
  Add(nLine, section, key,
      Subject(section, key) + ": " + std::string(what) + " " + std::to_string(nValue) +
          " is kept as " + std::to_string(nKept) + " (only 0 to " + std::to_string(nMax) +
          " can be stored)");
}

void CSourceLinter::CheckMonsterSection(std::string_view section, std::string_view key,
                                        size_t nLine, const std::string& strName) {
  const size_t nSectionLine = m_ini.GetSectionLine(strName);
  if (nSectionLine == 0) return;  // the missing section has its own finding
  for (const std::string_view list : {std::string_view("Monster"), std::string_view("Level")}) {
    if (nSectionLine != m_ini.GetSectionLine(list)) continue;
    Add(nLine, section, key,
        Subject(section, key) + ": the monster's section " + Subject(strName, {}) + " is the " +
            std::string(list) +
            " list as well; its entries are read as both (name the monster otherwise)");
  }
}

void CSourceLinter::CheckName(std::map<std::string, NameUse_t>& mapName, std::string_view noun,
                              std::string_view section, std::string_view key, size_t nLine,
                              const std::string& strName) {
  const auto [it, bNew] =
      mapName.try_emplace(strName, NameUse_t{std::string(section), std::string(key), nLine});
  if (bNew) return;
  const NameUse_t& first = it->second;
  Add(nLine, section, key,
      Subject(section, key) + ": the " + std::string(noun) + " name " + strName +
          " is used before by " + Subject(first.strSection, first.strKey) + " (" +
          LineRef(first.nLine) + "); the two cannot be told apart");
}

bool CSourceLinter::CheckEncoding(std::string_view bytes) {
  if (const std::optional<std::string> strWide = WideEncodingName(bytes)) {
    Add(0, {}, {},
        "the file is " + *strWide +
            ": the converter reads Shift-JIS or UTF-8 with a byte-order mark, so what it "
            "finds here is not what the file says (save it as Shift-JIS, or as UTF-8 with BOM)");
    m_arrFinding.back().bMisencoded = true;
    return false;
  }
  if (!bytes.starts_with(kUtf8Mark)) {
    if (IsAscii(bytes)) return true;
    const bool bUtf8 = velkar::IsUtf8(bytes);
    ForEachLine(bytes, [this, bUtf8](size_t nLine, std::string_view line) {
      if (bUtf8 ? IsAscii(line) : IsSjis(line)) return true;
      Add(nLine, {}, {},
          bUtf8 ? "the file is UTF-8 without a byte-order mark: it is read as Shift-JIS, so "
                  "its Japanese turns into mojibake (save it as UTF-8 with BOM, or as Shift-JIS)"
                : "this line is neither Shift-JIS nor UTF-8 (saved in another encoding?); its "
                  "text turns into mojibake (save the file as Shift-JIS, or as UTF-8 with BOM)");
      m_arrFinding.back().bMisencoded = bUtf8;
      return false;
    });
    return true;
  }
  ForEachLine(bytes.substr(kUtf8Mark.size()), [this](size_t nLine, std::string_view line) {
    if (velkar::IsUtf8(line)) return true;
    Add(nLine, {}, {},
        "the file starts with a UTF-8 byte-order mark, but this line is not UTF-8 (a "
        "Shift-JIS file with a stray mark?); what it holds cannot be read");
    return false;
  });
  return true;
}

void CSourceLinter::CheckOddLines() {
  for (const CIniFile::OddLine_t& line : m_ini.GetOddLines()) {
    Add(line.nLine, {}, {}, std::string(OddLineText(line.eKind)));
  }
}

void CSourceLinter::CheckSections() {
  for (const CIniFile::Section_t& section : m_ini.GetSections()) {
    const std::string strSubject = Subject(section.strName, {});
    if (section.bUnencodable) {
      Add(section.nLine, section.strName, {},
          strSubject +
              ": the section name holds a character that Shift-JIS cannot encode; "
              "the section is never read");
      continue;
    }
    const size_t nFirstLine = m_ini.GetSectionLine(section.strName);
    if (nFirstLine != section.nLine) {
      Add(section.nLine, section.strName, {},
          strSubject + ": the section appears again (first at " + LineRef(nFirstLine) +
              "); the entries of this one are never read");
    } else if (!m_setReadSection.contains(section.nLine)) {
      Add(section.nLine, section.strName, {},
          strSubject + (m_eKind == eSOURCE_KIND::MONSTER
                            ? ": the section is never read (no entry of [Monster] names it)"
                            : ": the section is never read (a weapon source has [Action], "
                              "[HitPattern] and [Weapon])"));
    } else {
      CheckUnreadEntries(section);
    }
  }
}

void CSourceLinter::CheckUnreadEntries(const CIniFile::Section_t& section) {
  const auto itEnd = m_mapListEnd.find(section.nLine);
  for (const CIniFile::Entry_t& entry : section.arrEntry) {
    const CIniFile::Value_t* pValue = m_ini.Find(section.strName, entry.strKey);
    const std::string strSubject = Subject(section.strName, entry.strKey);
    if (pValue == nullptr) {
      Add(entry.nLine, section.strName, entry.strKey,
          strSubject +
              ": the key holds a character that Shift-JIS cannot encode; the entry "
              "is never read");
      continue;
    }
    if (pValue->nLine != entry.nLine) {
      Add(entry.nLine, section.strName, entry.strKey,
          strSubject + ": the key appears again (first at " + LineRef(pValue->nLine) +
              "); this entry is never read");
      continue;
    }
    // A section whose list was never read (its monster was left out) has
    // its finding elsewhere; so have the entries from the end of a list on.
    const std::optional<int> nNumber = EntryNumber(entry.strKey);
    if (m_setReadEntry.contains(entry.nLine) || itEnd == m_mapListEnd.end() ||
        (nNumber && *nNumber >= itEnd->second)) {
      continue;
    }
    std::string strText = strSubject;
    strText += ": the entry is never read";
    strText += UnreadHint(section, entry.strKey);
    Add(entry.nLine, section.strName, entry.strKey, std::move(strText));
  }
}

std::string_view CSourceLinter::UnreadHint(const CIniFile::Section_t& section,
                                           std::string_view key) const {
  if (HasLeadingZero(key)) return " (entry numbers are written without leading zeros)";
  // The numbers a list reads run from its start; only 0 can lie below it.
  if (EntryNumber(key)) return " (this list starts at 1)";
  const bool bMonsterSection = m_eKind == eSOURCE_KIND::MONSTER &&
                               section.nLine != m_ini.GetSectionLine("Monster") &&
                               section.nLine != m_ini.GetSectionLine("Level");
  return bMonsterSection ? " (a monster's section holds Anger and the numbered regions)"
                         : " (only numbered entries are read here)";
}

void CSourceLinter::Add(size_t nLine, std::string_view section, std::string_view key,
                        std::string strText) {
  m_arrFinding.push_back({nLine, std::string(section), std::string(key), std::move(strText)});
}
