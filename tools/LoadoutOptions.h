// CLoadoutOptions: the options of the commands that compute several loadouts
// against one target (compare, chart loadouts and chart sharpness): --build
// (a saved build) and --code (every build of a build code), in the order they
// were given, the first being the one the others are measured against; the
// target is the first build's monster, level and anger, or --monster, --level
// and --anger. A code made with other data files is a warning on stderr, as is
// each name that the data lacks.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CalculationOptions.h"
#include "setup/LoadoutComparison.h"
#include "setup/Setup.h"

class CCalculator;
struct ToolContext_t;

class CLoadoutOptions {
public:
  void Setup(CLI::App& command);

  // What Prepare gives a command: the calculator that loaded the data, the
  // target and the loadouts.
  struct Prepared_t {
    CCalculator* pCalculator = nullptr;
    Target_t target;
    std::vector<NamedLoadout_t> arrLoadout;
  };

  // Reads nMin to 6 loadouts, loads the data into calculator and works out
  // the target; the exit code when it cannot (after saying why), or none.
  std::optional<int> Prepare(const ToolContext_t& context, const std::string& strCommand,
                             size_t nMin, CCalculator& calculator, Prepared_t& prepared);

  // The comparison's warnings and problems on stderr.
  static void Warn(const CToolOutput& output, const LoadoutComparison_t& comparison);

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
  std::string ReadLoadouts(const std::string& strCommand, size_t nMin,
                           std::vector<Build_t>& arrBuild);

  // --build NAME: the saved build of that name.
  std::string ReadBuild(const std::string& strName, std::vector<Build_t>& arrBuild);

  // --code CODE: every build of the code.
  std::string ReadCode(const std::string& strCode, std::vector<Build_t>& arrBuild);

  // --monster and --level (indexes) and --anger in place of the target's own.
  std::string ReadTarget(const CCalculator& calculator, Target_t& target) const;

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
};
