// The ranking dialog and the pinned baseline of the main window. The ranking
// is checked against velkar-tool rank --json on the sample data (the same
// setup clicked into the window and given to the tool as options), then on a
// small data set with tied weapons: shared ranks, live following of the main
// window and selecting a weapon by double-click and by Enter. The baseline:
// the difference column's values after a change, its fit in the list, the
// report left as it is, and unpinning.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

#include "BaselineColumn.h"
#include "ColorListCtrl.h"
#include "ModalAnswerer.h"
#include "RankingDlg.h"
#include "SjisText.h"
#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "VelkarDlg.h"
#include "WeaponListBox.h"
#include "calc/ReportText.h"
#include "data/DataManager.h"
#include "support/TestDataDir.h"

namespace {

// Swords of attack 100, 200 and 100 again (a twin of the first), no element,
// all at sharpness 3: the twins tie on every region.
const char8_t kSwordIni[] =
    u8"[Action]\r\n1=縦斬り, 20\r\n2=横斬り, 14\r\n"
    u8"[HitPattern]\r\n1=通常, 100, 100\r\n"
    u8"[Weapon]\r\n1=双子剣A, 100, 0, 0, 3, 0\r\n2=強剣, 200, 0, 0, 3, 0\r\n"
    u8"3=双子剣B, 100, 0, 0, 3, 0\r\n";

const char8_t kMonsterIni[] =
    u8"[Monster]\r\n0=岩甲獣グラドム\r\n1=大猿獣ゴルバッカ\r\n"
    u8"[岩甲獣グラドム]\r\nAnger=100, 90, 110\r\n"
    u8"0=頭, 90, 60, 45, 10, 25, 15, 10, 5\r\n"
    u8"1=背中の岩殻, 10, 30, 15, 0, 10, 5, 0, 0\r\n"
    u8"2=腹, 50, 55, 50, 15, 30, 20, 15, 10\r\n"
    u8"[大猿獣ゴルバッカ]\r\nAnger=100, 90, 120\r\n"
    u8"0=頭, 70, 75, 65, 20, 15, 20, 25, 10\r\n"
    u8"1=腕, 45, 40, 40, 15, 10, 15, 20, 5\r\n"
    u8"[Level]\r\n1=下位, 100\r\n2=上位, 85\r\n";

void ClickCheck(const CVelkarDlg& dlg, int nId) {
  auto* pCheck = Control<QCheckBox>(dlg, nId);
  QTest::mouseClick(pCheck, Qt::LeftButton, {}, QPoint(6, pCheck->height() / 2));
}

void AddMotion(const CVelkarDlg& dlg, int nRow) {
  ClickEntry(Control<QListWidget>(dlg, 1003), nRow);
  QTest::mouseClick(Control<QPushButton>(dlg, 1005), Qt::LeftButton);
}

QTreeWidget* RankingList(const CVelkarDlg& dlg) {
  return dlg.GetRankingDlg() != nullptr
             ? dlg.GetRankingDlg()->findChild<QTreeWidget*>(QStringLiteral("rankingList"))
             : nullptr;
}

// One column of the ranking list, top to bottom.
QStringList RankingColumn(const CVelkarDlg& dlg, int nColumn) {
  QStringList arrText;
  const QTreeWidget* pList = RankingList(dlg);
  for (int i = 0; pList != nullptr && i < pList->topLevelItemCount(); ++i) {
    arrText.append(pList->topLevelItem(i)->text(nColumn));
  }
  return arrText;
}

QStringList ResultColumn(const CVelkarDlg& dlg, int nColumn) {
  QStringList arrText;
  const auto* pResult = Control<CColorListCtrl>(dlg, 1013);
  for (int nRow = 0; nRow < pResult->GetRowCount(); ++nRow) {
    arrText.append(pResult->GetCellText(nRow, nColumn));
  }
  return arrText;
}

// "+12", "-3", "±0" as the window writes a difference.
QString Difference(int nDelta) {
  if (nDelta == 0) return U("±0");
  return (nDelta > 0 ? QStringLiteral("+") : QString()) + QString::number(nDelta);
}

QJsonObject RunToolRank(const QStringList& arrArg) {
  QProcess tool;
  tool.start(QStringLiteral(VELKAR_TOOL_PATH),
             QStringList{QStringLiteral("--dir"), QStringLiteral(VELKAR_SAMPLE_DATA_DIR),
                         QStringLiteral("rank"), QStringLiteral("--json")} +
                 arrArg);
  if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
    qWarning("velkar-tool rank failed: %s", tool.readAllStandardError().constData());
    return {};
  }
  return QJsonDocument::fromJson(tool.readAllStandardOutput()).object();
}

}  // namespace

class RankingAndBaselineTest : public QObject {
  Q_OBJECT

private slots:
  void init() {
    // The window never reads or writes the developer's own settings.
    m_pConfig = std::make_unique<QTemporaryDir>();
    m_strOldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_pConfig->path().toUtf8());
    m_pDir = std::make_unique<CTestDataDir>();
    m_pDir->WriteText("Sword.ini", kSwordIni);
    m_pDir->WriteText("Monster.ini", kMonsterIni);
    m_pStore = std::make_unique<CTestDataStore>(*m_pDir);
    QVERIFY((*m_pStore)->ConvertWeaponIni(CATEGORY_SWORD));
    QVERIFY((*m_pStore)->ConvertMonsterIni());
    m_pAnswerer = std::make_unique<CModalAnswerer>();
  }

  void cleanup() {
    const QList<AnsweredWindow_t> arrLeft = m_pAnswerer->Take();
    m_pAnswerer.reset();
    m_pStore.reset();
    m_pDir.reset();
    qputenv("XDG_CONFIG_HOME", m_strOldConfig);
    m_pConfig.reset();
    QVERIFY(arrLeft.isEmpty());
  }

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
    const CCalculator& calc = dlg.GetCalculator();
    QVERIFY2(calc.GetCategories().size() > 3, "the sample data files are missing");

    // A player's setup, and the same as options of the tool.
    Control<QComboBox>(dlg, 1001)->setCurrentIndex(nCategoryEntry);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    for (int nMotion : {0, 2, 2}) AddMotion(dlg, nMotion);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(2);
    Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1015)->setCurrentIndex(1);
    for (int nId : {1017, 1021, 1040}) ClickCheck(dlg, nId);
    QStringList arrArg = {
        QStringLiteral("--category"),
        QString::number(calc.GetCategories()[static_cast<size_t>(nCategoryEntry)].nCategory),
        QStringLiteral("--monster"),
        QStringLiteral("2"),
        QStringLiteral("--level"),
        QStringLiteral("1"),
        QStringLiteral("--hit"),
        QStringLiteral("1"),
        QStringLiteral("--anger"),
        QStringLiteral("--modifier"),
        QStringLiteral("1021"),
        QStringLiteral("--modifier"),
        QStringLiteral("1040")};
    for (const char* pszMotion : {"0", "2", "2"}) {
      arrArg << QStringLiteral("--motion") << QString::fromLatin1(pszMotion);
    }

    QTest::keyClick(&dlg, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(dlg.GetRankingDlg() != nullptr && dlg.GetRankingDlg()->isVisible());
    if (nSharpness >= 0) {
      auto* pSlider = Control<QSlider>(dlg, 1009);
      pSlider->setValue(nSharpness);
      QTest::mouseRelease(pSlider, Qt::LeftButton);
      QCOMPARE(calc.GetSharpnessPosition(), nSharpness);
      auto* pSame =
          dlg.GetRankingDlg()->findChild<QCheckBox*>(QStringLiteral("rankingSameSharpness"));
      QTest::mouseClick(pSame, Qt::LeftButton, {}, QPoint(6, pSame->height() / 2));
      QVERIFY(pSame->isChecked());
      arrArg << QStringLiteral("--sharpness") << QString::number(nSharpness);
    }
    if (nRegion >= 0) {
      auto* pOrder = dlg.GetRankingDlg()->findChild<QComboBox*>(QStringLiteral("rankingOrder"));
      pOrder->setCurrentIndex(nRegion + 1);
      arrArg << QStringLiteral("--region") << pOrder->currentText();
    }
    const QJsonObject tool = RunToolRank(arrArg);
    const QJsonArray arrExpected = tool.value(QStringLiteral("ranking")).toArray();
    QVERIFY(arrExpected.size() > 2);

    QStringList arrRank, arrWeapon, arrSharpness, arrTotal, arrRegionDamage;
    for (const QJsonValue& value : arrExpected) {
      const QJsonObject ranked = value.toObject();
      arrRank.append(QString::number(ranked.value(QStringLiteral("rank")).toInt()));
      arrWeapon.append(ranked.value(QStringLiteral("weapon")).toString());
      arrSharpness.append(FromSjis(
          CDataManager::GetSharpnessName(ranked.value(QStringLiteral("sharpness")).toInt())));
      arrTotal.append(QString::number(ranked.value(QStringLiteral("total")).toInteger()));
      if (nRegion >= 0) {
        arrRegionDamage.append(
            QString::number(ranked.value(QStringLiteral("damage")).toArray().at(nRegion).toInt()));
      }
    }
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), arrRank);
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_WEAPON), arrWeapon);
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_SHARPNESS), arrSharpness);
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_TOTAL), arrTotal);
    if (nRegion >= 0) QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_REGION), arrRegionDamage);
    // The ranking leaves the main window's own calculation as it was.
    QCOMPARE(calc.GetWeaponSelection(), 1);

    // Enter on the last weapon selects it, and the main window then shows
    // the figures the ranking gave it.
    QTreeWidget* pList = RankingList(dlg);
    pList->setFocus();
    pList->setCurrentItem(pList->topLevelItem(pList->topLevelItemCount() - 1));
    QTest::keyClick(pList, Qt::Key_Return);
    const QJsonObject last = arrExpected.last().toObject();
    QCOMPARE(calc.GetWeaponSelection(), last.value(QStringLiteral("index")).toInt());
    QCOMPARE(calc.GetSharpnessPosition(), last.value(QStringLiteral("sharpness")).toInt());
    QStringList arrDamage;
    for (const QJsonValue& value : last.value(QStringLiteral("damage")).toArray()) {
      arrDamage.append(QString::number(value.toInt()));
    }
    QCOMPARE(ResultColumn(dlg, 3), arrDamage);
  }

  void rankingTiesFollowsAndSelects() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    dlg.OnSysCommand(kCommandRanking);
    CRankingDlg* pRanking = dlg.GetRankingDlg();
    QVERIFY(pRanking != nullptr && pRanking->isVisible() && !pRanking->isModal());

    // No motion yet: everything deals 0 and all three share rank 1.
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "1", "1"}));
    AddMotion(dlg, 0);
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "2", "2"}));
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_WEAPON),
             (QStringList{U("強剣"), U("双子剣A"), U("双子剣B")}));
    const QStringList arrBefore = RankingColumn(dlg, CRankingDlg::COLUMN_TOTAL);

    // A change in the main window reaches the list at once.
    ClickCheck(dlg, 1040);
    const QStringList arrAfter = RankingColumn(dlg, CRankingDlg::COLUMN_TOTAL);
    QCOMPARE(arrAfter.size(), 3);
    for (int i = 0; i < 3; ++i) QVERIFY(arrAfter[i].toInt() > arrBefore[i].toInt());

    // Double-click on the second twin selects it in the main window, whose
    // rows then add up to what the ranking shows.
    QTreeWidget* pList = RankingList(dlg);
    const QModelIndex twinB = pList->model()->index(2, CRankingDlg::COLUMN_WEAPON);
    // A real double-click: a click, then the second press arriving as a
    // double-click.
    const QPoint ptTwinB = pList->visualRect(twinB).center();
    QTest::mouseClick(pList->viewport(), Qt::LeftButton, {}, ptTwinB);
    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {}, ptTwinB);
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), 2);
    QCOMPARE(Control<CWeaponListBox>(dlg, 1002)->currentRow(), 2);
    int nSum = 0;
    for (const QString& strDamage : ResultColumn(dlg, 3)) nSum += strDamage.toInt();
    QCOMPARE(QString::number(nSum), arrAfter[2]);
    QCOMPARE(pList->currentIndex().row(), 2);

    // Enter on the first entry selects the strong sword.
    pList->setFocus();
    pList->setCurrentItem(pList->topLevelItem(0));
    QTest::keyClick(pList, Qt::Key_Return);
    QCOMPARE(dlg.GetCalculator().GetWeaponSelection(), 1);

    // By one region of another monster: the region keeps its name when the
    // monster changes, and "頭" of both monsters ranks by that head alone.
    auto* pOrder = pRanking->findChild<QComboBox*>(QStringLiteral("rankingOrder"));
    QCOMPARE(pOrder->count(), 4);
    pOrder->setCurrentIndex(1);
    QVERIFY(!pList->isColumnHidden(CRankingDlg::COLUMN_REGION));
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    QCOMPARE(pOrder->count(), 3);
    QCOMPARE(pOrder->currentText(), U("頭"));
    QCOMPARE(RankingColumn(dlg, CRankingDlg::COLUMN_RANK), (QStringList{"1", "2", "2"}));
  }

  void pinnedBaselineShowsTheDifferences() {
    CVelkarDlg dlg;
    QVERIFY(ShowActive(dlg));
    auto* pResult = Control<CColorListCtrl>(dlg, 1013);
    // Nothing to pin without rows.
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(!dlg.IsBaselinePinned());

    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    AddMotion(dlg, 0);
    AddMotion(dlg, 1);
    const QStringList arrBaseline = ResultColumn(dlg, 3);
    QTest::keyClick(&dlg, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(dlg.IsBaselinePinned());
    QCOMPARE(pResult->GetColumnCount(), 5);
    QCOMPARE(ResultColumn(dlg, 4), (QStringList{U("±0"), U("±0"), U("±0")}));

    // A stronger setup: each region's difference, and the report as before.
    ClickCheck(dlg, 1040);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 1);
    QStringList arrExpected;
    const QStringList arrNow = ResultColumn(dlg, 3);
    for (int i = 0; i < arrNow.size(); ++i) {
      arrExpected.append(Difference(arrNow[i].toInt() - arrBaseline[i].toInt()));
    }
    QVERIFY(arrNow[0].toInt() > arrBaseline[0].toInt());
    QCOMPARE(ResultColumn(dlg, 4), arrExpected);
    QTest::mouseClick(Control<QPushButton>(dlg, 1016), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             FromSjis(*BuildReportFromCalculator(dlg.GetCalculator())));

    // Another monster: its head matches the baseline's by name, its arm has
    // no counterpart; a lower setup shows a minus.
    ClickCheck(dlg, 1040);
    ClickEntry(Control<CWeaponListBox>(dlg, 1002), 0);
    Control<QComboBox>(dlg, 1014)->setCurrentIndex(1);
    Control<QComboBox>(dlg, 1008)->setCurrentIndex(1);
    QCOMPARE(ResultColumn(dlg, 0), (QStringList{U("頭"), U("腕")}));
    const int nHead = ResultColumn(dlg, 3)[0].toInt();
    QVERIFY(nHead != arrBaseline[0].toInt());
    QCOMPARE(ResultColumn(dlg, 4),
             (QStringList{Difference(nHead - arrBaseline[0].toInt()), U("―")}));

    // All five columns lie inside the list, their texts whole.
    const int nRight = pResult->viewport()->width();
    for (int nColumn = 0; nColumn < 5; ++nColumn) {
      QVERIFY(pResult->columnWidth(nColumn) > 0);
      QVERIFY2(pResult->columnViewportPosition(nColumn) + pResult->columnWidth(nColumn) <= nRight,
               qPrintable(QStringLiteral("column %1").arg(nColumn)));
    }
    for (const int nColumn : {1, 2, 3, 4}) {
      for (const QString& strCell : ResultColumn(dlg, nColumn)) {
        QCOMPARE(pResult->ShortenToFit(strCell, pResult->columnWidth(nColumn),
                                       CColorListCtrl::kColumnMargin),
                 strCell);
      }
    }
    QCOMPARE(pResult->ShortenToFit(QStringLiteral("-99999"), pResult->columnWidth(4),
                                   CColorListCtrl::kColumnMargin),
             QStringLiteral("-99999"));

    // Unpinning from the menu entry, whose text says what it does.
    QAction* pPin = nullptr;
    for (QAction* pAction : dlg.GetSystemMenu()->actions()) {
      if (pAction->data().toInt() == kCommandPin) pPin = pAction;
    }
    QVERIFY(pPin != nullptr);
    QCOMPARE(pPin->text(), U("基準の固定を解除(&P)"));
    pPin->trigger();
    QVERIFY(!dlg.IsBaselinePinned());
    QCOMPARE(pResult->GetColumnCount(), 4);
    const int arrWidth[] = {40, 40, 40, 45};
    for (int nColumn = 0; nColumn < 4; ++nColumn) {
      QCOMPARE(pResult->columnWidth(nColumn), arrWidth[nColumn]);
    }
    QCOMPARE(pPin->text(), U("結果を基準に固定(&P)"));
  }

  // With a larger font the five columns need more than the list's width:
  // the template's columns give way, widest first, never below the minimum.
  void columnsNarrowWidestFirst_data() {
    QTest::addColumn<QList<int>>("arrWidth");
    QTest::addColumn<int>("nAvailable");
    QTest::addColumn<QList<int>>("arrExpected");
    QTest::newRow("fits already") << QList<int>{40, 40, 40, 45} << 165
                                  << QList<int>{40, 40, 40, 45};
    QTest::newRow("the widest first")
        << QList<int>{40, 40, 40, 45} << 161 << QList<int>{40, 40, 40, 41};
    QTest::newRow("then evenly, leftmost first")
        << QList<int>{40, 40, 40, 45} << 150 << QList<int>{37, 37, 38, 38};
    QTest::newRow("never below the minimum")
        << QList<int>{40, 40, 40, 45} << 10 << QList<int>{16, 16, 16, 16};
  }

  void columnsNarrowWidestFirst() {
    QFETCH(QList<int>, arrWidth);
    QFETCH(int, nAvailable);
    QFETCH(QList<int>, arrExpected);
    const std::vector<int> arrNarrowed = CBaselineColumn::NarrowToFit(
        std::vector<int>(arrWidth.begin(), arrWidth.end()), nAvailable, 16);
    QCOMPARE(QList<int>(arrNarrowed.begin(), arrNarrowed.end()), arrExpected);
  }

private:
  std::unique_ptr<QTemporaryDir> m_pConfig;
  QByteArray m_strOldConfig;
  std::unique_ptr<CTestDataDir> m_pDir;
  std::unique_ptr<CTestDataStore> m_pStore;
  std::unique_ptr<CModalAnswerer> m_pAnswerer;
};

VELKAR_UI_TEST(RankingAndBaselineTest)
#include "RankingAndBaselineTest.moc"
