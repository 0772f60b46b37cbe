// Reading the settings files. ReadJson: CJsonDocument on files of every shape
// up to the 64 MiB read limit (numbers, nesting, members, repeated keys,
// strings, blanks), each read or refused; the time per read should stay under
// a second whatever the shape. LoadBuildsWithLongBuild: CSetupStore listing a
// builds.json that holds a build of 50,000 motions.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include <benchmark/benchmark.h>

#include "setup/JsonDocument.h"
#include "setup/SetupStore.h"

namespace {

constexpr size_t kLimit = size_t{64} << 20;

// prefix, then piece as often as fits in the read limit, then suffix.
std::string Filled(const std::string& strPrefix, const std::string& strPiece,
                   const std::string& strSuffix) {
  std::string strText = strPrefix;
  while (strText.size() + strPiece.size() + strSuffix.size() <= kLimit) strText += strPiece;
  return strText + strSuffix;
}

std::string Zeros() {
  return Filled("[0", ",0", "]");
}
std::string Nested() {
  return std::string(kLimit / 2, '[') + std::string(kLimit / 2, ']');
}
std::string SmallObjects() {
  return Filled("[{}", ",{\"a\":0}", "]");
}
std::string RepeatedKeys() {
  return Filled("{\"a\":0", ",\"a\":[1]", "}");
}
std::string Strings() {
  return Filled("[\"\"", ",\"abcdefghijklmnopqrstuvwxyz\"", "]");
}
std::string LongString() {
  return "[\"" + std::string(kLimit - 4, 'a') + "\"]";
}
std::string Blanks() {
  return "[" + std::string(kLimit - 2, ' ') + "]";
}

std::string Members(size_t nCount) {
  std::string strText = "{";
  for (size_t i = 0; i < nCount; ++i) {
    const std::string strMember = "\"k" + std::to_string(i) + "\":0,";
    if (strText.size() + strMember.size() + 8 > kLimit) break;
    strText += strMember;
  }
  return strText + "\"e\":0}";
}
std::string Members80000() {
  return Members(80'000);
}
std::string MembersToTheLimit() {
  return Members(kLimit);
}

void BM_ReadJson(benchmark::State& state, std::string (*pfnText)()) {
  const std::string strText = pfnText();
  const std::span bytes(reinterpret_cast<const uint8_t*>(strText.data()), strText.size());
  eJSON_READ eResult = eJSON_READ::Ok;
  for (auto _ : state) {
    CJsonDocument document;
    eResult = document.Read(bytes);
    benchmark::DoNotOptimize(document.Root());
  }
  state.counters["MiB"] = static_cast<double>(strText.size()) / (1 << 20);
  state.counters["refused"] = eResult == eJSON_READ::Ok ? 0 : 1;
}
BENCHMARK_CAPTURE(BM_ReadJson, Zeros, &Zeros)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, Nested, &Nested)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, Members80000, &Members80000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, MembersToTheLimit, &MembersToTheLimit)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, SmallObjects, &SmallObjects)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, RepeatedKeys, &RepeatedKeys)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, Strings, &Strings)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, LongString, &LongString)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadJson, Blanks, &Blanks)->Unit(benchmark::kMillisecond);

void BM_LoadBuildsWithLongBuild(benchmark::State& state) {
  std::string strFolder = (std::filesystem::temp_directory_path() / "velkar-bench-XXXXXX").string();
  if (mkdtemp(strFolder.data()) == nullptr) {
    state.SkipWithError("cannot create a temporary folder");
    return;
  }
  CSetupStore store(strFolder);
  Build_t build{"long", {}};
  for (int i = 0; i < 50'000; ++i) build.setup.arrMotion.push_back(i % 2 == 0 ? "slash" : "thrust");
  if (store.SaveBuild(build) != eSTORE_RESULT::Ok) state.SkipWithError(store.Error().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(store.LoadBuilds());
  std::error_code ec;
  std::filesystem::remove_all(strFolder, ec);
}
BENCHMARK(BM_LoadBuildsWithLongBuild)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
