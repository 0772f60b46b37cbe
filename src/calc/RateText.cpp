#include "calc/RateText.h"

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "model/HitPattern.h"
#include "model/Level.h"

std::string LevelEntryText(const CLevel& level) {
  return FormatText(txt::kEntryWithRate, {level.GetName(), unsigned{level.GetRate()}});
}

std::string HitCorrectionEntryText(const CHitPattern& hitPattern) {
  const unsigned nLow = hitPattern.GetLowRate();
  const unsigned nHigh = hitPattern.GetHighRate();
  if (nLow == nHigh) return FormatText(txt::kEntryWithRate, {hitPattern.GetName(), nLow});
  return FormatText(txt::kEntryWithTwoRates, {hitPattern.GetName(), nLow, nHigh});
}
