// CResultRows: the main window's result list as it shows the calculator's
// rows. The columns come with the first load and stay, with full-row
// selection and grid lines; their widths follow the list's font and width
// (CResultColumnFit) unless the baseline column (CBaselineColumn) has made
// its own room. The rows are rebuilt only when they changed, so that an
// operation that does not recalculate keeps the list's selection; each has
// the colour of its kind. Resting on a row shows a short summary of its hits
// (BuildRowSummary), worked out when the tooltip shows, and the headers a
// legend of the colours.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "calc/Calculator.h"
#include "widgets/BaselineColumn.h"

class CColorListCtrl;

class CResultRows {
public:
  CResultRows(CColorListCtrl& list, const CCalculator& calculator);

  // Shows the calculator's columns and rows.
  void Show();
  bool HasRows() const { return !m_arrShownRow.empty(); }
  // Fits the columns to the list's font and width.
  void FitColumns();
  // Shows or removes the baseline column (see CBaselineColumn::Show).
  void ShowBaseline(bool bShow, const QString& strCaption, const QString& strShortCaption,
                    const std::vector<std::string>& arrDifference);
  bool IsBaselineShown() const { return m_baseline.IsShown(); }
  // Every hit of a shown row, or none.
  std::optional<CalcExplanation_t> Explain(int nRow) const;

private:
  QString RowSummary(int nRow) const;

  CColorListCtrl& m_list;
  const CCalculator& m_calculator;
  CBaselineColumn m_baseline;
  std::vector<ResultRow_t> m_arrShownRow;
};
