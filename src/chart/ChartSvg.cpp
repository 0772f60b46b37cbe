#include "chart/ChartSvg.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "platform/Cp932.h"

namespace {

// Okabe-Ito's hues, the yellow last (weakest on white); black is left out,
// as the text and the marks' outlines use it.
constexpr std::array<const char*, 7> kPalette = {"#0072b2", "#e69f00", "#009e73", "#cc79a7",
                                                 "#56b4e9", "#d55e00", "#f0e442"};

struct Theme_t {
  const char* pszBack;
  const char* pszText;
  const char* pszAxis;
  const char* pszGrid;
};

constexpr Theme_t kLight = {"#ffffff", "#1b1b1b", "#555555", "#dddddd"};
constexpr Theme_t kDark = {"#1b1b1b", "#eeeeee", "#bbbbbb", "#3a3a3a"};

// The sizes the drawing is laid out with, in pixels.
struct Metrics_t {
  int nWidth = 0;
  int nFont = 0;
  int nPad = 0;         // around the picture and between its parts
  int nLine = 0;        // one line of text
  int nPlotHeight = 0;  // of upright bars, from the width asked
  const Theme_t* pTheme = &kLight;
};

// One character's bytes: two for a double-byte character, else one.
size_t CharLength(std::string_view strSjis, size_t nAt) {
  const auto c = static_cast<unsigned char>(strSjis[nAt]);
  return velkar::IsSjisLeadByte(c) && nAt + 1 < strSjis.size() ? 2 : 1;
}

// Tenths of an em: 10 for a double-byte character, 6 for a single byte.
int WidthTenths(std::string_view strSjis) {
  int nTenths = 0;
  for (size_t i = 0; i < strSjis.size(); i += CharLength(strSjis, i)) {
    nTenths += CharLength(strSjis, i) == 2 ? 10 : 6;
  }
  return nTenths;
}

// The text cut into lines no wider than nMax pixels, at character
// boundaries; a line holds one character at least, so nothing is lost.
std::vector<std::string> Wrap(std::string_view strSjis, int nMax, int nFont) {
  std::vector<std::string> arrLine(1);
  for (size_t i = 0; i < strSjis.size();) {
    const size_t nLength = CharLength(strSjis, i);
    const std::string_view strChar = strSjis.substr(i, nLength);
    if (!arrLine.back().empty() &&
        ChartTextWidth(arrLine.back() + std::string(strChar), nFont) > nMax) {
      arrLine.emplace_back();
    }
    arrLine.back() += strChar;
    i += nLength;
  }
  return arrLine;
}

// UTF-8 for an attribute or text node: control characters become blanks,
// markup characters entities.
std::string Escape(std::string_view strSjis) {
  std::string strClean(strSjis);
  for (char& c : strClean) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  std::string strOut;
  for (const char c : velkar::SjisToUtf8(strClean)) {
    switch (c) {
      case '<': strOut += "&lt;"; break;
      case '>': strOut += "&gt;"; break;
      case '&': strOut += "&amp;"; break;
      case '"': strOut += "&quot;"; break;
      case '\'': strOut += "&apos;"; break;
      default: strOut += c;
    }
  }
  return strOut;
}

std::string Num(int64_t nValue) {
  return std::to_string(nValue);
}

enum class eANCHOR { Start, Middle, End };

void Text(std::string& strSvg, const Metrics_t& m, int nX, int nY, std::string_view strSjis,
          eANCHOR eAnchor = eANCHOR::Start, int nSize = 0) {
  static constexpr std::array<const char*, 3> kAnchor = {"start", "middle", "end"};
  strSvg += "<text x=\"" + Num(nX) + "\" y=\"" + Num(nY) +
            "\" font-family=\"sans-serif\" font-size=\"" + Num(nSize ? nSize : m.nFont) +
            "\" fill=\"" + m.pTheme->pszText + "\" text-anchor=\"" +
            kAnchor[static_cast<size_t>(eAnchor)] + "\">" + Escape(strSjis) + "</text>\n";
}

// Lines of text from the top nTop down; the height they take.
int Lines(std::string& strSvg, const Metrics_t& m, int nX, int nTop,
          const std::vector<std::string>& arrLine, eANCHOR eAnchor = eANCHOR::Start) {
  int nY = nTop;
  for (const std::string& strLine : arrLine) {
    nY += m.nLine;
    Text(strSvg, m, nX, nY - (m.nLine - m.nFont) / 2 - m.nFont / 6, strLine, eAnchor);
  }
  return nY - nTop;
}

void Line(std::string& strSvg, int nX1, int nY1, int nX2, int nY2, const char* pszColour) {
  strSvg += "<line x1=\"" + Num(nX1) + "\" y1=\"" + Num(nY1) + "\" x2=\"" + Num(nX2) + "\" y2=\"" +
            Num(nY2) + "\" stroke=\"" + pszColour + "\" stroke-width=\"1\"/>\n";
}

struct Box_t {
  int nX = 0;
  int nY = 0;
  int nW = 0;
  int nH = 0;
};

// A bar, its <title> (what it is and its value) and, when marked, a bold
// outline and the mark's sign above it.
void Bar(std::string& strSvg, const Metrics_t& m, const Box_t& box, const char* pszFill,
         const std::string& strTitle, bool bMarked) {
  strSvg += "<rect x=\"" + Num(box.nX) + "\" y=\"" + Num(box.nY) + "\" width=\"" + Num(box.nW) +
            "\" height=\"" + Num(box.nH) + "\" fill=\"" + pszFill + "\"";
  if (bMarked) strSvg += std::string(" stroke=\"") + m.pTheme->pszText + "\" stroke-width=\"2\"";
  strSvg += "><title>" + Escape(strTitle) + "</title></rect>\n";
}

// A small triangle pointing at a marked bar's top, as wide as the bar.
void MarkSign(std::string& strSvg, const Metrics_t& m, int nX, int nW, int nTop) {
  // Never taller than the room above the plot (ChartSvg leaves 3/4 em).
  const int nHalf = std::clamp(nW / 2, 2, m.nFont / 2);
  const int nMid = nX + nW / 2;
  strSvg += "<polygon points=\"" + Num(nMid - nHalf) + "," + Num(nTop - nHalf - 2) + " " +
            Num(nMid + nHalf) + "," + Num(nTop - nHalf - 2) + " " + Num(nMid) + "," +
            Num(nTop - 2) + "\" fill=\"" + m.pTheme->pszText + "\"/>\n";
}

// The value axis: round steps (1, 2 or 5 times a power of ten) from below
// the lowest value to above the highest, 0 included; at least 0 to 5.
struct Scale_t {
  int64_t nLow = 0;
  int64_t nHigh = 5;
  int64_t nStep = 1;

  // The offset of a value from the low end, on a span of nLength pixels.
  int Offset(int64_t nValue, int nLength) const {
    const int64_t nSpan = nHigh - nLow;
    return static_cast<int>(((nValue - nLow) * nLength * 2 + nSpan) / (2 * nSpan));
  }
};

Scale_t MakeScale(int64_t nMin, int64_t nMax, int nMaxTicks) {
  nMin = std::min<int64_t>(nMin, 0);
  nMax = std::max<int64_t>(nMax, 0);
  if (nMax - nMin < 5) nMax = nMin + 5;
  // Two intervals at least: values on both sides of 0 need them.
  const int nIntervals = std::max(nMaxTicks - 1, 2);
  Scale_t scale;
  for (int64_t nPower = 1;; nPower *= 10) {
    for (const int64_t nFactor : {1, 2, 5}) {
      scale.nStep = nFactor * nPower;
      scale.nLow = nMin >= 0 ? 0 : -((-nMin + scale.nStep - 1) / scale.nStep) * scale.nStep;
      scale.nHigh = (nMax + scale.nStep - 1) / scale.nStep * scale.nStep;
      if ((scale.nHigh - scale.nLow) / scale.nStep <= nIntervals) return scale;
    }
  }
}

std::vector<int64_t> Ticks(const Scale_t& scale) {
  std::vector<int64_t> arrTick;
  for (int64_t n = scale.nLow; n <= scale.nHigh; n += scale.nStep) arrTick.push_back(n);
  return arrTick;
}

int WidestTick(const Scale_t& scale, int nFont) {
  int nWidest = 0;
  for (const int64_t nTick : Ticks(scale))
    nWidest = std::max(nWidest, ChartTextWidth(Num(nTick), nFont));
  return nWidest;
}

struct Range_t {
  int64_t nMin = 0;
  int64_t nMax = 0;
};

// The range of the bars: each value, or with stacked parts each group's sum.
Range_t ValueRange(const Chart_t& chart) {
  Range_t range;
  const bool bStacked = ChartLayout(chart.eKind) == eCHART_LAYOUT::Stacked;
  for (size_t nGroup = 0; nGroup < chart.arrGroup.size(); ++nGroup) {
    int64_t nSum = 0;
    for (const ChartSeries_t& series : chart.arrSeries) {
      const int64_t nValue = series.arrValue[nGroup].value_or(0);
      nSum = bStacked ? nSum + nValue : nValue;
      range.nMin = std::min(range.nMin, nSum);
      range.nMax = std::max(range.nMax, nSum);
    }
  }
  return range;
}

bool IsMarked(const Chart_t& chart, size_t nGroup, size_t nSeries) {
  return std::any_of(chart.arrMark.begin(), chart.arrMark.end(), [&](const ChartMark_t& mark) {
    return mark.nGroup == nGroup && mark.nSeries == nSeries;
  });
}

// "series：group 123" (the series' name left out when there is one series),
// with the legend of each mark the bar has.
std::string BarTitle(const Chart_t& chart, size_t nGroup, size_t nSeries, int64_t nValue) {
  std::string strTitle =
      chart.arrSeries.size() > 1 ? chart.arrSeries[nSeries].strName + "\x81\x46" : "";
  strTitle += chart.arrGroup[nGroup] + " " + Num(nValue);
  for (const ChartMark_t& mark : chart.arrMark) {
    if (mark.nGroup == nGroup && mark.nSeries == nSeries)
      strTitle += " " + ChartMarkLegend(mark.eKind);
  }
  return strTitle;
}

// The title, wrapped; the height it takes.
int Title(std::string& strSvg, const Metrics_t& m, const std::string& strTitle, int nTop) {
  return Lines(strSvg, m, m.nPad, nTop, Wrap(strTitle, m.nWidth - 2 * m.nPad, m.nFont));
}

// The legend: a swatch and the name of each series (none for one series),
// then the marks' meanings, flowing into rows; the height it takes.
int Legend(std::string& strSvg, const Metrics_t& m, const Chart_t& chart, int nTop) {
  struct Entry_t {
    std::vector<std::string> arrLine;
    const char* pszColour;
  };
  std::vector<Entry_t> arrEntry;
  const int nSwatch = m.nFont;
  const int nRoom = m.nWidth - 2 * m.nPad - nSwatch - m.nPad / 2;
  if (chart.arrSeries.size() > 1) {
    for (size_t i = 0; i < chart.arrSeries.size(); ++i) {
      arrEntry.push_back(
          {Wrap(chart.arrSeries[i].strName, nRoom, m.nFont), kPalette[i % kPalette.size()]});
    }
  }
  for (const eCHART_MARK eMark : {eCHART_MARK::Best, eCHART_MARK::Own}) {
    const bool bUsed = std::any_of(chart.arrMark.begin(), chart.arrMark.end(),
                                   [&](const ChartMark_t& mark) { return mark.eKind == eMark; });
    if (bUsed) arrEntry.push_back({Wrap(ChartMarkLegend(eMark), nRoom, m.nFont), nullptr});
  }
  int nX = m.nPad;
  int nY = nTop;
  int nRowHeight = 0;
  for (const Entry_t& entry : arrEntry) {
    int nTextWidth = 0;
    for (const std::string& strLine : entry.arrLine)
      nTextWidth = std::max(nTextWidth, ChartTextWidth(strLine, m.nFont));
    const int nEntryWidth = nSwatch + m.nPad / 2 + nTextWidth;
    if (nX > m.nPad && nX + nEntryWidth > m.nWidth - m.nPad) {
      nX = m.nPad;
      nY += nRowHeight;
      nRowHeight = 0;
    }
    if (entry.pszColour) {
      Bar(strSvg, m, {nX, nY + (m.nLine - nSwatch) / 2, nSwatch, nSwatch}, entry.pszColour,
          entry.arrLine.front(), false);
    } else {
      MarkSign(strSvg, m, nX, nSwatch, nY + (m.nLine + nSwatch) / 2);
    }
    nRowHeight =
        std::max(nRowHeight, Lines(strSvg, m, nX + nSwatch + m.nPad / 2, nY, entry.arrLine));
    nX += nEntryWidth + m.nFont;
  }
  return nY + nRowHeight - nTop;
}

// The entries shown apart, as one wrapped line; the height it takes.
int Unusable(std::string& strSvg, const Metrics_t& m, const Chart_t& chart, int nTop) {
  if (chart.arrUnusable.empty()) return 0;
  std::string strList;
  for (const std::string& strName : chart.arrUnusable) {
    strList += (strList.empty() ? "" : std::string(txt::kGainListSeparator)) + strName;
  }
  return Lines(strSvg, m, m.nPad, nTop,
               Wrap(FormatText(txt::kChartUnusable, {strList}), m.nWidth - 2 * m.nPad, m.nFont));
}

// The value axis of upright bars: a tick every two lines of text at most.
Scale_t UprightScale(const Chart_t& chart, const Metrics_t& m) {
  const Range_t range = ValueRange(chart);
  return MakeScale(range.nMin, range.nMax, std::max(m.nPlotHeight / (2 * m.nLine), 2));
}

// Upright bars: a group per slot along the bottom, the value axis on the
// left; grouped (a bar per series) or stacked. The bottom of what it drew.
int UprightPlot(std::string& strSvg, const Metrics_t& m, const Chart_t& chart, int nTop) {
  const bool bStacked = ChartLayout(chart.eKind) == eCHART_LAYOUT::Stacked;
  const int nPlotHeight = m.nPlotHeight;
  const Scale_t scale = UprightScale(chart, m);
  const int nLeft = m.nPad + WidestTick(scale, m.nFont) + m.nPad;
  const int nBars = bStacked ? 1 : static_cast<int>(chart.arrSeries.size());
  const int nGroups = static_cast<int>(chart.arrGroup.size());
  const int nSlot = std::max({(m.nWidth - m.nPad - nLeft) / nGroups, nBars * 4 + 6, m.nFont * 2});
  const int nRight = nLeft + nSlot * nGroups;
  Text(strSvg, m, m.nPad, nTop + m.nFont, chart.strAxis);
  const int nPlotTop = nTop + m.nLine + m.nPad;
  const int nBottom = nPlotTop + nPlotHeight;
  const auto Y = [&](int64_t nValue) { return nBottom - scale.Offset(nValue, nPlotHeight); };
  for (const int64_t nTick : Ticks(scale)) {
    Line(strSvg, nLeft, Y(nTick), nRight, Y(nTick),
         nTick == 0 ? m.pTheme->pszAxis : m.pTheme->pszGrid);
    Text(strSvg, m, nLeft - m.nPad / 2, Y(nTick) + m.nFont * 3 / 8, Num(nTick), eANCHOR::End);
  }
  Line(strSvg, nLeft, nPlotTop, nLeft, nBottom, m.pTheme->pszAxis);
  const int nBarWidth = (nSlot - 6) / nBars;
  int nLabelHeight = 0;
  for (int g = 0; g < nGroups; ++g) {
    const auto nGroup = static_cast<size_t>(g);
    const int nSlotLeft = nLeft + g * nSlot + (nSlot - nBarWidth * nBars) / 2;
    int64_t nBase = 0;
    for (size_t s = 0; s < chart.arrSeries.size(); ++s) {
      const std::optional<int64_t>& nValue = chart.arrSeries[s].arrValue[nGroup];
      if (!nValue) continue;
      const int nX = nSlotLeft + (bStacked ? 0 : static_cast<int>(s) * nBarWidth);
      const int nFrom = Y(nBase);
      const int nTo = Y(nBase + *nValue);
      if (bStacked) nBase += *nValue;
      const bool bMarked = IsMarked(chart, nGroup, s);
      Bar(strSvg, m, {nX, std::min(nFrom, nTo), nBarWidth, std::abs(nTo - nFrom)},
          kPalette[s % kPalette.size()], BarTitle(chart, nGroup, s, *nValue), bMarked);
      if (bMarked) MarkSign(strSvg, m, nX, nBarWidth, std::min(nFrom, nTo) - 1);
    }
    const std::vector<std::string> arrLabel = Wrap(chart.arrGroup[nGroup], nSlot - 4, m.nFont);
    nLabelHeight = std::max(nLabelHeight, Lines(strSvg, m, nLeft + g * nSlot + nSlot / 2,
                                                nBottom + m.nPad / 2, arrLabel, eANCHOR::Middle));
  }
  return nBottom + m.nPad / 2 + nLabelHeight;
}

// Lying bars: a group per row with its label on the left, the value axis at
// the bottom. The bottom of what it drew.
int LyingPlot(std::string& strSvg, const Metrics_t& m, const Chart_t& chart, int nTop) {
  const Range_t range = ValueRange(chart);
  // The labels leave the axis room for three ticks at least.
  const auto TickRoom = [&](const Scale_t& scale) {
    return (WidestTick(scale, m.nFont) + m.nFont) * static_cast<int>(Ticks(scale).size());
  };
  const int nInner = m.nWidth - 2 * m.nPad;
  const int nMaxLabel = std::max(
      std::min(nInner * 2 / 5, nInner - m.nPad - TickRoom(MakeScale(range.nMin, range.nMax, 3))),
      m.nFont);
  std::vector<std::vector<std::string>> arrLabel;
  int nLabelWidth = 0;
  for (const std::string& strGroup : chart.arrGroup) {
    arrLabel.push_back(Wrap(strGroup, nMaxLabel, m.nFont));
    for (const std::string& strLine : arrLabel.back())
      nLabelWidth = std::max(nLabelWidth, ChartTextWidth(strLine, m.nFont));
  }
  const int nLeft = m.nPad + nLabelWidth + m.nPad;
  // The last tick's label is centred on the plot's edge.
  const int nRight =
      m.nWidth - m.nPad - WidestTick(MakeScale(range.nMin, range.nMax, 3), m.nFont) / 2;
  // As many ticks as their widest label leaves room for.
  int nTicks = 11;
  Scale_t scale = MakeScale(range.nMin, range.nMax, nTicks);
  while (nTicks > 3 && TickRoom(scale) > nRight - nLeft) {
    scale = MakeScale(range.nMin, range.nMax, --nTicks);
  }
  Text(strSvg, m, nLeft, nTop + m.nFont, chart.strAxis);
  const int nPlotTop = nTop + m.nLine + m.nPad / 2;
  const auto X = [&](int64_t nValue) { return nLeft + scale.Offset(nValue, nRight - nLeft); };
  // The rows go after the grid, so that the bars cover its lines.
  std::string strRows;
  int nY = nPlotTop;
  for (size_t g = 0; g < chart.arrGroup.size(); ++g) {
    const int nRow = std::max(static_cast<int>(arrLabel[g].size()) * m.nLine, m.nLine) + m.nPad / 2;
    Lines(strRows, m, nLeft - m.nPad / 2,
          nY + (nRow - static_cast<int>(arrLabel[g].size()) * m.nLine) / 2, arrLabel[g],
          eANCHOR::End);
    const std::optional<int64_t>& nValue = chart.arrSeries.front().arrValue[g];
    if (nValue) {
      const int nFrom = X(0);
      const int nTo = X(*nValue);
      Bar(strRows, m, {std::min(nFrom, nTo), nY + 2, std::abs(nTo - nFrom), nRow - 4}, kPalette[0],
          BarTitle(chart, g, 0, *nValue), false);
    }
    nY += nRow;
  }
  for (const int64_t nTick : Ticks(scale)) {
    Line(strSvg, X(nTick), nPlotTop, X(nTick), nY,
         nTick == 0 ? m.pTheme->pszAxis : m.pTheme->pszGrid);
    Text(strSvg, m, X(nTick), nY + m.nLine, Num(nTick), eANCHOR::Middle);
  }
  strSvg += strRows;
  return nY + m.nLine + m.nPad / 2;
}

// The width the upright plot needs: the asked width, or more when its
// groups need more room than that leaves them.
int UprightWidth(const Chart_t& chart, const Metrics_t& m) {
  if (chart.strEmpty || ChartLayout(chart.eKind) == eCHART_LAYOUT::Lying) return m.nWidth;
  const int nBars = ChartLayout(chart.eKind) == eCHART_LAYOUT::Stacked
                        ? 1
                        : static_cast<int>(chart.arrSeries.size());
  const int nSlot = std::max(nBars * 4 + 6, m.nFont * 2);
  const int nLeft = m.nPad + WidestTick(UprightScale(chart, m), m.nFont) + m.nPad;
  return std::max(m.nWidth, nLeft + nSlot * static_cast<int>(chart.arrGroup.size()) + m.nPad);
}

}  // namespace

int ChartTextWidth(std::string_view strSjis, int nFontSize) {
  return (WidthTenths(strSjis) * nFontSize + 9) / 10;
}

std::string ChartSvg(const Chart_t& chart, const ChartStyle_t& style) {
  Metrics_t m;
  m.nFont = std::clamp(style.nFontSize, kChartMinFontSize, kChartMaxFontSize);
  m.nWidth = std::clamp(style.nWidth, kChartMinWidth, kChartMaxWidth);
  m.nPad = m.nFont * 3 / 4;
  m.nLine = m.nFont * 5 / 4;
  m.pTheme = style.bDark ? &kDark : &kLight;
  m.nPlotHeight = std::clamp(m.nWidth * 3 / 8, 8 * m.nLine, 30 * m.nLine);
  m.nWidth = UprightWidth(chart, m);

  std::string strBody;
  int nY = m.nPad + Title(strBody, m, chart.strTitle, m.nPad);
  if (chart.strEmpty) {
    nY += m.nLine + Lines(strBody, m, m.nWidth / 2, nY + m.nLine,
                          Wrap(*chart.strEmpty, m.nWidth - 2 * m.nPad, m.nFont), eANCHOR::Middle);
  } else {
    nY += Legend(strBody, m, chart, nY);
    nY = ChartLayout(chart.eKind) == eCHART_LAYOUT::Lying
             ? LyingPlot(strBody, m, chart, nY + m.nPad / 2)
             : UprightPlot(strBody, m, chart, nY + m.nPad / 2);
    nY += Unusable(strBody, m, chart, nY);
  }
  const int nHeight = nY + m.nPad;

  const std::string strId = std::string("velkar-chart-") + ChartKindName(chart.eKind);
  const std::string strName = chart.strTitle.empty() ? chart.strEmpty.value_or("") : chart.strTitle;
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\" width=\"" +
         Num(m.nWidth) + "\" height=\"" + Num(nHeight) + "\" viewBox=\"0 0 " + Num(m.nWidth) + " " +
         Num(nHeight) + "\" role=\"img\" aria-labelledby=\"" + strId +
         "-title\" aria-describedby=\"" + strId + "-desc\">\n<title id=\"" + strId + "-title\">" +
         Escape(strName) + "</title>\n<desc id=\"" + strId + "-desc\">" +
         Escape(chart.strEmpty.value_or(chart.strDescription)) +
         "</desc>\n<rect x=\"0\" y=\"0\" width=\"" + Num(m.nWidth) + "\" height=\"" + Num(nHeight) +
         "\" fill=\"" + m.pTheme->pszBack + "\"/>\n" + strBody + "</svg>\n";
}
