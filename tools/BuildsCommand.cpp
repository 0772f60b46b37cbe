#include "BuildsCommand.h"

#include <CLI/CLI.hpp>

#include "CalculationOptions.h"
#include "ToolOutput.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"
#include "platform/TextEscape.h"
#include "setup/BuildCode.h"
#include "setup/BuildName.h"
#include "setup/LoadoutComparison.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

namespace {

std::string Listed(const std::vector<std::string>& arrName) {
  std::string strList;
  for (const std::string& strName : arrName) strList += (strList.empty() ? "" : ", ") + strName;
  return strList;
}

}  // namespace

void CBuildsCommand::Setup(CLI::App& command) {
  command.add_flag("--json", m_bJson, "Print one JSON object (UTF-8)");
  m_pImport = command.add_subcommand(
      "import",
      "Save the builds of a build code, all or none; the names saved are said on stderr and "
      "stdout stays empty, so the exit status alone says whether they were saved");
  m_pImport->add_option("CODE", m_strCode, "The build code")->required();
  m_pImport->add_option("--rename", m_arrRename,
                        "A new name (UTF-8) for the code's builds in order: the first for the "
                        "first build, ... (repeatable)");
  command.require_subcommand(0, 1);
}

int CBuildsCommand::Run(const ToolContext_t& context) {
  return m_pImport->parsed() ? Import(context) : List(context);
}

std::string CBuildsCommand::Rename(std::vector<Build_t>& arrBuild) const {
  if (m_arrRename.size() > arrBuild.size()) {
    return "--rename: " + std::to_string(m_arrRename.size()) + " names for " +
           std::to_string(arrBuild.size()) + " builds";
  }
  for (size_t i = 0; i < m_arrRename.size(); ++i) {
    BuildNameCheck_t name = CheckBuildName(m_arrRename[i]);
    if (name.eResult != eBUILD_NAME::Ok) return "--rename: " + DescribeInEnglish(name);
    arrBuild[i].strName = std::move(name.strSjis);
  }
  return {};
}

int CBuildsCommand::Import(const ToolContext_t& context) const {
  CodeError_t error;
  std::optional<BuildCode_t> code = DecodeBuildCode(m_strCode, error);
  if (!code) return context.output.UsageError("CODE: " + DescribeCodeError(error));
  const std::string strUsage = Rename(code->arrBuild);
  if (!strUsage.empty()) return context.output.UsageError(strUsage);

  CSetupStore store;
  BuildsImport_t result;
  switch (store.AddBuilds(code->arrBuild, eTAKEN_NAME::Refuse, result)) {
    case eSTORE_RESULT::Ok: break;
    case eSTORE_RESULT::NameTaken: return context.output.UsageError(Refusal(result));
    default: context.output.Error("nothing imported: " + store.Error()); return kExitFailure;
  }
  // The builds are saved: what is said about them goes to stderr, so that an
  // stdout that cannot be written does not fail a command that did its work.
  context.output.Note("imported " + Listed(result.arrSaved));
  WarnAboutData(context.output, context.store, *code);
  return kExitOk;
}

std::string CBuildsCommand::Refusal(const BuildsImport_t& result) {
  std::string strText = "nothing imported: ";
  if (!result.arrUnnamed.empty()) {
    std::vector<std::string> arrAt;
    for (const size_t nAt : result.arrUnnamed) arrAt.push_back(std::to_string(nAt + 1));
    strText += result.arrUnnamed.size() == 1
                   ? "the name of build " + arrAt.front() + " is empty"
                   : "the names of builds " + Listed(arrAt) + " are empty";
    strText += "; ";
  }
  if (!result.arrTaken.empty())
    strText += "these names are taken: " + Listed(result.arrTaken) + "; ";
  return strText + "give free names with --rename";
}

void CBuildsCommand::WarnAboutData(const CToolOutput& output, CDataManager& store,
                                   const BuildCode_t& code) {
  store.LoadAll();
  CCalculator calculator(store);
  calculator.LoadAll();
  if (auto strWarning = OtherDataWarning(store, code.nFingerprint)) output.Warning(*strWarning);
  for (const Build_t& build : code.arrBuild) {
    CCalculator restored = calculator;
    for (const RestoreMiss_t& miss : RestoreSetup(restored, build.setup)) {
      output.Warning("build " + build.strName + ": " + DescribeMissInEnglish(miss));
    }
  }
}

int CBuildsCommand::List(const ToolContext_t& context) const {
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
