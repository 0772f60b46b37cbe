// CGainsDlg: the non-modal gains view. For the calculation on show in the
// main window it lists the 24 modifiers (ticking each, or unticking a ticked
// one) and the six sharpness levels, sorted by what each adds to the total
// damage, largest first: the core's gains (ComputeGains), in the words of
// GainText.h. The owner calls Refresh after every change it shows, so the
// view follows it live. A box that cannot be clicked now is listed greyed.
#pragma once

#include <QDialog>
#include <functional>

class CCalculator;
class QLabel;
class QTreeWidget;

class CGainsDlg : public QDialog {
  Q_OBJECT

public:
  enum eCOLUMN { COLUMN_CHOICE, COLUMN_EFFECT, COLUMN_TOTAL, COLUMN_COUNT };

  // fnCalculation gives the calculation on show, or null while there is none.
  explicit CGainsDlg(std::function<const CCalculator*()> fnCalculation, QWidget* pParent = nullptr);
  ~CGainsDlg() override;

  // Computes the gains again; nothing while hidden (showing refreshes).
  void Refresh();

protected:
  void showEvent(QShowEvent* pEvent) override;

private:
  std::function<const CCalculator*()> m_fnCalculation;
  QLabel* m_pHeading = nullptr;
  QTreeWidget* m_pList = nullptr;
};
