#include "setup/ResultJson.h"

#include <string_view>

#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/ModifierText.h"
#include "calc/ReportText.h"
#include "calc/WeaponTable.h"
#include "chart/Chart.h"
#include "data/DataManager.h"
#include "model/Action.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/ModifierTable.h"
#include "model/Monster.h"
#include "model/Weapon.h"
#include "platform/Cp932.h"
#include "setup/LoadoutComparison.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json Text(const std::string& strSjis) {
  return velkar::SjisToUtf8(strSjis);
}

ordered_json Number(const std::optional<int64_t>& nValue) {
  return nValue ? ordered_json(*nValue) : ordered_json(nullptr);
}

ordered_json Head(const char* pszFormat) {
  ordered_json document;
  document["format"] = pszFormat;
  document["version"] = kResultJsonVersion;
  return document;
}

// "#rrggbb" in lower-case hex digits.
ordered_json ColourText(const std::optional<uint32_t>& nColour) {
  if (!nColour) return nullptr;
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string strText = "#";
  for (int nShift = 20; nShift >= 0; nShift -= 4) strText += kHex[(*nColour >> nShift) & 0xFU];
  return strText;
}

ordered_json RowsJson(const CCalculator& calculator) {
  ordered_json rows = ordered_json::array();
  for (const ResultRow_t& row : calculator.GetResultRows()) {
    ordered_json cells = ordered_json::array();
    for (const std::string& strCell : row.arrCell) cells.push_back(Text(strCell));
    rows.push_back({{"region", Text(row.arrCell[0])},
                    {"physical", row.byPhys},
                    {"element", row.byElement},
                    {"damage", row.nDamage},
                    {"kind", row.nKind},
                    {"colour", ColourText(ResultKindColor(row.nKind))},
                    {"cells", std::move(cells)}});
  }
  return rows;
}

ordered_json FactorsJson(const DamageFactors_t& f) {
  return {{"sharpness", f.nSharpness},
          {"sharpness_physical", f.dSharpPhys},
          {"sharpness_element", f.dSharpElement},
          {"hit_rate", f.byHitRate},
          {"hit_factor", f.dHitFactor},
          {"bonus", f.byBonus},
          {"factor", f.dFactor},
          {"base_attack", f.dBase},
          {"level_rate", f.byLevelRate},
          {"anger", f.bAnger},
          {"anger_rate", f.byAngerRate}};
}

ordered_json HitJson(const HitTrace_t& hit) {
  return {{"motion", Text(hit.pAction ? hit.pAction->GetName() : std::string())},
          {"position", hit.nAction},
          {"hit", hit.nHit},
          {"motion_value", hit.wMotionValue},
          {"raw", hit.dRaw},
          {"motion_rate", hit.byMotionRate},
          {"physical", hit.dPhysical},
          {"effective", hit.dEffective ? ordered_json(*hit.dEffective) : ordered_json(nullptr)},
          {"kind", hit.nKind},
          {"element", hit.dElement},
          {"total", hit.dTotal},
          {"after_anger", hit.dAngryTotal},
          {"truncated", hit.nTruncated},
          {"running", hit.nRunning}};
}

ordered_json ExplainJson(const CalcExplanation_t& explanation) {
  ordered_json regions = ordered_json::array();
  for (size_t i = 0; i < explanation.arrRegion.size(); ++i) {
    const DamageResult_t& region = explanation.arrRegion[i];
    ordered_json hits = ordered_json::array();
    for (const HitTrace_t& hit : explanation.trace.arrHit) {
      if (hit.nRegion == static_cast<int32_t>(i)) hits.push_back(HitJson(hit));
    }
    regions.push_back({{"region", Text(region.strName)},
                       {"physical", region.byPhys},
                       {"element", region.byElement},
                       {"damage", region.nDamage},
                       {"kind", region.nKind},
                       {"hits", std::move(hits)}});
  }
  return regions;
}

ordered_json RankedJson(const RankedWeapon_t& row) {
  return {{"rank", row.nRank},
          {"index", row.nWeapon},
          {"weapon", Text(row.strName)},
          {"attack", row.wAttack},
          {"element", Text(row.strElement)},
          {"element_value", row.wElement},
          {"sharpness", row.nSharpness},
          {"total", row.nTotal},
          {"damage", row.arrDamage}};
}

ordered_json ProblemJson(const std::optional<LoadoutProblem_t>& problem) {
  if (!problem) return nullptr;
  return {{"part", SetupPartName(problem->ePart)},
          {"name", problem->strName ? Text(*problem->strName) : ordered_json(nullptr)}};
}

ordered_json LoadoutJson(const ComparedLoadout_t& loadout) {
  const bool bNumbers = !loadout.problem;
  return {{"build", Text(loadout.strName)},
          {"category", loadout.nCategory ? ordered_json(*loadout.nCategory) : ordered_json()},
          {"weapon", bNumbers ? Text(loadout.strWeapon) : ordered_json()},
          {"sharpness", bNumbers ? ordered_json(loadout.nSharpness) : ordered_json()},
          {"total", bNumbers ? ordered_json(loadout.nTotal) : ordered_json()},
          {"problem", ProblemJson(loadout.problem)},
          {"label", Text(LoadoutLabel(loadout))},
          {"detail", Text(LoadoutDetail(loadout))}};
}

// Every loadout's damage on a row and its difference to the first loadout's.
ordered_json ComparedRowJson(const LoadoutComparison_t& comparison, size_t nRow) {
  ordered_json damage = ordered_json::array();
  ordered_json difference = ordered_json::array();
  ordered_json best = ordered_json::array();
  for (size_t i = 0; i < comparison.arrLoadout.size(); ++i) {
    damage.push_back(Number(comparison.Damage(i, nRow)));
    difference.push_back(Number(comparison.Difference(i, nRow)));
    best.push_back(comparison.IsBest(i, nRow));
  }
  return {{"damage", std::move(damage)},
          {"difference", std::move(difference)},
          {"best", std::move(best)}};
}

ordered_json WarningJson(ordered_json loadout, const RestoreMiss_t& miss) {
  return {{"loadout", std::move(loadout)},
          {"part", SetupPartName(miss.ePart)},
          {"name", Text(miss.strName)}};
}

ordered_json ModifierRef(int nControlId) {
  return {{"id", nControlId}, {"name", Text(std::string(FindModifier(nControlId)->strCaption))}};
}

ordered_json GainJson(const Gain_t& gain) {
  if (gain.eKind == eGAIN_KIND::Sharpness) {
    return {{"kind", "sharpness"},
            {"level", gain.nSharpness},
            {"name", Text(CDataManager::GetSharpnessName(gain.nSharpness))},
            {"damage", gain.arrDamage},
            {"total", gain.nTotal}};
  }
  const ModifierInfo_t& info = *FindModifier(gain.nControlId);
  ordered_json group = ordered_json::array();
  for (const int nMember : ModifierGroupMembers(info)) group.push_back(ModifierRef(nMember));
  return {{"kind", "modifier"},
          {"id", gain.nControlId},
          {"name", Text(std::string(info.strCaption))},
          {"tick", gain.bTick},
          {"effect", Text(ModifierEffectText(info))},
          {"group", std::move(group)},
          {"replaces", gain.nReplaced != 0 ? ModifierRef(gain.nReplaced) : ordered_json(nullptr)},
          {"enabled", gain.bEnabled},
          {"damage", gain.arrDamage},
          {"total", gain.nTotal}};
}

// A list's records, each with its place in the list first.
template <class Record, class Describe>
ordered_json RecordList(const std::vector<const Record*>& arrRecord, Describe describe) {
  ordered_json records = ordered_json::array();
  for (size_t i = 0; i < arrRecord.size(); ++i) {
    ordered_json record = {{"index", i}, {"name", Text(arrRecord[i]->GetName())}};
    record.update(describe(*arrRecord[i]));
    records.push_back(std::move(record));
  }
  return records;
}

ordered_json RegionJson(size_t nIndex, const CMonster::Regio_t& region) {
  ordered_json element;
  for (int e = ELEMENT_FIRE; e <= ELEMENT_DRAGON; ++e) {
    element[ElementKey(e)] = region.byElement[static_cast<size_t>(e)];
  }
  return {{"index", nIndex},
          {"name", Text(region.strName)},
          {"physical",
           {{"cut", region.byPhys[0]}, {"impact", region.byPhys[1]}, {"third", region.byPhys[2]}}},
          {"element", std::move(element)}};
}

}  // namespace

std::optional<ordered_json> ReportDocument(const CCalculator& calculator, bool bExplain) {
  const std::optional<std::string> strReport = BuildReportFromCalculator(calculator);
  const std::optional<CalcExplanation_t> explanation = calculator.Explain();
  if (!strReport || !explanation) return std::nullopt;
  ordered_json document = Head("velkar-report");
  document["attack"] = Text(calculator.GetAttackText());
  document["element"] = Text(calculator.GetElementText());
  document["sharpness"] = Text(calculator.GetSharpnessText());
  document["rows"] = RowsJson(calculator);
  document["report"] = Text(*strReport);
  if (bExplain) {
    document["factors"] = FactorsJson(explanation->trace.factors);
    document["explain"] = ExplainJson(*explanation);
  }
  return document;
}

ordered_json RankingDocument(const WeaponTable_t& table) {
  const WeaponTableRequest_t& request = table.request;
  ordered_json regions = ordered_json::array();
  for (const std::string& strRegion : table.arrRegion) regions.push_back(Text(strRegion));
  ordered_json ranking = ordered_json::array();
  for (const RankedWeapon_t& row : table.arrRow) ranking.push_back(RankedJson(row));

  ordered_json document = Head("velkar-ranking");
  document["category"] = table.nCategory;
  document["monster"] = Text(table.strMonster);
  document["region"] = request.nRegion && *request.nRegion < table.arrRegion.size()
                           ? regions[*request.nRegion]
                           : ordered_json(nullptr);
  document["regions"] = std::move(regions);
  document["sort"] = WeaponColumnName(request.eSort);
  document["order"] = ListsAscending(request) ? "ascending" : "descending";
  document["filters"] = {
      {"element", request.nElement ? Text(CDataManager::GetElementName(*request.nElement))
                                   : ordered_json(nullptr)},
      {"name", request.strName.empty() ? ordered_json(nullptr) : Text(request.strName)}};
  document["ranking"] = std::move(ranking);
  return document;
}

ordered_json ComparisonDocument(const LoadoutComparison_t& comparison) {
  ordered_json loadouts = ordered_json::array();
  ordered_json warnings = ordered_json::array();
  for (const RestoreMiss_t& miss : comparison.arrTargetMiss) {
    warnings.push_back(WarningJson(nullptr, miss));
  }
  for (size_t i = 0; i < comparison.arrLoadout.size(); ++i) {
    const ComparedLoadout_t& loadout = comparison.arrLoadout[i];
    loadouts.push_back(LoadoutJson(loadout));
    for (const RestoreMiss_t& miss : loadout.arrMiss) warnings.push_back(WarningJson(i, miss));
  }
  ordered_json regions = ordered_json::array();
  for (size_t nRow = 0; nRow < comparison.arrRegion.size(); ++nRow) {
    ordered_json row = {{"region", Text(comparison.arrRegion[nRow])}};
    row.update(ComparedRowJson(comparison, nRow));
    regions.push_back(std::move(row));
  }

  ordered_json document = Head("velkar-comparison");
  document["target"] = {{"monster", Text(comparison.strMonster)},
                        {"level", Text(comparison.strLevel)},
                        {"anger", comparison.bAnger}};
  document["loadouts"] = std::move(loadouts);
  document["regions"] = std::move(regions);
  document["total"] = ComparedRowJson(comparison, comparison.arrRegion.size());
  document["warnings"] = std::move(warnings);
  return document;
}

ordered_json GainsDocument(const GainTable_t& table) {
  ordered_json regions = ordered_json::array();
  for (const std::string& strRegion : table.arrRegion) regions.push_back(Text(strRegion));
  ordered_json gains = ordered_json::array();
  for (const Gain_t& gain : table.arrGain) gains.push_back(GainJson(gain));

  ordered_json document = Head("velkar-gains");
  document["weapon"] = Text(table.strWeapon);
  document["monster"] = Text(table.strMonster);
  ordered_json sortRegion = table.nSortRegion ? regions[*table.nSortRegion] : ordered_json();
  document["regions"] = std::move(regions);
  document["damage"] = table.arrDamage;
  document["total"] = table.nTotal;
  document["sort_region"] = std::move(sortRegion);
  document["gains"] = std::move(gains);
  return document;
}

ordered_json ChartDocument(const Chart_t& chart) {
  static constexpr const char* kLayout[] = {"grouped", "stacked", "lying"};
  ordered_json groups = ordered_json::array();
  for (const std::string& strGroup : chart.arrGroup) groups.push_back(Text(strGroup));
  ordered_json series = ordered_json::array();
  for (const ChartSeries_t& one : chart.arrSeries) {
    ordered_json values = ordered_json::array();
    for (const std::optional<int64_t>& nValue : one.arrValue) values.push_back(Number(nValue));
    series.push_back({{"name", Text(one.strName)}, {"values", std::move(values)}});
  }
  ordered_json marks = ordered_json::array();
  for (const ChartMark_t& mark : chart.arrMark) {
    marks.push_back({{"kind", ChartMarkName(mark.eKind)},
                     {"group", mark.nGroup},
                     {"series", mark.nSeries},
                     {"text", Text(ChartMarkSign())},
                     {"legend", Text(ChartMarkLegend(mark.eKind))}});
  }
  ordered_json unusable = ordered_json::array();
  for (const std::string& strName : chart.arrUnusable) unusable.push_back(Text(strName));

  ordered_json document = Head("velkar-chart");
  document["kind"] = ChartKindName(chart.eKind);
  document["layout"] = kLayout[static_cast<size_t>(ChartLayout(chart.eKind))];
  document["title"] = Text(chart.strTitle);
  document["description"] = Text(chart.strDescription);
  document["axis"] = Text(chart.strAxis);
  document["groups"] = std::move(groups);
  document["series"] = std::move(series);
  document["marks"] = std::move(marks);
  document["unusable"] = std::move(unusable);
  document["empty"] = chart.strEmpty ? Text(*chart.strEmpty) : ordered_json(nullptr);
  return document;
}

ordered_json RecordsDocument(const CCalculator& loaded) {
  CCalculator calculator = loaded;
  ordered_json categories = CategoriesJson(calculator.GetCategories());
  for (size_t i = 0; i < categories.size(); ++i) {
    calculator.SelectCategory(static_cast<int>(i));
    categories[i]["weapons"] = WeaponsJson(calculator.GetWeapons());
    categories[i]["motions"] = MotionsJson(calculator.GetAvailableMotions());
    categories[i]["hit_corrections"] = HitCorrectionsJson(calculator.GetHitCorrections());
  }
  ordered_json document = Head("velkar-records");
  document["categories"] = std::move(categories);
  document["monsters"] = MonstersJson(calculator.GetMonsters());
  document["levels"] = LevelsJson(calculator.GetLevels());
  return document;
}

ordered_json CategoriesJson(const std::vector<CategoryEntry_t>& arrCategory) {
  ordered_json categories = ordered_json::array();
  for (const CategoryEntry_t& entry : arrCategory) {
    categories.push_back({{"category", entry.nCategory},
                          {"name", CDataManager::GetCategoryName(entry.nCategory)},
                          {"label", Text(entry.strLabel)}});
  }
  return categories;
}

ordered_json WeaponsJson(const std::vector<const CWeapon*>& arrWeapon) {
  return RecordList(arrWeapon, [](const CWeapon& weapon) {
    uint16_t wAttack = 0;
    uint16_t wElement = 0;
    int32_t nMask = 0;
    int32_t nSharpness = 0;
    weapon.GetStatus(wAttack, wElement, nMask, nSharpness);
    return ordered_json{{"attack", wAttack},
                        {"element_value", wElement},
                        {"element_mask", nMask},
                        {"sharpness", nSharpness}};
  });
}

ordered_json MotionsJson(const std::vector<const CAction*>& arrMotion) {
  return RecordList(arrMotion, [](const CAction& motion) {
    return ordered_json{{"cut_rate", motion.GetRate(0)},
                        {"impact_rate", motion.GetRate(1)},
                        {"values", motion.GetMotions()}};
  });
}

ordered_json HitCorrectionsJson(const std::vector<const CHitPattern*>& arrPattern) {
  return RecordList(arrPattern, [](const CHitPattern& pattern) {
    return ordered_json{{"low_rate", pattern.GetLowRate()}, {"high_rate", pattern.GetHighRate()}};
  });
}

ordered_json MonstersJson(const std::vector<const CMonster*>& arrMonster) {
  return RecordList(arrMonster, [](const CMonster& monster) {
    ordered_json regions = ordered_json::array();
    for (size_t r = 0; r < monster.GetRegions().size(); ++r) {
      regions.push_back(RegionJson(r, monster.GetRegions()[r]));
    }
    return ordered_json{{"anger", {monster.GetAnger1(), monster.GetAnger(), monster.GetAnger3()}},
                        {"regions", std::move(regions)}};
  });
}

ordered_json LevelsJson(const std::vector<const CLevel*>& arrLevel) {
  return RecordList(arrLevel, [](const CLevel& level) {
    return ordered_json{{"rate", level.GetRate()}};
  });
}

std::string_view ElementKey(int nElement) {
  static constexpr std::string_view kKey[] = {"fire", "water", "thunder", "ice", "dragon"};
  if (nElement < ELEMENT_FIRE || nElement > ELEMENT_DRAGON) return {};
  return kKey[nElement - ELEMENT_FIRE];
}

ordered_json MissesJson(const std::vector<RestoreMiss_t>& arrMiss) {
  ordered_json warnings = ordered_json::array();
  for (const RestoreMiss_t& miss : arrMiss) {
    warnings.push_back({{"part", SetupPartName(miss.ePart)}, {"name", Text(miss.strName)}});
  }
  return warnings;
}

std::string ResultJsonText(const ordered_json& document) {
  return document.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}
