// CWeaponListBox: the list of the selected category's weapons. Each entry
// carries its CWeapon record (owned by the store) and paints itself
// (DrawEntry): the weapon's name in the colour of its element, white on the
// highlight when selected. Every entry is 13 pixels high (MeasureEntry), or
// as high as a line of a larger font.
// Like a single-selection list box, it never loses its selected entry to
// the mouse: a click beside the entries or a Ctrl+click on the selected one
// leaves it selected.
// The list is painted on the light base its colours are made for, and its
// tooltip is the legend of those colours.
#pragma once

#include <QColor>
#include <QListWidget>
#include <QMetaType>
#include <cstdint>

#include "model/Weapon.h"

Q_DECLARE_METATYPE(const CWeapon*)

class CWeaponListBox : public QListWidget {
  Q_OBJECT

public:
  static constexpr int kEntryHeight = 13;

  explicit CWeaponListBox(QWidget* pParent = nullptr);
  ~CWeaponListBox() override;

  // Appends an entry showing the weapon's name; the list refers to the record
  // until it is cleared, so it must be cleared before the store deletes it.
  void AddWeapon(const CWeapon& weapon);
  // The weapon of an entry, or null (no such entry, or an entry without one).
  const CWeapon* GetWeapon(int nRow) const;

  // The size of an entry: the proposed width, kEntryHeight high or a line of
  // the font, whichever is more.
  QSize MeasureEntry(const QSize& proposed) const;

  // Paints one entry into rcEntry; an entry without a weapon is not painted.
  void DrawEntry(QPainter& painter, const QRect& rcEntry, const CWeapon* pWeapon, bool bSelected,
                 bool bFocused) const;

  // The text colour of an unselected entry: by the lowest set bit 0..8 of the
  // element mask (black for none of them).
  static QColor ElementTextColor(int32_t nElementMask);

protected:
  QItemSelectionModel::SelectionFlags selectionCommand(
      const QModelIndex& index, const QEvent* pEvent = nullptr) const override;
  bool viewportEvent(QEvent* pEvent) override;
};
