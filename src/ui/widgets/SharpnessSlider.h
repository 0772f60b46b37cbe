// CSharpnessSlider: the sharpness slider (control 1009). Along its groove it
// shows the six sharpness colours, red to white, one band per position, and
// it marks the selected weapon's own sharpness with a frame around its band
// and a small triangle above it, so that a player sees at a glance how far
// the slider is from what the weapon has. It is a plain slider otherwise.
#pragma once

#include <QColor>
#include <QSlider>
#include <optional>

class CSharpnessSlider : public QSlider {
  Q_OBJECT

public:
  explicit CSharpnessSlider(QWidget* pParent = nullptr);

  // The weapon's own sharpness (0..5), or none without a weapon.
  void SetOwnSharpness(std::optional<int> nSharpness);
  std::optional<int> GetOwnSharpness() const { return m_nOwn; }

  // The colour of a sharpness level's band.
  static QColor BandColor(int nSharpness);
  // The band of a position in widget coordinates.
  QRect BandRect(int nPosition) const;

protected:
  void paintEvent(QPaintEvent* pEvent) override;

private:
  std::optional<int> m_nOwn;
};
