#include "LoadoutOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>

#include "ToolCommand.h"
#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "setup/BuildCode.h"

void CLoadoutOptions::Setup(CLI::App& command) {
  m_pCommand = &command;
  AddSource(command, m_builds, "--build",
            "A saved build (UTF-8 name) as a loadout; give 2 to 6 loadouts in all (a chart "
            "takes 1), the first is the one the others are measured against",
            [this](const std::string& strName, std::vector<Build_t>& arrBuild) {
              return ReadBuild(strName, arrBuild);
            });
  AddSource(command, m_codes, "--code",
            "A build code whose builds are loadouts, in the code's order; --build and --code "
            "may be mixed",
            [this](const std::string& strCode, std::vector<Build_t>& arrBuild) {
              return ReadCode(strCode, arrBuild);
            });
  m_pMonster = command.add_option("--monster", m_nMonster,
                                  "Index in the monster list (default: the first build's monster)");
  m_pLevel = command.add_option("--level", m_nLevel,
                                "Index in the level list (default: the first build's level)");
  m_pAnger = command.add_flag("--anger", m_bAnger,
                              "The monster is angry (--anger=false: calm; default: as in the "
                              "first build)");
}

void CLoadoutOptions::AddSource(CLI::App& command, LoadoutSource_t& source,
                                const std::string& strName, const std::string& strHelp,
                                LoadoutReader_t fnRead) {
  source.pOption = command.add_option(strName, source.arrValue, strHelp);
  source.fnRead = std::move(fnRead);
  m_arrSource.push_back(&source);
}

std::optional<int> CLoadoutOptions::Prepare(const ToolContext_t& context,
                                            const std::string& strCommand, size_t nMin,
                                            CCalculator& calculator, Prepared_t& prepared) {
  std::vector<Build_t> arrBuild;
  std::string strUsage = ReadLoadouts(strCommand, nMin, arrBuild);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);

  context.store.LoadAll();
  calculator.LoadAll();
  if (!calculator.GetSelectedMonster() || !calculator.GetSelectedLevel()) {
    context.output.Error(std::string("no comparison: there is no ") +
                         (calculator.GetSelectedMonster() ? "level" : "monster") + " to select");
    return kExitFailure;
  }
  // Said once, however many codes were made with other data files.
  for (const uint32_t nFingerprint : m_arrCodeFingerprint) {
    if (auto strWarning = OtherDataWarning(context.store, nFingerprint)) {
      context.output.Warning(*strWarning);
      break;
    }
  }
  prepared.target = TargetOf(arrBuild.front().setup);
  strUsage = ReadTarget(calculator, prepared.target);
  if (!strUsage.empty()) return context.output.UsageError(strUsage);
  for (const Build_t& build : arrBuild) {
    prepared.arrLoadout.push_back({build.strName, LoadoutOf(build.setup)});
  }
  prepared.pCalculator = &calculator;
  return std::nullopt;
}

std::string CLoadoutOptions::ReadLoadouts(const std::string& strCommand, size_t nMin,
                                          std::vector<Build_t>& arrBuild) {
  // CLI11 lists every value of every option in the order it was parsed.
  std::vector<size_t> arrNext(m_arrSource.size(), 0);
  for (const CLI::Option* pOption : m_pCommand->parse_order()) {
    for (size_t i = 0; i < m_arrSource.size(); ++i) {
      LoadoutSource_t& source = *m_arrSource[i];
      if (source.pOption != pOption || arrNext[i] >= source.arrValue.size()) continue;
      const std::string strUsage = source.fnRead(source.arrValue[arrNext[i]++], arrBuild);
      if (!strUsage.empty()) return strUsage;
    }
  }
  if (arrBuild.size() >= nMin && arrBuild.size() <= kMaxComparedLoadouts) return {};
  std::string strOptions;
  for (const LoadoutSource_t* pSource : m_arrSource) {
    strOptions += (strOptions.empty() ? "" : " or ") + pSource->pOption->get_name();
  }
  return strCommand + " needs " + std::to_string(nMin) + " to " +
         std::to_string(kMaxComparedLoadouts) + " loadouts (" + strOptions + "); " +
         std::to_string(arrBuild.size()) + " given";
}

std::string CLoadoutOptions::ReadBuild(const std::string& strName, std::vector<Build_t>& arrBuild) {
  const std::string strUsage = m_options.UseBuild(strName);
  if (strUsage.empty()) arrBuild.push_back(*m_options.GetBuild());
  return strUsage;
}

std::string CLoadoutOptions::ReadCode(const std::string& strCode, std::vector<Build_t>& arrBuild) {
  CodeError_t error;
  std::optional<BuildCode_t> code = DecodeBuildCode(strCode, error);
  if (!code) return "--code: " + DescribeCodeError(error);
  for (Build_t& build : code->arrBuild) arrBuild.push_back(std::move(build));
  if (std::find(m_arrCodeFingerprint.begin(), m_arrCodeFingerprint.end(), code->nFingerprint) ==
      m_arrCodeFingerprint.end()) {
    m_arrCodeFingerprint.push_back(code->nFingerprint);
  }
  return {};
}

std::string CLoadoutOptions::ReadTarget(const CCalculator& calculator, Target_t& target) const {
  if (*m_pMonster) {
    const std::vector<const CMonster*>& arrMonster = calculator.GetMonsters();
    if (!InRange(m_nMonster, arrMonster.size())) {
      return RangeError("--monster", m_nMonster, arrMonster.size(), "monsters");
    }
    target.strMonster = arrMonster[static_cast<size_t>(m_nMonster)]->GetName();
  }
  if (*m_pLevel) {
    const std::vector<const CLevel*>& arrLevel = calculator.GetLevels();
    if (!InRange(m_nLevel, arrLevel.size())) {
      return RangeError("--level", m_nLevel, arrLevel.size(), "levels");
    }
    target.strLevel = arrLevel[static_cast<size_t>(m_nLevel)]->GetName();
  }
  if (*m_pAnger) target.bAnger = m_bAnger;
  return {};
}

void CLoadoutOptions::Warn(const CToolOutput& output, const LoadoutComparison_t& comparison) {
  for (const RestoreMiss_t& miss : comparison.arrTargetMiss) {
    output.Warning("target: " + DescribeMissInEnglish(miss) + "; the first is used");
  }
  for (const ComparedLoadout_t& loadout : comparison.arrLoadout) {
    for (const RestoreMiss_t& miss : loadout.arrMiss) {
      output.Warning(MissWarning(loadout.strName, miss));
    }
    if (loadout.problem) {
      output.Error("build " + loadout.strName + ": " + DescribeProblemInEnglish(*loadout.problem) +
                   "; it has no numbers");
    }
  }
}
