// velkar-tool compare: 2 to 6 loadouts side by side against one target (the
// core's LoadoutComparison.h). The loadouts come from --build (a saved build)
// and --code (every build of a build code, in the code's order), in the order
// the options were given, the first being the one the others are measured
// against; a code made with other data files is a warning on stderr; the target is the first
// build's monster, level and anger, or --monster, --level and --anger. Prints the table, or with
// --json the core's comparison document (ResultJson.h); a name that the data lacks is a warning on
// stderr, and a loadout without numbers (its weapon is gone) makes the command fail after printing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CalculationOptions.h"
#include "ToolCommand.h"
#include "setup/Setup.h"

class CCalculator;
struct LoadoutComparison_t;
struct Target_t;

class CCompareCommand : public CToolCommand {
public:
  void Setup(CLI::App& command) override;
  int Run(const ToolContext_t& context) override;

private:
  // An option whose every value gives loadouts: the builds it names, or a
  // usage error message.
  using LoadoutReader_t =
      std::function<std::string(const std::string& strValue, std::vector<Build_t>& arrBuild)>;
  struct LoadoutSource_t {
    CLI::Option* pOption = nullptr;
    std::vector<std::string> arrValue;  // as given, in order
    LoadoutReader_t fnRead;
  };

  void AddSource(CLI::App& command, LoadoutSource_t& source, const std::string& strName,
                 const std::string& strHelp, LoadoutReader_t fnRead);

  // The builds of every source's values, in the order they were given; a
  // usage error message, or empty.
  std::string ReadLoadouts(std::vector<Build_t>& arrBuild);

  // --build NAME: the saved build of that name.
  std::string ReadBuild(const std::string& strName, std::vector<Build_t>& arrBuild);

  // --code CODE: every build of the code.
  std::string ReadCode(const std::string& strCode, std::vector<Build_t>& arrBuild);

  // --monster and --level (indexes) and --anger in place of the target's own.
  std::string ReadTarget(const CCalculator& calculator, Target_t& target) const;

  static void Warn(const CToolOutput& output, const LoadoutComparison_t& comparison);

  CLI::App* m_pCommand = nullptr;
  LoadoutSource_t m_builds;
  LoadoutSource_t m_codes;
  std::vector<uint32_t> m_arrCodeFingerprint;  // of the codes read, each once
  std::vector<LoadoutSource_t*> m_arrSource;
  CCalculationOptions m_options;  // reads a saved build as --build does elsewhere
  CLI::Option* m_pMonster = nullptr;
  CLI::Option* m_pLevel = nullptr;
  CLI::Option* m_pAnger = nullptr;
  int m_nMonster = 0;
  int m_nLevel = 0;
  bool m_bAnger = false;
  bool m_bJson = false;
};
