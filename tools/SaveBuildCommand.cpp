#include "SaveBuildCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "setup/BuildName.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

void CSaveBuildCommand::Setup(CLI::App& command) {
  command.add_option("NAME", m_strName, "The build's name (UTF-8)")->required();
  m_options.AddCategoryOption(command);
  m_options.AddWeaponOption(command);
  m_options.AddSelectionOptions(command, "Sharpness 0 to 5 (default: the weapon's own)");
}

int CSaveBuildCommand::Run(const ToolContext_t& context) {
  const BuildNameCheck_t name = CheckBuildName(m_strName);
  if (name.eResult != eBUILD_NAME::Ok) {
    return context.output.UsageError("NAME: " + DescribeInEnglish(name));
  }
  CCalculator calculator(context.store);
  const std::string strUsage = m_options.ApplyAll(context.store, calculator);
  if (!strUsage.empty()) return m_options.Refuse(context.output, strUsage);
  m_options.PrintWarnings(context.output);

  CSetupStore store;
  switch (store.SaveBuild({name.strSjis, CaptureSetup(calculator)})) {
    case eSTORE_RESULT::Ok: return kExitOk;
    case eSTORE_RESULT::Duplicated:
      context.output.Error("build " + name.strSjis + " not saved: several builds in " +
                           store.GetBuildsPath() +
                           " carry this name; rename all but one of them first (the window's "
                           "builds dialog, Ctrl+B)");
      break;
    default: context.output.Error("build " + name.strSjis + " not saved: " + store.Error()); break;
  }
  return kExitFailure;
}
