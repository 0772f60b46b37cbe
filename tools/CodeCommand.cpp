#include "CodeCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"
#include "setup/BuildCode.h"
#include "setup/SetupRestore.h"

void CCodeCommand::Setup(CLI::App& command) {
  m_pCommand = &command;
  m_options.AddCategoryOption(command, false);
  command.add_option("--build", m_arrBuild,
                     "A saved build (UTF-8 name), repeatable: alone, the code holds the builds "
                     "as saved; with other options, one build to start the calculation from");
  m_options.AddWeaponOption(command);
  m_options.AddSelectionOptions(command, "Sharpness 0 to 5 (default: the weapon's own)");
  m_pName = command.add_option("--name", m_strName,
                               "The name of the calculation's build in the code (UTF-8; default: "
                               "the --build's name, else the weapon's)");
}

int CCodeCommand::Run(const ToolContext_t& context) {
  std::vector<Build_t> arrBuild;
  const bool bCalculation = m_arrBuild.empty() || CalculationOptionGiven();
  const std::string strUsage =
      bCalculation ? Calculation(context.store, arrBuild) : SavedBuilds(context.store, arrBuild);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);
  m_options.PrintWarnings(context.output);

  CodeError_t error;
  const std::optional<std::string> strCode =
      EncodeBuildCode({context.store.GetDataFingerprint(), std::move(arrBuild)}, error);
  if (!strCode) {
    context.output.Error(DescribeCodeError(error));
    return kExitFailure;
  }
  context.output.WriteLine(*strCode);
  return kExitOk;
}

bool CCodeCommand::CalculationOptionGiven() const {
  for (const CLI::Option* pOption : m_pCommand->get_options()) {
    if (pOption->count() > 0 && pOption->get_name() != "--build") return true;
  }
  return false;
}

std::string CCodeCommand::SavedBuilds(CDataManager& store, std::vector<Build_t>& arrBuild) {
  for (const std::string& strName : m_arrBuild) {
    const std::string strUsage = m_options.UseBuild(strName);
    if (!strUsage.empty()) return strUsage;
    arrBuild.push_back(*m_options.GetBuild());
  }
  store.LoadAll();  // for the data's fingerprint
  return {};
}

std::string CCodeCommand::Calculation(CDataManager& store, std::vector<Build_t>& arrBuild) {
  if (m_arrBuild.size() > 1) {
    return "--build: with other options give one build, the start of the calculation";
  }
  if (!m_arrBuild.empty()) {
    const std::string strUsage = m_options.UseBuild(m_arrBuild.front());
    if (!strUsage.empty()) return strUsage;
  }
  std::optional<std::string> strName;
  if (*m_pName) {
    strName = velkar::Utf8ToSjis(m_strName);
    if (!strName) return "--name: a build's name must be Shift-JIS text";
  } else if (m_options.GetBuild()) {
    strName = m_options.GetBuild()->strName;
  }
  CCalculator calculator(store);
  const std::string strUsage = m_options.ApplyAll(store, calculator);
  if (!strUsage.empty()) return strUsage;
  Build_t build = CurrentBuild(calculator);
  if (strName) build.strName = *strName;
  arrBuild.push_back(std::move(build));
  return {};
}
