// CGainsDlg: the non-modal gains view. For the calculation on show in the
// main window it lists the 24 modifiers (ticking each, or unticking a ticked
// one) and the six sharpness levels, sorted by what each adds to the total
// damage or to the region chosen above the list, largest first: the core's
// gains (ComputeGains), in the words of GainText.h. The owner calls Refresh
// after every change it shows, so the view follows it live. A box that cannot
// be clicked now is listed last, greyed. Its chart button opens the chart
// view (CChartDlg) of the gains, of the total or the region chosen.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class CCalculator;
class CChartDlg;
class QComboBox;
class QLabel;
class QTreeWidget;

class CGainsDlg : public QDialog {
  Q_OBJECT

public:
  enum eCOLUMN { COLUMN_CHOICE, COLUMN_EFFECT, COLUMN_TOTAL, COLUMN_REGION, COLUMN_COUNT };

  // fnCalculation gives the calculation on show, or null while there is none.
  explicit CGainsDlg(std::function<const CCalculator*()> fnCalculation, QWidget* pParent = nullptr);
  ~CGainsDlg() override;

  // Computes the gains again; nothing while hidden (showing refreshes). Its
  // chart view follows even while the view is closed.
  void Refresh();
  // The chart view of the gains, beside the view; null until first opened.
  void OpenChart();
  CChartDlg* GetChartDlg() const { return m_pChart; }

protected:
  void showEvent(QShowEvent* pEvent) override;

private:
  // Lists the regions of the rows on show, keeping the chosen one by name;
  // the row index to sort by, none for the total.
  std::optional<size_t> FillRegions(const CCalculator& calculator);

  std::function<const CCalculator*()> m_fnCalculation;
  QLabel* m_pHeading = nullptr;
  QComboBox* m_pRegion = nullptr;
  QTreeWidget* m_pList = nullptr;
  CChartDlg* m_pChart = nullptr;  // owned by the view
};
