#include "widgets/BaselineColumn.h"

#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <numeric>

#include "text/SjisText.h"
#include "widgets/ColorListCtrl.h"

namespace {

// The widest difference the column shows without shortening it.
const QString kWidestDifference = QStringLiteral("-99999");
// No template column is narrowed below this.
constexpr int kMinimumColumnWidth = 16;

}  // namespace

void CBaselineColumn::Show(bool bShow, const QString& strCaption, const QString& strShortCaption,
                           const std::vector<std::string>& arrDifference) {
  if (bShow && !m_bShown) AddColumn(strShortCaption);
  if (!bShow && m_bShown) RemoveColumn();
  if (!m_bShown) return;
  const int nColumn = static_cast<int>(m_arrOwnWidth.size());
  Qt::Alignment alignment;
  int nWidth = 0;
  m_list.GetColumn(nColumn, alignment, nWidth);
  const bool bFits =
      QFontMetrics(m_list.font()).horizontalAdvance(strCaption) + CColorListCtrl::kColumnMargin <=
      nWidth;
  m_list.SetColumnCaption(nColumn, bFits ? strCaption : strShortCaption, strCaption);
  for (int nRow = 0; nRow < m_list.GetRowCount(); ++nRow) {
    const size_t nIndex = static_cast<size_t>(nRow);
    m_list.SetCellText(nRow, nColumn,
                       nIndex < arrDifference.size() ? FromSjis(arrDifference[nIndex]) : QString());
  }
}

void CBaselineColumn::AddColumn(const QString& strShortCaption) {
  m_arrOwnWidth.clear();
  Qt::Alignment alignment;
  int nWidth = 0;
  for (int nColumn = 0; m_list.GetColumn(nColumn, alignment, nWidth); ++nColumn) {
    m_arrOwnWidth.push_back(nWidth);
  }
  const int nDifference = DifferenceWidth(strShortCaption);
  const std::vector<int> arrNarrowed =
      NarrowToFit(m_arrOwnWidth, AvailableWidth() - nDifference, kMinimumColumnWidth);
  for (size_t i = 0; i < arrNarrowed.size(); ++i) {
    m_list.SetColumnWidth(static_cast<int>(i), arrNarrowed[i]);
  }
  m_list.InsertColumn(static_cast<int>(m_arrOwnWidth.size()), strShortCaption, nDifference,
                      Qt::AlignRight);
  m_bShown = true;
}

void CBaselineColumn::RemoveColumn() {
  m_list.DeleteColumn(static_cast<int>(m_arrOwnWidth.size()));
  for (size_t i = 0; i < m_arrOwnWidth.size(); ++i) {
    m_list.SetColumnWidth(static_cast<int>(i), m_arrOwnWidth[i]);
  }
  m_bShown = false;
}

std::vector<int> CBaselineColumn::NarrowToFit(std::vector<int> arrWidth, int nAvailable,
                                              int nMinimum) {
  while (std::accumulate(arrWidth.begin(), arrWidth.end(), 0) > nAvailable) {
    const auto itWidest = std::max_element(arrWidth.begin(), arrWidth.end());
    if (itWidest == arrWidth.end() || *itWidest <= nMinimum) break;
    --*itWidest;
  }
  return arrWidth;
}

int CBaselineColumn::AvailableWidth() const {
  // Room for the vertical scroll bar is always kept, so the columns need not
  // move when enough rows come to need it.
  return m_list.width() - 2 * m_list.frameWidth() -
         m_list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_list);
}

// The column is as wide as its numbers and the short caption, so that the
// others keep what room they can.
int CBaselineColumn::DifferenceWidth(const QString& strShortCaption) const {
  const QFontMetrics metrics(m_list.font());
  return std::max(metrics.horizontalAdvance(kWidestDifference),
                  metrics.horizontalAdvance(strShortCaption)) +
         CColorListCtrl::kColumnMargin;
}
