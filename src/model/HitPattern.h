// CHitPattern: a named correction for how an attack connects, one rate for low
// sharpness (levels 0 to 2) and one for high sharpness (3 to 5).
#pragma once

#include <cstdint>
#include <string>

class CHitPattern {
public:
  CHitPattern(const std::string& strName, uint8_t byLowRate, uint8_t byHighRate);
  virtual ~CHitPattern();

  CHitPattern(const CHitPattern&) = delete;
  CHitPattern& operator=(const CHitPattern&) = delete;

  const std::string& GetName() const { return m_strName; }
  uint8_t GetLowRate() const { return m_byLowRate; }
  uint8_t GetHighRate() const { return m_byHighRate; }

private:
  std::string m_strName;
  uint8_t m_byLowRate;
  uint8_t m_byHighRate;
};
