// The desktop entry's icon (src/ui/res/velkar.png, installed with the
// package) is the window's icon 103 at 32 x 32, pixel for pixel, so that the
// menu and the window show the same picture.
#include <QImage>
#include <QtTest>

#include "Resources.h"
#include "UiTestMain.h"

class DesktopIconTest : public QObject {
  Q_OBJECT

private slots:
  void desktopIconIsTheWindowIcon() {
    QImage desktop(QStringLiteral(VELKAR_DESKTOP_ICON));
    QVERIFY2(!desktop.isNull(), VELKAR_DESKTOP_ICON);
    QCOMPARE(desktop.size(), QSize(32, 32));
    const QImage window = LoadApplicationIcon().pixmap(QSize(32, 32)).toImage();
    QCOMPARE(window.size(), QSize(32, 32));
    desktop = desktop.convertToFormat(QImage::Format_ARGB32);
    const QImage windowArgb = window.convertToFormat(QImage::Format_ARGB32);
    int nOpaque = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const QRgb clrDesktop = desktop.pixel(x, y);
        const QRgb clrWindow = windowArgb.pixel(x, y);
        QCOMPARE(qAlpha(clrDesktop), qAlpha(clrWindow));
        if (qAlpha(clrWindow) == 0) continue;
        ++nOpaque;
        QCOMPARE(clrDesktop, clrWindow);
      }
    }
    // A disc with a sword: most of the square, but not its corners.
    QVERIFY(nOpaque > 500 && nOpaque < 1024);
  }
};

VELKAR_UI_TEST(DesktopIconTest)
#include "DesktopIconTest.moc"
