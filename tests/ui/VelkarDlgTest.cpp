// CVelkarDlg on real data files in a temporary folder: start-up, the layout,
// a player's clicks, the keys, the system menu with its conversions, load
// errors, the report button, the result rows' tooltips and the modifiers'
// frame.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QtTest>
#include <filesystem>
#include <memory>

#include <unistd.h>

#include "ClipboardText.h"
#include "ColorListCtrl.h"
#include "ControlTemplate.h"
#include "DialogUnits.h"
#include "ModalAnswerer.h"
#include "SjisText.h"
#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "VelkarDlg.h"
#include "WeaponListBox.h"
#include "calc/ReportText.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"
#include "support/TestDataDir.h"

namespace {

QString U(const char* psz) {
  return QString::fromUtf8(psz);
}

const char8_t kSwordIni[] =
    u8"[Action]\r\n"
    u8"1=縦斬り, 18\r\n"
    u8"2=横斬り, 14\r\n"
    u8"3=溜め回転斬り, A110, 20, 30\r\n"
    u8"[HitPattern]\r\n"
    u8"1=通常, 100, 100\r\n"
    u8"2=芯当たり, 105, 110\r\n"
    u8"[Weapon]\r\n"
    u8"1=鉄の片手剣, 168, 0, 0, 2, 1\r\n"
    u8"2=焔刃ヴァルゼナ, 252, 2, 280, 4, 5\r\n"
    u8"3=水鏡剣ミナモ, 224, 4, 250, 3, 3\r\n";

const char8_t kKatanaIni[] =
    u8"[Action]\r\n"
    u8"1=踏み込み斬り, 26\r\n"
    u8"[HitPattern]\r\n"
    u8"1=通常, 100, 100\r\n"
    u8"[Weapon]\r\n"
    u8"1=鉄刀, 180, 0, 0, 3, 1\r\n";

const char8_t kMonsterIni[] =
    u8"[Monster]\r\n"
    u8"0=岩甲獣グラドム\r\n"
    u8"1=大猿獣ゴルバッカ\r\n"
    u8"[岩甲獣グラドム]\r\n"
    u8"Anger=100, 90, 110\r\n"
    u8"0=頭, 90, 60, 45, 10, 25, 15, 10, 5\r\n"
    u8"1=背中の岩殻, 10, 30, 15, 0, 10, 5, 0, 0\r\n"
    u8"2=腹, 50, 55, 50, 15, 30, 20, 15, 10\r\n"
    u8"[大猿獣ゴルバッカ]\r\n"
    u8"Anger=100, 90, 120\r\n"
    u8"0=頭, 70, 75, 65, 20, 15, 20, 25, 10\r\n"
    u8"1=腕, 45, 40, 40, 15, 10, 15, 20, 5\r\n"
    u8"[Level]\r\n"
    u8"1=下位, 100\r\n"
    u8"2=上位, 85\r\n";

const char* const kStems[] = {"Sword", "DualSword", "GreatSword", "Katana",
                              "Lance", "GunLance",  "Hummer",     "HuntingHorn"};

void ClickButton(const CVelkarDlg& dlg, int nId) {
  QTest::mouseClick(Control<QAbstractButton>(dlg, nId), Qt::LeftButton);
}

void ClickCheck(const CVelkarDlg& dlg, int nId) {
  auto* pCheck = Control<QCheckBox>(dlg, nId);
  QTest::mouseClick(pCheck, Qt::LeftButton, {}, QPoint(6, pCheck->height() / 2));
}

QStringList Entries(const QComboBox* pCombo) {
  QStringList arrEntry;
  for (int i = 0; i < pCombo->count(); ++i) arrEntry.append(pCombo->itemText(i));
  return arrEntry;
}

QStringList Entries(const QListWidget* pList) {
  QStringList arrEntry;
  for (int i = 0; i < pList->count(); ++i) arrEntry.append(pList->item(i)->text());
  return arrEntry;
}

// The result list's damage column as numbers.
std::vector<int> Damages(const CVelkarDlg& dlg) {
  const auto* pList = Control<CColorListCtrl>(dlg, 1013);
  std::vector<int> arrDamage;
  for (int nRow = 0; nRow < pList->GetRowCount(); ++nRow) {
    arrDamage.push_back(pList->GetCellText(nRow, 3).toInt());
  }
  return arrDamage;
}

QString SharpnessText(int nPosition) {
  return U("切れ味:") + FromSjis(CDataManager::GetSharpnessName(nPosition));
}

// Sends the tooltip request that resting the mouse at pt (viewport
// coordinates) sends.
void AskForToolTip(QAbstractItemView* pView, const QPoint& pt) {
  QHelpEvent help(QEvent::ToolTip, pt, pView->viewport()->mapToGlobal(pt));
  QApplication::sendEvent(pView->viewport(), &help);
}

QString PlainTextOf(const QString& strMarkup) {
  QTextDocument document;
  document.setHtml(strMarkup);
  return document.toPlainText();
}

QPoint PixelsOf(const CVelkarDlg& dlg, int xDu, int yDu) {
  return DialogUnitsToPixels(QRect(xDu, yDu, 0, 0), MeasureDialogBaseUnits(dlg.font())).topLeft();
}

}  // namespace

class VelkarDlgTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    m_pDir = std::make_unique<CTestDataDir>();
    m_pDir->WriteText("Sword.ini", kSwordIni);
    m_pDir->WriteText("Katana.ini", kKatanaIni);
    m_pDir->WriteText("Monster.ini", kMonsterIni);
    m_pStore = std::make_unique<CTestDataStore>(*m_pDir);
    QVERIFY((*m_pStore)->ConvertWeaponIni(CATEGORY_SWORD));
    QVERIFY((*m_pStore)->ConvertWeaponIni(CATEGORY_KATANA));
    QVERIFY((*m_pStore)->ConvertMonsterIni());
    m_pAnswerer = std::make_unique<CModalAnswerer>();
    QGuiApplication::clipboard()->clear();
  }

  void cleanup() {
    // Any window a test did not take was unexpected.
    const QList<AnsweredWindow_t> arrLeft = m_pAnswerer->Take();
    m_pAnswerer.reset();
    m_pStore.reset();
    m_pDir.reset();
    for (const AnsweredWindow_t& window : arrLeft) {
      qWarning("unexpected %s: %s", qPrintable(window.strKind), qPrintable(window.strText));
    }
    QVERIFY(arrLeft.isEmpty());
  }

  void startUpShowsTheFirstEntries() {
    CVelkarDlg dlg;
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1001)), (QStringList{U("片手剣"), U("太刀")}));
    QCOMPARE(Control<QComboBox>(dlg, 1001)->currentIndex(), 0);
    auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
    QCOMPARE(Entries(pWeapons),
             (QStringList{U("鉄の片手剣"), U("焔刃ヴァルゼナ"), U("水鏡剣ミナモ")}));
    QVERIFY(pWeapons->selectedItems().isEmpty());
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1003)),
             (QStringList{U("縦斬り"), U("横斬り"), U("溜め回転斬り")}));
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1015)), (QStringList{U("通常"), U("芯当たり")}));
    QCOMPARE(Control<QComboBox>(dlg, 1015)->currentIndex(), 0);
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1008)),
             (QStringList{U("岩甲獣グラドム"), U("大猿獣ゴルバッカ")}));
    QCOMPARE(Control<QComboBox>(dlg, 1008)->currentIndex(), 0);
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1014)), (QStringList{U("下位"), U("上位")}));
    QCOMPARE(Control<QComboBox>(dlg, 1014)->currentIndex(), 0);
    QCOMPARE(Control<QLabel>(dlg, 1011)->text(), U("攻撃力：---"));
    QCOMPARE(Control<QLabel>(dlg, 1012)->text(), U("属性(--)：---"));
    QCOMPARE(Control<QLabel>(dlg, 1010)->text(), U("切れ味：---"));
    auto* pSlider = Control<QSlider>(dlg, 1009);
    QCOMPARE(pSlider->minimum(), 0);
    QCOMPARE(pSlider->maximum(), 5);
    QCOMPARE(pSlider->value(), 0);
    QVERIFY(!Control<QCheckBox>(dlg, 1017)->isChecked());
    for (int nId = 1018; nId <= 1041; ++nId) QVERIFY(!Control<QCheckBox>(dlg, nId)->isChecked());
    QVERIFY(!Control<QCheckBox>(dlg, 1033)->isEnabled());  // the sword is no katana

    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    QCOMPARE(pResult->GetRowCount(), 0);
    QCOMPARE(pResult->GetColumnCount(), 4);
    const QStringList arrCaption = {U("部位"), U("物理"), U("属性"), U("ﾀﾞﾒｰｼﾞ")};
    const int arrWidth[] = {40, 40, 40, 45};
    for (int nColumn = 0; nColumn < 4; ++nColumn) {
      Qt::Alignment alignment;
      int nWidth = 0;
      QVERIFY(pResult->GetColumn(nColumn, alignment, nWidth));
      QCOMPARE(nWidth, arrWidth[nColumn]);
      QCOMPARE(alignment, Qt::Alignment(Qt::AlignLeft));
      QCOMPARE(pResult->model()->headerData(nColumn, Qt::Horizontal).toString(),
               arrCaption[nColumn]);
    }
    QVERIFY(pResult->HasFullRowSelect());
    QVERIFY(pResult->HasGridLines());
    QVERIFY(!pResult->HasShowSelectionAlways());

    // Showing the window reports nothing: every file is whole.
    QVERIFY(ShowActive(dlg));
    QTest::qWait(50);
    QCOMPARE(m_pAnswerer->Take().size(), 0);
  }

  void layoutFollowsTheTemplate() {
    CVelkarDlg dlg;
    const DialogBaseUnits_t base = MeasureDialogBaseUnits(dlg.font());
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Velkar"));
    const QSize size = DialogUnitsToPixels(QRect(0, 0, 327, 263), base).size();
    QCOMPARE(dlg.minimumSize(), size);
    QCOMPARE(dlg.maximumSize(), size);
    QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dlg.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(dlg.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    const QList<QSize> arrIconSize = dlg.windowIcon().availableSizes();
    QVERIFY(arrIconSize.contains(QSize(32, 32)));
    QVERIFY(arrIconSize.contains(QSize(16, 16)));
    auto* pReport = Control<QPushButton>(dlg, 1016);
    QVERIFY(!pReport->icon().isNull());
    QCOMPARE(pReport->iconSize(), QSize(15, 13));
    QCOMPARE(pReport->icon().availableSizes().value(0), QSize(15, 13));

    // Every control where the template puts it, in template order.
    QList<QWidget*> arrFocusOrder;
    int nControls = 0;
    for (const ControlTemplate_t& control : GetMainWindowTemplate()) {
      const QString strName =
          control.nId != 0 ? QStringLiteral("ctl%1").arg(control.nId)
                           : QString::fromLatin1(control.strName.data(),
                                                 static_cast<qsizetype>(control.strName.size()));
      auto* pWidget = dlg.findChild<QWidget*>(strName, Qt::FindDirectChildrenOnly);
      QVERIFY2(pWidget != nullptr, qPrintable(strName));
      ++nControls;
      const QRect rcExpected =
          DialogUnitsToPixels(QRect(control.x, control.y, control.cx, control.cy), base);
      if (control.eKind == CONTROL_DROPDOWN) {
        // Closed, a drop-down list is one line high; the rest is its list.
        QCOMPARE(pWidget->pos(), rcExpected.topLeft());
        QCOMPARE(pWidget->width(), rcExpected.width());
        QVERIFY(pWidget->height() < rcExpected.height());
      } else {
        QCOMPARE(pWidget->geometry(), rcExpected);
      }
      if (pWidget->focusPolicy() & Qt::TabFocus) arrFocusOrder.append(pWidget);
    }
    QCOMPARE(nControls, 44);
    QCOMPARE(arrFocusOrder.size(), 38);  // all but the five static texts and the frame
    // Tab goes from control to control in template order.
    for (qsizetype i = 0; i + 1 < arrFocusOrder.size(); ++i) {
      QWidget* pNext = arrFocusOrder[i]->nextInFocusChain();
      while (!(pNext->focusPolicy() & Qt::TabFocus)) pNext = pNext->nextInFocusChain();
      QCOMPARE(pNext->objectName(), arrFocusOrder[i + 1]->objectName());
    }
  }

  void playerClickPath() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    Control<CColorListCtrl>(dlg, 1013)->setFont(ExactColourFont());
    const CCalculator& calc = dlg.GetCalculator();

    // A fire weapon: its texts, one row per region, nothing dealt yet.
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    QCOMPARE(calc.GetWeaponSelection(), 1);
    QCOMPARE(Control<QLabel>(dlg, 1011)->text(), U("攻撃力：252"));
    QCOMPARE(Control<QLabel>(dlg, 1012)->text(), U("属性(火):280"));
    QCOMPARE(Control<QLabel>(dlg, 1010)->text(), SharpnessText(4));
    QCOMPARE(Control<QSlider>(dlg, 1009)->value(), 4);
    VerifyRowsShown(dlg, {U("頭"), U("背中の岩殻"), U("腹")});
    QCOMPARE(Damages(dlg), (std::vector<int>{0, 0, 0}));

    // A motion added twice deals twice what it deals once.
    ClickEntry(Control<QListWidget>(dlg, 1003), 2);
    ClickButton(dlg, 1005);
    ClickButton(dlg, 1005);
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)),
             (QStringList{U("溜め回転斬り"), U("溜め回転斬り")}));
    VerifyRowsShown(dlg, {U("頭"), U("背中の岩殻"), U("腹")});
    const std::vector<int> arrTwice = Damages(dlg);
    ClickEntry(Control<QListWidget>(dlg, 1004), 1);
    QCOMPARE(calc.GetChosenMotionSelection(), 1);
    ClickButton(dlg, 1006);
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 1);
    QCOMPARE(calc.GetChosenMotionSelection(), NO_SELECTION);
    VerifyRowsShown(dlg, {U("頭"), U("背中の岩殻"), U("腹")});
    const std::vector<int> arrOnce = Damages(dlg);
    QVERIFY(arrOnce[0] > 0);
    for (size_t i = 0; i < arrOnce.size(); ++i) QCOMPARE(arrTwice[i], 2 * arrOnce[i]);
    // Removing with nothing selected changes nothing.
    ClickButton(dlg, 1006);
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 1);

    // Another monster, from the keyboard.
    auto* pMonster = Control<QComboBox>(dlg, 1008);
    pMonster->setFocus();
    QTest::keyClick(pMonster, Qt::Key_Down);
    QCOMPARE(calc.GetMonsterSelection(), 1);
    VerifyRowsShown(dlg, {U("頭"), U("腕")});
    const std::vector<int> arrLow = Damages(dlg);

    // A higher level takes less damage, a better hit deals more.
    Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
    QCOMPARE(calc.GetLevelSelection(), 1);
    VerifyRowsShown(dlg, {U("頭"), U("腕")});
    const std::vector<int> arrHigh = Damages(dlg);
    QVERIFY(arrHigh[0] < arrLow[0]);
    Control<QComboBox>(dlg, 1015)->setCurrentIndex(1);
    QCOMPARE(calc.GetHitCorrectionSelection(), 1);
    VerifyRowsShown(dlg, {U("頭"), U("腕")});
    const std::vector<int> arrCore = Damages(dlg);
    QVERIFY(arrCore[0] > arrHigh[0]);

    // Anger.
    ClickCheck(dlg, 1017);
    QVERIFY(calc.GetAnger());
    QVERIFY(Control<QCheckBox>(dlg, 1017)->isChecked());
    VerifyRowsShown(dlg, {U("頭"), U("腕")});
    const std::vector<int> arrAngry = Damages(dlg);
    QVERIFY(arrAngry[0] > arrCore[0]);

    // Modifiers and their groups.
    ClickCheck(dlg, 1028);
    QVERIFY(Control<QCheckBox>(dlg, 1028)->isChecked());
    ClickCheck(dlg, 1029);
    QVERIFY(Control<QCheckBox>(dlg, 1029)->isChecked());
    QVERIFY(!Control<QCheckBox>(dlg, 1028)->isChecked());
    QVERIFY(calc.GetModifier(1029) && !calc.GetModifier(1028));
    QCOMPARE(calc.BuildModifierMask(), 0x200u);
    VerifyRowsShown(dlg, {U("頭"), U("腕")});
    QVERIFY(Damages(dlg)[0] > arrAngry[0]);
    ClickCheck(dlg, 1040);
    ClickCheck(dlg, 1041);
    QVERIFY(!Control<QCheckBox>(dlg, 1040)->isChecked());
    QVERIFY(Control<QCheckBox>(dlg, 1041)->isChecked());
    ClickCheck(dlg, 1041);
    QVERIFY(!Control<QCheckBox>(dlg, 1041)->isChecked());
    ClickCheck(dlg, 1021);
    QCOMPARE(calc.BuildModifierMask(), 0x202u);
    // "練気MAX" cannot be ticked while the sword is chosen.
    ClickCheck(dlg, 1033);
    QVERIFY(!Control<QCheckBox>(dlg, 1033)->isChecked());
    VerifyRowsShown(dlg, {U("頭"), U("腕")});

    // Clearing the motions recalculates: nothing dealt.
    ClickButton(dlg, 1007);
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QCOMPARE(Damages(dlg), (std::vector<int>{0, 0}));
    VerifyRowsShown(dlg, {U("頭"), U("腕")});
  }

  void categoryChangeKeepsTheRowsUntilAWeaponIsPicked() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    const std::vector<int> arrBefore = Damages(dlg);
    QCOMPARE(arrBefore.size(), size_t{3});

    Control<QComboBox>(dlg, 1001)->setCurrentIndex(1);
    QCOMPARE(Entries(Control<CWeaponListBox>(dlg, 1002)), QStringList{U("鉄刀")});
    QVERIFY(Control<CWeaponListBox>(dlg, 1002)->selectedItems().isEmpty());
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1003)), QStringList{U("踏み込み斬り")});
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QCOMPARE(Damages(dlg), arrBefore);
    QCOMPARE(Control<QLabel>(dlg, 1011)->text(), U("攻撃力：168"));

    // The katana enables "練気MAX"; ticked, it stays ticked on the sword.
    QVERIFY(Control<QCheckBox>(dlg, 1033)->isEnabled());
    ClickCheck(dlg, 1033);
    QVERIFY(Control<QCheckBox>(dlg, 1033)->isChecked());
    Control<QComboBox>(dlg, 1001)->setCurrentIndex(0);
    QVERIFY(!Control<QCheckBox>(dlg, 1033)->isEnabled());
    QVERIFY(Control<QCheckBox>(dlg, 1033)->isChecked());
    QVERIFY(dlg.GetCalculator().GetModifier(1033));
  }

  void sliderRecalculatesOnlyOnMouseRelease() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    Control<CColorListCtrl>(dlg, 1013)->setFont(ExactColourFont());
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);  // sharpness 4
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    const std::vector<int> arrAt4 = Damages(dlg);
    auto* pSlider = Control<QSlider>(dlg, 1009);

    // The keyboard moves the position, and nothing else.
    pSlider->setFocus();
    QTest::keyClick(pSlider, Qt::Key_Left);
    QCOMPARE(pSlider->value(), 3);
    QCOMPARE(dlg.GetCalculator().GetSharpnessPosition(), 3);
    QCOMPARE(Control<QLabel>(dlg, 1010)->text(), SharpnessText(4));
    QCOMPARE(Damages(dlg), arrAt4);

    // A click on the groove, left of the handle: the release recalculates.
    QStyleOptionSlider option;
    option.initFrom(pSlider);
    option.subControls = QStyle::SC_All;
    option.orientation = Qt::Horizontal;
    option.minimum = pSlider->minimum();
    option.maximum = pSlider->maximum();
    option.sliderPosition = option.sliderValue = pSlider->value();
    option.tickPosition = pSlider->tickPosition();
    option.tickInterval = pSlider->tickInterval();
    option.pageStep = pSlider->pageStep();
    option.singleStep = pSlider->singleStep();
    const QRect rcGroove = pSlider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                            QStyle::SC_SliderGroove, pSlider);
    const QPoint ptGroove(rcGroove.left() + 2, rcGroove.center().y());
    QTest::mousePress(pSlider, Qt::LeftButton, {}, ptGroove);
    QTest::mouseRelease(pSlider, Qt::LeftButton, {}, ptGroove);
    const int nPosition = pSlider->value();
    QVERIFY(nPosition < 3);
    QCOMPARE(dlg.GetCalculator().GetSharpnessPosition(), nPosition);
    QCOMPARE(Control<QLabel>(dlg, 1010)->text(), SharpnessText(nPosition));
    QVERIFY(Damages(dlg)[0] < arrAt4[0]);
    VerifyRowsShown(dlg, {U("頭"), U("背中の岩殻"), U("腹")});
  }

  void enterPressesOnlyAFocusedButtonAndEscCloses() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);

    // Enter in a list: nothing happens, the window stays.
    auto* pAvailable = Control<QListWidget>(dlg, 1003);
    pAvailable->setFocus();
    QTRY_VERIFY(pAvailable->hasFocus());
    QTest::keyClick(pAvailable, Qt::Key_Return);
    QTest::keyClick(pAvailable, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(dlg.isVisible());
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);

    // Enter on "加" adds the motion, Enter on "全消去" clears the list.
    auto* pAdd = Control<QPushButton>(dlg, 1005);
    pAdd->setFocus();
    QTRY_VERIFY(pAdd->hasFocus());
    QTest::keyClick(pAdd, Qt::Key_Return);
    QTest::keyClick(pAdd, Qt::Key_Return);
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 2);
    auto* pClear = Control<QPushButton>(dlg, 1007);
    pClear->setFocus();
    QTRY_VERIFY(pClear->hasFocus());
    QTest::keyClick(pClear, Qt::Key_Return);
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QVERIFY(dlg.isVisible());

    // Esc ends the run.
    QTest::keyClick(pClear, Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int{QDialog::Rejected});
  }

  void closeBoxAndCloseEntryEndTheRun() {
    {
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      QVERIFY(dlg.close());
      QVERIFY(!dlg.isVisible());
      QCOMPARE(dlg.result(), int{QDialog::Rejected});
    }
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    dlg.GetSystemMenu()->actions().first()->trigger();
    QVERIFY(!dlg.isVisible());
  }

  void systemMenuHoldsItsEntriesInOrder() {
    CVelkarDlg dlg;
    const QList<QAction*> arrAction = dlg.GetSystemMenu()->actions();
    QCOMPARE(arrAction.size(), 6);
    QCOMPARE(arrAction[0]->data().toInt(), 0xF060);
    QCOMPARE(arrAction[0]->text(), U("閉じる(&C)"));
    QVERIFY(arrAction[1]->isSeparator());
    QCOMPARE(arrAction[2]->text(), U("Velkar のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    QCOMPARE(arrAction[2]->data().toInt(), 16);
    QVERIFY(arrAction[3]->isSeparator());
    QCOMPARE(arrAction[4]->text(), U("武器のiniファイルをdatに変換"));
    QCOMPARE(arrAction[4]->data().toInt(), 17);
    QCOMPARE(arrAction[5]->text(), U("モンスターのiniファイルをdatに変換"));
    QCOMPARE(arrAction[5]->data().toInt(), 18);
  }

  void systemMenuOpensOnTheBackgroundAndFromTheKeyboard() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    const QString strEntries =
        U("閉じる(&C)|-|Velkar のﾊﾞｰｼﾞｮﾝ情報(&A)...|-|"
          "武器のiniファイルをdatに変換|モンスターのiniファイルをdatに変換");

    // A right click between the lists: the window's background.
    const QPoint ptBackground = PixelsOf(dlg, 93, 60);
    QCOMPARE(dlg.childAt(ptBackground), nullptr);
    RightClick(&dlg, ptBackground);
    QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strKind, QStringLiteral("menu"));
    QCOMPARE(arrAnswered[0].strText, strEntries);

    // On a static text too, but not on a list or a check box.
    auto* pLabel = dlg.findChild<QLabel*>(QStringLiteral("lblLevel"));
    RightClick(pLabel, QPoint(2, 2));
    QCOMPARE(m_pAnswerer->Take().size(), 1);
    auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
    RightClick(pWeapons->viewport(), QPoint(5, 5));
    RightClick(Control<QCheckBox>(dlg, 1021), QPoint(5, 5));
    QCOMPARE(m_pAnswerer->Take().size(), 0);

    // Shift+F10 and Alt+Space, wherever the focus is.
    // (The offscreen platform leaves no window active after a pop-up.)
    QVERIFY(ShowActive(dlg));
    pWeapons->setFocus();
    QTRY_VERIFY(pWeapons->hasFocus());
    QTest::keyClick(pWeapons, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(m_pAnswerer->Take().size(), 1);
    QVERIFY(ShowActive(dlg));
    QTest::keyClick(pWeapons, Qt::Key_Space, Qt::AltModifier);
    QCOMPARE(m_pAnswerer->Take().size(), 1);
    QVERIFY(dlg.isVisible());
  }

  void aboutBoxShowsTheVersion() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    dlg.GetSystemMenu()->actions()[2]->trigger();
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strKind, QStringLiteral("about"));
    QCOMPARE(arrAnswered[0].strTitle, U("Velkarのﾊﾞｰｼﾞｮﾝ情報"));
    QVERIFY(arrAnswered[0].strText.startsWith(U("Velkar Version 0.10|")));
    QVERIFY(arrAnswered[0].strText.endsWith(U("|icon")));
    QVERIFY(dlg.isVisible());
  }

  void weaponConversionStopsAtTheFirstFailure() {
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
      m_pDir->WriteText(std::string(kStems[nCategory]) + ".ini", kSwordIni);
    }
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    for (const char* pszStem : kStems) m_pDir->Remove(std::string(pszStem) + ".dat");
    // Katana.dat cannot be written while a folder has its name.
    std::filesystem::create_directory(m_pDir->PathOf("Katana.dat"));

    dlg.GetSystemMenu()->actions()[4]->trigger();

    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QVERIFY(arrAnswered.size() >= 1);
    QCOMPARE(arrAnswered[0].strKind, QStringLiteral("message"));
    QCOMPARE(arrAnswered[0].strTitle, QStringLiteral("Velkar"));
    QCOMPARE(arrAnswered[0].strText, U("武器リストの変換に失敗しました"));
    // Reloaded afterwards: the folder in Katana.dat's place is reported.
    QCOMPARE(arrAnswered.size(), 2);
    QVERIFY(arrAnswered[1].strText.contains(U("Katana.dat：")));
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
      const std::string strData = std::string(kStems[nCategory]) + ".dat";
      QCOMPARE(m_pDir->Exists(strData), nCategory <= CATEGORY_KATANA);
    }
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1001)),
             (QStringList{U("片手剣"), U("双剣"), U("大剣")}));
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), NO_SELECTION);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->count(), 3);
    QCOMPARE(Control<QComboBox>(dlg, 1008)->count(), 2);
  }

  void weaponConversionThatSucceedsReloads() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 2);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    m_pDir->WriteText("Katana.ini",
                      std::u8string(kKatanaIni) + u8"2=新しい刀, 200, 0, 0, 4, 2\r\n");
    dlg.GetSystemMenu()->actions()[4]->trigger();
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strText, U("武器リストの変換に成功しました"));
    // Every list is filled again from the new files, with the first entries.
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->count(), 3);
    QVERIFY(Control<CWeaponListBox>(dlg, 1002)->selectedItems().isEmpty());
    Control<QComboBox>(dlg, 1001)->setCurrentIndex(1);
    QCOMPARE(Entries(Control<CWeaponListBox>(dlg, 1002)), (QStringList{U("鉄刀"), U("新しい刀")}));
    QCOMPARE(Control<CColorListCtrl>(dlg, 1013)->GetColumnCount(), 4);
  }

  void failedMonsterConversionStillReloads() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    QCOMPARE(Damages(dlg).size(), size_t{3});
    m_pDir->Remove("Monster.dat");
    std::filesystem::create_directory(m_pDir->PathOf("Monster.dat"));

    dlg.GetSystemMenu()->actions()[5]->trigger();

    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 2);
    QCOMPARE(arrAnswered[0].strTitle, QStringLiteral("Velkar"));
    QCOMPARE(arrAnswered[0].strText, U("モンスターリストの変換に失敗しました"));
    QVERIFY(arrAnswered[1].strText.contains(U("Monster.dat：")));
    // The reload ran: lists refilled from what is on disk now.
    QCOMPARE(Control<QComboBox>(dlg, 1008)->count(), 0);
    QCOMPARE(Control<QComboBox>(dlg, 1014)->count(), 0);
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->count(), 3);
    QVERIFY(Control<CWeaponListBox>(dlg, 1002)->selectedItems().isEmpty());
    QCOMPARE(Control<CColorListCtrl>(dlg, 1013)->GetRowCount(), 0);
  }

  void conversionIntoAReadOnlyFolderPointsAtDir() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    namespace fs = std::filesystem;
    fs::permissions(m_pDir->Path(), fs::perms::owner_write | fs::perms::group_write,
                    fs::perm_options::remove);
    if (access(m_pDir->Path().c_str(), W_OK) == 0) {
      fs::permissions(m_pDir->Path(), fs::perms::owner_write, fs::perm_options::add);
      QSKIP("this user may write into read-only folders (root)");
    }

    dlg.GetSystemMenu()->actions()[5]->trigger();

    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strText,
             U("モンスターリストの変換に失敗しました\nフォルダ ") +
                 QString::fromStdString(m_pDir->Path()) +
                 U(" には書き込めません。.ini ファイルを書き込めるフォルダにコピーし、"
                   "「Velkar --dir そのフォルダ」で起動してから変換してください。"));
    QCOMPARE(Control<QComboBox>(dlg, 1014)->count(), 2);  // the old Monster.dat stays
  }

  void monsterConversionThatSucceedsReloads() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    m_pDir->WriteText("Monster.ini", std::u8string(kMonsterIni) + u8"3=G級, 70\r\n");
    dlg.GetSystemMenu()->actions()[5]->trigger();
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strText, U("モンスターリストの変換に成功しました"));
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1014)), (QStringList{U("下位"), U("上位"), U("G級")}));
    QCOMPARE(Control<QComboBox>(dlg, 1008)->currentIndex(), 0);
  }

  void damagedDataFileIsReportedOnceAtStartUp() {
    std::vector<uint8_t> arrByte = m_pDir->ReadBytes("Sword.dat");
    arrByte.resize(arrByte.size() / 2);
    m_pDir->WriteBytes("Sword.dat", arrByte);
    CVelkarDlg dlg;
    QTest::qWait(30);
    QCOMPARE(m_pAnswerer->Take().size(), 0);  // not before the window is on screen
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QList<AnsweredWindow_t> arrAnswered;
    QTRY_VERIFY(!(arrAnswered += m_pAnswerer->Take()).isEmpty());
    QTest::qWait(50);
    arrAnswered += m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strKind, QStringLiteral("message"));
    QCOMPARE(arrAnswered[0].strTitle, QStringLiteral("Velkar"));
    const QString& strText = arrAnswered[0].strText;
    QVERIFY(strText.startsWith(U("次のデータファイルは正しく読み込めませんでした。")));
    QVERIFY(strText.contains(U("Sword.dat：")));
    // Files that are simply absent are no problem.
    QVERIFY(!strText.contains(U("DualSword")));
    QVERIFY(dlg.isVisible());
    // Shown again, the window does not repeat the report.
    dlg.hide();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::qWait(50);
    QCOMPARE(m_pAnswerer->Take().size(), 0);
  }

  void reportButtonWithoutAWeaponLeavesTheClipboard() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
    ClickButton(dlg, 1016);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    ClickCheck(dlg, 1017);
    ClickButton(dlg, 1016);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(kSjisMimeType));
  }

  void reportButtonCopiesTheCalculation() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    ClickButton(dlg, 1005);
    ClickCheck(dlg, 1017);
    ClickCheck(dlg, 1040);
    ClickCheck(dlg, 1018);
    const std::vector<int> arrDamage = Damages(dlg);
    ClickButton(dlg, 1016);

    const std::optional<std::string> report = BuildReportFromCalculator(dlg.GetCalculator());
    QVERIFY(report.has_value());
    QVERIFY(report->size() < kClipboardMaxBytes);
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(pData->data(kSjisMimeType), QByteArray(report->data(), qsizetype(report->size())));
    const QString strText = pData->text();
    QCOMPARE(strText, FromSjis(*report));
    QVERIFY(
        strText.startsWith(U("使用武器：片手剣/焔刃ヴァルゼナ\r\n"
                             "攻撃対象：岩甲獣グラドム(怒り状態)\r\n"
                             "モンスターLv：下位\r\n当たり方修正：通常\r\n")));
    QVERIFY(strText.contains(U("\r\n[スキル/アイテム修正]\r\n攻撃力UP(小)\r\n会心\r\n\r\n")));
    QVERIFY(strText.contains(U("\r\n[攻撃リスト]\r\n縦斬り\r\n縦斬り\r\n\r\n")));
    QVERIFY(strText.contains(
        U("頭        |") +
        QString("%1").arg(Control<CColorListCtrl>(dlg, 1013)->GetCellText(0, 1), 4)));
    // Nothing on screen changed, and no message was shown.
    QCOMPARE(Damages(dlg), arrDamage);
  }

  void longReportIsCutAtACharacterBoundary() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 2);  // "溜め回転斬り": 12 bytes a line
    for (int i = 0; i < 80; ++i) ClickButton(dlg, 1005);
    // Try with and without "鬼神薬G" (an odd number of bytes), so that byte
    // 1024 falls once inside a double-byte character.
    bool bSplitSeen = false;
    for (int nTry = 0; nTry < 2; ++nTry) {
      const std::string strReport = *BuildReportFromCalculator(dlg.GetCalculator());
      QVERIFY(strReport.size() > 1100);
      ClickButton(dlg, 1016);
      const QByteArray data = QGuiApplication::clipboard()->mimeData()->data(kSjisMimeType);
      const size_t nExpected = velkar::SjisPrefixLength(strReport, 1024);
      QCOMPARE(size_t(data.size()), nExpected);
      QCOMPARE(data, QByteArray(strReport.data(), qsizetype(nExpected)));
      QCOMPARE(QGuiApplication::clipboard()->text(), FromSjis(strReport.substr(0, nExpected)));
      bSplitSeen = bSplitSeen || nExpected == 1023;
      ClickCheck(dlg, 1024);
    }
    QVERIFY(bSplitSeen);
  }

  void resultRowToolTipExplainsItsHits() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pList = Control<CColorListCtrl>(dlg, 1013);

    // No rows, no tooltip.
    QCOMPARE(pList->GetRowCount(), 0);
    AskForToolTip(pList, pList->viewport()->rect().center());
    QTest::qWait(20);
    QVERIFY(!QToolTip::isVisible());
    QVERIFY(pList->GetRowToolTip(0).isEmpty());

    // The fire sword, angry, 力の護符, two motions (one of them twice).
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    for (int nMotion : {0, 2, 2}) {
      ClickEntry(Control<QListWidget>(dlg, 1003), nMotion);
      ClickButton(dlg, 1005);
    }
    ClickCheck(dlg, 1017);
    ClickCheck(dlg, 1021);
    QCOMPARE(pList->GetRowCount(), 3);
    for (int nRow = 0; nRow < pList->GetRowCount(); ++nRow) {
      VerifyRowToolTip(dlg, nRow);
    }

    // Resting the mouse on a row shows that row's breakdown.
    const QPoint ptRow = pList->visualRect(pList->model()->index(1, 2)).center();
    AskForToolTip(pList, ptRow);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(PlainTextOf(QToolTip::text()), pList->GetRowToolTip(1));
    QVERIFY(QToolTip::text().contains(U("背中の岩殻")));
    // Below the last row the tooltip goes away.
    const QRect rcLast = pList->visualRect(pList->model()->index(2, 0));
    AskForToolTip(pList, QPoint(rcLast.center().x(), rcLast.bottom() + 10));
    QTRY_VERIFY(!QToolTip::isVisible());
  }

  // While a conversion has emptied the store the calculator's records are
  // gone; a tooltip asked for meanwhile must not reach them.
  void noToolTipWhileAConversionHasEmptiedTheStore() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pList = Control<CColorListCtrl>(dlg, 1013);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    QVERIFY(!pList->GetRowToolTip(0).isEmpty());

    // This test answers the message itself, after asking for the tooltip.
    m_pAnswerer.reset();
    QStringList arrDuring;
    QTimer poll;
    poll.setInterval(0);
    connect(&poll, &QTimer::timeout, &poll, [&] {
      auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (pBox == nullptr || !pBox->isVisible()) return;
      arrDuring.append(pList->GetRowCount() > 0 ? pList->GetRowToolTip(0) : QString());
      pBox->button(QMessageBox::Ok)->click();
    });
    poll.start();
    dlg.OnSysCommand(kCommandConvertWeapons);
    poll.stop();
    m_pAnswerer = std::make_unique<CModalAnswerer>();
    QCOMPARE(arrDuring, QStringList{QString()});

    // After the reload the rows are explained again.
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    QVERIFY(!pList->GetRowToolTip(0).isEmpty());
  }

  // The captionless frame around the modifiers shows: a shadow line with a
  // highlight line inside it on the left, in the window as it is on screen.
  void modifierFrameIsVisible() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pFrame = dlg.findChild<QGroupBox*>(QStringLiteral("grpModifiers"));
    QVERIFY(pFrame != nullptr);
    const QImage image = dlg.grab().toImage();
    const QRgb clrShadow = Rgb(pFrame->palette().color(QPalette::Dark));
    const QRgb clrLight = Rgb(pFrame->palette().color(QPalette::Light));
    QVERIFY(clrShadow != Rgb(dlg.palette().color(QPalette::Window)));
    const QRect rc = pFrame->geometry();
    const int yMiddle = rc.center().y();
    QCOMPARE(image.pixel(rc.left(), yMiddle) & 0xFFFFFF, clrShadow);
    QCOMPARE(image.pixel(rc.left() + 1, yMiddle) & 0xFFFFFF, clrLight);
    QCOMPARE(image.pixel(rc.right(), yMiddle) & 0xFFFFFF, clrLight);
    QCOMPARE(image.pixel(rc.center().x(), rc.bottom()) & 0xFFFFFF, clrLight);
    QCOMPARE(image.pixel(rc.center().x(), rc.bottom() - 1) & 0xFFFFFF, clrShadow);
    // The frame lies behind the check boxes: a click inside it still ticks.
    auto* pCheck = Control<QCheckBox>(dlg, 1037);
    QVERIFY(pCheck->geometry().intersects(rc));
    QCOMPARE(dlg.childAt(pCheck->geometry().center()), pCheck);
  }

private:
  // A row's tooltip: the factors, the row's region with the row's own cells,
  // then every hit of every chosen motion in attack order, whose truncated
  // values add up, step by step, to the row's damage.
  void VerifyRowToolTip(const CVelkarDlg& dlg, int nRow) {
    const auto* pList = Control<CColorListCtrl>(dlg, 1013);
    const QString strTip = pList->GetRowToolTip(nRow);
    const QStringList arrLine = strTip.split('\n');
    QVERIFY2(arrLine.size() > 5, qPrintable(strTip));
    QVERIFY(arrLine[0].startsWith(U("切れ味 4: ")));
    QCOMPARE(arrLine[3], U("レベル 100%; 怒り状態 110%"));
    const QString strRegion = U("%1: 物理 %2, 属性 %3, ダメージ %4 (")
                                  .arg(pList->GetCellText(nRow, 0), pList->GetCellText(nRow, 1),
                                       pList->GetCellText(nRow, 2), pList->GetCellText(nRow, 3));
    QVERIFY2(arrLine[4].startsWith(strRegion), qPrintable(arrLine[4] + " / " + strRegion));

    qsizetype nLine = 5;
    int nRunning = 0;
    int nMotion = 0;
    static const QRegularExpression kTotal(U(", 切り捨て (\\d+), 累計 (\\d+)$"));
    for (const CAction* pAction : dlg.GetCalculator().GetChosenMotions()) {
      ++nMotion;
      int nHit = 0;
      for (uint16_t wMotion : pAction->GetMotions()) {
        ++nHit;
        QVERIFY2(nLine + 1 < arrLine.size(), qPrintable(strTip));
        const QString strHead = U("  攻撃%1 %2 %3ヒット目: モーション値 %4, ")
                                    .arg(nMotion)
                                    .arg(FromSjis(pAction->GetName()))
                                    .arg(nHit)
                                    .arg(wMotion);
        QVERIFY2(arrLine[nLine].startsWith(strHead), qPrintable(arrLine[nLine]));
        const QRegularExpressionMatch match = kTotal.match(arrLine[nLine + 1]);
        QVERIFY2(match.hasMatch(), qPrintable(arrLine[nLine + 1]));
        nRunning += match.captured(1).toInt();
        QCOMPARE(match.captured(2).toInt(), nRunning);
        nLine += 2;
      }
    }
    QCOMPARE(nLine, arrLine.size());
    QVERIFY(nMotion == 3 && nLine > 5 + 6);
    QCOMPARE(nRunning, pList->GetCellText(nRow, 3).toInt());
  }

  // The result list shows the calculator's rows: the region names given,
  // every cell's text, and each row's text in its own colour.
  void VerifyRowsShown(const CVelkarDlg& dlg, const QStringList& arrName) {
    const auto* pList = Control<CColorListCtrl>(dlg, 1013);
    const std::vector<ResultRow_t>& arrRow = dlg.GetCalculator().GetResultRows();
    QCOMPARE(pList->GetRowCount(), int(arrName.size()));
    QCOMPARE(arrRow.size(), size_t(arrName.size()));
    const QImage image = pList->viewport()->grab().toImage();
    for (int nRow = 0; nRow < pList->GetRowCount(); ++nRow) {
      const ResultRow_t& row = arrRow[size_t(nRow)];
      QCOMPARE(pList->GetCellText(nRow, 0), arrName[nRow]);
      for (int nColumn = 0; nColumn < 4; ++nColumn) {
        QCOMPARE(pList->GetCellText(nRow, nColumn), FromSjis(row.arrCell[size_t(nColumn)]));
      }
      QVERIFY(pList->GetCellText(nRow, 1).endsWith('%'));
      QVERIFY(pList->GetCellText(nRow, 2).endsWith('%'));
      QVERIFY(row.nColor.has_value());
      QRect rcRow = pList->visualRect(pList->model()->index(nRow, 0));
      rcRow.setWidth(pList->header()->length());
      QSet<QRgb> setColour = ColoursIn(image, rcRow);
      setColour.remove(0xFFFFFF);
      setColour.remove(0xC0C0C0);  // grid lines
      QCOMPARE(setColour, QSet<QRgb>{QRgb(*row.nColor)});
    }
  }

  void RightClick(QWidget* pTarget, const QPoint& pos) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, pTarget->mapToGlobal(pos));
    QApplication::sendEvent(pTarget, &event);
    QCoreApplication::processEvents();
  }

  std::unique_ptr<CTestDataDir> m_pDir;
  std::unique_ptr<CTestDataStore> m_pStore;
  std::unique_ptr<CModalAnswerer> m_pAnswerer;
};

VELKAR_UI_TEST(VelkarDlgTest)
#include "VelkarDlgTest.moc"
