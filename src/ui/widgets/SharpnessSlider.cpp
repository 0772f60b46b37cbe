#include "widgets/SharpnessSlider.h"

#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QStyleOptionSlider>
#include <array>

namespace {

// Red, orange, yellow, green, blue, white: the game's sharpness colours.
constexpr std::array<QRgb, 6> kBandColor = {qRgb(220, 40, 40),  qRgb(240, 140, 30),
                                            qRgb(235, 215, 40), qRgb(60, 180, 60),
                                            qRgb(50, 110, 230), qRgb(255, 255, 255)};
constexpr int kBandHeight = 4;
const QColor kOutline(90, 90, 90);
const QColor kOwnMark(0, 0, 0);

}  // namespace

CSharpnessSlider::CSharpnessSlider(QWidget* pParent) : QSlider(Qt::Horizontal, pParent) {}

void CSharpnessSlider::SetOwnSharpness(std::optional<int> nSharpness) {
  if (nSharpness == m_nOwn) return;
  m_nOwn = nSharpness;
  update();
}

QColor CSharpnessSlider::BandColor(int nSharpness) {
  if (nSharpness < 0 || nSharpness >= static_cast<int>(kBandColor.size())) return kOutline;
  return QColor::fromRgb(kBandColor[static_cast<size_t>(nSharpness)]);
}

QRect CSharpnessSlider::BandRect(int nPosition) const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  const QRect groove =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
  const QRect handle =
      style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
  const int nSpan = groove.width() - handle.width();
  const int nSteps = std::max(1, maximum() - minimum());
  const int nStep = nSpan / nSteps;
  const int nCentre = groove.x() + handle.width() / 2 +
                      QStyle::sliderPositionFromValue(minimum(), maximum(), nPosition, nSpan);
  // Just below the groove, between it and the tick marks.
  const int nTop = groove.center().y() + 3;
  return QRect(nCentre - nStep / 2, nTop, std::max(2, nStep), kBandHeight);
}

void CSharpnessSlider::paintEvent(QPaintEvent* pEvent) {
  {
    QPainter painter(this);
    for (int nPosition = minimum(); nPosition <= maximum(); ++nPosition) {
      const QRect band = BandRect(nPosition);
      painter.fillRect(band, BandColor(nPosition));
      painter.setPen(kOutline);
      painter.drawRect(band.adjusted(0, 0, -1, -1));
    }
    if (m_nOwn && *m_nOwn >= minimum() && *m_nOwn <= maximum()) {
      const QRect band = BandRect(*m_nOwn);
      painter.setPen(QPen(kOwnMark, 2));
      painter.drawRect(band.adjusted(-1, -1, 0, 0));
      // A triangle pointing down at the band, at the top edge of the slider.
      const int nX = band.center().x();
      painter.setBrush(kOwnMark);
      painter.setPen(Qt::NoPen);
      painter.drawPolygon(QPolygon({QPoint(nX - 3, 0), QPoint(nX + 4, 0), QPoint(nX, 4)}));
    }
  }
  // The groove and the handle on top of the bands.
  QSlider::paintEvent(pEvent);
}
