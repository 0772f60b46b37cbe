// CVelkarDlg on real data files in a temporary folder: start-up, the layout,
// a player's clicks, the keys, the system menu with its conversions, load
// errors, the report button, the result rows' tooltips and the modifiers'
// frame.
#include <unistd.h>

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
#include <QScreen>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "BreakdownDlg.h"
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
#include "calc/HitTable.h"
#include "calc/ReportText.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"
#include "support/HostileFiles.h"
#include "support/TestDataDir.h"

namespace {

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

int SelectedRowOf(const QListWidget* pList) {
  const QList<QListWidgetItem*> arrItem = pList->selectedItems();
  return arrItem.isEmpty() ? -1 : pList->row(arrItem.first());
}

// The ways a player moves the sharpness slider.
constexpr int kKeyLeft = 0;
constexpr int kKeyHome = 1;
constexpr int kWheel = 2;
constexpr int kGrooveClick = 3;
constexpr int kDrag = 4;

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

// The tooltip window on show, or null.
QWidget* ShownToolTip() {
  for (QWidget* pWidget : QApplication::topLevelWidgets()) {
    if (pWidget->inherits("QTipLabel") && pWidget->isVisible()) return pWidget;
  }
  return nullptr;
}

// The sum of the "+N" a row summary gives its motions.
int SummedAdds(const QString& strSummary) {
  static const QRegularExpression kAdds(QStringLiteral(": \\+(\\d+)（"));
  int nSum = 0;
  for (const QRegularExpressionMatch& match : kAdds.globalMatch(strSummary)) {
    nSum += match.captured(1).toInt();
  }
  return nSum;
}

void PressKey(QWidget* pWidget, Qt::Key eKey) {
  pWidget->setFocus();
  QTest::keyClick(pWidget, eKey);
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

  void weaponListKeepsItsSelection_data() {
    QTest::addColumn<bool>("bCtrl");
    QTest::newRow("click beside the entries") << false;
    QTest::newRow("Ctrl+click on the selected entry") << true;
  }

  void weaponListKeepsItsSelection() {
    QFETCH(bool, bCtrl);
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pList = Control<CWeaponListBox>(dlg, 1002);
    ClickEntry(pList, 1);
    const QRect rcLast = pList->visualRect(pList->model()->index(pList->count() - 1, 0));
    const QPoint ptClick = bCtrl ? pList->visualRect(pList->model()->index(1, 0)).center()
                                 : rcLast.center() + QPoint(0, 2 * rcLast.height());
    QVERIFY(pList->viewport()->rect().contains(ptClick));
    QTest::mouseClick(pList->viewport(), Qt::LeftButton,
                      bCtrl ? Qt::ControlModifier : Qt::NoModifier, ptClick);
    QCOMPARE(SelectedRowOf(pList), 1);
    QCOMPARE(pList->currentRow(), 1);
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), 1);
  }

  void sliderMoveShowsItsSharpness_data() {
    QTest::addColumn<int>("nGesture");
    QTest::newRow("left arrow") << kKeyLeft;
    QTest::newRow("home key") << kKeyHome;
    QTest::newRow("wheel") << kWheel;
    QTest::newRow("click on the groove") << kGrooveClick;
    QTest::newRow("drag") << kDrag;
  }

  // However the slider moves, the sharpness text and the rows follow it once
  // the move ends; during a drag they stay on the old level.
  void sliderMoveShowsItsSharpness() {
    QFETCH(int, nGesture);
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    Control<CColorListCtrl>(dlg, 1013)->setFont(ExactColourFont());
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);  // sharpness 4
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    ClickButton(dlg, 1005);
    const std::vector<int> arrAt4 = Damages(dlg);
    auto* pSlider = Control<QSlider>(dlg, 1009);
    pSlider->setFocus();
    const QRect rcGroove = SliderPart(pSlider, QStyle::SC_SliderGroove);
    const QPoint ptLeft(rcGroove.left() + 2, rcGroove.center().y());
    switch (nGesture) {
      case kKeyLeft: QTest::keyClick(pSlider, Qt::Key_Left); break;
      case kKeyHome: QTest::keyClick(pSlider, Qt::Key_Home); break;
      case kWheel: {
        const QPoint pt = rcGroove.center();
        QWheelEvent wheel(pt, pSlider->mapToGlobal(pt), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(pSlider, &wheel);
        break;
      }
      case kGrooveClick:
        QTest::mousePress(pSlider, Qt::LeftButton, {}, ptLeft);
        QTest::mouseRelease(pSlider, Qt::LeftButton, {}, ptLeft);
        break;
      case kDrag: {
        const QPoint ptHandle = SliderPart(pSlider, QStyle::SC_SliderHandle).center();
        QTest::mousePress(pSlider, Qt::LeftButton, {}, ptHandle);
        QMouseEvent move(QEvent::MouseMove, ptLeft, pSlider->mapToGlobal(ptLeft), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pSlider, &move);
        QVERIFY(pSlider->value() != 4);
        QCOMPARE(Control<QLabel>(dlg, 1010)->text(), SharpnessText(4));
        QCOMPARE(Damages(dlg), arrAt4);
        QTest::mouseRelease(pSlider, Qt::LeftButton, {}, ptLeft);
        break;
      }
      default: QFAIL("unknown gesture");
    }
    const int nPosition = pSlider->value();
    QVERIFY(nPosition != 4);
    QCOMPARE(dlg.GetCalculator().GetSharpnessPosition(), nPosition);
    QCOMPARE(Control<QLabel>(dlg, 1010)->text(), SharpnessText(nPosition));
    CCalculator expected = dlg.GetCalculator();
    expected.ReleaseSharpness(nPosition);
    std::vector<int> arrExpected;
    for (const ResultRow_t& row : expected.GetResultRows()) arrExpected.push_back(row.nDamage);
    QCOMPARE(Damages(dlg), arrExpected);
    QVERIFY(arrExpected != arrAt4);
  }

  void enterPressesOnlyAFocusedButtonAndEscCloses() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);

    // Enter in a list that has no use for it: nothing happens, the window
    // stays.
    auto* pWeapons = Control<QListWidget>(dlg, 1002);
    pWeapons->setFocus();
    QTRY_VERIFY(pWeapons->hasFocus());
    QTest::keyClick(pWeapons, Qt::Key_Return);
    QTest::keyClick(pWeapons, Qt::Key_Enter, Qt::KeypadModifier);
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
    QCOMPARE(arrAction.size(), 10);
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
    QVERIFY(arrAction[6]->isSeparator());
    QCOMPARE(arrAction[7]->text(), U("ビルドの保存と読み込み(&B)..."));
    QCOMPARE(arrAction[7]->data().toInt(), 40);
    QCOMPARE(arrAction[7]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    QCOMPARE(arrAction[8]->text(), U("武器ランキング(&R)..."));
    QCOMPARE(arrAction[8]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    QCOMPARE(arrAction[9]->text(), U("結果を基準に固定(&P)"));
    QCOMPARE(arrAction[9]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  }

  void systemMenuOpensOnTheBackgroundAndFromTheKeyboard() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    const QString strEntries =
        U("閉じる(&C)|-|Velkar のﾊﾞｰｼﾞｮﾝ情報(&A)...|-|"
          "武器のiniファイルをdatに変換|モンスターのiniファイルをdatに変換|-|"
          "ビルドの保存と読み込み(&B)...|武器ランキング(&R)...|結果を基準に固定(&P)");

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

  // The weapon conversion stops at the first category that fails: its
  // message names the file and the reason below the usual text, Katana's data
  // file stays as it was, and the categories after it are not converted.
  void weaponConversionStopsAtTheFirstFailure_data() {
    QTest::addColumn<QString>("strFile");  // the file that fails
    QTest::addColumn<int>("nKind");
    QTest::addColumn<QString>("strReason");
    QTest::addRow("target is a folder")
        << "Katana.dat" << int(eHOSTILE::FOLDER) << U("Katana.dat：ファイルに書き込めません\n");
    QTest::addRow("source missing") << "Katana.ini" << -1 << U("Katana.ini：ファイルがありません");
    QTest::addRow("source is a FIFO")
        << "Katana.ini" << int(eHOSTILE::FIFO)
        << U("Katana.ini：通常のファイルではなく名前付きパイプ（FIFO）です");
    QTest::addRow("source too large")
        << "Katana.ini" << int(eHOSTILE::SPARSE_2GB)
        << U("Katana.ini：ファイルが大きすぎます（2147483648 バイト。上限は 67108864 バイトです）");
  }

  void weaponConversionStopsAtTheFirstFailure() {
    QFETCH(QString, strFile);
    QFETCH(int, nKind);
    QFETCH(QString, strReason);
    for (const char* pszStem : kStems) {
      if (std::string_view(pszStem) != "Katana") {
        m_pDir->WriteText(std::string(pszStem) + ".ini", kSwordIni);
        m_pDir->Remove(std::string(pszStem) + ".dat");
      }
    }
    const std::vector<uint8_t> arrKatana = m_pDir->ReadBytes("Katana.dat");
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    m_pDir->Remove(strFile.toStdString());
    if (nKind >= 0) MakeHostileFile(eHOSTILE(nKind), m_pDir->PathOf(strFile.toStdString()));

    dlg.GetSystemMenu()->actions()[4]->trigger();

    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    const bool bTarget = strFile.endsWith(QStringLiteral(".dat"));
    // Reloaded afterwards: a folder in Katana.dat's place is reported too.
    QCOMPARE(arrAnswered.size(), bTarget ? 2 : 1);
    QCOMPARE(arrAnswered[0].strKind, QStringLiteral("message"));
    QCOMPARE(arrAnswered[0].strTitle, QStringLiteral("Velkar"));
    QVERIFY2(arrAnswered[0].strText.startsWith(U("武器リストの変換に失敗しました\n") + strReason),
             qPrintable(arrAnswered[0].strText));
    if (!bTarget) QCOMPARE(m_pDir->ReadBytes("Katana.dat"), arrKatana);
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
      const std::string strData = std::string(kStems[nCategory]) + ".dat";
      QCOMPARE(m_pDir->Exists(strData), nCategory <= CATEGORY_KATANA);
    }
    QStringList arrCategory{U("片手剣"), U("双剣"), U("大剣")};
    if (!bTarget) arrCategory.append(U("太刀"));
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1001)), arrCategory);
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), NO_SELECTION);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->count(), 3);
    QCOMPARE(Control<QComboBox>(dlg, 1008)->count(), 2);
  }

  // A success says which files were written, with what they hold.
  void weaponConversionThatSucceedsReloads() {
    for (const char* pszStem : kStems) {
      if (!m_pDir->Exists(std::string(pszStem) + ".ini")) {
        m_pDir->WriteText(std::string(pszStem) + ".ini", u8"");
      }
    }
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
    const QStringList arrLine = arrAnswered[0].strText.split('\n');
    QCOMPARE(arrLine.size(), 1 + CATEGORY_COUNT);
    QCOMPARE(arrLine[0], U("武器リストの変換に成功しました"));
    QCOMPARE(arrLine[1],
             U("Sword.dat を書き込みました：モーション 3 件、当たり方 2 件、武器 3 件"));
    QCOMPARE(arrLine[2],
             U("DualSword.dat を書き込みました：モーション 0 件、当たり方 0 件、武器 0 件"));
    QCOMPARE(arrLine[4],
             U("Katana.dat を書き込みました：モーション 1 件、当たり方 1 件、武器 2 件"));
    // Every list is filled again from the new files, with the first entries.
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->count(), 3);
    QVERIFY(Control<CWeaponListBox>(dlg, 1002)->selectedItems().isEmpty());
    Control<QComboBox>(dlg, 1001)->setCurrentIndex(1);
    QCOMPARE(Entries(Control<CWeaponListBox>(dlg, 1002)), (QStringList{U("鉄刀"), U("新しい刀")}));
    QCOMPARE(Control<CColorListCtrl>(dlg, 1013)->GetColumnCount(), 4);
  }

  // Without any data file the window says, once, where they belong and how
  // to make them; a data file that exists silences it.
  void noDataFileAtAllSaysWhereTheyBelong() {
    for (const char* pszFile : {"Sword.dat", "Katana.dat", "Monster.dat"}) m_pDir->Remove(pszFile);
    CVelkarDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QList<AnsweredWindow_t> arrAnswered;
    QTRY_VERIFY(!(arrAnswered += m_pAnswerer->Take()).isEmpty());
    QCOMPARE(arrAnswered.size(), 1);
    const QString strText = arrAnswered[0].strText;
    QVERIFY2(strText.startsWith(U("データファイルがひとつもありません。")), qPrintable(strText));
    QVERIFY(strText.contains(QString::fromStdString(m_pDir->Path())));
    QVERIFY(strText.contains(U("「武器のiniファイルをdatに変換」")));
    QVERIFY(strText.contains(U("「モンスターのiniファイルをdatに変換」")));
    // Made now, the data files load at the next start without a word.
    QVERIFY((*m_pStore)->ConvertMonsterIni());
    CVelkarDlg second;
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    QTest::qWait(50);
    QCOMPARE(m_pAnswerer->Take().size(), 0);
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
    QVERIFY(arrAnswered[0].strText.startsWith(
        U("モンスターリストの変換に失敗しました\nMonster.dat：ファイルに書き込めません\n")));
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
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::owner_exec |
                               fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(m_pDir->Path(), readOnly);
    // Root writes into any folder: convert as an ordinary user instead, who
    // may still read the files.
    for (const fs::directory_entry& entry : fs::directory_iterator(m_pDir->Path())) {
      fs::permissions(entry.path(), fs::perms::group_read | fs::perms::others_read,
                      fs::perm_options::add);
    }
    const bool bRoot = geteuid() == 0;
    if (bRoot) QVERIFY(seteuid(65534) == 0);
    dlg.GetSystemMenu()->actions()[5]->trigger();
    if (bRoot) QVERIFY(seteuid(0) == 0);

    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strText,
             U("モンスターリストの変換に失敗しました\nMonster.dat：ファイルに書き込めません\n") +
                 QString::fromStdString(m_pDir->PathOf("Monster.dat")) +
                 U(" cannot be opened for writing (Permission denied)\nフォルダ ") +
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
    QCOMPARE(arrAnswered[0].strText,
             U("モンスターリストの変換に成功しました\n"
               "Monster.dat を書き込みました：モンスター 2 件、部位 5 件、レベル 3 件"));
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1014)), (QStringList{U("下位"), U("上位"), U("G級")}));
    QCOMPARE(Control<QComboBox>(dlg, 1008)->currentIndex(), 0);
  }

  // A damaged data file, or something else in its place, is reported once
  // when the window appears; the window never waits on a FIFO.
  void damagedDataFileIsReportedOnceAtStartUp_data() {
    QTest::addColumn<int>("nKind");  // -1: the file cut in half
    QTest::addColumn<QString>("strLine");
    QTest::addRow("cut in half") << -1 << U("Sword.dat：ファイルが途中で終わっています");
    QTest::addRow("FIFO") << int(eHOSTILE::FIFO)
                          << U("Sword.dat：通常のファイルではなく名前付きパイプ（FIFO）です");
    QTest::addRow("2 GB") << int(eHOSTILE::SPARSE_2GB)
                          << U("Sword.dat：ファイルが大きすぎます（2147483648 バイト。");
  }

  void damagedDataFileIsReportedOnceAtStartUp() {
    QFETCH(int, nKind);
    QFETCH(QString, strLine);
    std::vector<uint8_t> arrByte = m_pDir->ReadBytes("Sword.dat");
    arrByte.resize(arrByte.size() / 2);
    m_pDir->WriteBytes("Sword.dat", arrByte);
    if (nKind >= 0) {
      m_pDir->Remove("Sword.dat");
      MakeHostileFile(eHOSTILE(nKind), m_pDir->PathOf("Sword.dat"));
    }
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
    QVERIFY2(strText.contains(strLine), qPrintable(strText));
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
    // The button says why, where it is, without a dialog.
    QTRY_COMPARE(QToolTip::text(), U("武器が選ばれていないため、コピーできません"));
    VerifyNoteAtReportButton(dlg);
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
    QVERIFY(!Control<QPushButton>(dlg, 1016)->toolTip().isEmpty());
    ClickButton(dlg, 1016);
    QTRY_COMPARE(QToolTip::text(), U("クリップボードにコピーしました"));
    VerifyNoteAtReportButton(dlg);

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

  // A row's tooltip stays narrow and on the screen: sixty one-hit motions
  // are capped with a count of the rest, and a long motion name is cut.
  void rowToolTipStaysSmall_data() {
    QTest::addColumn<int>("nMotion");
    QTest::addColumn<int>("nTimes");
    QTest::addColumn<bool>("bCapped");
    QTest::newRow("sixty one-hit motions") << 0 << 60 << true;
    QTest::newRow("one long-named motion of sixty hits") << 3 << 1 << false;
  }

  void rowToolTipStaysSmall() {
    QFETCH(int, nMotion);
    QFETCH(int, nTimes);
    QFETCH(bool, bCapped);
    std::u8string strSword(kSwordIni);
    const size_t nWeapons = strSword.find(u8"[HitPattern]");
    std::u8string strLong =
        u8"4=超絶溜め回転斬り・極み改二式フィニッシュ連続攻撃からの回転斬り上げ派生";
    for (int i = 0; i < 60; ++i) strLong += u8", 7";
    strSword.insert(nWeapons, strLong + u8"\r\n");
    m_pDir->WriteText("Sword.ini", strSword);
    QVERIFY((*m_pStore)->ConvertWeaponIni(CATEGORY_SWORD));

    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pList = Control<CColorListCtrl>(dlg, 1013);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    ClickEntry(Control<QListWidget>(dlg, 1003), nMotion);
    for (int i = 0; i < nTimes; ++i) ClickButton(dlg, 1005);
    int nHits = 0;
    for (const CAction* pAction : dlg.GetCalculator().GetChosenMotions()) {
      nHits += int(pAction->GetMotions().size());
    }
    QCOMPARE(nHits, 60);

    const QString strTip = pList->GetRowToolTip(0);
    QCOMPARE(strTip.contains(U("…ほか")), bCapped);
    if (!bCapped) QCOMPARE(SummedAdds(strTip), pList->GetCellText(0, 3).toInt());
    AskForToolTip(pList, pList->visualRect(pList->model()->index(0, 0)).center());
    QTRY_VERIFY(ShownToolTip() != nullptr);
    const QWidget* pTip = ShownToolTip();
    const QRect rcScreen = pTip->screen()->availableGeometry();
    QVERIFY2(pTip->width() <= CColorListCtrl::kToolTipMaxWidth + 30,
             qPrintable(QString::number(pTip->width())));
    QVERIFY2(pTip->height() <= rcScreen.height(), qPrintable(QString::number(pTip->height())));
    QVERIFY(PlainTextOf(QToolTip::text()).contains(U("…")));
    QToolTip::hideText();
  }

  // Double-click or Enter on a row opens the breakdown window: every hit, its
  // "adds" column summing to the row's damage, and it follows the main
  // window's changes; its button copies it as text.
  void breakdownWindowAddsUpToTheRowAndFollows() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pList = Control<CColorListCtrl>(dlg, 1013);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    for (int nMotion : {0, 2, 2}) {
      ClickEntry(Control<QListWidget>(dlg, 1003), nMotion);
      ClickButton(dlg, 1005);
    }
    QCOMPARE(pList->GetRowCount(), 3);
    const QRect rcRow = pList->visualRect(pList->model()->index(1, 0));
    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, rcRow.center());
    CBreakdownDlg* pBreakdown = dlg.GetBreakdownDlg();
    QVERIFY(pBreakdown != nullptr && pBreakdown->isVisible());
    QVERIFY(!pBreakdown->isModal());
    auto* pTable = pBreakdown->findChild<QTableWidget*>(QStringLiteral("breakdownTable"));
    auto* pRegion = pBreakdown->findChild<QLabel*>(QStringLiteral("breakdownRegion"));
    auto* pFactors = pBreakdown->findChild<QLabel*>(QStringLiteral("breakdownFactors"));

    const auto VerifyRow = [&](int nRow) {
      QVERIFY2(pRegion->text().startsWith(pList->GetCellText(nRow, 0) + U(": ")),
               qPrintable(pRegion->text()));
      QCOMPARE(pTable->rowCount(), 1 + 2 + 2);  // 縦斬り once, 溜め回転斬り's two hits twice
      QCOMPARE(pTable->horizontalHeaderItem(7)->text(), U("加算"));
      int nSum = 0;
      for (int nHit = 0; nHit < pTable->rowCount(); ++nHit) {
        nSum += pTable->item(nHit, 7)->text().toInt();
        QCOMPARE(pTable->item(nHit, 8)->text().toInt(), nSum);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d$"))
                    .match(pTable->item(nHit, 6)->text())
                    .hasMatch());
      }
      QCOMPARE(nSum, pList->GetCellText(nRow, 3).toInt());
    };
    VerifyRow(1);
    QCOMPARE(pTable->item(3, 0)->text(), U("3 溜め回転斬り"));
    QVERIFY(pFactors->text().contains(U("基礎攻撃力")));

    // A modifier ticked in the main window reaches the open breakdown.
    const QString strBefore = pList->GetCellText(1, 3);
    ClickCheck(dlg, 1021);
    QVERIFY(pList->GetCellText(1, 3) != strBefore);
    VerifyRow(1);
    QVERIFY(pFactors->text().contains(U("加算 +")));

    // Enter on another row shows that row in the same window.
    pList->setCurrentIndex(pList->model()->index(0, 0));
    PressKey(pList, Qt::Key_Return);
    QCOMPARE(dlg.GetBreakdownDlg(), pBreakdown);
    QCOMPARE(pBreakdown->GetRow(), 0);
    VerifyRow(0);

    // Copied as text: the region's line, the factors, the header and every hit.
    QTest::mouseClick(pBreakdown->findChild<QPushButton*>(QStringLiteral("breakdownCopy")),
                      Qt::LeftButton);
    const QStringList arrCopied = QGuiApplication::clipboard()->text().split('\n');
    QCOMPARE(arrCopied.first(), pRegion->text());
    QVERIFY(
        arrCopied.contains(U("攻撃\tヒット\tモーション値\t素の値\t物理\t属性\t合計\t加算\t累計")));
    QStringList arrCells;
    for (int nColumn = 0; nColumn < pTable->columnCount(); ++nColumn) {
      arrCells.append(pTable->item(4, nColumn)->text());
    }
    QVERIFY(arrCopied.contains(arrCells.join('\t')));
    QTRY_COMPARE(QToolTip::text(), U("コピーしました"));
    QToolTip::hideText();
  }

  // Enter or a double-click on an available motion adds it; Delete on a
  // chosen one removes it; the other keys of the other list do nothing.
  void motionListsTakeEnterDoubleClickAndDelete() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    auto* pAvailable = Control<QListWidget>(dlg, 1003);
    auto* pChosen = Control<QListWidget>(dlg, 1004);
    const std::vector<int> arrNoMotion = Damages(dlg);

    ClickEntry(pAvailable, 2);
    PressKey(pAvailable, Qt::Key_Return);
    QCOMPARE(Entries(pChosen), QStringList{U("溜め回転斬り")});
    // A double-click is a click followed by the double-click event.
    ClickEntry(pAvailable, 0);
    QTest::mouseDClick(pAvailable->viewport(), Qt::LeftButton, {},
                       pAvailable->visualRect(pAvailable->model()->index(0, 0)).center());
    QCOMPARE(Entries(pChosen), (QStringList{U("溜め回転斬り"), U("縦斬り")}));
    PressKey(pAvailable, Qt::Key_Delete);
    QCOMPARE(pChosen->count(), 2);
    ClickEntry(pChosen, 0);
    PressKey(pChosen, Qt::Key_Return);
    QCOMPARE(pChosen->count(), 2);
    PressKey(pChosen, Qt::Key_Delete);
    QCOMPARE(Entries(pChosen), QStringList{U("縦斬り")});
    QCOMPARE(dlg.GetCalculator().GetChosenMotions().size(), size_t(1));
    ClickEntry(pChosen, 0);
    PressKey(pChosen, Qt::Key_Delete);
    QCOMPARE(pChosen->count(), 0);
    QCOMPARE(Damages(dlg), arrNoMotion);  // recalculated each time
  }

  // Under a dark desktop palette both coloured lists keep their white base
  // over rows and empty space, while the window itself follows the desktop.
  void listsKeepTheirLightBaseUnderADarkPalette() {
    const QPalette oldPalette = QApplication::palette();
    QPalette dark(QColor(40, 40, 40));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    {
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
      ClickEntry(pWeapons, 1);
      ClickEntry(Control<QListWidget>(dlg, 1003), 0);
      ClickButton(dlg, 1005);
      auto* pResult = Control<CColorListCtrl>(dlg, 1013);
      pResult->clearSelection();
      QCOMPARE(pResult->GetRowCount(), 3);

      const QImage weapons = pWeapons->viewport()->grab().toImage();
      const QRect rcEntry = pWeapons->visualItemRect(pWeapons->item(0));  // unselected
      QCOMPARE(weapons.pixel(rcEntry.right() - 1, rcEntry.center().y()) & 0xFFFFFF, 0xFFFFFFu);
      QCOMPARE(weapons.pixel(weapons.width() / 2, weapons.height() - 2) & 0xFFFFFF, 0xFFFFFFu);

      const QImage result = pResult->viewport()->grab().toImage();
      const QRect rcLast = pResult->visualRect(pResult->model()->index(2, 0));
      QSet<QRgb> setRow = ColoursIn(result, QRect(rcLast.left(), rcLast.top(), 8, 2));
      QCOMPARE(setRow, QSet<QRgb>{0xFFFFFF});
      QSet<QRgb> setEmpty = ColoursIn(result, QRect(0, rcLast.bottom() + 1, result.width(),
                                                    result.height() - rcLast.bottom() - 1));
      setEmpty.remove(0xC0C0C0);  // grid lines
      QCOMPARE(setEmpty, QSet<QRgb>{0xFFFFFF});
      QCOMPARE(Rgb(dlg.palette().color(QPalette::Window)), Rgb(QColor(45, 45, 45)));
    }
    QApplication::setPalette(oldPalette);
  }

  // The colours are explained: the result list's header and the weapon list
  // show a legend as their tooltip, each colour in its own colour.
  void coloursHaveALegend() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    QHeaderView* pHeader = pResult->header();
    AskForToolTip(pHeader, QPoint(pHeader->sectionViewportPosition(3) + 5, pHeader->height() / 2));
    QTRY_VERIFY(QToolTip::isVisible());
    QString strTip = QToolTip::text();
    for (const char* pszPart :
         {"ダメージの文字色", "通常", "効きにくい", "よく効く", "#ff0000", "#0000ff", "#ffffff"}) {
      QVERIFY2(strTip.contains(U(pszPart)), pszPart);
    }
    QToolTip::hideText();

    auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
    AskForToolTip(pWeapons, QPoint(5, pWeapons->viewport()->height() - 5));  // empty space
    QTRY_VERIFY(QToolTip::isVisible());
    strTip = QToolTip::text();
    for (int nElement = 0; nElement < 9; ++nElement) {
      const QString strName = FromSjis(CDataManager::GetElementName(nElement));
      const QString strColour = CWeaponListBox::ElementTextColor(1 << nElement).name();
      QVERIFY2(strTip.contains(QStringLiteral("color:%1\">").arg(strColour)), qPrintable(strTip));
      QVERIFY2(strTip.contains(strName), qPrintable(strName));
    }
    QToolTip::hideText();
  }

  // The menu button opens the system menu, by mouse and from the keyboard,
  // covers none of the template's controls and says what it is.
  void menuButtonOpensTheSystemMenu() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pButton = dlg.findChild<QPushButton*>(QStringLiteral("menuButton"));
    QVERIFY(pButton != nullptr);
    QCOMPARE(pButton->accessibleName(), U("メニュー"));
    QVERIFY(pButton->toolTip().contains(U("Shift+F10")));
    QVERIFY(pButton->focusPolicy() & Qt::TabFocus);
    for (QWidget* pChild : dlg.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (pChild == pButton || !pChild->isVisible()) continue;
      QVERIFY2(!pChild->geometry().intersects(pButton->geometry()),
               qPrintable(pChild->objectName()));
    }
    QVERIFY(dlg.rect().contains(pButton->geometry()));

    QTest::mouseClick(pButton, Qt::LeftButton);
    pButton->setFocus();
    QTest::keyClick(pButton, Qt::Key_Space);
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 2);
    for (const AnsweredWindow_t& window : arrAnswered) {
      QCOMPARE(window.strKind, QStringLiteral("menu"));
      QCOMPARE(window.strTitle, QStringLiteral("systemMenu"));
    }
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
  // The report's note shows just below its button and goes by itself.
  void VerifyNoteAtReportButton(const CVelkarDlg& dlg) {
    const auto* pReport = Control<QPushButton>(dlg, 1016);
    const QWidget* pTip = ShownToolTip();
    QVERIFY(pTip != nullptr);
    // Below the button, beginning or (at the screen's edge) ending at its
    // right edge.
    const QPoint ptBelow = pReport->mapToGlobal(QPoint(pReport->width(), pReport->height()));
    const QRect rcTip = pTip->geometry();
    const QString strWhere = QStringLiteral("tip %1,%2 button %3,%4")
                                 .arg(rcTip.x())
                                 .arg(rcTip.y())
                                 .arg(ptBelow.x())
                                 .arg(ptBelow.y());
    QVERIFY2(rcTip.top() >= ptBelow.y() && rcTip.top() - ptBelow.y() < 40, qPrintable(strWhere));
    const int nGap =
        std::min(std::abs(rcTip.left() - ptBelow.x()), std::abs(rcTip.right() - ptBelow.x()));
    QVERIFY2(nGap < 30, qPrintable(strWhere));
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 4000);
  }

  // A row's tooltip: the row's region with the row's own cells, one line per
  // chosen motion in attack order with its hit count and what its hits add
  // (those add up to the row's damage), and the hint at the window.
  void VerifyRowToolTip(const CVelkarDlg& dlg, int nRow) {
    const auto* pList = Control<CColorListCtrl>(dlg, 1013);
    const QString strTip = pList->GetRowToolTip(nRow);
    const QStringList arrLine = strTip.split('\n');
    const std::vector<const CAction*>& arrChosen = dlg.GetCalculator().GetChosenMotions();
    QCOMPARE(arrLine.size(), qsizetype(arrChosen.size()) + 2);
    const QString strRegion = U("%1: 物理 %2, 属性 %3, ダメージ %4 (")
                                  .arg(pList->GetCellText(nRow, 0), pList->GetCellText(nRow, 1),
                                       pList->GetCellText(nRow, 2), pList->GetCellText(nRow, 3));
    QVERIFY2(arrLine[0].startsWith(strRegion), qPrintable(arrLine[0] + " / " + strRegion));
    for (size_t i = 0; i < arrChosen.size(); ++i) {
      const QString strHead = U("攻撃%1 %2（%3ヒット）: +")
                                  .arg(i + 1)
                                  .arg(FromSjis(arrChosen[i]->GetName()))
                                  .arg(arrChosen[i]->GetMotions().size());
      QVERIFY2(arrLine[qsizetype(i) + 1].startsWith(strHead),
               qPrintable(arrLine[qsizetype(i) + 1]));
    }
    QVERIFY(arrLine.last().contains(U("ダブルクリック")));
    QCOMPARE(SummedAdds(strTip), pList->GetCellText(nRow, 3).toInt());
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
