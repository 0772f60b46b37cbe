// velkar-tool: the command-line face of the core. It parses the global
// options (--dir, --sjis, --version) and one command from the table below, points the
// data store at the data folder and runs the command. Commands drive the same
// store and calculator as the window.
#include <fcntl.h>
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "BuildsCommand.h"
#include "ChartCommand.h"
#include "CodeCommand.h"
#include "CompareCommand.h"
#include "ConvertCommand.h"
#include "DumpCommand.h"
#include "GainsCommand.h"
#include "LintCommand.h"
#include "ListCommand.h"
#include "RankCommand.h"
#include "ReportCommand.h"
#include "SaveBuildCommand.h"
#include "ToolCommand.h"
#include "ToolOutput.h"
#include "VelkarVersion.h"
#include "data/DataManager.h"
#include "platform/ModuleDirectory.h"

namespace {

struct CommandEntry_t {
  const char* pszName;
  const char* pszSummary;
  std::unique_ptr<CToolCommand> (*pfnCreate)();
};

template <typename T>
std::unique_ptr<CToolCommand> Create() {
  return std::make_unique<T>();
}

const CommandEntry_t kCommandTable[] = {
    {"builds", "List the builds saved by the window or the tool, or import a build code",
     &Create<CBuildsCommand>},
    {"chart", "Draw one of five charts (SVG) or print its series (JSON)", &Create<CChartCommand>},
    {"code", "Print the build code of saved builds or of a calculation", &Create<CCodeCommand>},
    {"compare", "Compute 2 to 6 loadouts against one target, side by side",
     &Create<CCompareCommand>},
    {"convert", "Rebuild data files from their INI sources", &Create<CConvertCommand>},
    {"dump", "Print a data file as the INI source it converts from", &Create<CDumpCommand>},
    {"gains", "Show what each modifier and sharpness level would change in a calculation",
     &Create<CGainsCommand>},
    {"lint", "Check source files and explain what the converters would skip or change",
     &Create<CLintCommand>},
    {"list", "List what the data files hold", &Create<CListCommand>},
    {"rank", "The weapon table of a category on one target, ranked by damage",
     &Create<CRankCommand>},
    {"report", "Compute one calculation and print its report", &Create<CReportCommand>},
    {"save-build", "Save a calculation's setup as a build the window can load",
     &Create<CSaveBuildCommand>},
};

struct ParsedCommand_t {
  CLI::App* pApp;
  std::unique_ptr<CToolCommand> pCommand;
};

// CLI11's messages, as one line.
std::string OneLine(std::string strText) {
  for (char& c : strText) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  while (!strText.empty() && strText.back() == ' ') strText.pop_back();
  return strText;
}

// The message for a first argument that names no command.
std::string UnknownCommand(const std::string& strName) {
  std::string strText = strName + " is not a command; the commands are";
  for (const CommandEntry_t& entry : kCommandTable) {
    strText += std::string(&entry == kCommandTable ? " " : ", ") + entry.pszName;
  }
  return strText;
}

// Every data file that a command found damaged or unreadable, one line each
// on stderr after what the command printed; the command then fails even
// though it printed what did load.
int WithLoadErrors(const CToolOutput& output, const CDataManager& store, int nExit) {
  const std::vector<DataFileError_t>& arrError = store.GetLoadErrors();
  for (const DataFileError_t& error : arrError) output.Error(DescribeInEnglish(error));
  return (arrError.empty() || nExit != kExitOk) ? nExit : kExitFailure;
}

int RunTool(int argc, char** argv, CToolOutput& output) {
  CLI::App app{"Velkar's data files and damage calculator on the command line", "velkar-tool"};
  std::string strDir = velkar::GetModuleDirectory();
  bool bSjis = false;
  app.add_option("--dir", strDir,
                 "Folder of the data and source files (default: the folder of velkar-tool)")
      ->check(CLI::ExistingDirectory);
  app.add_flag("--sjis", bSjis, "Write names and texts as Shift-JIS bytes instead of UTF-8");
  app.set_version_flag("--version", std::string("velkar-tool ") + velkar::kVersion,
                       "Print the version and exit");
  app.require_subcommand(1);
  app.fallthrough();

  std::vector<ParsedCommand_t> arrCommand;
  for (const CommandEntry_t& entry : kCommandTable) {
    ParsedCommand_t command{app.add_subcommand(entry.pszName, entry.pszSummary), entry.pfnCreate()};
    command.pCommand->Setup(*command.pApp);
    arrCommand.push_back(std::move(command));
  }

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help, --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    // A word where the command belongs is left over, unparsed.
    const std::vector<std::string> arrRest = app.remaining();
    if (app.get_subcommands().empty() && !arrRest.empty() && !arrRest.front().starts_with('-')) {
      return output.UsageError(UnknownCommand(arrRest.front()));
    }
    return output.UsageError(OneLine(e.what()));
  }

  output.SetRawSjis(bSjis);
  CDataManager store(strDir);
  const ToolContext_t context{output, store.GetDataDirectory(), store};
  for (ParsedCommand_t& command : arrCommand) {
    if (command.pApp->parsed())
      return WithLoadErrors(output, store, command.pCommand->Run(context));
  }
  return output.UsageError("no command given");
}

// A standard stream that was closed gets a descriptor on which every write
// fails, so that the failure is seen, and no file the tool opens can take
// its number and receive its output.
void KeepStandardStreamsTaken() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    const int fdNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (fdNull >= 0 && fdNull != fd) {
      dup2(fdNull, fd);
      close(fdNull);
    }
  }
}

int RunGuarded(int argc, char** argv, CToolOutput& output) {
  try {
    return RunTool(argc, argv, output);
  } catch (const std::bad_alloc&) {
    output.Error("not enough memory to finish the command");
    return kExitFailure;
  }
}

}  // namespace

int main(int argc, char** argv) {
  KeepStandardStreamsTaken();
  // A reader that goes away ends the command as it ends cat, even when the
  // signal was ignored by whoever started it.
  std::signal(SIGPIPE, SIG_DFL);
  CToolOutput output(stdout, stderr);
  const int nExit = RunGuarded(argc, argv, output);
  return output.Finish(nExit);
}
