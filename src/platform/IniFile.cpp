// CIniFile: one pass over the text splits it into lines and files every
// section and key=value line; lookups then hash two folded names. One walk
// over each line's whole characters finds its syntax, so the second byte of a
// double-byte character is never read as '[', ']', '=', a quote, a blank or a
// letter.
// A UTF-8 file is converted line by line, and the offsets of the '?' marks
// the conversion leaves tell which names and values held what Shift-JIS lacks.
#include "platform/IniFile.h"

#include <utility>

#include "platform/Cp932.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The end of the character that starts at nPos. A lead byte takes the next
// byte of the line with it, whatever that byte is.
size_t CharEnd(std::string_view text, size_t nPos) {
  const bool bDouble =
      velkar::IsSjisLeadByte(static_cast<unsigned char>(text[nPos])) && nPos + 1 < text.size();
  return nPos + (bDouble ? 2 : 1);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The end of the line that starts at nPos: its CR or LF, or the end of the text.
size_t LineEnd(std::string_view text, size_t nPos) {
  while (nPos < text.size() && text[nPos] != '\r' && text[nPos] != '\n') ++nPos;
  return nPos;
}

// What one walk over a line's characters finds: its text without the blanks
// around it, [nBegin, nEnd), the start of its last character, nLast, the
// first single '=' and the last single ']', each with the end of the last
// character before it that is no blank.
struct LineScan_t {
  size_t nBegin = 0;
  size_t nEnd = 0;
  size_t nLast = 0;
  size_t nEqual = std::string_view::npos;
  size_t nKeyEnd = 0;
  size_t nClose = std::string_view::npos;
  size_t nNameEnd = 0;
};

LineScan_t ScanLine(std::string_view line) {
  LineScan_t scan;
  // Blanks are single bytes that no lead byte precedes here.
  while (scan.nBegin < line.size() && IsBlank(line[scan.nBegin])) ++scan.nBegin;
  scan.nEnd = scan.nBegin;
  for (size_t nPos = scan.nBegin; nPos < line.size();) {
    const size_t nNext = CharEnd(line, nPos);
    if (nNext == nPos + 1) {
      const char c = line[nPos];
      if (c == '=' && scan.nEqual == std::string_view::npos) {
        scan.nEqual = nPos;
        scan.nKeyEnd = scan.nEnd;
      } else if (c == ']') {
        scan.nClose = nPos;
        scan.nNameEnd = scan.nEnd;
      }
      if (IsBlank(c)) {
        nPos = nNext;
        continue;
      }
    }
    scan.nLast = nPos;
    scan.nEnd = nNext;
    nPos = nNext;
  }
  return scan;
}

// [nBegin, nEnd) of the line without the blanks at its start; empty when
// nothing but blanks is there.
std::string_view Between(std::string_view line, size_t nBegin, size_t nEnd) {
  while (nBegin < nEnd && IsBlank(line[nBegin])) ++nBegin;
  return nBegin < nEnd ? line.substr(nBegin, nEnd - nBegin) : std::string_view{};
}

// Removes one matching pair of outer quotes, " or ', from a value of the line
// whose last character starts at nLast.
std::string_view Unquote(std::string_view line, std::string_view value, size_t nLast) {
  if (value.size() < 2 || (value.front() != '"' && value.front() != '\'')) return value;
  const auto nFirst = static_cast<size_t>(value.data() - line.data());
  const size_t nEnd = nFirst + value.size();
  if (nLast <= nFirst || nEnd != nLast + 1 || line[nLast] != value.front()) return value;
  return value.substr(1, value.size() - 2);
}

// Whether part, a view into line, holds one of the offsets in arrReplaced.
bool HoldsReplaced(std::string_view line, std::string_view part,
                   const std::vector<size_t>& arrReplaced) {
  const auto nBegin = static_cast<size_t>(part.data() - line.data());
  for (const size_t nOffset : arrReplaced) {
    if (nOffset >= nBegin && nOffset < nBegin + part.size()) return true;
  }
  return false;
}

}  // namespace

CIniFile CIniFile::Parse(std::string_view text) {
  CIniFile ini;
  ini.m_bUtf8 = text.starts_with(kUtf8Mark);
  if (ini.m_bUtf8) text.remove_prefix(kUtf8Mark.size());
  KeyIndex_t* pKeys = nullptr;
  std::vector<size_t> arrReplaced;
  size_t nLine = 0;
  size_t nPos = 0;
  while (nPos < text.size()) {
    // CR, LF and CR LF each end a line; neither byte can be part of a
    // double-byte character or of a UTF-8 sequence.
    const size_t nEnd = LineEnd(text, nPos);
    const std::string_view line = text.substr(nPos, nEnd - nPos);
    if (ini.m_bUtf8) {
      arrReplaced.clear();
      const std::string strSjis = velkar::Utf8ToSjisReplacing(line, arrReplaced);
      ini.ReadLine(strSjis, ++nLine, arrReplaced, pKeys);
    } else {
      ini.ReadLine(line, ++nLine, arrReplaced, pKeys);
    }
    nPos = nEnd + 1;
    if (nEnd + 1 < text.size() && text[nEnd] == '\r' && text[nEnd + 1] == '\n') ++nPos;
  }
  return ini;
}

void CIniFile::ReadLine(std::string_view line, size_t nLine, const std::vector<size_t>& arrReplaced,
                        KeyIndex_t*& pKeys) {
  const LineScan_t scan = ScanLine(line);
  if (scan.nBegin == scan.nEnd || line[scan.nBegin] == ';') return;

  if (line[scan.nBegin] == '[') {
    if (scan.nClose == std::string_view::npos) {
      m_arrOddLine.push_back({nLine, std::string(line), eODD_LINE::NO_CLOSING_BRACKET});
      return;
    }
    const std::string_view name = Between(line, scan.nBegin + 1, scan.nNameEnd);
    const bool bUnencodable = HoldsReplaced(line, name, arrReplaced);
    pKeys = nullptr;
    if (!bUnencodable) {
      // A later section of the same name is listed but never answers lookups.
      auto [it, bNew] = m_mapIndex.try_emplace(FoldCase(name));
      if (bNew) {
        it->second.nLine = nLine;
        pKeys = &it->second.mapKey;
      }
    }
    m_arrSection.push_back({std::string(name), nLine, bUnencodable, {}});
    return;
  }

  const std::string_view key = scan.nEqual == std::string_view::npos
                                   ? std::string_view{}
                                   : line.substr(scan.nBegin, scan.nKeyEnd - scan.nBegin);
  if (key.empty() || m_arrSection.empty()) {
    const eODD_LINE eKind = scan.nEqual == std::string_view::npos ? eODD_LINE::NO_EQUALS
                            : key.empty()                         ? eODD_LINE::EMPTY_KEY
                                                                  : eODD_LINE::BEFORE_SECTIONS;
    m_arrOddLine.push_back({nLine, std::string(line), eKind});
    return;
  }
  const std::string_view value =
      Unquote(line, Between(line, scan.nEqual + 1, scan.nEnd), scan.nLast);
  if (pKeys != nullptr && !HoldsReplaced(line, key, arrReplaced)) {
    const std::string_view kept = value.substr(0, velkar::SjisPrefixLength(value, kMaxValueBytes));
    const auto [it, bNew] = pKeys->try_emplace(FoldCase(key));
    if (bNew) {
      it->second.strText.assign(kept);
      it->second.nLine = nLine;
      it->second.bCut = kept.size() < value.size();
      it->second.bUnencodable = HoldsReplaced(line, kept, arrReplaced);
    }
  }
  m_arrSection.back().arrEntry.push_back({std::string(key), std::string(value), nLine});
}

std::string CIniFile::GetString(std::string_view section, std::string_view key) const {
  const Value_t* pValue = Find(section, key);
  return pValue == nullptr ? std::string() : pValue->strText;
}

const CIniFile::Value_t* CIniFile::Find(std::string_view section, std::string_view key) const {
  const auto itSection = m_mapIndex.find(FoldCase(section));
  if (itSection == m_mapIndex.end()) return nullptr;
  const auto itKey = itSection->second.mapKey.find(FoldCase(key));
  return itKey == itSection->second.mapKey.end() ? nullptr : &itKey->second;
}

size_t CIniFile::GetSectionLine(std::string_view section) const {
  const auto it = m_mapIndex.find(FoldCase(section));
  return it == m_mapIndex.end() ? 0 : it->second.nLine;
}

std::string CIniFile::FoldCase(std::string_view name) {
  std::string strFolded(name);
  // Steps whole characters, so a second byte is never folded.
  for (size_t nPos = 0; nPos < strFolded.size(); nPos = CharEnd(strFolded, nPos)) {
    char& c = strFolded[nPos];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return strFolded;
}
