#include "widgets/WeaponEntryDelegate.h"

#include "widgets/WeaponListBox.h"

CWeaponEntryDelegate::CWeaponEntryDelegate(CWeaponListBox* pList)
    : QStyledItemDelegate(pList), m_pList(pList) {}

void CWeaponEntryDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
  m_pList->DrawEntry(*pPainter, option.rect, index.data(Qt::UserRole).value<const CWeapon*>(),
                     option.state.testFlag(QStyle::State_Selected),
                     option.state.testFlag(QStyle::State_HasFocus));
}

QSize CWeaponEntryDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  return m_pList->MeasureEntry(QStyledItemDelegate::sizeHint(option, index));
}
