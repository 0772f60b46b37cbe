// CVelkarDlg: the main window, the one place where everything meets.
//
//   CVelkarApp ──runs──> CVelkarDlg ──owns──> CCalculator ──refers to──> CDataManager
//                            │    └─────────────────owns──────────────────> (owns every record)
//                            ├──owns──> the 44 controls (MainControls_t), among them
//                            │          CWeaponListBox (1002) and CColorListCtrl (1013)
//                            └──owns──> CCalculatorMirror, CResultRows, CBaselinePin:
//                                       the calculator's state shown in the controls
//
// The window owns the store of its data folder. A conversion writes the data
// files through a new store, which the window loads and swaps in only when
// every file was written; the calculator is then pointed at it with the
// setup on show restored by name (MoveToStore), and the old records go.
//
// The window has its controls created from the template table
// (CControlFactory) and routes every control event to exactly one calculator
// operation. After each operation it shows the calculator's state again: the
// input controls (CCalculatorMirror), the result rows (CResultRows) and the
// baseline column (CBaselinePin), and then tells its other windows
// (CalculationShown). A double-click or Enter on a result row opens the
// breakdown window (CBreakdownDlg) with every hit. The calculator and the
// store never see a Qt type.
//
// Keys: Enter presses a focused push button and otherwise does nothing; Esc
// and the close box end the window's run. In the motion lists Enter or a
// double-click adds an available motion, Delete removes a chosen one. The
// system menu (close, About, the two conversions, the builds window, the
// ranking dialog, the pin, the comparison, the gains view, the chart view,
// the codes, undo and redo) opens from the menu button, on a right click on the window's
// background and with Shift+F10 or Alt+Space; Ctrl+B opens the builds window
// (CBuildsDlg), Ctrl+R the weapon table (CRankingDlg), Ctrl+M the comparison
// window (CComparisonDlg), Ctrl+G the gains view (CGainsDlg), Ctrl+H the chart
// view of the setup on show (CChartDlg), and Ctrl+P pins
// the current loadout as the baseline or unpins it (CBaselinePin).
// Ctrl+Shift+C and Ctrl+Shift+V copy the setup as a code and open one, Ctrl+Z
// and Ctrl+Y undo and redo (CSetupCommands). The weapon table, the comparison
// window, the gains view, the chart view and the breakdown window follow
// CalculationShown;
// the modifier boxes' tooltips (CModifierTips) read the calculation when they
// show.
//
// The setup on show is saved (CSetupStore), with the window's size and place,
// whenever the window's run ends, and the application restores both before
// the next run (RestoreLastSetup). The window can grow (CWindowGrowth): its
// lists take the room, and the result list's region column the list's.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "ControlFactory.h"
#include "WindowGrowth.h"
#include "calc/Calculator.h"
#include "setup/Setup.h"
#include "setup/SetupRestore.h"

class CBaselinePin;
class CBuildsDlg;
class CBreakdownDlg;
class CCalculatorMirror;
class CChartDlg;
class CComparisonDlg;
class CGainsDlg;
class CRankingDlg;
class CResultRows;
class CSetupCommands;
class CWindowMenu;
class CDataManager;
class QKeyEvent;
class QMenu;

class CVelkarDlg : public QDialog {
  Q_OBJECT

public:
  // A window on the data files of a folder ("" is the working folder).
  explicit CVelkarDlg(const std::string& strDataDir, QWidget* pParent = nullptr);
  ~CVelkarDlg() override;

  const CCalculator& GetCalculator() const { return m_calculator; }
  // The control of a control id, or null.
  QWidget* GetControl(int nId) const;
  // The system menu as it opens (its actions carry their command values).
  QMenu* GetSystemMenu() const;

  // Runs one command of the system menu.
  void OnSysCommand(int nCommand);
  // The report button: the current calculation onto the clipboard, and a
  // short note at the button saying so, or why not.
  void CopyReport();
  // The breakdown window of a result row (created on first use), or null.
  CBreakdownDlg* GetBreakdownDlg() const { return m_pBreakdown; }
  void OpenBreakdown(int nRow);

  // Runs a setup's operations on the calculator and shows the result; what
  // it could not restore.
  std::vector<RestoreMiss_t> ApplySetup(const Setup_t& setup);
  // Applies the setup saved when the window last ended, if there is one, and
  // the window's size and place saved with it; says so when its file could
  // not be used or a name could not be restored.
  void RestoreLastSetup();
  // The window's size and place as they are saved.
  WindowPlacement_t GetPlacement() const;
  void RestorePlacement(const WindowPlacement_t& placement);
  // The builds window, created on first use; null before.
  CBuildsDlg* GetBuildsDialog() const { return m_pBuilds; }
  // Ends the run (Esc, the close box, the menu's close) and saves the setup.
  void done(int nResult) override;
  // The ranking dialog, null until it is first opened; whether a baseline is
  // pinned (Ctrl+P).
  CRankingDlg* GetRankingDlg() const { return m_pRanking; }
  bool IsBaselinePinned() const;
  // The comparison window, null until it is first opened.
  CComparisonDlg* GetComparisonDlg() const { return m_pComparison; }
  // The gains view, null until it is first opened.
  CGainsDlg* GetGainsDlg() const { return m_pGains; }
  // The chart view of the setup on show, null until it is first opened.
  CChartDlg* GetChartDlg() const { return m_pChart; }

signals:
  // The calculation on screen may have changed: sent after the window has
  // shown the calculator's state again.
  void CalculationShown();

protected:
  void keyPressEvent(QKeyEvent* pEvent) override;
  void contextMenuEvent(QContextMenuEvent* pEvent) override;
  void paintEvent(QPaintEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;
  void showEvent(QShowEvent* pEvent) override;
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
  void ConnectControls();

  void OpenBuilds();
  void ReloadAll();
  void ReportLoadErrors();
  void Convert(bool bMonsters);
  void ShowMessage(const QString& strText, bool bProblem);
  void OpenRanking();
  void OpenGains();
  void OpenChart();
  // The calculation for the other windows to read.
  const CCalculator* ShownCalculation() const;
  void TogglePin();
  // A problem message: shown now, or once the window is first on screen.
  void ReportProblem(const QString& strText);
  // The baseline column as the pin and the comparison have it, and the
  // menu's pin entry.
  void ShowBaseline();
  void OpenComparison();

  // Showing the calculator's state; bRefill refills every list even when
  // its entries look unchanged (after a reload or a category change).
  void ShowCalculator(bool bRefill = false);
  void AddSelectedMotion();
  void RemoveSelectedMotion();
  bool HandleMotionListKey(const QObject* pList, const QKeyEvent& event);

  std::unique_ptr<CDataManager> m_pStore;  // declared first: the calculator points into it
  CCalculator m_calculator;
  QIcon m_icon;
  CWindowGrowth m_growth;  // the controls' places as the window grows

  MainControls_t m_controls;
  std::unique_ptr<CCalculatorMirror> m_pMirror;
  std::unique_ptr<CResultRows> m_pRows;
  std::unique_ptr<CBaselinePin> m_pPin;
  std::unique_ptr<CWindowMenu> m_pMenu;
  std::unique_ptr<CSetupCommands> m_pSetupCommands;
  CBreakdownDlg* m_pBreakdown = nullptr;    // owned by the window
  CBuildsDlg* m_pBuilds = nullptr;          // owned by the window
  CRankingDlg* m_pRanking = nullptr;        // owned by the window
  CComparisonDlg* m_pComparison = nullptr;  // owned by the window
  CGainsDlg* m_pGains = nullptr;            // owned by the window
  CChartDlg* m_pChart = nullptr;            // owned by the window

  QString m_strPendingProblems;  // found before the window was first shown
};
