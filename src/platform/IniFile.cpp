// CIniFile: one pass over the text splits it into lines and files every
// section and key=value line; lookups then hash two folded names. Every scan
// inside a line walks whole characters, so the second byte of a double-byte
// character is never read as '[', ']', '=', a quote, a blank or a letter.
#include "platform/IniFile.h"

#include <utility>

#include "platform/BinaryFile.h"
#include "platform/Cp932.h"

namespace {

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

}  // namespace

CIniFile CIniFile::Load(const std::string& strPath) {
  std::vector<uint8_t> arrBytes;
  std::string strError;
  if (velkar::ReadWholeFile(strPath, arrBytes, strError) != velkar::eREAD_RESULT::Ok) return {};
  return Parse(std::string_view(reinterpret_cast<const char*>(arrBytes.data()), arrBytes.size()));
}

CIniFile CIniFile::Parse(std::string_view text) {
  CIniFile ini;
  ini.m_bFound = true;
  KeyIndex_t* pKeys = nullptr;
  size_t nLine = 0;
  size_t nPos = 0;
  while (nPos < text.size()) {
    // CR, LF and CR LF each end a line; neither byte can be part of a
    // double-byte character.
    size_t nEnd = text.find_first_of("\r\n", nPos);
    if (nEnd == std::string_view::npos) nEnd = text.size();
    ini.ReadLine(text.substr(nPos, nEnd - nPos), ++nLine, pKeys);
    nPos = nEnd + 1;
    if (nEnd + 1 < text.size() && text[nEnd] == '\r' && text[nEnd + 1] == '\n') ++nPos;
  }
  return ini;
}

void CIniFile::ReadLine(std::string_view line, size_t nLine, KeyIndex_t*& pKeys) {
  const std::string_view body = TrimBlanks(line);
  if (body.empty() || body.front() == ';') return;

  if (body.front() == '[') {
    const size_t nClose = FindSingle(body, ']', true);
    if (nClose == std::string_view::npos) {
      m_arrOddLine.push_back({nLine, std::string(line)});
      return;
    }
    std::string strName(TrimBlanks(body.substr(1, nClose - 1)));
    // A later section of the same name is listed but never answers lookups.
    auto [it, bNew] = m_mapIndex.try_emplace(FoldCase(strName));
    pKeys = bNew ? &it->second : nullptr;
    m_arrSection.push_back({std::move(strName), nLine, {}});
    return;
  }

  const size_t nEqual = FindSingle(body, '=', false);
  const std::string_view key =
      nEqual == std::string_view::npos ? std::string_view{} : TrimBlanks(body.substr(0, nEqual));
  if (key.empty() || m_arrSection.empty()) {
    m_arrOddLine.push_back({nLine, std::string(line)});
    return;
  }
  const std::string_view value = Unquote(TrimBlanks(body.substr(nEqual + 1)));
  if (pKeys != nullptr) {
    pKeys->try_emplace(FoldCase(key),
                       value.substr(0, velkar::SjisPrefixLength(value, kMaxValueBytes)));
  }
  m_arrSection.back().arrEntry.push_back({std::string(key), std::string(value), nLine});
}

std::string CIniFile::GetString(std::string_view section, std::string_view key) const {
  const auto itSection = m_mapIndex.find(FoldCase(section));
  if (itSection == m_mapIndex.end()) return {};
  const auto itKey = itSection->second.find(FoldCase(key));
  if (itKey == itSection->second.end()) return {};
  return itKey->second;
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
