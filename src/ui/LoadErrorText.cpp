#include "LoadErrorText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <set>
#include <string>

#include "SjisText.h"
#include "VelkarTexts.h"

namespace {

QString DescribeOne(const DataFileError_t& error) {
  const QString strFile = QFileInfo(QFile::decodeName(error.strPath.c_str())).fileName();
  switch (error.eKind) {
    case DATA_FILE_TRUNCATED:
      return FromSjis(txt::kLoadErrorTruncated).arg(strFile).arg(error.nOffset);
    case DATA_FILE_COUNT_TOO_LARGE:
      return FromSjis(txt::kLoadErrorCountTooLarge).arg(strFile).arg(error.nOffset);
    case DATA_FILE_UNREADABLE: return FromSjis(txt::kLoadErrorUnreadable).arg(strFile);
    case DATA_FILE_WRITE_FAILED: return FromSjis(txt::kLoadErrorWriteFailed).arg(strFile);
  }
  return FromSjis(txt::kLoadErrorUnreadable).arg(strFile);
}

}  // namespace

QString DescribeLoadErrors(const std::vector<DataFileError_t>& arrError) {
  QStringList arrLine;
  std::set<std::string> setSeen;
  for (const DataFileError_t& error : arrError) {
    if (setSeen.insert(error.strPath).second) arrLine.append(DescribeOne(error));
  }
  if (arrLine.isEmpty()) return QString();
  arrLine.prepend(FromSjis(txt::kLoadErrorHeading));
  return arrLine.join(QLatin1Char('\n'));
}
