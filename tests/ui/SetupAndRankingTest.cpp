// The window's other windows and what it remembers: builds passed between
// the window and velkar-tool both ways, the weapon table against velkar-tool
// rank, a modifier's tooltip as the core words it and the gains view against
// velkar-tool gains, the pinned baseline's difference column, the comparison
// against velkar-tool compare, build codes on the clipboard, undo and redo,
// and a window that grows its lists.
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <fstream>

#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "calc/GainText.h"
#include "calc/ReportText.h"
#include "chart/ChartBuilders.h"
#include "data/DataManager.h"
#include "dialogs/BreakdownDlg.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/ChartDlg.h"
#include "dialogs/ComparisonDlg.h"
#include "dialogs/GainsDlg.h"
#include "dialogs/RankingDlg.h"
#include "setup/BuildCode.h"
#include "setup/Loadout.h"
#include "text/SjisText.h"
#include "widgets/BaselineColumn.h"

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

// velkar-tool's output for a command line, given as words.
QByteArray ToolOutput(const std::string& strDir, const QString& strArguments) {
  QProcess tool;
  tool.start(QStringLiteral(VELKAR_TOOL_PATH),
             QStringList{"--dir", QString::fromStdString(strDir)} + strArguments.split(' '));
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
    qWarning("velkar-tool: %s", tool.readAllStandardError().constData());
  return tool.readAllStandardOutput();
}

// velkar-tool's JSON answer to a command line, given as words.
QJsonObject RunTool(const std::string& strDir, const QString& strArguments) {
  return QJsonDocument::fromJson(ToolOutput(strDir, strArguments)).object();
}

// One column of the weapon table, top to bottom.
QStringList RankingColumn(const CVelkarDlg& dlg, int nColumn) {
  QStringList arrText;
  const auto* pList = Child<QTreeWidget>(dlg.GetRankingDlg(), "rankingList");
  for (int i = 0; i < pList->topLevelItemCount(); ++i)
    arrText.append(pList->topLevelItem(i)->text(nColumn));
  return arrText;
}

// The weapon table's rows as "rank weapon attack damage", the best weapon's
// rank with its mark.
QStringList TableRows(const CVelkarDlg& dlg) {
  QStringList arrRow = RankingColumn(dlg, CRankingDlg::COLUMN_RANK);
  for (const int nColumn :
       {CRankingDlg::COLUMN_WEAPON, CRankingDlg::COLUMN_ATTACK, CRankingDlg::COLUMN_DAMAGE})
    for (int i = 0; const QString& strText : RankingColumn(dlg, nColumn))
      arrRow[i++] += ' ' + strText;
  return arrRow;
}

// The same rows from velkar-tool rank's JSON: damage on the region of index
// nRegion (or the total for -1); rank 1 with damage is the best.
QStringList ToolRows(const QJsonObject& ranking, int nRegion) {
  QStringList arrRow;
  for (const QJsonValue& value : ranking.value("ranking").toArray()) {
    const QJsonObject ranked = value.toObject();
    const int nDamage = nRegion < 0 ? ranked.value("total").toInt()
                                    : ranked.value("damage").toArray().at(nRegion).toInt();
    const int nRank = ranked.value("rank").toInt();
    arrRow << QStringLiteral("%1 %2 %3 %4")
                  .arg(nRank == 1 && nDamage > 0 ? U("1 最高") : QString::number(nRank),
                       ranked.value("weapon").toString())
                  .arg(ranked.value("attack").toInt())
                  .arg(nDamage);
  }
  return arrRow;
}

// Every text of a window that is cut: a label's, a button's or a drop-down
// list's wider or taller than its room, an item view's cell or header wider
// than its section, a result cell that the list shortens.
QStringList CutTexts(const QWidget& window) {
  QStringList arrCut;
  const auto Check = [&arrCut](const QWidget* pWidget, QString strText, const QRect& rc) {
    const QFontMetrics metrics(pWidget->font());
    // An access key's "&" is not drawn ("&&" draws one).
    strText.replace(QStringLiteral("&&"), QStringLiteral("\x01"))
        .remove(u'&')
        .replace(u'\x01', u'&');
    const QStringList arrLine = strText.split('\n');
    int nWidth = 0;
    for (const QString& strLine : arrLine)
      nWidth = std::max(nWidth, metrics.horizontalAdvance(strLine));
    if (nWidth > rc.width() || metrics.height() * arrLine.size() > rc.height())
      arrCut << pWidget->objectName() + ": " + strText;
  };
  for (const QLabel* pLabel : window.findChildren<QLabel*>()) {
    if (pLabel->isVisible() && !pLabel->wordWrap() && !pLabel->text().isEmpty())
      Check(pLabel, pLabel->text(), pLabel->contentsRect());
  }
  for (const QAbstractButton* pButton : window.findChildren<QAbstractButton*>()) {
    // Push buttons and check boxes; a table's corner and a line edit's clear
    // icon are buttons without text.
    const bool bCheck = pButton->inherits("QCheckBox");
    if (!bCheck && !pButton->inherits("QPushButton")) continue;
    QStyleOptionButton option;
    option.initFrom(pButton);
    const auto eContents = bCheck ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents;
    Check(pButton, pButton->text(), pButton->style()->subElementRect(eContents, &option, pButton));
  }
  for (const QComboBox* pCombo : window.findChildren<QComboBox*>()) {
    QStyleOptionComboBox option;
    option.initFrom(pCombo);
    option.editable = pCombo->isEditable();
    for (int i = 0; i < pCombo->count(); ++i) {
      Check(pCombo, pCombo->itemText(i),
            pCombo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                            QStyle::SC_ComboBoxEditField, pCombo));
    }
  }
  for (const QAbstractItemView* pView : window.findChildren<QAbstractItemView*>()) {
    if (!pView->isVisible()) continue;
    const int nMargin = 2 * (pView->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
    const QAbstractItemModel* pModel = pView->model();
    for (int nRow = 0; nRow < pModel->rowCount(); ++nRow) {
      for (int nColumn = 0; nColumn < pModel->columnCount(); ++nColumn) {
        const QModelIndex index = pModel->index(nRow, nColumn);
        const QRect rc = pView->visualRect(index);
        if (rc.isValid()) Check(pView, index.data().toString(), rc.adjusted(0, 0, -nMargin, 0));
      }
    }
  }
  for (const QHeaderView* pHeader : window.findChildren<QHeaderView*>()) {
    for (int i = 0; pHeader->isVisible() && i < pHeader->count(); ++i) {
      if (!pHeader->isSectionHidden(i) && pHeader->sectionSize(i) < pHeader->sectionSizeHint(i))
        arrCut << pHeader->model()->headerData(i, pHeader->orientation()).toString();
    }
  }
  for (const CColorListCtrl* pList : window.findChildren<CColorListCtrl*>()) {
    for (int nRow = 0; nRow < pList->GetRowCount(); ++nRow) {
      for (int nColumn = 0; nColumn < pList->GetColumnCount(); ++nColumn) {
        const QString strText = pList->GetCellText(nRow, nColumn);
        const int nMargin =
            nColumn == 0 ? CColorListCtrl::kFirstColumnMargin : CColorListCtrl::kColumnMargin;
        if (pList->ShortenToFit(strText, pList->header()->sectionSize(nColumn), nMargin) != strText)
          arrCut << strText;
      }
    }
  }
  return arrCut;
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
  void buildsPassBetweenWindowAndTool() {
    CShownDlg dlg(m_pDir->Path());
    Play(dlg, {1, 1, 1, 1, 0, 1, 2});
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    CBuildsDlg* pBuilds = dlg.GetBuildsDialog();
    QVERIFY(pBuilds != nullptr);  // Ctrl+B opens the builds window
    auto* pName = Child<QLineEdit>(pBuilds, "buildName");
    auto* pList = Child<QListWidget>(pBuilds, "buildList");
    const auto Press = [&](const char* pszButton) {
      QTest::mouseClick(Child<QPushButton>(pBuilds, pszButton), Qt::LeftButton);
    };
    pName->setText(U("炎剣上位"));
    Press("buildSave");
    QCOMPARE(Entries(pList), QStringList{U("炎剣上位")});  // listed at once
    QStringList arrToolDamage;
    for (const QJsonValue& row :
         RunTool(m_pDir->Path(), U("report --build 炎剣上位 --json")).value("rows").toArray())
      arrToolDamage.append(row.toObject().value("cells").toArray().at(3).toString());
    QCOMPARE(arrToolDamage, ResultColumn(dlg, 3));

    RunTool(m_pDir->Path(), U("save-build 道具 --category 0 --weapon 2 --motion 0 --monster 1"));
    pBuilds->hide();
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);  // shown again: read again
    QCOMPARE(Entries(pList), (QStringList{U("炎剣上位"), U("道具")}));
    pList->selectAll();  // both as one code, imported again under free names
    Press("buildCopyCode");
    Press("buildImportCode");
    m_pAnswerer->Take();
    QCOMPARE(Entries(pList).mid(2), (QStringList{U("炎剣上位 (2)"), U("道具 (2)")}));
    ClickEntry(pList, 1);
    pName->setText(U("道具2"));
    Press("buildRename");
    ClickEntry(pList, 0);
    Press("buildDelete");
    QCOMPARE(m_pAnswerer->Take().value(0).strText, U("「炎剣上位」を削除しますか？"));
    const QJsonArray arrBuild = RunTool(m_pDir->Path(), "builds --json").value("builds").toArray();
    QCOMPARE(arrBuild.size(), 3);
    QCOMPARE(arrBuild[0].toObject().value("name").toString(), U("道具2"));
    QCOMPARE(arrBuild[2].toObject().value("setup").toObject().value("weapon"),
             arrBuild[0].toObject().value("setup").toObject().value("weapon"));
    ClickEntry(pList, 0);  // the one chosen build of three as a code
    Press("buildCopyCode");
    CodeError_t error;
    const auto code = DecodeBuildCode(QGuiApplication::clipboard()->text().toStdString(), error);
    QVERIFY2(code, DescribeCodeError(error).c_str());
    QCOMPARE(code->arrBuild.size(), size_t{1});
    QCOMPARE(code->arrBuild[0].strName, ToSjis(U("道具2")));
    pList->clearSelection();  // Enter on an entry not chosen loads nothing
    QTest::keyClick(pList, Qt::Key_Return);
    // 200 builds of two names, one long: numbered at once and told within the screen.
    std::vector<Build_t> arrSame(200, Build_t{"a", {}});
    arrSame[0].strName = arrSame[1].strName = std::string(300, 'x');
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(EncodeBuildCode({0, arrSame}, error).value()));
    Press("buildImportCode");
    const AnsweredWindow_t told = m_pAnswerer->Take().value(0);
    QCOMPARE(told.strText.section(u'\n', 0, 3),
             U("200 件のビルドを取り込みました。\nこのコードは別のデータファイルで作られました。\n"
               "名前を変えたもの：\n「") +
                 QString(24, 'x') + U("…xxxxxxxxxxxx」→「") + QString(24, 'x') +
                 U("…xxxxxxxx (2)」"));
    QCOMPARE(told.strText.section(u'\n', -2), U("「a」→「a (8)」\nほか 190 件"));
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(told.rect));
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
    CShownDlg dlg(m_pDir->Path());
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    CBuildsDlg* pBuilds = dlg.GetBuildsDialog();
    auto* pList = Child<QListWidget>(pBuilds, "buildList");
    auto* pNote = Child<QLabel>(pBuilds, "buildsNote");
    QCOMPARE(Entries(pList),
             (QStringList{U("dup　（同名 1/2）"), U("a\\nb"), U("dup　（同名 2/2）")}));
    ClickEntry(pList, 2);
    QTest::mouseClick(Child<QPushButton>(pBuilds, "buildLoad"), Qt::LeftButton);
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), 1);
    QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)), QStringList{U("縦斬り")});
    QCOMPARE(pNote->text(), U("次のものは今のデータにないため、復元できませんでした：\n"
                              "モーション「幻斬り」\nモンスター「幻の竜」"));
    QTest::mouseClick(Child<QPushButton>(pBuilds, "buildDelete"), Qt::LeftButton);
    QCOMPARE(m_pAnswerer->Take().value(0).strText, U("「dup」を削除しますか？"));
    QCOMPARE(Entries(pList), (QStringList{U("dup"), U("a\\nb")}));
    const std::vector<ListedBuild_t> arrLeft = CSetupStore().FindBuilds("dup");
    QCOMPARE(arrLeft.size(), size_t{1});
    QCOMPARE(arrLeft[0].build.setup.strWeapon, ToSjis(U("鉄の片手剣")));
    WriteConfig("builds.json", R"({"builds": )");
    pBuilds->hide();
    dlg.OnSysCommand(kCommandBuilds);
    QCOMPARE(Entries(pList), QStringList());
    QCOMPARE(pNote->text(),
             U("ビルドのファイルを使えないため、一覧は空です。ファイルはそのままにして"
               "あり、ビルドの保存や変更はできません。\n"
               "builds.json：JSON として読めません（11 バイト目）"));
  }

  // Builds whose names come to more than a code holds are refused with the
  // reason, and the clipboard keeps what it had.
  void buildsTooLongForACodeAreRefused() {
    WriteConfig("builds.json",
                (R"({"format": "velkar-builds", "version": 1, "builds": [{"name": ")" +
                 std::string(70000, 'x') + R"(", "setup": {}}]})")
                    .c_str());
    CShownDlg dlg(m_pDir->Path());
    QTest::keyClick(&dlg, Qt::Key_B, Qt::ControlModifier);
    Child<QListWidget>(dlg.GetBuildsDialog(), "buildList")->selectAll();
    QTest::mouseClick(Child<QPushButton>(dlg.GetBuildsDialog(), "buildCopyCode"), Qt::LeftButton);
    QTRY_COMPARE(QToolTip::text(), U("この設定はコードにできません。"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
  }

  // What the last setup named that the data no longer holds is said once the
  // window is on screen; the rest is restored.
  void startSaysWhatTheLastSetupLacks() {
    WriteConfig("last-setup.json", R"({"format": "velkar-setup", "version": 1, "setup": {
      "category": 0, "weapon": "幻剣", "monster": "大猿獣ゴルバッカ", "level": "G級"}})");
    CVelkarDlg dlg(m_pDir->Path());
    dlg.RestoreLastSetup();
    dlg.show();
    QList<AnsweredWindow_t> arrAnswered;
    QTRY_VERIFY(!(arrAnswered += m_pAnswerer->Take()).isEmpty());
    QCOMPARE(arrAnswered[0].strText, U("次のものは今のデータにないため、復元できませんでした：\n"
                                       "武器「幻剣」\nレベル「G級」"));
    QCOMPARE(dlg.GetCalculator().GetMonsterSelection(), 1);
  }

  // The weapon table follows the main window: with no motion every weapon
  // ties (and none is the best); by one region at the slider's sharpness, then
  // sorted by a header and filtered by element and name, it lists what
  // velkar-tool rank does, twins sharing a rank; Enter on an entry selects
  // that weapon.
  void weaponTableFollowsAndAgreesWithTheTool() {
    CShownDlg dlg(m_pDir->Path());
    QTest::keyClick(&dlg, Qt::Key_R, Qt::ControlModifier);
    CRankingDlg* pRanking = dlg.GetRankingDlg();
    QCOMPARE(WindowState(pRanking), U("shown"));
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "1", "1", "1"}));
    PickWeaponAndMotions(dlg, 0, {0, 2});
    ClickCheck(dlg, 1040);
    ClickCheck(Child<QCheckBox>(pRanking, "rankingSameSharpness"));
    auto* pOrder = Child<QComboBox>(pRanking, "rankingOrder");
    pOrder->setCurrentIndex(2);
    const QString strSetup =
        U("rank --json --category 0 --motion 0 --motion 2 --modifier 1040 "
          "--sharpness 2 --region 背中の岩殻");
    const auto ToolTable = [&](const QString& strOrder) {
      return ToolRows(RunTool(m_pDir->Path(), strSetup + strOrder), 1);
    };
    const QJsonObject ranked = RunTool(m_pDir->Path(), strSetup);
    QCOMPARE(TableRows(dlg), ToolRows(ranked, 1));
    auto* pList = Child<QTreeWidget>(pRanking, "rankingList");
    const auto ClickHeader = [pList](int nColumn) {
      QHeaderView* pHeader = pList->header();
      QTest::mouseClick(
          pHeader->viewport(), Qt::LeftButton, {},
          QPoint(pHeader->sectionViewportPosition(nColumn) + 4, pHeader->height() / 2));
    };
    ClickHeader(CRankingDlg::COLUMN_ATTACK);
    QCOMPARE(TableRows(dlg), ToolTable(" --sort attack"));
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // a click again, not a double-click
    ClickHeader(CRankingDlg::COLUMN_ATTACK);  // the other way round, as the arrow says
    QCOMPARE(TableRows(dlg), ToolTable(" --sort attack --reverse"));
    QCOMPARE(pList->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    Child<QComboBox>(pRanking, "rankingElement")->setCurrentIndex(1);  // 無
    Child<QLineEdit>(pRanking, "rankingName")->setText(U("鋼"));
    ClickHeader(CRankingDlg::COLUMN_WEAPON);
    QCOMPARE(TableRows(dlg), ToolTable(U(" --sort weapon --element 無 --name 鋼")));
    Child<QLineEdit>(pRanking, "rankingName")->clear();
    ClickHeader(CRankingDlg::COLUMN_RANK);
    Child<QComboBox>(pRanking, "rankingElement")->setCurrentIndex(0);
    const QPoint ptTwin = pList->visualRect(pList->model()->index(3, 0)).center();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, ptTwin);
    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, ptTwin);
    QCOMPARE(pList->currentIndex().row(), 3);  // the table marks the main window's weapon
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(),
             ranked.value("ranking").toArray()[3].toObject().value("index").toInt());
    QCOMPARE(ResultColumn(dlg, 3)[1], RankingColumn(dlg, CRankingDlg::COLUMN_DAMAGE)[3]);
    pOrder->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);  // a region keeps its name
    QCOMPARE(Entries(pOrder).mid(1), (QStringList{U("頭"), U("腕")}));
    QCOMPARE(pOrder->currentText(), U("頭"));
    pOrder->setCurrentIndex(0);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(0);  // by total stays by total
    QCOMPARE(pOrder->currentIndex(), 0);
  }

  // A modifier box's tooltip is the core's for the calculation on show; the
  // gains view lists every choice, largest first, as velkar-tool gains does.
  void modifierTipAndGainsAgreeWithTheTool() {
    const QString kGainsArgs = QStringLiteral(
        "gains --json --category 0 --weapon 1 --motion 0 --motion 2 --modifier 1040");
    CShownDlg dlg(m_pDir->Path());
    PickWeaponAndMotions(dlg, 1, {0, 2});
    ClickCheck(dlg, 1040);
    const QJsonObject gains = RunTool(m_pDir->Path(), kGainsArgs);
    // マイナス会心's tooltip, in place of 会心, is the core's (worked by hand in the gain rows).
    const ModifierInfo_t* pMinusCritical = FindModifier(1041);
    QVERIFY(pMinusCritical);
    AskForToolTip(Control<QCheckBox>(dlg, 1041), QPoint(4, 4));
    QTRY_COMPARE(QToolTip::text(),
                 FromSjis(ModifierTipText(*pMinusCritical, ComputeGains(dlg.GetCalculator()))));
    QToolTip::hideText();

    QTest::keyClick(&dlg, Qt::Key_G, Qt::ControlModifier);
    CGainsDlg* pGains = dlg.GetGainsDlg();
    QCOMPARE(WindowState(pGains), U("shown"));
    const auto* pList = Child<QTreeWidget>(pGains, "gainsList");
    QCOMPARE(pList->topLevelItemCount(), kModifierCount + 6);
    const QJsonObject best = gains.value("gains").toArray()[0].toObject();
    QCOMPARE(pList->topLevelItem(0)->text(CGainsDlg::COLUMN_TOTAL),
             QStringLiteral("+%1").arg(best.value("total").toInt()));
    QCOMPARE(pList->topLevelItem(0)->text(CGainsDlg::COLUMN_EFFECT),
             best.value("effect").toString());
    // The sharpness on show (blue) stands as ±0 just before the first loss.
    QTreeWidgetItem* pNow = pList->findItems(U("切れ味 青（今）"), Qt::MatchExactly).value(0);
    QVERIFY(pNow != nullptr);
    QCOMPARE(pNow->text(CGainsDlg::COLUMN_TOTAL), U("±0"));
    const QJsonArray arrGain = gains.value("gains").toArray();
    const auto itLoss = std::find_if(arrGain.begin(), arrGain.end(), [](const QJsonValue& gain) {
      return gain["total"].toInt() < 0;
    });
    QCOMPARE(pList->indexOfTopLevelItem(pNow), static_cast<int>(itLoss - arrGain.begin()));
    // Ranked by one region as the tool ranks it; a box that cannot be clicked
    // comes last, adding nothing.
    auto* pRegion = Child<QComboBox>(pGains, "gainsRegion");
    pRegion->setCurrentIndex(2);
    const QJsonArray byRegion =
        RunTool(m_pDir->Path(), kGainsArgs + " --region " + pRegion->currentText())
            .value("gains")
            .toArray();
    QCOMPARE(pList->topLevelItem(0)->text(CGainsDlg::COLUMN_REGION),
             QStringLiteral("+%1").arg(byRegion[0].toObject().value("damage")[1].toInt()));
    const QTreeWidgetItem* pLast = pList->topLevelItem(pList->topLevelItemCount() - 1);
    QVERIFY(pLast->isDisabled());
    QCOMPARE(pLast->text(CGainsDlg::COLUMN_TOTAL), U("±0"));
  }

  // At a 16-point desktop font every window's texts fit; the main window
  // starts at its smallest size, and a larger one gives its lists the room,
  // everything below them moving down with them.
  void windowGrowsAndLargeTextFits() {
    const QFont defaultFont = QApplication::font();
    QFont largeFont = defaultFont;
    largeFont.setPointSize(16);
    QApplication::setFont(largeFont);
    const auto restoreFont = qScopeGuard([&] { QApplication::setFont(defaultFont); });
    CShownDlg dlg(m_pDir->Path());
    QCOMPARE(dlg.font().pointSize(), 16);
    Play(dlg, {1, 1, 0, 1, 0, 2});
    for (const auto eKey : {Qt::Key_B, Qt::Key_R, Qt::Key_G, Qt::Key_H})
      QTest::keyClick(&dlg, eKey, Qt::ControlModifier);
    dlg.OpenBreakdown(1);
    const QList<const QWidget*> arrWindow = {&dlg,
                                             dlg.GetBuildsDialog(),
                                             dlg.GetRankingDlg(),
                                             dlg.GetGainsDlg(),
                                             dlg.GetChartDlg(),
                                             dlg.GetBreakdownDlg()};
    for (const QWidget* pWindow : arrWindow) QCOMPARE(CutTexts(*pWindow).join(u'|'), QString());

    const QSize smallest = dlg.minimumSize();
    QCOMPARE(dlg.size(), smallest);
    // Weapons, motions, results, the report button, a modifier and the
    // modifiers' frame: how far each moves (x y) and grows (width height).
    QList<QWidget*> arrWidget;
    for (const int nId : {1002, 1003, 1004, 1013, 1016, 1018}) arrWidget << dlg.GetControl(nId);
    arrWidget << Child<QWidget>(&dlg, "grpModifiers");
    QList<QRect> arrBefore;
    for (const QWidget* pWidget : arrWidget) arrBefore << pWidget->geometry();
    dlg.resize(smallest + QSize(200, 120));
    QList<QRect> arrMoved;
    for (int i = 0; i < arrWidget.size(); ++i) {
      const QRect rc = arrWidget[i]->geometry();
      arrMoved << QRect(rc.topLeft() - arrBefore[i].topLeft(), rc.size() - arrBefore[i].size());
    }
    // The weapons take a quarter of the width, the motions half the height
    // each, the results half the width; the modifiers move down.
    QCOMPARE(arrMoved, (QList<QRect>{{0, 0, 50, 120},
                                     {50, 0, 50, 60},
                                     {50, 60, 50, 60},
                                     {100, 0, 100, 120},
                                     {200, 0, 0, 0},
                                     {0, 120, 0, 0},
                                     {0, 120, 200, 0}}));
    dlg.resize(10, 10);
    QCOMPARE(dlg.size(), smallest);
  }

  // Ctrl+P pins the loadout on show: a fifth column shows each region's
  // difference to it, computed on the window's own monster and level (the
  // main window's own rows of the pinned weapon there are the independent
  // reference), the four narrowed, widest first and never below their
  // minimum, so that all five are in sight; the report stays as it was, and
  // unpinning restores the four columns.
  void pinnedBaselineFollowsTheTarget() {
    CShownDlg dlg(m_pDir->Path());
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    const int nLength = pResult->header()->length();
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!dlg.IsBaselinePinned());  // nothing to pin without rows
    PickWeaponAndMotions(dlg, 0, {0, 1});
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(ResultColumn(dlg, 4), (QStringList{U("±0"), U("±0"), U("±0")}));
    QVERIFY(pResult->header()->length() <= pResult->viewport()->width());  // all five in sight
    QCOMPARE(CBaselineColumn::NarrowToFit({50, 30, 50}, 10, 20), (std::vector<int>{20, 20, 20}));
    Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    const QStringList arrBaseline = ResultColumn(dlg, 3);  // the pinned weapon on 大猿獣
    QCOMPARE(ResultColumn(dlg, 4), (QStringList{U("±0"), U("±0")}));
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    ClickCheck(dlg, 1017);
    const QStringList arrNow = ResultColumn(dlg, 3);
    QVERIFY(arrNow != arrBaseline);
    ClickCheck(dlg, 1017);
    QStringList arrExpected;
    for (int i = 0; i < 2; ++i)
      arrExpected.append(Difference(ResultColumn(dlg, 3)[i].toInt() - arrBaseline[i].toInt()));
    QCOMPARE(ResultColumn(dlg, 4), arrExpected);
    ClickButton(dlg, 1016);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             FromSjis(BuildReportFromCalculator(dlg.GetCalculator()).value()));
    dlg.OnSysCommand(kCommandPin);
    QVERIFY(!dlg.IsBaselinePinned());
    QCOMPARE(pResult->GetColumnCount(), 4);
    QCOMPARE(pResult->header()->length(), nLength);
  }

  // The comparison opens beside the main window, and the main window's
  // baseline column exists only while the comparison holds two or more
  // loadouts of the category on show, the first among them; its header names
  // the first loadout (whole in its tooltip). Loadouts are added as (category, weapon) list rows.
  void baselineFollowsTheComparison_data() {
    QTest::addColumn<QList<QPoint>>("arrAdded");
    QTest::addColumn<bool>("bClose");
    QTest::addColumn<QString>("strHeader");  // empty: no baseline column
    QTest::addRow("none") << QList<QPoint>{} << false << QString();
    QTest::addRow("one loadout") << QList<QPoint>{{0, 1}} << false << QString();
    QTest::addRow("two of one category")
        << QList<QPoint>{{0, 1}, {0, 2}} << false << U("基準差（A 焔刃ヴァルゼナ）");
    QTest::addRow("two categories") << QList<QPoint>{{0, 1}, {1, 0}} << false << QString();
    QTest::addRow("other first") << QList<QPoint>{{1, 0}, {0, 1}, {0, 2}} << false << QString();
    QTest::addRow("closed") << QList<QPoint>{{0, 1}, {0, 2}} << true << QString();
  }

  void baselineFollowsTheComparison() {
    QFETCH(QList<QPoint>, arrAdded);
    QFETCH(bool, bClose);
    QFETCH(QString, strHeader);
    CShownDlg dlg(m_pDir->Path());
    dlg.move(0, 0);
    PickWeaponAndMotions(dlg, 0, {0});
    QTest::keyClick(&dlg, Qt::Key_M, Qt::ControlModifier);
    CComparisonDlg* pCompare = dlg.GetComparisonDlg();
    QVERIFY(QTest::qWaitForWindowExposed(pCompare));
    QVERIFY(!pCompare->frameGeometry().intersects(dlg.frameGeometry()));
    for (const QPoint& added : arrAdded) {
      Control<QComboBox>(dlg, 1001)->setCurrentIndex(added.x());
      PickWeaponAndMotions(dlg, added.y(), {0});
      pCompare->AddCurrent();
    }
    if (bClose) pCompare->close();
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    const QVariant header = pResult->model()->headerData(4, Qt::Horizontal, Qt::ToolTipRole);
    QCOMPARE(header.isValid() ? header.toString() : QString(), strHeader);
    // Every region's name whole in the comparison.
    const QHeaderView* pRegions =
        Child<QTableWidget>(pCompare, "comparisonTable")->verticalHeader();
    for (int nRow = 0; nRow < pRegions->count(); ++nRow) {
      const QString strRegion = pRegions->model()->headerData(nRow, Qt::Vertical).toString();
      QVERIFY2(QFontMetrics(pRegions->font()).horizontalAdvance(strRegion) < pRegions->width(),
               qPrintable(strRegion));
    }
  }

  // Three loadouts (the window's own, by its code, and two builds saved by
  // the tool) side by side on the window's target: the whole table as
  // velkar-tool compare gives it; the first loadout is the main window's
  // baseline, and making another one first moves the baseline with it.
  void comparisonAgreesWithTheTool() {
    RunTool(m_pDir->Path(), U("save-build 鉄 --category 0 --weapon 0 --motion 0 --motion 2"));
    RunTool(m_pDir->Path(), U("save-build 炎&会心 --category 0 --weapon 1 --motion 1 "
                              "--modifier 1040 --sharpness 2 --monster 0"));
    CShownDlg dlg(m_pDir->Path());
    Play(dlg, {2, 1, 1, 0, 1});
    QTest::keyClick(&dlg, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QString strCode = QGuiApplication::clipboard()->text();
    QTest::keyClick(&dlg, Qt::Key_M, Qt::ControlModifier);
    CComparisonDlg* pCompare = dlg.GetComparisonDlg();
    QCOMPARE(WindowState(pCompare), U("shown"));
    QTest::mouseClick(Child<QPushButton>(pCompare, "comparisonAddCurrent"), Qt::LeftButton);
    auto* pMenu = Child<QMenu>(pCompare, "comparisonBuildMenu");
    emit pMenu->aboutToShow();
    QStringList arrBuildEntry;
    for (const QAction* pAction : pMenu->actions()) arrBuildEntry << pAction->text();
    QCOMPARE(arrBuildEntry, (QStringList{U("鉄"), U("炎&&会心")}));
    for (QAction* pAction : pMenu->actions()) pAction->trigger();
    QCOMPARE(ResultColumn(dlg, 4), (QStringList{U("±0"), U("±0")}));

    const QJsonObject tool = RunTool(
        m_pDir->Path(),
        U("compare --json --code %1 --build 鉄 --build 炎&会心 --monster 1 --level 1 --anger")
            .arg(strCode));
    const auto Cell = [](const QJsonObject& row, int i) {
      const QJsonValue damage = row["damage"][i], difference = row["difference"][i];
      QString strDamage = damage.isNull() ? U("—") : QString::number(damage.toInt());
      if (row["best"][i].toBool()) strDamage += U(" 最高");
      return i == 0 ? strDamage
                    : strDamage + U("（") +
                          (difference.isNull() ? U("—") : Difference(difference.toInt())) + U("）");
    };
    QStringList arrExpected{
        U("対象：%1／%2／怒り")
            .arg(tool["target"]["monster"].toString(), tool["target"]["level"].toString())};
    const QJsonArray arrLoadout = tool.value("loadouts").toArray();
    for (int i = 0; i < arrLoadout.size(); ++i)
      arrExpected << U("%1 %2").arg(QChar('A' + i)).arg(arrLoadout[i]["label"].toString());
    QJsonArray arrRow = tool.value("regions").toArray();
    arrRow.append(tool.value("total"));
    for (const QJsonValue& value : arrRow) {
      const QJsonObject row = value.toObject();
      arrExpected << row.value("region").toString(U("合計"));
      for (int i = 0; i < arrLoadout.size(); ++i) arrExpected << Cell(row, i);
    }
    auto* pTable = Child<QTableWidget>(pCompare, "comparisonTable");
    QStringList arrShown{Child<QLabel>(pCompare, "comparisonTarget")->text()};
    for (int nColumn = 0; nColumn < pTable->columnCount(); ++nColumn)
      arrShown << pTable->horizontalHeaderItem(nColumn)->text();
    for (int nRow = 0; nRow < pTable->rowCount(); ++nRow) {
      arrShown << pTable->verticalHeaderItem(nRow)->text();
      for (int nColumn = 0; nColumn < pTable->columnCount(); ++nColumn)
        arrShown << pTable->item(nRow, nColumn)->text();
    }
    QCOMPARE(arrShown, arrExpected);

    pTable->setCurrentCell(0, 2);
    QTest::mouseClick(Child<QPushButton>(pCompare, "comparisonMakeFirst"), Qt::LeftButton);
    QCOMPARE(pTable->horizontalHeaderItem(0)->text(), QStringLiteral("A ") + arrExpected[3].mid(2));
    QStringList arrDifference;
    for (int nRow = 0; nRow < 2; ++nRow)
      arrDifference << pTable->item(nRow, 1)->text().section(U("（"), 1).chopped(1);
    QCOMPARE(ResultColumn(dlg, 4), arrDifference);
    QVERIFY(arrDifference != (QStringList{U("±0"), U("±0")}));
    pTable->setCurrentCell(0, 1);
    QTest::mouseClick(Child<QPushButton>(pCompare, "comparisonMakeFirst"), Qt::LeftButton);
    QCOMPARE(pTable->horizontalHeaderItem(0)->text(), arrExpected[1]);
  }

  // Each chart where a player opens it (the main window: the setup on show;
  // the comparison: its loadouts; the gains view: its region) is the core's
  // SVG of the same inputs at the width of the view's picture area, the
  // desktop's font size and the palette's theme, drawn again when the setup
  // and the view's size change; velkar-tool draws the same bytes.
  void chartsAreTheCoresPictures_data() {
    QTest::addColumn<int>("nKind");        // eCHART_KIND
    QTest::addColumn<QString>("strFrom");  // the window that opens it
    QTest::addColumn<int>("nWeapon");      // -1: none
    QTest::addColumn<bool>("bDark");
    QTest::addRow("loadouts") << int(eCHART_KIND::Loadouts) << "comparison" << 1 << false;
    QTest::addRow("sharpness, dark") << int(eCHART_KIND::Sharpness) << "comparison" << 1 << true;
    QTest::addRow("gains") << int(eCHART_KIND::Gains) << "gains" << 1 << false;
    QTest::addRow("motions") << int(eCHART_KIND::Motions) << "main" << 2 << false;
    QTest::addRow("target, dark") << int(eCHART_KIND::Target) << "main" << 0 << true;
    QTest::addRow("no weapon") << int(eCHART_KIND::Motions) << "main" << -1 << false;
  }

  void chartsAreTheCoresPictures() {
    QFETCH(int, nKind);
    QFETCH(QString, strFrom);
    QFETCH(int, nWeapon);
    QFETCH(bool, bDark);
    CShownDlg dlg(m_pDir->Path());
    if (nWeapon >= 0) PickWeaponAndMotions(dlg, nWeapon, {0, 2});
    std::vector<NamedLoadout_t> arrLoadout;  // the comparison's
    CChartDlg* pChart = nullptr;
    if (strFrom == "comparison") {
      QTest::keyClick(&dlg, Qt::Key_M, Qt::ControlModifier);
      for (const int nNext : {3, 3}) {
        arrLoadout.push_back(CurrentLoadout(dlg.GetCalculator(), ToSjis(U("今の設定"))));
        QTest::mouseClick(Child<QPushButton>(dlg.GetComparisonDlg(), "comparisonAddCurrent"),
                          Qt::LeftButton);
        ClickEntry(Control<CWeaponListBox>(dlg, 1002), nNext);
      }
      QTest::mouseClick(Child<QPushButton>(dlg.GetComparisonDlg(), "comparisonChart"),
                        Qt::LeftButton);
      pChart = dlg.GetComparisonDlg()->GetChartDlg();
    } else if (strFrom == "gains") {
      QTest::keyClick(&dlg, Qt::Key_G, Qt::ControlModifier);
      Child<QComboBox>(dlg.GetGainsDlg(), "gainsRegion")->setCurrentIndex(1);
      QTest::mouseClick(Child<QPushButton>(dlg.GetGainsDlg(), "gainsChart"), Qt::LeftButton);
      pChart = dlg.GetGainsDlg()->GetChartDlg();
    } else {
      QTest::keyClick(&dlg, Qt::Key_H, Qt::ControlModifier);
      pChart = dlg.GetChartDlg();
    }
    QCOMPARE(WindowState(pChart), U("shown"));
    if (strFrom == "main" || nKind == int(eCHART_KIND::Sharpness))
      Child<QComboBox>(pChart, "chartKind")->setCurrentIndex(nKind);
    if (nKind == int(eCHART_KIND::Sharpness))
      Child<QComboBox>(pChart, "chartRegion")->setCurrentIndex(1);
    if (bDark) pChart->setPalette(QPalette(QColor(0x30, 0x30, 0x30)));
    const int nFontSize = QFontInfo(QApplication::font()).pixelSize();
    const auto* pArea = Child<QScrollArea>(pChart, "chartScroll")->viewport();
    // Sharpness and gains chart 頭, the first region of either monster.
    const auto Expected = [&] {
      const CCalculator& calculator = dlg.GetCalculator();
      const Target_t target = TargetOf(CaptureSetup(calculator));
      const std::array<std::function<Chart_t()>, 5> arrChart = {
          [&] { return LoadoutsChart(CompareLoadouts(calculator.GetStore(), target, arrLoadout)); },
          [&] { return SharpnessChart(calculator.GetStore(), target, arrLoadout, 0); },
          [&] { return GainsChart(calculator, 0); }, [&] { return MotionsChart(calculator); },
          [&] { return TargetChart(calculator); }};
      return QByteArray::fromStdString(
          ChartSvg(arrChart[static_cast<size_t>(nKind)](), {pArea->width(), nFontSize, bDark}));
    };
    const auto Shown = [pChart] { return QByteArray::fromStdString(pChart->GetSvg()); };
    QTRY_COMPARE(Shown(), Expected());
    if (nWeapon < 0)
      QVERIFY(QString::fromUtf8(Shown()).contains(
          U("武器・モンスター・レベル・当たり方修正を選ぶとグラフを表示します")));
    if (strFrom == "main" && nWeapon >= 0) {
      const QString strArguments =
          U("chart %1 --category 0 --weapon %2 --motion 0 --motion 2 --width %3 --font-size %4")
              .arg(QString::fromLatin1(ChartKindName(static_cast<eCHART_KIND>(nKind))))
              .arg(nWeapon)
              .arg(pArea->width())
              .arg(nFontSize);
      QCOMPARE(ToolOutput(m_pDir->Path(), strArguments + (bDark ? " --dark" : "")), Shown());
    }
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    ClickCheck(dlg, 1021);
    QTRY_COMPARE(Shown(), Expected());
    pChart->resize(pChart->size() + QSize(120, 0));
    QTRY_COMPARE(Shown(), Expected());
  }

  // The main window's chart view opens beside it, not over it; its picture
  // goes to the clipboard as an image and into files: the SVG as the
  // core's bytes, the PNG as an image of the picture's size. A file that cannot be written is said.
  void chartIsCopiedAndSaved() {
    CShownDlg dlg(m_pDir->Path());
    PickWeaponAndMotions(dlg, 1, {0, 2});
    dlg.move(0, 0);  // room on the right
    QTest::keyClick(&dlg, Qt::Key_H, Qt::ControlModifier);
    CChartDlg* pChart = dlg.GetChartDlg();
    QCOMPARE(WindowState(pChart), U("shown"));
    QVERIFY(!pChart->frameGeometry().intersects(dlg.frameGeometry()));
    const QSize shown = Child<QWidget>(pChart, "chartPicture")->size();
    QTest::mouseClick(Child<QPushButton>(pChart, "chartCopy"), Qt::LeftButton);
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), shown);
    QCOMPARE(copied.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFU);  // the light theme's background
    QVERIFY(Colours(copied, copied.rect()).size() > 4);
    const QTemporaryDir dir;
    QVERIFY(pChart->SaveSvg(dir.filePath("a.svg")));
    QVERIFY(pChart->SavePng(dir.filePath("a.png")));
    QFile svg(dir.filePath("a.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QCOMPARE(svg.readAll(), QByteArray::fromStdString(pChart->GetSvg()));
    QCOMPARE(QImage(dir.filePath("a.png"), "PNG").size(), shown);
    QVERIFY(!pChart->SavePng(dir.filePath("none/a.png")));
    QCOMPARE(m_pAnswerer->Take().value(0).strText.section(u'\n', 0, 0),
             U("グラフを保存できませんでした。"));
  }

  // Ctrl+Shift+C copies the setup as a code with the report button's note;
  // Ctrl+Shift+V restores it through the calculator after other clicks. A
  // damaged code is refused and changes nothing; a code of other data opens
  // what it can and says what it could not.
  void codesPassTheSetup_data() {
    QTest::addColumn<int>("nCode");  // 0 as copied, 1 one character changed, 2 other data
    QTest::addColumn<QString>("strMessage");
    QTest::addRow("as copied") << 0 << QString();
    QTest::addRow("damaged") << 1
                             << U("コードが壊れています（途中で切れているか、書き間違いがあり"
                                  "ます）。もう一度まるごとコピーしてください。");
    QTest::addRow("other data") << 2
                                << U("このコードは別のデータファイルで作られました。\n"
                                     "次のものは今のデータにないため、復元できませんでした：\n"
                                     "武器「幻の剣」\nモーション「宙返り」");
  }

  void codesPassTheSetup() {
    QFETCH(int, nCode);
    QFETCH(QString, strMessage);
    CShownDlg dlg(m_pDir->Path());
    Play(dlg, {1, 1, 1, 1, 0, 1, 2});
    const QStringList arrPlayed = Shown(dlg);
    QTest::keyClick(&dlg, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(QToolTip::text(), U("クリップボードにコピーしました"));
    QString strCode = QGuiApplication::clipboard()->text();
    if (nCode == 1) strCode[20] = strCode[20] == u'A' ? u'B' : u'A';
    if (nCode == 2) {
      Setup_t setup = CaptureSetup(dlg.GetCalculator());
      setup.strWeapon = ToSjis(U("幻の剣"));
      setup.arrMotion.insert(setup.arrMotion.begin() + 1, ToSjis(U("宙返り")));
      CodeError_t error;
      strCode = QString::fromStdString(
          EncodeBuildCode(
              {dlg.GetCalculator().GetStore().GetDataFingerprint() ^ 1U, {{"x", setup}}}, error)
              .value());
    }
    QGuiApplication::clipboard()->setText(strCode);
    ClickButton(dlg, 1007);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 3);
    ClickCheck(dlg, 1021);
    const QStringList arrChanged = Shown(dlg);
    QTest::keyClick(&dlg, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_pAnswerer->Take().value(0).strText, strMessage);
    if (nCode == 0) QCOMPARE(Shown(dlg), arrPlayed);
    if (nCode == 1) QCOMPARE(Shown(dlg), arrChanged);
    if (nCode == 2) {
      // The weapon is gone: the category's list waits for a pick; the
      // motions that exist come back in order.
      QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), NO_SELECTION);
      QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)), arrPlayed.mid(0, 4));
    }
  }

  // Ctrl+Z takes back every change of the setup, 全消去 included, for the
  // newest 100 steps; Ctrl+Y does it again, until a new change.
  void undoAndRedoTheSetup() {
    CShownDlg dlg(m_pDir->Path());
    PickWeaponAndMotions(dlg, 1, {0, 2, 2});
    const QStringList arrBefore = Shown(dlg);
    ClickButton(dlg, 1007);
    const QStringList arrCleared = Shown(dlg);
    QTest::keyClick(&dlg, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Shown(dlg), arrBefore);
    QTest::keyClick(&dlg, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Shown(dlg), arrCleared);
    // Each of two boxes clicked 55 times: the newest 100 steps are kept, so
    // the undos end where each box had been clicked 5 times.
    for (int i = 0; i < 110; ++i) ClickCheck(dlg, 1021 + i % 2);
    for (int i = 0; i < 101; ++i) dlg.OnSysCommand(kCommandUndo);
    QCOMPARE(Control<QCheckBox>(dlg, 1021)->isChecked(), true);
    QCOMPARE(Control<QCheckBox>(dlg, 1022)->isChecked(), true);
    dlg.OnSysCommand(kCommandRedo);  // 1021 once more
    QCOMPARE(Control<QCheckBox>(dlg, 1021)->isChecked(), false);
    ClickCheck(dlg, 1023);  // a new change: nothing is left to redo
    dlg.OnSysCommand(kCommandRedo);
    QCOMPARE(Control<QCheckBox>(dlg, 1022)->isChecked(), true);
    QCOMPARE(Control<QCheckBox>(dlg, 1023)->isChecked(), true);
  }
};

VELKAR_UI_TEST(SetupAndRankingTest)
#include "SetupAndRankingTest.moc"
