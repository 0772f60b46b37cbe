// CVelkarDlg on real data files: a player's clicks and keys, what the window
// shows after each, the system menu and its conversions, data file problems,
// the report on the clipboard, the rows' tooltips and the breakdown window.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <filesystem>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "SystemMenu.h"
#include "UiTestHelpers.h"
#include "UiTestMain.h"
#include "VelkarApp.h"
#include "WindowCommandLine.h"
#include "calc/ReportText.h"
#include "dialogs/BreakdownDlg.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/RankingDlg.h"
#include "model/CategoryTable.h"
#include "platform/Cp932.h"
#include "style/DialogUnits.h"
#include "support/HostileFiles.h"
#include "text/ClipboardText.h"
#include "text/SjisText.h"
#include "widgets/SharpnessSlider.h"

namespace {

// For its lifetime the folder cannot be written by the effective user: it is
// read-only, and a test run as root (who writes anywhere) acts as nobody.
struct CUnwritableFolder {
  explicit CUnwritableFolder(const std::string& strPath) : m_strPath(strPath) {
    chmod(strPath.c_str(), 0555);
    m_bRoot = geteuid() == 0 && seteuid(65534) == 0;
  }
  ~CUnwritableFolder() {
    if (m_bRoot && seteuid(0) != 0) qFatal("cannot become root again");
    chmod(m_strPath.c_str(), 0700);
  }
  std::string m_strPath;
  bool m_bRoot;
};

// Chooses the system menu's entry of this text, as a click on it does.
void ChooseEntry(const CVelkarDlg& dlg, const QString& strText) {
  for (QAction* pAction : dlg.GetSystemMenu()->actions())
    if (pAction->text() == strText) pAction->trigger();
}

// The weapon conversion's message when every category has a source like
// kSwordIni (Katana: kKatanaIni): its first line and each category's line,
// those of the one that failed in its place.
QString WeaponConversion(bool bSucceeded, const char* pszFailed, const QString& strFailure) {
  QStringList arrLine{bSucceeded ? U("武器リストの変換に成功しました")
                                 : U("武器リストの変換に失敗しました")};
  for (const CategoryInfo_t& category : kCategoryTable) {
    const QString strStem = QString::fromLatin1(category.strStem);
    if (strStem == QLatin1String(pszFailed)) {
      arrLine << strFailure << U("%1.dat は変換前のままです").arg(strStem);
    } else {
      const QStringList arrCount = QString(strStem == "Katana" ? "1 1 1" : "3 2 4").split(' ');
      arrLine << U("%1.dat を書き込みました：モーション %2 件、当たり方 %3 件、武器 %4 件")
                     .arg(strStem, arrCount[0], arrCount[1], arrCount[2]);
    }
  }
  return arrLine.join(QLatin1Char('\n'));
}

// The attack, element and sharpness texts on show.
QStringList ShownTexts(const CVelkarDlg& dlg) {
  return {Control<QLabel>(dlg, 1011)->text(), Control<QLabel>(dlg, 1012)->text(),
          Control<QLabel>(dlg, 1010)->text()};
}

// The window shows the calculator's state: texts, chosen motions, slider,
// selections, check marks, and every result row's cells in the row's colour.
void VerifyShowsCalculator(const CVelkarDlg& dlg) {
  const CCalculator& calc = dlg.GetCalculator();
  QCOMPARE(ShownTexts(dlg),
           (QStringList{FromSjis(calc.GetAttackText()), FromSjis(calc.GetElementText()),
                        FromSjis(calc.GetSharpnessText())}));
  QStringList arrChosen;
  for (const CAction* pAction : calc.GetChosenMotions())
    arrChosen.append(FromSjis(pAction->GetName()));
  QCOMPARE(Entries(Control<QListWidget>(dlg, 1004)), arrChosen);
  const auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
  const QList<QListWidgetItem*> arrWeapon = pWeapons->selectedItems();
  QList<int> arrShown{Control<QSlider>(dlg, 1009)->value(),
                      arrWeapon.size() == 1 ? pWeapons->row(arrWeapon[0]) : -1};
  QList<int> arrState{calc.GetSharpnessPosition(), calc.GetWeaponSelection(),
                      calc.GetCategorySelection(), calc.GetMonsterSelection(),
                      calc.GetLevelSelection(),    calc.GetHitCorrectionSelection()};
  for (const int nId : {1001, 1008, 1014, 1015})
    arrShown << Control<QComboBox>(dlg, nId)->currentIndex();
  for (int nId = 1017; nId <= 1041; ++nId) {
    arrShown << Control<QCheckBox>(dlg, nId)->isChecked();
    arrState << (nId == 1017 ? calc.GetAnger() : calc.GetModifier(nId));
  }
  QCOMPARE(arrShown, arrState);
  const auto* pList = Control<CColorListCtrl>(dlg, 1013);
  const std::vector<ResultRow_t>& arrRow = calc.GetResultRows();
  QCOMPARE(size_t(pList->GetRowCount()), arrRow.size());
  const QImage image = pList->viewport()->grab().toImage();
  for (int nRow = 0; nRow < pList->GetRowCount(); ++nRow) {
    const ResultRow_t& row = arrRow[size_t(nRow)];
    QSet<QRgb> setColour;
    for (int nColumn = 0; nColumn < 4; ++nColumn) {
      QCOMPARE(pList->GetCellText(nRow, nColumn), FromSjis(row.arrCell[size_t(nColumn)]));
      setColour += Colours(image, pList->visualRect(pList->model()->index(nRow, nColumn)));
    }
    setColour -= {0xFFFFFF, 0xC0C0C0};  // the white base and the grid lines
    QCOMPARE(setColour, QSet<QRgb>{QRgb(ResultKindColor(row.nKind).value_or(0))});
  }
}

// kSwordIni with the weapon 焔刃ヴァルゼナ moved from the second place to the last.
constexpr char8_t kMovedSwordIni[] =
    u8"[Action]\r\n1=縦斬り, 18\r\n2=横斬り, 14\r\n3=溜め回転斬り, A110, 20, 30\r\n"
    u8"[HitPattern]\r\n1=通常, 100, 100\r\n2=芯当たり, 105, 110\r\n"
    u8"[Weapon]\r\n1=鉄の片手剣, 168, 0, 0, 2, 1\r\n2=水鏡剣ミナモ, 224, 4, 250, 3, 3\r\n"
    u8"3=鋼の片手剣, 168, 0, 0, 2, 1\r\n4=焔刃ヴァルゼナ, 252, 2, 280, 4, 5\r\n";

}  // namespace

class VelkarDlgTest : public CWindowFixture {
  Q_OBJECT

private slots:
  // The lists start with the data's names; the modifiers' frame shows a
  // shadow line and a highlight inside; the slider's first band is red.
  void startUpShowsTheDataAndTheFrame() {
    CShownDlg dlg(m_pDir->Path());
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1001)), (QStringList{U("片手剣"), U("太刀")}));
    QCOMPARE(Entries(Control<QComboBox>(dlg, 1008)),
             (QStringList{U("岩甲獣グラドム"), U("大猿獣ゴルバッカ")}));
    const QRect rc = Child<QWidget>(&dlg, "grpModifiers")->geometry();
    const QImage image = dlg.grab().toImage();
    const QRgb clrLight = dlg.palette().color(QPalette::Light).rgb();
    const int y = rc.center().y();
    QCOMPARE(
        QList<QRgb>({image.pixel(rc.left(), y), image.pixel(rc.left() + 1, y),
                     image.pixel(rc.right(), y), image.pixel(rc.center().x(), rc.bottom())}),
        QList<QRgb>({dlg.palette().color(QPalette::Dark).rgb(), clrLight, clrLight, clrLight}));
    auto* pSlider = Control<CSharpnessSlider>(dlg, 1009);
    pSlider->setValue(5);  // the handle off the red band
    QCOMPARE(pSlider->grab().toImage().pixel(pSlider->BandRect(0).center()), qRgb(220, 40, 40));
  }

  // From the fire sword with 縦斬り, 溜め回転斬り twice: each gesture reaches
  // the calculator, the window shows its new state, and the first region's
  // damage moves as said (-1 less, 0 same, 1 more, 2 other, 3 no rows).
  void gestureRecalculatesAndShows_data() {
    QTest::addColumn<int>("nGesture");
    QTest::addColumn<int>("nMove");
    const QStringList arrName = U("remove the second chosen|Delete on a chosen|"
                                  "Enter on an available|double-click an available|clear|"
                                  "monster by key|level|hit correction|anger|modifier group|"
                                  "untick|category clears the rows|slider left key|slider drag|"
                                  "ctrl-click the weapon|click beside the weapons")
                                    .split('|');
    const int arrMove[] = {-1, -1, 1, 1, -1, 2, -1, 1, 1, 1, 0, 3, -1, -1, 0, 0};
    for (int i = 0; i < 16; ++i) QTest::newRow(qPrintable(arrName[i])) << i << arrMove[i];
  }

  void gestureRecalculatesAndShows() {
    QFETCH(int, nGesture);
    QFETCH(int, nMove);
    CShownDlg dlg(m_pDir->Path());
    Control<CColorListCtrl>(dlg, 1013)->setFont(ExactColourFont());
    PickWeaponAndMotions(dlg, 1, {0, 2, 2});
    const QStringList arrBefore = ResultColumn(dlg, 3);
    auto* pChosen = Control<QListWidget>(dlg, 1004);
    auto* pAvailable = Control<QListWidget>(dlg, 1003);
    auto* pSlider = Control<CSharpnessSlider>(dlg, 1009);
    auto* pWeapons = Control<CWeaponListBox>(dlg, 1002);
    // The groove's middle line runs 4 pixels above the middle of the bands.
    const auto OnGroove = [pSlider](int n) { return pSlider->BandRect(n).center() - QPoint(0, 4); };
    const QPoint ptLeft = OnGroove(0);
    const QPoint ptEntry = pAvailable->visualItemRect(pAvailable->item(1)).center();
    QMouseEvent move(QEvent::MouseMove, ptLeft, ptLeft, {}, Qt::LeftButton, {});
    switch (nGesture) {
      case 0: ClickEntry(pChosen, 1), ClickButton(dlg, 1006), ClickButton(dlg, 1006); break;
      case 1: ClickEntry(pChosen, 0), PressKey(pChosen, Qt::Key_Delete); break;
      case 2: ClickEntry(pAvailable, 0), PressKey(pAvailable, Qt::Key_Return); break;
      case 3:
        ClickEntry(pAvailable, 1), QTest::mouseDClick(pAvailable->viewport(), {}, {}, ptEntry);
        break;
      case 4: ClickButton(dlg, 1007); break;
      case 5: PressKey(Control<QComboBox>(dlg, 1008), Qt::Key_Down); break;
      case 6: Control<QComboBox>(dlg, 1014)->setCurrentIndex(1); break;
      case 7: Control<QComboBox>(dlg, 1015)->setCurrentIndex(1); break;
      case 8: ClickCheck(dlg, 1017); break;
      case 9: ClickCheck(dlg, 1028), ClickCheck(dlg, 1029), ClickCheck(dlg, 1021); break;
      case 10: ClickCheck(dlg, 1041), ClickCheck(dlg, 1041), ClickCheck(dlg, 1033); break;
      case 11: Control<QComboBox>(dlg, 1001)->setCurrentIndex(1); break;
      case 12: PressKey(pSlider, Qt::Key_Left); break;
      case 13:
        QTest::mousePress(pSlider, Qt::LeftButton, {}, OnGroove(4));  // on the handle
        QApplication::sendEvent(pSlider, &move);
        QVERIFY(pSlider->value() != 4);  // moved, but the rows wait for the release
        QCOMPARE(ResultColumn(dlg, 3), arrBefore);
        QTest::mouseRelease(pSlider, Qt::LeftButton, {}, ptLeft);
        break;
      case 14:
        QTest::mouseClick(pWeapons->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          pWeapons->visualRect(pWeapons->model()->index(1, 0)).center());
        break;
      case 15:
        QTest::mouseClick(pWeapons->viewport(), Qt::LeftButton, {},
                          QPoint(2, pWeapons->viewport()->height() - 2));
        break;
    }
    VerifyShowsCalculator(dlg);
    if (nMove == 3) {
      QCOMPARE(ResultColumn(dlg, 0), QStringList());
      return;
    }
    const int nBefore = arrBefore[0].toInt();
    const int nAfter = ResultColumn(dlg, 3)[0].toInt();
    QCOMPARE(nMove == 2 ? nAfter != nBefore : (nAfter > nBefore) - (nAfter < nBefore),
             nMove == 2 ? 1 : nMove);
    QCOMPARE(Control<QCheckBox>(dlg, 1033)->isEnabled(), nGesture == 11);  // 練気MAX: katana only
    if (nGesture == 0) QCOMPARE(Entries(pChosen), (QStringList{U("縦斬り"), U("溜め回転斬り")}));
  }

  // Started with --dir, the program restores
  // the setup and the window's place saved when it last closed on that
  // folder's data, has nothing to report, and saves both again when its
  // window closes.
  void programRestoresTheLastSetupOnTheFolderOfDir() {
    using velkar::ToSjis;
    const Setup_t setup{0,
                        ToSjis(u8"焔刃ヴァルゼナ"),
                        {ToSjis(u8"溜め回転斬り")},
                        2,
                        ToSjis(u8"大猿獣ゴルバッカ"),
                        ToSjis(u8"上位"),
                        ToSjis(u8"芯当たり"),
                        true,
                        {1019, 1040}};
    const WindowPlacement_t placement{60, 50, 820, 560};
    QVERIFY(CSetupStore().SaveLastSetup(setup, placement));
    QCOMPARE(CVelkarApp::Run(
                 CWindowCommandLine({"Velkar", "--dir", QString::fromStdString(m_pDir->Path())})),
             0);
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();  // the window, closed
    QCOMPARE(arrAnswered.size(), 1);
    QCOMPARE(arrAnswered[0].strTitle + arrAnswered[0].strText, U("Velkar"));
    QCOMPARE(CSetupStore().LoadLastSetup(), setup);
    QCOMPARE(CSetupStore().LoadLastPlacement(), placement);
  }

  // Enter presses only a focused push button; Esc ends the window's run.
  void enterPressesOnlyAFocusedButtonAndEscEnds() {
    CShownDlg dlg(m_pDir->Path());
    PickWeaponAndMotions(dlg, 0, {});
    ClickEntry(Control<QListWidget>(dlg, 1003), 0);
    for (const int nId : {1002, 1005}) {  // a list has no use for Enter, the add button has
      PressKey(dlg.GetControl(nId), Qt::Key_Return);
      PressKey(dlg.GetControl(nId), Qt::Key_Enter, Qt::KeypadModifier);
      QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), nId == 1002 ? 0 : 2);
    }
    PressKey(Control<QPushButton>(dlg, 1007), Qt::Key_Return);
    QVERIFY(dlg.isVisible());
    QCOMPARE(Control<QListWidget>(dlg, 1004)->count(), 0);
    PressKey(Control<QPushButton>(dlg, 1007), Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), QDialog::Rejected);
  }

  // The system menu opens from its button, a right click on the background
  // and Shift+F10, not on a control that has a use for the click; its About
  // and Close entries run their commands.
  void systemMenuOpensWhereNothingElseTakesTheClick() {
    CShownDlg dlg(m_pDir->Path());
    const auto RightClick = [](QWidget* pTarget, const QPoint& pt) {
      QContextMenuEvent event(QContextMenuEvent::Mouse, pt, pt);
      QApplication::sendEvent(pTarget, &event);
    };
    QTest::mouseClick(Child<QPushButton>(&dlg, "menuButton"), Qt::LeftButton);
    RightClick(&dlg,
               DialogUnitsToPixels({93, 60, 0, 0}, MeasureDialogBaseUnits(dlg.font())).topLeft());
    RightClick(Control<QCheckBox>(dlg, 1021), QPoint(3, 3));
    QVERIFY(ShowActive(dlg));  // the offscreen platform leaves no window active after a pop-up
    PressKey(Control<QListWidget>(dlg, 1003), Qt::Key_F10, Qt::ShiftModifier);
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(), 3);
    QCOMPARE(arrAnswered[2].strText,
             U("閉じる(&C)|-|Velkar のﾊﾞｰｼﾞｮﾝ情報(&A)...|-|武器のiniファイルをdatに変換|"
               "モンスターのiniファイルをdatに変換|-|ビルドの保存と読み込み(&B)...|"
               "武器ランキング(&R)...|結果を基準に固定(&P)|装備を並べて比較(&M)...|"
               "スキルと切れ味の効果(&G)...|グラフ(&H)...|-|今の設定をコードとしてコピー(&K)|"
               "クリップボードのコードを開く(&V)|-|元に戻す(&U)|やり直し(&Y)"));
    ChooseEntry(dlg, U("Velkar のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    QCOMPARE(m_pAnswerer->Take().value(0).strTitle, U("Velkarのﾊﾞｰｼﾞｮﾝ情報"));
    // The entry that closes the window (its keys for the other windows are
    // pressed by the tests of those windows).
    ChooseEntry(dlg, U("閉じる(&C)"));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), QDialog::Rejected);
  }

  // A conversion says what it wrote or, in Japanese, why it failed, and for a
  // user who cannot write the data folder how to convert elsewhere; each
  // weapon category is converted on its own. Only when every file was
  // written does the window take the new data, keeping the setup on show by
  // name (the weapon on show has moved in the new Sword.ini); otherwise the
  // data and the setup on show stay as they were.
  void conversionReportsAndReloads_data() {
    QTest::addColumn<int>("nCommand");
    QTest::addColumn<QString>("strFile");  // made hostile or removed before converting
    QTest::addColumn<int>("nKind");        // -1: removed, -2: left as it is, -3: read-only folder
    QTest::addColumn<QString>("strText");  // %1: the data folder
    QTest::addRow("weapons written")
        << kCommandConvertWeapons << "Katana.ini" << -2 << WeaponConversion(true, nullptr, {});
    QTest::addRow("weapon data is a folder")
        << kCommandConvertWeapons << "Katana.dat" << int(eHOSTILE::FOLDER)
        << WeaponConversion(false, "Katana",
                            U("Katana.dat：ファイルに書き込めません\n%1Katana.dat is a folder, "
                              "not a file"));
    QTest::addRow("weapon source missing")
        << kCommandConvertWeapons << "DualSword.ini" << -1
        << WeaponConversion(false, "DualSword", U("DualSword.ini：ファイルがありません"));
    QTest::addRow("monsters written")
        << kCommandConvertMonsters << "Monster.ini" << -2
        << U("モンスターリストの変換に成功しました\nMonster.dat を書き込みました：モンスター 2 "
             "件、部位 5 件、レベル 2 件");
    QTest::addRow("monsters in a read-only folder")
        << kCommandConvertMonsters << "Monster.dat" << -3
        << U("モンスターリストの変換に失敗しました\nMonster.dat：ファイルに書き込めません\n"
             "%1Monster.dat cannot be opened for writing (%2)\nMonster.dat は変換前のままです\n"
             "フォルダ %1 には書き込めません。.ini ファイルを書き込めるフォルダにコピーし、"
             "「Velkar --dir そのフォルダ」で起動してから変換してください。")
               .replace("%2", QString::fromLocal8Bit(strerror(EACCES)));
  }

  void conversionReportsAndReloads() {
    QFETCH(int, nCommand);
    QFETCH(QString, strFile);
    QFETCH(int, nKind);
    QFETCH(QString, strText);
    for (const CategoryInfo_t& category : kCategoryTable)
      if (category.strStem != "Sword" && category.strStem != "Katana")
        m_pDir->WriteText(std::string(category.strStem) + ".ini", kSwordIni);
    CShownDlg dlg(m_pDir->Path());
    PickWeaponAndMotions(dlg, 1, {0});
    const QStringList arrTexts = ShownTexts(dlg);
    const QStringList arrDamage = ResultColumn(dlg, 3);
    QCOMPARE(arrTexts.value(0), U("攻撃力：252"));
    m_pDir->WriteText("Sword.ini", kMovedSwordIni);
    const std::string strPath = m_pDir->PathOf(strFile.toStdString());
    if (nKind == -1 || nKind >= 0) std::filesystem::remove(strPath);
    if (nKind >= 0) MakeHostileFile(eHOSTILE(nKind), strPath);
    {
      std::optional<CUnwritableFolder> unwritable;
      if (nKind == -3) unwritable.emplace(m_pDir->Path());
      ChooseEntry(dlg, nCommand == kCommandConvertWeapons
                           ? U("武器のiniファイルをdatに変換")
                           : U("モンスターのiniファイルをdatに変換"));
    }
    const QList<AnsweredWindow_t> arrAnswered = m_pAnswerer->Take();
    QCOMPARE(arrAnswered.size(),
             nKind == int(eHOSTILE::FOLDER) ? 2 : 1);  // reported again on reload
    QCOMPARE(arrAnswered[0].strText,
             strText.replace(QStringLiteral("%1"), QString::fromStdString(m_pDir->Path())));
    // Categories (those whose data loads: of the weapon conversion's, all
    // but a failed one, as Sword.dat is written in each; of the fixture's
    // data, two), chosen motions, weapons, the selected weapon's row and
    // levels.
    const bool bNewWeapons = nCommand == kCommandConvertWeapons;
    const int nFailed = strText.contains(U("失敗")) ? 1 : 0;
    QCOMPARE((QList<qsizetype>{Control<QComboBox>(dlg, 1001)->count(),
                               Control<QListWidget>(dlg, 1004)->count(),
                               Control<CWeaponListBox>(dlg, 1002)->count(),
                               Control<CWeaponListBox>(dlg, 1002)->currentRow(),
                               Control<QComboBox>(dlg, 1014)->count()}),
             (QList<qsizetype>{bNewWeapons ? CATEGORY_COUNT - nFailed : 2, 1, 4,
                               bNewWeapons ? 3 : 1, 2}));
    QCOMPARE(ShownTexts(dlg), arrTexts);
    QCOMPARE(ResultColumn(dlg, 3), arrDamage);
  }

  // Data file problems are reported once, in Japanese, one line per file,
  // when the window first shows; absent weapon files are no problem.
  void startUpReportsDataProblemsOnce_data() {
    QTest::addColumn<int>("nKind");        // eHOSTILE; -1: cut, -2: no data file at all
    QTest::addColumn<int>("nCut");         // Sword.dat cut to this many bytes
    QTest::addColumn<QString>("strText");  // %1: the data folder
    const QString strHeading =
        U("次のデータファイルは正しく読み込めませんでした。読み込めた分だけで続けます。\nSword."
          "dat：");
    // Three motions of at least 7 bytes cannot fit in 6 bytes; the third
    // motion begins at byte 36 (4 for the count, 16 for each motion before).
    QTest::addRow("count too large")
        << -1 << 6 << strHeading + U("件数がファイルの大きさを超えています（0 バイト目）");
    QTest::addRow("ends in a motion")
        << -1 << 40 << strHeading + U("ファイルが途中で終わっています（36 バイト目）");
    QTest::addRow("a device") << int(eHOSTILE::DEVICE) << 0
                              << strHeading + U("通常のファイルではなくデバイスです");
    QTest::addRow("a FIFO") << int(eHOSTILE::FIFO) << 0
                            << strHeading + U("通常のファイルではなく名前付きパイプ（FIFO）です");
    QTest::addRow("a folder") << int(eHOSTILE::FOLDER) << 0
                              << strHeading + U("通常のファイルではなくフォルダです");
    QTest::addRow("far too large")
        << int(eHOSTILE::SPARSE_2GB) << 0
        << strHeading +
               U("ファイルが大きすぎます（2147483648 バイト。上限は 67108864 バイトです）");
    QTest::addRow("no data file")
        << -2 << 0
        << U("データファイルがひとつもありません。\nデータファイル（武器ごとの Sword.dat など8つと "
             "Monster.dat）は、このプログラムと同じフォルダに置きます：\n%1\nソースファイル（.ini）"
             "から作るには、同じフォルダに .ini ファイルを置き、ウィンドウの背景を右クリック（また"
             "は Alt+Space）して開くシステムメニューの「武器のiniファイルをdatに変換」と「モンスタ"
             "ーのiniファイルをdatに変換」を選んでください。");
  }

  void startUpReportsDataProblemsOnce() {
    QFETCH(int, nKind);
    QFETCH(int, nCut);
    QFETCH(QString, strText);
    std::vector<uint8_t> arrByte = m_pDir->ReadBytes("Sword.dat");
    arrByte.resize(size_t(nCut));
    m_pDir->WriteBytes("Sword.dat", arrByte);
    if (nKind != -1) m_pDir->Remove("Sword.dat");
    if (nKind >= 0) MakeHostileFile(eHOSTILE(nKind), m_pDir->PathOf("Sword.dat"));
    if (nKind == -2)
      for (const char* pszFile : {"Katana.dat", "Monster.dat"}) m_pDir->Remove(pszFile);
    CVelkarDlg dlg(m_pDir->Path());
    QCoreApplication::processEvents();
    QCOMPARE(m_pAnswerer->Take().size(), 0);  // not before the window is on screen
    dlg.show();
    QList<AnsweredWindow_t> arrAnswered;
    QTRY_VERIFY(!(arrAnswered += m_pAnswerer->Take()).isEmpty());
    QCOMPARE(arrAnswered[0].strText, strText.replace("%1", QString::fromStdString(m_pDir->Path())));
    QCOMPARE(arrAnswered[0].eIcon, QMessageBox::Warning);
    dlg.hide();
    dlg.show();
    QCoreApplication::processEvents();                             // what a second showing queues
    QCOMPARE(arrAnswered.size() + m_pAnswerer->Take().size(), 1);  // once only
  }

  // The report button copies the calculation as Shift-JIS and as text;
  // without a weapon it leaves the clipboard and says why.
  void reportButtonCopiesTheCalculation() {
    CShownDlg dlg(m_pDir->Path());
    QGuiApplication::clipboard()->setText(QStringLiteral("unchanged"));
    ClickButton(dlg, 1016);
    QTRY_COMPARE(QToolTip::text(), U("武器が選ばれていないため、コピーできません"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("unchanged"));
    PickWeaponAndMotions(dlg, 1, {0, 0});
    for (const int nId : {1017, 1040, 1018}) ClickCheck(dlg, nId);
    ClickButton(dlg, 1016);
    QTRY_COMPARE(QToolTip::text(), U("クリップボードにコピーしました"));
    const std::string strReport = BuildReportFromCalculator(dlg.GetCalculator()).value();
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(pData->data(kSjisMimeType), QByteArray::fromStdString(strReport));
    QCOMPARE(pData->text(), FromSjis(strReport));
    // A long report is cut before byte 1024, on a character boundary.
    ClickEntry(Control<QListWidget>(dlg, 1003), 2);
    for (int i = 0; i < 80; ++i) ClickButton(dlg, 1005);
    const std::string strLong = BuildReportFromCalculator(dlg.GetCalculator()).value();
    ClickButton(dlg, 1016);
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->data(kSjisMimeType),
             QByteArray::fromStdString(strLong.substr(0, velkar::SjisPrefixLength(strLong, 1024))));
    // A row's tooltip of so many motions keeps to the lines the screen has room for.
    auto* pList = Control<CColorListCtrl>(dlg, 1013);
    AskForToolTip(pList->viewport(), pList->visualRect(pList->model()->index(0, 0)).center());
    QTRY_COMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText().count(u'\n') + 1,
                 pList->ToolTipLineCapacity());
  }

  // A row's tooltip sums up its hits (the adds make the row's damage); a
  // double-click or Enter on a row opens the breakdown window of every hit,
  // which follows the main window and copies itself as text.
  void rowsExplainTheirDamage() {
    CShownDlg dlg(m_pDir->Path());
    auto* pList = Control<CColorListCtrl>(dlg, 1013);
    PickWeaponAndMotions(dlg, 1, {0, 2, 2});
    // B = 180, blue (1.25, 1.0625), fire 28; the first row, 頭, cut 90 / fire 10:
    // E = 2.975 a hit; 縦斬り r = 32.4, P = 36.45, T = 39.425; 溜め回転斬り at rate
    // 110: r = 36 and 54, P = 44.55 and 66.825, T = 47.525 + 69.8 = 117.325 (47 + 69);
    // e = 259.2 / 212.4 = 122%: よく効く.
    AskForToolTip(pList->viewport(), pList->visualRect(pList->model()->index(0, 2)).center());
    QTRY_COMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(),
                 U("頭：物理 90%、属性 10%、ダメージ 271（よく効く）\n攻撃1 縦斬"
                   "り（1ヒット）：+39（39.4）\n攻撃2 溜め回転斬り（2ヒット）：+116（117.3）\n"
                   "攻撃3 溜め回転斬り（2ヒット）：+116（117.3）\n（ ）は切り捨て前。ダブルク"
                   "リックで全ヒットの表"));
    AskForToolTip(pList->viewport(), QPoint(5, pList->viewport()->height() - 5));  // no row
    QTRY_VERIFY(!QToolTip::isVisible());

    QTest::mouseDClick(pList->viewport(), Qt::LeftButton, {},
                       pList->visualRect(pList->model()->index(1, 0)).center());
    CBreakdownDlg* pBreakdown = dlg.GetBreakdownDlg();
    QCOMPARE(WindowState(pBreakdown), U("shown"));
    auto* pTable = Child<QTableWidget>(pBreakdown, "breakdownTable");
    const auto VerifyRow = [&](int nRow, const QString& strKind) {
      QCOMPARE(pTable->rowCount(), 5);  // 縦斬り once, 溜め回転斬り's two hits twice
      QCOMPARE(Child<QLabel>(pBreakdown, "breakdownRegion")->text(),
               U("%1：物理 %2、属性 %3、ダメージ %4（%5）")
                   .arg(pList->GetCellText(nRow, 0), pList->GetCellText(nRow, 1),
                        pList->GetCellText(nRow, 2), pList->GetCellText(nRow, 3), strKind));
    };
    VerifyRow(1, U("効きにくい"));
    ClickCheck(dlg, 1021);
    VerifyRow(1, U("効きにくい"));
    pList->setCurrentIndex(pList->model()->index(0, 0));
    PressKey(pList, Qt::Key_Return);
    QCOMPARE(dlg.GetBreakdownDlg(), pBreakdown);
    VerifyRow(0, U("よく効く"));
    QTest::mouseClick(Child<QPushButton>(pBreakdown, "breakdownCopy"), Qt::LeftButton);
    // The copy is the table under the window's three labels.
    QString strShown;
    for (const char* pszLabel : {"breakdownHeading", "breakdownRegion", "breakdownFactors"})
      strShown += Child<QLabel>(pBreakdown, pszLabel)->text() + '\n';
    strShown += U("\n攻撃\tヒット\tモーション値\t素の値\t物理\t属性\t合計\t加算\t累計\n");
    for (int i = 0; i < pTable->rowCount() * pTable->columnCount(); ++i) {
      strShown += pTable->item(i / pTable->columnCount(), i % pTable->columnCount())->text() +
                  ((i + 1) % pTable->columnCount() == 0 ? '\n' : '\t');
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), strShown);
  }
};

VELKAR_UI_TEST(VelkarDlgTest)
#include "VelkarDlgTest.moc"
