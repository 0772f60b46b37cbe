// The window's other windows and what it remembers: the setup restored after
// a restart, builds passed between the window and velkar-tool both ways, the
// ranking dialog against velkar-tool rank, and the pinned baseline's
// difference column.
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "calc/ReportText.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/RankingDlg.h"
#include "text/SjisText.h"

namespace {

// A setup by list positions: weapon, hit correction, monster, then the
// motions; always the lowest sharpness, 上位, anger and two
// modifiers.
void Play(const CVelkarDlg& dlg, const QList<int>& arrClick) {
  ClickEntry(Control<CWeaponListBox>(dlg, 1002), arrClick[0]);
  for (const int nMotion : arrClick.mid(3)) PickWeaponAndMotions(dlg, -1, {nMotion});
  PressKey(Control<QSlider>(dlg, 1009), Qt::Key_Home);
  Control<QComboBox>(dlg, 1008)->setCurrentIndex(arrClick[2]);
  Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
  Control<QComboBox>(dlg, 1015)->setCurrentIndex(arrClick[1]);
  for (const int nId : {1017, 1019, 1021}) ClickCheck(dlg, nId);
}

// Everything a setup decides, as the window shows it.
QStringList Shown(const CVelkarDlg& dlg) {
  QStringList arrShown = Entries(Control<QListWidget>(dlg, 1004)) + ResultColumn(dlg, 3);
  for (const int nId : {1001, 1008, 1014, 1015})
    arrShown << Control<QComboBox>(dlg, nId)->currentText();
  for (const int nId : {1010, 1011, 1012}) arrShown << Control<QLabel>(dlg, nId)->text();
  for (int nId = 1017; nId <= 1041; ++nId)
    arrShown << QString::number(Control<QCheckBox>(dlg, nId)->isChecked());
  return arrShown;
}

// velkar-tool's JSON answer to a command line, given as words.
QJsonObject RunTool(const std::string& strDir, const QString& strArguments) {
  QProcess tool;
  tool.start(QStringLiteral(VELKAR_TOOL_PATH),
             QStringList{"--dir", QString::fromStdString(strDir)} + strArguments.split(' '));
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
    qWarning("velkar-tool: %s", tool.readAllStandardError().constData());
  return QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
}

QStringList RankingColumn(const CVelkarDlg& dlg, int nColumn) {
  QStringList arrText;
  const auto* pList = dlg.GetRankingDlg()->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
  for (int i = 0; i < pList->topLevelItemCount(); ++i)
    arrText.append(pList->topLevelItem(i)->text(nColumn));
  return arrText;
}

// A file of the settings folder, written as a player's editor would.
void WriteConfig(const char* pszName, const char* pszText) {
  std::filesystem::create_directories(CSetupStore::DefaultFolder());
  std::ofstream(CSetupStore::DefaultFolder() + pszName, std::ios::binary | std::ios::trunc)
      << pszText;
}

QString Difference(int nDelta) {
  return nDelta == 0 ? U("±0")
                     : (nDelta > 0 ? QStringLiteral("+") : QString()) + QString::number(nDelta);
}

}  // namespace

class SetupAndRankingTest : public CWindowFixture {
  Q_OBJECT

private slots:
  void setupIsRestoredAfterARestart() {
    QStringList arrPlayed;
    {
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      Play(dlg, {1, 1, 1, 1, 0, 1, 2});
      arrPlayed = Shown(dlg);
      QTest::keyClick(&dlg, Qt::Key_Escape);
    }
    RenewStore();
    CVelkarDlg dlg;
    dlg.RestoreLastSetup();  // as CVelkarApp does before showing it
    QVERIFY(ShowActive(dlg));
    QCOMPARE(Shown(dlg), arrPlayed);
    QVERIFY(arrPlayed.contains(U("溜め回転斬り")) &&
            dlg.GetCalculator().GetResultRows().at(0).nDamage > 0);
  }

  void buildsPassBetweenWindowAndTool() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    Play(dlg, {1, 1, 1, 1, 0, 1, 2});
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    CBuildsDlg* pBuilds = dlg.GetBuildsDialog();
    QVERIFY(pBuilds != nullptr && pBuilds->isVisible());
    auto* pName = pBuilds->findChild<QLineEdit*>(QStringLiteral("buildName"));
    auto* pList = pBuilds->findChild<QListWidget*>(QStringLiteral("buildList"));
    const auto Press = [&](const char* pszButton) {
      QTest::mouseClick(pBuilds->findChild<QPushButton*>(pszButton), Qt::LeftButton);
    };
    pName->setText(U("炎剣上位"));
    Press("buildSave");
    QCOMPARE(Entries(pList), QStringList{U("炎剣上位")});  // listed at once
    QStringList arrToolDamage;
    for (const QJsonValue& row :
         RunTool(m_pDir->Path(), U("report --build 炎剣上位 --json")).value("rows").toArray()) {
      arrToolDamage.append(row.toObject().value("cells").toArray().at(3).toString());
    }
    QCOMPARE(arrToolDamage, ResultColumn(dlg, 3));

    RunTool(m_pDir->Path(), U("save-build 道具 --category 0 --weapon 2 --motion 0 --monster 1"));
    pBuilds->hide();
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);  // shown again: read again
    QCOMPARE(Entries(pList), (QStringList{U("炎剣上位"), U("道具")}));
    ClickEntry(pList, 1);
    Press("buildLoad");
    const CCalculator& calc = dlg.GetCalculator();
    QVERIFY(calc.GetWeaponSelection() == 2 && calc.GetMonsterSelection() == 1 &&
            calc.BuildModifierMask() == 0);
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)), QStringList{U("縦斬り")});
    pName->setText(U("道具2"));
    Press("buildRename");
    ClickEntry(pList, 0);
    Press("buildDelete");
    QCOMPARE(m_pAnswerer->Take().value(0).strText, U("「炎剣上位」を削除しますか？"));
    const QJsonArray arrBuild = RunTool(m_pDir->Path(), "builds --json").value("builds").toArray();
    QCOMPARE(arrBuild.size(), 1);
    QCOMPARE(arrBuild[0].toObject().value("name").toString(), U("道具2"));
  }

  // A hand-edited builds file: two builds of one name are marked apart, a
  // name with a line feed keeps to one row, Load and Delete act on the very
  // entry chosen, and the note under the list says what a build could not
  // restore, and why the list is empty when the file cannot be used.
  void buildsDialogActsOnTheChosenEntry() {
    WriteConfig("builds.json", R"({"format": "velkar-builds", "version": 1, "builds": [
      {"name": "dup", "setup": {"category": 0, "weapon": "鉄の片手剣"}},
      {"name": "a\nb", "setup": {}},
      {"name": "dup", "setup": {"category": 0, "weapon": "焔刃ヴァルゼナ", "monster": "幻の竜",
                                "motions": ["縦斬り", "幻斬り", "幻斬り"]}}]})");
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    CBuildsDlg* pBuilds = dlg.GetBuildsDialog();
    auto* pList = pBuilds->findChild<QListWidget*>(QStringLiteral("buildList"));
    auto* pNote = pBuilds->findChild<QLabel*>(QStringLiteral("buildsNote"));
    QCOMPARE(Entries(pList),
             (QStringList{U("dup　（同名 1/2）"), U("a\\nb"), U("dup　（同名 2/2）")}));
    ClickEntry(pList, 2);
    QTest::mouseClick(pBuilds->findChild<QPushButton*>("buildLoad"), Qt::LeftButton);
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), 1);
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)), QStringList{U("縦斬り")});
    QCOMPARE(pNote->text(), U("次のものは今のデータにないため、復元できませんでした：\n"
                              "モーション「幻斬り」\nモンスター「幻の竜」"));
    QTest::mouseClick(pBuilds->findChild<QPushButton*>("buildDelete"), Qt::LeftButton);
    QCOMPARE(m_pAnswerer->Take().value(0).strText, U("「dup」を削除しますか？"));
    QCOMPARE(Entries(pList), (QStringList{U("dup"), U("a\\nb")}));
    QCOMPARE(CSetupStore().FindBuilds("dup").at(0).build.setup.strWeapon, ToSjis(U("鉄の片手剣")));
    WriteConfig("builds.json", R"({"builds": )");
    pBuilds->hide();
    dlg.OnSysCommand(kCommandBuilds);
    QCOMPARE(Entries(pList), QStringList());
    QCOMPARE(pNote->text(),
             U("ビルドのファイルを使えないため、一覧は空です。ファイルはそのままにして"
               "あり、ビルドの保存や変更はできません。\n"
               "builds.json：JSON として読めません（11 バイト目）"));
  }

  // What the last setup named that the data no longer holds is said once the
  // window is on screen; the rest is restored.
  void startSaysWhatTheLastSetupLacks() {
    WriteConfig("last-setup.json", R"({"format": "velkar-setup", "version": 1, "setup": {
      "category": 0, "weapon": "幻剣", "monster": "大猿獣ゴルバッカ", "level": "G級"}})");
    CVelkarDlg dlg;
    dlg.RestoreLastSetup();
    dlg.show();
    QList<AnsweredWindow_t> arrAnswered;
    QTRY_VERIFY(!(arrAnswered += m_pAnswerer->Take()).isEmpty());
    QCOMPARE(arrAnswered[0].strText, U("次のものは今のデータにないため、復元できませんでした：\n"
                                       "武器「幻剣」\nレベル「G級」"));
    QCOMPARE(dlg.GetCalculator().GetMonsterSelection(), 1);
  }

  // The ranking dialog follows the main window: with no motion every weapon
  // ties; by one region at the slider's sharpness it ranks as velkar-tool
  // rank does, twins sharing a rank; Enter on an entry selects that weapon.
  void rankingFollowsAndAgreesWithTheTool() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    dlg.OnSysCommand(kCommandRanking);
    CRankingDlg* pRanking = dlg.GetRankingDlg();
    QVERIFY(pRanking != nullptr && pRanking->isVisible() && !pRanking->isModal());
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "1", "1", "1"}));
    PickWeaponAndMotions(dlg, 0, {0, 2});
    ClickCheck(dlg, 1040);
    ClickCheck(pRanking->findChild<QCheckBox*>(QStringLiteral("rankingSameSharpness")));
    auto* pOrder = pRanking->findChild<QComboBox*>(QStringLiteral("rankingOrder"));
    pOrder->setCurrentIndex(2);
    const QJsonArray arrRanked =
        RunTool(m_pDir->Path(), U("rank --json --category 0 --motion 0 --motion 2 "
                                  "--modifier 1040 --sharpness 2 --region 背中の岩殻"))
            .value("ranking")
            .toArray();
    QStringList arrExpected;
    for (const QJsonValue& value : arrRanked) {
      const QJsonObject ranked = value.toObject();
      arrExpected << QStringLiteral("%1 %2 %3")
                         .arg(ranked.value("rank").toInt())
                         .arg(ranked.value("weapon").toString())
                         .arg(ranked.value("damage").toArray().at(1).toInt());
    }
    QStringList arrShown = RankingColumn(dlg, CRankingDlg::COLUMN_RANK);
    for (int i = 0; i < arrShown.size(); ++i) {
      arrShown[i] += ' ' + RankingColumn(dlg, CRankingDlg::COLUMN_WEAPON)[i] + ' ' +
                     RankingColumn(dlg, CRankingDlg::COLUMN_REGION)[i];
    }
    QCOMPARE(arrShown, arrExpected);
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "2", "3", "3"}));
    auto* pList = pRanking->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
    const QPoint ptTwin = pList->visualRect(pList->model()->index(3, 0)).center();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, ptTwin);
    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, ptTwin);
    QCOMPARE(pList->currentIndex().row(), 3);  // the list marks the main window's weapon
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(),
             arrRanked[3].toObject().value("index").toInt());
    QCOMPARE(ResultColumn(dlg, 3)[1], RankingColumn(dlg, CRankingDlg::COLUMN_REGION)[3]);
    pOrder->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);  // a region keeps its name
    QCOMPARE(Entries(pOrder).mid(1), (QStringList{U("頭"), U("腕")}));
    QCOMPARE(pOrder->currentText(), U("頭"));
    pOrder->setCurrentIndex(0);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(0);  // by total stays by total
    QCOMPARE(pOrder->currentIndex(), 0);
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
    QCOMPARE(ResultColumn(dlg, 4), (QStringList{U("±0"), U("±0"), U("±0")}));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    QStringList arrExpected;
    for (int i = 0; i < 3; ++i)
      arrExpected.append(Difference(ResultColumn(dlg, 3)[i].toInt() - arrBaseline[i].toInt()));
    QCOMPARE(ResultColumn(dlg, 4), arrExpected);
    ClickButton(dlg, 1016);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             FromSjis(*BuildReportFromCalculator(dlg.GetCalculator())));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    const int nHead = ResultColumn(dlg, 3)[0].toInt();
    QCOMPARE(ResultColumn(dlg, 4),
             (QStringList{Difference(nHead - arrBaseline[0].toInt()), U("―")}));
    QVERIFY(nHead < arrBaseline[0].toInt());
    dlg.OnSysCommand(kCommandPin);
    QVERIFY(!dlg.IsBaselinePinned());
    QCOMPARE(pResult->GetColumnCount(), 4);
    QCOMPARE(pResult->header()->length(), 40 + 40 + 40 + 45);
  }
};

VELKAR_UI_TEST(SetupAndRankingTest)
#include "SetupAndRankingTest.moc"
