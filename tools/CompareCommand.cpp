#include "CompareCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "setup/LoadoutComparison.h"
#include "setup/ResultJson.h"

void CCompareCommand::Setup(CLI::App& command) {
  m_loadouts.Setup(command);
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CCompareCommand::Run(const ToolContext_t& context) {
  CCalculator calculator(context.store);
  CLoadoutOptions::Prepared_t prepared;
  if (const auto nExit = m_loadouts.Prepare(context, "compare", 2, calculator, prepared)) {
    return *nExit;
  }
  const LoadoutComparison_t comparison =
      CompareLoadouts(context.store, prepared.target, prepared.arrLoadout);
  CLoadoutOptions::Warn(context.output, comparison);
  if (m_bJson) {
    context.output.WriteUtf8(ResultJsonText(ComparisonDocument(comparison)));
  } else {
    context.output.Write(ComparisonText(comparison));
  }
  for (const ComparedLoadout_t& loadout : comparison.arrLoadout) {
    if (loadout.problem) return kExitFailure;
  }
  return kExitOk;
}
