#include "data/DataFileError.h"

#include <initializer_list>
#include <set>
#include <string_view>

#include "VelkarTexts.h"
#include "platform/BinaryFile.h"
#include "platform/Cp932.h"

namespace {

std::string Sjis(const std::string& strUtf8) {
  std::vector<size_t> arrReplaced;
  return velkar::Utf8ToSjisReplacing(strUtf8, arrReplaced);
}

// What lies in a file's place, from the English the reader gives it.
std::string_view KindText(const std::string& strKind) {
  if (strKind == "a folder") return txt::kFileKindFolder;
  if (strKind == "a FIFO") return txt::kFileKindFifo;
  if (strKind == "a device") return txt::kFileKindDevice;
  if (strKind == "a socket") return txt::kFileKindSocket;
  return txt::kFileKindOther;
}

std::string WithDetail(std::string strText, const std::string& strDetail, const char* pszJoin) {
  if (!strDetail.empty()) strText += pszJoin + strDetail;
  return strText;
}

}  // namespace

std::string Numbered(std::string_view strFormat, std::initializer_list<std::string> arrValue) {
  std::string strText;
  for (size_t nPos = 0; nPos < strFormat.size(); ++nPos) {
    const char c = strFormat[nPos];
    const size_t nIndex =
        nPos + 1 < strFormat.size() ? static_cast<size_t>(strFormat[nPos + 1] - '1') : 99;
    if (c == '%' && nIndex < arrValue.size()) {
      strText += *(arrValue.begin() + nIndex);
      ++nPos;
    } else {
      strText += c;
    }
  }
  return strText;
}

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

std::string DescribeInJapanese(const DataFileError_t& error) {
  const std::string strFile = Sjis(error.strPath.substr(error.strPath.rfind('/') + 1));
  const std::string strOffset = std::to_string(error.nOffset);
  const std::string strDetail = Sjis(error.strDetail);
  switch (error.eKind) {
    case DATA_FILE_TRUNCATED: return Numbered(txt::kLoadErrorTruncated, {strFile, strOffset});
    case DATA_FILE_COUNT_TOO_LARGE:
      return Numbered(txt::kLoadErrorCountTooLarge, {strFile, strOffset});
    case DATA_FILE_UNREADABLE: break;
    case DATA_FILE_WRITE_FAILED:
      return Numbered(txt::kLoadErrorWriteFailed, {strFile}) + "\n" + strDetail;
    case DATA_FILE_MISSING: return Numbered(txt::kFileErrorMissing, {strFile});
    case DATA_FILE_NOT_REGULAR:
      return Numbered(txt::kFileErrorNotRegular, {strFile, std::string(KindText(error.strDetail))});
    case DATA_FILE_TOO_LARGE:
      return Numbered(txt::kFileErrorTooLarge,
                      {strFile, strOffset, std::to_string(velkar::kMaxReadBytes)});
    case DATA_FILE_NO_MEMORY: return Numbered(txt::kFileErrorNoMemory, {strFile, strOffset});
  }
  return Numbered(txt::kLoadErrorUnreadable, {strFile, strDetail});
}

std::string DescribeLoadErrorsInJapanese(const std::vector<DataFileError_t>& arrError) {
  std::string strText;
  std::set<std::string> setSeen;
  for (const DataFileError_t& error : arrError) {
    if (setSeen.insert(error.strPath).second) strText += "\n" + DescribeInJapanese(error);
  }
  return strText.empty() ? strText : std::string(txt::kLoadErrorHeading) + strText;
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
