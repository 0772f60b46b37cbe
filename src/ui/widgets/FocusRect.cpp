#include "widgets/FocusRect.h"

#include <QList>
#include <QPoint>

void DrawFocusRect(QPainter& painter, const QRect& rc) {
  if (rc.isEmpty()) return;
  QList<QPoint> arrPoint;
  // Each pixel once: inverting a pixel twice would undo it.
  for (int x = rc.left(); x <= rc.right(); x += 2) {
    arrPoint.append(QPoint(x, rc.top()));
    if (rc.bottom() != rc.top()) arrPoint.append(QPoint(x, rc.bottom()));
  }
  for (int y = rc.top() + 2; y < rc.bottom(); y += 2) {
    arrPoint.append(QPoint(rc.left(), y));
    if (rc.right() != rc.left()) arrPoint.append(QPoint(rc.right(), y));
  }
  painter.save();
  // White XOR the pixel inverts it: black on white, visible on a highlight.
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::white, 0));
  painter.drawPoints(arrPoint.constData(), static_cast<int>(arrPoint.size()));
  painter.restore();
}
