// CCalculationOptions: the options that every calculation command shares (the
// category, a saved build, the weapon, sharpness, monster, level, hit
// correction, anger, modifiers and motions), laid over a saved build (or an
// empty setup) and restored by the core's RestoreSetup, so that each command
// drives the calculator exactly as the window restores a setup: LoadAll, the
// category, the weapon, the motions in the order given, the sharpness, the
// monster, level and hit correction, anger, the modifiers in the order given.
//
// --build NAME starts from a build saved by the window or the tool: each part
// that no option gives comes from the build, found by name as the window
// restores it; an option given replaces that part of the build (--modifier
// and --motion replace the build's whole list). A monster, level, hit
// correction or motion that the data no longer holds is skipped and named
// by PrintWarnings (and GetMisses). A name that several builds carry is
// refused: it would not say which one is meant. --code CODE does the same
// with the one build of a build code (see BuildCode.h), and warns when the
// code was made with other data files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "setup/Setup.h"
#include "setup/SetupRestore.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI
class CCalculator;
class CDataManager;
class CToolOutput;

class CCalculationOptions {
public:
  // --category, and --build and --code unless bWithBuild is false (for a
  // command with builds of its own): the first options of a command.
  void AddCategoryOption(CLI::App& command, bool bWithBuild = true);

  // --weapon, for the commands that compute one weapon.
  void AddWeaponOption(CLI::App& command);

  // --sharpness, --monster, --level, --hit, --anger, --modifier, --motion.
  void AddSelectionOptions(CLI::App& command, const char* pszSharpnessHelp);

  // Reads the build of this UTF-8 name (for commands with several builds);
  // a usage error message, or empty.
  std::string UseBuild(const std::string& strName);

  // Decodes a build code of one build and uses that build; a usage error
  // message, or empty.
  std::string UseCode(const std::string& strCode);

  // Writes the notes about what was used (a code made with other data
  // files, each name of the build that the data lacks), one warning line
  // each; known once ApplyAll has run.
  void PrintWarnings(const CToolOutput& output) const;

  // What the build named that the data no longer holds, known once ApplyAll
  // has run.
  const std::vector<RestoreMiss_t>& GetMisses() const { return m_arrMiss; }

  // Loads the store and the calculator on it, then the build (or nothing)
  // with the options laid over it, restored as the window restores a setup;
  // the weapon and its sharpness only for a command with --weapon. A usage
  // error message, or empty.
  std::string ApplyAll(CDataManager& store, CCalculator& calculator);

  // What a calculation lacks: "monster", "level" or "hit correction" when no
  // such entry is selected (the data holds none), or none.
  static std::optional<std::string> MissingTarget(const CCalculator& calculator);

  int GetCategory() const { return m_nCategory; }

  // The build that UseBuild, UseCode or LoadCategory read, if any.
  const std::optional<Build_t>& GetBuild() const { return m_build; }

  // The one sharpness for every weapon: --sharpness, or the build's; none
  // leaves each weapon its own.
  std::optional<int> SharpnessForAll() const;

  // Refuses the options that ApplyAll found wrong,
  // after the warnings: a usage error, unless the builds file or the
  // category's data file could not be used (then the file is to blame, not
  // the options). The exit code.
  int Refuse(const CToolOutput& output, const std::string& strUsage) const;

  // " of category C", for messages about the category's lists.
  std::string OfCategory() const;

private:
  static bool Given(const CLI::Option* pOption);
  bool ComputesOneWeapon() const { return m_pWeapon != nullptr; }
  // The loads and the check of the category (reading the --build first).
  std::string LoadCategory(CDataManager& store, CCalculator& calculator);
  // The build's setup (or none) with the category and anger of the options.
  Setup_t LaidOver() const;
  // The options that name a record by its place in a list.
  SetupChoices_t Choices() const;
  // The usage error of a weapon that is not selected after the restore.
  std::string CheckWeapon(const CCalculator& calculator) const;
  // The usage error of the first option outside its list, in the order of
  // the options.
  std::string CheckChoices(const CCalculator& calculator) const;

  CLI::Option* m_pCategory = nullptr;
  CLI::Option* m_pBuild = nullptr;
  CLI::Option* m_pCode = nullptr;
  CLI::Option* m_pWeapon = nullptr;
  CLI::Option* m_pSharpness = nullptr;
  CLI::Option* m_pMonster = nullptr;
  CLI::Option* m_pLevel = nullptr;
  CLI::Option* m_pHit = nullptr;
  CLI::Option* m_pModifier = nullptr;
  CLI::Option* m_pMotion = nullptr;
  int m_nCategory = 0;
  std::string m_strBuild;  // UTF-8, as given
  std::string m_strCode;
  int m_nWeapon = 0;
  int m_nSharpness = 0;
  int m_nMonster = 0;
  int m_nLevel = 0;
  int m_nHit = 0;
  bool m_bAnger = false;
  std::vector<int> m_arrModifier;
  std::vector<int> m_arrMotion;
  std::optional<Build_t> m_build;              // the build in use
  std::optional<uint32_t> m_nCodeFingerprint;  // of the data the code was made with
  std::vector<std::string> m_arrWarning;
  std::vector<RestoreMiss_t> m_arrMiss;    // what the build named that the data lacks
  bool m_bBuildsUnusable = false;          // builds.json could not be used
  const CDataManager* m_pStore = nullptr;  // the store ApplyAll loaded, if it ran
};

// "--weapon: 9 is out of range; valid: 0 to 7 (the weapons of category 0)",
// or "...; there are no monsters" for an empty list.
std::string RangeError(const char* pszOption, int nValue, size_t nCount,
                       const std::string& strWhat);

// The warning for a build code made with other data files than the store
// has loaded (their fingerprints differ), or none.
std::optional<std::string> OtherDataWarning(const CDataManager& store, uint32_t nCodeFingerprint);

// The warning for a name of a build that the data lacks: "build B: motion M
// is not in the data; left out" (a monster, level or hit correction: "; the
// first is used").
std::string MissWarning(const std::string& strBuild, const RestoreMiss_t& miss);

// True when nValue indexes a list of nCount entries.
bool InRange(int nValue, size_t nCount);

// The index of --region NAME (UTF-8) among a monster's region names; a usage
// error message naming the valid ones when it is none of them.
std::string FindRegionOption(const std::string& strUtf8, const std::string& strMonster,
                             const std::vector<std::string>& arrRegion,
                             std::optional<size_t>& nRegion);
