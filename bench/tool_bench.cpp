// velkar-tool report and rank with long --motion lists, as a script would run
// them, and report --build of a build with as many motions: the program
// itself, started with N pairs "--motion i" on the sample
// data, its output thrown away. The time per run covers the whole process
// (start, option parsing, loading, calculation, printing), and should grow
// linearly with N. The times are wall-clock times: the work happens in the
// child process, which this program's CPU time does not count.
//
// The sample sources beside this program are copied into a temporary folder
// and converted there by the tool, so the data files of the build folder are
// left alone.
//
// ImportIntoTenThousand: builds import of a 678-build code into a builds.json
// of 10,000 builds, saved or refused (the file is put back between runs).
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ImportBenchFiles.h"
#include "model/CategoryTable.h"
#include "platform/ModuleDirectory.h"

extern char** environ;

namespace {

[[noreturn]] void Fail(const std::string& strWhy) {
  std::cerr << "tool_bench: " << strWhy << '\n';
  std::exit(1);
}

// Runs velkar-tool with the arguments, stdout and stderr to /dev/null; its
// exit code.
int RunTool(const std::vector<std::string>& arrArg) {
  std::vector<char*> arrArgv;
  std::string strProgram = VELKAR_TOOL_PATH;
  arrArgv.push_back(strProgram.data());
  std::vector<std::string> arrCopy = arrArg;
  for (std::string& strArg : arrCopy) arrArgv.push_back(strArg.data());
  arrArgv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int nSpawn =
      posix_spawn(&pid, strProgram.c_str(), &actions, nullptr, arrArgv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (nSpawn != 0) Fail("cannot start " + strProgram);
  int nStatus = 0;
  if (waitpid(pid, &nStatus, 0) != pid || !WIFEXITED(nStatus)) Fail("velkar-tool did not exit");
  return WEXITSTATUS(nStatus);
}

class CSampleFolder {
public:
  CSampleFolder() {
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "velkar-bench-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr) Fail("cannot create a temporary folder");
    m_strDir = strTemplate;
    const std::filesystem::path source(velkar::GetModuleDirectory());
    for (const std::string_view stem : DataFileStems()) {
      const std::string strName = std::string(stem) + ".ini";
      std::error_code ec;
      std::filesystem::copy_file(source / strName, std::filesystem::path(m_strDir) / strName, ec);
      if (ec) Fail("no sample source " + (source / strName).string() + "; build velkar_gamedata");
    }
    if (RunTool({"--dir", m_strDir, "convert"}) != 0) Fail("the sample sources do not convert");
  }
  ~CSampleFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_strDir, ec);
  }
  CSampleFolder(const CSampleFolder&) = delete;
  CSampleFolder& operator=(const CSampleFolder&) = delete;

  const std::string& Dir() const { return m_strDir; }

private:
  std::string m_strDir;
};

const CSampleFolder& Sample() {
  static const CSampleFolder sample;
  return sample;
}

// The command's arguments with state.range(0) motions, cycling through the
// first category's first four motions.
std::vector<std::string> WithMotions(std::vector<std::string> arrArg, int64_t nMotions) {
  arrArg.insert(arrArg.begin(), {"--dir", Sample().Dir()});
  for (int64_t i = 0; i < nMotions; ++i) {
    arrArg.emplace_back("--motion");
    arrArg.push_back(std::to_string(i % 4));
  }
  return arrArg;
}

void RunCommand(benchmark::State& state, const std::vector<std::string>& arrCommand) {
  const std::vector<std::string> arrArg = WithMotions(arrCommand, state.range(0));
  for (auto _ : state) {
    if (RunTool(arrArg) != 0) Fail("velkar-tool failed");
  }
  state.counters["motions"] = static_cast<double>(state.range(0));
}

void BM_ReportWithMotions(benchmark::State& state) {
  RunCommand(state, {"report", "--category", "0", "--weapon", "0"});
}
BENCHMARK(BM_ReportWithMotions)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RankWithMotions(benchmark::State& state) {
  RunCommand(state, {"rank", "--category", "0"});
}
BENCHMARK(BM_RankWithMotions)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// report --build of a build saved with state.range(0) motions: reading
// builds.json and restoring the build by name, then the report.
void BM_ReportBuildWithMotions(benchmark::State& state) {
  // The builds live in a folder of the sample's own, never the user's.
  const std::string strConfig = Sample().Dir() + "/config";
  setenv("XDG_CONFIG_HOME", strConfig.c_str(), 1);
  std::vector<std::string> arrSave = WithMotions(
      {"save-build", "long", "--category", "0", "--weapon", "0", "--monster", "1"}, state.range(0));
  if (RunTool(arrSave) != 0) Fail("the build was not saved");
  const std::vector<std::string> arrReport{"--dir", Sample().Dir(), "report", "--build", "long"};
  for (auto _ : state) {
    if (RunTool(arrReport) != 0) Fail("velkar-tool failed");
  }
  state.counters["motions"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ReportBuildWithMotions)
    ->Arg(8000)
    ->Arg(50000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// builds import of a 678-build code into a builds.json of 10,000 builds:
// saved under 678 --rename names, or refused because one name is taken.
void BM_ImportIntoTenThousand(benchmark::State& state) {
  const std::string strSaved = Sample().Dir() + "/saved";
  const std::string strConfig = Sample().Dir() + "/import";
  SaveManyBuilds(strSaved + "/velkar");
  std::filesystem::create_directories(strConfig + "/velkar");
  setenv("XDG_CONFIG_HOME", strConfig.c_str(), 1);
  const bool bRefused = state.range(0) == 1;
  std::vector<std::string> arrArg{"--dir", Sample().Dir(), "builds", "import", ImportedCode(0)};
  for (size_t i = 0; i < kImportedBuilds; ++i) {
    arrArg.emplace_back("--rename");
    arrArg.push_back(bRefused && i == 0 ? "b0" : "r" + std::to_string(i));
  }
  for (auto _ : state) {
    state.PauseTiming();
    RestoreBuilds(strSaved + "/velkar", strConfig + "/velkar");
    state.ResumeTiming();
    if (RunTool(arrArg) != (bRefused ? 2 : 0)) Fail("the import did not end as it should");
  }
}
BENCHMARK(BM_ImportIntoTenThousand)
    ->ArgName("refused")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
