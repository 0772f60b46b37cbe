// CWeapon: one weapon of a category's data file, and the damage computation
// that is the weapon's own operation. Weapons of a category differ from those
// of another only in the values that its row of CategoryTable.h gives this
// constructor (CreateWeapon).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/DamageTypes.h"
#include "model/GameEnums.h"

class CWeapon {
public:
  CWeapon(eWEAPON_CATEGORY eCategory, eDAMAGE_TYPE eDamageType, double dAttackCoef,
          double dElementCoef);
  virtual ~CWeapon();

  CWeapon(const CWeapon&) = delete;
  CWeapon& operator=(const CWeapon&) = delete;

  virtual const std::string& GetName() const;

  // Appends one row per body region of the requested monster (engine/WeaponDamage.cpp).
  virtual bool CalcDamage(const DamageRequest_t* pRequest,
                          std::vector<DamageResult_t>* pResults) const;

  // The same computation; when pTrace is not null it also receives the
  // factors and every hit, with the values the rows were summed from. The
  // virtual CalcDamage runs this with no trace.
  bool CalcDamage(const DamageRequest_t* pRequest, std::vector<DamageResult_t>* pResults,
                  DamageTrace_t* pTrace) const;

  // Replaces *pDamage with each region's damage alone, as CalcDamage sums it,
  // for callers that need no names, hitzones or kinds (and faster for it).
  bool CalcRegionDamage(const DamageRequest_t* pRequest, std::vector<int32_t>* pDamage) const;

  // Replaces arrDamage with the region damage of each variant, as
  // CalcRegionDamage gives it for the request at the variant's sharpness and
  // modifiers (variant v's region i at v * regions + i), in one pass over
  // the hits.
  bool CalcVariantDamage(const DamageRequest_t& req, const std::vector<DamageVariant_t>& arrVariant,
                         std::vector<int32_t>& arrDamage) const;

  virtual eWEAPON_CATEGORY GetCategory() const;
  virtual bool SetStatus(const std::string& strName, uint16_t wAttack, uint16_t wElement,
                         int32_t nElementMask, int32_t nSharpness);
  virtual bool GetStatus(uint16_t& wAttack, uint16_t& wElement, int32_t& nElementMask,
                         int32_t& nSharpness) const;

  eDAMAGE_TYPE GetDamageType() const { return m_nDamageType; }
  double GetAttackCoef() const { return m_dAttackCoef; }
  double GetElementCoef() const { return m_dElementCoef; }

  // Physical and element multipliers of a sharpness level 0..5; false and both
  // left alone for any other level.
  static bool GetSharpnessRate(int32_t nSharpness, double& dPhys, double& dElement);

  // Turns a modifier word into the additive attack bonus and the attack
  // factor of its bits, each bit's effect as the modifier table gives it.
  static void CalcModifier(uint32_t nModifier, uint8_t& byBonus, double& dFactor);

private:
  // The computation behind CalcDamage and CalcRegionDamage: onRegion(region,
  // damage, physical hitzone, element hitzone, kind) once per region, in order.
  template <bool bRows, class OnRegion>
  void RunRegions(const DamageRequest_t& req, DamageTrace_t* pTrace, OnRegion onRegion) const;

  // onHit(action index, hit index, motion value, motion rate, site) for every
  // hit on region i in the game's order; p and x receive the region's hitzones.
  template <class OnHit>
  void ForEachHit(const DamageRequest_t& req, int i, uint8_t& p, uint8_t& x, OnHit onHit) const;

  eWEAPON_CATEGORY m_eCategory;
  double m_dAttackCoef;
  double m_dElementCoef;
  std::string m_strName;
  uint16_t m_wAttack = 0;
  uint16_t m_wElement = 0;
  int32_t m_nElementMask = 0;
  int32_t m_nSharpness = 0;
  eDAMAGE_TYPE m_nDamageType;
};
