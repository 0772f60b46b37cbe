// The drawing of a chart (Chart.h) as one SVG text, the same bytes on every
// face and platform: the window shows it with Qt SVG, the page inline, the
// tool prints it. It keeps to SVG Tiny 1.2 (explicit colours and
// presentation attributes, no CSS, no currentColor), uses only integers and
// draws with the Okabe-Ito palette, which colour-blind readers can tell
// apart; on a dark theme the same hues with light text and axes. Every bar
// carries a <title> with its value; marks add a bold outline and a sign, not
// only a colour. A chart with nothing to draw shows its reason, no axes.
//
// Text is measured, never cut: labels wrap to the room they have and the
// picture grows to hold them (it may come out wider than asked when many
// groups need room, and as tall as its texts need). The width model: a
// double-byte Shift-JIS character (kanji, kana, full-width signs) is 1.0 em,
// a single-byte one (ASCII, half-width kana) 0.6 em, rounded up to a pixel.
#pragma once

#include <string>
#include <string_view>

#include "chart/Chart.h"

struct ChartStyle_t {
  int nWidth = 640;    // px, 240 to 4000
  int nFontSize = 14;  // px, 8 to 48
  bool bDark = false;
};

inline constexpr int kChartMinWidth = 240;
inline constexpr int kChartMaxWidth = 4000;
inline constexpr int kChartMinFontSize = 8;
inline constexpr int kChartMaxFontSize = 48;

// The SVG text (UTF-8) of the chart; the style's values are clamped to
// their ranges.
std::string ChartSvg(const Chart_t& chart, const ChartStyle_t& style);

// The width of a Shift-JIS text in pixels by the width model above.
int ChartTextWidth(std::string_view strSjis, int nFontSize);
