// Small helpers shared by the window's tests: pixel inspection of rendered
// images, exact-colour fonts, focus on the offscreen platform, and finding
// and clicking the main window's controls.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QWidget>
#include <QtTest>

#include "DialogFont.h"
#include "VelkarDlg.h"

inline constexpr QRgb kUntouched = 0xFFFF00FF;  // magenta: what nothing painted

// The dialog font without anti-aliasing, so that text pixels carry exactly
// the text colour.
inline QFont ExactColourFont() {
  QFont font = MakeDialogFont();
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

inline QImage BlankImage(const QSize& size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(kUntouched);
  return image;
}

// Every colour (without alpha) found inside rc.
inline QSet<QRgb> ColoursIn(const QImage& image, const QRect& rc) {
  QSet<QRgb> setColour;
  const QRect rcClipped = rc & image.rect();
  for (int y = rcClipped.top(); y <= rcClipped.bottom(); ++y) {
    for (int x = rcClipped.left(); x <= rcClipped.right(); ++x) {
      setColour.insert(image.pixel(x, y) & 0xFFFFFF);
    }
  }
  return setColour;
}

inline QRgb Rgb(const QColor& colour) {
  return colour.rgb() & 0xFFFFFF;
}

// The leftmost and rightmost column inside rc holding a pixel other than
// clrBackground; (-1, -1) when there is none.
inline std::pair<int, int> InkColumns(const QImage& image, const QRect& rc, QRgb clrBackground) {
  int nLeft = -1;
  int nRight = -1;
  const QRect rcClipped = rc & image.rect();
  for (int x = rcClipped.left(); x <= rcClipped.right(); ++x) {
    for (int y = rcClipped.top(); y <= rcClipped.bottom(); ++y) {
      if ((image.pixel(x, y) & 0xFFFFFF) != (clrBackground & 0xFFFFFF)) {
        if (nLeft < 0) nLeft = x;
        nRight = x;
        break;
      }
    }
  }
  return {nLeft, nRight};
}

// Shows a top-level widget and waits until it is the active window.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// The main window's control of an id, as the kind of widget it must be.
template <class Widget>
Widget* Control(const CVelkarDlg& dlg, int nId) {
  auto* pWidget = qobject_cast<Widget*>(dlg.GetControl(nId));
  if (pWidget == nullptr) qFatal("control %d missing or of another kind", nId);
  return pWidget;
}

// Clicks a list entry through the viewport, as a player would.
inline void ClickEntry(QAbstractItemView* pView, int nRow) {
  const QModelIndex index = pView->model()->index(nRow, 0);
  pView->scrollTo(index);
  QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, pView->visualRect(index).center());
}

// A part of a horizontal slider as its style lays it out.
inline QRect SliderPart(const QSlider* pSlider, QStyle::SubControl ePart) {
  QStyleOptionSlider option;
  option.initFrom(pSlider);
  option.subControls = QStyle::SC_All;
  option.orientation = Qt::Horizontal;
  option.minimum = pSlider->minimum();
  option.maximum = pSlider->maximum();
  option.sliderPosition = option.sliderValue = pSlider->value();
  option.tickPosition = pSlider->tickPosition();
  option.tickInterval = pSlider->tickInterval();
  option.pageStep = pSlider->pageStep();
  option.singleStep = pSlider->singleStep();
  return pSlider->style()->subControlRect(QStyle::CC_Slider, &option, ePart, pSlider);
}

// UTF-8 text of a test as a QString.
inline QString U(const char* psz) {
  return QString::fromUtf8(psz);
}
