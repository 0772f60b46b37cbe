#include "widgets/WeaponListBox.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <array>

#include "text/SjisText.h"
#include "widgets/ColourLegend.h"
#include "widgets/FocusRect.h"
#include "widgets/LightBase.h"
#include "widgets/WeaponEntryDelegate.h"

namespace {

// By element index: none, fire, water, thunder, ice, dragon, poison,
// paralysis, sleep.
constexpr std::array<QRgb, 9> kElementColor = {
    qRgb(0, 0, 0),  qRgb(255, 0, 0),  qRgb(0, 0, 255), qRgb(90, 90, 0),  qRgb(96, 96, 96),
    qRgb(90, 0, 0), qRgb(128, 0, 80), qRgb(0, 128, 0), qRgb(0, 128, 128)};

}  // namespace

CWeaponListBox::CWeaponListBox(QWidget* pParent) : QListWidget(pParent) {
  setItemDelegate(new CWeaponEntryDelegate(this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  UseLightBase(*this);
}

CWeaponListBox::~CWeaponListBox() = default;

void CWeaponListBox::AddWeapon(const CWeapon& weapon) {
  auto* pItem = new QListWidgetItem(FromSjis(weapon.GetName()));
  pItem->setData(Qt::UserRole, QVariant::fromValue(&weapon));
  addItem(pItem);
}

const CWeapon* CWeaponListBox::GetWeapon(int nRow) const {
  const QListWidgetItem* pItem = item(nRow);
  return pItem != nullptr ? pItem->data(Qt::UserRole).value<const CWeapon*>() : nullptr;
}

QItemSelectionModel::SelectionFlags CWeaponListBox::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* pEvent) const {
  // A click beside the entries would clear the selection, a Ctrl+click on the
  // selected entry would toggle it off: both leave it as it is.
  if (!index.isValid() || selectionModel()->isSelected(index)) {
    return QItemSelectionModel::NoUpdate;
  }
  return QListWidget::selectionCommand(index, pEvent);
}

QSize CWeaponListBox::MeasureEntry(const QSize& proposed) const {
  // A larger desktop font needs taller entries than the 13 pixels of the
  // dialog font, or the names would be cut.
  return QSize(proposed.width(), std::max(kEntryHeight, fontMetrics().height()));
}

QColor CWeaponListBox::ElementTextColor(int32_t nElementMask) {
  for (size_t nBit = 0; nBit < kElementColor.size(); ++nBit) {
    if ((nElementMask & (int32_t{1} << nBit)) != 0) return QColor::fromRgb(kElementColor[nBit]);
  }
  return QColor::fromRgb(kElementColor[0]);
}

void CWeaponListBox::DrawEntry(QPainter& painter, const QRect& rcEntry, const CWeapon* pWeapon,
                               bool bSelected, bool bFocused) const {
  if (pWeapon == nullptr) return;
  painter.save();
  painter.setFont(font());
  painter.fillRect(
      rcEntry, palette().color(QPalette::Active, bSelected ? QPalette::Highlight : QPalette::Base));
  if (bFocused) DrawFocusRect(painter, rcEntry);

  QColor clrText = Qt::white;
  if (!bSelected) {
    uint16_t wAttack = 0;
    uint16_t wElement = 0;
    int32_t nElementMask = 0;
    int32_t nSharpness = 0;
    pWeapon->GetStatus(wAttack, wElement, nElementMask, nSharpness);
    clrText = ElementTextColor(nElementMask);
  }
  painter.setPen(clrText);
  // "&" underlines the character after it, as in a button caption.
  painter.drawText(rcEntry,
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic,
                   FromSjis(pWeapon->GetName()));
  painter.restore();
}

bool CWeaponListBox::viewportEvent(QEvent* pEvent) {
  if (pEvent->type() != QEvent::ToolTip) return QListWidget::viewportEvent(pEvent);
  // The legend, wherever the mouse rests: on an entry or on the empty space.
  QToolTip::showText(static_cast<QHelpEvent*>(pEvent)->globalPos(), WeaponColourLegend(),
                     viewport());
  return true;
}
