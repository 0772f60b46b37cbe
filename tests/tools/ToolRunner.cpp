#include "tools/ToolRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <stdexcept>

#include "support/TestDataDir.h"

extern char** environ;

// The program writes into files of a folder of its own, read once it ended.
ToolResult_t RunTool(const std::vector<std::string>& arrArg, uint64_t nAddressSpaceKiB) {
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
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (const auto& [nFd, pszName] : {std::pair{STDOUT_FILENO, "out"}, {STDERR_FILENO, "err"}}) {
    posix_spawn_file_actions_addopen(&actions, nFd, capture.PathOf(pszName).c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  pid_t pid = 0;
  const int nSpawn = posix_spawn(&pid, arrArgv[0], &actions, nullptr, arrArgv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int nStatus = 0;
  if (nSpawn != 0 || waitpid(pid, &nStatus, 0) != pid) throw std::runtime_error("cannot run");
  ToolResult_t result;
  result.nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
  for (auto [pszName, pText] : {std::pair{"out", &result.strOut}, {"err", &result.strErr}}) {
    const std::vector<uint8_t> arrBytes = capture.ReadBytes(pszName);
    pText->assign(arrBytes.begin(), arrBytes.end());
  }
  return result;
}

ToolResult_t RunToolIn(const std::string& strDir, const std::string& strArgs) {
  std::vector<std::string> arrAll{"--dir", strDir};
  for (std::string& strWord : Words(strArgs)) arrAll.push_back(std::move(strWord));
  return RunTool(arrAll);
}

ToolResult_t ConvertWithEmptySources(const std::string& strDir, const std::string& strArgs) {
  for (const char* pszStem : {"Sword", "DualSword", "GreatSword", "Katana", "Lance", "GunLance",
                              "Hummer", "HuntingHorn", "Monster"}) {
    const std::string strPath = strDir + pszStem + ".ini";
    if (access(strPath.c_str(), F_OK) != 0) std::ofstream(strPath).close();
  }
  return RunToolIn(strDir, strArgs);
}

std::vector<std::string> Words(const std::string& strText) {
  std::istringstream in(strText);
  std::vector<std::string> arrWord;
  for (std::string strWord; std::getline(in, strWord, ' ');) {
    if (!strWord.empty()) arrWord.push_back(strWord);
  }
  return arrWord;
}
