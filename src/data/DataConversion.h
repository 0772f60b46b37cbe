// The conversion of INI sources into data files that the window, the page and
// velkar-tool offer: the chosen sources converted each on its own, a report
// per file, and the outcome in the Japanese words that the window and the
// page show.
//
// A conversion runs on a new store of the data folder, never on the store
// whose records are on show: a face loads the new store (CDataManager::LoadAll)
// and swaps it in when a data file was written, so that the records on show
// are the folder's; a conversion that wrote nothing leaves them as they were.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "data/ConvertReport.h"

class CDataManager;

struct DataConversion_t {
  std::vector<ConvertReport_t> arrReport;  // one per source, in the order converted
  bool bAllWritten = true;
  bool bAnyWritten = false;  // the folder's data changed
  std::string strMessage;    // Shift-JIS: the outcome, then a line per file
};

// The weapon sources of the categories, in the order given; one that fails
// keeps its old data file and stops no other.
DataConversion_t ConvertWeaponSources(CDataManager& store, std::span<const int> arrCategory);
// The same for every category of the table.
DataConversion_t ConvertWeaponSources(CDataManager& store);
DataConversion_t ConvertMonsterSource(CDataManager& store);
