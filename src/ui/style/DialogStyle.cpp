#include "style/DialogStyle.h"

CDialogStyle::CDialogStyle() = default;

CDialogStyle::~CDialogStyle() = default;

int CDialogStyle::pixelMetric(PixelMetric eMetric, const QStyleOption* pOption,
                              const QWidget* pWidget) const {
  if (eMetric == PM_CheckBoxLabelSpacing) return kCheckBoxLabelSpacing;
  return QProxyStyle::pixelMetric(eMetric, pOption, pWidget);
}
