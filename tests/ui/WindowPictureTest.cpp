// Saves a picture of the main window with a calculation on screen, on the
// sample data beside the program, for a person to look at
// (velkar-window.png in the build folder; beside it velkar-about.png, velkar-tooltip.png with a
// result row's summary, velkar-legend.png with the weapon colours, velkar-breakdown.png with
// the first row's breakdown window, velkar-window-pinned.png with a pinned baseline and a change
// after it, and velkar-ranking.png, the ranking dialog). It also checks what a picture cannot be
// trusted to show: every text of the window has its glyphs in the dialog font, and every caption
// fits its control.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QToolTip>
#include <QtTest>

#include "AboutDlg.h"
#include "BreakdownDlg.h"
#include "ColorListCtrl.h"
#include "RankingDlg.h"
#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "VelkarDlg.h"
#include "WeaponListBox.h"
#include "data/DataManager.h"

class WindowPictureTest : public QObject {
  Q_OBJECT

private slots:
  void cleanupTestCase() { CDataManager::DestroyInstance(); }

  void windowWithACalculation() {
    CVelkarDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
    QVERIFY2(pWeapons->count() > 2, "the sample data files are missing");
    ClickEntry(pWeapons, 1);
    auto* pAvailable = Control<QListWidget>(dlg, 1003);
    for (int nRow : {0, 2, 5, 5}) {
      ClickEntry(pAvailable, nRow);
      QTest::mouseClick(Control<QPushButton>(dlg, 1005), Qt::LeftButton);
    }
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    for (int nId : {1017, 1021, 1029, 1038}) {
      auto* pCheck = Control<QCheckBox>(dlg, nId);
      QTest::mouseClick(pCheck, Qt::LeftButton, {}, QPoint(6, pCheck->height() / 2));
    }
    QVERIFY(Control<CColorListCtrl>(dlg, 1013)->GetRowCount() > 0);
    QTest::qWait(50);  // scroll bars follow the lists' new contents

    const QImage picture = dlg.grab().toImage();
    QVERIFY(picture.save(QStringLiteral(VELKAR_WINDOW_PNG)));
    qInfo("saved %s", VELKAR_WINDOW_PNG);

    VerifyGlyphs(dlg);
    VerifyCaptionsFit(dlg);
    SaveToolTips(dlg);
    SaveBreakdown(dlg);

    // A pinned baseline, then the critical-hit modifier ticked.
    dlg.OnSysCommand(kCommandPin);
    auto* pCritical = Control<QCheckBox>(dlg, 1040);
    QTest::mouseClick(pCritical, Qt::LeftButton, {}, QPoint(6, pCritical->height() / 2));
    QTest::qWait(50);
    QVERIFY(dlg.grab().toImage().save(PicturePath("velkar-window-pinned.png")));

    dlg.OnSysCommand(kCommandRanking);
    CRankingDlg* pRanking = dlg.GetRankingDlg();
    QVERIFY(QTest::qWaitForWindowExposed(pRanking));
    QTest::qWait(50);
    QVERIFY(pRanking->grab().toImage().save(PicturePath("velkar-ranking.png")));
  }

  void aboutBox() {
    CAboutDlg about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.grab().toImage().save(PicturePath("velkar-about.png")));
    for (const QLabel* pLabel : about.findChildren<QLabel*>()) {
      QVERIFY(pLabel->geometry().right() < about.width());
      if (pLabel->pixmap().isNull()) {
        QVERIFY(pLabel->fontMetrics().horizontalAdvance(pLabel->text()) <= pLabel->width());
      }
    }
  }

private:
  static QString PicturePath(const char* pszName) {
    return QFileInfo(QStringLiteral(VELKAR_WINDOW_PNG))
        .dir()
        .filePath(QString::fromLatin1(pszName));
  }

  // The tooltips of the first result row and of the weapon list (the colour
  // legend) as the mouse brings them up.
  void SaveToolTips(const CVelkarDlg& dlg) {
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    SaveToolTip(pResult->viewport(), pResult->visualRect(pResult->model()->index(0, 0)).center(),
                "velkar-tooltip.png");
    SaveToolTip(Control<CWeaponListBox>(dlg, 1002)->viewport(), QPoint(5, 5), "velkar-legend.png");
  }

  // A tooltip, saved, with its glyphs checked like every other text of the
  // window.
  void SaveToolTip(QWidget* pViewport, const QPoint& pt, const char* pszFile) {
    QHelpEvent help(QEvent::ToolTip, pt, pViewport->mapToGlobal(pt));
    QApplication::sendEvent(pViewport, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QWidget* pTip = nullptr;
    for (QWidget* pWidget : QApplication::topLevelWidgets()) {
      if (pWidget->inherits("QTipLabel") && pWidget->isVisible()) pTip = pWidget;
    }
    QVERIFY(pTip != nullptr);
    QVERIFY(pTip->grab().toImage().save(PicturePath(pszFile)));
    const QFontMetrics metrics(pTip->font());
    for (const QChar ch : QToolTip::text()) {
      if (ch == u'\n') continue;
      QVERIFY2(metrics.inFont(ch), qPrintable(QStringLiteral("no glyph for %1").arg(ch)));
    }
    QToolTip::hideText();
  }

  // The breakdown window of the first row, with its glyphs checked.
  void SaveBreakdown(CVelkarDlg& dlg) {
    dlg.OpenBreakdown(0);
    CBreakdownDlg* pBreakdown = dlg.GetBreakdownDlg();
    QVERIFY(pBreakdown != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(pBreakdown));
    QTest::qWait(50);
    QVERIFY(pBreakdown->grab().toImage().save(PicturePath("velkar-breakdown.png")));
    QStringList arrText;
    for (const QLabel* pLabel : pBreakdown->findChildren<QLabel*>()) arrText.append(pLabel->text());
    for (const QAbstractButton* pButton : pBreakdown->findChildren<QAbstractButton*>()) {
      arrText.append(pButton->text());
    }
    const auto* pTable = pBreakdown->findChild<QTableWidget*>(QStringLiteral("breakdownTable"));
    QVERIFY(pTable != nullptr && pTable->rowCount() > 0);
    for (int nColumn = 0; nColumn < pTable->columnCount(); ++nColumn) {
      arrText.append(pTable->horizontalHeaderItem(nColumn)->text());
      arrText.append(pTable->item(0, nColumn)->text());
    }
    const QFontMetrics metrics(pBreakdown->font());
    for (const QString& strText : arrText) {
      for (const QChar ch : strText) {
        if (ch == u'\n') continue;
        QVERIFY2(metrics.inFont(ch),
                 qPrintable(QStringLiteral("no glyph for %1 in %2").arg(ch).arg(strText)));
      }
    }
  }

  // No text of the window falls back to boxes: the dialog font has a glyph
  // for every character on screen.
  void VerifyGlyphs(const CVelkarDlg& dlg) {
    QStringList arrText;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) arrText.append(pLabel->text());
    for (const QAbstractButton* pButton : dlg.findChildren<QAbstractButton*>()) {
      arrText.append(pButton->text());
    }
    for (const QComboBox* pCombo : dlg.findChildren<QComboBox*>()) {
      for (int i = 0; i < pCombo->count(); ++i) arrText.append(pCombo->itemText(i));
    }
    for (const QListWidget* pList : dlg.findChildren<QListWidget*>()) {
      for (int i = 0; i < pList->count(); ++i) arrText.append(pList->item(i)->text());
    }
    const auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    for (int nRow = 0; nRow < pResult->GetRowCount(); ++nRow) {
      for (int nColumn = 0; nColumn < 4; ++nColumn) {
        arrText.append(pResult->GetCellText(nRow, nColumn));
      }
    }
    const QFontMetrics metrics(dlg.font());
    for (const QString& strText : arrText) {
      for (const QChar ch : strText) {
        QVERIFY2(metrics.inFont(ch),
                 qPrintable(QStringLiteral("no glyph for %1 in %2").arg(ch).arg(strText)));
      }
    }
  }

  // Check boxes, buttons and static texts show their whole caption.
  void VerifyCaptionsFit(const CVelkarDlg& dlg) {
    for (QCheckBox* pCheck : dlg.findChildren<QCheckBox*>()) {
      QStyleOptionButton option;
      option.initFrom(pCheck);
      option.text = pCheck->text();
      const QRect rcText =
          pCheck->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, pCheck);
      const int nNeeded = pCheck->fontMetrics().horizontalAdvance(pCheck->text());
      QVERIFY2(nNeeded <= rcText.width(), qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                                                         .arg(pCheck->text())
                                                         .arg(nNeeded)
                                                         .arg(rcText.width())));
    }
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) {
      if (pLabel->text().isEmpty() || pLabel->pixmap().isNull() == false) continue;
      QVERIFY2(pLabel->fontMetrics().horizontalAdvance(pLabel->text()) <= pLabel->width(),
               qPrintable(pLabel->text()));
      QVERIFY2(pLabel->fontMetrics().height() <= pLabel->height(), qPrintable(pLabel->text()));
    }
  }
};

QTEST_MAIN(WindowPictureTest)
#include "WindowPictureTest.moc"
