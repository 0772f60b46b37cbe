#include "model/HitPattern.h"

CHitPattern::CHitPattern(const std::string& strName, uint8_t byLowRate, uint8_t byHighRate)
    : m_strName(strName), m_byLowRate(byLowRate), m_byHighRate(byHighRate) {}

CHitPattern::~CHitPattern() = default;
