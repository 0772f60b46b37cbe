#include "calc/GainText.h"

#include <algorithm>

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "data/DataManager.h"

namespace {

std::string_view CaptionOf(int nControlId) {
  return FindModifier(nControlId)->strCaption;
}

// The other members of the box's group, "、" between them; empty for none.
std::string OtherMembers(const ModifierInfo_t& info) {
  std::string strMembers;
  for (const int nMember : ModifierGroupMembers(info)) {
    if (nMember == info.nControlId) continue;
    if (!strMembers.empty()) strMembers += txt::kGainListSeparator;
    strMembers += CaptionOf(nMember);
  }
  return strMembers;
}

std::string ClickLine(const Gain_t& gain) {
  const std::string strChange = GainChangeText(gain.nTotal);
  if (!gain.bTick) return FormatText(txt::kGainTipUntick, {strChange});
  if (gain.nReplaced == 0) return FormatText(txt::kGainTipTick, {strChange});
  return FormatText(txt::kGainTipTickReplacing, {CaptionOf(gain.nReplaced), strChange});
}

}  // namespace

std::string GainChangeText(int64_t nChange) {
  if (nChange == 0) return std::string(txt::kGainNoChange);
  return (nChange > 0 ? "+" : "") + std::to_string(nChange);
}

std::string GainChoiceText(const Gain_t& gain) {
  if (gain.eKind == eGAIN_KIND::Sharpness) {
    return FormatText(txt::kGainChoiceSharpness, {CDataManager::GetSharpnessName(gain.nSharpness)});
  }
  return FormatText(gain.bTick ? txt::kGainChoiceTick : txt::kGainChoiceUntick,
                    {CaptionOf(gain.nControlId)});
}

std::string ModifierTipText(const ModifierInfo_t& info, const std::optional<GainTable_t>& gains) {
  std::string strText = ModifierEffectText(info);
  const std::string strMembers = OtherMembers(info);
  if (!strMembers.empty()) strText += "\n" + FormatText(txt::kGainTipGroup, {strMembers});
  strText += '\n';
  if (!gains) return strText + std::string(txt::kGainTipNothing);
  const auto itGain =
      std::find_if(gains->arrGain.begin(), gains->arrGain.end(), [&info](const Gain_t& gain) {
        return gain.eKind == eGAIN_KIND::Modifier && gain.nControlId == info.nControlId;
      });
  if (itGain == gains->arrGain.end()) return strText + std::string(txt::kGainTipNothing);
  return strText + ClickLine(*itGain);
}
