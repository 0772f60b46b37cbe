#include "tools/ToolRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <sstream>
#include <stdexcept>

#include "model/CategoryTable.h"
#include "support/ScopedEnv.h"
#include "support/TestDataDir.h"

extern char** environ;

// The developer's XDG_CONFIG_HOME never reaches the tool: a test that wants a
// settings folder sets its own.
[[maybe_unused]] static const bool kConfigHomeCleared = unsetenv("XDG_CONFIG_HOME") == 0;

// The program writes into files of a folder of its own, read once it ended.
ToolResult_t RunTool(const std::vector<std::string>& arrArg, eSTDOUT eOut,
                     uint64_t nAddressSpaceKiB) {
  std::vector<std::string> arrAll{VELKAR_TOOL_PATH};
  if (nAddressSpaceKiB != 0) {
    arrAll.insert(arrAll.begin(),
                  {"/bin/sh", "-c",
                   "ulimit -v " + std::to_string(nAddressSpaceKiB) + " && exec \"$0\" \"$@\""});
  }
  arrAll.insert(arrAll.end(), arrArg.begin(), arrArg.end());
  std::vector<char*> arrArgv;
  for (std::string& strArg : arrAll) arrArgv.push_back(strArg.data());
  arrArgv.push_back(nullptr);
  const CTestDataDir capture;
  int arrPipe[2] = {-1, -1};
  if (eOut == eSTDOUT::BROKEN_PIPE && (pipe2(arrPipe, O_CLOEXEC) != 0 || close(arrPipe[0]) != 0)) {
    throw std::runtime_error("pipe");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (const auto& [nFd, pszName] : {std::pair{STDOUT_FILENO, "out"}, {STDERR_FILENO, "err"}}) {
    posix_spawn_file_actions_addopen(&actions, nFd, capture.PathOf(pszName).c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  if (eOut == eSTDOUT::CLOSED) posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
  if (eOut == eSTDOUT::FULL)
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
  if (eOut == eSTDOUT::BROKEN_PIPE) posix_spawn_file_actions_adddup2(&actions, arrPipe[1], 1);
  // Never the developer's own settings: HOME is the run's own folder, and so
  // is XDG_CONFIG_HOME unless the test set one.
  const char* pszConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string strConfig = pszConfig ? pszConfig : capture.Path();
  const CScopedEnv home("HOME", capture.Path().c_str());
  const CScopedEnv config("XDG_CONFIG_HOME", strConfig.c_str());
  // An ignored signal stays ignored in the child.
  const auto pfnPipe = std::signal(SIGPIPE, eOut == eSTDOUT::BROKEN_PIPE ? SIG_IGN : SIG_DFL);
  pid_t pid = 0;
  const int nSpawn = posix_spawn(&pid, arrArgv[0], &actions, nullptr, arrArgv.data(), environ);
  std::signal(SIGPIPE, pfnPipe);
  posix_spawn_file_actions_destroy(&actions);
  if (arrPipe[1] >= 0) close(arrPipe[1]);
  int nStatus = 0;
  if (nSpawn != 0 || waitpid(pid, &nStatus, 0) != pid) throw std::runtime_error("cannot run");
  ToolResult_t result;
  result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
  result.nSignal = WIFSIGNALED(nStatus) ? WTERMSIG(nStatus) : 0;
  for (auto [pszName, pText] : {std::pair{"out", &result.strOut}, {"err", &result.strErr}}) {
    const std::vector<uint8_t> arrBytes = capture.ReadBytes(pszName);
    pText->assign(arrBytes.begin(), arrBytes.end());
  }
  return result;
}

ToolResult_t RunToolIn(const std::string& strDir, const std::string& strArgs,
                       uint64_t nAddressSpaceKiB) {
  std::vector<std::string> arrAll{"--dir", strDir};
  for (std::string& strWord : Words(strArgs)) arrAll.push_back(std::move(strWord));
  return RunTool(arrAll, eSTDOUT::CAPTURED, nAddressSpaceKiB);
}

ToolResult_t ConvertWithEmptySources(const std::string& strDir, const std::string& strArgs) {
  for (const std::string_view stem : DataFileStems()) {
    const std::string strPath = strDir + std::string(stem) + ".ini";
    if (access(strPath.c_str(), F_OK) != 0) std::ofstream(strPath).close();
  }
  return RunToolIn(strDir, strArgs);
}

const std::string& SmallDataSet() {
  static const CTestDataDir dir;
  static const int nConverted = [] {
    dir.WriteText("Sword.ini",
                  u8"[Action]\n1=a,10\n2=b,B50,20,30\n3=c,A80,5\n4=d,C120,7\n5=e,1000\n"
                  u8"[HitPattern]\n1=h,100,110\n2=g,80,70\n[Weapon]\n1=w,196,2,100,3,0\n");
    dir.WriteText("Lance.ini", u8"[Weapon]\n1=槍,230,0,0,3,0\n");
    dir.WriteText("Monster.ini",
                  u8"[Monster]\n0=m\n1=竜\n[m]\nAnger=1,2,3\n[竜]\n"
                  u8"Anger=100,90,110\n0=頭,50,40,30,20,0,0,0,0\n"
                  u8"[Level]\n1=l,100\n2=k,80\n");
    return ConvertWithEmptySources(dir.Path(), "convert").nExit;
  }();
  if (nConverted != 0) throw std::runtime_error("the small data set does not convert");
  return dir.Path();
}

std::vector<std::string> Words(const std::string& strText) {
  std::istringstream in(strText);
  std::vector<std::string> arrWord;
  for (std::string strWord; std::getline(in, strWord, ' ');)
    if (!strWord.empty()) arrWord.push_back(strWord);
  return arrWord;
}
