// Dialog units, the dialog font and the minimised window's icon position.
#include <QFontDatabase>
#include <QFontMetrics>
#include <QtTest>

#include "DialogFont.h"
#include "DialogUnits.h"
#include "MinimisedIcon.h"
#include "UiTestMain.h"

class DialogGeometryTest : public QObject {
  Q_OBJECT

private slots:
  void baseUnitsRoundTheAverageLetter_data() {
    QTest::addColumn<int>("nLettersWidth");
    QTest::addColumn<int>("nHeight");
    QTest::addColumn<int>("nCx");
    QTest::addColumn<int>("nCy");
    QTest::newRow("exactly 6 per letter") << 312 << 12 << 6 << 12;
    QTest::newRow("6.25 rounds down") << 325 << 12 << 6 << 12;
    QTest::newRow("6.5 rounds up") << 338 << 13 << 7 << 13;
    QTest::newRow("6.98 rounds up") << 363 << 13 << 7 << 13;
    QTest::newRow("empty font") << 0 << 0 << 0 << 0;
  }
  void baseUnitsRoundTheAverageLetter() {
    QFETCH(int, nLettersWidth);
    QFETCH(int, nHeight);
    QFETCH(int, nCx);
    QFETCH(int, nCy);
    const DialogBaseUnits_t base = DialogBaseUnitsFrom(nLettersWidth, nHeight);
    QCOMPARE(base.nCx, nCx);
    QCOMPARE(base.nCy, nCy);
  }

  void unitsBecomePixels_data() {
    QTest::addColumn<QRect>("rcUnits");
    QTest::addColumn<int>("nCx");
    QTest::addColumn<int>("nCy");
    QTest::addColumn<QRect>("rcPixels");
    QTest::newRow("category list") << QRect(2, 2, 88, 116) << 6 << 12 << QRect(3, 3, 132, 174);
    QTest::newRow("result list") << QRect(184, 52, 138, 100) << 6 << 12 << QRect(276, 78, 207, 150);
    // 1 * 6 / 4 = 1.5 and 3 * 12 / 8 = 4.5: halves round away from zero.
    QTest::newRow("halves round up") << QRect(1, 3, 1, 3) << 6 << 12 << QRect(2, 5, 2, 5);
    // 1 * 7 / 4 = 1.75, 1 * 13 / 8 = 1.625, 5 * 7 / 4 = 8.75, 9 * 13 / 8 = 14.6.
    QTest::newRow("each field on its own") << QRect(1, 1, 5, 9) << 7 << 13 << QRect(2, 2, 9, 15);
    QTest::newRow("whole window") << QRect(0, 0, 327, 263) << 6 << 12 << QRect(0, 0, 491, 395);
    QTest::newRow("zero") << QRect(0, 0, 0, 0) << 6 << 12 << QRect(0, 0, 0, 0);
  }
  void unitsBecomePixels() {
    QFETCH(QRect, rcUnits);
    QFETCH(int, nCx);
    QFETCH(int, nCy);
    QFETCH(QRect, rcPixels);
    QCOMPARE(DialogUnitsToPixels(rcUnits, DialogBaseUnits_t{nCx, nCy}), rcPixels);
  }

  void baseUnitsComeFromTheFont() {
    const QFont font = MakeDialogFont();
    const QFontMetrics metrics(font);
    const int nWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const DialogBaseUnits_t base = MeasureDialogBaseUnits(font);
    QCOMPARE(base.nCy, metrics.height());
    // The rounded average: no more than half a pixel from the true one.
    QVERIFY(std::abs(base.nCx - nWidth / 52.0) <= 0.5 + 1.0 / 26);
    QVERIFY(base.nCx > 0);
  }

  void fontFamilyPreference_data() {
    QTest::addColumn<QStringList>("arrInstalled");
    QTest::addColumn<QStringList>("arrJapanese");
    QTest::addColumn<QString>("strChosen");
    const QString strMs = QString::fromUtf8("ＭＳ Ｐゴシック");
    QTest::newRow("MS PGothic wins") << QStringList{"IPAPGothic", strMs, "DejaVu Sans"}
                                     << QStringList{"IPAPGothic", strMs} << strMs;
    QTest::newRow("its Latin name")
        << QStringList{"IPAPGothic", "MS PGothic"} << QStringList{"IPAPGothic", "MS PGothic"}
        << QString("MS PGothic");
    QTest::newRow("IPA PGothic next")
        << QStringList{"DejaVu Sans", "IPAGothic", "IPAPGothic"}
        << QStringList{"IPAGothic", "IPAPGothic"} << QString("IPAPGothic");
    QTest::newRow("names compare without case")
        << QStringList{"ipapgothic"} << QStringList{"ipapgothic"} << QString("IPAPGothic");
    QTest::newRow("then any Japanese font")
        << QStringList{"DejaVu Sans", "Noto Sans CJK JP", "Takao"}
        << QStringList{"Noto Sans CJK JP", "Takao"} << QString("Noto Sans CJK JP");
    QTest::newRow("else the default") << QStringList{"DejaVu Sans"} << QStringList{} << QString();
  }
  void fontFamilyPreference() {
    QFETCH(QStringList, arrInstalled);
    QFETCH(QStringList, arrJapanese);
    QFETCH(QString, strChosen);
    const QString strFamily = ChooseDialogFontFamily(
        arrInstalled, [&](const QString& strName) { return arrJapanese.contains(strName); });
    QCOMPARE(strFamily.toLower(), strChosen.toLower());
  }

  void dialogFontWritesJapanese() {
    const QFont font = MakeDialogFont();
    QCOMPARE(font.pointSize(), kDialogFontPointSize);
    const QFontMetrics metrics(font);
    for (const QChar ch : QString::fromUtf8("攻撃力切れ味ﾀﾞﾒｰｼﾞ")) {
      QVERIFY2(metrics.inFont(ch), qPrintable(QStringLiteral("no glyph for %1").arg(ch)));
    }
    // On the build machines fonts-ipafont-gothic stands in for MS PGothic.
    if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic")) &&
        !QFontDatabase::families().contains(QString::fromUtf8("ＭＳ Ｐゴシック"))) {
      QCOMPARE(font.families().value(0), QStringLiteral("IPAPGothic"));
    }
  }

  void minimisedIconIsCentred_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("origin");
    QTest::newRow("36 x 36") << QSize(36, 36) << QPoint(2, 2);
    QTest::newRow("35 x 35: spare pixel to the left") << QSize(35, 35) << QPoint(2, 2);
    QTest::newRow("32 x 32") << QSize(32, 32) << QPoint(0, 0);
    QTest::newRow("33 x 34") << QSize(33, 34) << QPoint(1, 1);
    // (30 - 32 + 1) / 2 = -1 / 2 truncates to 0, not -1.
    QTest::newRow("30: truncates toward zero") << QSize(30, 30) << QPoint(0, 0);
    QTest::newRow("29 x 20: left of and above") << QSize(29, 20) << QPoint(-1, -5);
    QTest::newRow("wide, flat") << QSize(200, 10) << QPoint(84, -10);
  }
  void minimisedIconIsCentred() {
    QFETCH(QSize, client);
    QFETCH(QPoint, origin);
    QCOMPARE(MinimisedIconOrigin(client, QSize(32, 32)), origin);
  }
};

VELKAR_UI_TEST(DialogGeometryTest)
#include "DialogGeometryTest.moc"
