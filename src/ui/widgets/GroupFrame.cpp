#include "widgets/GroupFrame.h"

#include <QPainter>

CGroupFrame::CGroupFrame(QWidget* pParent) : QGroupBox(pParent) {}

CGroupFrame::~CGroupFrame() = default;

QRect CGroupFrame::FrameRect() const {
  // The top edge runs where a caption's middle would be; the highlight line
  // takes the last column and row.
  const int nTop = fontMetrics().height() / 2 - 1;
  return QRect(0, nTop, width() - 1, height() - nTop - 1);
}

void CGroupFrame::DrawFrame(QPainter& painter) const {
  const QRect rcShadow = FrameRect();
  if (rcShadow.width() < 2 || rcShadow.height() < 2) return;
  painter.save();
  painter.setBrush(Qt::NoBrush);
  // A cosmetic pen draws the outline on the rectangle's own edge pixels.
  painter.setPen(QPen(palette().color(QPalette::Light), 0));
  painter.drawRect(rcShadow.translated(1, 1).adjusted(0, 0, -1, -1));
  painter.setPen(QPen(palette().color(QPalette::Dark), 0));
  painter.drawRect(rcShadow.adjusted(0, 0, -1, -1));
  painter.restore();
}

void CGroupFrame::paintEvent(QPaintEvent* /*pEvent*/) {
  QPainter painter(this);
  DrawFrame(painter);
}
