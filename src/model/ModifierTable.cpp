#include "model/ModifierTable.h"

namespace {

ModifierTicks_t TickOf(const ModifierInfo_t& info) {
  return ModifierTicks_t{1} << (info.nControlId - kFirstModifierId);
}

}  // namespace

const ModifierInfo_t* FindModifier(int nControlId) {
  if (nControlId < kFirstModifierId || nControlId > kLastModifierId) return nullptr;
  return &kModifierTable[static_cast<size_t>(nControlId - kFirstModifierId)];
}

ModifierTicks_t ClickModifier(ModifierTicks_t nTicks, const ModifierInfo_t& info, bool bTicked) {
  if (info.nGroup != 0) {
    for (const ModifierInfo_t& other : kModifierTable) {
      if (other.nGroup == info.nGroup) nTicks &= ~TickOf(other);
    }
  }
  return bTicked ? nTicks | TickOf(info) : nTicks & ~TickOf(info);
}

uint32_t ModifierMaskOf(ModifierTicks_t nTicks) {
  uint32_t nMask = 0;
  for (const ModifierInfo_t& info : kModifierTable) {
    if ((nTicks & TickOf(info)) != 0) nMask |= info.GetMask();
  }
  return nMask;
}

std::vector<int> ModifierGroupMembers(const ModifierInfo_t& info) {
  std::vector<int> arrMember;
  if (info.nGroup == 0) return arrMember;
  for (const ModifierInfo_t& other : kModifierTable) {
    if (other.nGroup == info.nGroup) arrMember.push_back(other.nControlId);
  }
  return arrMember;
}

std::vector<int> TickedModifiers(ModifierTicks_t nTicks) {
  std::vector<int> arrId;
  for (int nId = kFirstModifierId; nId <= kLastModifierId; ++nId) {
    if (((nTicks >> (nId - kFirstModifierId)) & 1U) != 0) arrId.push_back(nId);
  }
  return arrId;
}
