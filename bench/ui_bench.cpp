// Speed of the window on the sample data beside the program (offscreen):
//
//   StartToWindowShown   a new process of this program, from the spawn until
//                        its main window is on screen with the data loaded,
//                        the last setup restored (a weapon, 5 or 50,000
//                        motions, a monster, anger, a modifier) and painted
//                        once; the child's peak memory is reported.
//   WeaponClickToRows    in this process: a click on a weapon entry until the
//                        result list's new rows are painted.
//   WeaponClickWithSixLoadouts  the same with the comparison window open on
//                        six loadouts (and so a baseline column), which both
//                        follow the click.
//   ImportIntoTenThousand  the builds window importing a 678-build code into
//                        a builds.json of 10,000 builds, until the message.
//
// The child is this same program started with --show-window <fd>: it builds
// the application and the window exactly as Velkar does, shows it, and
// writes one byte to the pipe once the first frame is painted. The setup
// lies in a temporary XDG_CONFIG_HOME, never in the user's own.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include <benchmark/benchmark.h>

#include "ImportBenchFiles.h"
#include "SystemMenu.h"
#include "VelkarApp.h"
#include "VelkarDlg.h"
#include "data/DataManager.h"
#include "dialogs/BuildsDlg.h"
#include "dialogs/ComparisonDlg.h"
#include "platform/Cp932.h"
#include "platform/ModuleDirectory.h"
#include "setup/SetupStore.h"
#include "widgets/ColorListCtrl.h"
#include "widgets/WeaponListBox.h"

extern char** environ;

namespace {

constexpr std::string_view kChildFlag = "--show-window";

[[noreturn]] void Fail(const std::string& strWhy) {
  std::cerr << "ui_bench: " << strWhy << '\n';
  std::exit(1);
}

// Shows the window once it is on screen and painted, then says so on fd.
int RunChild(int argc, char** argv, int nFd) {
  CVelkarApp app(argc, argv);
  CVelkarDlg dlg(velkar::GetModuleDirectory());
  dlg.RestoreLastSetup();
  dlg.show();
  if (!QTest::qWaitForWindowExposed(&dlg)) return 2;
  QCoreApplication::processEvents();
  if (dlg.GetCalculator().GetResultRows().empty()) return 3;  // no sample data or setup
  const char byte = 1;
  if (write(nFd, &byte, 1) != 1) return 4;
  close(nFd);
  return 0;
}

// A setup of the sample data as a player leaves it, with nMotions motions
// (four names in turn), saved as the last setup in the folder that
// XDG_CONFIG_HOME names.
void SaveSampleSetup(int64_t nMotions) {
  Setup_t setup;
  setup.nCategory = 0;
  setup.strWeapon = velkar::ToSjis(u8"焔刃ヴァルゼナ");
  const char8_t* const arrName[] = {u8"縦斬り", u8"横斬り", u8"連続斬り", u8"回転斬り"};
  for (int64_t i = 0; i < nMotions; ++i) setup.arrMotion.push_back(velkar::ToSjis(arrName[i % 4]));
  setup.strMonster = velkar::ToSjis(u8"雷角獣シグラーム");
  setup.strLevel = velkar::ToSjis(u8"上位");
  setup.bAnger = true;
  setup.arrModifier = {1019};
  CSetupStore store;
  if (!store.SaveLastSetup(setup)) Fail(store.Error());
}

void StartToWindowShown(benchmark::State& state) {
  SaveSampleSetup(state.range(0));
  long nPeakKiB = 0;
  for (auto _ : state) {
    int arrPipe[2];
    if (pipe(arrPipe) != 0) Fail("pipe");
    std::string strFd = std::to_string(arrPipe[1]);
    std::string strFlag(kChildFlag);
    char szSelf[] = "/proc/self/exe";
    char* arrArg[] = {szSelf, strFlag.data(), strFd.data(), nullptr};

    const auto tStart = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, arrArg, environ) != 0) {
      Fail("cannot start the child");
    }
    close(arrPipe[1]);
    char byte = 0;
    const bool bShown = read(arrPipe[0], &byte, 1) == 1;
    const auto tShown = std::chrono::steady_clock::now();
    close(arrPipe[0]);

    int nStatus = 0;
    rusage usage{};
    wait4(pid, &nStatus, 0, &usage);
    if (!bShown || !WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
      Fail("the child did not show the window (exit " + std::to_string(WEXITSTATUS(nStatus)) + ")");
    }
    nPeakKiB = std::max(nPeakKiB, usage.ru_maxrss);
    state.SetIterationTime(std::chrono::duration<double>(tShown - tStart).count());
  }
  state.counters["peak_MiB"] = static_cast<double>(nPeakKiB) / 1024.0;
}
BENCHMARK(StartToWindowShown)
    ->ArgName("motions")
    ->Arg(5)
    ->Arg(50000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// Clicks two weapons in turn, so that the rows change every time, each click
// until what it changed is painted.
void ClickWeaponsInTurn(benchmark::State& state, CVelkarDlg& dlg, bool bCompare) {
  dlg.show();
  if (!QTest::qWaitForWindowExposed(&dlg)) Fail("the window did not show");
  auto* pWeapons = qobject_cast<CWeaponListBox*>(dlg.GetControl(1002));
  auto* pMotions = qobject_cast<QListWidget*>(dlg.GetControl(1003));
  auto* pResult = qobject_cast<CColorListCtrl*>(dlg.GetControl(1013));
  if (pWeapons->count() < 2 || pMotions->count() < 1) Fail("the sample data files are missing");
  // A calculation with a few motions, as a player would have it.
  pMotions->setCurrentRow(0);
  auto* pAdd = dlg.GetControl(1005);
  for (int i = 0; i < 5; ++i) QTest::mouseClick(pAdd, Qt::LeftButton);
  if (bCompare) {
    dlg.OnSysCommand(kCommandCompare);
    for (int i = 0; i < 5; ++i) {
      pWeapons->setCurrentRow(i % pWeapons->count());
      dlg.GetComparisonDlg()->AddCurrent();
    }
    // The sixth loadout is the one on show, pinned as the baseline, so every
    // click also fills the result list's baseline column.
    dlg.OnSysCommand(kCommandPin);
  }
  QCoreApplication::processEvents();

  int nRow = 0;
  for (auto _ : state) {
    nRow = 1 - nRow;
    const QRect rc = pWeapons->visualRect(pWeapons->model()->index(nRow, 0));
    QTest::mouseClick(pWeapons->viewport(), Qt::LeftButton, {}, rc.center());
    QCoreApplication::processEvents();  // paints what the click changed
    benchmark::DoNotOptimize(pResult->GetRowCount());
  }
  if (dlg.GetCalculator().GetWeaponSelection() != nRow || pResult->GetRowCount() == 0 ||
      dlg.IsBaselinePinned() != bCompare) {
    Fail("the clicks did not reach the calculator");
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void WeaponClickToRows(benchmark::State& state) {
  CVelkarDlg dlg(velkar::GetModuleDirectory());
  ClickWeaponsInTurn(state, dlg, false);
}
BENCHMARK(WeaponClickToRows)->Unit(benchmark::kMicrosecond);

void WeaponClickWithSixLoadouts(benchmark::State& state) {
  CVelkarDlg dlg(velkar::GetModuleDirectory());
  ClickWeaponsInTurn(state, dlg, true);
}
BENCHMARK(WeaponClickWithSixLoadouts)->Unit(benchmark::kMicrosecond);

// The builds window's import of a 678-build code named "a" into a builds.json
// of 10,000 builds: from the click until the message is shown (and answered)
// and the list holds every build.
void ImportIntoTenThousand(benchmark::State& state) {
  const std::string strFolder = CSetupStore::DefaultFolder();
  SaveManyBuilds(strFolder + "saved");
  const CDataManager store;  // holds no data, as the code made on it says
  QGuiApplication::clipboard()->setText(
      QString::fromStdString(ImportedCode(store.GetDataFingerprint())));
  CBuildsDlg builds([] { return Setup_t{}; },
                    [](const Setup_t&) { return std::vector<RestoreMiss_t>{}; },
                    [&store] { return store.GetDataFingerprint(); });
  builds.show();
  auto* pImport = builds.findChild<QPushButton*>(QStringLiteral("buildImportCode"));
  auto* pList = builds.findChild<QListWidget*>(QStringLiteral("buildList"));
  QTimer answerer;  // answers the message as soon as it is up
  QObject::connect(&answerer, &QTimer::timeout, [] {
    if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) pBox->accept();
  });
  answerer.start(0);
  for (auto _ : state) {
    state.PauseTiming();
    RestoreBuilds(strFolder + "saved", strFolder);
    builds.Refresh();
    state.ResumeTiming();
    QTest::mouseClick(pImport, Qt::LeftButton);
  }
  if (static_cast<size_t>(pList->count()) != kSavedBuilds + kImportedBuilds) {
    Fail("the import did not list every build");
  }
}
BENCHMARK(ImportIntoTenThousand)->Unit(benchmark::kMillisecond)->UseRealTime();

// A new folder for the last setup, which XDG_CONFIG_HOME then names; its path.
std::string MakeConfigFolder() {
  std::string strFolder = "/tmp/velkar-bench-XXXXXX";
  if (mkdtemp(strFolder.data()) == nullptr) Fail("cannot create a temporary folder");
  setenv("XDG_CONFIG_HOME", strFolder.c_str(), 1);
  return strFolder;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 3 && argv[1] == kChildFlag) return RunChild(argc, argv, std::atoi(argv[2]));
  const std::string strConfig = MakeConfigFolder();
  benchmark::Initialize(&argc, argv);
  {
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  std::error_code ec;
  std::filesystem::remove_all(strConfig, ec);
  return 0;
}
