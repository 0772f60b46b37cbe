// velkar-tool: the command-line face of the core. It parses the global
// options (--dir, --sjis, --version) and one command from the table below, points the
// data store at the data folder and runs the command. Commands drive the same
// store and calculator as the window.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ConvertCommand.h"
#include "DumpCommand.h"
#include "LintCommand.h"
#include "ListCommand.h"
#include "RankCommand.h"
#include "ReportCommand.h"
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
    {"convert", "Rebuild data files from their INI sources", &Create<CConvertCommand>},
    {"dump", "Print a data file as the INI source it converts from", &Create<CDumpCommand>},
    {"lint", "Check source files and explain what the converters would skip or change",
     &Create<CLintCommand>},
    {"list", "List what the data files hold", &Create<CListCommand>},
    {"rank", "Rank a category's weapons by their damage on one target", &Create<CRankCommand>},
    {"report", "Compute one calculation and print its report", &Create<CReportCommand>},
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

std::string WithSeparator(std::string strDir) {
  if (!strDir.empty() && strDir.back() != '/') strDir += '/';
  return strDir;
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
    return output.UsageError(OneLine(e.what()));
  }

  output.SetRawSjis(bSjis);
  const ToolContext_t context{output, WithSeparator(strDir)};
  CDataManager::GetInstance().SetDataDirectory(context.strDataDir);
  for (ParsedCommand_t& command : arrCommand) {
    if (command.pApp->parsed()) return command.pCommand->Run(context);
  }
  return output.UsageError("no command given");
}

}  // namespace

int main(int argc, char** argv) {
  CToolOutput output(stdout, stderr);
  const int nExit = RunTool(argc, argv, output);
  CDataManager::DestroyInstance();
  return nExit;
}
