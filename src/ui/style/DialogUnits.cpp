#include "style/DialogUnits.h"

#include <QFontMetrics>
#include <QString>
#include <cstdint>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
  const int64_t nProduct = int64_t{a} * b;
  const int64_t nHalf = c / 2;
  return static_cast<int>(nProduct >= 0 ? (nProduct + nHalf) / c : (nProduct - nHalf) / c);
}

}  // namespace

DialogBaseUnits_t DialogBaseUnitsFrom(int nLettersWidth, int nHeight) {
  // The average over 52 letters, rounded: (width / 26 + 1) / 2.
  return DialogBaseUnits_t{(nLettersWidth / 26 + 1) / 2, nHeight};
}

DialogBaseUnits_t MeasureDialogBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int nWidth = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogBaseUnitsFrom(nWidth, metrics.height());
}

QRect DialogUnitsToPixels(const QRect& rcUnits, const DialogBaseUnits_t& base) {
  return QRect(MulDiv(rcUnits.x(), base.nCx, 4), MulDiv(rcUnits.y(), base.nCy, 8),
               MulDiv(rcUnits.width(), base.nCx, 4), MulDiv(rcUnits.height(), base.nCy, 8));
}
