#include "Resources.h"

#include <QBitmap>
#include <QColor>

// Outside any namespace: Q_INIT_RESOURCE declares the registration function
// of the resource file at the scope it is used in.
static void RegisterResources() {
  // The resources live in a static library, so nothing registers them before
  // the first use; this does, once.
  static const bool bRegistered = [] {
    Q_INIT_RESOURCE(velkar);
    return true;
  }();
  (void)bRegistered;
}

QIcon LoadApplicationIcon() {
  RegisterResources();
  return QIcon(QStringLiteral(":/res/icon103"));
}

QPixmap LoadReportBitmap() {
  RegisterResources();
  QPixmap pixmap(QStringLiteral(":/res/bitmap104"));
  pixmap.setMask(pixmap.createMaskFromColor(QColor(192, 192, 192), Qt::MaskInColor));
  return pixmap;
}
