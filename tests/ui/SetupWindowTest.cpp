// The remembered setup and the builds window, on real data files in a
// temporary folder: a player's setup survives closing and reopening the
// window (also across a conversion that removed or moved records), and builds
// pass between the window and velkar-tool in both directions. The temporary
// home of UiTestMain.cpp holds the configuration folder.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QtTest>
#include <filesystem>
#include <memory>

#include <nlohmann/json.hpp>

#include "BuildsDlg.h"
#include "ColorListCtrl.h"
#include "ModalAnswerer.h"
#include "SjisText.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "VelkarDlg.h"
#include "WeaponListBox.h"
#include "setup/SetupStore.h"
#include "support/TestDataDir.h"

namespace {

const char8_t kSwordIni[] =
    u8"[Action]\r\n1=縦斬り, 18\r\n2=横斬り, 14\r\n3=溜め回転斬り, A110, 20, 30\r\n"
    u8"[HitPattern]\r\n1=通常, 100, 100\r\n2=芯当たり, 105, 110\r\n"
    u8"[Weapon]\r\n1=鉄の片手剣, 168, 0, 0, 2, 1\r\n2=焔刃ヴァルゼナ, 252, 2, 280, 4, 5\r\n"
    u8"3=水鏡剣ミナモ, 224, 4, 250, 3, 3\r\n";

// Converted in between: 横斬り is gone, a new weapon comes first, the hit
// corrections swapped places.
const char8_t kSwordIniLater[] =
    u8"[Action]\r\n1=縦斬り, 18\r\n2=溜め回転斬り, A110, 20, 30\r\n"
    u8"[HitPattern]\r\n1=芯当たり, 105, 110\r\n2=通常, 100, 100\r\n"
    u8"[Weapon]\r\n1=新しい剣, 200, 0, 0, 3, 1\r\n2=鉄の片手剣, 168, 0, 0, 2, 1\r\n"
    u8"3=焔刃ヴァルゼナ, 252, 2, 280, 4, 5\r\n";

const char8_t kMonsterIni[] =
    u8"[Monster]\r\n0=岩甲獣グラドム\r\n1=大猿獣ゴルバッカ\r\n"
    u8"[岩甲獣グラドム]\r\nAnger=100, 90, 110\r\n0=頭, 90, 60, 45, 10, 25, 15, 10, 5\r\n"
    u8"1=腹, 50, 55, 50, 15, 30, 20, 15, 10\r\n"
    u8"[大猿獣ゴルバッカ]\r\nAnger=100, 90, 120\r\n0=頭, 70, 75, 65, 20, 15, 20, 25, 10\r\n"
    u8"1=腕, 45, 40, 40, 15, 10, 15, 20, 5\r\n"
    u8"[Level]\r\n1=下位, 100\r\n2=上位, 85\r\n";

// Without 大猿獣ゴルバッカ.
const char8_t kMonsterIniLater[] =
    u8"[Monster]\r\n0=岩甲獣グラドム\r\n"
    u8"[岩甲獣グラドム]\r\nAnger=100, 90, 110\r\n0=頭, 90, 60, 45, 10, 25, 15, 10, 5\r\n"
    u8"1=腹, 50, 55, 50, 15, 30, 20, 15, 10\r\n"
    u8"[Level]\r\n1=下位, 100\r\n2=上位, 85\r\n";

// A player's clicks by list position; -1 leaves a drop-down as it is.
struct Clicks_t {
  int nWeapon = -1;
  QList<int> arrMotion;
  bool bSharpnessToLeft = false;  // a click on the slider's groove, left end
  int nMonster = -1;
  int nLevel = -1;
  int nHit = -1;
  bool bAnger = false;
  QList<int> arrModifier;
};

void ClickGrooveLeft(QSlider* pSlider) {
  const QRect rcGroove = SliderPart(pSlider, QStyle::SC_SliderGroove);
  const QPoint ptGroove(rcGroove.left() + 2, rcGroove.center().y());
  QTest::mousePress(pSlider, Qt::LeftButton, {}, ptGroove);
  QTest::mouseRelease(pSlider, Qt::LeftButton, {}, ptGroove);
}

void Play(const CVelkarDlg& dlg, const Clicks_t& clicks) {
  if (clicks.nWeapon >= 0) ClickEntry(Control<CWeaponListBox>(dlg, 1002), clicks.nWeapon);
  for (int nMotion : clicks.arrMotion) {
    ClickEntry(Control<QListWidget>(dlg, 1003), nMotion);
    QTest::mouseClick(Control<QPushButton>(dlg, 1005), Qt::LeftButton);
  }
  if (clicks.bSharpnessToLeft) ClickGrooveLeft(Control<QSlider>(dlg, 1009));
  if (clicks.nMonster >= 0) Control<QComboBox>(dlg, 1008)->setCurrentIndex(clicks.nMonster);
  if (clicks.nLevel >= 0) Control<QComboBox>(dlg, 1014)->setCurrentIndex(clicks.nLevel);
  if (clicks.nHit >= 0) Control<QComboBox>(dlg, 1015)->setCurrentIndex(clicks.nHit);
  QList<int> arrCheck = clicks.arrModifier;
  if (clicks.bAnger) arrCheck.prepend(1017);
  for (int nId : arrCheck) {
    auto* pCheck = Control<QCheckBox>(dlg, nId);
    QTest::mouseClick(pCheck, Qt::LeftButton, {}, QPoint(6, pCheck->height() / 2));
  }
}

// Everything the window shows that a setup decides, as text.
QStringList Shown(const CVelkarDlg& dlg) {
  QStringList arrShown;
  for (int nId : {1001, 1008, 1014, 1015})
    arrShown.append(Control<QComboBox>(dlg, nId)->currentText());
  const auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
  arrShown.append(pWeapons->currentItem() ? pWeapons->currentItem()->text() : QString());
  const auto* pChosen = Control<QListWidget>(dlg, 1004);
  for (int i = 0; i < pChosen->count(); ++i)
    arrShown.append(U("motion ") + pChosen->item(i)->text());
  arrShown.append(QString::number(Control<QSlider>(dlg, 1009)->value()));
  for (int nId : {1010, 1011, 1012}) arrShown.append(Control<QLabel>(dlg, nId)->text());
  for (int nId = 1017; nId <= 1041; ++nId) {
    if (Control<QCheckBox>(dlg, nId)->isChecked()) arrShown.append(QString::number(nId));
  }
  const auto* pResult = Control<CColorListCtrl>(dlg, 1013);
  for (int nRow = 0; nRow < pResult->GetRowCount(); ++nRow) {
    QStringList arrCell;
    for (int nColumn = 0; nColumn < 4; ++nColumn)
      arrCell.append(pResult->GetCellText(nRow, nColumn));
    arrShown.append(arrCell.join('|'));
  }
  return arrShown;
}

const Clicks_t kPlayed{1, {1, 0, 1, 2}, true, 1, 1, 1, true, {1019, 1021}};

}  // namespace

Q_DECLARE_METATYPE(Clicks_t)

class SetupWindowTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    m_pDir = std::make_unique<CTestDataDir>();
    m_pDir->WriteText("Sword.ini", kSwordIni);
    m_pDir->WriteText("Monster.ini", kMonsterIni);
    m_pStore = std::make_unique<CTestDataStore>(*m_pDir);
    QVERIFY((*m_pStore)->ConvertWeaponIni(CATEGORY_SWORD));
    QVERIFY((*m_pStore)->ConvertMonsterIni());
    m_pAnswerer = std::make_unique<CModalAnswerer>();
    std::filesystem::remove_all(CSetupStore::DefaultFolder());
  }

  void cleanup() {
    const QList<AnsweredWindow_t> arrLeft = m_pAnswerer->Take();
    m_pAnswerer.reset();
    m_pStore.reset();
    m_pDir.reset();
    QVERIFY(arrLeft.isEmpty());
  }

  void restoreAfterRestart_data() {
    QTest::addColumn<bool>("bConverted");
    QTest::addColumn<Clicks_t>("expected");  // the clicks that give the same window
    QTest::newRow("sameData") << false << kPlayed;
    QTest::newRow("convertedWithRecordsGone")
        << true << Clicks_t{2, {0, 1}, true, -1, 1, 0, true, {1019, 1021}};
  }

  void restoreAfterRestart() {
    QFETCH(bool, bConverted);
    QFETCH(Clicks_t, expected);
    {
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      Play(dlg, kPlayed);
      QTest::keyClick(&dlg, Qt::Key_Escape);
      QVERIFY(!dlg.isVisible());
    }
    if (bConverted) {
      m_pDir->WriteText("Sword.ini", kSwordIniLater);
      m_pDir->WriteText("Monster.ini", kMonsterIniLater);
      QVERIFY((*m_pStore)->ConvertWeaponIni(CATEGORY_SWORD));
      QVERIFY((*m_pStore)->ConvertMonsterIni());
    }
    QStringList arrExpected;
    {
      RenewStore();
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      Play(dlg, expected);
      arrExpected = Shown(dlg);
    }
    RenewStore();
    CVelkarDlg dlg;
    dlg.RestoreLastSetup();  // as CVelkarApp does before showing it
    QVERIFY(ShowActive(dlg));
    QCOMPARE(Shown(dlg), arrExpected);
    QVERIFY(arrExpected.contains(U("motion 溜め回転斬り")));
    const std::vector<ResultRow_t>& arrRow = dlg.GetCalculator().GetResultRows();
    QVERIFY(!arrRow.empty() && arrRow[0].nDamage > 0);  // a calculation, not empty lists
  }

  void buildsPassBetweenWindowAndTool() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    Play(dlg, kPlayed);
    const QStringList arrPlayed = Shown(dlg);

    // Saved in the window (Ctrl+B), computed by the tool.
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    CBuildsDlg* pBuilds = dlg.GetBuildsDialog();
    QVERIFY(pBuilds != nullptr && pBuilds->isVisible());
    pBuilds->findChild<QLineEdit*>(QStringLiteral("buildName"))->setText(U("炎剣 上位"));
    QTest::mouseClick(pBuilds->findChild<QPushButton*>(QStringLiteral("buildSave")),
                      Qt::LeftButton);
    const nlohmann::json report = RunTool({QStringLiteral("report"), QStringLiteral("--build"),
                                           U("炎剣 上位"), QStringLiteral("--json")});
    QStringList arrToolRows;
    for (const auto& row : report["rows"]) {
      QStringList arrCell;
      for (const auto& cell : row["cells"]) arrCell.append(U(cell.get<std::string>().c_str()));
      arrToolRows.append(arrCell.join('|'));
    }
    QVERIFY(!arrToolRows.isEmpty());
    QCOMPARE(arrPlayed.mid(arrPlayed.size() - arrToolRows.size()), arrToolRows);

    // Saved by the tool while the window is open, loaded in the window.
    RunTool({QStringLiteral("save-build"), U("道具"), QStringLiteral("--category"),
             QStringLiteral("0"), QStringLiteral("--weapon"), QStringLiteral("2"),
             QStringLiteral("--motion"), QStringLiteral("0"), QStringLiteral("--monster"),
             QStringLiteral("1")});
    auto* pList = pBuilds->findChild<QListWidget*>(QStringLiteral("buildList"));
    pBuilds->hide();
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);  // shown again: read again
    QCOMPARE(pList->count(), 2);
    QCOMPARE(pList->item(1)->text(), U("道具"));
    ClickEntry(pList, 1);
    QTest::mouseClick(pBuilds->findChild<QPushButton*>(QStringLiteral("buildLoad")),
                      Qt::LeftButton);
    const QStringList arrLoaded = Shown(dlg);
    QVERIFY(arrLoaded.contains(U("水鏡剣ミナモ")));
    QVERIFY(arrLoaded.contains(U("motion 縦斬り")));
    QVERIFY(!arrLoaded.contains(U("1019")));  // the ticks of the setup before are gone
    QCOMPARE(arrLoaded[1], U("大猿獣ゴルバッカ"));

    // Renamed and deleted in the window: the tool sees it.
    pBuilds->findChild<QLineEdit*>(QStringLiteral("buildName"))->setText(U("道具2"));
    QTest::mouseClick(pBuilds->findChild<QPushButton*>(QStringLiteral("buildRename")),
                      Qt::LeftButton);
    ClickEntry(pList, 0);
    QTest::mouseClick(pBuilds->findChild<QPushButton*>(QStringLiteral("buildDelete")),
                      Qt::LeftButton);
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strText, U("「炎剣 上位」を削除しますか？"));
    const nlohmann::json builds = RunTool({QStringLiteral("builds"), QStringLiteral("--json")});
    QCOMPARE(builds["builds"].size(), size_t{1});
    QCOMPARE(U(builds["builds"][0]["name"].get<std::string>().c_str()), U("道具2"));
    QCOMPARE(pList->count(), 1);
  }

private:
  // A fresh store on the same folder: each window loads into an empty one.
  void RenewStore() {
    m_pStore.reset();
    m_pStore = std::make_unique<CTestDataStore>(*m_pDir);
  }

  // velkar-tool on the test's data folder; its JSON output, or null.
  nlohmann::json RunTool(const QStringList& arrArg) const {
    QProcess tool;
    tool.start(
        QStringLiteral(VELKAR_TOOL_PATH),
        QStringList{QStringLiteral("--dir"), QString::fromStdString(m_pDir->Path())} + arrArg);
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0) {
      qWarning("velkar-tool failed: %s", tool.readAllStandardError().constData());
      return nullptr;
    }
    const QByteArray output = tool.readAllStandardOutput();
    return output.isEmpty() ? nlohmann::json() : nlohmann::json::parse(output.toStdString());
  }

  std::unique_ptr<CTestDataDir> m_pDir;
  std::unique_ptr<CTestDataStore> m_pStore;
  std::unique_ptr<CModalAnswerer> m_pAnswerer;
};

VELKAR_UI_TEST(SetupWindowTest)
#include "SetupWindowTest.moc"
