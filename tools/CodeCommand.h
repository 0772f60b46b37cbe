// velkar-tool code: prints the build code (see BuildCode.h) of saved builds
// or of a calculation, for a player to share. With --build NAME, repeatable,
// and no other option, the code holds those builds as they are saved; with
// the options of report (starting from at most one --build), it holds the
// setup they give, named by --name (default: the build's name, or none). The
// code carries the fingerprint of the data files in the data folder.
#pragma once

#include <string>
#include <vector>

#include "CalculationOptions.h"
#include "ToolCommand.h"

class CDataManager;

struct Build_t;

class CCodeCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // The builds as saved; a usage error message, or empty.
  std::string SavedBuilds(CDataManager& store, std::vector<Build_t>& arrBuild);
  // The setup of the calculation; a usage error message, or empty.
  std::string Calculation(CDataManager& store, std::vector<Build_t>& arrBuild);
  // True when an option other than --build was given.
  bool CalculationOptionGiven() const;

  CLI::App* m_pCommand = nullptr;
  CCalculationOptions m_options;
  std::vector<std::string> m_arrBuild;  // UTF-8, as given
  CLI::Option* m_pName = nullptr;
  std::string m_strName;  // UTF-8, as given
};
