#include "widgets/ResultRows.h"

#include <algorithm>
#include <utility>

#include "calc/HitTable.h"
#include "text/SjisText.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/ColourLegend.h"
#include "widgets/ResultColumnFit.h"

namespace {

bool SameRows(const std::vector<ResultRow_t>& arrA, const std::vector<ResultRow_t>& arrB) {
  return std::equal(arrA.begin(), arrA.end(), arrB.begin(), arrB.end(),
                    [](const ResultRow_t& a, const ResultRow_t& b) {
                      return a.arrCell == b.arrCell && a.nKind == b.nKind;
                    });
}

}  // namespace

CResultRows::CResultRows(CColorListCtrl& list, const CCalculator& calculator)
    : m_list(list), m_calculator(calculator), m_baseline(list) {
  m_list.SetRowToolTipSource([this](int nRow) { return RowSummary(nRow); });
  m_list.SetHeaderToolTip(ResultColourLegend());
}

void CResultRows::Show() {
  // The columns come with the first load and stay; full-row selection and
  // grid lines come with them.
  if (m_list.GetColumnCount() == 0 && !m_calculator.GetResultColumns().empty()) {
    int nColumn = 0;
    for (const ResultColumn_t& column : m_calculator.GetResultColumns()) {
      m_list.InsertColumn(nColumn, FromSjis(column.strCaption),
                          CResultColumnFit::TemplateWidth(static_cast<size_t>(nColumn)));
      ++nColumn;
    }
    m_list.SetFullRowSelect(true);
    m_list.SetGridLines(true);
    FitColumns();
  }
  // Rows are rebuilt only when they changed, so that an operation that does
  // not recalculate keeps the list's selection.
  const std::vector<ResultRow_t>& arrRow = m_calculator.GetResultRows();
  if (SameRows(arrRow, m_arrShownRow)) return;
  m_list.RemoveAllRows();
  int nRow = 0;
  for (const ResultRow_t& row : arrRow) {
    m_list.InsertRow(nRow, FromSjis(row.arrCell[0]));
    for (int nColumn = 1; nColumn < static_cast<int>(row.arrCell.size()); ++nColumn) {
      m_list.SetCellText(nRow, nColumn, FromSjis(row.arrCell[static_cast<size_t>(nColumn)]));
    }
    // A row without a colour keeps the one stored for its index.
    if (const std::optional<uint32_t> nColor = ResultKindColor(row.nKind)) {
      m_list.SetItemColor(nRow, *nColor);
    }
    ++nRow;
  }
  m_arrShownRow = arrRow;
}

void CResultRows::FitColumns() {
  // A shown baseline's column has made its own room.
  if (m_baseline.IsShown()) return;
  CResultColumnFit::Fit(m_list, m_calculator.GetResultColumns());
}

void CResultRows::ShowBaseline(bool bShow, const QString& strCaption,
                               const QString& strShortCaption,
                               const std::vector<std::string>& arrDifference) {
  m_baseline.Show(bShow, strCaption, strShortCaption, arrDifference);
  FitColumns();
}

std::optional<CalcExplanation_t> CResultRows::Explain(int nRow) const {
  return m_calculator.ExplainRow(nRow);
}

QString CResultRows::RowSummary(int nRow) const {
  const std::optional<CalcExplanation_t> explanation = Explain(nRow);
  if (!explanation) return QString();
  // The region's line and the hint line come with the motions' lines.
  const int nMotionLines = std::max(1, m_list.ToolTipLineCapacity() - 2);
  QString strText = FromSjis(BuildRowSummary(*explanation, static_cast<size_t>(nMotionLines)));
  if (strText.endsWith(u'\n')) strText.chop(1);
  return strText;
}
