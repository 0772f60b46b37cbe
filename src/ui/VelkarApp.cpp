#include "VelkarApp.h"

#include <QLibraryInfo>
#include <QLocale>
#include <cstdio>

#include "VelkarDlg.h"
#include "VelkarTexts.h"
#include "VelkarVersion.h"
#include "WindowCommandLine.h"
#include "platform/ModuleDirectory.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"

CVelkarApp::CVelkarApp(int& argc, char** argv)
    : QApplication(argc, argv), m_arrRawArgument(argv, argv + argc) {
  SetIdentity();
  // Message boxes use the window's font too.
  setFont(MakeDialogFont());
}

void CVelkarApp::LoadQtTranslation() {
  if (m_qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    installTranslator(&m_qtTranslator);
  }
}

CVelkarApp::~CVelkarApp() = default;

int CVelkarApp::Run() {
  const CWindowCommandLine commandLine(arguments(), m_arrRawArgument);
  // Qt's own texts turn Japanese for the window only: what the command line
  // prints stays in English, as the program's own messages there are.
  if (!commandLine.ShouldExit()) LoadQtTranslation();
  return Run(commandLine);
}

int CVelkarApp::Run(const CWindowCommandLine& commandLine) {
  if (commandLine.ShouldExit()) return PrintAndExit(commandLine);
  // The window owns the store of the data folder: the executable's unless
  // --dir names another.
  const std::string strDir = commandLine.GetDataDirectory().empty()
                                 ? velkar::GetModuleDirectory()
                                 : commandLine.GetDataDirectory();
  CVelkarDlg dlg(strDir);
  dlg.RestoreLastSetup();
  dlg.exec();  // its result does not matter: only Esc or the close box end it
  return 0;
}

std::optional<int> CVelkarApp::AnswerWithoutWindow(int& argc, char** argv) {
  QStringList arrArgument;
  for (int i = 0; i < argc; ++i) arrArgument << QString::fromLocal8Bit(argv[i]);
  // Qt's own options among them: Run reads them once QApplication has taken
  // those away.
  if (!CWindowCommandLine::KnowsEveryOption(arrArgument)) return std::nullopt;
  SetIdentity();
  if (CWindowCommandLine::AsksForHelp(arrArgument)) {
    // The help text names the program as the application object has it.
    const QCoreApplication app(argc, argv);
    return PrintAndExit(CWindowCommandLine(QCoreApplication::arguments()));
  }
  const CWindowCommandLine commandLine(arrArgument, std::vector<std::string>(argv, argv + argc));
  if (!commandLine.ShouldExit()) return std::nullopt;
  return PrintAndExit(commandLine);
}

void CVelkarApp::SetIdentity() {
  setApplicationName(FromSjis(txt::kWindowCaption));
  setApplicationVersion(QString::fromLatin1(velkar::kVersion));
}

int CVelkarApp::PrintAndExit(const CWindowCommandLine& commandLine) {
  std::fputs(commandLine.GetOutput().toLocal8Bit().constData(), stdout);
  std::fputs(commandLine.GetError().toLocal8Bit().constData(), stderr);
  return commandLine.GetExitCode();
}
