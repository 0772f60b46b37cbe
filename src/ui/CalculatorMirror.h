// CCalculatorMirror: shows the calculator's state in the main window's input
// controls: the lists (category, weapons, both motion lists, monster, level,
// hit correction), their selections, the attack, element and sharpness
// texts, the slider with the weapon's own sharpness, and the check marks and
// enabled states of the anger and modifier boxes. A list is refilled only
// when the calculator's list revision moved on and its entries differ from
// what it shows, so that an operation that leaves a list alone keeps its
// selection and scroll position. Showing never runs an operation: the
// signals that the window routes to the calculator are blocked while a list
// or the slider changes, and the check boxes route only their clicks.
#pragma once

#include <cstdint>
#include <vector>

#include "ControlFactory.h"

class CAction;
class CCalculator;
class CHitPattern;
class CLevel;
class CMonster;
class CWeapon;

class CCalculatorMirror {
public:
  CCalculatorMirror(const MainControls_t& controls, const CCalculator& calculator)
      : m_controls(controls), m_calculator(calculator) {}

  // Shows the calculator's state; bRefill refills every list even when its
  // entries look unchanged (after a reload or a category change).
  void Show(bool bRefill);

private:
  void RefillLists(bool bRefill);
  void ShowSelections();
  void ShowTextsAndFlags();

  MainControls_t m_controls;
  const CCalculator& m_calculator;

  // What the list controls show, to refill only the lists that changed.
  uint64_t m_nShownRevision = 0;
  std::vector<int> m_arrShownCategory;
  std::vector<const CWeapon*> m_arrShownWeapon;
  std::vector<const CAction*> m_arrShownAvailable;
  std::vector<const CAction*> m_arrShownChosen;
  std::vector<const CMonster*> m_arrShownMonster;
  std::vector<const CLevel*> m_arrShownLevel;
  std::vector<const CHitPattern*> m_arrShownHitCorrection;
};
