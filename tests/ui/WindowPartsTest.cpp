// The window's small rules that no click shows on this machine: a weapon's
// text colour by its lowest element, the dialog font's family when no
// preferred one is installed, dialog units from the font's letters, the
// minimised window's icon centred, the dotted focus frame, and columns and
// cells making room.
#include <QProcess>
#include <QTemporaryDir>

#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "WindowCommandLine.h"
#include "style/DialogUnits.h"
#include "text/SjisText.h"
#include "widgets/MinimisedIcon.h"

class WindowPartsTest : public QObject {
  Q_OBJECT

private slots:
  // A name takes the colour of its weapon's lowest element (the legend test
  // has each element's colour); bit 0 and the bits past sleep are no element.
  void weaponColourFollowsTheLowestElement() {
    QList<QColor> arrColour;
    for (const int nMask : {-4, 0x120, 0x103, 512, 0})
      arrColour << CWeaponListBox::ElementTextColor(nMask);
    QCOMPARE(arrColour, (QList<QColor>{{0, 0, 255}, {90, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
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
    // The minimised window's icon is centred, halves rounded up and toward zero.
    QCOMPARE(MinimisedIconOrigin({35, 29}, {32, 32}), QPoint(2, -1));
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

  // The program answers a wrong command line itself, without the window:
  // exit code 2 and a line on stderr. Qt's own options are Qt's.
  void commandLineOfTheProgram() {
    const QString strHint = QStringLiteral("\nRun 'Velkar --help' for the options.\n");
    const struct {
      QStringList arrArgument;
      QString strExpected;  // the exit code, then stderr
    } arrRow[] = {
        {{"--frob"}, U("2Unknown option 'frob'.") + strHint},
        {{"Sword.dat"}, U("2Unexpected argument 'Sword.dat'.") + strHint},
        {{"--dir", "/proc/version"}, U("2--dir: '/proc/version' is not a folder.") + strHint},
        {{"-platform", "offscreen", "--frob"}, U("2Unknown option 'frob'.") + strHint}};
    const QTemporaryDir runtime;  // Qt's own folder, which it would complain about
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess velkar;
    velkar.setProcessEnvironment(environment);
    for (const auto& row : arrRow) {
      velkar.start(QStringLiteral(VELKAR_PATH), row.arrArgument);
      QVERIFY(velkar.waitForFinished(30000));
      QCOMPARE(QString::number(velkar.exitCode()) + velkar.readAllStandardOutput() +
                   velkar.readAllStandardError(),
               row.strExpected);
    }
  }

  // A cell is painted from at most its first 259 bytes, never half a
  // double-byte character; a text exactly as wide as its room is drawn whole.
  // The header's tooltip is every column's.
  void cellCutAtItsLimit() {
    CColorListCtrl list;
    list.resize(2400, 80);
    list.InsertColumn(0, QString(), 2300);
    list.InsertRow(0, QString(300, 'a'));
    list.InsertRow(1, QString(259, 'a'));
    list.show();
    const QImage image = list.viewport()->grab().toImage();
    QCOMPARE(image.copy(list.visualRect(list.model()->index(0, 0))),
             image.copy(list.visualRect(list.model()->index(1, 0))));
    QCOMPARE(LimitToSjisBytes(QString(258, 'a') + U("頭頭"), 259), QString(258, 'a'));
    const int nWidth = QFontMetrics(list.font()).horizontalAdvance(U("尻尾")) + 12;
    QCOMPARE(
        list.ShortenToFit(U("尻尾"), nWidth, 12) + list.ShortenToFit(U("尻尾"), nWidth - 1, 12),
        U("尻尾尻..."));
    list.SetHeaderToolTip(U("凡例"));
    list.InsertColumn(1, QString(), 10);
    for (const int nColumn : {0, 1})
      QCOMPARE(list.model()->headerData(nColumn, Qt::Horizontal, Qt::ToolTipRole), U("凡例"));
  }

  // The focused list paints its selected row across in the highlight colours,
  // with the dotted frame inverting every other pixel around the first cell;
  // without the focus the row shows its own colour on white.
  void selectedRowColoursAndFocusFrame() {
    CColorListCtrl list;
    list.setFont(ExactColourFont());
    list.InsertColumn(0, U("部位"), 60);
    list.InsertColumn(1, U("物理"), 60);
    list.SetFullRowSelect(true);
    list.InsertRow(0, U("頭"));
    list.SetCellText(0, 1, U("45%"));
    list.SetItemColor(0, 0xFF0000);
    QVERIFY(!list.SetItemColor(-1, 0));  // no such row
    QVERIFY(!list.SetItemColor(1, 0));
    QVERIFY(ShowActive(list));
    list.setCurrentIndex(list.model()->index(0, 0));
    const QRect rcFirst = list.visualRect(list.model()->index(0, 0));
    const auto Shown = [&list](const QRect& rc) {
      return Colours(list.viewport()->grab().toImage(), rc);
    };
    const QRgb clrHigh = list.palette().color(QPalette::Highlight).rgb() & 0xFFFFFF;
    const QRgb clrText = list.palette().color(QPalette::HighlightedText).rgb() & 0xFFFFFF;
    const QRect rcSecond = rcFirst.translated(60, 0);
    QCOMPARE(
        QList<QSet<QRgb>>({Shown(rcFirst), Shown(rcSecond), Shown({rcFirst.topLeft(), QSize(2, 1)}),
                           Shown({rcFirst.topLeft() + QPoint(2, 0), QSize(1, 1)})}),
        QList<QSet<QRgb>>({{clrHigh, clrText, ~clrHigh & 0xFFFFFF},
                           {clrHigh, clrText},
                           {~clrHigh & 0xFFFFFF, clrHigh},
                           {~clrHigh & 0xFFFFFF}}));
    list.clearFocus();
    QCOMPARE(Shown(rcFirst.united(rcSecond)), (QSet<QRgb>{0xFFFFFF, 0xFF0000}));
  }

  // Resting on the weapon list shows the legend of its colours, element by
  // element in bit order, each in its colour on white.
  void weaponListLegend() {
    CWeaponListBox list;
    QVERIFY(ShowActive(list));
    AskForToolTip(list.viewport(), QPoint(5, 5));
    QString strLegend =
        U("<p style=\"white-space:pre\">武器名の色は属性（二つあれば、この表で上にある方）</p>"
          "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"2\" "
          "style=\"background-color:#ffffff\">");
    for (const char* pszEntry :
         {"000000\">■ 無", "ff0000\">■ 火", "0000ff\">■ 水", "5a5a00\">■ 雷", "606060\">■ 氷",
          "5a0000\">■ 龍", "800050\">■ 毒", "008000\">■ 痺", "008080\">■ 眠"})
      strLegend += U("<tr><td style=\"color:#") + U(pszEntry) + U("</td></tr>");
    QTRY_COMPARE(QToolTip::text(), strLegend + U("</table>"));
    QToolTip::hideText();
  }
};

VELKAR_UI_TEST(WindowPartsTest)
#include "WindowPartsTest.moc"
