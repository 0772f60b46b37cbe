// CVelkarDlg: the main window, the one place where everything meets.
//
//   CVelkarApp ──runs──> CVelkarDlg ──owns──> CCalculator ──refers to──> CDataManager
//                            │                                            (owns every record)
//                            └──owns──> the 44 controls, among them
//                                       CWeaponListBox (1002) and CColorListCtrl (1013)
//
// The window creates its controls from the template table (ControlTemplate.h)
// with positions in dialog units, and routes every control event to exactly
// one calculator operation. After each operation it shows the calculator's
// state again: lists (refilled only when the calculator's list revision moved
// on), selections, texts, check marks, enabled states, the slider and the
// result rows, and then tells its other windows (CalculationShown). A result
// row's tooltip is a short summary of that row's hits, worked out when the
// tooltip shows; a double-click or Enter on the row opens the breakdown
// window (CBreakdownDlg) with every hit. The calculator and the store never
// see a Qt type.
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
// the current loadout as the baseline or unpins it. The baseline is the first
// loadout of the comparison's lineup (CLoadoutLineup), computed on the
// window's own target; CBaselineColumn shows each row's difference to it.
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
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ControlTemplate.h"
#include "WindowGrowth.h"
#include "calc/Calculator.h"
#include "setup/LoadoutLineup.h"
#include "setup/Setup.h"
#include "setup/SetupRestore.h"
#include "style/DialogUnits.h"

class CBuildsDlg;
class CBaselineColumn;
class CBreakdownDlg;
class CChartDlg;
class CColorListCtrl;
class CComparisonDlg;
class CDialogStyle;
class CGainsDlg;
class CRankingDlg;
class CSetupCommands;
class CSharpnessSlider;
class CWeaponListBox;
class CWindowMenu;
struct ConversionOutcome_t;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;

class CVelkarDlg : public QDialog {
  Q_OBJECT

public:
  explicit CVelkarDlg(QWidget* pParent = nullptr);
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
  bool IsBaselinePinned() const { return m_bPinned; }
  // The comparison window, null until it is first opened.
  CComparisonDlg* GetComparisonDlg() const { return m_pComparison; }
  // The gains view, null until it is first opened.
  CGainsDlg* GetGainsDlg() const { return m_pGains; }
  // The chart view of the setup on show, null until it is first opened.
  CChartDlg* GetChartDlg() const { return m_pChart; }

signals:
  // The calculation on screen may have changed: sent after the window has
  // shown the calculator's state again, and when a conversion has emptied
  // the store.
  void CalculationShown();

protected:
  void keyPressEvent(QKeyEvent* pEvent) override;
  void contextMenuEvent(QContextMenuEvent* pEvent) override;
  void paintEvent(QPaintEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;
  void showEvent(QShowEvent* pEvent) override;
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
  void CreateControls();
  QWidget* CreateControl(const ControlTemplate_t& control, const DialogBaseUnits_t& base);
  void AddUnplacedModifiers(const DialogBaseUnits_t& base);
  void ConnectControls();

  void OpenBuilds();
  void ReloadAll();
  void ForgetRecords();
  void Convert(ConversionOutcome_t (*fnConvert)());
  void ShowMessage(const QString& strText, bool bProblem);
  void OpenRanking();
  void OpenGains();
  void OpenChart();
  // The calculation for the other windows to read; null while a conversion
  // has emptied the store.
  const CCalculator* ShownCalculation() const;
  void TogglePin();
  // A problem message: shown now, or once the window is first on screen.
  void ReportProblem(const QString& strText);
  // The baseline column exists while the lineup's first loadout is of the
  // category on show and either it was pinned or the comparison is open with
  // another loadout of that category beside it.
  bool ShowsBaseline() const;
  void ShowBaseline();
  void OpenComparison();
  void ReportLoadErrors(const QString& strText);

  // Showing the calculator's state; bRefill refills every list even when
  // its entries look unchanged (after a reload or a category change).
  void ShowCalculator(bool bRefill = false);
  void RefillLists(bool bRefill);
  void ShowSelections();
  void ShowTextsAndFlags();
  void ShowRows();
  void FitResultColumns();
  std::optional<CalcExplanation_t> ExplainShownRow(int nRow) const;
  QString RowSummary(int nRow) const;
  void AddSelectedMotion();
  void RemoveSelectedMotion();
  bool HandleMotionListKey(const QObject* pList, const QKeyEvent& event);

  CCalculator m_calculator;
  QIcon m_icon;
  CWindowGrowth m_growth;  // the controls' places as the window grows

  QComboBox* m_pCategory = nullptr;                                     // 1001
  CWeaponListBox* m_pWeapons = nullptr;                                 // 1002
  QListWidget* m_pAvailable = nullptr;                                  // 1003
  QListWidget* m_pChosen = nullptr;                                     // 1004
  QComboBox* m_pMonster = nullptr;                                      // 1008
  CSharpnessSlider* m_pSharpness = nullptr;                             // 1009
  QLabel* m_pSharpnessText = nullptr;                                   // 1010
  QLabel* m_pAttackText = nullptr;                                      // 1011
  QLabel* m_pElementText = nullptr;                                     // 1012
  CColorListCtrl* m_pResult = nullptr;                                  // 1013
  QComboBox* m_pLevel = nullptr;                                        // 1014
  QComboBox* m_pHitCorrection = nullptr;                                // 1015
  QPushButton* m_pReport = nullptr;                                     // 1016
  QCheckBox* m_pAnger = nullptr;                                        // 1017
  std::array<QCheckBox*, CCalculator::kModifierCount> m_arrModifier{};  // by control id - 1018
  std::unique_ptr<CWindowMenu> m_pMenu;
  CBreakdownDlg* m_pBreakdown = nullptr;
  CDialogStyle* m_pCheckBoxStyle = nullptr;  // owned by the window
  CBuildsDlg* m_pBuilds = nullptr;           // owned by the window
  std::unique_ptr<CBaselineColumn> m_pBaseline;
  CRankingDlg* m_pRanking = nullptr;        // owned by the window
  CLoadoutLineup m_lineup;                  // the baseline is its first loadout
  bool m_bPinned = false;                   // the first loadout was pinned with Ctrl+P
  CComparisonDlg* m_pComparison = nullptr;  // owned by the window
  std::unique_ptr<CSetupCommands> m_pSetupCommands;
  CGainsDlg* m_pGains = nullptr;  // owned by the window
  CChartDlg* m_pChart = nullptr;  // owned by the window

  // What the list controls show, to refill only the lists that changed.
  uint64_t m_nShownRevision = 0;
  std::vector<int> m_arrShownCategory;
  std::vector<const CWeapon*> m_arrShownWeapon;
  std::vector<const CAction*> m_arrShownAvailable;
  std::vector<const CAction*> m_arrShownChosen;
  std::vector<const CMonster*> m_arrShownMonster;
  std::vector<const CLevel*> m_arrShownLevel;
  std::vector<const CHitPattern*> m_arrShownHitCorrection;
  std::vector<ResultRow_t> m_arrShownRow;

  QString m_strPendingProblems;  // found before the window was first shown
  // From a conversion's start to the reload after it the store is empty and
  // the calculator's records are gone: nothing may be explained meanwhile.
  bool m_bRecordsForgotten = false;
};
