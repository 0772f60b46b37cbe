// An environment variable set (or, for null, unset) while the object lives,
// and put back as it was when it goes, so no test leaks a change into the
// next one.
//
//   const CScopedEnv config("XDG_CONFIG_HOME", dir.Path().c_str());
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

class CScopedEnv {
public:
  CScopedEnv(const char* pszName, const char* pszValue) : m_strName(pszName) {
    if (const char* pszOld = std::getenv(pszName)) m_strOld = pszOld;
    Put(pszValue);
  }
  ~CScopedEnv() { Put(m_strOld ? m_strOld->c_str() : nullptr); }

  CScopedEnv(const CScopedEnv&) = delete;
  CScopedEnv& operator=(const CScopedEnv&) = delete;

private:
  void Put(const char* pszValue) const {
    if (pszValue != nullptr) setenv(m_strName.c_str(), pszValue, 1);
    if (pszValue == nullptr) unsetenv(m_strName.c_str());
  }

  std::string m_strName;
  std::optional<std::string> m_strOld;
};
