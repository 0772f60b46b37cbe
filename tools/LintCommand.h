// velkar-tool lint [FILE.ini]...: checks source files without writing
// anything and prints one finding per line (file, line number, section, entry
// and what is wrong), as CSourceLinter words them. Without FILE it checks every
// source file of the data folder: the eight category sources and Monster.ini,
// those that exist. A bare FILE name is looked up in the data folder.
//
// A file named like a converter's source is checked as that kind; any other
// file is checked as the kind its sections suggest, with a warning that the
// converters never read it under that name.
//
// Exit 0 when nothing was found, 1 with findings, 2 when a file cannot be
// read or there is no file to check (and nothing is printed on stdout).
#pragma once

#include <string>
#include <vector>

#include "ToolCommand.h"

class CLintCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // The names given, or the source files that exist in the data folder.
  std::vector<std::string> FilesToCheck(const std::string& strDataDir) const;

  std::vector<std::string> m_arrFile;
};
