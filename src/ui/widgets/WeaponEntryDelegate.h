// CWeaponEntryDelegate: hands the painting and measuring of every entry of a
// CWeaponListBox to the list box's own DrawEntry and MeasureEntry.
#pragma once

#include <QStyledItemDelegate>

class CWeaponListBox;

class CWeaponEntryDelegate : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit CWeaponEntryDelegate(CWeaponListBox* pList);

  void paint(QPainter* pPainter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
  CWeaponListBox* m_pList;
};
