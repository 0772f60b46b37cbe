// The clipboard hand-over, the system menu's entry table and the wording of
// load errors: the window's small pure pieces.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>
#include <string>

#include "ClipboardText.h"
#include "LoadErrorText.h"
#include "SjisText.h"
#include "SystemMenu.h"
#include "UiTestMain.h"
#include "VelkarTexts.h"
#include "platform/Cp932.h"

Q_DECLARE_METATYPE(std::string)

namespace {

const std::string kKanji = velkar::ToSjis(u8"頭");  // two bytes

QByteArray Bytes(std::string_view text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class ClipboardTextTest : public QObject {
  Q_OBJECT

private slots:
  void clipboardPartEndsOnACharacter_data() {
    QTest::addColumn<std::string>("strText");
    QTest::addColumn<int>("nLength");
    QTest::newRow("short") << std::string("abc\r\n") << 5;
    QTest::newRow("empty") << std::string() << 0;
    QTest::newRow("exactly 1024") << std::string(1024, 'a') << 1024;
    QTest::newRow("1500 bytes") << std::string(1500, 'a') << 1024;
    // Byte 1024 would be the first half of a kanji: cut before it.
    QTest::newRow("kanji across the limit") << std::string(1023, 'a') + kKanji + "zz" << 1023;
    QTest::newRow("kanji ending at the limit") << std::string(1022, 'a') + kKanji + "zz" << 1024;
    std::string strAllKanji;
    for (int i = 0; i < 600; ++i) strAllKanji += kKanji;
    QTest::newRow("all kanji") << strAllKanji << 1024;
    QTest::newRow("odd start, all kanji") << "a" + strAllKanji << 1023;
    // Half-width katakana are single bytes above 0x7F.
    QTest::newRow("half-width katakana") << velkar::ToSjis(u8"ｱ") + std::string(1100, 'a') << 1024;
  }
  void clipboardPartEndsOnACharacter() {
    QFETCH(std::string, strText);
    QFETCH(int, nLength);
    const std::string_view part = ClipboardPart(strText);
    QCOMPARE(static_cast<int>(part.size()), nLength);
    QCOMPARE(part.data(), strText.data());
  }

  void copyOffersUnicodeAndShiftJis() {
    std::string strReport = velkar::ToSjis(u8"使用武器：片手剣/鉄の片手剣\r\n攻撃対象：岩甲獣\r\n");
    while (strReport.size() < 1023) strReport += "a";
    strReport += kKanji + kKanji;  // the first one straddles byte 1024
    CopyTextToClipboard(strReport);
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    QVERIFY(pData != nullptr);
    const std::string strExpected = strReport.substr(0, 1023);
    QCOMPARE(pData->data(QString::fromLatin1(kSjisMimeType)), Bytes(strExpected));
    QCOMPARE(pData->text(), FromSjis(strExpected));
    QVERIFY(pData->text().startsWith(QString::fromUtf8("使用武器：片手剣/鉄の片手剣\r\n")));
  }

  void systemMenuEntriesInOrder() {
    const std::vector<SystemMenuEntry_t> arrEntry = GetSystemMenuEntries(txt::kAboutMenuEntry);
    const std::vector<int> arrCommand = {
        kCommandClose,  kCommandSeparator, 16,         kCommandSeparator, 17, 18, kCommandSeparator,
        kCommandBuilds, kCommandRanking,   kCommandPin};
    QCOMPARE(arrEntry.size(), arrCommand.size());
    for (size_t i = 0; i < arrEntry.size(); ++i) QCOMPARE(arrEntry[i].nCommand, arrCommand[i]);
    QCOMPARE(FromSjis(arrEntry[2].strText), QString::fromUtf8("Velkar のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    QCOMPARE(FromSjis(arrEntry[4].strText), QString::fromUtf8("武器のiniファイルをdatに変換"));
    QCOMPARE(FromSjis(arrEntry[5].strText),
             QString::fromUtf8("モンスターのiniファイルをdatに変換"));
  }

  void emptyAboutTextLeavesOutItsEntryAndSeparator() {
    const std::vector<SystemMenuEntry_t> arrEntry = GetSystemMenuEntries({});
    const std::vector<int> arrCommand = {
        kCommandClose,  kCommandSeparator, 17,         18, kCommandSeparator,
        kCommandBuilds, kCommandRanking,   kCommandPin};
    QCOMPARE(arrEntry.size(), arrCommand.size());
    for (size_t i = 0; i < arrEntry.size(); ++i) QCOMPARE(arrEntry[i].nCommand, arrCommand[i]);
  }

  void loadErrorsNameEachFileOnce() {
    const std::vector<DataFileError_t> arrError = {
        {"/data/Sword.dat", DATA_FILE_TRUNCATED, 120, "in the weapon section"},
        {"/data/Monster.dat", DATA_FILE_COUNT_TOO_LARGE, 4, ""},
        {"/data/Sword.dat", DATA_FILE_COUNT_TOO_LARGE, 8, ""},
        {"/data/Katana.dat", DATA_FILE_UNREADABLE, 0, "Permission denied"},
    };
    const QStringList arrLine = DescribeLoadErrors(arrError).split('\n');
    QCOMPARE(arrLine.size(), 4);
    QCOMPARE(arrLine[0], FromSjis(txt::kLoadErrorHeading));
    QCOMPARE(arrLine[1],
             QString::fromUtf8("Sword.dat：ファイルが途中で終わっています（120 バイト目）"));
    QCOMPARE(arrLine[2],
             QString::fromUtf8("Monster.dat：件数がファイルの大きさを超えています（4 バイト目）"));
    QCOMPARE(arrLine[3],
             QString::fromUtf8("Katana.dat：ファイルを読み取れません（Permission denied）"));
    QVERIFY(DescribeLoadErrors({}).isEmpty());
  }
};

VELKAR_UI_TEST(ClipboardTextTest)
#include "ClipboardTextTest.moc"
