// Speed of one recalculation, of the whole report and of restoring a saved
// setup with a long motion list, on the sample game data.
//
// The build leaves the sample sources, in Shift-JIS, beside this program. They
// are copied into a temporary folder and converted there, so the figures do not
// depend on the data files of the build folder. The calculation uses the first
// listed category's first weapon, a 10-motion list, the monster with the most
// body regions, anger and two modifiers.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <benchmark/benchmark.h>

#include "calc/Calculator.h"
#include "calc/ReportText.h"
#include "data/DataManager.h"
#include "platform/ModuleDirectory.h"
#include "setup/SetupRestore.h"

namespace {

constexpr int kMotionCount = 10;

class CSampleData {
public:
  CSampleData() {
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "velkar-bench-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr) Fail("cannot create a temporary folder");
    m_strDir = strTemplate + "/";
    CopySources();

    CDataManager& store = CDataManager::GetInstance();
    store.SetDataDirectory(m_strDir);
    if (!store.ConvertMonsterIni()) Fail("cannot write Monster.dat");
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
      if (!store.ConvertWeaponIni(nCategory)) Fail("cannot write a weapon data file");
    }
    m_calc.LoadAll();
    SetUpCalculation();
  }

  ~CSampleData() {
    CDataManager::DestroyInstance();
    std::error_code ec;
    std::filesystem::remove_all(m_strDir, ec);
  }

  CSampleData(const CSampleData&) = delete;
  CSampleData& operator=(const CSampleData&) = delete;

  CCalculator& Calculator() { return m_calc; }

private:
  [[noreturn]] static void Fail(const std::string& strWhy) {
    std::cerr << "calc_bench: " << strWhy << '\n';
    std::exit(1);
  }

  void CopySources() const {
    const std::filesystem::path source(velkar::GetModuleDirectory());
    for (const char* pszStem : {"Monster", "Sword", "DualSword", "GreatSword", "Katana", "Lance",
                                "GunLance", "Hummer", "HuntingHorn"}) {
      const std::string strName = std::string(pszStem) + ".ini";
      std::error_code ec;
      std::filesystem::copy_file(source / strName, m_strDir + strName, ec);
      if (ec) Fail("no sample source " + (source / strName).string() + "; build velkar_gamedata");
    }
  }

  void SetUpCalculation() {
    if (m_calc.GetWeapons().empty() || m_calc.GetAvailableMotions().empty()) {
      Fail("the first category has no weapon or no motion");
    }
    const auto& arrMonster = m_calc.GetMonsters();
    const auto itLargest = std::max_element(arrMonster.begin(), arrMonster.end(),
                                            [](const CMonster* pA, const CMonster* pB) {
                                              return pA->GetRegionCount() < pB->GetRegionCount();
                                            });
    if (itLargest == arrMonster.end()) Fail("no monster");
    m_calc.SelectMonster(static_cast<int>(itLargest - arrMonster.begin()));
    m_calc.SelectWeapon(0);
    m_calc.SetAnger(true);
    m_calc.SetModifier(1021, true);
    m_calc.SetModifier(1040, true);
    const int nAvailable = static_cast<int>(m_calc.GetAvailableMotions().size());
    for (int i = 0; i < kMotionCount; ++i) m_calc.AddChosenMotion(i % nAvailable);
  }

  std::string m_strDir;
  CCalculator m_calc;
};

CSampleData& Sample() {
  static CSampleData sample;
  return sample;
}

void BM_Recalculate(benchmark::State& state) {
  CCalculator& calc = Sample().Calculator();
  for (auto _ : state) {
    calc.Recalculate();
    benchmark::DoNotOptimize(calc.GetResultRows().data());
  }
  state.counters["regions"] = static_cast<double>(calc.GetResultRows().size());
  state.counters["motions"] = static_cast<double>(calc.GetChosenMotions().size());
}
BENCHMARK(BM_Recalculate);

void BM_BuildReport(benchmark::State& state) {
  const CCalculator& calc = Sample().Calculator();
  size_t nBytes = 0;
  for (auto _ : state) {
    const auto strReport = BuildReportFromCalculator(calc);
    nBytes = strReport ? strReport->size() : 0;
    benchmark::DoNotOptimize(strReport);
  }
  state.counters["bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_BuildReport);

// Restoring a setup of the sample calculation whose motion list holds
// state.range(0) motions (the category's motions in turn), as the window does
// at its start and on Load: each run starts with the category selected
// afresh and no anger or modifier, and covers RestoreSetup alone.
void BM_RestoreSetup(benchmark::State& state) {
  CCalculator& calc = Sample().Calculator();
  Setup_t setup = CaptureSetup(calc);
  const std::vector<const CAction*>& arrAvailable = calc.GetAvailableMotions();
  setup.arrMotion.clear();
  for (int64_t i = 0; i < state.range(0); ++i) {
    setup.arrMotion.push_back(arrAvailable[static_cast<size_t>(i) % arrAvailable.size()]->GetName());
  }
  for (auto _ : state) {
    state.PauseTiming();
    calc.SelectCategory(0);
    RestoreAnger(calc, Setup_t{});
    RestoreModifiers(calc, {});
    state.ResumeTiming();
    benchmark::DoNotOptimize(RestoreSetup(calc, setup));
  }
  if (calc.GetChosenMotions().size() != setup.arrMotion.size()) {
    std::cerr << "calc_bench: the motions were not restored\n";
    std::exit(1);
  }
  state.counters["motions"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_RestoreSetup)->Arg(8000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
