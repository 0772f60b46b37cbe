#include "setup/SetupFileProblem.h"

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
