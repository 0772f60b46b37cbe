// A chart as the core computes it, before any drawing: what is compared
// (groups, e.g. a monster's regions), who is compared (series, e.g. the
// loadouts, each with one value per group), the marks that say more than
// colour (the best of a group, a weapon's own sharpness), the entries that
// cannot be drawn, and the texts around it. ChartBuilders.h fills it from the
// core's results, ChartDocument (ResultJson.h) writes it as JSON and ChartSvg
// draws it; the faces only place the picture. Texts are Shift-JIS.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The five charts, in the order the tool lists them.
enum class eCHART_KIND { Loadouts, Sharpness, Gains, Motions, Target };

// The kinds in that order, where a face offers them or the tool lists them.
inline constexpr std::array<eCHART_KIND, 5> kChartKinds = {
    eCHART_KIND::Loadouts, eCHART_KIND::Sharpness, eCHART_KIND::Gains, eCHART_KIND::Motions,
    eCHART_KIND::Target};

// How a chart's bars stand: grouped upright, one bar a series (loadouts,
// sharpness, target); stacked upright, a bar a group of all series' parts
// (motions); or lying, one bar a group (gains).
enum class eCHART_LAYOUT { Grouped, Stacked, Lying };

enum class eCHART_MARK { Best, Own };

struct ChartSeries_t {
  std::string strName;
  std::vector<std::optional<int64_t>> arrValue;  // one per group; none: nothing to draw
};

struct ChartMark_t {
  eCHART_MARK eKind = eCHART_MARK::Best;
  size_t nGroup = 0;
  size_t nSeries = 0;

  bool operator==(const ChartMark_t&) const = default;
};

struct Chart_t {
  eCHART_KIND eKind = eCHART_KIND::Loadouts;
  std::string strTitle;
  std::string strDescription;  // the accessible description
  std::string strAxis;         // the value axis' caption
  std::vector<std::string> arrGroup;
  std::vector<ChartSeries_t> arrSeries;
  std::vector<ChartMark_t> arrMark;
  std::vector<std::string> arrUnusable;  // entries shown apart, with no bar
  // Why there is nothing to draw; none when there is.
  std::optional<std::string> strEmpty;
};

// The kind's name in the tool and the JSON ("loadouts", ...), and back.
const char* ChartKindName(eCHART_KIND eKind);
std::optional<eCHART_KIND> ChartKindOf(std::string_view strName);

const char* ChartMarkName(eCHART_MARK eKind);
// The sign drawn above a marked bar and beside its legend's entry, the same
// for every kind of mark ("▼"), and the entry.
std::string ChartMarkSign();
std::string ChartMarkLegend(eCHART_MARK eKind);

eCHART_LAYOUT ChartLayout(eCHART_KIND eKind);

// The kind's caption where a face offers the five to choose from.
std::string ChartKindCaption(eCHART_KIND eKind);

// Whether a kind compares loadouts (loadouts, sharpness) rather than charting
// the calculation on show, and whether it charts one region or the total
// (sharpness, gains).
bool ChartTakesLoadouts(eCHART_KIND eKind);
bool ChartTakesRegion(eCHART_KIND eKind);
