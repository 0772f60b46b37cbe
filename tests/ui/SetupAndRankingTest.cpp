// The window's other windows and what it remembers: the setup, size and place
// restored after a restart, builds passed between the window and velkar-tool
// both ways, the weapon table against velkar-tool rank, a modifier's tooltip
// and the gains view against velkar-tool gains, the pinned baseline's
// difference column, and a window that grows its lists.
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QStyleOptionComboBox>
#include <QToolTip>
#include <QTreeWidget>
#include <map>

#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "calc/ReportText.h"
#include "dialogs/BreakdownDlg.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/GainsDlg.h"
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

// The weapon table's rows as "rank weapon attack damage", the best weapon's
// rank with its mark.
QStringList TableRows(const CVelkarDlg& dlg) {
  QStringList arrRow;
  const auto* pList = dlg.GetRankingDlg()->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
  for (int i = 0; i < pList->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* pItem = pList->topLevelItem(i);
    arrRow << QStringList{pItem->text(CRankingDlg::COLUMN_RANK),
                          pItem->text(CRankingDlg::COLUMN_WEAPON),
                          pItem->text(CRankingDlg::COLUMN_ATTACK),
                          pItem->text(CRankingDlg::COLUMN_DAMAGE)}
                  .join(' ');
  }
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
  for (const QCheckBox* pCheck : window.findChildren<QCheckBox*>()) {
    QStyleOptionButton option;
    option.initFrom(pCheck);
    Check(pCheck, pCheck->text(),
          pCheck->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, pCheck));
  }
  for (const QPushButton* pButton : window.findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(pButton);
    Check(pButton, pButton->text(),
          pButton->style()->subElementRect(QStyle::SE_PushButtonContents, &option, pButton));
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

class SetupAndRankingTest : public CWindowFixture {
  Q_OBJECT

private slots:
  void setupIsRestoredAfterARestart() {
    QStringList arrPlayed;
    WindowPlacement_t placement;
    {
      CVelkarDlg dlg;
      QVERIFY(ShowActive(dlg));
      Play(dlg, {1, 1, 1, 1, 0, 1, 2});
      arrPlayed = Shown(dlg);
      dlg.resize(dlg.size() + QSize(90, 40));
      placement = dlg.GetPlacement();
      QTest::keyClick(&dlg, Qt::Key_Escape);
    }
    RenewStore();
    CVelkarDlg dlg;
    dlg.RestoreLastSetup();  // as CVelkarApp does before showing it
    QVERIFY(ShowActive(dlg));
    QCOMPARE(Shown(dlg), arrPlayed);
    QCOMPARE(dlg.GetPlacement(), placement);
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

  // The weapon table follows the main window: with no motion every weapon
  // ties (and none is the best); by one region at the slider's sharpness, then
  // sorted by a header and filtered by element and name, it lists what
  // velkar-tool rank does, twins sharing a rank; Enter on an entry selects
  // that weapon.
  void weaponTableFollowsAndAgreesWithTheTool() {
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
    const QString strSetup =
        U("rank --json --category 0 --motion 0 --motion 2 --modifier 1040 "
          "--sharpness 2 --region 背中の岩殻");
    const QJsonObject ranked = RunTool(m_pDir->Path(), strSetup);
    QCOMPARE(TableRows(dlg), ToolRows(ranked, 1));
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK),
             (QStringList{U("1 最高"), "2", "3", "3"}));
    auto* pList = pRanking->findChild<QTreeWidget*>(QStringLiteral("rankingList"));
    const auto ClickHeader = [pList](int nColumn) {
      QHeaderView* pHeader = pList->header();
      QTest::mouseClick(
          pHeader->viewport(), Qt::LeftButton, {},
          QPoint(pHeader->sectionViewportPosition(nColumn) + 4, pHeader->height() / 2));
    };
    ClickHeader(CRankingDlg::COLUMN_ATTACK);
    QCOMPARE(TableRows(dlg), ToolRows(RunTool(m_pDir->Path(), strSetup + " --sort attack"), 1));
    pRanking->findChild<QComboBox*>(QStringLiteral("rankingElement"))->setCurrentIndex(1);  // 無
    pRanking->findChild<QLineEdit*>(QStringLiteral("rankingName"))->setText(U("鋼"));
    ClickHeader(CRankingDlg::COLUMN_WEAPON);
    QCOMPARE(
        TableRows(dlg),
        ToolRows(RunTool(m_pDir->Path(), strSetup + U(" --sort weapon --element 無 --name 鋼")),
                 1));
    QCOMPARE(TableRows(dlg).size(), 1);
    pRanking->findChild<QLineEdit*>(QStringLiteral("rankingName"))->clear();
    ClickHeader(CRankingDlg::COLUMN_RANK);
    pRanking->findChild<QComboBox*>(QStringLiteral("rankingElement"))->setCurrentIndex(0);
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

  // A modifier box's tooltip says its effect, its group and what ticking it
  // would change in the total now; the gains view lists every choice, largest
  // first: both as velkar-tool gains computes them.
  void modifierTipAndGainsAgreeWithTheTool() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    PickWeaponAndMotions(dlg, 1, {0, 2});
    ClickCheck(dlg, 1040);
    const QJsonObject gains =
        RunTool(m_pDir->Path(),
                "gains --json --category 0 --weapon 1 --motion 0 --motion 2 --modifier 1040");
    QJsonObject minusCritical;
    for (const QJsonValue& value : gains.value("gains").toArray()) {
      if (value.toObject().value("id").toInt() == 1041) minusCritical = value.toObject();
    }
    const int nTotal = minusCritical.value("total").toInt();
    QVERIFY(nTotal < 0);
    auto* pBox = Control<QCheckBox>(dlg, 1041);
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), pBox->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(pBox, &help);
    QTRY_COMPARE(QToolTip::text(),
                 minusCritical.value("effect").toString() + U("\n同時に選べない：") +
                     minusCritical.value("group").toArray()[0].toObject().value("name").toString() +
                     U("\nチェックすると（") +
                     minusCritical.value("replaces").toObject().value("name").toString() +
                     U(" は外れます）合計 ") + QString::number(nTotal));
    QToolTip::hideText();

    QTest::keyClick(&dlg, Qt::Key_G, Qt::ControlModifier);
    CGainsDlg* pGains = dlg.GetGainsDlg();
    QVERIFY(pGains != nullptr && pGains->isVisible());
    const auto* pList = pGains->findChild<QTreeWidget*>(QStringLiteral("gainsList"));
    QCOMPARE(pList->topLevelItemCount(), 24 + 6);
    const QJsonObject best = gains.value("gains").toArray()[0].toObject();
    QCOMPARE(pList->topLevelItem(0)->text(CGainsDlg::COLUMN_TOTAL),
             QStringLiteral("+%1").arg(best.value("total").toInt()));
    QCOMPARE(pList->topLevelItem(0)->text(CGainsDlg::COLUMN_EFFECT),
             best.value("effect").toString());
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
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    QCOMPARE(dlg.font().pointSize(), 16);
    Play(dlg, {1, 1, 0, 1, 0, 2});
    for (const auto eKey : {Qt::Key_B, Qt::Key_R, Qt::Key_G})
      QTest::keyClick(&dlg, eKey, Qt::ControlModifier);
    dlg.OpenBreakdown(1);
    const QList<const QWidget*> arrWindow = {&dlg, dlg.GetBuildsDialog(), dlg.GetRankingDlg(),
                                             dlg.GetGainsDlg(), dlg.GetBreakdownDlg()};
    for (const QWidget* pWindow : arrWindow) {
      QCOMPARE(CutTexts(*pWindow).join(u'|'), QString());
    }

    const QSize smallest = dlg.minimumSize();
    QCOMPARE(dlg.size(), smallest);
    std::map<int, QRect> arrBefore;
    for (const int nId : {1002, 1003, 1004, 1013, 1018, 1016})
      arrBefore[nId] = dlg.GetControl(nId)->geometry();
    const QWidget* pFrame = dlg.findChild<QWidget*>(QStringLiteral("grpModifiers"));
    const QRect rcFrame = pFrame->geometry();
    dlg.resize(smallest + QSize(200, 120));
    QCOMPARE(pFrame->geometry(), rcFrame.adjusted(0, 120, 200, 120));  // wider, lower
    const auto Moved = [&](int nId) {
      const QRect rc = dlg.GetControl(nId)->geometry();
      const QRect before = arrBefore[nId];
      return QList<int>{rc.x() - before.x(), rc.y() - before.y(), rc.width() - before.width(),
                        rc.height() - before.height()};
    };
    QCOMPARE(Moved(1002), (QList<int>{0, 0, 50, 120}));  // weapons: a quarter of the width
    QCOMPARE(Moved(1003), (QList<int>{50, 0, 50, 60}));  // motions: half the height each
    QCOMPARE(Moved(1004), (QList<int>{50, 60, 50, 60}));
    QCOMPARE(Moved(1013), (QList<int>{100, 0, 100, 120}));  // results: half the width
    QCOMPARE(Moved(1016), (QList<int>{200, 0, 0, 0}));
    QCOMPARE(Moved(1018), (QList<int>{0, 120, 0, 0}));  // the modifiers move down
    dlg.resize(10, 10);
    QCOMPARE(dlg.size(), smallest);
  }

  // Ctrl+P pins the rows: a fifth column shows each region's difference
  // (matched by name), the report stays as it was, and unpinning restores
  // the four columns.
  void pinnedBaselineShowsTheDifferences() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    const int nLength = pResult->header()->length();
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
    QCOMPARE(pResult->header()->length(), nLength);
  }
};

VELKAR_UI_TEST(SetupAndRankingTest)
#include "SetupAndRankingTest.moc"
