// CCalculationOptions: the options that report and rank share (the category,
// sharpness, monster, level, hit correction, anger, modifiers and motions),
// and the calculator operations that apply them, so that both commands drive
// the calculator exactly as a user of the window would: LoadAll, the
// category, then the weapon (the command's own part), the sharpness, the
// monster, level and hit correction, anger, the modifiers in the order given
// and the motions in the order given.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI
class CCalculator;
class CToolOutput;

class CCalculationOptions {
public:
  // --category, the first option of a command.
  void AddCategoryOption(CLI::App& command);

  // --sharpness, --monster, --level, --hit, --anger, --modifier, --motion.
  void AddSelectionOptions(CLI::App& command, const char* pszSharpnessHelp);

  // LoadAll and the category. A usage error message, or empty.
  std::string LoadCategory(CCalculator& calculator) const;

  // ReleaseSharpness when --sharpness was given: after each weapon, as a
  // weapon sets the position to its own sharpness.
  void ApplySharpness(CCalculator& calculator) const;

  // The monster, level and hit correction when given, anger, the modifiers
  // and the motions. A usage error message, or empty.
  std::string ApplySelections(CCalculator& calculator) const;

  // What a calculation lacks: "monster", "level" or "hit correction" when no
  // such entry is selected (the data holds none), or none.
  static std::optional<std::string> MissingTarget(const CCalculator& calculator);

  int GetCategory() const { return m_nCategory; }

  // Refuses the options that LoadCategory or the selections found wrong: a
  // usage error, unless the category's data file is damaged (then the file
  // is to blame, not the options). The exit code.
  int Refuse(const CToolOutput& output, const std::string& strUsage) const;

  // " of category C", for messages about the category's lists.
  std::string OfCategory() const;

private:
  CLI::Option* m_pSharpness = nullptr;
  CLI::Option* m_pMonster = nullptr;
  CLI::Option* m_pLevel = nullptr;
  CLI::Option* m_pHit = nullptr;
  int m_nCategory = 0;
  int m_nSharpness = 0;
  int m_nMonster = 0;
  int m_nLevel = 0;
  int m_nHit = 0;
  bool m_bAnger = false;
  std::vector<int> m_arrModifier;
  std::vector<int> m_arrMotion;
};

// "--weapon: 9 is out of range; valid: 0 to 7 (the weapons of category 0)",
// or "...; there are no monsters" for an empty list.
std::string RangeError(const char* pszOption, int nValue, size_t nCount,
                       const std::string& strWhat);

// True when nValue indexes a list of nCount entries.
bool InRange(int nValue, size_t nCount);
