#include "LoadErrorText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <set>
#include <string>

#include "SjisText.h"
#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "model/GameEnums.h"
#include "platform/BinaryFile.h"
#include "platform/ModuleDirectory.h"

namespace {

QString FileNameOf(const std::string& strPath) {
  return QFileInfo(QFile::decodeName(strPath.c_str())).fileName();
}

// What lies in a file's place, from the English the reader gives it.
QString KindText(const std::string& strKind) {
  if (strKind == "a folder") return FromSjis(txt::kFileKindFolder);
  if (strKind == "a FIFO") return FromSjis(txt::kFileKindFifo);
  if (strKind == "a device") return FromSjis(txt::kFileKindDevice);
  if (strKind == "a socket") return FromSjis(txt::kFileKindSocket);
  return FromSjis(txt::kFileKindOther);
}

}  // namespace

QString DescribeFileError(const DataFileError_t& error) {
  const QString strFile = FileNameOf(error.strPath);
  const QString strDetail = QString::fromStdString(error.strDetail);
  switch (error.eKind) {
    case DATA_FILE_TRUNCATED:
      return FromSjis(txt::kLoadErrorTruncated).arg(strFile).arg(error.nOffset);
    case DATA_FILE_COUNT_TOO_LARGE:
      return FromSjis(txt::kLoadErrorCountTooLarge).arg(strFile).arg(error.nOffset);
    case DATA_FILE_UNREADABLE: return FromSjis(txt::kLoadErrorUnreadable).arg(strFile, strDetail);
    case DATA_FILE_WRITE_FAILED:
      return FromSjis(txt::kLoadErrorWriteFailed).arg(strFile) + QLatin1Char('\n') + strDetail;
    case DATA_FILE_MISSING: return FromSjis(txt::kFileErrorMissing).arg(strFile);
    case DATA_FILE_NOT_REGULAR:
      return FromSjis(txt::kFileErrorNotRegular).arg(strFile, KindText(error.strDetail));
    case DATA_FILE_TOO_LARGE:
      return FromSjis(txt::kFileErrorTooLarge)
          .arg(strFile)
          .arg(error.nOffset)
          .arg(velkar::kMaxReadBytes);
    case DATA_FILE_NO_MEMORY:
      return FromSjis(txt::kFileErrorNoMemory).arg(strFile).arg(error.nOffset);
  }
  return FromSjis(txt::kLoadErrorUnreadable).arg(strFile, strDetail);
}

QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError) {
  QStringList arrLine;
  std::set<std::string> setSeen;
  for (const DataFileError_t& error : arrError) {
    if (setSeen.insert(error.strPath).second) arrLine.append(DescribeFileError(error));
  }
  if (arrLine.isEmpty()) return QString();
  arrLine.prepend(FromSjis(txt::kLoadErrorHeading));
  return arrLine.join(QLatin1Char('\n'));
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
