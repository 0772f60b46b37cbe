// What the window's tests share: a data folder with a few weapons and
// monsters converted into it (CWindowFixture, whose init and cleanup every
// window test class inherits), and a player's clicks and readings of the
// main window's controls.
#pragma once

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "ModalAnswerer.h"
#include "VelkarDlg.h"
#include "setup/SetupStore.h"
#include "style/DialogFont.h"
#include "support/TestDataDir.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/WeaponListBox.h"

// UTF-8 text of a test as a QString.
inline QString U(const char* psz) {
  return QString::fromUtf8(psz);
}

// Sword: the second weapon is a fire weapon, the fourth a twin of the first
// (they tie in a ranking); the third motion has two hits.
inline constexpr char8_t kSwordIni[] =
    u8"[Action]\r\n1=縦斬り, 18\r\n2=横斬り, 14\r\n3=溜め回転斬り, A110, 20, 30\r\n"
    u8"[HitPattern]\r\n1=通常, 100, 100\r\n2=芯当たり, 105, 110\r\n"
    u8"[Weapon]\r\n1=鉄の片手剣, 168, 0, 0, 2, 1\r\n2=焔刃ヴァルゼナ, 252, 2, 280, 4, 5\r\n"
    u8"3=水鏡剣ミナモ, 224, 4, 250, 3, 3\r\n4=鋼の片手剣, 168, 0, 0, 2, 1\r\n";
inline constexpr char8_t kKatanaIni[] =
    u8"[Action]\r\n1=踏み込み斬り, 26\r\n[HitPattern]\r\n1=通常, 100, 100\r\n"
    u8"[Weapon]\r\n1=鉄刀, 180, 0, 0, 3, 1\r\n";
inline constexpr char8_t kMonsterIni[] =
    u8"[Monster]\r\n0=岩甲獣グラドム\r\n1=大猿獣ゴルバッカ\r\n"
    u8"[岩甲獣グラドム]\r\nAnger=100, 90, 110\r\n0=頭, 90, 60, 45, 10, 25, 15, 10, 5\r\n"
    u8"1=背中の岩殻, 10, 30, 15, 0, 10, 5, 0, 0\r\n2=腹, 50, 55, 50, 15, 30, 20, 15, 10\r\n"
    u8"[大猿獣ゴルバッカ]\r\nAnger=100, 90, 120\r\n0=頭, 70, 75, 65, 20, 15, 20, 25, 10\r\n"
    u8"1=腕, 45, 40, 40, 15, 10, 15, 20, 5\r\n[Level]\r\n1=下位, 100\r\n2=上位, 85\r\n";

// Shows a top-level widget and waits until it is the active window shortcuts go to.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; });
}

// The main window shown and active, as a player first sees it; a window
// that never becomes active ends the run, since no click would reach it.
class CShownDlg : public CVelkarDlg {
public:
  explicit CShownDlg(const std::string& strDataDir) : CVelkarDlg(strDataDir) {
    if (!ShowActive(*this)) qFatal("the main window did not become active");
  }
};

// The main window's control of an id, as the kind of widget it must be.
template <class Widget>
Widget* Control(const CVelkarDlg& dlg, int nId) {
  auto* pWidget = qobject_cast<Widget*>(dlg.GetControl(nId));
  if (pWidget == nullptr) qFatal("control %d missing or of another kind", nId);
  return pWidget;
}

// A window's child of an object name, as the kind of widget it must be; a
// window that is not there has none.
template <class Widget>
Widget* Child(const QObject* pWindow, const char* pszName) {
  auto* pWidget = pWindow ? pWindow->findChild<Widget*>(QString::fromLatin1(pszName)) : nullptr;
  if (pWidget == nullptr) qFatal("%s missing or of another kind", pszName);
  return pWidget;
}

// A window a test opened as QCOMPARE names it: missing, hidden or shown, and
// modal when it is.
inline QString WindowState(const QWidget* pWindow) {
  if (pWindow == nullptr) return U("missing");
  return U(pWindow->isVisible() ? "shown" : "hidden") + U(pWindow->isModal() ? ", modal" : "");
}

// Clicks a list entry through the viewport, as a player would.
inline void ClickEntry(QAbstractItemView* pView, int nRow) {
  const QModelIndex index = pView->model()->index(nRow, 0);
  pView->scrollTo(index);
  QTest::mouseClick(pView->viewport(), Qt::LeftButton, {}, pView->visualRect(index).center());
}

inline void ClickButton(const CVelkarDlg& dlg, int nId) {
  QTest::mouseClick(Control<QAbstractButton>(dlg, nId), Qt::LeftButton);
}

inline void ClickCheck(QCheckBox* pCheck) {
  QTest::mouseClick(pCheck, Qt::LeftButton, {}, QPoint(6, pCheck->height() / 2));
}

inline void ClickCheck(const CVelkarDlg& dlg, int nId) {
  ClickCheck(Control<QCheckBox>(dlg, nId));
}

inline void PressKey(QWidget* pWidget, Qt::Key eKey, Qt::KeyboardModifiers modifiers = {}) {
  pWidget->setFocus();
  QTest::keyClick(pWidget, eKey, modifiers);
}

// Picks a weapon (none for -1) and adds motions by their rows in the available list.
inline void PickWeaponAndMotions(const CVelkarDlg& dlg, int nWeapon,
                                 std::initializer_list<int> arrMotion) {
  if (nWeapon >= 0) ClickEntry(Control<CWeaponListBox>(dlg, 1002), nWeapon);
  for (const int nMotion : arrMotion) {
    ClickEntry(Control<QListWidget>(dlg, 1003), nMotion);
    ClickButton(dlg, 1005);
  }
}

// The entries of a list or drop-down list, top to bottom.
template <class View>
QStringList Entries(const View* pView) {
  QStringList arrEntry;
  for (int i = 0; i < pView->model()->rowCount(); ++i)
    arrEntry.append(pView->model()->index(i, 0).data().toString());
  return arrEntry;
}

// One column of the result list, top to bottom.
inline QStringList ResultColumn(const CVelkarDlg& dlg, int nColumn) {
  const auto* pList = Control<CColorListCtrl>(dlg, 1013);
  QStringList arrText;
  for (int nRow = 0; nRow < pList->GetRowCount(); ++nRow)
    arrText.append(pList->GetCellText(nRow, nColumn));
  return arrText;
}

// The colours of a rectangle's pixels, without their alpha.
inline QSet<QRgb> Colours(const QImage& image, const QRect& rc) {
  QSet<QRgb> setColour;
  for (int i = 0; i < rc.width() * rc.height(); ++i)
    setColour.insert(image.pixel(rc.left() + i % rc.width(), rc.top() + i / rc.width()) & 0xFFFFFF);
  return setColour;
}

// Asks a widget for its tooltip at a point, as resting the mouse there does.
inline void AskForToolTip(QWidget* pWidget, const QPoint& pt) {
  QHelpEvent help(QEvent::ToolTip, pt, pWidget->mapToGlobal(pt));
  QApplication::sendEvent(pWidget, &help);
}

// The dialog font without anti-aliasing: text pixels carry exactly the text
// colour.
inline QFont ExactColourFont() {
  QFont font = MakeDialogFont();
  font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

// Every window test runs on its own data folder holding Sword, Katana and
// Monster data converted from the texts above, with modal windows answered;
// a message box a test did not take fails it.
class CWindowFixture : public QObject {
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
    std::filesystem::remove_all(CSetupStore::DefaultFolder());  // no builds, no remembered setup
    QGuiApplication::clipboard()->clear();
  }

  void cleanup() {
    QToolTip::hideText();
    const QList<AnsweredWindow_t> arrLeft = m_pAnswerer->Take();
    m_pAnswerer.reset();
    m_pStore.reset();
    m_pDir.reset();
    QVERIFY2(arrLeft.isEmpty(), qPrintable(arrLeft.value(0).strText));
  }

protected:
  std::unique_ptr<CTestDataDir> m_pDir;
  std::unique_ptr<CTestDataStore> m_pStore;
  std::unique_ptr<CModalAnswerer> m_pAnswerer;
};
