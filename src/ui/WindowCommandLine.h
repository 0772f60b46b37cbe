// CWindowCommandLine: the window's command line, parsed with
// QCommandLineParser. "--dir DIR" points the data store at another folder of
// data and source files (the conversions then write there too), as
// velkar-tool's option of the same name does; "--help" and "--version" print
// their text and end the program, and a usage error ends it with a message
// on stderr.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class CWindowCommandLine {
public:
  // Parses the arguments, the program's name first (QCoreApplication::arguments).
  // Needs the application object, for the help text. arrRaw, when given, are
  // the same arguments as the program got their bytes: the folder of --dir
  // is taken from them, since decoding into text loses a name's bytes that
  // are not UTF-8 (a folder named in Shift-JIS).
  explicit CWindowCommandLine(const QStringList& arrArgument,
                              const std::vector<std::string>& arrRaw = {});

  // Both work before the application object exists. KnowsEveryOption is
  // false when an option is unknown, which may be one of Qt's own (-platform,
  // -style) that QApplication takes away; AsksForHelp is true for --help and
  // --help-all.
  static bool KnowsEveryOption(const QStringList& arrArgument);
  static bool AsksForHelp(const QStringList& arrArgument);

  // True when the program ends without opening the window: it prints
  // GetOutput on stdout and GetError on stderr and exits with GetExitCode.
  bool ShouldExit() const { return m_bExit; }
  int GetExitCode() const { return m_nExitCode; }
  const QString& GetOutput() const { return m_strOutput; }
  const QString& GetError() const { return m_strError; }

  // The folder given with --dir as the file system spells it, ending with
  // '/'; empty without --dir (the data lie beside the program).
  const std::string& GetDataDirectory() const { return m_strDataDir; }

private:
  struct Options_t;
  void Exit(int nExitCode, const QString& strOutput, const QString& strError);

  bool m_bExit = false;
  int m_nExitCode = 0;
  QString m_strOutput;
  QString m_strError;
  std::string m_strDataDir;
};
