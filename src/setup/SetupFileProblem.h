// SetupFileProblem_t: why last-setup.json or builds.json was not used, in a
// form that the window (Japanese) and the tool (English) can each put into
// words. A file with a problem is never rewritten.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/DataFileError.h"

enum class eSETUP_FILE_PROBLEM {
  NoFolder,        // neither XDG_CONFIG_HOME nor HOME is an absolute path
  Unreadable,      // it exists but cannot be read: see readFailure
  NotJson,         // nOffset: where the reader gave up
  TooDeep,         // nested deeper than CJsonDocument::kMaxDepth
  TooManyValues,   // more values than CJsonDocument::kMaxValues
  TextTooLong,     // a text longer than CJsonDocument::kMaxTextBytes
  NoMemory,        // not enough memory to read it
  WrongFormat,     // no "format" member naming this kind of file
  UnknownVersion,  // no "version" this program knows (a newer one, most likely)
  NotUnderstood,   // builds.json: "builds" is not an array, or holds an entry that is not an object
};

struct SetupFileProblem_t {
  eSETUP_FILE_PROBLEM eKind = eSETUP_FILE_PROBLEM::Unreadable;
  std::string strPath;  // empty for NoFolder
  uint64_t nOffset = 0;
  // Unreadable: what lies there or why it cannot be read.
  std::optional<DataFileError_t> readFailure;
};

// One line of English: the path and what is wrong.
std::string DescribeInEnglish(const SetupFileProblem_t& problem);

// One line of Japanese (Shift-JIS) for the window and the page: the file's
// name and what is wrong with it.
std::string DescribeInJapanese(const SetupFileProblem_t& problem);
