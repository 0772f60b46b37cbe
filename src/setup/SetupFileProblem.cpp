#include "setup/SetupFileProblem.h"

#include "VelkarTexts.h"
#include "platform/Cp932.h"
#include "setup/JsonDocument.h"

std::string DescribeInEnglish(const SetupFileProblem_t& problem) {
  const std::string& strPath = problem.strPath;
  switch (problem.eKind) {
    case eSETUP_FILE_PROBLEM::NoFolder:
      return "there is no configuration folder: neither XDG_CONFIG_HOME nor HOME is an absolute "
             "path";
    case eSETUP_FILE_PROBLEM::Unreadable:
      return problem.readFailure ? DescribeInEnglish(*problem.readFailure)
                                 : strPath + ": the file cannot be read";
    case eSETUP_FILE_PROBLEM::NotJson:
      return strPath + ": not valid JSON at byte " + std::to_string(problem.nOffset);
    case eSETUP_FILE_PROBLEM::TooDeep:
      return strPath + ": nested deeper than " + std::to_string(CJsonDocument::kMaxDepth) +
             " levels";
    case eSETUP_FILE_PROBLEM::TooManyValues:
      return strPath + ": holds more than " + std::to_string(CJsonDocument::kMaxValues) + " values";
    case eSETUP_FILE_PROBLEM::TextTooLong:
      return strPath + ": holds a text longer than " +
             std::to_string(CJsonDocument::kMaxTextBytes) + " bytes";
    case eSETUP_FILE_PROBLEM::NoMemory: return strPath + ": not enough memory to read it";
    case eSETUP_FILE_PROBLEM::WrongFormat: return strPath + ": not a file of Velkar's settings";
    case eSETUP_FILE_PROBLEM::UnknownVersion:
      return strPath + ": a version of the file this program does not know";
    case eSETUP_FILE_PROBLEM::NotUnderstood:
      return strPath + ": holds its builds in a form this version does not know";
  }
  return strPath + ": cannot be used";
}

std::string DescribeInJapanese(const SetupFileProblem_t& problem) {
  std::vector<size_t> arrReplaced;
  const std::string strFile = velkar::Utf8ToSjisReplacing(
      problem.strPath.substr(problem.strPath.rfind('/') + 1), arrReplaced);
  switch (problem.eKind) {
    case eSETUP_FILE_PROBLEM::NoFolder: return std::string(txt::kSetupFileNoFolder);
    case eSETUP_FILE_PROBLEM::Unreadable:
      if (problem.readFailure) return DescribeInJapanese(*problem.readFailure);
      break;
    case eSETUP_FILE_PROBLEM::NotJson:
      return Numbered(txt::kSetupFileNotJson, {strFile, std::to_string(problem.nOffset)});
    case eSETUP_FILE_PROBLEM::TooDeep:
      return Numbered(txt::kSetupFileTooDeep, {strFile, std::to_string(CJsonDocument::kMaxDepth)});
    case eSETUP_FILE_PROBLEM::TooManyValues:
      return Numbered(txt::kSetupFileTooManyValues,
                      {strFile, std::to_string(CJsonDocument::kMaxValues)});
    case eSETUP_FILE_PROBLEM::TextTooLong:
      return Numbered(txt::kSetupFileTextTooLong,
                      {strFile, std::to_string(CJsonDocument::kMaxTextBytes)});
    case eSETUP_FILE_PROBLEM::NoMemory: return Numbered(txt::kSetupFileNoMemory, {strFile});
    case eSETUP_FILE_PROBLEM::WrongFormat: return Numbered(txt::kSetupFileWrongFormat, {strFile});
    case eSETUP_FILE_PROBLEM::UnknownVersion:
      return Numbered(txt::kSetupFileUnknownVersion, {strFile});
    case eSETUP_FILE_PROBLEM::NotUnderstood:
      return Numbered(txt::kSetupFileNotUnderstood, {strFile});
  }
  return Numbered(txt::kLoadErrorUnreadable, {strFile, {}});
}
