#include "setup/BuildCode.h"

#include <algorithm>
#include <array>
#include <span>
#include <unordered_map>

#include "VelkarTexts.h"
#include "model/ModifierTable.h"
#include "platform/Cp932.h"
#include "platform/Crc32.h"

namespace {

constexpr std::string_view kPrefix = "VK";
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
// All names as a decoded code spells them out, references counted: a small
// code that refers to a long name many times must not blow up.
constexpr size_t kMaxNameBytes = size_t{64} * 1024;

enum : uint8_t {
  kHasCategory = 0x01,
  kHasWeapon = 0x02,
  kHasSharpness = 0x04,
  kHasMonster = 0x08,
  kHasLevel = 0x10,
  kHasHitCorrection = 0x20,
  kAngry = 0x40,
};

// The bytes that one build takes at the least: name, present, motion count,
// modifiers.
constexpr size_t kMinBuildBytes = 6;

bool HasControlCharacter(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    const auto by = static_cast<unsigned char>(c);
    return by < 0x20 || by == 0x7F;
  });
}

// ---- writing ----

// Values of 2^21 and more take a fourth byte, which no reader accepts; they
// only come with more than 2^21 bytes of builds, far beyond the longest code.
void PutVarint(std::vector<uint8_t>& arrByte, uint32_t nValue) {
  while (nValue >= 0x80) {
    arrByte.push_back(static_cast<uint8_t>(nValue | 0x80));
    nValue >>= 7;
  }
  arrByte.push_back(static_cast<uint8_t>(nValue));
}

void PutU32(std::vector<uint8_t>& arrByte, uint32_t nValue, int nBytes = 4) {
  for (int i = 0; i < nBytes; ++i) arrByte.push_back(static_cast<uint8_t>(nValue >> (8 * i)));
}

// The ticks that restoring the list leaves: in each group the member listed
// last (ids outside the table are passed over, as a restore passes them over).
ModifierTicks_t ModifierBits(const std::vector<int>& arrModifier) {
  ModifierTicks_t nBits = 0;
  for (const int nId : arrModifier) {
    if (const ModifierInfo_t* pInfo = FindModifier(nId)) nBits = ClickModifier(nBits, *pInfo, true);
  }
  return nBits;
}

// The modifiers field is as wide as the version says: 3 bytes in version 1,
// one byte more in each later one. A code takes the oldest version whose
// field holds its ticks, so codes of the first 24 modifiers stay version 1.
constexpr int ModifierBytesOf(int nVersion) {
  return nVersion + 2;
}
constexpr int VersionFor(ModifierTicks_t nTicks) {
  int nVersion = 1;
  while (ModifierBytesOf(nVersion) < 4 && (nTicks >> (8 * ModifierBytesOf(nVersion))) != 0) {
    ++nVersion;
  }
  return nVersion;
}
// The CRC of a code's bytes; from version 2 on it covers the version too, so
// that a mistyped version digit cannot read the bytes with another field width.
uint32_t CodeCrc(int nVersion, std::span<const uint8_t> bytes) {
  if (nVersion == 1) return velkar::Crc32(bytes);
  const uint8_t byVersion = static_cast<uint8_t>(nVersion);
  return velkar::Crc32(bytes, velkar::Crc32(std::span(&byVersion, 1)));
}

static_assert(kModifierCount <= 32,
              "build codes hold the modifiers in at most 4 bytes (ModifierTicks_t): more "
              "modifiers need a new build code format");
static_assert(CATEGORY_COUNT <= 16,
              "build codes keep the category in 4 bits: more categories need a new build code "
              "version");
static_assert(SHARPNESS_MAX < 16,
              "build codes keep the sharpness in 4 bits: more levels need a new build code "
              "version");

class CCodeWriter {
public:
  explicit CCodeWriter(int nVersion) : m_nVersion(nVersion) {}

  // The bytes of the builds (after the names); false with a reason when a
  // build cannot be written.
  bool PutBuild(const Build_t& build, std::string& strProblem) {
    const Setup_t& setup = build.setup;
    if (setup.nCategory && !FindCategory(*setup.nCategory)) {
      strProblem = "a category must be 0 to " + std::to_string(CATEGORY_COUNT - 1);
      return false;
    }
    if (setup.nSharpness &&
        (*setup.nSharpness < SHARPNESS_MIN || *setup.nSharpness > SHARPNESS_MAX)) {
      strProblem = "a sharpness must be 0 to 5";
      return false;
    }
    PutName(build.strName);
    uint8_t byPresent = setup.bAnger ? kAngry : 0;
    const std::array<std::pair<const std::optional<std::string>*, uint8_t>, 4> arrRecord{
        {{&setup.strWeapon, kHasWeapon},
         {&setup.strMonster, kHasMonster},
         {&setup.strLevel, kHasLevel},
         {&setup.strHitCorrection, kHasHitCorrection}}};
    if (setup.nCategory) byPresent |= kHasCategory;
    if (setup.nSharpness) byPresent |= kHasSharpness;
    for (const auto& [pName, byBit] : arrRecord) {
      if (pName->has_value()) byPresent |= byBit;
    }
    m_arrBuild.push_back(byPresent);
    if (setup.nCategory || setup.nSharpness) {
      m_arrBuild.push_back(
          static_cast<uint8_t>(setup.nCategory.value_or(0) | (setup.nSharpness.value_or(0) << 4)));
    }
    for (const auto& [pName, byBit] : arrRecord) {
      if (pName->has_value()) PutName(**pName);
    }
    PutVarint(m_arrBuild, static_cast<uint32_t>(setup.arrMotion.size()));
    for (const std::string& strMotion : setup.arrMotion) PutName(strMotion);
    PutU32(m_arrBuild, ModifierBits(setup.arrModifier), ModifierBytesOf(m_nVersion));
    if (m_bControl) strProblem = "a name holds a control character";
    if (m_nNameBytes > kMaxNameBytes) {
      strProblem = "the builds are too long for a code";
    }
    return strProblem.empty();
  }

  // Everything after the CRC and the length.
  std::vector<uint8_t> Body(uint32_t nFingerprint, size_t nBuilds) const {
    std::vector<uint8_t> arrBody;
    PutU32(arrBody, nFingerprint);
    PutVarint(arrBody, static_cast<uint32_t>(m_arrName.size()));
    for (const std::string_view name : m_arrName) {
      PutVarint(arrBody, static_cast<uint32_t>(name.size()));
      arrBody.insert(arrBody.end(), name.begin(), name.end());
    }
    PutVarint(arrBody, static_cast<uint32_t>(nBuilds));
    arrBody.insert(arrBody.end(), m_arrBuild.begin(), m_arrBuild.end());
    return arrBody;
  }

private:
  void PutName(std::string_view name) {
    m_nNameBytes += name.size();
    m_bControl = m_bControl || HasControlCharacter(name);
    const auto [it, bNew] = m_mapIndex.try_emplace(name, m_arrName.size());
    if (bNew) m_arrName.push_back(name);
    PutVarint(m_arrBuild, static_cast<uint32_t>(it->second));
  }

  int m_nVersion;
  std::vector<std::string_view> m_arrName;  // views into the builds being written
  std::unordered_map<std::string_view, size_t> m_mapIndex;
  std::vector<uint8_t> m_arrBuild;
  size_t m_nNameBytes = 0;
  bool m_bControl = false;
};

std::string Base64Url(std::span<const uint8_t> bytes) {
  std::string strText;
  strText.reserve((bytes.size() * 4 + 2) / 3);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t nTake = std::min<size_t>(3, bytes.size() - i);
    uint32_t nGroup = 0;
    for (size_t j = 0; j < 3; ++j) nGroup = (nGroup << 8) | (j < nTake ? bytes[i + j] : 0U);
    for (size_t j = 0; j <= nTake; ++j) strText += kAlphabet[(nGroup >> (18 - 6 * j)) & 0x3FU];
  }
  return strText;
}

// ---- reading ----

// Reads the decoded bytes, checking every read against their end.
class CCodeReader {
public:
  explicit CCodeReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

  size_t Remaining() const { return m_bytes.size() - m_nPos; }

  bool ReadU8(uint8_t& byValue) {
    if (Remaining() < 1) return false;
    byValue = m_bytes[m_nPos++];
    return true;
  }

  bool ReadU32(uint32_t& nValue, int nBytes = 4) {
    if (Remaining() < static_cast<size_t>(nBytes)) return false;
    nValue = 0;
    for (int i = 0; i < nBytes; ++i) nValue |= uint32_t{m_bytes[m_nPos++]} << (8 * i);
    return true;
  }

  // A varint in its shortest form.
  bool ReadVarint(uint32_t& nValue) {
    nValue = 0;
    for (int nShift = 0; nShift < 21; nShift += 7) {
      uint8_t byValue = 0;
      if (!ReadU8(byValue)) return false;
      nValue |= uint32_t{byValue & 0x7FU} << nShift;
      if ((byValue & 0x80U) == 0) return byValue != 0 || nShift == 0;
    }
    return false;
  }

  bool ReadBytes(size_t nCount, std::string_view& bytes) {
    if (Remaining() < nCount) return false;
    bytes = std::string_view(reinterpret_cast<const char*>(m_bytes.data() + m_nPos), nCount);
    m_nPos += nCount;
    return true;
  }

private:
  std::span<const uint8_t> m_bytes;
  size_t m_nPos = 0;
};

std::optional<BuildCode_t> Refuse(CodeError_t& error, eCODE_ERROR eError, std::string strDetail) {
  error = {eError, std::move(strDetail)};
  return std::nullopt;
}

// Reads the builds of an intact code's body; a reason when it is not one that
// EncodeBuildCode writes.
class CBodyReader {
public:
  CBodyReader(std::span<const uint8_t> body, int nVersion) : m_reader(body), m_nVersion(nVersion) {}

  std::optional<BuildCode_t> Read(std::string& strProblem) {
    BuildCode_t code;
    uint32_t nCount = 0;
    if (!m_reader.ReadU32(code.nFingerprint) || !ReadNames(strProblem)) return Fail(strProblem);
    if (!m_reader.ReadVarint(nCount) || nCount == 0 ||
        nCount > m_reader.Remaining() / kMinBuildBytes) {
      return Fail(strProblem, "the number of builds is wrong");
    }
    for (uint32_t i = 0; i < nCount; ++i) {
      Build_t& build = code.arrBuild.emplace_back();
      if (!ReadBuild(build, strProblem)) return Fail(strProblem);
    }
    if (m_reader.Remaining() != 0) return Fail(strProblem, "bytes follow the last build");
    if (VersionFor(m_nTicks) != m_nVersion) {
      return Fail(strProblem, "its version is newer than its modifiers need");
    }
    return code;
  }

private:
  std::optional<BuildCode_t> Fail(std::string& strProblem, const char* pszProblem = nullptr) {
    if (pszProblem) strProblem = pszProblem;
    if (strProblem.empty()) strProblem = "a build is cut short or names a name that is not there";
    return std::nullopt;
  }

  bool ReadNames(std::string& strProblem) {
    uint32_t nCount = 0;
    if (!m_reader.ReadVarint(nCount) || nCount > m_reader.Remaining()) return false;
    for (uint32_t i = 0; i < nCount; ++i) {
      uint32_t nLength = 0;
      std::string_view name;
      if (!m_reader.ReadVarint(nLength) || !m_reader.ReadBytes(nLength, name)) return false;
      if (HasControlCharacter(name)) {
        strProblem = "a name holds a control character";
        return false;
      }
      m_arrName.push_back(name);
    }
    return true;
  }

  bool ReadName(std::string& strName) {
    uint32_t nIndex = 0;
    if (!m_reader.ReadVarint(nIndex) || nIndex >= m_arrName.size()) return false;
    const std::string_view name = m_arrName[nIndex];
    m_nNameBytes += name.size();
    if (m_nNameBytes > kMaxNameBytes) return false;
    strName.assign(name);
    return true;
  }

  bool ReadOptionalName(uint8_t byPresent, uint8_t byBit, std::optional<std::string>& strName) {
    if ((byPresent & byBit) == 0) return true;
    return ReadName(strName.emplace());
  }

  bool ReadBuild(Build_t& build, std::string& strProblem) {
    Setup_t& setup = build.setup;
    uint8_t byPresent = 0;
    if (!ReadName(build.strName) || !m_reader.ReadU8(byPresent)) return false;
    // A name that is no Shift-JIS text could not be stored as UTF-8 unchanged.
    if (!velkar::CanonicalSjis(build.strName)) {
      strProblem = "a build's name is not Shift-JIS text";
      return false;
    }
    setup.bAnger = (byPresent & kAngry) != 0;
    if ((byPresent & 0x80U) != 0 || !ReadNumbers(byPresent, setup)) {
      strProblem = "a build's category or sharpness is out of range";
      return false;
    }
    if (!ReadOptionalName(byPresent, kHasWeapon, setup.strWeapon) ||
        !ReadOptionalName(byPresent, kHasMonster, setup.strMonster) ||
        !ReadOptionalName(byPresent, kHasLevel, setup.strLevel) ||
        !ReadOptionalName(byPresent, kHasHitCorrection, setup.strHitCorrection)) {
      return false;
    }
    uint32_t nMotions = 0;
    if (!m_reader.ReadVarint(nMotions) || nMotions > m_reader.Remaining()) return false;
    for (uint32_t i = 0; i < nMotions; ++i) {
      if (!ReadName(setup.arrMotion.emplace_back())) return false;
    }
    uint32_t nBits = 0;
    if (!m_reader.ReadU32(nBits, ModifierBytesOf(m_nVersion))) return false;
    m_nTicks |= nBits;
    for (int i = 0; i < kModifierCount; ++i) {
      if ((nBits >> i) & 1U) setup.arrModifier.push_back(kFirstModifierId + i);
    }
    if (ModifierBits(setup.arrModifier) != nBits) {
      strProblem = "two modifiers of one exclusive group are ticked";
      return false;
    }
    return true;
  }

  bool ReadNumbers(uint8_t byPresent, Setup_t& setup) {
    if ((byPresent & (kHasCategory | kHasSharpness)) == 0) return true;
    uint8_t byNumbers = 0;
    if (!m_reader.ReadU8(byNumbers)) return false;
    const int nCategory = byNumbers & 0x0F;
    const int nSharpness = byNumbers >> 4;
    if ((byPresent & kHasCategory) != 0 ? !FindCategory(nCategory) : nCategory != 0) return false;
    if ((byPresent & kHasSharpness) != 0 ? nSharpness > SHARPNESS_MAX : nSharpness != 0)
      return false;
    if ((byPresent & kHasCategory) != 0) setup.nCategory = nCategory;
    if ((byPresent & kHasSharpness) != 0) setup.nSharpness = nSharpness;
    return true;
  }

  CCodeReader m_reader;
  int m_nVersion;
  ModifierTicks_t m_nTicks = 0;             // of every build
  std::vector<std::string_view> m_arrName;  // views into the body
  size_t m_nNameBytes = 0;
};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// How a character that cannot be in a code is shown in a message.
std::string Shown(char c) {
  const auto by = static_cast<unsigned char>(c);
  if (by > 0x20 && by < 0x7F) return std::string("'") + c + "'";
  static constexpr std::string_view kHex = "0123456789ABCDEF";
  return std::string("byte 0x") + kHex[by >> 4] + kHex[by & 0x0FU];
}

// The version of "VK<digits>." at the start of the text and the offset after
// the dot; none when the text does not start that way.
std::optional<std::pair<uint32_t, size_t>> ReadPrefix(std::string_view text) {
  if (!text.starts_with(kPrefix)) return std::nullopt;
  size_t nPos = kPrefix.size();
  uint32_t nVersion = 0;
  while (nPos < text.size() && nPos < kPrefix.size() + 6 && text[nPos] >= '0' &&
         text[nPos] <= '9') {
    nVersion = nVersion * 10 + static_cast<uint32_t>(text[nPos++] - '0');
  }
  if (nPos == kPrefix.size() || nPos >= text.size() || text[nPos] != '.') return std::nullopt;
  return std::pair{nVersion, nPos + 1};
}

// The code within a longer text, such as a page's link or a line of chat: the
// first "VK<digits>." that starts a word, with the base64url characters after
// it. Empty when the text holds none.
std::string_view CodeWithin(std::string_view text) {
  for (size_t nPos = text.find(kPrefix); nPos != std::string_view::npos;
       nPos = text.find(kPrefix, nPos + 1)) {
    if (nPos > 0 && kAlphabet.find(text[nPos - 1]) != std::string_view::npos) continue;
    const auto prefix = ReadPrefix(text.substr(nPos));
    if (!prefix) continue;
    size_t nEnd = nPos + prefix->second;
    while (nEnd < text.size() && kAlphabet.find(text[nEnd]) != std::string_view::npos) ++nEnd;
    return text.substr(nPos, nEnd - nPos);
  }
  return {};
}

// The bytes of base64url text (nOffset: where the text stands in the code,
// for the message); none, with the reason, for text that a cut or a
// mistyped character left behind.
std::optional<std::vector<uint8_t>> FromBase64Url(std::string_view text, size_t nOffset,
                                                  CodeError_t& error) {
  if (text.size() % 4 == 1) {
    error = {eCODE_ERROR::Damaged, "it was cut short"};
    return std::nullopt;
  }
  std::vector<uint8_t> arrByte;
  arrByte.reserve(text.size() * 3 / 4);
  uint32_t nBits = 0;
  int nHeld = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t nValue = kAlphabet.find(text[i]);
    if (nValue == std::string_view::npos) {
      error = {eCODE_ERROR::Damaged, "character " + std::to_string(nOffset + i + 1) + " (" +
                                         Shown(text[i]) + ") cannot be in a code"};
      return std::nullopt;
    }
    nBits = (nBits << 6) | static_cast<uint32_t>(nValue);
    nHeld += 6;
    if (nHeld >= 8) {
      nHeld -= 8;
      arrByte.push_back(static_cast<uint8_t>(nBits >> nHeld));
      nBits &= (uint32_t{1} << nHeld) - 1;
    }
  }
  if (nBits != 0) {
    error = {eCODE_ERROR::Damaged, "its last character was mistyped"};
    return std::nullopt;
  }
  return arrByte;
}

}  // namespace

std::optional<std::string> EncodeBuildCode(const BuildCode_t& code, CodeError_t& error) {
  error = {};
  if (code.arrBuild.empty()) {
    error = {eCODE_ERROR::Unwritable, "there is no build to put into a code"};
    return std::nullopt;
  }
  int nVersion = 1;
  for (const Build_t& build : code.arrBuild) {
    nVersion = std::max(nVersion, VersionFor(ModifierBits(build.setup.arrModifier)));
  }
  CCodeWriter writer(nVersion);
  for (const Build_t& build : code.arrBuild) {
    std::string strProblem;
    if (!writer.PutBuild(build, strProblem)) {
      error = {eCODE_ERROR::Unwritable, std::move(strProblem)};
      return std::nullopt;
    }
  }
  const std::vector<uint8_t> arrBody = writer.Body(code.nFingerprint, code.arrBuild.size());
  std::vector<uint8_t> arrChecked;
  PutVarint(arrChecked, static_cast<uint32_t>(arrBody.size()));
  arrChecked.insert(arrChecked.end(), arrBody.begin(), arrBody.end());
  std::vector<uint8_t> arrByte;
  PutU32(arrByte, CodeCrc(nVersion, arrChecked));
  arrByte.insert(arrByte.end(), arrChecked.begin(), arrChecked.end());

  std::string strCode = std::string(kPrefix) + std::to_string(nVersion) + ".";
  strCode += Base64Url(arrByte);
  if (strCode.size() > kMaxBuildCodeLength) {
    error = {eCODE_ERROR::Unwritable, "the builds are too long for a code"};
    return std::nullopt;
  }
  return strCode;
}

std::optional<BuildCode_t> DecodeBuildCode(std::string_view text, CodeError_t& error) {
  error = {};
  if (text.size() > kMaxBuildCodeTextLength) {
    return Refuse(error, eCODE_ERROR::TooLong, std::to_string(text.size()) + " characters");
  }
  text = Trimmed(text);
  if (!ReadPrefix(text)) {
    const std::string_view within = CodeWithin(text);
    if (!within.empty()) text = within;
  }
  if (text.size() > kMaxBuildCodeLength) {
    return Refuse(error, eCODE_ERROR::TooLong, std::to_string(text.size()) + " characters");
  }
  const auto prefix = ReadPrefix(text);
  if (!prefix) return Refuse(error, eCODE_ERROR::NotACode, {});
  if (prefix->first == 0 || prefix->first > static_cast<uint32_t>(kBuildCodeVersion) ||
      text.substr(kPrefix.size()).starts_with('0')) {
    const bool bNewer = prefix->first > static_cast<uint32_t>(kBuildCodeVersion);
    return Refuse(error, bNewer ? eCODE_ERROR::NewerFormat : eCODE_ERROR::NotACode,
                  bNewer ? std::to_string(prefix->first) : std::string());
  }
  const std::optional<std::vector<uint8_t>> arrByte =
      FromBase64Url(text.substr(prefix->second), prefix->second, error);
  if (!arrByte) return std::nullopt;

  CCodeReader reader(*arrByte);
  uint32_t nCrc = 0;
  uint32_t nLength = 0;
  if (!reader.ReadU32(nCrc) || !reader.ReadVarint(nLength)) {
    return Refuse(error, eCODE_ERROR::Damaged, "it was cut short");
  }
  if (nLength != reader.Remaining()) {
    return Refuse(error, eCODE_ERROR::Damaged,
                  nLength > reader.Remaining() ? "it was cut short" : "it is longer than it says");
  }
  const std::span<const uint8_t> checked = std::span(*arrByte).subspan(4);
  if (CodeCrc(static_cast<int>(prefix->first), checked) != nCrc) {
    return Refuse(error, eCODE_ERROR::Damaged, "a character was mistyped (the checksum differs)");
  }
  std::string strProblem;
  std::optional<BuildCode_t> code =
      CBodyReader(checked.subspan(checked.size() - nLength), static_cast<int>(prefix->first))
          .Read(strProblem);
  if (!code) return Refuse(error, eCODE_ERROR::Invalid, std::move(strProblem));
  return code;
}

std::string DescribeCodeError(const CodeError_t& error) {
  switch (error.eError) {
    case eCODE_ERROR::None: return "the code is fine";
    case eCODE_ERROR::NotACode: return "this is not a Velkar build code (a code starts with VK1.)";
    case eCODE_ERROR::NewerFormat:
      return "the code is of format " + error.strDetail +
             ", written by a newer Velkar; this one reads format " +
             std::to_string(kBuildCodeVersion);
    case eCODE_ERROR::TooLong:
      return "the code is too long: " + error.strDetail + "; a code has at most " +
             std::to_string(kMaxBuildCodeLength);
    case eCODE_ERROR::Damaged:
      return "the code is damaged: " + error.strDetail + "; copy it again whole";
    case eCODE_ERROR::Invalid: return "the code is not one Velkar writes: " + error.strDetail;
    case eCODE_ERROR::Unwritable: return "no code: " + error.strDetail;
  }
  return "the code cannot be read";
}

std::string DescribeCodeErrorInJapanese(const CodeError_t& error) {
  switch (error.eError) {
    case eCODE_ERROR::None: break;
    case eCODE_ERROR::NotACode: {
      std::string strText(txt::kCodeErrorNotACode);
      return strText.replace(strText.find("%1"), 2, "VK1.");
    }
    case eCODE_ERROR::NewerFormat: return std::string(txt::kCodeErrorNewerFormat);
    case eCODE_ERROR::TooLong: {
      std::string strText(txt::kCodeErrorTooLong);
      return strText.replace(strText.find("%1"), 2, std::to_string(kMaxBuildCodeLength));
    }
    case eCODE_ERROR::Damaged: return std::string(txt::kCodeErrorDamaged);
    case eCODE_ERROR::Invalid: return std::string(txt::kCodeErrorInvalid);
    case eCODE_ERROR::Unwritable: return std::string(txt::kCodeErrorUnwritable);
  }
  return {};
}
