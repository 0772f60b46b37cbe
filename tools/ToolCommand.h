// CToolCommand: one command of velkar-tool (convert, dump, list, report, ...).
// main.cpp keeps a table of them: each adds its options and arguments to its
// own CLI11 subcommand, and the one the user named is run after parsing, with
// the store of the data folder, which a command loads when it needs records.
#pragma once

#include <string>

namespace CLI {
class App;
class Option;
}  // namespace CLI
class CDataManager;
class CToolOutput;

struct ToolContext_t {
  const CToolOutput& output;
  std::string strDataDir;  // the data folder, ending with '/'
  CDataManager& store;     // the data folder's store, empty until a command loads it
};

class CToolCommand {
public:
  virtual ~CToolCommand() = default;

  // Declares the command's options and arguments on its subcommand.
  virtual void Setup(CLI::App& command) = 0;

  // Runs the command; the result is the process's exit code.
  virtual int Run(const ToolContext_t& context) = 0;
};
