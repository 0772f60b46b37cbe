#include "text/LoadErrorText.h"

#include <QFile>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "model/GameEnums.h"
#include "platform/ModuleDirectory.h"
#include "text/SjisText.h"

QString DescribeFileError(const DataFileError_t& error) {
  return FromSjis(DescribeInJapanese(error));
}

QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError) {
  return FromSjis(DescribeLoadErrorsInJapanese(arrError));
}

QString DescribeMissingData(const CDataManager& store) {
  if (velkar::FileExists(store.GetMonsterDataPath())) return QString();
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    if (velkar::FileExists(store.GetWeaponDataPath(nCategory))) return QString();
  }
  return FromSjis(txt::kNoDataFiles).arg(QFile::decodeName(store.GetDataDirectory().c_str()));
}
