// CGainsDlg: the non-modal gains view. For the calculation on show in the
// main window it lists the 24 modifiers (ticking each, or unticking a ticked
// one) and the six sharpness levels, sorted by what each adds to the total
// damage or to the region chosen above the list, largest first: the core's
// gains (ComputeGains), in the words of GainText.h. The owner calls Refresh
// after every change it shows, so the view follows it live. A box that cannot
// be clicked now is listed last, greyed.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>

class CCalculator;
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

  // Computes the gains again; nothing while hidden (showing refreshes).
  void Refresh();

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
};
