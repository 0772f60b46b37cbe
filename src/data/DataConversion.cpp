#include "data/DataConversion.h"

#include <numeric>
#include <string_view>

#include "VelkarTexts.h"
#include "data/DataManager.h"

namespace {

void Describe(DataConversion_t& conversion, std::string_view strSucceeded,
              std::string_view strFailed, bool bMonsters) {
  conversion.strMessage = DescribeConversionInJapanese(
      conversion.bAllWritten ? strSucceeded : strFailed, conversion.arrReport, bMonsters);
}

}  // namespace

DataConversion_t ConvertWeaponSources(CDataManager& store, std::span<const int> arrCategory) {
  DataConversion_t conversion;
  for (const int nCategory : arrCategory) {
    const bool bWritten = store.ConvertWeaponIni(nCategory);
    conversion.bAllWritten = bWritten && conversion.bAllWritten;
    conversion.bAnyWritten = bWritten || conversion.bAnyWritten;
    conversion.arrReport.push_back(store.GetLastConvertReport());
  }
  Describe(conversion, txt::kConvertWeaponsSucceeded, txt::kConvertWeaponsFailed, false);
  return conversion;
}

DataConversion_t ConvertWeaponSources(CDataManager& store) {
  std::vector<int> arrCategory(static_cast<size_t>(CATEGORY_COUNT));
  std::iota(arrCategory.begin(), arrCategory.end(), 0);
  return ConvertWeaponSources(store, arrCategory);
}

DataConversion_t ConvertMonsterSource(CDataManager& store) {
  DataConversion_t conversion;
  conversion.bAllWritten = conversion.bAnyWritten = store.ConvertMonsterIni();
  conversion.arrReport.push_back(store.GetLastConvertReport());
  Describe(conversion, txt::kConvertMonstersSucceeded, txt::kConvertMonstersFailed, true);
  return conversion;
}
