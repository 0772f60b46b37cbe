// CRankingDlg: the non-modal ranking window. It lists the weapons of the
// category on show in the main window, ranked by the total damage over all
// regions or by the damage on one region chosen from a drop-down, with the
// main window's motions, monster, level, hit correction, anger and modifiers,
// each weapon at its own sharpness or, when the box is ticked, all at the
// main window's current sharpness (the core's RankWeapons, shared with
// velkar-tool rank); equal damage shares a rank. The owner calls Refresh
// after every change it shows, so the list follows it live, and double-click
// or Enter on a weapon asks the owner to select that weapon, at the sharpness
// it was ranked at, so the main window then shows the figures of the list.
//
// The dialog reaches the main window only through RankingSource_t: the
// calculation on show (read only) and the weapon-selecting operation.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/WeaponRanking.h"

class CCalculator;
class QCheckBox;
class QComboBox;
class QLabel;
class QTreeWidget;

struct RankingSource_t {
  // The calculation on show; null while there is none to read (while a
  // conversion has emptied the store).
  std::function<const CCalculator*()> fnCalculation;
  // Selects a weapon by its index in the category's weapon list, then
  // releases the sharpness at nSharpness when one is given.
  std::function<void(int nWeapon, std::optional<int> nSharpness)> fnSelectWeapon;
};

class CRankingDlg : public QDialog {
  Q_OBJECT

public:
  // The list's columns.
  enum eCOLUMN { COLUMN_RANK, COLUMN_WEAPON, COLUMN_SHARPNESS, COLUMN_TOTAL, COLUMN_REGION };

  explicit CRankingDlg(RankingSource_t source, QWidget* pParent = nullptr);
  ~CRankingDlg() override;

  // Ranks again from the calculation on show; nothing while hidden (showing
  // the dialog refreshes it).
  void Refresh();

protected:
  void showEvent(QShowEvent* pEvent) override;

private:
  void FillRegions(const CCalculator& calculator);
  void FillRanking(const std::vector<RankedWeapon_t>& arrRanked, int nSelectedWeapon);
  void ActivateRow(int nRow);

  RankingSource_t m_source;
  QComboBox* m_pOrder = nullptr;
  QCheckBox* m_pSameSharpness = nullptr;
  QLabel* m_pNote = nullptr;
  QTreeWidget* m_pList = nullptr;
  std::vector<std::string> m_arrRegion;   // what the drop-down lists after its first entry
  std::vector<int> m_arrWeaponOfRow;      // weapon index of each row of the list
  std::optional<int> m_nRankedSharpness;  // the one sharpness of all weapons, if any
};
