#include "model/Weapon.h"

CWeapon::CWeapon(eWEAPON_CATEGORY eCategory, eDAMAGE_TYPE eDamageType, double dAttackCoef,
                 double dElementCoef)
    : m_eCategory(eCategory),
      m_dAttackCoef(dAttackCoef),
      m_dElementCoef(dElementCoef),
      m_nDamageType(eDamageType) {}

CWeapon::~CWeapon() = default;

const std::string& CWeapon::GetName() const {
  return m_strName;
}

eWEAPON_CATEGORY CWeapon::GetCategory() const {
  return m_eCategory;
}

bool CWeapon::SetStatus(const std::string& strName, uint16_t wAttack, uint16_t wElement,
                        int32_t nElementMask, int32_t nSharpness) {
  m_strName = strName;
  m_wAttack = wAttack;
  m_wElement = wElement;
  m_nElementMask = nElementMask;
  m_nSharpness = nSharpness;
  return true;
}

bool CWeapon::GetStatus(uint16_t& wAttack, uint16_t& wElement, int32_t& nElementMask,
                        int32_t& nSharpness) const {
  wAttack = m_wAttack;
  wElement = m_wElement;
  nElementMask = m_nElementMask;
  nSharpness = m_nSharpness;
  return true;
}
