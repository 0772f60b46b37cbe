#include "DataConversion.h"

#include <vector>

#include "VelkarTexts.h"
#include "data/ConvertReport.h"
#include "data/DataManager.h"
#include "text/SjisText.h"
#include "text/UnwritableFolderHint.h"

ConversionOutcome_t CDataConversion::ConvertWeapons() {
  CDataManager& store = CDataManager::GetInstance();
  bool bAll = true;
  std::vector<ConvertReport_t> arrReport;
  // Each category on its own: one that fails keeps its old data file and
  // stops no other.
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    bAll = store.ConvertWeaponIni(nCategory) && bAll;
    arrReport.push_back(store.GetLastConvertReport());
  }
  return {
      FromSjis(DescribeConversionInJapanese(
          bAll ? txt::kConvertWeaponsSucceeded : txt::kConvertWeaponsFailed, arrReport, false)) +
          (bAll ? QString() : UnwritableFolderHint()),
      !bAll};
}

ConversionOutcome_t CDataConversion::ConvertMonsters() {
  CDataManager& store = CDataManager::GetInstance();
  const bool bDone = store.ConvertMonsterIni();
  return {FromSjis(DescribeConversionInJapanese(
              bDone ? txt::kConvertMonstersSucceeded : txt::kConvertMonstersFailed,
              {store.GetLastConvertReport()}, true)) +
              (bDone ? QString() : UnwritableFolderHint()),
          !bDone};
}
