#include "widgets/MinimisedIcon.h"

QPoint MinimisedIconOrigin(const QSize& client, const QSize& icon) {
  // C++ integer division truncates toward zero, also for negative values.
  return QPoint((client.width() - icon.width() + 1) / 2, (client.height() - icon.height() + 1) / 2);
}
