#include "chart/Chart.h"

#include <array>
#include <string_view>

#include "VelkarTexts.h"

namespace {

constexpr std::array<const char*, kChartKinds.size()> kKindName = {"loadouts", "sharpness", "gains",
                                                                   "motions", "target"};
constexpr std::array<std::string_view, kChartKinds.size()> kKindCaption = {
    txt::kChartKindLoadouts, txt::kChartKindSharpness, txt::kChartKindGains, txt::kChartKindMotions,
    txt::kChartKindTarget};

}  // namespace

const char* ChartKindName(eCHART_KIND eKind) {
  return kKindName[static_cast<size_t>(eKind)];
}

std::optional<eCHART_KIND> ChartKindOf(std::string_view strName) {
  for (size_t i = 0; i < kKindName.size(); ++i) {
    if (strName == kKindName[i]) return static_cast<eCHART_KIND>(i);
  }
  return std::nullopt;
}

const char* ChartMarkName(eCHART_MARK eKind) {
  return eKind == eCHART_MARK::Best ? "best" : "own";
}

std::string ChartMarkSign() {
  return std::string(txt::kChartMarkSign);
}

std::string ChartMarkLegend(eCHART_MARK eKind) {
  return std::string(eKind == eCHART_MARK::Best ? txt::kChartBestLegend : txt::kChartOwnLegend);
}

bool ChartTakesLoadouts(eCHART_KIND eKind) {
  return eKind == eCHART_KIND::Loadouts || eKind == eCHART_KIND::Sharpness;
}

bool ChartTakesRegion(eCHART_KIND eKind) {
  return eKind == eCHART_KIND::Sharpness || eKind == eCHART_KIND::Gains;
}

eCHART_LAYOUT ChartLayout(eCHART_KIND eKind) {
  switch (eKind) {
    case eCHART_KIND::Gains: return eCHART_LAYOUT::Lying;
    case eCHART_KIND::Motions: return eCHART_LAYOUT::Stacked;
    default: return eCHART_LAYOUT::Grouped;
  }
}

std::string ChartKindCaption(eCHART_KIND eKind) {
  return std::string(kKindCaption[static_cast<size_t>(eKind)]);
}
