// CBreakdownDlg: the breakdown window of one result row, opened by a
// double-click or Enter on the row. Non-modal: it stays open beside the main
// window and follows it. Above, the weapon, monster and level, the row's
// region line and the factors every hit shares; below, a table of every hit (HitTable in the core)
// and a button that copies it all as text.
//
// The window knows nothing of the main window: it asks a source for the
// explanation of its row whenever it is told that the calculation changed
// (Refresh), and shows a note when there is nothing to explain.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

#include "calc/Calculator.h"
#include "calc/HitTable.h"

class QLabel;
class QPushButton;
class QTableWidget;

class CBreakdownDlg : public QDialog {
  Q_OBJECT

public:
  // The explanation of a result row (CCalculator::ExplainRow), or none.
  using RowSource_t = std::function<std::optional<CalcExplanation_t>(int nRow)>;

  CBreakdownDlg(RowSource_t fnSource, QWidget* pParent);
  ~CBreakdownDlg() override;

  // Shows the window (raised) with the breakdown of a row.
  void ShowRow(int nRow);
  int GetRow() const { return m_nRow; }
  // The calculation changed: the row is explained again (while shown).
  void Refresh();
  // The whole breakdown as text onto the clipboard.
  void CopyAsText();

private:
  void ShowTable();

  RowSource_t m_fnSource;
  int m_nRow = 0;
  std::optional<HitTable_t> m_table;
  QLabel* m_pHeading = nullptr;  // weapon, monster and level
  QLabel* m_pRegion = nullptr;
  QLabel* m_pFactors = nullptr;
  QTableWidget* m_pTable = nullptr;
  QPushButton* m_pCopy = nullptr;
};
