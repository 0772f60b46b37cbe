// CComparisonDlg: the non-modal window that puts up to six loadouts side by
// side (system menu, Ctrl+M). Each loadout is a column named by its weapon;
// each region of the main window's monster is a row with every loadout's
// damage and, in brackets, its difference to the first loadout ("+12", "-3",
// "±0"), with the totals last. Loadouts come from the main window's current
// setup, from saved builds and from a code on the clipboard; a column can be
// removed or made the first. Its chart button opens the chart view
// (CChartDlg) of the lineup: loadouts by region, or at each sharpness.
//
// The loadouts live in a CLoadoutLineup that the main window owns, because
// its pinned baseline is the lineup's first loadout too; the dialog changes
// the lineup and says so with LineupChanged. It reads the main window only
// through the calculation on show, and computes against its monster, level
// and anger whenever the owner calls Refresh.
#pragma once

#include <QDialog>
#include <functional>

#include "setup/LoadoutLineup.h"
#include "setup/SetupStore.h"

class CCalculator;
class CChartDlg;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

class CComparisonDlg : public QDialog {
  Q_OBJECT

public:
  // The calculation on show; null while there is none to read.
  using CalculationFunction = std::function<const CCalculator*()>;

  CComparisonDlg(CLoadoutLineup& lineup, CalculationFunction fnCalculation,
                 QWidget* pParent = nullptr);
  ~CComparisonDlg() override;

  // Computes the lineup again against the main window's target; nothing
  // while hidden (showing the dialog refreshes it). Its chart view follows
  // even while the dialog is closed.
  void Refresh();

  // The ways to add a loadout; each tells the player when the lineup is full.
  void AddCurrent();
  void AddBuild(const ListedBuild_t& chosen);
  void AddCodeFromClipboard();
  // The chart view of the lineup, beside the dialog; null until first opened.
  void OpenChart();
  CChartDlg* GetChartDlg() const { return m_pChart; }

signals:
  void LineupChanged();

protected:
  void showEvent(QShowEvent* pEvent) override;

private:
  void FillBuildMenu();
  // Widens the region names' column to the longest name.
  void FitRegionColumn();
  // Gives a cell (nColumn < 0: a row's header) its text, creating the item
  // when there is none yet; with a null pItem and no header item in the
  // column, the item created is that column's header.
  void SetText(QTableWidgetItem* pItem, size_t nRow, int nColumn, const QString& strText);
  bool AddLoadout(NamedLoadout_t loadout);
  void RemoveSelected();
  void MakeSelectedFirst();
  void Changed();
  void UpdateButtons();
  void Tell(const QString& strText);

  CLoadoutLineup& m_lineup;
  CalculationFunction m_fnCalculation;
  QLabel* m_pTarget = nullptr;
  QTableWidget* m_pTable = nullptr;
  QMenu* m_pBuildMenu = nullptr;
  QPushButton* m_pAddCurrent = nullptr;
  QPushButton* m_pAddBuild = nullptr;
  QPushButton* m_pAddCode = nullptr;
  QPushButton* m_pMakeFirst = nullptr;
  QPushButton* m_pRemove = nullptr;
  CChartDlg* m_pChart = nullptr;  // owned by the dialog
};
