// The window's other windows and what it remembers: the setup restored after
// a restart (also after a conversion removed or moved records), builds passed
// between the window and velkar-tool both ways, the ranking dialog against
// velkar-tool rank on the sample data and live on the fixture's data, and
// the pinned baseline's difference column.
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTreeWidget>

#include "BuildsDlg.h"
#include "RankingDlg.h"
#include "SjisText.h"
#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "calc/ReportText.h"

namespace {

// Converted in between: 横斬り is gone, a new weapon comes first, the hit
// corrections swapped places, 大猿獣ゴルバッカ is gone.
const char8_t kSwordIniLater[] =
    u8"[Action]\r\n1=縦斬り, 18\r\n2=溜め回転斬り, A110, 20, 30\r\n"
    u8"[HitPattern]\r\n1=芯当たり, 105, 110\r\n2=通常, 100, 100\r\n"
    u8"[Weapon]\r\n1=新しい剣, 200, 0, 0, 3, 1\r\n2=鉄の片手剣, 168, 0, 0, 2, 1\r\n"
    u8"3=焔刃ヴァルゼナ, 252, 2, 280, 4, 5\r\n";
const char8_t kMonsterIniLater[] =
    u8"[Monster]\r\n0=岩甲獣グラドム\r\n[岩甲獣グラドム]\r\nAnger=100, 90, 110\r\n"
    u8"0=頭, 90, 60, 45, 10, 25, 15, 10, 5\r\n1=腹, 50, 55, 50, 15, 30, 20, 15, 10\r\n"
    u8"[Level]\r\n1=下位, 100\r\n2=上位, 85\r\n";

// A player's setup by list positions; -1 leaves a drop-down as it is.
struct Clicks_t {
  int nWeapon;
  QList<int> arrMotion;
  int nHit;
  int nMonster;
};

void Play(const CVelkarDlg& dlg, const Clicks_t& clicks) {
  ClickEntry(Control<CWeaponListBox>(dlg, 1002), clicks.nWeapon);
  for (const int nMotion : clicks.arrMotion) {
    ClickEntry(Control<QListWidget>(dlg, 1003), nMotion);
    ClickButton(dlg, 1005);
  }
  auto* pSlider = Control<QSlider>(dlg, 1009);
  const QRect rcGroove = SliderPart(pSlider, QStyle::SC_SliderGroove);
  QTest::mouseClick(pSlider, Qt::LeftButton, {},
                    QPoint(rcGroove.left() + 2, rcGroove.center().y()));
  if (clicks.nMonster >= 0) Control<QComboBox>(dlg, 1008)->setCurrentIndex(clicks.nMonster);
  Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
  Control<QComboBox>(dlg, 1015)->setCurrentIndex(clicks.nHit);
  for (const int nId : {1017, 1019, 1021}) ClickCheck(dlg, nId);
}

// Everything a setup decides, as the window shows it.
QStringList Shown(const CVelkarDlg& dlg) {
  QStringList arrShown;
  for (const int nId : {1001, 1008, 1014, 1015})
    arrShown.append(Control<QComboBox>(dlg, nId)->currentText());
  for (const int nId : {1010, 1011, 1012}) arrShown.append(Control<QLabel>(dlg, nId)->text());
  arrShown += Entries(Control<QListWidget>(dlg, 1004));
  for (int nId = 1017; nId <= 1041; ++nId) {
    if (Control<QCheckBox>(dlg, nId)->isChecked()) arrShown.append(QString::number(nId));
  }
  for (int nColumn = 0; nColumn < 4; ++nColumn) arrShown += ResultColumn(dlg, nColumn);
  return arrShown;
}

QByteArray RunTool(const std::string& strDir, const QStringList& arrArg) {
  QProcess tool;
  tool.start(QStringLiteral(VELKAR_TOOL_PATH),
             QStringList{QStringLiteral("--dir"), QString::fromStdString(strDir)} + arrArg);
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
    qWarning("velkar-tool: %s", tool.readAllStandardError().constData());
  return tool.readAllStandardOutput();
}

QStringList RankingColumn(const CVelkarDlg& dlg, int nColumn) {
  QStringList arrText;
  const auto* pList = dlg.GetRankingDlg()->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
  for (int i = 0; i < pList->topLevelItemCount(); ++i)
    arrText.append(pList->topLevelItem(i)->text(nColumn));
  return arrText;
}

QString Difference(int nDelta) {
  return nDelta == 0 ? U("±0")
                     : (nDelta > 0 ? QStringLiteral("+") : QString()) + QString::number(nDelta);
}

}  // namespace

Q_DECLARE_METATYPE(Clicks_t)

class SetupAndRankingTest : public CWindowFixture {
  Q_OBJECT

private slots:
  void setupIsRestoredAfterARestart_data() {
    QTest::addColumn<bool>("bConverted");
    QTest::addColumn<Clicks_t>("expected");  // the clicks that give the same window
    QTest::newRow("same data") << false << Clicks_t{1, {1, 0, 1, 2}, 1, 1};
    QTest::newRow("records gone or moved") << true << Clicks_t{2, {0, 1}, 0, -1};
  }

  void setupIsRestoredAfterARestart() {
    QFETCH(bool, bConverted);
    QFETCH(Clicks_t, expected);
    {
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      Play(dlg, Clicks_t{1, {1, 0, 1, 2}, 1, 1});
      QTest::keyClick(&dlg, Qt::Key_Escape);
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
    QVERIFY(arrExpected.contains(U("溜め回転斬り")) && Calc(dlg).GetResultRows().at(0).nDamage > 0);
  }

  void buildsPassBetweenWindowAndTool() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    Play(dlg, Clicks_t{1, {1, 0, 1, 2}, 1, 1});
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    CBuildsDlg* pBuilds = dlg.GetBuildsDialog();
    QVERIFY(pBuilds != nullptr && pBuilds->isVisible());
    auto* pName = pBuilds->findChild<QLineEdit*>(QStringLiteral("buildName"));
    const auto Press = [&](const char* pszButton) {
      QTest::mouseClick(pBuilds->findChild<QPushButton*>(QString::fromLatin1(pszButton)),
                        Qt::LeftButton);
    };
    pName->setText(U("炎剣 上位"));
    Press("buildSave");
    const QJsonObject report =
        QJsonDocument::fromJson(
            RunTool(m_pDir->Path(), {"report", "--build", U("炎剣 上位"), "--json"}))
            .object();
    QStringList arrToolDamage;
    for (const QJsonValue& row : report.value("rows").toArray())
      arrToolDamage.append(row.toObject().value("cells").toArray().at(3).toString());
    QCOMPARE(arrToolDamage, ResultColumn(dlg, 3));

    RunTool(m_pDir->Path(), {"save-build", U("道具"), "--category", "0", "--weapon", "2",
                             "--motion", "0", "--monster", "1"});
    auto* pList = pBuilds->findChild<QListWidget*>(QStringLiteral("buildList"));
    pBuilds->hide();
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);  // shown again: read again
    QCOMPARE(Entries(pList), (QStringList{U("炎剣 上位"), U("道具")}));
    ClickEntry(pList, 1);
    Press("buildLoad");
    QCOMPARE(Calc(dlg).GetWeaponSelection(), 2);
    QCOMPARE(Calc(dlg).GetMonsterSelection(), 1);
    QCOMPARE(Calc(dlg).BuildModifierMask(), 0u);  // the ticks of the setup before are gone
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)), QStringList{U("縦斬り")});

    pName->setText(U("道具2"));
    Press("buildRename");
    ClickEntry(pList, 0);
    Press("buildDelete");
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strText, U("「炎剣 上位」を削除しますか？"));
    const QJsonArray arrBuild =
        QJsonDocument::fromJson(RunTool(m_pDir->Path(), {"builds", "--json"}))
            .object()
            .value("builds")
            .toArray();
    QCOMPARE(arrBuild.size(), 1);
    QCOMPARE(arrBuild[0].toObject().value("name").toString(), U("道具2"));
  }

  // The ranking dialog ranks as velkar-tool rank does, and Enter on an
  // entry selects that weapon in the main window with the ranked figures.
  void rankingAgreesWithTheTool_data() {
    QTest::addColumn<int>("nCategoryEntry");
    QTest::addColumn<int>("nRegion");     // -1: by the total
    QTest::addColumn<int>("nSharpness");  // -1: each weapon's own
    QTest::newRow("first category by total") << 0 << -1 << -1;
    QTest::newRow("katana by its second region") << 3 << 1 << -1;
    QTest::newRow("all at the slider's sharpness") << 2 << -1 << 2;
  }

  void rankingAgreesWithTheTool() {
    QFETCH(int, nCategoryEntry);
    QFETCH(int, nRegion);
    QFETCH(int, nSharpness);
    m_pStore.reset();
    CDataManager::GetInstance().SetDataDirectory(VELKAR_SAMPLE_DATA_DIR);
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    QVERIFY2(Calc(dlg).GetCategories().size() > 3, "the sample data files are missing");
    Control<QComboBox>(dlg, 1001)->setCurrentIndex(nCategoryEntry);
    PickWeaponAndMotions(dlg, 1, {0, 2, 2});
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(2);
    for (const int nId : {1017, 1021}) ClickCheck(dlg, nId);
    QStringList arrArg = {
        "rank",       "--json",
        "--category", QString::number(Calc(dlg).GetCategories()[size_t(nCategoryEntry)].nCategory),
        "--monster",  "2",
        "--anger",    "--modifier",
        "1021",       "--motion",
        "0",          "--motion",
        "2",          "--motion",
        "2"};
    QTest::keyClick(&dlg, Qt::Key_R, Qt::ControlModifier);
    CRankingDlg* pRanking = dlg.GetRankingDlg();
    QVERIFY(pRanking != nullptr && pRanking->isVisible());
    if (nSharpness >= 0) {
      Control<QSlider>(dlg, 1009)->setValue(nSharpness);
      QTest::mouseRelease(Control<QSlider>(dlg, 1009), Qt::LeftButton);
      ClickCheck(pRanking->findChild<QCheckBox*>(QStringLiteral("rankingSameSharpness")));
      arrArg << "--sharpness" << QString::number(nSharpness);
    }
    if (nRegion >= 0) {
      auto* pOrder = pRanking->findChild<QComboBox*>(QStringLiteral("rankingOrder"));
      pOrder->setCurrentIndex(nRegion + 1);
      arrArg << "--region" << pOrder->currentText();
    }
    const QJsonArray arrRanked = QJsonDocument::fromJson(RunTool(VELKAR_SAMPLE_DATA_DIR, arrArg))
                                     .object()
                                     .value("ranking")
                                     .toArray();
    QVERIFY(arrRanked.size() > 2);
    QStringList arrExpected, arrShown;
    for (const QJsonValue& value : arrRanked) {
      const QJsonObject ranked = value.toObject();
      arrExpected << QString::number(ranked.value("rank").toInt())
                  << ranked.value("weapon").toString()
                  << FromSjis(CDataManager::GetSharpnessName(ranked.value("sharpness").toInt()))
                  << QString::number(ranked.value("total").toInteger());
      if (nRegion >= 0)
        arrExpected << QString::number(ranked.value("damage").toArray().at(nRegion).toInt());
    }
    for (int nRow = 0; nRow < arrRanked.size(); ++nRow) {
      for (const int nColumn : {CRankingDlg::COLUMN_RANK, CRankingDlg::COLUMN_WEAPON,
                                CRankingDlg::COLUMN_SHARPNESS, CRankingDlg::COLUMN_TOTAL}) {
        arrShown << RankingColumn(dlg, nColumn).value(nRow);
      }
      if (nRegion >= 0) arrShown << RankingColumn(dlg, CRankingDlg::COLUMN_REGION).value(nRow);
    }
    QCOMPARE(arrShown, arrExpected);
    QCOMPARE(Calc(dlg).GetWeaponSelection(), 1);  // the main window's calculation is left alone

    auto* pList = pRanking->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
    pList->setFocus();
    pList->setCurrentItem(pList->topLevelItem(pList->topLevelItemCount() - 1));
    QTest::keyClick(pList, Qt::Key_Return);
    const QJsonObject last = arrRanked.last().toObject();
    QCOMPARE(Calc(dlg).GetWeaponSelection(), last.value("index").toInt());
    QCOMPARE(Calc(dlg).GetSharpnessPosition(), last.value("sharpness").toInt());
    QStringList arrDamage;
    for (const QJsonValue& value : last.value("damage").toArray())
      arrDamage.append(QString::number(value.toInt()));
    QCOMPARE(ResultColumn(dlg, 3), arrDamage);
  }

  // Tied weapons share a rank; the list follows the main window; a
  // double-click selects; a region keeps its name across monsters.
  void rankingTiesFollowsAndSelects() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    dlg.OnSysCommand(kCommandRanking);
    CRankingDlg* pRanking = dlg.GetRankingDlg();
    QVERIFY(pRanking != nullptr && pRanking->isVisible() && !pRanking->isModal());
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "1", "1", "1"}));
    PickWeaponAndMotions(dlg, 0, {0});
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "2", "3", "3"}));
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_WEAPON).mid(2),
             (QStringList{U("鉄の片手剣"), U("鋼の片手剣")}));
    const QStringList arrBefore = RankingColumn(dlg, CRankingDlg::COLUMN_TOTAL);
    ClickCheck(dlg, 1040);
    QVERIFY(RankingColumn(dlg, CRankingDlg::COLUMN_TOTAL)[3].toInt() > arrBefore[3].toInt());
    auto* pList = pRanking->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
    const QPoint ptTwin =
        pList->visualRect(pList->model()->index(3, CRankingDlg::COLUMN_WEAPON)).center();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, ptTwin);
    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, ptTwin);
    QCOMPARE(Calc(dlg).GetWeaponSelection(), 3);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->currentRow(), 3);
    int nSum = 0;
    for (const QString& strDamage : ResultColumn(dlg, 3)) nSum += strDamage.toInt();
    QCOMPARE(QString::number(nSum), RankingColumn(dlg, CRankingDlg::COLUMN_TOTAL)[3]);
    auto* pOrder = pRanking->findChild<QComboBox*>(QStringLiteral("rankingOrder"));
    pOrder->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    QCOMPARE(pOrder->count(), 3);
    QCOMPARE(pOrder->currentText(), U("頭"));
    QVERIFY(!pList->isColumnHidden(CRankingDlg::COLUMN_REGION));
  }

  // Ctrl+P pins the rows: a fifth column shows each region's difference
  // (matched by name), the report stays as it was, and unpinning restores
  // the four columns.
  void pinnedBaselineShowsTheDifferences() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!dlg.IsBaselinePinned());  // nothing to pin without rows
    PickWeaponAndMotions(dlg, 0, {0, 1});
    const QStringList arrBaseline = ResultColumn(dlg, 3);
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(dlg.IsBaselinePinned());
    QCOMPARE(ResultColumn(dlg, 4), (QStringList{U("±0"), U("±0"), U("±0")}));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    QStringList arrExpected;
    for (int i = 0; i < 3; ++i)
      arrExpected.append(Difference(ResultColumn(dlg, 3)[i].toInt() - arrBaseline[i].toInt()));
    QCOMPARE(ResultColumn(dlg, 4), arrExpected);
    ClickButton(dlg, 1016);
    QCOMPARE(QGuiApplication::clipboard()->text(), FromSjis(*BuildReportFromCalculator(Calc(dlg))));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    QCOMPARE(ResultColumn(dlg, 4),
             (QStringList{Difference(ResultColumn(dlg, 3)[0].toInt() - arrBaseline[0].toInt()),
                          U("―")}));
    QVERIFY(ResultColumn(dlg, 4)[0].startsWith('-'));
    for (int nColumn = 0; nColumn < 5; ++nColumn) {
      QVERIFY(pResult->columnWidth(nColumn) > 0 &&
              pResult->columnViewportPosition(nColumn) + pResult->columnWidth(nColumn) <=
                  pResult->viewport()->width());
    }
    dlg.OnSysCommand(kCommandPin);
    QVERIFY(!dlg.IsBaselinePinned());
    QCOMPARE(pResult->GetColumnCount(), 4);
    QCOMPARE(pResult->header()->length(), 40 + 40 + 40 + 45);
  }

private:
  static const CCalculator& Calc(const CVelkarDlg& dlg) { return dlg.GetCalculator(); }
};

VELKAR_UI_TEST(SetupAndRankingTest)
#include "SetupAndRankingTest.moc"
