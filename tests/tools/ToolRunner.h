// Runs the built velkar-tool as a separate process and collects what it
// wrote to stdout and stderr and its exit code, so that the tests see the
// program exactly as a user or a build script does.
#pragma once

#include <string>
#include <vector>

struct ToolResult_t {
  int nExit = -1;      // the exit code; -1 when the program did not exit normally
  std::string strOut;  // everything written to stdout
  std::string strErr;  // everything written to stderr
};

// velkar-tool with these arguments (the program's name is added).
ToolResult_t RunTool(const std::vector<std::string>& arrArg);

// velkar-tool --dir DIR followed by the arguments.
ToolResult_t RunToolIn(const std::string& strDir, const std::vector<std::string>& arrArg);

// The lines of a text, without their line ends ("\n" or "\r\n").
std::vector<std::string> SplitLines(const std::string& strText);
