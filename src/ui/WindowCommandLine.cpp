#include "WindowCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

constexpr int kUsageError = 2;

// The bytes of the last value of --dir among the raw arguments, as the
// parser reads them ("--dir DIR" or "--dir=DIR", nothing after "--").
std::optional<std::string> RawDirValue(const std::vector<std::string>& arrRaw) {
  std::optional<std::string> strValue;
  for (size_t i = 1; i < arrRaw.size() && arrRaw[i] != "--"; ++i) {
    if (arrRaw[i] == "--dir" && i + 1 < arrRaw.size()) {
      strValue = arrRaw[++i];
    } else if (arrRaw[i].starts_with("--dir=")) {
      strValue = arrRaw[i].substr(6);
    }
  }
  return strValue;
}

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

CWindowCommandLine::CWindowCommandLine(const QStringList& arrArgument,
                                       const std::vector<std::string>& arrRaw) {
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
    const std::string strPath =
        RawDirValue(arrRaw).value_or(QFile::encodeName(strDir).toStdString());
    std::error_code ec;
    if (strPath.empty() || !std::filesystem::is_directory(strPath, ec)) {
      Exit(kUsageError, QString(),
           QStringLiteral("--dir: '%1' is not a folder.").arg(strDir) + strUsage);
      return;
    }
    m_strDataDir = strPath;
    if (m_strDataDir.back() != '/') m_strDataDir += '/';
  }
}

void CWindowCommandLine::Exit(int nExitCode, const QString& strOutput, const QString& strError) {
  m_bExit = true;
  m_nExitCode = nExitCode;
  m_strOutput = strOutput;
  m_strError = strError;
}
