#include "text/SetupNoteText.h"

#include <QFile>
#include <QFileInfo>

#include "VelkarTexts.h"
#include "setup/JsonDocument.h"
#include "text/LoadErrorText.h"
#include "text/SjisText.h"

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
