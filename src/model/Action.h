// CAction: one attack motion of a weapon category, a list of hits (one motion
// value each) and the rates that apply against cut and impact hitzones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CAction {
public:
  explicit CAction(const std::string& strName);
  virtual ~CAction();

  CAction(const CAction&) = delete;
  CAction& operator=(const CAction&) = delete;

  bool AddMotion(uint16_t wMotion);
  void SetRate(uint8_t byCutRate, uint8_t byImpactRate);

  const std::string& GetName() const { return m_strName; }
  const std::vector<uint16_t>& GetMotions() const { return m_arrMotion; }

  // The rate for a physical index: 0 cut, 1 impact, anything else 0.
  uint8_t GetRate(int nPhysIndex) const;

private:
  std::string m_strName;
  std::vector<uint16_t> m_arrMotion;
  uint8_t m_byCutRate = 100;
  uint8_t m_byImpactRate = 100;
};
