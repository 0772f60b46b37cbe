#include "text/SetupNoteText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdlib>
#include <string_view>

#include "VelkarTexts.h"
#include "data/DataManager.h"
#include "platform/TextEscape.h"
#include "setup/JsonDocument.h"
#include "text/LoadErrorText.h"
#include "text/SjisText.h"

namespace {

std::string_view MissFormat(eSETUP_PART ePart) {
  switch (ePart) {
    case eSETUP_PART::Category: return txt::kRestoreMissCategory;
    case eSETUP_PART::Weapon: return txt::kRestoreMissWeapon;
    case eSETUP_PART::Motion: return txt::kRestoreMissMotion;
    case eSETUP_PART::Monster: return txt::kRestoreMissMonster;
    case eSETUP_PART::Level: return txt::kRestoreMissLevel;
    case eSETUP_PART::HitCorrection: return txt::kRestoreMissHitCorrection;
  }
  return txt::kRestoreMissWeapon;
}

}  // namespace

QString DescribeSetupFileProblem(const SetupFileProblem_t& problem) {
  const QString strFile = QFileInfo(QFile::decodeName(problem.strPath.c_str())).fileName();
  switch (problem.eKind) {
    case eSETUP_FILE_PROBLEM::NoFolder: return FromSjis(txt::kSetupFileNoFolder);
    case eSETUP_FILE_PROBLEM::Unreadable:
      if (problem.readFailure) return DescribeFileError(*problem.readFailure);
      break;
    case eSETUP_FILE_PROBLEM::NotJson:
      return FromSjis(txt::kSetupFileNotJson).arg(strFile).arg(problem.nOffset);
    case eSETUP_FILE_PROBLEM::TooDeep:
      return FromSjis(txt::kSetupFileTooDeep).arg(strFile).arg(CJsonDocument::kMaxDepth);
    case eSETUP_FILE_PROBLEM::TooManyValues:
      return FromSjis(txt::kSetupFileTooManyValues).arg(strFile).arg(CJsonDocument::kMaxValues);
    case eSETUP_FILE_PROBLEM::TextTooLong:
      return FromSjis(txt::kSetupFileTextTooLong).arg(strFile).arg(CJsonDocument::kMaxTextBytes);
    case eSETUP_FILE_PROBLEM::NoMemory: return FromSjis(txt::kSetupFileNoMemory).arg(strFile);
    case eSETUP_FILE_PROBLEM::WrongFormat: return FromSjis(txt::kSetupFileWrongFormat).arg(strFile);
    case eSETUP_FILE_PROBLEM::UnknownVersion:
      return FromSjis(txt::kSetupFileUnknownVersion).arg(strFile);
    case eSETUP_FILE_PROBLEM::NotUnderstood:
      return FromSjis(txt::kSetupFileNotUnderstood).arg(strFile);
  }
  return FromSjis(txt::kLoadErrorUnreadable).arg(strFile, QString());
}

QString DescribeRestoreMisses(const std::vector<RestoreMiss_t>& arrMiss) {
  if (arrMiss.empty()) return QString();
  QStringList arrLine{FromSjis(txt::kRestoreMissHeading)};
  for (const RestoreMiss_t& miss : arrMiss) {
    // A name from a file is shown on one line, whatever it holds.
    const std::string strName =
        miss.ePart == eSETUP_PART::Category
            ? CDataManager::GetCategoryLabel(std::atoi(miss.strName.c_str()))
            : velkar::EscapeSjisControls(miss.strName);
    arrLine.append(FromSjis(MissFormat(miss.ePart)).arg(FromSjis(strName)));
  }
  return arrLine.join(QLatin1Char('\n'));
}
