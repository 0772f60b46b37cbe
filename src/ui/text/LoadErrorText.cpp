#include "text/LoadErrorText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <string>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "model/GameEnums.h"
#include "platform/ModuleDirectory.h"
#include "text/SjisText.h"

namespace {

QString FileNameOf(const std::string& strPath) {
  return QFileInfo(QFile::decodeName(strPath.c_str())).fileName();
}

}  // namespace

QString DescribeFileError(const DataFileError_t& error) {
  return FromSjis(DescribeInJapanese(error));
}

QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError) {
  return FromSjis(DescribeLoadErrorsInJapanese(arrError));
}

QString DescribeConversion(std::string_view strFirst, const std::vector<ConvertReport_t>& arrReport,
                           bool bMonsters) {
  QStringList arrLine{FromSjis(strFirst)};
  for (const ConvertReport_t& report : arrReport) {
    if (report.failure) {
      arrLine.append(DescribeFileError(*report.failure));
      arrLine.append(FromSjis(txt::kConvertLeftAsItWas).arg(FileNameOf(report.strTarget)));
    } else {
      arrLine.append(FromSjis(bMonsters ? txt::kConvertedMonsterFile : txt::kConvertedWeaponFile)
                         .arg(FileNameOf(report.strTarget))
                         .arg(report.nCount[0])
                         .arg(report.nCount[1])
                         .arg(report.nCount[2]));
    }
  }
  return arrLine.join(QLatin1Char('\n'));
}

QString DescribeMissingData(const CDataManager& store) {
  if (velkar::FileExists(store.GetMonsterDataPath())) return QString();
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    if (velkar::FileExists(store.GetWeaponDataPath(nCategory))) return QString();
  }
  return FromSjis(txt::kNoDataFiles).arg(QFile::decodeName(store.GetDataDirectory().c_str()));
}
