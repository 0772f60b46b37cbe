// CControlFactory: creates the main window's controls from its template
// (ControlTemplate.h), positions converted from dialog units at the window's
// font, in template order, which is also the tab order. Each control is named
// after its id ("ctl1002") or, without one, after the template's name
// ("grpModifiers"), which is how the window's growth and its tests find them.
// A modifier of the table that the template has no place for gets a box
// after the box before it. The window's minimum size is the template's.
// MainControls_t hands the window the controls that code talks to.
#pragma once

#include <QString>
#include <array>

#include "calc/Calculator.h"
#include "style/DialogUnits.h"

class CColorListCtrl;
class CDialogStyle;
class CSharpnessSlider;
class CWeaponListBox;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;
struct ControlTemplate_t;

struct MainControls_t {
  QComboBox* pCategory = nullptr;                                     // 1001
  CWeaponListBox* pWeapons = nullptr;                                 // 1002
  QListWidget* pAvailable = nullptr;                                  // 1003
  QListWidget* pChosen = nullptr;                                     // 1004
  QPushButton* pAdd = nullptr;                                        // 1005
  QPushButton* pRemove = nullptr;                                     // 1006
  QPushButton* pClear = nullptr;                                      // 1007
  QComboBox* pMonster = nullptr;                                      // 1008
  CSharpnessSlider* pSharpness = nullptr;                             // 1009
  QLabel* pSharpnessText = nullptr;                                   // 1010
  QLabel* pAttackText = nullptr;                                      // 1011
  QLabel* pElementText = nullptr;                                     // 1012
  CColorListCtrl* pResult = nullptr;                                  // 1013
  QComboBox* pLevel = nullptr;                                        // 1014
  QComboBox* pHitCorrection = nullptr;                                // 1015
  QPushButton* pReport = nullptr;                                     // 1016
  QCheckBox* pAnger = nullptr;                                        // 1017
  std::array<QCheckBox*, CCalculator::kModifierCount> arrModifier{};  // by control id - 1018
};

class CControlFactory {
public:
  explicit CControlFactory(QDialog& window);

  // The object name of the control of an id.
  static QString ControlName(int nId);

  // Creates every control on the window and sizes the window to the
  // template.
  MainControls_t Create();

private:
  QWidget* CreateControl(const ControlTemplate_t& control);
  void AddUnplacedModifiers();
  MainControls_t FindControls() const;

  QDialog& m_window;
  DialogBaseUnits_t m_base;
  CDialogStyle* m_pCheckBoxStyle;  // owned by the window
};
