// The rules that turn one value of a weapon or monster source file into a
// record, or into the English reason why the entry is skipped. Pure functions
// of the value text: the converters use them, and so can any tool that checks
// source files without converting them.
//
// Common rules: spaces and tabs are removed from the whole value before it is
// read (monster names, which are taken as they are, excepted); a name is the
// text before the first comma and must not be empty; integers are decimal with
// an optional sign and wrap modulo 2^32 when they have too many digits.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/MonsterFileRecords.h"
#include "data/WeaponFileRecords.h"

// A parsed entry, or the reason it is skipped.
template <typename T>
struct ParseResult_t {
  std::optional<T> entry;
  std::string strReason;  // English; empty when entry holds a value

  static ParseResult_t Skip(std::string_view reason) { return {std::nullopt, std::string(reason)}; }
  static ParseResult_t Ok(T&& value) { return {std::move(value), {}}; }
};

inline constexpr std::string_view kReasonNoComma = "no comma after the name";
inline constexpr std::string_view kReasonEmptyName = "empty name";
inline constexpr std::string_view kReasonHitPatternNumbers = "needs two integers after the name";
inline constexpr std::string_view kReasonWeaponNumbers = "needs five integers after the name";
inline constexpr std::string_view kReasonRegionNumbers = "needs eight integers after the name";
inline constexpr std::string_view kReasonNoAnger = "no Anger entry, the monster is left out";
inline constexpr std::string_view kReasonAngerNumbers =
    "Anger needs three integers, the monster is left out";
// An entry of a UTF-8 source whose value holds a character without a
// Shift-JIS code.
inline constexpr std::string_view kReasonUnencodable =
    "holds a character that Shift-JIS cannot encode";
inline constexpr std::string_view kReasonAngerUnencodable =
    "Anger holds a character that Shift-JIS cannot encode, the monster is left out";

// An "Action" value as written: its numbers whole, before the record keeps
// their low bits (rates 8 bits, motion values 16 bits).
struct ActionSource_t {
  std::string strName;
  char cRateLetter = 0;  // 'A' both rates, 'B' cut, 'C' impact; 0 for none
  int32_t nRate = 0;     // the rate letter's number
  std::vector<int32_t> arrValue;
};

// A "Level" value as written, its rate whole.
struct LevelSource_t {
  std::string strName;
  int32_t nRate = 0;
};

// The value without any space (0x20) or tab (0x09).
std::string RemoveBlanks(std::string_view value);

// How a number token is written, against what the converter reads from it.
enum class eNUMBER_TEXT {
  PLAIN,  // an optional minus sign and decimal digits that fit in 32 bits: read as written
  EMPTY,  // nothing: read as 0
  WRAPS,  // an optional sign and digits beyond 32 bits: read modulo 2^32
  OTHER   // anything else ("12abc", "1e9", "0x10", "+5"): read as its leading number, or 0
};
eNUMBER_TEXT ClassifyNumberText(std::string_view token);

// The text after the name of a "name,numbers" value, blanks removed; none
// when the value has no name, so the converter skips it.
std::optional<std::string> TextAfterName(std::string_view value);

// The comma-separated tokens of text; "" gives one empty token.
std::vector<std::string_view> SplitTokens(std::string_view text);

// A token converted on its own: leading white space, an optional sign and the
// leading digits; 0 when there are none ("A50" gives 0, "12x" gives 12).
int32_t ConvertToken(std::string_view token);

// Reads arrValue.size() integers separated by exactly one comma each from the
// start of text; text after the last one is ignored. False when fewer are there.
bool ScanIntegers(std::string_view text, std::span<int32_t> arrValue);

// "Action": name, then a token list. Only the first token may be a rate
// letter (A both rates, B cut, C impact) and only when a comma follows it; the
// last token is always a motion value; an empty token ends the list, and the
// text from there on becomes the last token.
ParseResult_t<ActionSource_t> ParseActionSource(std::string_view value);
ParseResult_t<MotionRecord_t> ParseActionValue(std::string_view value);

// "HitPattern": name, low rate, high rate.
ParseResult_t<HitPatternRecord_t> ParseHitPatternValue(std::string_view value);

// "Weapon": name, attack, element mask, element value, sharpness and a fifth
// integer that is required but not kept. Note the order: mask before value.
ParseResult_t<WeaponRecord_t> ParseWeaponValue(std::string_view value);

// An entry of "Monster": the monster's name, exactly as the reader gives it
// (blanks inside stay); it names the monster's own section. Never skipped.
ParseResult_t<std::string> ParseMonsterName(std::string_view value);

// "Anger" of a monster's section: three integers.
ParseResult_t<std::array<int32_t, 3>> ParseAngerValue(std::string_view value);

// A region of a monster's section: name, physical 1 to 3, fire, water,
// thunder, ice, dragon.
ParseResult_t<RegionRecord_t> ParseRegionValue(std::string_view value);

// "Level": name, then the rate, converted on its own (low 8 bits kept).
ParseResult_t<LevelSource_t> ParseLevelSource(std::string_view value);
ParseResult_t<LevelRecord_t> ParseLevelValue(std::string_view value);
