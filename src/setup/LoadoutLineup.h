// CLoadoutLineup: the loadouts a player has put side by side, at most
// kMaxComparedLoadouts, the first being the one the others are measured
// against. It is computed against the target of a calculator (its monster,
// level and anger), so the numbers always belong to the target on show: the
// window's comparison and its pinned baseline both read it, and both follow
// the main window's monster, level and anger without matching anything by
// name across two monsters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "setup/LoadoutComparison.h"

class CCalculator;

class CLoadoutLineup {
public:
  const std::vector<NamedLoadout_t>& GetLoadouts() const { return m_arrLoadout; }
  bool IsEmpty() const { return m_arrLoadout.empty(); }
  bool IsFull() const { return m_arrLoadout.size() >= kMaxComparedLoadouts; }

  // Appends a loadout; false (and nothing changed) when the lineup is full.
  bool Add(NamedLoadout_t loadout);
  // Out-of-range indexes change nothing.
  void Remove(size_t nIndex);
  void MakeFirst(size_t nIndex);

  // Every loadout against the target of calculator (which has loaded the
  // data), in lineup order.
  LoadoutComparison_t Compare(const CDataManager& store, const CCalculator& calculator) const;

  // For the calculator's own result rows: each row's difference to the first
  // loadout computed on the same target ("+12", "-3", "±0", "—" where either
  // has no numbers), one text per row; empty when the lineup is empty or the
  // calculator has no rows.
  std::vector<std::string> DifferencesToFirst(const CDataManager& store,
                                              const CCalculator& calculator) const;

  // Whether rows of the category can be measured against the first loadout:
  // it is of that category, and so are at least nAtLeast loadouts in all
  // (itself included). A loadout of another category is never a baseline.
  bool HasBaselineFor(std::optional<int> nCategory, size_t nAtLeast) const;
  // What the first loadout is called where its differences are shown: its
  // weapon, or its name when it names none (Shift-JIS).
  std::string BaselineName() const;

private:
  std::vector<NamedLoadout_t> m_arrLoadout;
};

// The current loadout of a calculator, named by its weapon (or strFallback
// when no weapon is selected).
NamedLoadout_t CurrentLoadout(const CCalculator& calculator, const std::string& strFallback);
