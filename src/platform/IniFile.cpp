// CIniFile: one pass over the text splits it into lines and files every
// section and key=value line; lookups then hash two folded names. Every scan
// inside a line walks whole characters, so the second byte of a double-byte
// character is never read as '[', ']', '=', a quote, a blank or a letter.
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

// Whether the character [nPos, nEnd) is the single byte c.
bool IsSingle(std::string_view text, size_t nPos, size_t nEnd, char c) {
  return nEnd == nPos + 1 && text[nPos] == c;
}

std::string_view TrimBlanks(std::string_view text) {
  size_t nBegin = 0;
  while (nBegin < text.size() && IsBlank(text[nBegin])) ++nBegin;
  size_t nEnd = nBegin;
  for (size_t nPos = nBegin; nPos < text.size();) {
    const size_t nNext = CharEnd(text, nPos);
    if (!IsSingle(text, nPos, nNext, ' ') && !IsSingle(text, nPos, nNext, '\t')) nEnd = nNext;
    nPos = nNext;
  }
  return text.substr(nBegin, nEnd - nBegin);
}

// The position of the first (or last) character that is the single byte c.
size_t FindSingle(std::string_view text, char c, bool bLast) {
  size_t nFound = std::string_view::npos;
  for (size_t nPos = 0; nPos < text.size();) {
    const size_t nNext = CharEnd(text, nPos);
    if (IsSingle(text, nPos, nNext, c)) {
      nFound = nPos;
      if (!bLast) break;
    }
    nPos = nNext;
  }
  return nFound;
}

// Removes one matching pair of outer quotes, " or '.
std::string_view Unquote(std::string_view text) {
  if (text.size() < 2 || (text.front() != '"' && text.front() != '\'')) return text;
  size_t nLast = 0;
  size_t nLastEnd = 1;
  for (size_t nPos = 1; nPos < text.size(); nPos = nLastEnd) {
    nLast = nPos;
    nLastEnd = CharEnd(text, nPos);
  }
  if (!IsSingle(text, nLast, nLastEnd, text.front())) return text;
  return text.substr(1, nLast - 1);
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
    size_t nEnd = text.find_first_of("\r\n", nPos);
    if (nEnd == std::string_view::npos) nEnd = text.size();
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
  const std::string_view body = TrimBlanks(line);
  if (body.empty() || body.front() == ';') return;

  if (body.front() == '[') {
    const size_t nClose = FindSingle(body, ']', true);
    if (nClose == std::string_view::npos) {
      m_arrOddLine.push_back({nLine, std::string(line), eODD_LINE::NO_CLOSING_BRACKET});
      return;
    }
    const std::string_view name = TrimBlanks(body.substr(1, nClose - 1));
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

  const size_t nEqual = FindSingle(body, '=', false);
  const std::string_view key =
      nEqual == std::string_view::npos ? std::string_view{} : TrimBlanks(body.substr(0, nEqual));
  if (key.empty() || m_arrSection.empty()) {
    const eODD_LINE eKind = nEqual == std::string_view::npos ? eODD_LINE::NO_EQUALS
                            : key.empty()                    ? eODD_LINE::EMPTY_KEY
                                                             : eODD_LINE::BEFORE_SECTIONS;
    m_arrOddLine.push_back({nLine, std::string(line), eKind});
    return;
  }
  const std::string_view value = Unquote(TrimBlanks(body.substr(nEqual + 1)));
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
