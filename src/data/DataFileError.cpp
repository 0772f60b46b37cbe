#include "data/DataFileError.h"

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
  }
  return error.strPath + ": unknown data file error";
}
