#include "widgets/ResultColumnFit.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <array>

#include "calc/Calculator.h"
#include "text/SjisText.h"
#include "widgets/ColorListCtrl.h"

namespace {

// The columns' widths in the window's template, in pixels.
constexpr std::array<int, 4> kTemplateWidth{40, 40, 40, 45};

// The widest cell a number column can hold: a hitzone is a byte ("255%");
// a region's damage stays within five digits in any game data.
QString WidestCell(size_t nColumn) {
  return nColumn == 3 ? QStringLiteral("99999") : QStringLiteral("255%");
}

}  // namespace

int CResultColumnFit::TemplateWidth(size_t nColumn) {
  return nColumn < kTemplateWidth.size() ? kTemplateWidth[nColumn] : kTemplateWidth.back();
}

std::vector<int> CResultColumnFit::Widths(const CColorListCtrl& list,
                                          const std::vector<ResultColumn_t>& arrColumn,
                                          int nAvailable) {
  const QFontMetrics metrics(list.font());
  std::vector<int> arrWidth;
  int nNumbers = 0;
  for (size_t i = 1; i < arrColumn.size(); ++i) {
    const int nNeeded = CColorListCtrl::kColumnMargin +
                        std::max(metrics.horizontalAdvance(FromSjis(arrColumn[i].strCaption)),
                                 metrics.horizontalAdvance(WidestCell(i)));
    arrWidth.push_back(std::max(TemplateWidth(i), nNeeded));
    nNumbers += arrWidth.back();
  }
  if (!arrColumn.empty()) {
    arrWidth.insert(arrWidth.begin(), std::max(TemplateWidth(0), nAvailable - nNumbers));
  }
  return arrWidth;
}

void CResultColumnFit::Fit(CColorListCtrl& list, const std::vector<ResultColumn_t>& arrColumn) {
  // Room for the vertical scroll bar is always kept, so the columns need not
  // move when enough rows come to need it.
  const int nAvailable = list.width() - 2 * list.frameWidth() -
                         list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list);
  const std::vector<int> arrWidth = Widths(list, arrColumn, nAvailable);
  const int nCount = std::min(list.GetColumnCount(), static_cast<int>(arrWidth.size()));
  for (int i = 0; i < nCount; ++i) list.SetColumnWidth(i, arrWidth[static_cast<size_t>(i)]);
}
