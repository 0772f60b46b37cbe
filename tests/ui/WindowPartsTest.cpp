// The window's small rules that no click shows on this machine: a weapon's
// text colour by its lowest element, the dialog font's family when no
// preferred one is installed, dialog units from the font's letters, the
// dotted focus frame, and columns and cells making room.
#include <QtTest>
#include <filesystem>

#include "UiTestMain.h"
#include "WindowCommandLine.h"
#include "style/DialogFont.h"
#include "style/DialogUnits.h"
#include "support/TestDataDir.h"
#include "widgets/BaselineColumn.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/FocusRect.h"
#include "widgets/WeaponListBox.h"

class WindowPartsTest : public QObject {
  Q_OBJECT

private slots:
  void weaponColourFollowsTheLowestElement_data() {
    QTest::addColumn<int>("nMask");
    QTest::addColumn<QColor>("colour");
    const QColor arrColour[] = {{255, 0, 0}, {0, 0, 255},  {90, 90, 0}, {96, 96, 96},
                                {90, 0, 0},  {128, 0, 80}, {0, 128, 0}, {0, 128, 128}};
    for (int i = 0; i < 8; ++i)
      QTest::addRow("element %d and above", i + 1) << (-2 << i) << arrColour[i];
    QTest::newRow("none") << 0 << QColor(0, 0, 0);
    QTest::newRow("bit 0") << 3 << QColor(0, 0, 0);
    QTest::newRow("bit 9 only") << 512 << QColor(0, 0, 0);
  }
  void weaponColourFollowsTheLowestElement() {
    QFETCH(int, nMask);
    QFETCH(QColor, colour);
    QCOMPARE(CWeaponListBox::ElementTextColor(nMask), colour);
  }

  void fontFamilyAndDialogUnits() {
    const auto Japanese = [](const QString& strFamily) { return strFamily.startsWith('J'); };
    QCOMPARE(ChooseDialogFontFamily({"Sans", "J1", "ipapgothic"}, Japanese),
             QStringLiteral("IPAPGothic"));
    QCOMPARE(ChooseDialogFontFamily({"Sans", "J1", "J2"}, Japanese), QStringLiteral("J1"));
    QCOMPARE(ChooseDialogFontFamily({"Sans"}, Japanese), QString());
    QCOMPARE(DialogBaseUnitsFrom(337, 13).nCx, 6);  // 6.48 letters
    QCOMPARE(DialogBaseUnitsFrom(338, 13).nCx, 7);  // 6.5
    QCOMPARE(DialogUnitsToPixels(QRect(1, 3, 5, 9), {7, 13}), QRect(2, 5, 9, 15));
    QCOMPARE(CWindowCommandLine({"velkar", "--help"}).GetExitCode(), 0);
    // A folder named in Shift-JIS (大剣) is taken as its bytes.
    const CTestDataDir dir;
    const std::string strSjis = dir.PathOf("\x91\xe5\x8c\x95");
    QVERIFY(std::filesystem::create_directory(strSjis));
    const CWindowCommandLine sjisDir({"velkar", "--dir", QFile::decodeName(strSjis.c_str())},
                                     {"velkar", "--dir", strSjis});
    QVERIFY(!sjisDir.ShouldExit());
    QCOMPARE(sjisDir.GetDataDirectory(), strSjis + '/');
  }

  // The focus frame inverts every other pixel of the outline, each once.
  void focusFrameIsDotted() {
    QImage image(6, 5, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawFocusRect(painter, image.rect());
    painter.end();
    QString strDots;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 6; ++x) strDots += image.pixel(x, y) == qRgb(0, 0, 0) ? '#' : '.';
    QCOMPARE(strDots, QStringLiteral("#.#.#.......#....#......#.#.#."));
  }

  // A pinned column takes its room from the widest columns first; a list asks
  // its tooltip source only about rows it has; a cell's text too long for its
  // column keeps its longest prefix of whole characters that fits the dots.
  void columnsMakeRoom() {
    QCOMPARE(CBaselineColumn::NarrowToFit({40, 40, 40, 45}, 161, 16),
             (std::vector<int>{40, 40, 40, 41}));
    QCOMPARE(CBaselineColumn::NarrowToFit({40, 40, 40, 45}, 150, 16),
             (std::vector<int>{37, 37, 38, 38}));
    CColorListCtrl list;
    list.SetRowToolTipSource([](int nRow) { return QString::number(nRow); });
    QVERIFY(list.GetRowToolTip(-1).isEmpty());  // no row, no call
    const QFontMetrics metrics(list.font());
    for (const QString& strText : {QStringLiteral("Left foreleg armour plate"),
                                   QString::fromUtf8("雷殻の尾先と角（破壊後）"),
                                   QString::fromUtf8("𠮷野家の𩸽と𠮷野家の𩸽")}) {
      for (int nWidth = 30; nWidth <= 120; ++nWidth) {
        const QString strPrefix = list.ShortenToFit(strText, nWidth, 12).chopped(3);
        QVERIFY(strText.startsWith(strPrefix) && !strPrefix.back().isHighSurrogate());
        const int nRoom = nWidth - 12 - metrics.horizontalAdvance(QStringLiteral("..."));
        QVERIFY(metrics.horizontalAdvance(strText.left(strPrefix.size() + 1)) > nRoom);
        QVERIFY(strPrefix.size() == 1 || metrics.horizontalAdvance(strPrefix) <= nRoom);
      }
    }
  }
};

VELKAR_UI_TEST(WindowPartsTest)
#include "WindowPartsTest.moc"
