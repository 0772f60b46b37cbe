#include "BuildsCommand.h"

#include <CLI/CLI.hpp>

#include "ToolOutput.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"
#include "platform/TextEscape.h"
#include "setup/SetupStore.h"

void CBuildsCommand::Setup(CLI::App& command) {
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
}

int CBuildsCommand::Run(const ToolContext_t& context) {
  const CSetupStore store;
  const std::vector<ListedBuild_t> arrListed = store.LoadBuilds();
  if (const std::optional<SetupFileProblem_t>& problem = store.GetProblem()) {
    context.output.Error(DescribeInEnglish(*problem));
    return kExitFailure;
  }
  if (m_bJson) {
    nlohmann::ordered_json builds = nlohmann::ordered_json::array();
    for (const ListedBuild_t& listed : arrListed) {
      builds.push_back({{"name", velkar::SjisToUtf8(listed.build.strName)},
                        {"setup", CSetupStore::SetupToJson(listed.build.setup)}});
    }
    // The folder is the environment's bytes, which need not be UTF-8.
    const nlohmann::ordered_json document = {{"folder", velkar::EscapeNonUtf8(store.GetFolder())},
                                             {"builds", std::move(builds)}};
    context.output.WriteUtf8(document.dump(2) + "\n");
    return kExitOk;
  }
  for (const ListedBuild_t& listed : arrListed) {
    const Setup_t& setup = listed.build.setup;
    // Names come from a file that may have been shared: one line each, and
    // no control character reaches the terminal.
    context.output.WriteLine(velkar::EscapeSjisControls(
        listed.build.strName + "  category " +
        (setup.nCategory ? std::to_string(*setup.nCategory) + " (" +
                               CDataManager::GetCategoryName(*setup.nCategory) + ")"
                         : std::string("-")) +
        "  weapon " + setup.strWeapon.value_or("-") + "  monster " +
        setup.strMonster.value_or("-")));
  }
  return kExitOk;
}
