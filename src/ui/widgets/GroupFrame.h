// CGroupFrame: the captionless group box that frames the modifier check
// boxes. It draws the etched frame of the Windows dialog manager itself (a
// shadow line with a highlight line beside it, its top edge half a text line
// down), because some Qt styles draw a captionless group box so faintly that
// the frame cannot be seen.
#pragma once

#include <QGroupBox>
#include <QRect>

class QPainter;

class CGroupFrame : public QGroupBox {
  Q_OBJECT

public:
  explicit CGroupFrame(QWidget* pParent = nullptr);
  ~CGroupFrame() override;

  // The rectangle whose outline is the shadow line; the highlight line is
  // the same rectangle one pixel down and to the right.
  QRect FrameRect() const;

  // Paints the frame into the widget's own coordinates.
  void DrawFrame(QPainter& painter) const;

protected:
  void paintEvent(QPaintEvent* pEvent) override;
};
