// velkar-tool builds: lists the builds that the window and the tool saved
// (see CSetupStore), one line each: name, category, weapon and monster; with
// --json the builds as the file stores them. A builds file that cannot be
// used is named with the reason, and the command fails.
//
// velkar-tool builds import CODE: saves the builds of a build code (see
// BuildCode.h) under their names, all in one change of the file. A name that
// a saved build already has, or a build without a name, is refused and
// nothing is saved, unless --rename gives that build a free name: the first
// --rename names the code's first build, the second the second, and so on.
// The builds are saved whole; the names saved are then said on stderr (never
// stdout, so the exit status says whether they were saved), and what the data
// files here lack is named in warnings, after the warning that the code was
// made with other data files.
#pragma once

#include <string>
#include <vector>

#include "ToolCommand.h"

struct Build_t;
struct BuildCode_t;
struct BuildsImport_t;
class CDataManager;
class CToolOutput;

class CBuildsCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  int List(const ToolContext_t& context) const;
  int Import(const ToolContext_t& context) const;
  // Gives the builds their --rename names; a usage error message, or empty.
  std::string Rename(std::vector<Build_t>& arrBuild) const;
  // The usage error of an import refused for its names.
  static std::string Refusal(const BuildsImport_t& result);
  // The warnings about the data files here: made with others, names they lack.
  static void WarnAboutData(const CToolOutput& output, CDataManager& store,
                            const BuildCode_t& code);

  bool m_bJson = false;
  CLI::App* m_pImport = nullptr;
  std::string m_strCode;
  std::vector<std::string> m_arrRename;  // UTF-8, as given
};
