#include "data/DataFileError.h"

#include "platform/BinaryFile.h"

namespace {

std::string WithDetail(std::string strText, const std::string& strDetail, const char* pszJoin) {
  if (!strDetail.empty()) strText += pszJoin + strDetail;
  return strText;
}

}  // namespace

std::string DescribeInEnglish(const DataFileError_t& error) {
  const std::string strAt = " at byte " + std::to_string(error.nOffset);
  switch (error.eKind) {
    case DATA_FILE_TRUNCATED:
      return WithDetail(error.strPath + ": the file ends early" + strAt, error.strDetail, ", in ");
    case DATA_FILE_COUNT_TOO_LARGE:
      return error.strPath + ":" + strAt + ", " +
             (error.strDetail.empty() ? std::string("a count") : error.strDetail) +
             " promises more records than the file holds";
    case DATA_FILE_UNREADABLE:
      return WithDetail(error.strPath + ": the file cannot be read", error.strDetail, ": ");
    case DATA_FILE_WRITE_FAILED:
      return WithDetail(error.strPath + ": the file could not be written, the previous one is kept",
                        error.strDetail, ": ");
    case DATA_FILE_MISSING: return error.strPath + ": no such file";
    case DATA_FILE_NOT_REGULAR:
      return error.strPath + ": is " + error.strDetail + ", not a regular file";
    case DATA_FILE_TOO_LARGE:
      return error.strPath + ": is " + std::to_string(error.nOffset) +
             " bytes, above the limit of " + std::to_string(velkar::kMaxReadBytes) + " bytes";
    case DATA_FILE_NO_MEMORY:
      return error.strPath + ": not enough memory for its " + std::to_string(error.nOffset) +
             " bytes";
  }
  return error.strPath + ": unknown data file error";
}

DataFileError_t FromReadFailure(const std::string& strPath, const velkar::ReadFailure_t& failure) {
  switch (failure.eResult) {
    case velkar::eREAD_RESULT::Ok:
    case velkar::eREAD_RESULT::Unreadable: break;
    case velkar::eREAD_RESULT::Missing: return {strPath, DATA_FILE_MISSING, 0, {}};
    case velkar::eREAD_RESULT::NotRegular:
      return {strPath, DATA_FILE_NOT_REGULAR, 0, failure.strDetail};
    case velkar::eREAD_RESULT::TooLarge: return {strPath, DATA_FILE_TOO_LARGE, failure.nSize, {}};
    case velkar::eREAD_RESULT::OutOfMemory:
      return {strPath, DATA_FILE_NO_MEMORY, failure.nSize, {}};
  }
  return {strPath, DATA_FILE_UNREADABLE, 0, failure.strDetail};
}
