// CDataConversion: the system menu's two conversions of the text sources into
// data files, each with the Japanese message that says what was written or
// why it failed. Both empty the store first; the window forgets its records
// before and reloads after.
#pragma once

#include <QString>

struct ConversionOutcome_t {
  QString strMessage;
  bool bProblem = false;
};

class CDataConversion {
public:
  // Every category of the table in turn; one that fails stops no other.
  static ConversionOutcome_t ConvertWeapons();
  static ConversionOutcome_t ConvertMonsters();
};
