// CVelkarApp: the application object. Run reads the command line
// (CWindowCommandLine), restores the last setup into the main window and
// shows it until it is closed (which saves the setup again), then destroys
// the data store with every record it holds; the process ends when Run
// returns.
#pragma once

#include <QApplication>
#include <QTranslator>
#include <optional>
#include <string>
#include <vector>

class CWindowCommandLine;

class CVelkarApp : public QApplication {
  Q_OBJECT

public:
  CVelkarApp(int& argc, char** argv);
  ~CVelkarApp() override;

  // Runs the main window modally on the data folder of the program's command
  // line and releases the store afterwards, or only prints the help, the
  // version or a usage error; the process's exit code.
  int Run();
  // The same for a given command line; needs the application object.
  static int Run(const CWindowCommandLine& commandLine);

  // Answers --help, --version and usage errors without the window system (no
  // display needed) and returns the exit code; nothing when the window is to
  // open, or when Qt's own options need QApplication first (Run answers then).
  static std::optional<int> AnswerWithoutWindow(int& argc, char** argv);

private:
  // Qt's own texts (OK, Cancel, the line edit's menu) in Japanese, from the
  // translation that Qt installs beside itself; English when it is missing.
  void LoadQtTranslation();
  // The program's name and version, for the command line's texts.
  static void SetIdentity();
  // Prints a command line's text (help, version, usage error); its exit code.
  static int PrintAndExit(const CWindowCommandLine& commandLine);

  // The arguments as bytes, without the options QApplication took away.
  std::vector<std::string> m_arrRawArgument;
  QTranslator m_qtTranslator;
};
