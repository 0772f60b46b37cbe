// The per-hit breakdown of a calculation as text: the factors every hit
// shares, then for each region its hitzones and damage and the lines of each
// hit with every intermediate value. Doubles are written with 17 significant
// digits ("%.17g"), so that each one reads back as the very double that was
// summed. velkar-tool's report --explain prints it in English, one line per
// hit. The factor and region lines also come in Japanese, with the same
// numbers, for the window's breakdown (HitTable). Shift-JIS (the names and
// the Japanese labels), "\n" line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/Calculator.h"

// The labels of the factor and region lines; only the words differ.
enum eBREAKDOWN_LANGUAGE : int32_t {
  BREAKDOWN_ENGLISH = 0,
  BREAKDOWN_JAPANESE = 1,
};

// The whole breakdown of an explanation (one region for ExplainRow's), in
// English.
std::string BuildHitBreakdownText(const CalcExplanation_t& explanation);

// How the factors' doubles are written: every digit (17 significant), or
// short for a reader (at most four decimals, trailing zeros dropped).
enum eFACTOR_DIGITS : int32_t {
  FACTOR_DIGITS_EXACT = 0,
  FACTOR_DIGITS_SHORT = 1,
};

// The lines of the factors alone.
std::string BuildFactorText(const DamageFactors_t& factors,
                            eBREAKDOWN_LANGUAGE eLanguage = BREAKDOWN_ENGLISH,
                            eFACTOR_DIGITS eDigits = FACTOR_DIGITS_EXACT);

// A region's line: its name, hitzones, damage and kind, ending in "\n".
std::string BuildRegionLine(const DamageResult_t& region,
                            eBREAKDOWN_LANGUAGE eLanguage = BREAKDOWN_ENGLISH);

// One hit's line, indented, ending in "\n".
std::string BuildHitLine(const HitTrace_t& hit);

// A double with 17 significant digits, as "%.17g" in the C locale writes it
// (whatever locale the process runs in); "none" for no value.
std::string FormatDouble17(double dValue);
std::string FormatDouble17(const std::optional<double>& dValue);

// A double rounded to nDecimals decimals (0..6), as "%.*f" in the C locale
// writes it, whatever locale the process runs in.
std::string FormatFixed(double dValue, int nDecimals);

// At most four decimals without trailing zeros (1.0625, 1.3, 205): a factor
// as a player reads it.
std::string FormatShort(double dValue);

// "normal", "low" or "high"; "kind N" for any other value (or the Japanese
// words for them).
std::string ResultKindName(int32_t nKind, eBREAKDOWN_LANGUAGE eLanguage = BREAKDOWN_ENGLISH);
