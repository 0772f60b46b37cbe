// The page's one way into the core. The page sends a request as JSON
// ({"op": "selectWeapon", "index": 2}); the binding runs the calculator's
// operation of that name and answers with the whole state the page shows,
// every text already UTF-8. Nothing here computes or formats a game value: the
// rows and report, the weapon table, comparison, gains and charts are the core's
// result documents (setup/ResultJson.h, as velkar-tool --json prints them),
// codes are the core's build codes. The data files live in the module's
// memory file system, written there by the page.
#include <emscripten/emscripten.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/HitBreakdownText.h"
#include "calc/HitTable.h"
#include "calc/ReportText.h"
#include "calc/WeaponTable.h"
#include "chart/ChartBuilders.h"
#include "chart/ChartSvg.h"
#include "data/DataConversion.h"
#include "data/DataManager.h"
#include "data/IniSourceWriter.h"
#include "data/MonsterDataFile.h"
#include "data/MonsterSourceDump.h"
#include "data/SourceLinter.h"
#include "data/WeaponDataFile.h"
#include "data/WeaponSourceDump.h"
#include "model/ModifierTable.h"
#include "platform/BinaryFile.h"
#include "platform/Cp932.h"
#include "setup/BuildCode.h"
#include "setup/BuildsImportText.h"
#include "setup/LoadoutComparison.h"
#include "setup/ResultJson.h"
#include "setup/SetupMissText.h"
#include "setup/SetupRestore.h"
#include "setup/SetupStore.h"

namespace {

using json = nlohmann::ordered_json;
using velkar::SjisToUtf8;

// The module's data: the store of the folder last loaded (empty before the
// first load) and the calculator on it.
struct ModuleData_t {
  std::unique_ptr<CDataManager> pStore = std::make_unique<CDataManager>(std::string());
  CCalculator calculator{*pStore};
};

ModuleData_t& Module() {
  static ModuleData_t data;
  return data;
}

CCalculator& Calculator() {
  return Module().calculator;
}

const CDataManager& Store() {
  return *Module().pStore;
}

// The last comparison computed, kept while the next request names the same
// builds against the same target: the page's comparison and the chart of its
// loadouts ask for the same one, and again after every change of the setup
// on show that leaves them as they are. A new store forgets it.
struct KeptComparison_t {
  std::string strBuilds;  // the request's builds, as JSON text
  Target_t target;
  LoadoutComparison_t comparison;
};

std::optional<KeptComparison_t>& KeptComparison() {
  static std::optional<KeptComparison_t> kept;
  return kept;
}

json ModifiersJson(const CCalculator& calculator) {
  json modifiers = json::array();
  for (const ModifierInfo_t& info : kModifierTable) {
    modifiers.push_back({{"id", info.nControlId},
                         {"caption", SjisToUtf8(info.strCaption)},
                         {"group", info.nGroup},
                         {"ticked", calculator.GetModifier(info.nControlId)},
                         {"enabled", calculator.IsModifierEnabled(info.nControlId)}});
  }
  return modifiers;
}

// The name tables, the stems of the data files (the categories' in their
// order, then the monsters') and the charts, each with its caption and
// whether it charts loadouts and can chart one region.
json NameTablesJson() {
  json stems = json::array();
  for (const CategoryInfo_t& category : kCategoryTable)
    stems.push_back(std::string(category.strStem));
  json sharpness = json::array();
  for (int n = SHARPNESS_MIN; n <= SHARPNESS_MAX; ++n) {
    sharpness.push_back(SjisToUtf8(CDataManager::GetSharpnessName(n)));
  }
  json elements = json::array();
  for (int n = 0; n < ELEMENT_COUNT; ++n) {
    elements.push_back(SjisToUtf8(CDataManager::GetElementName(n)));
  }
  json charts = json::array();
  for (const eCHART_KIND eKind : kChartKinds) {
    charts.push_back({{"kind", ChartKindName(eKind)},
                      {"caption", SjisToUtf8(ChartKindCaption(eKind))},
                      {"loadouts", ChartTakesLoadouts(eKind)},
                      {"region", ChartTakesRegion(eKind)}});
  }
  return {{"sharpness", std::move(sharpness)},
          {"elements", std::move(elements)},
          {"charts", std::move(charts)},
          {"categoryFiles", std::move(stems)},
          {"monsterFile", std::string(kMonsterFileStem)}};
}

// The window's message about the files that loaded only in part, or "".
json LoadErrorsJson() {
  return SjisToUtf8(DescribeLoadErrorsInJapanese(Store().GetLoadErrors()));
}

// Everything the page shows of the calculator; its lists are the records of
// velkar-tool list --json.
json StateJson() {
  const CCalculator& c = Calculator();
  json columns = json::array();
  for (const ResultColumn_t& column : c.GetResultColumns()) {
    columns.push_back(SjisToUtf8(column.strCaption));
  }
  const std::optional<json> report = ReportDocument(c, false);
  return {{"categories", CategoriesJson(c.GetCategories())},
          {"category", c.GetCategorySelection()},
          {"weapons", WeaponsJson(c.GetWeapons())},
          {"weapon", c.GetWeaponSelection()},
          {"available", MotionsJson(c.GetAvailableMotions())},
          {"chosen", MotionsJson(c.GetChosenMotions())},
          {"hitCorrections", HitCorrectionsJson(c.GetHitCorrections())},
          {"hitCorrection", c.GetHitCorrectionSelection()},
          {"monsters", MonstersJson(c.GetMonsters())},
          {"monster", c.GetMonsterSelection()},
          {"levels", LevelsJson(c.GetLevels())},
          {"level", c.GetLevelSelection()},
          {"sharpness", c.GetSharpnessPosition()},
          {"anger", c.GetAnger()},
          {"modifiers", ModifiersJson(c)},
          {"attackText", SjisToUtf8(c.GetAttackText())},
          {"elementText", SjisToUtf8(c.GetElementText())},
          {"sharpnessText", SjisToUtf8(c.GetSharpnessText())},
          {"columns", std::move(columns)},
          {"result", report ? *report : json(nullptr)},
          {"reportUnavailable", SjisToUtf8(ReportUnavailableReason(c))}};
}

int IntOf(const json& request, const char* pszKey) {
  const auto it = request.find(pszKey);
  return it != request.end() && it->is_number_integer() ? it->get<int>() : NO_SELECTION;
}

bool BoolOf(const json& request, const char* pszKey) {
  const auto it = request.find(pszKey);
  return it != request.end() && it->is_boolean() && it->get<bool>();
}

std::string StringOf(const json& request, const char* pszKey) {
  const auto it = request.find(pszKey);
  return it != request.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// Puts a loaded store in the place of the module's: the calculator moves to
// it (restoring its setup by name when bKeepSetup, else starting afresh as
// at start-up) before the old store's records go; what the restore missed.
std::vector<RestoreMiss_t> SwapStore(std::unique_ptr<CDataManager> pStore, bool bKeepSetup) {
  ModuleData_t& data = Module();
  std::vector<RestoreMiss_t> arrMiss;
  if (bKeepSetup) {
    arrMiss = MoveToStore(data.calculator, *pStore);
  } else {
    data.calculator.UseStore(*pStore);
  }
  data.pStore = std::move(pStore);
  KeptComparison().reset();
  return arrMiss;
}

// The state with the load's problems and the name tables.
json LoadedStateJson() {
  json state = StateJson();
  state["loadErrors"] = LoadErrorsJson();
  state["names"] = NameTablesJson();
  return state;
}

// Loads every data file of the folder, as the window does at start-up.
json Load(const json& request) {
  auto pStore = std::make_unique<CDataManager>(StringOf(request, "dir"));
  pStore->LoadAll();
  SwapStore(std::move(pStore), false);
  return LoadedStateJson();
}

// Rebuilds the data files of the folder from the .ini sources there, each on
// its own; each conversion's outcome comes back, with the message the
// window's conversion command would show. When a file was written the
// folder's data is loaded and the setup on show restored on it by name, as
// the window does; otherwise the data on show stays as it was.
json Convert(const json& request) {
  auto pStore = std::make_unique<CDataManager>(StringOf(request, "dir"));
  json reports = json::array();
  bool bAnyWritten = false;
  const auto Note = [&reports, &bAnyWritten](const DataConversion_t& conversion) {
    bAnyWritten = conversion.bAnyWritten || bAnyWritten;
    reports.push_back(
        {{"written", conversion.bAllWritten}, {"message", SjisToUtf8(conversion.strMessage)}});
  };
  for (const json& category : request.value("categories", json::array())) {
    if (!category.is_number_integer()) continue;
    const int nCategory = category.get<int>();
    Note(ConvertWeaponSources(*pStore, std::span<const int>(&nCategory, 1)));
  }
  if (BoolOf(request, "monsters")) Note(ConvertMonsterSource(*pStore));
  std::vector<RestoreMiss_t> arrMiss;
  if (bAnyWritten) {
    pStore->LoadAll();
    arrMiss = SwapStore(std::move(pStore), true);
  }
  json state = LoadedStateJson();
  state["conversions"] = std::move(reports);
  state["missText"] = SjisToUtf8(DescribeRestoreMissesInJapanese(arrMiss, false));
  return state;
}

// The order of the chosen motions as a list of available indexes.
json MoveMotion(const json& request) {
  CCalculator& c = Calculator();
  std::vector<int> arrIndex;
  for (const CAction* pAction : c.GetChosenMotions()) {
    const auto& arrAvailable = c.GetAvailableMotions();
    const auto it = std::find(arrAvailable.begin(), arrAvailable.end(), pAction);
    arrIndex.push_back(static_cast<int>(it - arrAvailable.begin()));
  }
  const int nFrom = IntOf(request, "from");
  const int nTo = IntOf(request, "to");
  const int nCount = static_cast<int>(arrIndex.size());
  if (nFrom >= 0 && nFrom < nCount && nTo >= 0 && nTo < nCount && nFrom != nTo) {
    const int nMoved = arrIndex[static_cast<size_t>(nFrom)];
    arrIndex.erase(arrIndex.begin() + nFrom);
    arrIndex.insert(arrIndex.begin() + nTo, nMoved);
    c.ClearChosenMotions();
    c.AddChosenMotions(arrIndex);
  }
  return StateJson();
}

json ExplainRow(const json& request) {
  const std::optional<CalcExplanation_t> row = Calculator().ExplainRow(IntOf(request, "row"));
  if (!row) return {{"table", nullptr}};
  const HitTable_t table = BuildHitTable(*row);
  json header = json::array();
  for (const std::string& strCell : table.arrHeader) header.push_back(SjisToUtf8(strCell));
  json hits = json::array();
  for (const HitTableCells_t& cells : table.arrRow) {
    json line = json::array();
    for (const std::string& strCell : cells) line.push_back(SjisToUtf8(strCell));
    hits.push_back(std::move(line));
  }
  return {{"table",
           {{"region", SjisToUtf8(table.strRegion)},
            {"factors", SjisToUtf8(table.strFactors)},
            {"header", std::move(header)},
            {"hits", std::move(hits)},
            {"text", SjisToUtf8(HitTableText(table))}}}};
}

// The 17-digit breakdown of every row, as velkar-tool report --explain
// prints it.
json Explain(const json&) {
  const std::optional<CalcExplanation_t> explanation = Calculator().Explain();
  return {{"text", explanation ? json(SjisToUtf8(BuildHitBreakdownText(*explanation))) : json()}};
}

std::optional<size_t> IndexOf(const json& request, const char* pszKey) {
  const auto it = request.find(pszKey);
  if (it == request.end() || !it->is_number_unsigned()) return std::nullopt;
  return it->get<size_t>();
}

// Text the player typed, in Shift-JIS (what it cannot hold as '?').
std::string SjisOf(const std::string& strUtf8) {
  std::vector<size_t> arrReplaced;
  return velkar::Utf8ToSjisReplacing(strUtf8, arrReplaced);
}

// The weapon table of the category on show, as velkar-tool rank --json
// prints it: by the total or one region, at each weapon's own sharpness or
// one for all, filtered by element and name, in the order of a column, either
// way round.
json Rank(const json& request) {
  WeaponTableRequest_t table;
  table.nRegion = IndexOf(request, "region");
  const auto itSharpness = request.find("sharpness");
  if (itSharpness != request.end() && itSharpness->is_number_integer()) {
    table.nSharpness = itSharpness->get<int>();
  }
  const auto itElement = request.find("element");
  if (itElement != request.end() && itElement->is_number_integer()) {
    table.nElement = itElement->get<int>();
  }
  table.strName = SjisOf(StringOf(request, "name"));
  table.eSort = WeaponColumnOf(StringOf(request, "sort")).value_or(eWEAPON_COLUMN::Rank);
  table.bReverse = BoolOf(request, "reverse");
  return RankingDocument(BuildWeaponTable(Calculator(), table));
}

// What each modifier and sharpness level would change, as velkar-tool gains
// --json prints it, sorted by the total or by one region; null without rows.
json Gains(const json& request) {
  const std::optional<GainTable_t> table = ComputeGains(Calculator(), IndexOf(request, "region"));
  return table ? GainsDocument(*table) : json(nullptr);
}

// Builds as the page holds them: [{"name", "setup"}], names in UTF-8.
std::vector<Build_t> BuildsOf(const json& request) {
  std::vector<Build_t> arrBuild;
  const auto it = request.find("builds");
  if (it == request.end() || !it->is_array()) return arrBuild;
  for (const json& build : *it) {
    if (!build.is_object()) continue;
    const auto itSetup = build.find("setup");
    arrBuild.push_back({SjisOf(StringOf(build, "name")),
                        CSetupStore::SetupFromJson(itSetup != build.end() ? *itSetup : json())});
  }
  return arrBuild;
}

json BuildsJson(const std::vector<Build_t>& arrBuild) {
  json builds = json::array();
  for (const Build_t& build : arrBuild) {
    builds.push_back(
        {{"name", SjisToUtf8(build.strName)}, {"setup", CSetupStore::SetupToJson(build.setup)}});
  }
  return builds;
}

// The loadouts of up to six of the request's builds.
std::vector<NamedLoadout_t> LoadoutsOf(const json& request) {
  std::vector<NamedLoadout_t> arrLoadout;
  for (const Build_t& build : BuildsOf(request)) {
    if (arrLoadout.size() == kMaxComparedLoadouts) break;
    arrLoadout.push_back({build.strName, LoadoutOf(build.setup)});
  }
  return arrLoadout;
}

// The request's builds against the target on show; each loadout starts from
// the data as loaded.
const LoadoutComparison_t& ComparisonOf(const json& request) {
  const Target_t target = TargetOf(CaptureSetup(Calculator()));
  const auto it = request.find("builds");
  std::string strBuilds = it != request.end() ? it->dump() : std::string();
  std::optional<KeptComparison_t>& kept = KeptComparison();
  if (!kept || kept->strBuilds != strBuilds || !(kept->target == target)) {
    kept = KeptComparison_t{std::move(strBuilds), target,
                            CompareLoadouts(Store(), target, LoadoutsOf(request))};
  }
  return kept->comparison;
}

// Up to six builds' loadouts against the target on show, as velkar-tool
// compare --json prints it.
// "headings" has, per loadout, the heading of its column in the window, and
// "notes" what the window says it lacks ("" for nothing).
json Compare(const json& request) {
  const LoadoutComparison_t& comparison = ComparisonOf(request);
  json answer = ComparisonDocument(comparison);
  json headings = json::array();
  json notes = json::array();
  for (size_t i = 0; i < comparison.arrLoadout.size(); ++i) {
    const ComparedLoadout_t& loadout = comparison.arrLoadout[i];
    headings.push_back(SjisToUtf8(LoadoutHeading(i, LoadoutLabel(loadout))));
    notes.push_back(SjisToUtf8(DescribeLoadoutMissesInJapanese(loadout)));
  }
  answer["headings"] = std::move(headings);
  answer["notes"] = std::move(notes);
  return answer;
}

// Charts, as velkar-tool chart KIND prints them:
//   {"op": "chart", "kind": "loadouts" | "sharpness" | "gains" | "motions" |
//    "target", "style": {"width", "fontSize", "dark"} (each optional, the
//    tool's defaults), "region": a region's index (sharpness, gains; none:
//    the total), "builds": as compare takes them (loadouts; sharpness too,
//    which without them charts the setup on show, named as its code names
//    it)}
// answers {"chart": the velkar-chart document, "svg": its drawing (UTF-8)};
// gains, motions and target chart the setup on show, every loadout against
// the target on show. An unknown kind answers {"error": "unknown chart"}.
json Chart(const json& request) {
  const std::optional<eCHART_KIND> eKind = ChartKindOf(StringOf(request, "kind"));
  if (!eKind) return {{"error", "unknown chart"}};
  ChartRequest_t chartRequest;
  chartRequest.eKind = *eKind;
  chartRequest.nRegion = IndexOf(request, "region");
  if (request.contains("builds")) chartRequest.arrLoadout = LoadoutsOf(request);
  // The loadouts chart is of the comparison the page keeps, builds or none.
  if (*eKind == eCHART_KIND::Loadouts) chartRequest.pComparison = &ComparisonOf(request);
  const Chart_t chart = MakeChart(Store(), Calculator(), chartRequest);
  const auto itStyle = request.find("style");
  const json style = itStyle != request.end() && itStyle->is_object() ? *itStyle : json::object();
  ChartStyle_t chartStyle;
  if (style.contains("width")) chartStyle.nWidth = IntOf(style, "width");
  if (style.contains("fontSize")) chartStyle.nFontSize = IntOf(style, "fontSize");
  chartStyle.bDark = BoolOf(style, "dark");
  return {{"chart", ChartDocument(chart)}, {"svg", ChartSvg(chart, chartStyle)}};
}

// The code of the given builds, or of the setup on show under a name, as
// velkar-tool code prints it; or why there is none.
json Code(const json& request) {
  std::vector<Build_t> arrBuild = BuildsOf(request);
  if (request.find("builds") == request.end()) {
    arrBuild.push_back(request.contains("name")
                           ? Build_t{SjisOf(StringOf(request, "name")), CaptureSetup(Calculator())}
                           : CurrentBuild(Calculator()));
  }
  CodeError_t error;
  const std::optional<std::string> strCode =
      EncodeBuildCode({Store().GetDataFingerprint(), std::move(arrBuild)}, error);
  if (!strCode) {
    return {{"code", nullptr}, {"error", SjisToUtf8(DescribeCodeErrorInJapanese(error))}};
  }
  return {{"code", *strCode}, {"error", nullptr}};
}

// Opens a code: its first build goes on show; every build comes back, with
// what the data lacks and whether the code was made with other data. A code
// that cannot be read changes nothing and says why.
json OpenCode(const json& request) {
  CodeError_t error;
  const std::optional<BuildCode_t> code = DecodeBuildCode(StringOf(request, "code"), error);
  if (!code) return {{"error", SjisToUtf8(DescribeCodeErrorInJapanese(error))}};
  const std::vector<RestoreMiss_t> arrMiss =
      RestoreSetup(Calculator(), code->arrBuild.front().setup);
  json state = StateJson();
  const bool bOtherData = code->nFingerprint != Store().GetDataFingerprint();
  state["missText"] = SjisToUtf8(DescribeRestoreMissesInJapanese(arrMiss, bOtherData));
  state["builds"] = BuildsJson(code->arrBuild);
  state["otherData"] = bOtherData;
  state["error"] = nullptr;
  return state;
}

// The setup on show in the builds file's form, and back.
json GetSetup(const json&) {
  return {{"setup", CSetupStore::SetupToJson(CaptureSetup(Calculator()))}};
}

json ApplySetup(const json& request) {
  const auto it = request.find("setup");
  const Setup_t setup = CSetupStore::SetupFromJson(it != request.end() ? *it : json::object());
  const std::vector<RestoreMiss_t> arrMiss = RestoreSetup(Calculator(), setup);
  json state = StateJson();
  state["missText"] = SjisToUtf8(DescribeRestoreMissesInJapanese(arrMiss, false));
  return state;
}

// The saved builds live in a builds.json of the folder the page names, the
// desktop's own format, read and changed by the core's store.
// A file the store cannot use comes with the window's reason ("problem"),
// and is left as it is.
json Builds(const json& request) {
  const CSetupStore store(StringOf(request, "dir"));
  json builds = json::array();
  for (const ListedBuild_t& listed : store.LoadBuilds()) {
    builds.push_back({{"name", SjisToUtf8(listed.build.strName)},
                      {"entry", listed.nEntry},
                      {"setup", CSetupStore::SetupToJson(listed.build.setup)}});
  }
  const std::optional<SetupFileProblem_t>& problem = store.GetProblem();
  return {{"builds", std::move(builds)},
          {"problem", problem ? json(SjisToUtf8(DescribeInJapanese(*problem))) : json()}};
}

// Adds the builds of the builds.json in "from" to those in "dir", after them
// and in one change; a name taken there is numbered as the window numbers it
// ("name (2)"), and "message" says so in the words the window uses. Nothing
// changes when either file is unusable: "importProblem" says why the
// imported one is.
json ImportBuilds(const json& request) {
  const CSetupStore source(StringOf(request, "from"));
  std::vector<Build_t> arrBuild;
  for (ListedBuild_t& listed : source.LoadBuilds()) arrBuild.push_back(std::move(listed.build));
  const std::optional<SetupFileProblem_t>& problem = source.GetProblem();
  CSetupStore store(StringOf(request, "dir"));
  BuildsImport_t result;
  const bool bAdded = !problem && !arrBuild.empty() &&
                      store.AddBuilds(arrBuild, eTAKEN_NAME::Number, result) == eSTORE_RESULT::Ok;
  json answer = Builds(request);
  answer["added"] = result.arrSaved.size();
  answer["message"] =
      bAdded ? json(SjisToUtf8(DescribeImportInJapanese(arrBuild, result, false))) : json();
  answer["importProblem"] = problem ? json(SjisToUtf8(DescribeInJapanese(*problem))) : json();
  answer["error"] = store.Error();
  return answer;
}

json ChangeBuild(const json& request) {
  CSetupStore store(StringOf(request, "dir"));
  const std::string strOp = StringOf(request, "change");
  const std::optional<std::string> strName = velkar::Utf8ToSjis(StringOf(request, "name"));
  eSTORE_RESULT eResult = eSTORE_RESULT::Changed;
  if (strName && !strName->empty() && strOp == "save") {
    eResult = store.SaveBuild({*strName, CaptureSetup(Calculator())});
  }
  if (strName && strOp == "delete") {
    // The very entry the page listed: several builds may carry one name.
    const int nEntry = IntOf(request, "entry");
    for (const ListedBuild_t& listed : store.FindBuilds(*strName)) {
      if (nEntry >= 0 && listed.nEntry == static_cast<size_t>(nEntry)) {
        eResult = store.DeleteBuild(listed);
      }
    }
  }
  json answer = Builds(request);
  answer["result"] = static_cast<int>(eResult);
  answer["error"] = store.Error();
  return answer;
}

// What velkar-tool lint prints for a source file of the folder, one finding a
// line (the linter's English, names in UTF-8), and whether the file is in an
// encoding the converter misreads; none for a file it cannot read.
json Lint(const json& request) {
  const std::string strName = StringOf(request, "name");
  const std::optional<eSOURCE_KIND> eKind = CSourceLinter::KindOfFileName(strName);
  std::vector<uint8_t> arrBytes;
  velkar::ReadFailure_t failure;
  json findings = json::array();
  bool bMisencoded = false;
  if (eKind && velkar::ReadWholeFile(StringOf(request, "dir") + strName, arrBytes, failure) ==
                   velkar::eREAD_RESULT::Ok) {
    const std::string strBytes(arrBytes.begin(), arrBytes.end());
    for (const LintFinding_t& finding : CSourceLinter::Lint(strBytes, *eKind)) {
      findings.push_back(SjisToUtf8(CSourceLinter::FormatFinding(strName, finding)));
      bMisencoded = bMisencoded || finding.bMisencoded;
    }
  }
  return {{"findings", std::move(findings)}, {"misencoded", bMisencoded}};
}

// The INI source of a data file of the folder, by its stem, as the page
// offers it for download: UTF-8 with the byte-order mark, which the converter
// reads back into the same records (the entries velkar-tool dump prints),
// with the entries that would not come back so; none for another stem or a
// file that cannot be read.
json Source(const json& request) {
  const std::string strStem = StringOf(request, "stem");
  const std::vector<std::string_view> arrStem = DataFileStems();
  std::vector<uint8_t> arrBytes;
  velkar::ReadFailure_t failure;
  if (std::find(arrStem.begin(), arrStem.end(), strStem) == arrStem.end() ||
      velkar::ReadWholeFile(StringOf(request, "dir") + strStem + ".dat", arrBytes, failure) !=
          velkar::eREAD_RESULT::Ok) {
    return {{"text", nullptr}};
  }
  // A damaged file gives the records before the damage, as the loader does.
  CIniSourceWriter writer(eSOURCE_ENCODING::UTF8);
  if (strStem == kMonsterFileStem) {
    MonsterFileContents_t contents;
    static_cast<void>(CMonsterDataFile::Decode(arrBytes, contents));
    WriteMonsterSource(contents, writer);
  } else {
    WeaponFileContents_t contents;
    static_cast<void>(CWeaponDataFile::Decode(arrBytes, contents));
    WriteWeaponSource(contents, writer);
  }
  json warnings = json::array();
  for (const std::string& strWarning : writer.Warnings())
    warnings.push_back(SjisToUtf8(strWarning));
  return {{"text", "\xEF\xBB\xBF" + SjisToUtf8(writer.Text())}, {"warnings", std::move(warnings)}};
}

using Operation = std::function<json(const json&)>;

const std::map<std::string, Operation>& Operations() {
  static const std::map<std::string, Operation> mapOperation = {
      {"load", Load},
      {"convert", Convert},
      {"state", [](const json&) { return StateJson(); }},
      {"names", [](const json&) { return NameTablesJson(); }},
      {"selectCategory",
       [](const json& r) {
         Calculator().SelectCategory(IntOf(r, "index"));
         return StateJson();
       }},
      {"selectWeapon",
       [](const json& r) {
         Calculator().SelectWeapon(IntOf(r, "index"));
         return StateJson();
       }},
      {"releaseSharpness",
       [](const json& r) {
         Calculator().ReleaseSharpness(IntOf(r, "position"));
         return StateJson();
       }},
      {"addMotion",
       [](const json& r) {
         Calculator().AddChosenMotion(IntOf(r, "index"));
         return StateJson();
       }},
      {"removeMotion",
       [](const json& r) {
         Calculator().RemoveChosenMotion(IntOf(r, "index"));
         return StateJson();
       }},
      {"clearMotions",
       [](const json&) {
         Calculator().ClearChosenMotions();
         return StateJson();
       }},
      {"moveMotion", MoveMotion},
      {"selectMonster",
       [](const json& r) {
         Calculator().SelectMonster(IntOf(r, "index"));
         return StateJson();
       }},
      {"selectLevel",
       [](const json& r) {
         Calculator().SelectLevel(IntOf(r, "index"));
         return StateJson();
       }},
      {"selectHitCorrection",
       [](const json& r) {
         Calculator().SelectHitCorrection(IntOf(r, "index"));
         return StateJson();
       }},
      {"setAnger",
       [](const json& r) {
         Calculator().SetAnger(BoolOf(r, "on"));
         return StateJson();
       }},
      {"setModifier",
       [](const json& r) {
         Calculator().SetModifier(IntOf(r, "id"), BoolOf(r, "on"));
         return StateJson();
       }},
      {"explainRow", ExplainRow},
      {"explain", Explain},
      {"rank", Rank},
      {"gains", Gains},
      {"compare", Compare},
      {"chart", Chart},
      {"code", Code},
      {"openCode", OpenCode},
      {"getSetup", GetSetup},
      {"applySetup", ApplySetup},
      {"builds", Builds},
      {"changeBuild", ChangeBuild},
      {"importBuilds", ImportBuilds},
      {"lint", Lint},
      {"source", Source},
  };
  return mapOperation;
}

}  // namespace

// The answer stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* velkar_call(const char* pszRequest) {
  static std::string strAnswer;
  const json request = json::parse(pszRequest, nullptr, false);
  const auto it = Operations().find(request.is_object() ? StringOf(request, "op") : std::string());
  const json answer =
      it == Operations().end() ? json{{"error", "unknown request"}} : it->second(request);
  strAnswer = answer.dump(-1, ' ', false, json::error_handler_t::replace);
  return strAnswer.c_str();
}
