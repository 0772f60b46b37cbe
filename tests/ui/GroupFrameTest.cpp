// CGroupFrame: the etched frame painted into an image and checked by pixels.
#include <QPainter>
#include <QtTest>

#include "GroupFrame.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"

class GroupFrameTest : public QObject {
  Q_OBJECT

private slots:
  void etchedFrameHalfALineDown_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("modifier frame size") << QSize(530, 169);
    QTest::newRow("small") << QSize(20, 30);
    QTest::newRow("wide and low") << QSize(300, 16);
  }
  void etchedFrameHalfALineDown() {
    QFETCH(QSize, size);
    CGroupFrame frame;
    frame.setFont(MakeDialogFont());
    frame.resize(size);
    QImage image = BlankImage(size);
    QPainter painter(&image);
    frame.DrawFrame(painter);
    painter.end();

    const QRgb clrShadow = Rgb(frame.palette().color(QPalette::Dark));
    const QRgb clrLight = Rgb(frame.palette().color(QPalette::Light));
    QVERIFY(clrShadow != clrLight);
    const int nTop = frame.fontMetrics().height() / 2 - 1;
    QCOMPARE(frame.FrameRect(), QRect(0, nTop, size.width() - 1, size.height() - nTop - 1));
    const int nRight = size.width() - 1;
    const int nBottom = size.height() - 1;
    const auto At = [&image](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };

    // Nothing above the top line, nothing inside the two rings.
    QCOMPARE(ColoursIn(image, QRect(0, 0, size.width(), nTop)), QSet<QRgb>{kUntouched & 0xFFFFFF});
    QCOMPARE(ColoursIn(image, QRect(2, nTop + 2, size.width() - 4, nBottom - nTop - 3)),
             QSet<QRgb>{kUntouched & 0xFFFFFF});
    // Top and left: shadow outside, highlight inside.
    QCOMPARE(ColoursIn(image, QRect(0, nTop, nRight, 1)), QSet<QRgb>{clrShadow});
    QCOMPARE(ColoursIn(image, QRect(0, nTop, 1, nBottom - nTop)), QSet<QRgb>{clrShadow});
    QCOMPARE(ColoursIn(image, QRect(1, nTop + 1, nRight - 2, 1)), QSet<QRgb>{clrLight});
    QCOMPARE(ColoursIn(image, QRect(1, nTop + 1, 1, nBottom - nTop - 2)), QSet<QRgb>{clrLight});
    // Bottom and right: shadow inside, highlight outside.
    QCOMPARE(ColoursIn(image, QRect(1, nBottom - 1, nRight - 1, 1)), QSet<QRgb>{clrShadow});
    QCOMPARE(ColoursIn(image, QRect(nRight - 1, nTop, 1, nBottom - nTop)), QSet<QRgb>{clrShadow});
    QCOMPARE(ColoursIn(image, QRect(1, nBottom, nRight, 1)), QSet<QRgb>{clrLight});
    QCOMPARE(ColoursIn(image, QRect(nRight, nTop + 1, 1, nBottom - nTop)), QSet<QRgb>{clrLight});
    // The corners that no line reaches.
    QCOMPARE(At(nRight, nTop), kUntouched & 0xFFFFFF);
    QCOMPARE(At(0, nBottom), kUntouched & 0xFFFFFF);
  }

  void tooSmallToFrameDrawsNothing() {
    CGroupFrame frame;
    frame.setFont(MakeDialogFont());
    frame.resize(2, 2);
    QImage image = BlankImage(QSize(4, 4));
    QPainter painter(&image);
    frame.DrawFrame(painter);
    painter.end();
    QCOMPARE(ColoursIn(image, image.rect()), QSet<QRgb>{kUntouched & 0xFFFFFF});
  }
};

VELKAR_UI_TEST(GroupFrameTest)
#include "GroupFrameTest.moc"
