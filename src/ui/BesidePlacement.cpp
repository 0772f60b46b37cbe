#include "BesidePlacement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// Pixels between the owner and the window beside it.
constexpr int kGap = 8;

// nStart moved as little as it takes for nLength to fit between nLow and
// nHigh (exclusive); nLow when it cannot fit at all.
int Within(int nStart, int nLength, int nLow, int nHigh) {
  return std::max(nLow, std::min(nStart, nHigh - nLength));
}

}  // namespace

QPoint PlaceBeside(const QRect& rcOwner, const QSize& frame, const QRect& rcAvailable) {
  const int nRight = rcOwner.x() + rcOwner.width() + kGap;
  if (rcAvailable.isEmpty()) return {nRight, rcOwner.y()};
  const int nAvailableEnd = rcAvailable.x() + rcAvailable.width();
  const int nLeft = rcOwner.x() - kGap - frame.width();
  int nX = nRight;
  if (nRight + frame.width() > nAvailableEnd) {
    nX = nLeft >= rcAvailable.x() ? nLeft : nAvailableEnd - frame.width();
  }
  return {
      Within(nX, frame.width(), rcAvailable.x(), nAvailableEnd),
      Within(rcOwner.y(), frame.height(), rcAvailable.y(), rcAvailable.y() + rcAvailable.height())};
}

void MoveBeside(QWidget& window, const QWidget& owner) {
  const QScreen* pScreen = owner.screen();
  window.move(PlaceBeside(owner.frameGeometry(),
                          window.size() + (owner.frameGeometry().size() - owner.size()),
                          pScreen ? pScreen->availableGeometry() : QRect()));
}
