// What the import benchmarks import and into what: a builds.json of 10,000
// builds as a player's might be after years, and a code of 678 builds all
// named "a", about as many builds as a code holds.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "setup/BuildCode.h"
#include "setup/SetupStore.h"

inline constexpr size_t kSavedBuilds = 10'000;
inline constexpr size_t kImportedBuilds = 678;

// Writes the 10,000 builds (b0, b1, ...; a weapon, six motions, a monster)
// to the builds.json of the folder.
inline void SaveManyBuilds(const std::string& strFolder) {
  Setup_t setup;
  setup.nCategory = 0;
  setup.strWeapon = velkar::ToSjis(u8"焔刃ヴァルゼナ");
  setup.arrMotion.assign(6, velkar::ToSjis(u8"縦斬り"));
  setup.strMonster = velkar::ToSjis(u8"雷角獣シグラーム");
  std::vector<Build_t> arrBuild;
  for (size_t i = 0; i < kSavedBuilds; ++i) arrBuild.push_back({"b" + std::to_string(i), setup});
  CSetupStore store(strFolder);
  BuildsImport_t result;
  if (store.AddBuilds(arrBuild, eTAKEN_NAME::Number, result) != eSTORE_RESULT::Ok) {
    std::cerr << "cannot save the builds: " << store.Error() << '\n';
    std::exit(1);
  }
}

// The code of the 678 builds named "a", each of category 0.
inline std::string ImportedCode(uint32_t nFingerprint) {
  Setup_t setup;
  setup.nCategory = 0;
  CodeError_t error;
  const std::optional<std::string> strCode =
      EncodeBuildCode({nFingerprint, std::vector<Build_t>(kImportedBuilds, {"a", setup})}, error);
  if (!strCode) {
    std::cerr << DescribeCodeError(error) << '\n';
    std::exit(1);
  }
  return *strCode;
}

// Puts the saved builds.json back in place before the next import.
inline void RestoreBuilds(const std::string& strSaved, const std::string& strFolder) {
  std::filesystem::copy_file(strSaved + "/builds.json", strFolder + "/builds.json",
                             std::filesystem::copy_options::overwrite_existing);
}
