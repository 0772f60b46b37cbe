#include "DataConversion.h"

#include <vector>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "text/LoadErrorText.h"
#include "text/UnwritableFolderHint.h"

ConversionOutcome_t CDataConversion::ConvertWeapons() {
  CDataManager& store = CDataManager::GetInstance();
  bool bAll = true;
  std::vector<ConvertReport_t> arrReport;
  for (int nCategory = 0; nCategory < CATEGORY_COUNT && bAll; ++nCategory) {
    bAll = store.ConvertWeaponIni(nCategory);
    arrReport.push_back(store.GetLastConvertReport());
  }
  return {DescribeConversion(bAll ? txt::kConvertWeaponsSucceeded : txt::kConvertWeaponsFailed,
                             arrReport, false) +
              (bAll ? QString() : UnwritableFolderHint()),
          !bAll};
}

ConversionOutcome_t CDataConversion::ConvertMonsters() {
  CDataManager& store = CDataManager::GetInstance();
  const bool bDone = store.ConvertMonsterIni();
  return {DescribeConversion(bDone ? txt::kConvertMonstersSucceeded : txt::kConvertMonstersFailed,
                             {store.GetLastConvertReport()}, true) +
              (bDone ? QString() : UnwritableFolderHint()),
          !bDone};
}
