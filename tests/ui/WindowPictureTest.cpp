// Saves pictures of the main window with a calculation on the sample data
// (velkar-window.png in the build folder), of the same window larger
// (velkar-window-large.png), of the weapon table (velkar-window-table.png),
// of the gains view (velkar-window-gains.png) and of the comparison window
// with three loadouts (velkar-comparison.png) for a person to look at, and
// checks what a picture cannot be trusted to show: the dialog font has a
// glyph for every character of the window's texts.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "SystemMenu.h"
#include "VelkarDlg.h"
#include "dialogs/ComparisonDlg.h"
#include "dialogs/GainsDlg.h"
#include "dialogs/RankingDlg.h"
#include "platform/ModuleDirectory.h"

namespace {

// The picture's file: velkar-window.png, or velkar-window-<part>.png.
QString PicturePath(const char* pszPart) {
  QString strPath = QStringLiteral(VELKAR_WINDOW_PNG);
  if (*pszPart != 0)
    strPath.replace(QStringLiteral(".png"), QStringLiteral("-%1.png").arg(pszPart));
  return strPath;
}

}  // namespace

class WindowPictureTest : public QObject {
  Q_OBJECT

private slots:
  void windowWithACalculation() {
    CVelkarDlg dlg(velkar::GetModuleDirectory());  // the sample data beside the tests
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* pWeapons = qobject_cast<QListWidget*>(dlg.GetControl(1002));
    QVERIFY2(pWeapons->count() > 2, "the sample data files are missing");
    pWeapons->setCurrentRow(1);
    for (const int nRow : {0, 2, 5, 5}) {
      qobject_cast<QListWidget*>(dlg.GetControl(1003))->setCurrentRow(nRow);
      qobject_cast<QPushButton*>(dlg.GetControl(1005))->click();
    }
    qobject_cast<QAbstractButton*>(dlg.GetControl(1040))->click();
    // The lists' scroll bars follow their new contents once the posted layout
    // requests are handled.
    QCoreApplication::sendPostedEvents();
    QVERIFY(dlg.grab().toImage().save(PicturePath("")));
    dlg.OnSysCommand(kCommandRanking);
    dlg.OnSysCommand(kCommandGains);
    QCoreApplication::sendPostedEvents();
    QVERIFY(dlg.GetRankingDlg()->grab().toImage().save(PicturePath("table")));
    QVERIFY(dlg.GetGainsDlg()->grab().toImage().save(PicturePath("gains")));
    dlg.resize(dlg.size() * 3 / 2);
    QCoreApplication::sendPostedEvents();
    QVERIFY(dlg.grab().toImage().save(PicturePath("large")));
    QString strAll;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) strAll += pLabel->text();
    for (const QAbstractButton* pButton : dlg.findChildren<QAbstractButton*>())
      strAll += pButton->text();
    for (const QComboBox* pCombo : dlg.findChildren<QComboBox*>())
      for (int i = 0; i < pCombo->count(); ++i) strAll += pCombo->itemText(i);
    for (const QListWidget* pList : dlg.findChildren<QListWidget*>())
      for (int i = 0; i < pList->count(); ++i) strAll += pList->item(i)->text();
    for (const QChar ch : strAll)
      QVERIFY2(QFontMetrics(dlg.font()).inFont(ch), qPrintable(QString(ch)));

    dlg.OnSysCommand(kCommandCompare);
    CComparisonDlg* pCompare = dlg.GetComparisonDlg();
    for (const int nRow : {1, 0, 2}) {
      pWeapons->setCurrentRow(nRow);
      pCompare->AddCurrent();
    }
    QVERIFY(QTest::qWaitForWindowExposed(pCompare));
    QTest::qWait(50);
    QVERIFY(pCompare->grab().toImage().save(QStringLiteral(VELKAR_COMPARISON_PNG)));
  }
};

QTEST_MAIN(WindowPictureTest)
#include "WindowPictureTest.moc"
