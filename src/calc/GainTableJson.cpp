#include "calc/GainTableJson.h"

#include "calc/ModifierTable.h"
#include "data/DataManager.h"
#include "platform/Cp932.h"

namespace {

using ordered_json = nlohmann::ordered_json;

ordered_json ModifierRef(int nControlId) {
  return {{"id", nControlId}, {"name", velkar::SjisToUtf8(FindModifier(nControlId)->strCaption)}};
}

ordered_json GainJson(const Gain_t& gain) {
  if (gain.eKind == eGAIN_KIND::Sharpness) {
    return {{"kind", "sharpness"},
            {"level", gain.nSharpness},
            {"name", velkar::SjisToUtf8(CDataManager::GetSharpnessName(gain.nSharpness))},
            {"damage", gain.arrDamage},
            {"total", gain.nTotal}};
  }
  const ModifierInfo_t& info = *FindModifier(gain.nControlId);
  ordered_json group = ordered_json::array();
  for (const int nMember : ModifierGroupMembers(info)) group.push_back(ModifierRef(nMember));
  return {{"kind", "modifier"},
          {"id", gain.nControlId},
          {"name", velkar::SjisToUtf8(info.strCaption)},
          {"tick", gain.bTick},
          {"effect", velkar::SjisToUtf8(ModifierEffectText(info))},
          {"group", std::move(group)},
          {"replaces", gain.nReplaced != 0 ? ModifierRef(gain.nReplaced) : ordered_json(nullptr)},
          {"enabled", gain.bEnabled},
          {"damage", gain.arrDamage},
          {"total", gain.nTotal}};
}

}  // namespace

ordered_json GainTableJson(const GainTable_t& table) {
  ordered_json regions = ordered_json::array();
  for (const std::string& strRegion : table.arrRegion) {
    regions.push_back(velkar::SjisToUtf8(strRegion));
  }
  ordered_json gains = ordered_json::array();
  for (const Gain_t& gain : table.arrGain) gains.push_back(GainJson(gain));
  ordered_json sortRegion = table.nSortRegion ? regions[*table.nSortRegion] : ordered_json();
  return {{"format", "velkar-gains"},
          {"version", 1},
          {"weapon", velkar::SjisToUtf8(table.strWeapon)},
          {"monster", velkar::SjisToUtf8(table.strMonster)},
          {"regions", std::move(regions)},
          {"damage", table.arrDamage},
          {"total", table.nTotal},
          {"sort_region", std::move(sortRegion)},
          {"gains", std::move(gains)}};
}
