// The eight weapon category classes. Each fixes the category, the physical
// damage type and the two coefficients; none adds fields or behaviour.
#pragma once

#include <memory>

#include "model/Weapon.h"

class CSword : public CWeapon {
public:
  CSword() : CWeapon(CATEGORY_SWORD, DAMAGE_CUT, 1.4, 1.0) {}
};

class CDualSword : public CWeapon {
public:
  CDualSword() : CWeapon(CATEGORY_DUALSWORD, DAMAGE_CUT, 1.4, 0.7) {}
};

class CGreatSword : public CWeapon {
public:
  CGreatSword() : CWeapon(CATEGORY_GREATSWORD, DAMAGE_CUT, 4.8, 1.0) {}
};

class CKatana : public CWeapon {
public:
  CKatana() : CWeapon(CATEGORY_KATANA, DAMAGE_CUT, 4.8, 1.0) {}
};

class CLance : public CWeapon {
public:
  CLance() : CWeapon(CATEGORY_LANCE, DAMAGE_CUT_OR_IMPACT, 2.3, 1.0) {}
};

class CGunLance : public CWeapon {
public:
  CGunLance() : CWeapon(CATEGORY_GUNLANCE, DAMAGE_CUT_OR_IMPACT, 2.3, 1.0) {}
};

class CHummer : public CWeapon {
public:
  CHummer() : CWeapon(CATEGORY_HUMMER, DAMAGE_IMPACT, 5.2, 1.0) {}
};

class CHuntingHorn : public CWeapon {
public:
  CHuntingHorn() : CWeapon(CATEGORY_HUNTINGHORN, DAMAGE_IMPACT, 5.2, 1.0) {}
};

// A new weapon of the category's class, or null for a value outside 0..7.
inline std::unique_ptr<CWeapon> CreateWeapon(int nCategory) {
  switch (nCategory) {
    case CATEGORY_SWORD: return std::make_unique<CSword>();
    case CATEGORY_DUALSWORD: return std::make_unique<CDualSword>();
    case CATEGORY_GREATSWORD: return std::make_unique<CGreatSword>();
    case CATEGORY_KATANA: return std::make_unique<CKatana>();
    case CATEGORY_LANCE: return std::make_unique<CLance>();
    case CATEGORY_GUNLANCE: return std::make_unique<CGunLance>();
    case CATEGORY_HUMMER: return std::make_unique<CHummer>();
    case CATEGORY_HUNTINGHORN: return std::make_unique<CHuntingHorn>();
    default: return nullptr;
  }
}
