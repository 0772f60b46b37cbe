// DataFileError_t: what went wrong with one data file, and its words: English
// for the command line, Japanese for the window and the web page.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

enum eDATA_FILE_ERROR : int32_t {
  DATA_FILE_TRUNCATED = 0,        // the file ends inside a record or a count
  DATA_FILE_COUNT_TOO_LARGE = 1,  // a count promises more records than the file can hold
  DATA_FILE_UNREADABLE = 2,       // the file exists but cannot be read
  DATA_FILE_WRITE_FAILED = 3,     // writing a converted file failed; the old file is kept
  DATA_FILE_MISSING = 4,          // a source file to convert is absent
  DATA_FILE_NOT_REGULAR = 5,      // a folder, FIFO, device or socket in the file's place
  DATA_FILE_TOO_LARGE = 6,        // above the size limit; nOffset holds the size
  DATA_FILE_NO_MEMORY = 7,        // not enough memory to read or hold what it holds
};

struct DataFileError_t {
  std::string strPath;  // the file concerned
  eDATA_FILE_ERROR eKind = DATA_FILE_TRUNCATED;
  // Loads: where the damaged field or count begins; DATA_FILE_TOO_LARGE and
  // DATA_FILE_NO_MEMORY: the file's size.
  uint64_t nOffset = 0;
  // English: the record or count concerned ("weapon 3", "region 2 of monster 1",
  // "the motion count 4294967295"), the system's reason for a read or write,
  // or what lies in the file's place ("a FIFO").
  std::string strDetail;
};

// The text with %1, %2, ... replaced by the values in turn (the program's
// Japanese messages number their values).
std::string Numbered(std::string_view strFormat, std::initializer_list<std::string> arrValue);

// One line of English describing the error, for the command line.
std::string DescribeInEnglish(const DataFileError_t& error);

// The Japanese message of the error (Shift-JIS): the file's name (the last
// part of its path) and what is wrong with it. The file's name and the
// system's reason are UTF-8 and are converted; a character code page 932
// lacks becomes '?'.
std::string DescribeInJapanese(const DataFileError_t& error);

// The Japanese message about the files that loaded only in part: a heading,
// then one line per file (each file once, in the order of the errors),
// joined by "\n"; empty when there is no error.
std::string DescribeLoadErrorsInJapanese(const std::vector<DataFileError_t>& arrError);

namespace velkar {
struct ReadFailure_t;
}

// The error of a file that could not be read at all.
DataFileError_t FromReadFailure(const std::string& strPath, const velkar::ReadFailure_t& failure);
