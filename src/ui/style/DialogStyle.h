// CDialogStyle: the application's style with the check box spacing of the
// Windows dialog manager, whose layout the window's dialog units follow: the
// caption starts a few pixels after the box, so that every caption fits the
// width its template gives it.
#pragma once

#include <QProxyStyle>

class CDialogStyle : public QProxyStyle {
  Q_OBJECT

public:
  static constexpr int kCheckBoxLabelSpacing = 3;

  CDialogStyle();
  ~CDialogStyle() override;

  int pixelMetric(PixelMetric eMetric, const QStyleOption* pOption = nullptr,
                  const QWidget* pWidget = nullptr) const override;
};
