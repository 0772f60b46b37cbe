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
// result rows. A result row's tooltip is the calculator's per-hit breakdown
// of that row, worked out when the tooltip shows. The calculator and the
// store never see a Qt type.
//
// Keys: Enter presses a focused push button and otherwise does nothing; Esc
// and the close box end the window's run. The system menu (close, About, the
// two conversions, the builds window, the ranking dialog and the pin) opens on
// a right click on the window's background and with Shift+F10 or Alt+Space;
// Ctrl+B opens the builds window (CBuildsDlg), Ctrl+R the ranking dialog
// (CRankingDlg, which follows CalculationShown) and Ctrl+P pins or unpins the
// result rows as a baseline (CBaselineColumn).
//
// The setup on show is saved (CSetupStore) whenever the window's run ends,
// and the application restores it before the next run (RestoreLastSetup).
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "ControlTemplate.h"
#include "DialogUnits.h"
#include "calc/Calculator.h"
#include "setup/Setup.h"

class CBuildsDlg;
class CBaselineColumn;
class CColorListCtrl;
class CDialogStyle;
class CRankingDlg;
class CWeaponListBox;
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
  QMenu* GetSystemMenu() const { return m_pSystemMenu; }

  // Runs one command of the system menu.
  void OnSysCommand(int nCommand);
  // The report button: the current calculation onto the clipboard.
  void CopyReport();

  // Runs a setup's operations on the calculator and shows the result.
  void ApplySetup(const Setup_t& setup);
  // Applies the setup saved when the window last ended, if there is one.
  void RestoreLastSetup();
  // The builds window, created on first use; null before.
  CBuildsDlg* GetBuildsDialog() const { return m_pBuilds; }
  // Ends the run (Esc, the close box, the menu's close) and saves the setup.
  void done(int nResult) override;
  // The ranking dialog, null until it is first opened; whether a baseline is
  // pinned.
  CRankingDlg* GetRankingDlg() const { return m_pRanking; }
  bool IsBaselinePinned() const;

signals:
  // Sent after the window has shown the calculator's state again.
  void CalculationShown();

protected:
  void keyPressEvent(QKeyEvent* pEvent) override;
  void contextMenuEvent(QContextMenuEvent* pEvent) override;
  void paintEvent(QPaintEvent* pEvent) override;
  void showEvent(QShowEvent* pEvent) override;
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
  void CreateControls();
  QWidget* CreateControl(const ControlTemplate_t& control, const DialogBaseUnits_t& base);
  void ConnectControls();
  void CreateSystemMenu();
  void OpenSystemMenu(const QPoint& ptGlobal);
  bool IsBackground(const QWidget* pChild) const;

  void OpenBuilds();
  void ReloadAll();
  void ForgetRecords();
  void ConvertWeapons();
  void ConvertMonsters();
  void ShowMessage(const QString& strText, bool bProblem);
  void OpenRanking();
  void TogglePin();
  void ReportLoadErrors(const QString& strText);

  // Showing the calculator's state; bRefill refills every list even when
  // its entries look unchanged (after a reload or a category change).
  void ShowCalculator(bool bRefill = false);
  void RefillLists(bool bRefill);
  void ShowSelections();
  void ShowTextsAndFlags();
  void ShowRows();
  QString RowBreakdown(int nRow) const;

  CCalculator m_calculator;
  QIcon m_icon;

  QComboBox* m_pCategory = nullptr;                                     // 1001
  CWeaponListBox* m_pWeapons = nullptr;                                 // 1002
  QListWidget* m_pAvailable = nullptr;                                  // 1003
  QListWidget* m_pChosen = nullptr;                                     // 1004
  QComboBox* m_pMonster = nullptr;                                      // 1008
  QSlider* m_pSharpness = nullptr;                                      // 1009
  QLabel* m_pSharpnessText = nullptr;                                   // 1010
  QLabel* m_pAttackText = nullptr;                                      // 1011
  QLabel* m_pElementText = nullptr;                                     // 1012
  CColorListCtrl* m_pResult = nullptr;                                  // 1013
  QComboBox* m_pLevel = nullptr;                                        // 1014
  QComboBox* m_pHitCorrection = nullptr;                                // 1015
  QPushButton* m_pReport = nullptr;                                     // 1016
  QCheckBox* m_pAnger = nullptr;                                        // 1017
  std::array<QCheckBox*, CCalculator::kModifierCount> m_arrModifier{};  // 1018..1041
  QMenu* m_pSystemMenu = nullptr;
  CDialogStyle* m_pCheckBoxStyle = nullptr;  // owned by the window
  CBuildsDlg* m_pBuilds = nullptr;           // owned by the window
  std::unique_ptr<CBaselineColumn> m_pBaseline;
  CRankingDlg* m_pRanking = nullptr;  // owned by the window

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

  QString m_strPendingLoadErrors;  // found before the window was first shown
  // From a conversion's start to the reload after it the store is empty and
  // the calculator's records are gone: nothing may be explained meanwhile.
  bool m_bRecordsForgotten = false;
};
