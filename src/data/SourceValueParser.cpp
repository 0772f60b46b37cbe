#include "data/SourceValueParser.h"

#include <algorithm>

#include "data/LowBits.h"

namespace {

// The characters that a C conversion skips before a number.
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads an optional sign and digits at nPos (after white space). False, with
// nPos unchanged, when no digit follows. Digits accumulate modulo 2^32.
bool ReadInteger(std::string_view text, size_t& nPos, int32_t& nValue) {
  size_t n = nPos;
  while (n < text.size() && IsWhiteSpace(text[n])) ++n;
  bool bNegative = false;
  if (n < text.size() && (text[n] == '+' || text[n] == '-')) {
    bNegative = text[n] == '-';
    ++n;
  }
  if (n >= text.size() || !IsDigit(text[n])) return false;
  uint32_t nMagnitude = 0;
  for (; n < text.size() && IsDigit(text[n]); ++n) {
    nMagnitude = nMagnitude * 10u + static_cast<uint32_t>(text[n] - '0');
  }
  nValue = static_cast<int32_t>(bNegative ? 0u - nMagnitude : nMagnitude);
  nPos = n;
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Appends text without its blanks, byte by byte into room made at once.
void AppendWithoutBlanks(std::string& strOut, std::string_view text) {
  size_t nSize = strOut.size();
  strOut.resize(nSize + text.size());
  for (const char c : text) {
    if (!IsBlank(c)) strOut[nSize++] = c;
  }
  strOut.resize(nSize);
}

// The text without blanks: text itself when it holds none (the common case),
// else a copy without them in strBuffer.
std::string_view WithoutBlanks(std::string_view text, std::string& strBuffer) {
  if (std::none_of(text.begin(), text.end(), IsBlank)) return text;
  strBuffer.clear();
  AppendWithoutBlanks(strBuffer, text);
  return strBuffer;
}

// A "name,numbers" value split at its first comma, both sides without
// blanks: each a view into the value when it holds no blank (the common case),
// else into its buffer in SplitBuffers_t, which must outlive it.
struct NameAndRest_t {
  std::string_view name;
  std::string_view rest;
};
struct SplitBuffers_t {
  std::string strName;
  std::string strRest;
};

// A Shift-JIS trail byte is never a comma, a space or a tab, so the bytes can
// be searched directly.
ParseResult_t<NameAndRest_t> SplitName(std::string_view value, SplitBuffers_t& buffers) {
  const size_t nComma = value.find(',');
  if (nComma == std::string_view::npos) return ParseResult_t<NameAndRest_t>::Skip(kReasonNoComma);
  const std::string_view name = WithoutBlanks(value.substr(0, nComma), buffers.strName);
  if (name.empty()) return ParseResult_t<NameAndRest_t>::Skip(kReasonEmptyName);
  return ParseResult_t<NameAndRest_t>::Ok(
      {name, WithoutBlanks(value.substr(nComma + 1), buffers.strRest)});
}

// "Action" read into an action record: its name, the rate of a first token
// that starts with a rate letter through takeRate(action, letter, rate), and
// each motion value as keep(value) gives it. The record's list of values is
// allocated once, for as many values as the text can hold.
template <typename Action, typename TakeRate, typename Keep>
ParseResult_t<Action> ParseAction(std::string_view value, TakeRate takeRate, Keep keep) {
  SplitBuffers_t buffers;
  const ParseResult_t<NameAndRest_t> split = SplitName(value, buffers);
  if (!split.entry) return ParseResult_t<Action>::Skip(split.strReason);

  Action action;
  action.strName = split.entry->name;
  const std::string_view rest = split.entry->rest;
  action.arrValue.reserve(static_cast<size_t>(std::count(rest.begin(), rest.end(), ',')) + 1);
  size_t nPos = 0;
  bool bFirst = true;
  for (size_t nComma = rest.find(','); nComma != std::string_view::npos;
       nComma = rest.find(',', nPos)) {
    const std::string_view token = rest.substr(nPos, nComma - nPos);
    if (token.empty()) break;  // the rest from here is the last token
    const char cFirst = token.front();
    if (bFirst && (cFirst == 'A' || cFirst == 'B' || cFirst == 'C')) {
      takeRate(action, cFirst, ConvertToken(token.substr(1)));
    } else {
      action.arrValue.push_back(keep(ConvertToken(token)));
    }
    bFirst = false;
    nPos = nComma + 1;
  }
  action.arrValue.push_back(keep(ConvertToken(rest.substr(nPos))));
  return ParseResult_t<Action>::Ok(std::move(action));
}

}  // namespace

std::string RemoveBlanks(std::string_view value) {
  std::string strResult;
  AppendWithoutBlanks(strResult, value);
  return strResult;
}

eNUMBER_TEXT ClassifyNumberText(std::string_view token) {
  if (token.empty()) return eNUMBER_TEXT::EMPTY;
  const bool bSigned = token.front() == '+' || token.front() == '-';
  const std::string_view digits = token.substr(bSigned ? 1 : 0);
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    return eNUMBER_TEXT::OTHER;
  }
  // The magnitude that still fits: 2^31 - 1, or 2^31 after a minus sign.
  const uint64_t nLimit = token.front() == '-' ? 0x80000000u : 0x7FFFFFFFu;
  uint64_t nMagnitude = 0;
  for (const char c : digits) {
    nMagnitude = nMagnitude * 10u + static_cast<uint64_t>(c - '0');
    if (nMagnitude > nLimit) return eNUMBER_TEXT::WRAPS;
  }
  return token.front() == '+' ? eNUMBER_TEXT::OTHER : eNUMBER_TEXT::PLAIN;
}

std::optional<std::string> TextAfterName(std::string_view value) {
  SplitBuffers_t buffers;
  const ParseResult_t<NameAndRest_t> split = SplitName(value, buffers);
  if (!split.entry) return std::nullopt;
  return std::string(split.entry->rest);
}

std::vector<std::string_view> SplitTokens(std::string_view text) {
  std::vector<std::string_view> arrToken;
  size_t nPos = 0;
  for (size_t nComma = text.find(','); nComma != std::string_view::npos;
       nComma = text.find(',', nPos)) {
    arrToken.push_back(text.substr(nPos, nComma - nPos));
    nPos = nComma + 1;
  }
  arrToken.push_back(text.substr(nPos));
  return arrToken;
}

int32_t ConvertToken(std::string_view token) {
  size_t nPos = 0;
  int32_t nValue = 0;
  return ReadInteger(token, nPos, nValue) ? nValue : 0;
}

bool ScanIntegers(std::string_view text, std::span<int32_t> arrValue) {
  size_t nPos = 0;
  for (size_t i = 0; i < arrValue.size(); ++i) {
    if (i > 0) {
      if (nPos >= text.size() || text[nPos] != ',') return false;
      ++nPos;
    }
    if (!ReadInteger(text, nPos, arrValue[i])) return false;
  }
  return true;
}

ParseResult_t<ActionSource_t> ParseActionSource(std::string_view value) {
  return ParseAction<ActionSource_t>(
      value,
      [](ActionSource_t& action, char cLetter, int32_t nRate) {
        action.cRateLetter = cLetter;
        action.nRate = nRate;
      },
      [](int32_t nValue) { return nValue; });
}

ParseResult_t<MotionRecord_t> ParseActionValue(std::string_view value) {
  return ParseAction<MotionRecord_t>(
      value,
      [](MotionRecord_t& motion, char cLetter, int32_t nRate) {
        if (cLetter == 'A' || cLetter == 'B') motion.byCutRate = Low8(nRate);
        if (cLetter == 'A' || cLetter == 'C') motion.byImpactRate = Low8(nRate);
      },
      Low16);
}

ParseResult_t<HitPatternRecord_t> ParseHitPatternValue(std::string_view value) {
  SplitBuffers_t buffers;
  const ParseResult_t<NameAndRest_t> split = SplitName(value, buffers);
  if (!split.entry) return ParseResult_t<HitPatternRecord_t>::Skip(split.strReason);
  std::array<int32_t, 2> nRate{};
  if (!ScanIntegers(split.entry->rest, nRate)) {
    return ParseResult_t<HitPatternRecord_t>::Skip(kReasonHitPatternNumbers);
  }
  return ParseResult_t<HitPatternRecord_t>::Ok(
      {std::string(split.entry->name), nRate[0], nRate[1]});
}

ParseResult_t<WeaponRecord_t> ParseWeaponValue(std::string_view value) {
  SplitBuffers_t buffers;
  const ParseResult_t<NameAndRest_t> split = SplitName(value, buffers);
  if (!split.entry) return ParseResult_t<WeaponRecord_t>::Skip(split.strReason);
  // attack, element mask, element value, sharpness, and one more that is not kept
  std::array<int32_t, 5> n{};
  if (!ScanIntegers(split.entry->rest, n)) {
    return ParseResult_t<WeaponRecord_t>::Skip(kReasonWeaponNumbers);
  }
  WeaponRecord_t weapon;
  weapon.strName = split.entry->name;
  weapon.nAttack = n[0];
  weapon.nElementMask = n[1];
  weapon.nElement = n[2];
  weapon.nSharpness = n[3];
  return ParseResult_t<WeaponRecord_t>::Ok(std::move(weapon));
}

ParseResult_t<std::string> ParseMonsterName(std::string_view value) {
  return ParseResult_t<std::string>::Ok(std::string(value));
}

ParseResult_t<std::array<int32_t, 3>> ParseAngerValue(std::string_view value) {
  using Result = ParseResult_t<std::array<int32_t, 3>>;
  std::string strBuffer;
  const std::string_view text = WithoutBlanks(value, strBuffer);
  if (text.empty()) return Result::Skip(kReasonNoAnger);
  Result anger = Result::Ok({});
  if (!ScanIntegers(text, *anger.entry)) return Result::Skip(kReasonAngerNumbers);
  return anger;
}

ParseResult_t<RegionRecord_t> ParseRegionValue(std::string_view value) {
  SplitBuffers_t buffers;
  const ParseResult_t<NameAndRest_t> split = SplitName(value, buffers);
  if (!split.entry) return ParseResult_t<RegionRecord_t>::Skip(split.strReason);
  RegionRecord_t region;
  if (!ScanIntegers(split.entry->rest, region.nValue)) {
    return ParseResult_t<RegionRecord_t>::Skip(kReasonRegionNumbers);
  }
  region.strName = split.entry->name;
  return ParseResult_t<RegionRecord_t>::Ok(std::move(region));
}

ParseResult_t<LevelSource_t> ParseLevelSource(std::string_view value) {
  SplitBuffers_t buffers;
  const ParseResult_t<NameAndRest_t> split = SplitName(value, buffers);
  if (!split.entry) return ParseResult_t<LevelSource_t>::Skip(split.strReason);
  return ParseResult_t<LevelSource_t>::Ok(
      {std::string(split.entry->name), ConvertToken(split.entry->rest)});
}

ParseResult_t<LevelRecord_t> ParseLevelValue(std::string_view value) {
  ParseResult_t<LevelSource_t> level = ParseLevelSource(value);
  if (!level.entry) return ParseResult_t<LevelRecord_t>::Skip(level.strReason);
  return ParseResult_t<LevelRecord_t>::Ok(
      {std::move(level.entry->strName), Low8(level.entry->nRate)});
}
