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
  if (stem == "Monster") return eSOURCE_KIND::MONSTER;
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
  const SourceLookup lookup = [this](std::string_view section, std::string_view key) {
    const CIniFile::Value_t* pValue = m_ini.Find(section, key);
    return pValue == nullptr ? SourceValue_t{}
                             : SourceValue_t{pValue->strText, pValue->bUnencodable};
  };
  CheckEncoding(bytes);
  std::vector<SkippedEntry_t> arrSkipped;  // the listener hears of each one
  if (m_eKind == eSOURCE_KIND::MONSTER) {
    CMonsterDataFile::ReadSource(lookup, arrSkipped, this);
  } else {
    CWeaponDataFile::ReadSource(lookup, arrSkipped, this);
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
    CheckKeptEntry(eKind, section, key, nLine, value.strText);
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
      const ActionSource_t action = *ParseActionSource(strValue).entry;
      if (action.cRateLetter != 0) CheckRange(section, key, nLine, "rate", action.nRate, kMax8);
      for (const int32_t nValue : action.arrValue) {
        CheckRange(section, key, nLine, "motion value", nValue, kMax16);
      }
      CheckName(m_mapMotion, "motion", section, key, nLine, action.strName);
      break;
    }
    case eSOURCE_ENTRY::HIT_PATTERN: {
      const HitPatternRecord_t pattern = *ParseHitPatternValue(strValue).entry;
      CheckRange(section, key, nLine, "low rate", pattern.nLowRate, kMax8);
      CheckRange(section, key, nLine, "high rate", pattern.nHighRate, kMax8);
      break;
    }
    case eSOURCE_ENTRY::WEAPON: {
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
      break;
    case eSOURCE_ENTRY::ANGER: {
      const std::array<int32_t, 3> nAnger = *ParseAngerValue(strValue).entry;
      for (size_t i = 0; i < nAnger.size(); ++i) {
        CheckRange(section, key, nLine, kAngerName[i], nAnger[i], kMax8);
      }
      break;
    }
    case eSOURCE_ENTRY::REGION: {
      const RegionRecord_t region = *ParseRegionValue(strValue).entry;
      for (size_t i = 0; i < region.nValue.size(); ++i) {
        CheckRange(section, key, nLine, kHitzoneName[i], region.nValue[i], kMax8);
      }
      break;
    }
    case eSOURCE_ENTRY::LEVEL: {
      const LevelSource_t level = *ParseLevelSource(strValue).entry;
      CheckRange(section, key, nLine, "rate", level.nRate, kMax8);
      break;
    }
  }
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

void CSourceLinter::CheckEncoding(std::string_view bytes) {
  if (!bytes.starts_with(kUtf8Mark)) {
    if (IsAscii(bytes) || !velkar::IsUtf8(bytes)) return;
    ForEachLine(bytes, [this](size_t nLine, std::string_view line) {
      if (IsAscii(line)) return true;
      Add(nLine, {}, {},
          "the file looks like UTF-8 but has no byte-order mark: it is read as Shift-JIS, so "
          "its Japanese turns into mojibake (save it as UTF-8 with BOM, or as Shift-JIS)");
      return false;
    });
    return;
  }
  ForEachLine(bytes.substr(kUtf8Mark.size()), [this](size_t nLine, std::string_view line) {
    if (velkar::IsUtf8(line)) return true;
    Add(nLine, {}, {},
        "the file starts with a UTF-8 byte-order mark, but this line is not UTF-8 (a "
        "Shift-JIS file with a stray mark?); what it holds cannot be read");
    return false;
  });
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
