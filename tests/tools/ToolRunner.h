// Runs the built velkar-tool as a separate process and collects what it
// wrote to stdout and stderr and its exit code, so that the tests see the
// program exactly as a user or a build script does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ToolResult_t {
  int nExit = -1;      // the exit code; -1 when the program did not exit normally
  std::string strOut;  // everything written to stdout
  std::string strErr;  // everything written to stderr
};

// velkar-tool with these arguments (the program's name is added); with
// nAddressSpaceKiB its address space is limited to that much, as by
// ulimit -v.
ToolResult_t RunTool(const std::vector<std::string>& arrArg, uint64_t nAddressSpaceKiB = 0);

// velkar-tool --dir DIR followed by the words of strArgs (see Words).
ToolResult_t RunToolIn(const std::string& strDir, const std::string& strArgs);

// velkar-tool --dir DIR convert ..., after giving every weapon source and the
// monster source that DIR lacks an empty file: a test writes only the sources
// it needs, and the others convert to empty data files.
ToolResult_t ConvertWithEmptySources(const std::string& strDir, const std::string& strArgs);

// The words of a text, separated by spaces (a line feed is part of a word).
std::vector<std::string> Words(const std::string& strText);
