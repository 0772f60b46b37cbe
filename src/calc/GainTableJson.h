// The gains of a setup (GainTable_t) as one JSON object, the same for
// velkar-tool, the window and the web page; texts are UTF-8:
//
//   {"format": "velkar-gains", "version": 1,
//    "weapon": NAME, "monster": NAME,
//    "regions": [NAME, ...], "damage": [N, ...], "total": N,
//    "sort_region": NAME or null,
//    "gains": [GAIN, ...]}                  largest gain first
//
// A GAIN of a modifier box:
//   {"kind": "modifier", "id": 1040, "name": "会心", "tick": true (false:
//    unticking it), "effect": "攻撃力 ×1.25", "group": [{"id": 1040, "name":
//    "会心"}, ...] (empty for none), "replaces": {"id": 1041, "name":
//    "マイナス会心"} or null, "enabled": true, "damage": [CHANGE, ...],
//    "total": CHANGE}
// and of a sharpness level:
//   {"kind": "sharpness", "level": 5, "name": "白", "damage": [...], "total": N}
//
// "damage" of a gain holds the change of each region, in the order of
// "regions". A reader ignores members it does not know; "version" rises when
// a member changes its meaning.
#pragma once

#include <nlohmann/json.hpp>

#include "calc/GainTable.h"

nlohmann::ordered_json GainTableJson(const GainTable_t& table);
