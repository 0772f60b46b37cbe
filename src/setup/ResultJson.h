// The JSON documents of Velkar's results, one format for every face:
// velkar-tool prints them with --json, and the window and the web page give
// the same text for the same request. One function builds each document;
// ResultJsonText gives its text (indented by two, one "\n" at the end). Texts
// are UTF-8; numbers are numbers; a value that does not exist is null.
//
// Every document is an object that starts with
//   "format": "velkar-report" | "velkar-ranking" | "velkar-comparison" |
//     "velkar-gains" | "velkar-chart" | "velkar-records",
//   "version": 1
// The version is that of this whole format: it goes up when a member changes
// its meaning or goes away. Members may be added within a version, so a
// reader ignores the members it does not know.
//
// velkar-report: one calculation (ReportDocument).
//   "attack", "element", "sharpness": the three status texts;
//   "rows": one per region: {"region", "physical", "element" (the hitzones in
//     percent), "damage", "kind" (0 normal, 1 low, 2 high), "colour"
//     ("#rrggbb", or null for an unknown kind), "cells" (the four texts of
//     the row as the window shows them)};
//   "report": the report text as the window copies it (CR LF line ends);
//   with the explanation also
//   "factors": {"sharpness", "sharpness_physical", "sharpness_element",
//     "hit_rate", "hit_factor", "bonus", "factor", "base_attack", "level_rate",
//     "anger", "anger_rate"}: what every hit shares;
//   "explain": one per region: {"region", "physical", "element", "damage",
//     "kind", "hits": [{"motion", "position", "hit" (both from 0),
//     "motion_value", "raw", "motion_rate", "physical", "effective" (null
//     without a raw value), "kind" (the hit's own), "element", "total",
//     "after_anger", "truncated", "running"}]}.
//
// Started from a saved build or a build code, velkar-report, velkar-ranking
// and velkar-gains also hold
//   "warnings": the names of the build the data lacks (MissesJson):
//     {"part": as below, "name"}.
//
// velkar-ranking: the weapon table of a category (RankingDocument).
//   "category": its row of the category table; "monster"; "region": the
//     name ranked by, or null;
//   "regions": the monster's region names, in order;
//   "sort": the column the rows are in the order of (WeaponColumnName);
//   "filters": {"element": a name or null, "name": a text or null};
//   "ranking": one per weapon shown, in that order: {"rank", "index" (in the
//     category's weapon list), "weapon", "attack", "element" (the names),
//     "element_value", "sharpness" (the position computed at, 0..5),
//     "total", "damage" (one per region)}.
//
// velkar-comparison: loadouts against one target (ComparisonDocument).
//   "target": {"monster", "level", "anger"};
//   "loadouts": in order, the first the reference: {"build" (its name),
//     "category" (or null), "weapon", "sharpness", "total" (null, all three,
//     without numbers), "problem": null, or why there are no numbers:
//     {"part": "category" | "weapon" | "hit_correction", "name": the name
//     the data lacks, or null when the loadout names none}, "label": what
//     the loadout is, in Japanese (weapon, sharpness, motion and modifier
//     counts), "detail": its name, motions and modifiers, one per line};
//   "regions": one per region of the monster: {"region", "damage": one per
//     loadout, "difference": each damage minus the first loadout's} (null
//     where a loadout has no numbers), "best": per loadout, whether it deals
//     the most on the row (none when all loadouts with numbers tie);
//   "total": {"damage", "difference", "best"} likewise;
//   "warnings": the names the data lacks: {"loadout": its index, or null for
//     the target, "part": "category" | "weapon" | "motion" | "monster" |
//     "level" | "hit_correction", "name"}.
//
// velkar-gains: what each modifier and sharpness level would change in one
// calculation (GainsDocument).
//   "weapon", "monster"; "regions": the region names, in row order;
//   "damage": each region's damage now, in that order; "total";
//   "sort_region": the region the gains are sorted by, or null;
//   "gains": one per click, largest gain first; a modifier box:
//     {"kind": "modifier", "id" (its control id), "name", "tick" (false:
//     unticking it), "effect" ("攻撃力 +10", "攻撃力 ×1.2"), "group": its
//     exclusive group's members [{"id", "name"}] (empty for none),
//     "replaces": the member a tick clears {"id", "name"}, or null,
//     "enabled" (whether the box can be clicked now), "damage": the change
//     of each region, "total": the change of the total};
//   a sharpness level: {"kind": "sharpness", "level" (0..5), "name" (its
//     colour), "damage", "total"}.
//
// velkar-chart: one chart's series, as the faces draw it (ChartDocument;
// the SVG beside it is chart/ChartSvg.h's).
//   "kind": "loadouts" | "sharpness" | "gains" | "motions" | "target";
//   "layout": "grouped" (a bar per series in each group), "stacked" (a bar
//     per group, the series its parts) or "lying" (a row per group);
//   "title", "description" (the accessible description), "axis" (the value
//     axis' caption);
//   "groups": the groups' labels, in order (regions and "合計", sharpness
//     colours, clicks);
//   "series": [{"name", "values": one per group, null where nothing is drawn}];
//   "marks": [{"kind": "best" | "own" (the weapon's own sharpness), "group",
//     "series" (indexes), "text": the sign drawn above the bar, "▼" for
//     every kind, "legend": what it means}];
//   "unusable": the entries shown apart, without a bar (loadouts without
//     numbers, boxes that cannot be clicked);
//   "empty": why there is nothing to draw, or null when there is.
//
// velkar-records: what the data files hold, as the calculator lists it
// (RecordsDocument).
//   "categories": one per listed category, in order: {"category" (its row of
//     the category table), "name" (its file stem), "label" (its Japanese
//     name), "weapons", "motions", "hit_corrections"};
//   "monsters", "levels".
// Every record has "index" (its place in its list: what velkar-tool's options
// and the page's requests take) and "name", and
//   a weapon: "attack", "element_value", "element_mask" (bit i for element
//     kind i), "sharpness" (its own level, as the data gives it);
//   a motion: "cut_rate", "impact_rate", "values" (a motion value per hit);
//   a hit correction: "low_rate", "high_rate";
//   a monster: "anger" (its three anger values), "regions": [{"index",
//     "name", "physical": {"cut", "impact", "third"}, "element": {"fire",
//     "water", "thunder", "ice", "dragon"}}] (the hitzones in percent);
//   a level: "rate".
// One function gives each kind's list; the web page's state lists the
// calculator's records with them, so that the page reads the same records.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

class CCalculator;
class CWeapon;
class CAction;
class CHitPattern;
class CMonster;
class CLevel;
struct CategoryEntry_t;
struct WeaponTable_t;
struct LoadoutComparison_t;
struct GainTable_t;
struct RestoreMiss_t;
struct Chart_t;

inline constexpr int kResultJsonVersion = 1;

// The calculator's calculation, with its explanation when asked; none when
// there is no report to give (no weapon, monster, level or hit correction).
std::optional<nlohmann::ordered_json> ReportDocument(const CCalculator& calculator, bool bExplain);

nlohmann::ordered_json RankingDocument(const WeaponTable_t& table);

nlohmann::ordered_json ComparisonDocument(const LoadoutComparison_t& comparison);

nlohmann::ordered_json GainsDocument(const GainTable_t& table);

nlohmann::ordered_json ChartDocument(const Chart_t& chart);

// What the calculator lists after its LoadAll: every listed category with its
// records (as selecting it lists them; the calculator itself is left as it is),
// the monsters and the levels.
nlohmann::ordered_json RecordsDocument(const CCalculator& loaded);

// The record lists of the velkar-records document, one function per kind.
nlohmann::ordered_json CategoriesJson(const std::vector<CategoryEntry_t>& arrCategory);
nlohmann::ordered_json WeaponsJson(const std::vector<const CWeapon*>& arrWeapon);
nlohmann::ordered_json MotionsJson(const std::vector<const CAction*>& arrMotion);
nlohmann::ordered_json HitCorrectionsJson(const std::vector<const CHitPattern*>& arrPattern);
nlohmann::ordered_json MonstersJson(const std::vector<const CMonster*>& arrMonster);
nlohmann::ordered_json LevelsJson(const std::vector<const CLevel*>& arrLevel);

// The key of a damaging element kind (ELEMENT_FIRE to ELEMENT_DRAGON) among a
// region's element hitzones: "fire", "water", "thunder", "ice", "dragon".
std::string_view ElementKey(int nElement);

// The "warnings" member for the names a restored build named that the data
// lacks.
nlohmann::ordered_json MissesJson(const std::vector<RestoreMiss_t>& arrMiss);

// A document's text: indented by two, ending in one "\n".
std::string ResultJsonText(const nlohmann::ordered_json& document);
