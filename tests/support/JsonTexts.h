// Test support for the JSON readers: texts made on demand, so that a table
// row holds the way to its text and a huge text exists only while its case
// runs. Header-only.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

// A text given as it is.
inline std::function<std::string()> Text(const char* szText) {
  return [szText] { return std::string(szText); };
}

// nDepth arrays, each inside the one before.
inline std::string Nested(size_t nDepth) {
  return std::string(nDepth, '[') + std::string(nDepth, ']');
}

// An array of nCount copies of one value.
inline std::string ArrayOf(size_t nCount, const std::string& strValue) {
  std::string strText = "[";
  for (size_t i = 0; i < nCount; ++i) strText += strValue + ",";
  strText.back() = ']';
  return strText;
}
