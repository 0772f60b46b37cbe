// CIniFile: the text is copied once (a UTF-8 file converted line by line to
// Shift-JIS), and one pass over the copy splits it into lines and files every
// section and key=value line as views into it. A lookup finds the section by
// its name's hash and the key by its number where it is written as one (the
// converters read numbered lists), else by its hash; names are folded as they
// are hashed and compared, so none is copied for the index. One walk
// over each line's whole characters finds its syntax, so the second byte of a
// double-byte character is never read as '[', ']', '=', a quote, a blank or a
// letter.
// The offsets of the '?' marks that the UTF-8 conversion leaves tell which
// names and values held what Shift-JIS lacks.
#include "platform/IniFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

#include "platform/Cp932.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view AsText(const std::vector<uint8_t>& arrByte) {
  return {reinterpret_cast<const char*>(arrByte.data()), arrByte.size()};
}

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

char FoldLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The end of the line that starts at nPos: its CR or LF, or the end of the text.
size_t LineEnd(std::string_view text, size_t nPos) {
  while (nPos < text.size() && text[nPos] != '\r' && text[nPos] != '\n') ++nPos;
  return nPos;
}

// Where the next line starts after the line that ends at nEnd. CR, LF and
// CR LF each end a line; neither byte can be part of a double-byte character
// or of a UTF-8 sequence.
size_t NextLine(std::string_view text, size_t nEnd) {
  const bool bCrLf = nEnd + 1 < text.size() && text[nEnd] == '\r' && text[nEnd + 1] == '\n';
  return nEnd + (bCrLf ? 2 : 1);
}

// Calls onLine(line, bBreak) for each line of text, bBreak telling whether a
// line break ends it.
template <typename OnLine>
void ForEachLine(std::string_view text, OnLine onLine) {
  for (size_t nPos = 0; nPos < text.size();) {
    const size_t nEnd = LineEnd(text, nPos);
    onLine(text.substr(nPos, nEnd - nPos), nEnd < text.size());
    nPos = NextLine(text, nEnd);
  }
}

// What one walk over a line's characters finds: its length up to its CR or
// LF, its text without the blanks around it, [nBegin, nEnd), the start of its
// last character, nLast, the first single '=' and the last single ']', each
// with the end of the last character before it that is no blank.
struct LineScan_t {
  size_t nLength = 0;
  size_t nBegin = 0;
  size_t nEnd = 0;
  size_t nLast = 0;
  size_t nEqual = std::string_view::npos;
  size_t nKeyEnd = 0;
  size_t nClose = std::string_view::npos;
  size_t nNameEnd = 0;
};

// What a byte means to the walk when it starts a character.
enum class eBYTE : uint8_t { PLAIN, LEAD, BLANK, EQUALS, CLOSE, BREAK };

constexpr std::array<eBYTE, 256> kByteKind = [] {
  std::array<eBYTE, 256> arrKind{};
  for (size_t c = 0; c < arrKind.size(); ++c) {
    if (velkar::IsSjisLeadByte(static_cast<unsigned char>(c))) arrKind[c] = eBYTE::LEAD;
  }
  arrKind[' '] = arrKind['\t'] = eBYTE::BLANK;
  arrKind['='] = eBYTE::EQUALS;
  arrKind[']'] = eBYTE::CLOSE;
  arrKind['\r'] = arrKind['\n'] = eBYTE::BREAK;
  return arrKind;
}();

eBYTE KindOf(char c) {
  return kByteKind[static_cast<unsigned char>(c)];
}

// Walks the line that starts text, up to its CR or LF or the end of text. Runs
// of plain single-byte characters, most of any line, are stepped over at once.
// A lead byte takes the next byte with it unless that byte ends the line.
LineScan_t ScanLine(std::string_view text) {
  LineScan_t scan;
  size_t nPos = 0;
  while (nPos < text.size() && KindOf(text[nPos]) == eBYTE::BLANK) ++nPos;
  scan.nBegin = scan.nEnd = nPos;
  while (nPos < text.size()) {
    const size_t nRun = nPos;
    while (nPos < text.size() && KindOf(text[nPos]) == eBYTE::PLAIN) ++nPos;
    if (nPos > nRun) {
      scan.nLast = nPos - 1;
      scan.nEnd = nPos;
    }
    if (nPos == text.size()) break;
    const eBYTE eKind = KindOf(text[nPos]);
    if (eKind == eBYTE::BREAK) break;
    if (eKind == eBYTE::BLANK) {
      ++nPos;
      continue;
    }
    if (eKind == eBYTE::EQUALS && scan.nEqual == std::string_view::npos) {
      scan.nEqual = nPos;
      scan.nKeyEnd = scan.nEnd;
    } else if (eKind == eBYTE::CLOSE) {
      scan.nClose = nPos;
      scan.nNameEnd = scan.nEnd;
    }
    const bool bDouble =
        eKind == eBYTE::LEAD && nPos + 1 < text.size() && KindOf(text[nPos + 1]) != eBYTE::BREAK;
    scan.nLast = nPos;
    nPos += bDouble ? 2 : 1;
    scan.nEnd = nPos;
  }
  scan.nLength = nPos;
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

}  // namespace

CIniFile CIniFile::Parse(std::string_view text) {
  return Read({text.begin(), text.end()}, true);
}

CIniFile CIniFile::ParseForLookups(std::vector<uint8_t> bytes) {
  return Read(std::move(bytes), false);
}

CIniFile CIniFile::Read(std::vector<uint8_t> bytes, bool bListed) {
  CIniFile ini;
  ini.m_bListed = bListed;
  std::string_view text = AsText(bytes);
  ini.m_bUtf8 = text.starts_with(kUtf8Mark);
  if (ini.m_bUtf8) {
    text.remove_prefix(kUtf8Mark.size());
    std::vector<size_t> arrReplaced;
    ini.m_arrText.reserve(text.size());
    ForEachLine(text, [&ini, &arrReplaced](std::string_view line, bool bBreak) {
      arrReplaced.clear();
      const std::string strSjis = velkar::Utf8ToSjisReplacing(line, arrReplaced);
      for (const size_t nOffset : arrReplaced) {
        ini.m_arrReplaced.push_back(ini.m_arrText.size() + nOffset);
      }
      ini.m_arrText.insert(ini.m_arrText.end(), strSjis.begin(), strSjis.end());
      if (bBreak) ini.m_arrText.push_back('\n');
    });
  } else {
    ini.m_arrText = std::move(bytes);
  }
  ini.ReadText();
  ini.BuildKeyIndex();
  return ini;
}

void CIniFile::ReadText() {
  const std::string_view text = AsText(m_arrText);
  // Room for a value per '=' of the text, so that the list of values is
  // allocated once rather than copied as it grows; at most one per 16 bytes,
  // so that a text of '=' signs asks for no more than a text of short
  // lines would. Shorter lines grow the list as they fill it.
  const auto nEquals = static_cast<size_t>(std::count(text.begin(), text.end(), '='));
  m_arrValue.reserve(std::min(nEquals, text.size() / 16));
  uint32_t nSection = kNoSection;
  size_t nLine = 0;
  for (size_t nPos = 0; nPos < text.size();) {
    nPos = NextLine(text, nPos + ReadLine(text.substr(nPos), ++nLine, nSection));
  }
}

size_t CIniFile::ReadLine(std::string_view text, size_t nLine, uint32_t& nSection) {
  const LineScan_t scan = ScanLine(text);
  const std::string_view line = text.substr(0, scan.nLength);
  if (scan.nBegin == scan.nEnd || line[scan.nBegin] == ';') return scan.nLength;

  if (line[scan.nBegin] == '[') {
    if (scan.nClose == std::string_view::npos) {
      if (m_bListed) {
        m_arrOddLine.push_back({nLine, std::string(line), eODD_LINE::NO_CLOSING_BRACKET});
      }
      return scan.nLength;
    }
    const std::string_view name = Between(line, scan.nBegin + 1, scan.nNameEnd);
    const bool bUnencodable = HoldsReplaced(name);
    nSection = kNoSection;
    if (!bUnencodable) {
      // A later section of the same name is listed but never answers lookups.
      const auto nId = static_cast<uint32_t>(m_mapSection.size());
      if (m_mapSection.try_emplace(name, SectionIndex_t{nLine, nId}).second) nSection = nId;
    }
    m_bInSections = true;
    if (m_bListed) m_arrSection.push_back({std::string(name), nLine, bUnencodable, {}});
    return scan.nLength;
  }

  const std::string_view key = scan.nEqual == std::string_view::npos
                                   ? std::string_view{}
                                   : line.substr(scan.nBegin, scan.nKeyEnd - scan.nBegin);
  if (key.empty() || !m_bInSections) {
    if (!m_bListed) return scan.nLength;
    const eODD_LINE eKind = scan.nEqual == std::string_view::npos ? eODD_LINE::NO_EQUALS
                            : key.empty()                         ? eODD_LINE::EMPTY_KEY
                                                                  : eODD_LINE::BEFORE_SECTIONS;
    m_arrOddLine.push_back({nLine, std::string(line), eKind});
    return scan.nLength;
  }
  const std::string_view value =
      Unquote(line, Between(line, scan.nEqual + 1, scan.nEnd), scan.nLast);
  if (nSection != kNoSection && !HoldsReplaced(key)) {
    const std::string_view kept = value.substr(0, velkar::SjisPrefixLength(value, kMaxValueBytes));
    m_arrValue.push_back(
        {nSection, key, {kept, nLine, kept.size() < value.size(), HoldsReplaced(kept)}});
  }
  if (m_bListed) {
    m_arrSection.back().arrEntry.push_back({std::string(key), std::string(value), nLine});
  }
  return scan.nLength;
}

void CIniFile::BuildKeyIndex() {
  m_arrNumberedRange.assign(m_mapSection.size(), {});
  for (const IndexedValue_t& entry : m_arrValue) ++m_arrNumberedRange[entry.nSection].nCount;
  size_t nFirst = 0;
  for (NumberedRange_t& range : m_arrNumberedRange) {
    range.nFirst = nFirst;
    nFirst += range.nCount;
  }
  // A key already filed keeps its first line.
  const auto fileFirst = [](uint32_t& nSlot, size_t n) {
    if (nSlot == 0) nSlot = static_cast<uint32_t>(n + 1);
  };
  m_arrNumbered.assign(nFirst, 0);
  // Numbered keys first; the others, few in the converters' sources, then go
  // into a hash table sized for them alone.
  std::vector<size_t> arrOther;
  for (size_t n = 0; n < m_arrValue.size(); ++n) {
    const std::optional<size_t> nPlace = NumberedPlace(m_arrValue[n].nSection, m_arrValue[n].key);
    if (nPlace) {
      fileFirst(m_arrNumbered[*nPlace], n);
    } else {
      arrOther.push_back(n);
    }
  }
  m_arrSlot.assign(std::bit_ceil(2 * arrOther.size() + 1), 0);
  for (const size_t n : arrOther) {
    fileFirst(m_arrSlot[SlotOf(m_arrValue[n].nSection, m_arrValue[n].key)], n);
  }
}

std::optional<size_t> CIniFile::NumberedPlace(uint32_t nSection, std::string_view key) const {
  // Only the one way of writing a number: no sign, no leading zero.
  constexpr size_t kMaxDigits = 9;
  if (key.empty() || key.size() > kMaxDigits || (key.front() == '0' && key.size() > 1)) {
    return std::nullopt;
  }
  size_t nNumber = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return std::nullopt;
    nNumber = nNumber * 10 + static_cast<size_t>(c - '0');
  }
  const NumberedRange_t& range = m_arrNumberedRange[nSection];
  if (nNumber >= range.nCount) return std::nullopt;
  return range.nFirst + nNumber;
}

// The slot that holds the key of the section, or the empty slot where it
// belongs; linear probing.
size_t CIniFile::SlotOf(uint32_t nSection, std::string_view key) const {
  const size_t nMask = m_arrSlot.size() - 1;
  uint64_t nHash = FoldedHash{}(key) + nSection * 0x9E3779B97F4A7C15u;
  nHash ^= nHash >> 29;
  for (size_t nSlot = nHash & nMask;; nSlot = (nSlot + 1) & nMask) {
    const uint32_t nEntry = m_arrSlot[nSlot];
    if (nEntry == 0) return nSlot;
    const IndexedValue_t& entry = m_arrValue[nEntry - 1];
    if (entry.nSection == nSection && FoldedEqual{}(entry.key, key)) return nSlot;
  }
}

bool CIniFile::HoldsReplaced(std::string_view part) const {
  if (m_arrReplaced.empty() || part.empty()) return false;
  const auto nBegin = static_cast<size_t>(part.data() - AsText(m_arrText).data());
  const auto it = std::lower_bound(m_arrReplaced.begin(), m_arrReplaced.end(), nBegin);
  return it != m_arrReplaced.end() && *it < nBegin + part.size();
}

std::string CIniFile::GetString(std::string_view section, std::string_view key) const {
  const Value_t* pValue = Find(section, key);
  return pValue == nullptr ? std::string() : std::string(pValue->strText);
}

const CIniFile::Value_t* CIniFile::Find(std::string_view section, std::string_view key) const {
  const std::optional<uint32_t> nSection = FindSection(section);
  return nSection ? FindIn(*nSection, key) : nullptr;
}

std::optional<uint32_t> CIniFile::FindSection(std::string_view section) const {
  const auto it = m_mapSection.find(section);
  if (it == m_mapSection.end()) return std::nullopt;
  return it->second.nId;
}

const CIniFile::Value_t* CIniFile::FindIn(uint32_t nSection, std::string_view key) const {
  const std::optional<size_t> nPlace = NumberedPlace(nSection, key);
  const uint32_t nEntry = nPlace ? m_arrNumbered[*nPlace] : m_arrSlot[SlotOf(nSection, key)];
  return nEntry == 0 ? nullptr : &m_arrValue[nEntry - 1].value;
}

size_t CIniFile::GetSectionLine(std::string_view section) const {
  const auto it = m_mapSection.find(section);
  return it == m_mapSection.end() ? 0 : it->second.nLine;
}

// FNV-1a over the folded name; a second byte is never folded.
size_t CIniFile::FoldedHash::operator()(std::string_view name) const {
  uint64_t nHash = 14695981039346656037u;
  const auto mix = [&nHash](char c) {
    nHash = (nHash ^ static_cast<unsigned char>(c)) * 1099511628211u;
  };
  for (size_t nPos = 0; nPos < name.size();) {
    const size_t nEnd = CharEnd(name, nPos);
    if (nEnd == nPos + 1) {
      mix(FoldLetter(name[nPos]));
    } else {
      mix(name[nPos]);
      mix(name[nPos + 1]);
    }
    nPos = nEnd;
  }
  return static_cast<size_t>(nHash);
}

bool CIniFile::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  // Steps a's characters; where the two match, b's are the same ones.
  for (size_t nPos = 0; nPos < a.size();) {
    const size_t nEnd = CharEnd(a, nPos);
    const bool bSame = nEnd == nPos + 1 ? FoldLetter(a[nPos]) == FoldLetter(b[nPos])
                                        : a.substr(nPos, 2) == b.substr(nPos, 2);
    if (!bSame) return false;
    nPos = nEnd;
  }
  return true;
}
