// CRankingDlg: the non-modal weapon table. It lists the weapons of the
// category on show in the main window with their attack, element, element
// value and sharpness and their damage (the total over all regions, or the
// damage on one region chosen from a drop-down), computed with the main
// window's motions, monster, level, hit correction, anger and modifiers, each
// weapon at its own sharpness or, when the box is ticked, all at the main
// window's current sharpness: the core's weapon table (BuildWeaponTable,
// shared with velkar-tool rank). A click on a column's header sorts by that
// column; an element and a part of the name filter the weapons. The best
// weapon by the chosen damage is marked in words and in colour. The owner
// calls Refresh after every change it shows, so the table follows it live,
// and double-click or Enter on a weapon asks the owner to select that weapon,
// at the sharpness it was computed at, so the main window then shows the
// figures of the table.
//
// The dialog reaches the main window only through RankingSource_t: the
// calculation on show (read only) and the weapon-selecting operation.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "calc/WeaponTable.h"

class CCalculator;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

struct RankingSource_t {
  // The calculation on show; null while there is none to read.
  std::function<const CCalculator*()> fnCalculation;
  // Selects a weapon by its index in the category's weapon list, then
  // releases the sharpness at nSharpness when one is given.
  std::function<void(int nWeapon, std::optional<int> nSharpness)> fnSelectWeapon;
};

class CRankingDlg : public QDialog {
  Q_OBJECT

public:
  // The table's columns; the damage column is the total or the chosen region.
  enum eCOLUMN {
    COLUMN_RANK,
    COLUMN_WEAPON,
    COLUMN_ATTACK,
    COLUMN_ELEMENT,
    COLUMN_ELEMENT_VALUE,
    COLUMN_SHARPNESS,
    COLUMN_DAMAGE,
    COLUMN_COUNT
  };

  explicit CRankingDlg(RankingSource_t source, QWidget* pParent = nullptr);
  ~CRankingDlg() override;

  // Builds the table again from the calculation on show; nothing while
  // hidden (showing the dialog refreshes it).
  void Refresh();
  // Sorts by a column, as a click on its header does.
  void SortBy(int nColumn);

protected:
  void showEvent(QShowEvent* pEvent) override;

private:
  QWidget* CreateFilters();
  void FillRegions(const CCalculator& calculator);
  WeaponTableRequest_t MakeRequest(const CCalculator& calculator) const;
  void FillTable(const WeaponTable_t& table, int nSelectedWeapon);
  void ActivateRow(int nRow);

  RankingSource_t m_source;
  QComboBox* m_pOrder = nullptr;
  QComboBox* m_pElement = nullptr;
  QLineEdit* m_pName = nullptr;
  QCheckBox* m_pSameSharpness = nullptr;
  QLabel* m_pNote = nullptr;
  QTreeWidget* m_pList = nullptr;
  eCOLUMN m_eSort = COLUMN_RANK;
  bool m_bReverse = false;                // the column clicked again: its order turned round
  std::vector<std::string> m_arrRegion;   // what the drop-down lists after its first entry
  std::vector<int> m_arrWeaponOfRow;      // weapon index of each row of the list
  std::optional<int> m_nRankedSharpness;  // the one sharpness of all weapons, if any
};
