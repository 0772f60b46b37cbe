#include "tools/ToolRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>

extern char** environ;

namespace {

class CPipe {
public:
  CPipe() {
    if (pipe(m_fd.data()) != 0) throw std::runtime_error("pipe failed");
  }
  ~CPipe() {
    CloseRead();
    CloseWrite();
  }
  CPipe(const CPipe&) = delete;
  CPipe& operator=(const CPipe&) = delete;

  int Read() const { return m_fd[0]; }
  int Write() const { return m_fd[1]; }
  void CloseRead() { Close(m_fd[0]); }
  void CloseWrite() { Close(m_fd[1]); }

private:
  static void Close(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
  std::array<int, 2> m_fd{-1, -1};
};

// Reads both pipes until both are closed, so that neither can fill up and
// stall the program.
void Drain(CPipe& out, CPipe& err, ToolResult_t& result) {
  std::array<pollfd, 2> arrPoll{pollfd{out.Read(), POLLIN, 0}, pollfd{err.Read(), POLLIN, 0}};
  std::array<std::string*, 2> arrText{&result.strOut, &result.strErr};
  auto nOpen = static_cast<size_t>(std::count_if(
      arrPoll.begin(), arrPoll.end(), [](const pollfd& entry) { return entry.fd >= 0; }));
  char buffer[4096];
  while (nOpen > 0) {
    if (poll(arrPoll.data(), arrPoll.size(), -1) < 0) throw std::runtime_error("poll failed");
    for (size_t i = 0; i < arrPoll.size(); ++i) {
      if (arrPoll[i].fd < 0 || arrPoll[i].revents == 0) continue;
      const ssize_t nRead = read(arrPoll[i].fd, buffer, sizeof buffer);
      if (nRead > 0) {
        arrText[i]->append(buffer, static_cast<size_t>(nRead));
      } else {
        arrPoll[i].fd = -1;
        --nOpen;
      }
    }
  }
}

}  // namespace

namespace {

ToolResult_t Spawn(const std::vector<std::string>& arrArg, const eSTDOUT* pOut) {
  std::vector<std::string> arrAll{VELKAR_TOOL_PATH};
  arrAll.insert(arrAll.end(), arrArg.begin(), arrArg.end());
  std::vector<char*> arrArgv;
  for (std::string& strArg : arrAll) arrArgv.push_back(strArg.data());
  arrArgv.push_back(nullptr);

  CPipe out;
  CPipe err;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (pOut == nullptr) {
    posix_spawn_file_actions_adddup2(&actions, out.Write(), STDOUT_FILENO);
  } else if (*pOut == eSTDOUT::DEV_FULL) {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
  } else if (*pOut == eSTDOUT::CLOSED) {
    posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
  } else {
    out.CloseRead();  // nobody will ever read what the program writes
    posix_spawn_file_actions_adddup2(&actions, out.Write(), STDOUT_FILENO);
  }
  posix_spawn_file_actions_adddup2(&actions, err.Write(), STDERR_FILENO);
  if (out.Read() >= 0) posix_spawn_file_actions_addclose(&actions, out.Read());
  posix_spawn_file_actions_addclose(&actions, err.Read());
  pid_t pid = 0;
  const int nSpawn = posix_spawn(&pid, arrArgv[0], &actions, nullptr, arrArgv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (nSpawn != 0) throw std::runtime_error("cannot start " + arrAll[0]);
  out.CloseWrite();
  err.CloseWrite();

  ToolResult_t result;
  Drain(out, err, result);
  int nStatus = 0;
  if (waitpid(pid, &nStatus, 0) != pid) throw std::runtime_error("waitpid failed");
  result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
  result.nSignal = WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : 0;
  return result;
}

}  // namespace

ToolResult_t RunTool(const std::vector<std::string>& arrArg) {
  return Spawn(arrArg, nullptr);
}

ToolResult_t RunToolWithStdout(eSTDOUT eOut, const std::vector<std::string>& arrArg) {
  return Spawn(arrArg, &eOut);
}

ToolResult_t RunToolIn(const std::string& strDir, const std::vector<std::string>& arrArg) {
  std::vector<std::string> arrAll{"--dir", strDir};
  arrAll.insert(arrAll.end(), arrArg.begin(), arrArg.end());
  return RunTool(arrAll);
}

ToolResult_t ConvertWithEmptySources(const std::string& strDir,
                                     const std::vector<std::string>& arrArg) {
  for (const char* pszStem : {"Sword", "DualSword", "GreatSword", "Katana", "Lance", "GunLance",
                              "Hummer", "HuntingHorn", "Monster"}) {
    const std::string strPath = strDir + pszStem + ".ini";
    if (access(strPath.c_str(), F_OK) != 0) std::ofstream(strPath).close();
  }
  return RunToolIn(strDir, arrArg);
}

std::vector<std::string> SplitLines(const std::string& strText) {
  std::vector<std::string> arrLine;
  size_t nPos = 0;
  while (nPos < strText.size()) {
    size_t nEnd = strText.find('\n', nPos);
    if (nEnd == std::string::npos) nEnd = strText.size();
    std::string strLine = strText.substr(nPos, nEnd - nPos);
    if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
    arrLine.push_back(std::move(strLine));
    nPos = nEnd + 1;
  }
  return arrLine;
}
