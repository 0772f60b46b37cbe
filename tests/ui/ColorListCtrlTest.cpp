// CColorListCtrl: row painting checked by pixels, shortening, row colours,
// row tooltips.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "ColorListCtrl.h"
#include "SjisText.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "platform/Cp932.h"

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr QRgb kWhite = 0xFFFFFF;
constexpr QRgb kBlack = 0x000000;

// A result list as the window sets it up, beside a line edit that can take
// the focus away from it.
struct ListWindow_t {
  QWidget window;
  QLineEdit* pOther = nullptr;
  CColorListCtrl* pList = nullptr;

  explicit ListWindow_t(bool bWindowColumns = true) {
    pList = new CColorListCtrl(&window);
    pOther = new QLineEdit(&window);
    pList->setFont(ExactColourFont());
    pList->setGeometry(0, 0, 260, 150);
    pOther->setGeometry(0, 160, 100, 20);
    window.resize(270, 190);
    pList->SetFullRowSelect(true);
    if (!bWindowColumns) return;
    pList->InsertColumn(0, QString::fromUtf8("部位"), 40);
    pList->InsertColumn(1, QString::fromUtf8("物理"), 40);
    pList->InsertColumn(2, QString::fromUtf8("属性"), 40);
    pList->InsertColumn(3, QString::fromUtf8("ﾀﾞﾒｰｼﾞ"), 45);
  }

  void AddRow(const QString& strName, const QString& strPhys, const QString& strElement,
              const QString& strDamage) {
    const int nRow = pList->GetRowCount();
    pList->InsertRow(nRow, strName);
    pList->SetCellText(nRow, 1, strPhys);
    pList->SetCellText(nRow, 2, strElement);
    pList->SetCellText(nRow, 3, strDamage);
  }

  QImage Render(int nRow) const {
    QImage image = BlankImage(QSize(400, 300));
    QPainter painter(&image);
    pList->DrawRow(painter, nRow);
    return image;
  }

  QRect RowRect(int nRow) const {
    const QRect rc = pList->visualRect(pList->model()->index(nRow, 0));
    return QRect(rc.left(), rc.top(), pList->header()->length(), rc.height());
  }

  QRect CellRect(int nRow, int nColumn) const {
    const QRect rc = pList->visualRect(pList->model()->index(nRow, 0));
    return QRect(pList->columnViewportPosition(nColumn), rc.top(), pList->columnWidth(nColumn),
                 rc.height());
  }

  void Select(int nRow) const {
    pList->selectionModel()->setCurrentIndex(
        pList->model()->index(nRow, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
};

QRgb Highlight(const QWidget& widget) {
  return Rgb(widget.palette().color(QPalette::Active, QPalette::Highlight));
}
QRgb HighlightedText(const QWidget& widget) {
  return Rgb(widget.palette().color(QPalette::Active, QPalette::HighlightedText));
}

}  // namespace

class ColorListCtrlTest : public QObject {
  Q_OBJECT

private slots:
  void setItemColorTakesOnlyHeldRows_data() {
    QTest::addColumn<int>("nRows");
    QTest::addColumn<int>("nRow");
    QTest::addColumn<bool>("bStored");
    QTest::newRow("negative") << 3 << -1 << false;
    QTest::newRow("equal to the row count") << 3 << 3 << false;
    QTest::newRow("last row") << 3 << 2 << true;
    QTest::newRow("first row") << 3 << 0 << true;
    QTest::newRow("no rows at all") << 0 << 0 << false;
  }
  void setItemColorTakesOnlyHeldRows() {
    QFETCH(int, nRows);
    QFETCH(int, nRow);
    QFETCH(bool, bStored);
    ListWindow_t list;
    for (int i = 0; i < nRows; ++i) list.AddRow("A", "1%", "2%", "3");
    QCOMPARE(list.pList->SetItemColor(nRow, kRed), bStored);
    // Nothing stored for a refused row: adding it later shows black.
    while (list.pList->GetRowCount() <= std::max(nRow, 0)) list.AddRow("A", "1%", "2%", "3");
    const QImage image = list.Render(std::max(nRow, 0));
    const QSet<QRgb> setColour = ColoursIn(image, list.RowRect(std::max(nRow, 0)));
    QCOMPARE(setColour.contains(0xFF0000), bStored);
  }

  void rowsWithoutColourAreBlackOthersInTheirColour() {
    ListWindow_t list;
    list.AddRow(QString::fromUtf8("頭"), "45%", "20%", "123");
    list.AddRow(QString::fromUtf8("尻尾"), "30%", "10%", "99");
    list.AddRow(QString::fromUtf8("脚"), "50%", "5%", "140");
    QVERIFY(list.pList->SetItemColor(1, kRed));
    QVERIFY(list.pList->SetItemColor(2, kBlue));
    QCOMPARE(ColoursIn(list.Render(0), list.RowRect(0)), (QSet<QRgb>{kWhite, kBlack}));
    QCOMPARE(ColoursIn(list.Render(1), list.RowRect(1)), (QSet<QRgb>{kWhite, 0xFF0000}));
    QCOMPARE(ColoursIn(list.Render(2), list.RowRect(2)), (QSet<QRgb>{kWhite, 0x0000FF}));
  }

  void rowIsFilledWhiteUpToTheLastColumn() {
    ListWindow_t list;
    list.AddRow("", "", "", "");
    const QImage image = list.Render(0);
    const QRect rcRow = list.RowRect(0);
    QCOMPARE(ColoursIn(image, rcRow), QSet<QRgb>{kWhite});
    // Right of the columns and in other rows nothing is painted.
    QCOMPARE(ColoursIn(image, QRect(rcRow.right() + 1, rcRow.top(), 10, rcRow.height())),
             QSet<QRgb>{kUntouched & 0xFFFFFF});
    QCOMPARE(image.pixel(rcRow.left(), rcRow.bottom() + 1) & 0xFFFFFF, kUntouched & 0xFFFFFF);
  }

  void selectedRowWithFocusIsHighlightedAcross() {
    ListWindow_t list;
    list.AddRow(QString::fromUtf8("頭"), "45%", "20%", "123");
    list.pList->SetItemColor(0, kRed);
    QVERIFY(ShowActive(list.window));
    list.pList->setFocus();
    QTRY_VERIFY(list.pList->hasFocus());
    list.Select(0);
    const QImage image = list.Render(0);
    // Highlight fill and highlighted text everywhere, focus dots on the first
    // cell's frame aside: the row's own colour does not show.
    const QRect rcInner = list.RowRect(0).adjusted(0, 1, 0, -1);
    const QSet<QRgb> setColour =
        ColoursIn(image, rcInner.adjusted(list.pList->columnWidth(0), 0, 0, 0));
    QCOMPARE(setColour, (QSet<QRgb>{Highlight(*list.pList), HighlightedText(*list.pList)}));
    QVERIFY(ColoursIn(image, list.CellRect(0, 0).adjusted(1, 1, -1, -1))
                .contains(HighlightedText(*list.pList)));
  }

  void selectedRowWithoutFocusLooksUnselected() {
    ListWindow_t list;
    list.AddRow(QString::fromUtf8("頭"), "45%", "20%", "123");
    list.pList->SetItemColor(0, kBlue);
    QVERIFY(ShowActive(list.window));
    list.pOther->setFocus();
    QTRY_VERIFY(list.pOther->hasFocus());
    const QImage unselected = list.Render(0);
    list.Select(0);
    QVERIFY(list.pList->selectionModel()->isRowSelected(0, QModelIndex()));
    QCOMPARE(list.Render(0), unselected);
    // Unless the list shows its selection always.
    list.pList->SetShowSelectionAlways(true);
    QVERIFY(ColoursIn(list.Render(0), list.RowRect(0)).contains(Highlight(*list.pList)));
  }

  void withoutFullRowOnlyTheFirstCellIsHighlighted() {
    ListWindow_t list;
    list.pList->SetFullRowSelect(false);
    list.AddRow(QString::fromUtf8("頭"), "45%", "20%", "123");
    list.pList->SetItemColor(0, kRed);
    QVERIFY(ShowActive(list.window));
    list.pList->setFocus();
    QTRY_VERIFY(list.pList->hasFocus());
    list.Select(0);
    const QImage image = list.Render(0);
    const QSet<QRgb> setFirst = ColoursIn(image, list.CellRect(0, 0).adjusted(1, 1, -1, -1));
    QCOMPARE(setFirst, (QSet<QRgb>{Highlight(*list.pList), HighlightedText(*list.pList)}));
    // The other cells are painted as unselected, in the row's colour.
    QRect rcRest = list.RowRect(0);
    rcRest.setLeft(list.CellRect(0, 1).left());
    QCOMPARE(ColoursIn(image, rcRest), (QSet<QRgb>{kWhite, 0xFF0000}));
  }

  void focusRectangleFramesTheFirstCellOnly() {
    ListWindow_t list;
    list.AddRow("", "", "", "");
    QVERIFY(ShowActive(list.window));
    list.pList->setFocus();
    QTRY_VERIFY(list.pList->hasFocus());
    // The current row, not selected: white fill, dotted frame.
    list.pList->selectionModel()->setCurrentIndex(list.pList->model()->index(0, 0),
                                                  QItemSelectionModel::NoUpdate);
    const QImage image = list.Render(0);
    const QRect rcLabel = list.CellRect(0, 0);
    QCOMPARE(image.pixel(rcLabel.topLeft()) & 0xFFFFFF, kBlack);
    QCOMPARE(image.pixel(rcLabel.left() + 1, rcLabel.top()) & 0xFFFFFF, kWhite);
    QCOMPARE(image.pixel(rcLabel.left() + 2, rcLabel.top()) & 0xFFFFFF, kBlack);
    QCOMPARE(image.pixel(rcLabel.left(), rcLabel.top() + 2) & 0xFFFFFF, kBlack);
    QRect rcRest = list.RowRect(0);
    rcRest.setLeft(rcLabel.right() + 1);
    QCOMPARE(ColoursIn(image, rcRest), QSet<QRgb>{kWhite});
    // Without the focus there is no frame.
    list.pOther->setFocus();
    QTRY_VERIFY(!list.pList->hasFocus());
    QCOMPARE(ColoursIn(list.Render(0), list.RowRect(0)), QSet<QRgb>{kWhite});
  }

  void shortenToFitKeepsTextThatFitsExactly_data() {
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nMargin");
    QTest::newRow("region, first column") << QString::fromUtf8("背中の岩殻") << 4;
    QTest::newRow("percentage") << QString("145%") << 12;
    QTest::newRow("one letter") << QString("W") << 12;
    QTest::newRow("half-width katakana") << QString::fromUtf8("ﾀﾞﾒｰｼﾞ") << 12;
  }
  void shortenToFitKeepsTextThatFitsExactly() {
    QFETCH(QString, strText);
    QFETCH(int, nMargin);
    CColorListCtrl list;
    list.setFont(ExactColourFont());
    const QFontMetrics metrics(list.font());
    const int nWidth = metrics.horizontalAdvance(strText) + nMargin;
    QCOMPARE(list.ShortenToFit(strText, nWidth, nMargin), strText);
    const QString strShort = list.ShortenToFit(strText, nWidth - 1, nMargin);
    QVERIFY(strShort.endsWith(QStringLiteral("...")));
    QVERIFY(strShort != strText);
  }

  void shortenToFitTakesTheLongestPrefix_data() {
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nWidth");
    QTest::addColumn<int>("nMargin");
    const QString strJapanese = QString::fromUtf8("雷殻の尾先と角（破壊後）");
    for (int nWidth = 30; nWidth <= 120; nWidth += 13) {
      QTest::addRow("Japanese in %d px", nWidth) << strJapanese << nWidth << 12;
      QTest::addRow("ASCII in %d px", nWidth)
          << QString("Left foreleg armour plate") << nWidth << 4;
    }
  }
  void shortenToFitTakesTheLongestPrefix() {
    QFETCH(QString, strText);
    QFETCH(int, nWidth);
    QFETCH(int, nMargin);
    CColorListCtrl list;
    list.setFont(ExactColourFont());
    const QFontMetrics metrics(list.font());
    const QString strShort = list.ShortenToFit(strText, nWidth, nMargin);
    QVERIFY(strShort.endsWith(QStringLiteral("...")));
    const QString strPrefix = strShort.chopped(3);
    QVERIFY(strText.startsWith(strPrefix));
    const int nDots = metrics.horizontalAdvance(QStringLiteral("..."));
    if (strPrefix.size() > 1) {
      QVERIFY(metrics.horizontalAdvance(strPrefix) + nMargin + nDots <= nWidth);
    }
    // One more character would not have fitted.
    const QString strLonger = strText.left(strPrefix.size() + 1);
    QVERIFY(metrics.horizontalAdvance(strLonger) + nMargin + nDots > nWidth);
  }

  void shortenToFitEdgeCases() {
    CColorListCtrl list;
    QCOMPARE(list.ShortenToFit(QString(), 0, 12), QString());
    // Nothing fits: the first character and the dots, whatever the width.
    QCOMPARE(list.ShortenToFit(QString::fromUtf8("頭部"), 1, 12), QString::fromUtf8("頭..."));
    QCOMPARE(list.ShortenToFit(QString::fromUtf8("頭"), 1, 12), QString::fromUtf8("頭..."));
  }

  void cellsKeepTheirPaddingAndAlignment() {
    // Column 1 right-aligned, column 2 centred, column 3 right-aligned but
    // too narrow for its text.
    ListWindow_t list(false);
    CColorListCtrl& ctrl = *list.pList;
    ctrl.InsertColumn(0, "A", 50);
    ctrl.InsertColumn(1, "B", 50, Qt::AlignRight);
    ctrl.InsertColumn(2, "C", 50, Qt::AlignHCenter);
    ctrl.InsertColumn(3, "D", 50, Qt::AlignRight);
    list.AddRow(QString::fromUtf8("頭"), "45%", "20%", "1234567890123");
    const QImage image = list.Render(0);

    // Each cell is exactly: white, and its text drawn into the cell less
    // its padding (2 for the first, 6 for the others) with the alignment
    // shown; a shortened text goes to the left.
    QImage expected = BlankImage(image.size());
    {
      QPainter painter(&expected);
      painter.setFont(ctrl.font());
      painter.fillRect(list.RowRect(0), Qt::white);
      const int nFlags = Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip;
      painter.drawText(list.CellRect(0, 0).adjusted(2, 0, -2, 0), nFlags | Qt::AlignLeft,
                       QString::fromUtf8("頭"));
      painter.drawText(list.CellRect(0, 1).adjusted(6, 0, -6, 0), nFlags | Qt::AlignRight, "45%");
      painter.drawText(list.CellRect(0, 2).adjusted(6, 0, -6, 0), nFlags | Qt::AlignHCenter, "20%");
      painter.drawText(list.CellRect(0, 3).adjusted(6, 0, -6, 0), nFlags | Qt::AlignLeft,
                       ctrl.ShortenToFit("1234567890123", 50, 12));
    }
    QCOMPARE(image, expected);

    // The same by position: the shortened right-aligned text starts at the
    // left padding, the short one ends at the right padding.
    const QRect rcShort = list.CellRect(0, 3);
    const auto [nLeft, nRight] = InkColumns(image, rcShort, kWhite);
    QVERIFY(nLeft >= rcShort.left() + 6 && nLeft <= rcShort.left() + 10);
    QVERIFY(nRight <= rcShort.right() - 6);
    const QRect rcRight = list.CellRect(0, 1);
    const auto [nLeft1, nRight1] = InkColumns(image, rcRight, kWhite);
    QVERIFY(nRight1 <= rcRight.right() - 6 && nRight1 >= rcRight.right() - 9);
    QVERIFY(nLeft1 > rcRight.left() + 10);
  }

  void coloursOutliveTheRows() {
    ListWindow_t list;
    list.AddRow("A", "1%", "1%", "1");
    list.AddRow("B", "1%", "1%", "1");
    list.pList->SetItemColor(0, kRed);
    list.pList->SetItemColor(1, kBlue);
    list.pList->RemoveAllRows();
    QCOMPARE(list.pList->GetRowCount(), 0);
    list.AddRow("C", "2%", "2%", "2");
    list.AddRow("D", "2%", "2%", "2");
    list.AddRow("E", "2%", "2%", "2");
    QVERIFY(ColoursIn(list.Render(0), list.RowRect(0)).contains(0xFF0000));
    QVERIFY(ColoursIn(list.Render(1), list.RowRect(1)).contains(0x0000FF));
    QVERIFY(ColoursIn(list.Render(2), list.RowRect(2)).contains(kBlack));
  }

  void cellTextIsPaintedFromItsFirst259Bytes_data() {
    QTest::addColumn<QString>("strText");
    QTest::addColumn<QString>("strPainted");
    const QString strKanji = QString::fromUtf8("頭");
    QTest::newRow("short") << QString("abc") << QString("abc");
    QTest::newRow("259 ASCII bytes") << QString(259, 'x') << QString(259, 'x');
    QTest::newRow("300 ASCII bytes") << QString(300, 'x') << QString(259, 'x');
    QTest::newRow("130 kanji: 129 whole ones") << strKanji.repeated(130) << strKanji.repeated(129);
    QTest::newRow("a letter, then kanji")
        << ("a" + strKanji.repeated(130)) << ("a" + strKanji.repeated(129));
    QTest::newRow("half-width katakana: one byte each")
        << QString::fromUtf8("ｱ").repeated(260) << QString::fromUtf8("ｱ").repeated(259);
  }
  void cellTextIsPaintedFromItsFirst259Bytes() {
    QFETCH(QString, strText);
    QFETCH(QString, strPainted);
    QCOMPARE(LimitToSjisBytes(strText, CColorListCtrl::kMaxCellBytes), strPainted);
  }

  void rowToolTipComesFromItsSource_data() {
    QTest::addColumn<int>("nRows");
    QTest::addColumn<int>("nRow");
    QTest::addColumn<QString>("strTip");
    QTest::newRow("first row") << 3 << 0 << QStringLiteral("row 0");
    QTest::newRow("last row") << 3 << 2 << QStringLiteral("row 2");
    QTest::newRow("negative") << 3 << -1 << QString();
    QTest::newRow("equal to the row count") << 3 << 3 << QString();
    QTest::newRow("no rows at all") << 0 << 0 << QString();
  }
  void rowToolTipComesFromItsSource() {
    QFETCH(int, nRows);
    QFETCH(int, nRow);
    QFETCH(QString, strTip);
    ListWindow_t list;
    for (int i = 0; i < nRows; ++i) list.AddRow("A", "1%", "2%", "3");
    QVERIFY(list.pList->GetRowToolTip(nRow).isEmpty());  // no source yet
    QList<int> arrAsked;
    list.pList->SetRowToolTipSource([&arrAsked](int nAsked) {
      arrAsked.append(nAsked);
      return QStringLiteral("row %1").arg(nAsked);
    });
    QCOMPARE(list.pList->GetRowToolTip(nRow), strTip);
    // The source is only ever asked about rows the list holds.
    QCOMPARE(arrAsked, strTip.isEmpty() ? QList<int>{} : QList<int>{nRow});
  }

  void toolTipMarkupKeepsTheTextAsItIs_data() {
    QTest::addColumn<QString>("strText");
    QTest::newRow("lines and indents") << QStringLiteral("a: 1\n  b 2\n    c 3");
    QTest::newRow("markup in a name") << QStringLiteral("<b>x</b> & <i>&amp;");
    QTest::newRow("placeholders") << QStringLiteral("100% %1 %2 %L3");
    QTest::newRow("Japanese") << QString::fromUtf8(
        "頭: 物理 45%, ダメージ 22 (通常)\n  攻撃1 斬り");
    QTest::newRow("runs of spaces") << QStringLiteral("x    y\n\n z");
  }
  void toolTipMarkupKeepsTheTextAsItIs() {
    QFETCH(QString, strText);
    ListWindow_t list;
    const QString strMarkup = list.pList->ToolTipMarkup(strText);
    QVERIFY(Qt::mightBeRichText(strMarkup));
    QTextDocument document;
    document.setHtml(strMarkup);
    QCOMPARE(document.toPlainText(), strText);
    // In the list's own font.
    QVERIFY(strMarkup.contains(list.pList->font().family()));
  }

  void helpEventShowsTheToolTipOfTheRowUnderTheMouse() {
    ListWindow_t list;
    list.AddRow("A", "1%", "2%", "3");
    list.AddRow("B", "4%", "5%", "6");
    list.pList->SetRowToolTipSource(
        [](int nRow) { return nRow == 0 ? QString() : QStringLiteral("<row>\n %1").arg(nRow); });
    QVERIFY(ShowActive(list.window));
    QWidget* pViewport = list.pList->viewport();
    const auto Ask = [pViewport](const QPoint& pt) {
      QHelpEvent help(QEvent::ToolTip, pt, pViewport->mapToGlobal(pt));
      QApplication::sendEvent(pViewport, &help);
    };

    Ask(list.CellRect(1, 3).center());
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), list.pList->ToolTipMarkup(QStringLiteral("<row>\n 1")));
    // A row whose source has nothing to say, and the empty space below the
    // rows, hide it.
    Ask(list.CellRect(0, 1).center());
    QTRY_VERIFY(!QToolTip::isVisible());
    Ask(list.CellRect(1, 3).center());
    QTRY_VERIFY(QToolTip::isVisible());
    Ask(QPoint(5, list.RowRect(1).bottom() + 20));
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  void gridLinesRunBetweenTheCells() {
    ListWindow_t list;
    list.AddRow("A", "1%", "1%", "1");
    QVERIFY(ShowActive(list.window));
    const int nX = list.pList->columnWidth(0) - 1;
    const int nBelow = list.RowRect(0).bottom() + 20;
    QImage image = list.pList->viewport()->grab().toImage();
    QCOMPARE(image.pixel(nX, nBelow) & 0xFFFFFF, kWhite);
    list.pList->SetGridLines(true);
    image = list.pList->viewport()->grab().toImage();
    QCOMPARE(image.pixel(nX, nBelow) & 0xFFFFFF, QRgb{0xC0C0C0});
    QCOMPARE(image.pixel(nX, list.RowRect(0).center().y()) & 0xFFFFFF, QRgb{0xC0C0C0});
    QCOMPARE(image.pixel(nX - 3, list.RowRect(0).bottom()) & 0xFFFFFF, QRgb{0xC0C0C0});
  }
};

VELKAR_UI_TEST(ColorListCtrlTest)
#include "ColorListCtrlTest.moc"
