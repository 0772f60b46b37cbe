// The window's command line: --dir takes a folder (any name the file system
// allows) and nothing else, --help and --version answer on stdout and end
// the program, and every usage error ends it with exit code 2, a message on
// stderr and nothing on stdout.
#include <QCoreApplication>
#include <QtTest>
#include <filesystem>

#include "UiTestMain.h"
#include "VelkarVersion.h"
#include "WindowCommandLine.h"
#include "support/TestDataDir.h"

class WindowCommandLineTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    QCoreApplication::setApplicationName(QStringLiteral("Velkar"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(velkar::kVersion));
    m_strFolder = m_dir.PathOf("狩り data");
    std::filesystem::create_directory(m_strFolder);
    m_dir.WriteText("a file", u8"");
  }

  void parses_data() {
    QTest::addColumn<QStringList>("arrArgument");
    QTest::addColumn<bool>("bExit");
    QTest::addColumn<int>("nExitCode");
    QTest::addColumn<QString>("strOutputHolds");
    QTest::addColumn<QString>("strErrorHolds");
    QTest::addColumn<QString>("strDataDir");

    const QString strFolder = QString::fromStdString(m_strFolder);
    const QString strFile = QString::fromStdString(m_dir.PathOf("a file"));
    const QString strDir = strFolder + QLatin1Char('/');
    QTest::newRow("no arguments: the folder of the program")
        << QStringList() << false << 0 << QString() << QString() << QString();
    QTest::newRow("--dir DIR") << QStringList{QStringLiteral("--dir"), strFolder} << false << 0
                               << QString() << QString() << strDir;
    QTest::newRow("--dir=DIR/") << QStringList{QStringLiteral("--dir=") + strDir} << false << 0
                                << QString() << QString() << strDir;
    QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << true << 0
                               << QStringLiteral("Velkar %1\n").arg(velkar::kVersion) << QString()
                               << QString();
    QTest::newRow("--help names --dir") << QStringList{QStringLiteral("--help")} << true << 0
                                        << QStringLiteral("--dir <DIR>") << QString() << QString();
    QTest::newRow("--dir without a folder") << QStringList{QStringLiteral("--dir")} << true << 2
                                            << QString() << QStringLiteral("--help") << QString();
    QTest::newRow("--dir naming no folder")
        << QStringList{QStringLiteral("--dir"), strFolder + QStringLiteral("-missing")} << true << 2
        << QString() << strFolder + QStringLiteral("-missing' is not a folder") << QString();
    QTest::newRow("--dir naming a file")
        << QStringList{QStringLiteral("--dir"), strFile} << true << 2 << QString()
        << QStringLiteral("is not a folder") << QString();
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--frob")} << true << 2
                                    << QString() << QStringLiteral("frob") << QString();
    QTest::newRow("stray argument") << QStringList{strFolder} << true << 2 << QString()
                                    << QStringLiteral("Unexpected argument") << QString();
  }

  void parses() {
    QFETCH(QStringList, arrArgument);
    QFETCH(bool, bExit);
    QFETCH(int, nExitCode);
    QFETCH(QString, strOutputHolds);
    QFETCH(QString, strErrorHolds);
    QFETCH(QString, strDataDir);
    arrArgument.prepend(QStringLiteral("/usr/bin/velkar"));

    const CWindowCommandLine commandLine(arrArgument);

    QCOMPARE(commandLine.ShouldExit(), bExit);
    QCOMPARE(commandLine.GetExitCode(), nExitCode);
    QCOMPARE(QString::fromStdString(commandLine.GetDataDirectory()), strDataDir);
    // Exactly one of the two streams speaks when the program ends early.
    QCOMPARE(commandLine.GetOutput().isEmpty(), strOutputHolds.isEmpty());
    QCOMPARE(commandLine.GetError().isEmpty(), strErrorHolds.isEmpty());
    QVERIFY2(commandLine.GetOutput().contains(strOutputHolds), qPrintable(commandLine.GetOutput()));
    QVERIFY2(commandLine.GetError().contains(strErrorHolds), qPrintable(commandLine.GetError()));
    if (nExitCode == 2) QVERIFY(commandLine.GetError().contains(QStringLiteral("velkar --help")));
  }

private:
  CTestDataDir m_dir;
  std::string m_strFolder;
};

VELKAR_UI_TEST(WindowCommandLineTest)
#include "WindowCommandLineTest.moc"
