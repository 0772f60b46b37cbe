#include "SaveBuildCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "platform/Cp932.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

void CSaveBuildCommand::Setup(CLI::App& command) {
  command.add_option("NAME", m_strName, "The build's name (UTF-8)")->required();
  m_options.AddCategoryOption(command);
  m_options.AddWeaponOption(command);
  m_options.AddSelectionOptions(command, "Sharpness 0 to 5 (default: the weapon's own)");
}

int CSaveBuildCommand::Run(const ToolContext_t& context) {
  const std::optional<std::string> strName = velkar::Utf8ToSjis(m_strName);
  if (!strName || strName->empty()) {
    return context.output.UsageError("NAME: a build's name must be Shift-JIS text, not empty");
  }
  CCalculator calculator;
  std::string strUsage = m_options.LoadCategory(calculator);
  if (strUsage.empty()) strUsage = m_options.ApplyWeapon(calculator);
  if (strUsage.empty()) {
    m_options.ApplySharpness(calculator);
    strUsage = m_options.ApplySelections(calculator);
  }
  if (!strUsage.empty()) return context.output.UsageError(strUsage);
  m_options.PrintWarnings(context.output);

  CSetupStore store;
  if (store.SaveBuild({*strName, CaptureSetup(calculator)}) != eSTORE_RESULT::Ok) {
    context.output.Error("build " + *strName + " not saved: " + store.Error());
    return kExitFailure;
  }
  return kExitOk;
}
