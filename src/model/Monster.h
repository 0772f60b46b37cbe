// CMonster: a target made of body regions, each with its physical and element
// hitzones, plus the three anger values of which damage uses the second.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/GameEnums.h"

class CMonster {
public:
  struct Regio_t {
    std::string strName;
    std::array<uint8_t, 3> byPhys{};     // 0 cut, 1 impact, 2 unused by every category
    std::array<uint8_t, 9> byElement{};  // indexed by eELEMENT; entry 0 is always 0
  };

  CMonster(const std::string& strName, uint8_t byAnger1, uint8_t byAnger2, uint8_t byAnger3);
  virtual ~CMonster();

  CMonster(const CMonster&) = delete;
  CMonster& operator=(const CMonster&) = delete;

  bool AddRegion(const std::string& strName, const std::array<uint8_t, 3>& byPhys,
                 const std::array<uint8_t, 9>& byElement);

  const std::string& GetName() const { return m_strName; }
  int GetRegionCount() const { return static_cast<int>(m_arrRegion.size()); }
  const std::vector<Regio_t>& GetRegions() const { return m_arrRegion; }

  // The region's name, or "Error" for an index outside the regions.
  const std::string& GetRegionName(int nIndex) const;

  // 0 (cut) or 1 (impact): which physical value and motion rate a hit uses.
  int GetPhysIndex(int nIndex, eDAMAGE_TYPE eType) const;

  // False, with the out value untouched, for an index outside the regions.
  bool GetPhysHitzone(int nIndex, eDAMAGE_TYPE eType, uint8_t& byValue) const;

  // The element hitzone of the lowest set bit among bits 0..5 of the mask, or
  // entry 0 when none is set; status bits 6..8 are never looked at.
  bool GetElementHitzone(int nIndex, int32_t nElementMask, uint8_t& byValue) const;

  uint8_t GetAnger() const { return m_byAnger2; }
  uint8_t GetAnger1() const { return m_byAnger1; }
  uint8_t GetAnger3() const { return m_byAnger3; }

private:
  bool IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetRegionCount(); }

  std::string m_strName;
  std::vector<Regio_t> m_arrRegion;
  uint8_t m_byAnger1;
  uint8_t m_byAnger2;
  uint8_t m_byAnger3;
};
