// DataFileError_t: what went wrong with one data file, in a form that the
// window (Japanese) and the tool (English) can each put into words.
#pragma once

#include <cstdint>
#include <string>

enum eDATA_FILE_ERROR : int32_t {
  DATA_FILE_TRUNCATED = 0,        // the file ends inside a record or a count
  DATA_FILE_COUNT_TOO_LARGE = 1,  // a count promises more records than the file can hold
  DATA_FILE_UNREADABLE = 2,       // the file exists but cannot be read
  DATA_FILE_WRITE_FAILED = 3,     // writing a converted file failed; the old file is kept
};

struct DataFileError_t {
  std::string strPath;  // the file concerned
  eDATA_FILE_ERROR eKind = DATA_FILE_TRUNCATED;
  uint64_t nOffset = 0;  // loads: where the damaged field or count begins
  // English: the record or count concerned ("weapon 3", "region 2 of monster 1",
  // "the motion count 4294967295"), or the system's reason for a read or write.
  std::string strDetail;
};

// One line of English describing the error, for the command line.
std::string DescribeInEnglish(const DataFileError_t& error);
