// CLevel: a monster level or rank, a named damage rate that applies to every hit.
#pragma once

#include <cstdint>
#include <string>

class CLevel {
public:
  CLevel(const std::string& strName, uint8_t byRate);
  virtual ~CLevel();

  CLevel(const CLevel&) = delete;
  CLevel& operator=(const CLevel&) = delete;

  const std::string& GetName() const { return m_strName; }
  uint8_t GetRate() const { return m_byRate; }

private:
  std::string m_strName;
  uint8_t m_byRate;
};
