#include "model/Monster.h"

namespace {
const std::string kError = "Error";
}

CMonster::CMonster(const std::string& strName, uint8_t byAnger1, uint8_t byAnger2, uint8_t byAnger3)
    : m_strName(strName), m_byAnger1(byAnger1), m_byAnger2(byAnger2), m_byAnger3(byAnger3) {}

CMonster::~CMonster() = default;

bool CMonster::AddRegion(const std::string& strName, const std::array<uint8_t, 3>& byPhys,
                         const std::array<uint8_t, 9>& byElement) {
  m_arrRegion.push_back(Regio_t{strName, byPhys, byElement});
  return true;
}

const std::string& CMonster::GetRegionName(int nIndex) const {
  return IsValidIndex(nIndex) ? m_arrRegion[static_cast<size_t>(nIndex)].strName : kError;
}

int CMonster::GetPhysIndex(int nIndex, eDAMAGE_TYPE eType) const {
  switch (eType) {
    case DAMAGE_CUT: return 0;
    case DAMAGE_IMPACT: return 1;
    case DAMAGE_CUT_OR_IMPACT:
      if (!IsValidIndex(nIndex)) return 0;
      {
        const auto& phys = m_arrRegion[static_cast<size_t>(nIndex)].byPhys;
        return phys[0] < phys[1] ? 1 : 0;
      }
  }
  return 0;
}

bool CMonster::GetPhysHitzone(int nIndex, eDAMAGE_TYPE eType, uint8_t& byValue) const {
  if (!IsValidIndex(nIndex)) return false;
  const auto nPhys = static_cast<size_t>(GetPhysIndex(nIndex, eType));
  byValue = m_arrRegion[static_cast<size_t>(nIndex)].byPhys[nPhys];
  return true;
}

bool CMonster::GetElementHitzone(int nIndex, int32_t nElementMask, uint8_t& byValue) const {
  if (!IsValidIndex(nIndex)) return false;
  const auto& elements = m_arrRegion[static_cast<size_t>(nIndex)].byElement;
  size_t nEntry = 0;
  for (size_t bit = 0; bit <= ELEMENT_DRAGON; ++bit) {
    if ((static_cast<uint32_t>(nElementMask) >> bit) & 1U) {
      nEntry = bit;
      break;
    }
  }
  byValue = elements[nEntry];
  return true;
}
