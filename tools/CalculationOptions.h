// CCalculationOptions: the options that every calculation command shares (the
// category, a saved build, the weapon, sharpness, monster, level, hit
// correction, anger, modifiers and motions), and the calculator operations
// that apply them, so that each command drives the calculator exactly as a
// user of the window would: LoadAll, the category, then the weapon, the
// sharpness, the monster, level and hit correction, anger, the modifiers in
// the order given and the motions in the order given.
//
// --build NAME starts from a build saved by the window or the tool: each part
// that no option gives comes from the build, found by name as the window
// restores it; an option given replaces that part of the build (--modifier
// and --motion replace the build's whole list). A monster, level, hit
// correction or motion that the data no longer holds is skipped and named in
// Warnings. A name that several builds carry is refused: it would not say
// which one is meant.
#pragma once

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
class CToolOutput;

class CCalculationOptions {
public:
  // --category and --build, the first options of a command.
  void AddCategoryOption(CLI::App& command);

  // --weapon, for the commands that compute one weapon.
  void AddWeaponOption(CLI::App& command);

  // --sharpness, --monster, --level, --hit, --anger, --modifier, --motion.
  void AddSelectionOptions(CLI::App& command, const char* pszSharpnessHelp);

  // Reads the build of this UTF-8 name (for commands with several builds);
  // a usage error message, or empty.
  std::string UseBuild(const std::string& strName);

  // LoadAll and the category (reading the --build first). A usage error
  // message, or empty.
  std::string LoadCategory(CCalculator& calculator);

  // The weapon of --weapon or of the build. A usage error message, or empty.
  std::string ApplyWeapon(CCalculator& calculator) const;

  // ReleaseSharpness when --sharpness was given (or the build moved the
  // slider): after each weapon, as a weapon sets the position to its own.
  void ApplySharpness(CCalculator& calculator) const;

  // The monster, level and hit correction, anger, the modifiers and the
  // motions. A usage error message, or empty.
  std::string ApplySelections(CCalculator& calculator);

  // What the build named that the data no longer holds, one English line
  // each (Shift-JIS names), for CToolOutput::Warnings.
  std::vector<std::string> Warnings() const;

  // What a calculation lacks: "monster", "level" or "hit correction" when no
  // such entry is selected (the data holds none), or none.
  static std::optional<std::string> MissingTarget(const CCalculator& calculator);

  int GetCategory() const { return m_nCategory; }

  // Refuses the options that LoadCategory or the selections found wrong: a
  // usage error, unless the builds file or the category's data file could
  // not be used (then the file is to blame, not the options). The exit code.
  int Refuse(const CToolOutput& output, const std::string& strUsage) const;

  // " of category C", for messages about the category's lists.
  std::string OfCategory() const;

private:
  static bool Given(const CLI::Option* pOption);
  void RestoreBuildSelections(CCalculator& calculator);

  CLI::Option* m_pCategory = nullptr;
  CLI::Option* m_pBuild = nullptr;
  CLI::Option* m_pWeapon = nullptr;
  CLI::Option* m_pSharpness = nullptr;
  CLI::Option* m_pMonster = nullptr;
  CLI::Option* m_pLevel = nullptr;
  CLI::Option* m_pHit = nullptr;
  CLI::Option* m_pModifier = nullptr;
  CLI::Option* m_pMotion = nullptr;
  int m_nCategory = 0;
  std::string m_strBuild;  // UTF-8, as given
  int m_nWeapon = 0;
  int m_nSharpness = 0;
  int m_nMonster = 0;
  int m_nLevel = 0;
  int m_nHit = 0;
  bool m_bAnger = false;
  std::vector<int> m_arrModifier;
  std::vector<int> m_arrMotion;
  std::optional<Build_t> m_build;  // the build in use
  std::vector<RestoreMiss_t> m_arrMiss;
  bool m_bBuildsUnusable = false;  // builds.json could not be used
};

// "--weapon: 9 is out of range; valid: 0 to 7 (the weapons of category 0)",
// or "...; there are no monsters" for an empty list.
std::string RangeError(const char* pszOption, int nValue, size_t nCount,
                       const std::string& strWhat);

// True when nValue indexes a list of nCount entries.
bool InRange(int nValue, size_t nCount);
