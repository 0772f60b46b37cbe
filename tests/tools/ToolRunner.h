// Runs the built velkar-tool as a separate process and collects what it
// wrote to stdout and stderr and its exit code, so that the tests see the
// program exactly as a user or a build script does.
#pragma once

#include <string>
#include <vector>

struct ToolResult_t {
  int nExit = -1;      // the exit code; -1 when the program did not exit normally
  int nSignal = 0;     // the signal that ended it, if one did
  std::string strOut;  // everything written to stdout
  std::string strErr;  // everything written to stderr
};

// velkar-tool with these arguments (the program's name is added).
ToolResult_t RunTool(const std::vector<std::string>& arrArg);

// velkar-tool --dir DIR followed by the arguments.
ToolResult_t RunToolIn(const std::string& strDir, const std::vector<std::string>& arrArg);

// Where the program's stdout goes instead of the pipe the runner reads.
enum class eSTDOUT { DEV_FULL, CLOSED, CLOSED_PIPE };

// velkar-tool with these arguments, its stdout replaced.
ToolResult_t RunToolWithStdout(eSTDOUT eOut, const std::vector<std::string>& arrArg);

// velkar-tool --dir DIR followed by the arguments (a convert command), after
// giving every weapon source and the monster source that DIR lacks an empty
// file: a test writes only the sources it needs, and the others convert to
// empty data files, as sources emptied on purpose do.
ToolResult_t ConvertWithEmptySources(const std::string& strDir,
                                     const std::vector<std::string>& arrArg);

// The lines of a text, without their line ends ("\n" or "\r\n").
std::vector<std::string> SplitLines(const std::string& strText);
