// The per-hit breakdown of a calculation as text: the factors every hit
// shares, then for each region its hitzones and damage and one line per hit
// with every intermediate value. Doubles are written with 17 significant
// digits ("%.17g"), so that each one reads back as the very double that was
// summed. velkar-tool's report --explain prints it and the window shows it
// for one row. Shift-JIS (the names), "\n" line ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/Calculator.h"

// The whole breakdown of an explanation (one region for ExplainRow's).
std::string BuildHitBreakdownText(const CalcExplanation_t& explanation);

// The lines of the factors alone.
std::string BuildFactorText(const DamageFactors_t& factors);

// One hit's line, indented by two spaces, ending in "\n".
std::string BuildHitLine(const HitTrace_t& hit);

// A double with 17 significant digits, as "%.17g" in the C locale writes it
// (whatever locale the process runs in); "none" for no value.
std::string FormatDouble17(double dValue);
std::string FormatDouble17(const std::optional<double>& dValue);

// "normal", "low" or "high"; "kind N" for any other value.
std::string ResultKindName(int32_t nKind);
