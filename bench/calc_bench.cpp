// Speed of one recalculation, of the whole report, of restoring a saved setup
// with a long motion list, of a comparison of six loadouts, of the weapon
// table (and of ranking 5,000 to 20,000 weapons), of the gains of every
// modifier and sharpness level and of the loadouts
// chart (series and SVG) on the sample
// game data, and of reading build codes.
//
// The build leaves the sample sources, in Shift-JIS, beside this program. They
// are copied into a temporary folder and converted there, so the figures do not
// depend on the data files of the build folder. The calculation uses the first
// listed category's first weapon, a 10-motion list, the monster with the most
// body regions, anger and two modifiers; the gains use the same with motions
// of 30 hits in all. The code of a typical build of each category gives the
// length of a code a player shares.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/ReportText.h"
#include "calc/WeaponRanking.h"
#include "calc/WeaponTable.h"
#include "chart/ChartBuilders.h"
#include "chart/ChartSvg.h"
#include "data/DataManager.h"
#include "platform/ModuleDirectory.h"
#include "setup/BuildCode.h"
#include "setup/LoadoutComparison.h"
#include "setup/SetupRestore.h"

namespace {

constexpr int kMotionCount = 10;

class CSampleData {
public:
  CSampleData() : m_strDir(MakeFolder()), m_store(m_strDir), m_calc(m_store) {
    CopySources();
    if (!m_store.ConvertMonsterIni()) Fail("cannot write Monster.dat");
    for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
      if (!m_store.ConvertWeaponIni(nCategory)) Fail("cannot write a weapon data file");
    }
    m_store.LoadAll();
    m_calc.LoadAll();
    SetUpCalculation();
  }

  ~CSampleData() {
    std::error_code ec;
    std::filesystem::remove_all(m_strDir, ec);
  }

  CSampleData(const CSampleData&) = delete;
  CSampleData& operator=(const CSampleData&) = delete;

  CCalculator& Calculator() { return m_calc; }
  const CDataManager& Store() const { return m_store; }

private:
  [[noreturn]] static void Fail(const std::string& strWhy) {
    std::cerr << "calc_bench: " << strWhy << '\n';
    std::exit(1);
  }

  static std::string MakeFolder() {
    std::string strTemplate =
        (std::filesystem::temp_directory_path() / "velkar-bench-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr) Fail("cannot create a temporary folder");
    return strTemplate + "/";
  }

  void CopySources() const {
    const std::filesystem::path source(velkar::GetModuleDirectory());
    for (const std::string_view stem : DataFileStems()) {
      const std::string strName = std::string(stem) + ".ini";
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
  CDataManager m_store;
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
    setup.arrMotion.push_back(
        arrAvailable[static_cast<size_t>(i) % arrAvailable.size()]->GetName());
  }
  for (auto _ : state) {
    state.PauseTiming();
    calc.SelectCategory(0);
    RestoreSetup(calc, Setup_t{});  // no anger, no modifier
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
// Six loadouts of the first category (its first six weapons, each with the
// 10-motion list and the two modifiers), for the calculation's target.
std::vector<NamedLoadout_t> SixLoadouts(const CCalculator& calc) {
  const Setup_t setup = CaptureSetup(calc);
  std::vector<NamedLoadout_t> arrLoadout;
  for (size_t i = 0; i < kMaxComparedLoadouts; ++i) {
    Loadout_t loadout = LoadoutOf(setup);
    loadout.strWeapon = calc.GetWeapons()[i % calc.GetWeapons().size()]->GetName();
    arrLoadout.push_back({std::to_string(i), loadout});
  }
  return arrLoadout;
}

// The six loadouts against the calculation's target, each found by name in
// the store and evaluated.
void BM_CompareSixLoadouts(benchmark::State& state) {
  const CCalculator& calc = Sample().Calculator();
  const std::vector<NamedLoadout_t> arrLoadout = SixLoadouts(calc);
  const Target_t target = TargetOf(CaptureSetup(calc));
  size_t nRegions = 0;
  for (auto _ : state) {
    const LoadoutComparison_t comparison = CompareLoadouts(Sample().Store(), target, arrLoadout);
    nRegions = comparison.arrRegion.size();
    benchmark::DoNotOptimize(comparison.arrLoadout.data());
  }
  state.counters["regions"] = static_cast<double>(nRegions);
}
BENCHMARK(BM_CompareSixLoadouts);

// The loadouts chart of the six, from their comparison (timed above): its
// series and its SVG.
void BM_LoadoutsChart(benchmark::State& state) {
  const CCalculator& calc = Sample().Calculator();
  const LoadoutComparison_t comparison =
      CompareLoadouts(Sample().Store(), TargetOf(CaptureSetup(calc)), SixLoadouts(calc));
  size_t nBytes = 0;
  size_t nGroups = 0;
  for (auto _ : state) {
    const Chart_t chart = LoadoutsChart(comparison);
    const std::string strSvg = ChartSvg(chart, ChartStyle_t{});
    nBytes = strSvg.size();
    nGroups = chart.arrGroup.size();
    benchmark::DoNotOptimize(strSvg.data());
  }
  state.counters["groups"] = static_cast<double>(nGroups);
  state.counters["svg_bytes"] = static_cast<double>(nBytes);
}
BENCHMARK(BM_LoadoutsChart)->Unit(benchmark::kMicrosecond);

// The weapon table of the first category, ranked on the first region and
// sorted by attack.
void BM_WeaponTable(benchmark::State& state) {
  const CCalculator& calc = Sample().Calculator();
  WeaponTableRequest_t request;
  request.nRegion = 0;
  request.eSort = eWEAPON_COLUMN::Attack;
  size_t nRows = 0;
  for (auto _ : state) {
    const WeaponTable_t table = BuildWeaponTable(calc, request);
    nRows = table.arrRow.size();
    benchmark::DoNotOptimize(table.arrRow.data());
  }
  state.counters["weapons"] = static_cast<double>(nRows);
}
BENCHMARK(BM_WeaponTable);

// The ranking behind the weapon table for a category of many weapons: the
// first category's weapons repeated up to the count, each evaluated on the
// calculation's records and ranked on the first region. It should grow in
// proportion to the count.
void BM_RankManyWeapons(benchmark::State& state) {
  const CCalculator& calc = Sample().Calculator();
  std::vector<const CWeapon*> arrWeapon;
  for (int64_t i = 0; i < state.range(0); ++i) {
    arrWeapon.push_back(calc.GetWeapons()[static_cast<size_t>(i) % calc.GetWeapons().size()]);
  }
  for (auto _ : state) {
    const std::vector<RankedWeapon_t> arrRanked =
        RankWeapons(arrWeapon, calc.GetRowLoadout(), calc.GetRowTarget(), 0, std::nullopt);
    benchmark::DoNotOptimize(arrRanked.data());
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RankManyWeapons)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// Motions of 30 hits in all in place of the 10-motion list.
void ChooseThirtyHits(CCalculator& calc) {
  calc.ClearChosenMotions();
  const std::vector<const CAction*>& arrAvailable = calc.GetAvailableMotions();
  size_t nHits = 0;
  std::vector<int> arrIndex;
  for (size_t i = 0; nHits < 30 && i < 30 * arrAvailable.size(); ++i) {
    const size_t nMotionHits = arrAvailable[i % arrAvailable.size()]->GetMotions().size();
    if (nHits + nMotionHits > 30) continue;
    nHits += nMotionHits;
    arrIndex.push_back(static_cast<int>(i % arrAvailable.size()));
  }
  calc.AddChosenMotions(arrIndex);
}

void BM_Gains(benchmark::State& state) {
  CCalculator calc = Sample().Calculator();
  ChooseThirtyHits(calc);
  size_t nGains = 0;
  for (auto _ : state) {
    const std::optional<GainTable_t> table = ComputeGains(calc);
    nGains = table ? table->arrGain.size() : 0;
    benchmark::DoNotOptimize(table);
  }
  size_t nHits = 0;
  for (const CAction* pMotion : calc.GetChosenMotions()) nHits += pMotion->GetMotions().size();
  state.counters["regions"] = static_cast<double>(calc.GetResultRows().size());
  state.counters["hits"] = static_cast<double>(nHits);
  state.counters["gains"] = static_cast<double>(nGains);
}
BENCHMARK(BM_Gains)->Unit(benchmark::kMicrosecond);

// The longest text a code may be: random code characters after the prefix
// (refused by the checksum), and a code of many builds read whole.
std::string HostileCode() {
  std::mt19937 random(8);
  constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string strCode = "VK1.";
  while (strCode.size() < kMaxBuildCodeLength) strCode += kAlphabet[random() % kAlphabet.size()];
  return strCode;
}

std::string LongestCode() {
  const CCalculator& calc = Sample().Calculator();
  Build_t build{"build", CaptureSetup(calc)};
  BuildCode_t code{Sample().Store().GetDataFingerprint(), {}};
  CodeError_t error;
  std::string strLongest;
  for (int i = 0;; ++i) {
    build.strName = "build " + std::to_string(i);
    code.arrBuild.push_back(build);
    const std::optional<std::string> strCode = EncodeBuildCode(code, error);
    if (!strCode) return strLongest;
    strLongest = *strCode;
  }
}

// A typical build of each category, as a player shares it: its second weapon,
// its first six motions, the second monster, level and hit correction, four
// modifiers and a Japanese name. The counter "chars" is the code's length.
void BM_EncodeTypicalBuild(benchmark::State& state) {
  CCalculator calc = Sample().Calculator();
  calc.SelectCategory(static_cast<int>(state.range(0)));
  calc.SelectWeapon(1);
  calc.SelectMonster(1);
  calc.SelectLevel(1);
  calc.SelectHitCorrection(1);
  calc.SetAnger(false);
  calc.ClearChosenMotions();
  const std::vector<int> arrMotion{0, 1, 2, 3, 4, 5};
  calc.AddChosenMotions(arrMotion);
  for (const int nId : {1021, 1024, 1029, 1040}) calc.SetModifier(nId, true);
  const int nCategory = calc.GetCategories()[static_cast<size_t>(state.range(0))].nCategory;
  // "<category>の火力構成" in Shift-JIS.
  const Build_t build{
      CDataManager::GetCategoryLabel(nCategory) + "\x82\xcc\x89\xce\x97\xcd\x8d\x5c\x90\xac",
      CaptureSetup(calc)};
  const BuildCode_t code{Sample().Store().GetDataFingerprint(), {build}};
  CodeError_t error;
  size_t nChars = 0;
  for (auto _ : state) {
    const std::optional<std::string> strCode = EncodeBuildCode(code, error);
    nChars = strCode ? strCode->size() : 0;
    benchmark::DoNotOptimize(strCode);
  }
  state.counters["chars"] = static_cast<double>(nChars);
}
BENCHMARK(BM_EncodeTypicalBuild)->DenseRange(0, CATEGORY_COUNT - 1)->Unit(benchmark::kMicrosecond);

void BM_DecodeCode(benchmark::State& state, std::string (*pfnMake)()) {
  const std::string strCode = pfnMake();
  CodeError_t error;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeBuildCode(strCode, error));
  state.counters["chars"] = static_cast<double>(strCode.size());
  state.counters["read"] = error.eError == eCODE_ERROR::None ? 1 : 0;
}
BENCHMARK_CAPTURE(BM_DecodeCode, Hostile8KiB, &HostileCode)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeCode, LongestValid, &LongestCode)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
