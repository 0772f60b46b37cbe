#include "BuildsCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"
#include "setup/SetupStore.h"

void CBuildsCommand::Setup(CLI::App& command) {
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CBuildsCommand::Run(const ToolContext_t& context) {
  const CSetupStore store;
  const std::vector<Build_t> arrBuild = store.LoadBuilds();
  if (m_bJson) {
    nlohmann::ordered_json builds = nlohmann::ordered_json::array();
    for (const Build_t& build : arrBuild) {
      builds.push_back({{"name", velkar::SjisToUtf8(build.strName)},
                        {"setup", CSetupStore::SetupToJson(build.setup)}});
    }
    const nlohmann::ordered_json document = {{"folder", store.GetFolder()},
                                             {"builds", std::move(builds)}};
    context.output.WriteUtf8(document.dump(2) + "\n");
    return kExitOk;
  }
  for (const Build_t& build : arrBuild) {
    const Setup_t& setup = build.setup;
    context.output.WriteLine(build.strName + "  category " +
                             (setup.nCategory
                                  ? std::to_string(*setup.nCategory) + " (" +
                                        CDataManager::GetCategoryName(*setup.nCategory) + ")"
                                  : std::string("-")) +
                             "  weapon " + setup.strWeapon.value_or("-") + "  monster " +
                             setup.strMonster.value_or("-"));
  }
  return kExitOk;
}
