#include "WindowCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kUsageError = 2;

}  // namespace

// The parser with the window's options.
struct CWindowCommandLine::Options_t {
  QCommandLineParser parser;
  QCommandLineOption helpOption = parser.addHelpOption();
  QCommandLineOption versionOption = parser.addVersionOption();
  QCommandLineOption dirOption{
      QStringLiteral("dir"),
      QStringLiteral("Folder of the data and source files; the conversions of the system menu "
                     "write their data files there (default: the folder of the program)."),
      QStringLiteral("DIR")};

  Options_t() {
    parser.setApplicationDescription(QStringLiteral("The damage calculator's window."));
    parser.addOption(dirOption);
  }

  // --help, or --help-all, which QCommandLineParser adds beside it.
  bool AsksForHelp() const {
    return parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"));
  }
};

bool CWindowCommandLine::KnowsEveryOption(const QStringList& arrArgument) {
  Options_t options;
  return options.parser.parse(arrArgument);
}

bool CWindowCommandLine::AsksForHelp(const QStringList& arrArgument) {
  Options_t options;
  return options.parser.parse(arrArgument) && options.AsksForHelp();
}

CWindowCommandLine::CWindowCommandLine(const QStringList& arrArgument) {
  Options_t options;
  QCommandLineParser& parser = options.parser;
  const QString strUsage = QStringLiteral("\nRun '%1 --help' for the options.\n")
                               .arg(QFileInfo(arrArgument.value(0)).fileName());
  if (!parser.parse(arrArgument)) {
    Exit(kUsageError, QString(), parser.errorText() + strUsage);
    return;
  }
  if (options.AsksForHelp()) {
    Exit(0, parser.helpText(), QString());
    return;
  }
  if (parser.isSet(options.versionOption)) {
    Exit(0,
         QCoreApplication::applicationName() + QLatin1Char(' ') +
             QCoreApplication::applicationVersion() + QLatin1Char('\n'),
         QString());
    return;
  }
  if (!parser.positionalArguments().isEmpty()) {
    Exit(kUsageError, QString(),
         QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()) +
             strUsage);
    return;
  }
  if (parser.isSet(options.dirOption)) {
    const QString strDir = parser.value(options.dirOption);
    if (!QFileInfo(strDir).isDir()) {
      Exit(kUsageError, QString(),
           QStringLiteral("--dir: '%1' is not a folder.").arg(strDir) + strUsage);
      return;
    }
    m_strDataDir = QFile::encodeName(strDir).toStdString();
    if (m_strDataDir.back() != '/') m_strDataDir += '/';
  }
}

void CWindowCommandLine::Exit(int nExitCode, const QString& strOutput, const QString& strError) {
  m_bExit = true;
  m_nExitCode = nExitCode;
  m_strOutput = strOutput;
  m_strError = strError;
}
