#include "model/Action.h"

CAction::CAction(const std::string& strName) : m_strName(strName) {}

CAction::~CAction() = default;

bool CAction::AddMotion(uint16_t wMotion) {
  m_arrMotion.push_back(wMotion);
  return true;
}

void CAction::SetRate(uint8_t byCutRate, uint8_t byImpactRate) {
  m_byCutRate = byCutRate;
  m_byImpactRate = byImpactRate;
}

uint8_t CAction::GetRate(int nPhysIndex) const {
  switch (nPhysIndex) {
    case 0: return m_byCutRate;
    case 1: return m_byImpactRate;
    default: return 0;
  }
}
