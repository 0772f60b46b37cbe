#include "model/Level.h"

CLevel::CLevel(const std::string& strName, uint8_t byRate) : m_strName(strName), m_byRate(byRate) {}

CLevel::~CLevel() = default;
