// Runs the built velkar-tool as a separate process and collects what it
// wrote to stdout and stderr and its exit code, so that the tests see the
// program exactly as a user or a build script does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ToolResult_t {
  int nExit = -1;      // the exit code; -1 when the program did not exit normally
  int nSignal = 0;     // the signal that ended it, or 0
  std::string strOut;  // everything written to stdout
  std::string strErr;  // everything written to stderr
};

// Where velkar-tool's stdout goes: a file read afterwards, nowhere (closed),
// a full device, or a pipe whose reader has gone (the tool is started with
// SIGPIPE ignored, as some shells and services start their children).
enum class eSTDOUT { CAPTURED, CLOSED, FULL, BROKEN_PIPE };

// velkar-tool with these arguments (the program's name is added); with
// nAddressSpaceKiB its address space is limited to that much, as by
// ulimit -v.
ToolResult_t RunTool(const std::vector<std::string>& arrArg, eSTDOUT eOut = eSTDOUT::CAPTURED,
                     uint64_t nAddressSpaceKiB = 0);

// velkar-tool --dir DIR followed by the words of strArgs (see Words), its
// address space limited as by RunTool.
ToolResult_t RunToolIn(const std::string& strDir, const std::string& strArgs,
                       uint64_t nAddressSpaceKiB = 0);

// velkar-tool --dir DIR convert ..., after giving every weapon source and the
// monster source that DIR lacks an empty file: a test writes only the sources
// it needs, and the others convert to empty data files.
ToolResult_t ConvertWithEmptySources(const std::string& strDir, const std::string& strArgs);

// The folder of a small data set every tool test may share, converted once:
// Sword with the motions a [10], b B50 [20, 30], c A80 [5], d C120 [7], e
// [1000], the hit patterns h (100, 110) and g (80, 70), and the weapon w
// (attack 196, fire 100, green);
// Lance with the weapon 槍 and no hit pattern; the monsters m (anger 1 2 3,
// no region) and 竜 (anger 100 90 110; 頭: cut 50, impact 40, third 30, fire
// 20); the levels l 100 and k 80.
const std::string& SmallDataSet();

// The words of a text, separated by spaces (a line feed is part of a word).
std::vector<std::string> Words(const std::string& strText);
