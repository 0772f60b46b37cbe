// Saves a picture of the main window with a calculation on the sample data
// (velkar-window.png in the build folder) for a person to look at, and checks
// what a picture cannot be trusted to show: every text on screen has its
// glyphs in the dialog font, and every caption fits its control.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>

#include "ColorListCtrl.h"
#include "VelkarDlg.h"
#include "WeaponListBox.h"

class WindowPictureTest : public QObject {
  Q_OBJECT

private slots:
  void windowWithACalculation() {
    CVelkarDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* pWeapons = qobject_cast<QListWidget*>(dlg.GetControl(1002));
    QVERIFY2(pWeapons->count() > 2, "the sample data files are missing");
    pWeapons->setCurrentRow(1);
    auto* pAvailable = qobject_cast<QListWidget*>(dlg.GetControl(1003));
    for (const int nRow : {0, 2, 5, 5}) {
      pAvailable->setCurrentRow(nRow);
      QTest::mouseClick(qobject_cast<QPushButton*>(dlg.GetControl(1005)), Qt::LeftButton);
    }
    for (const int nId : {1017, 1021, 1029, 1038})
      qobject_cast<QCheckBox*>(dlg.GetControl(nId))->click();
    const auto* pResult = qobject_cast<CColorListCtrl*>(dlg.GetControl(1013));
    QVERIFY(pResult->GetRowCount() > 0);
    QTest::qWait(50);  // scroll bars follow the lists' new contents
    QVERIFY(dlg.grab().toImage().save(QStringLiteral(VELKAR_WINDOW_PNG)));

    QStringList arrText;
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) arrText.append(pLabel->text());
    for (const QComboBox* pCombo : dlg.findChildren<QComboBox*>()) {
      for (int i = 0; i < pCombo->count(); ++i) arrText.append(pCombo->itemText(i));
    }
    for (const QListWidget* pList : dlg.findChildren<QListWidget*>()) {
      for (int i = 0; i < pList->count(); ++i) arrText.append(pList->item(i)->text());
    }
    for (int nRow = 0; nRow < pResult->GetRowCount(); ++nRow)
      arrText.append(pResult->GetCellText(nRow, 0));
    for (const QAbstractButton* pButton : dlg.findChildren<QAbstractButton*>()) {
      arrText.append(pButton->text());
      QStyleOptionButton option;
      option.initFrom(pButton);
      const QRect rcText =
          pButton->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, pButton);
      if (qobject_cast<const QCheckBox*>(pButton) != nullptr) {
        QVERIFY2(pButton->fontMetrics().horizontalAdvance(pButton->text()) <= rcText.width(),
                 qPrintable(pButton->text()));
      }
    }
    for (const QLabel* pLabel : dlg.findChildren<QLabel*>()) {
      QVERIFY2(pLabel->fontMetrics().horizontalAdvance(pLabel->text()) <= pLabel->width(),
               qPrintable(pLabel->text()));
    }
    const QFontMetrics metrics(dlg.font());
    for (const QString& strText : arrText) {
      for (const QChar ch : strText) QVERIFY2(metrics.inFont(ch), qPrintable(strText));
    }
  }
};

QTEST_MAIN(WindowPictureTest)
#include "WindowPictureTest.moc"
