// velkar-tool rank: the weapon table of a category on one setup (the core's
// WeaponTable.h, which the window's ranking shares): every weapon selected
// in turn on the same inputs, each at its own sharpness or all at
// --sharpness, ranked by the total damage or by the damage on --region,
// filtered by --element and --name and listed in the order of --sort. Prints
// the table, or with --json the core's ranking document (ResultJson.h).
#pragma once

#include <string>

#include "CalculationOptions.h"
#include "ToolCommand.h"
#include "calc/WeaponTable.h"

class CCalculator;

class CRankCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // The table's request from --region (the first region of that name),
  // --element, --name and --sort; a usage error message, or empty.
  std::string ReadRequest(const CCalculator& calculator);
  std::string ReadRegion(const CCalculator& calculator);

  CCalculationOptions m_options;
  CLI::Option* m_pRegion = nullptr;
  CLI::Option* m_pElement = nullptr;
  std::string m_strRegion;   // UTF-8, as given
  std::string m_strElement;  // UTF-8, as given
  std::string m_strName;     // UTF-8, as given
  std::string m_strSort = "rank";
  bool m_bJson = false;
  WeaponTableRequest_t m_request;
};
