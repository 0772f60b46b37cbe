// CCalculator: the state of the one calculation on screen and the operation
// behind every control of the main window.
//
// The store (CDataManager) owns every record; the calculator is given the
// store it works on, holds plain pointers into it, keeps only what is
// selected (the selections, chosen motions, sharpness, anger and modifier
// flags), and after every change recalculates the result rows by evaluating
// the selected records (LoadoutEvaluation.h), as everything that computes
// apart from the screen does. It needs no window and knows nothing of pixels
// or colours: the window (CVelkarDlg), the page and velkar-tool drive it
// through these operations and then mirror its lists, selections, flags and
// texts. All texts are Shift-JIS.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/LoadoutEvaluation.h"
#include "engine/DamageTypes.h"
#include "model/Action.h"
#include "model/GameEnums.h"
#include "model/HitPattern.h"
#include "model/Level.h"
#include "model/ModifierTable.h"
#include "model/Monster.h"
#include "model/Weapon.h"

class CDataManager;

// A selection: an index into its list, or none.
inline constexpr int NO_SELECTION = -1;

struct CategoryEntry_t {
  int nCategory = 0;     // eWEAPON_CATEGORY value
  std::string strLabel;  // Japanese display name
};

struct ResultColumn_t {
  std::string strCaption;
};

struct ResultRow_t {
  std::array<std::string, 4> arrCell;  // region, "%d%%" physical, "%d%%" element, "%d" damage
  // The computed values behind the texts, for programs that want numbers.
  uint8_t byPhys = 0;
  uint8_t byElement = 0;
  int32_t nDamage = 0;
  int32_t nKind = RESULT_NORMAL;  // eRESULT_KIND
};

// The text colour (0xRRGGBB) of a result row of a kind (eRESULT_KIND): black,
// red or blue; none for an unknown kind. The faces colour rows by it where
// they show colour.
std::optional<uint32_t> ResultKindColor(int32_t nKind);

// The names of the elements whose bits 0..8 of a weapon's element mask are
// set, joined without a separator; "無" for an empty mask. Higher bits are
// ignored, so a mask that holds only those gives an empty text.
std::string ElementNames(int32_t nMask);

// The request that gave the result rows and the weapon that computed it. Its
// motion array belongs to the calculator and lasts until the next operation;
// a copy of the request with other modifiers or another sharpness asks the
// same weapon what a click would change.
struct RowCalculation_t {
  const CWeapon* pWeapon = nullptr;
  DamageRequest_t request;
};

// The calculation behind the result rows, run again with every hit recorded.
struct CalcExplanation_t {
  std::vector<DamageResult_t> arrRegion;  // one per row, as the computation gave them
  DamageTrace_t trace;                    // the factors and every hit
  // What was computed, by name (Shift-JIS), for a heading.
  std::string strWeapon;
  std::string strMonster;
  std::string strLevel;
};

class CCalculator {
public:
  static constexpr int kFirstModifierId = ::kFirstModifierId;
  static constexpr int kLastModifierId = ::kLastModifierId;
  static constexpr int kModifierCount = ::kModifierCount;

  // A calculator on a store's records; the store must outlive it, or
  // UseStore must point it at another before the store goes.
  explicit CCalculator(const CDataManager& store);
  virtual ~CCalculator();

  // The store whose records the calculator shows.
  const CDataManager& GetStore() const { return *m_pStore; }
  // Points the calculator at another store and runs LoadAll on it: nothing
  // of the old store's records stays.
  void UseStore(const CDataManager& store);

  // Operations, one per control event; each ends in a recalculation where the
  // rules say so. An index outside its list counts as no selection. LoadAll
  // fills every list from the store's records, as at start.
  void LoadAll();
  void SelectCategory(int nIndex);
  void SelectWeapon(int nIndex);
  void SetSharpnessPosition(int nPosition);  // a keyboard move: position only
  void ReleaseSharpness(int nPosition);
  void SelectChosenMotion(int nIndex);  // mirrors the chosen-motion list's selection
  void AddChosenMotion(int nAvailableIndex);
  // A whole list of motions, in order, with one recalculation at the end (for
  // programs that add many at once; the window adds one per event). An index
  // outside the list is passed over, as AddChosenMotion passes it over.
  void AddChosenMotions(std::span<const int> arrAvailableIndex);
  void RemoveChosenMotion(int nChosenIndex);
  void ClearChosenMotions();
  void SelectMonster(int nIndex);
  void SelectLevel(int nIndex);
  void SelectHitCorrection(int nIndex);
  void SetAnger(bool bAnger);
  void SetModifier(int nControlId, bool bTicked);
  void Recalculate();

  uint32_t BuildModifierMask() const;

  // Read access for the window, the report and the tool.
  const std::vector<CategoryEntry_t>& GetCategories() const { return m_arrCategory; }
  int GetCategorySelection() const { return m_nCategorySel; }
  const std::vector<const CWeapon*>& GetWeapons() const { return m_arrWeapon; }
  int GetWeaponSelection() const { return m_nWeaponSel; }
  const std::vector<const CAction*>& GetAvailableMotions() const { return m_arrAvailable; }
  const std::vector<const CAction*>& GetChosenMotions() const { return m_arrChosen; }
  int GetChosenMotionSelection() const { return m_nChosenSel; }
  const std::vector<const CHitPattern*>& GetHitCorrections() const { return m_arrHitPattern; }
  int GetHitCorrectionSelection() const { return m_nHitPatternSel; }
  const std::vector<const CMonster*>& GetMonsters() const { return m_arrMonster; }
  int GetMonsterSelection() const { return m_nMonsterSel; }
  const std::vector<const CLevel*>& GetLevels() const { return m_arrLevel; }
  int GetLevelSelection() const { return m_nLevelSel; }

  int GetSharpnessPosition() const { return m_nSharpness; }
  int GetSharpnessMin() const { return SHARPNESS_MIN; }
  int GetSharpnessMax() const { return SHARPNESS_MAX; }
  // The selected weapon's own sharpness, as its record gives it; none without
  // a weapon or with a record that cannot say.
  std::optional<int> GetOwnSharpness() const;
  bool GetAnger() const { return m_bAnger; }
  bool GetModifier(int nControlId) const;
  ModifierTicks_t GetModifierTicks() const { return m_nTicks; }
  // Whether the box is enabled: in the categories of its row, the category
  // being the one whose weapon list was filled last (all enabled before).
  bool IsModifierEnabled(int nControlId) const;

  const std::string& GetAttackText() const { return m_strAttackText; }
  const std::string& GetElementText() const { return m_strElementText; }
  const std::string& GetSharpnessText() const { return m_strSharpnessText; }

  const std::vector<ResultColumn_t>& GetResultColumns() const { return m_arrColumn; }
  const std::vector<ResultRow_t>& GetResultRows() const { return m_arrRow; }

  // The calculation that gave the current result rows, run again with every
  // hit recorded; none when the rows were not computed (before the first
  // calculation, or when a missing level or hit correction emptied them). It
  // re-runs the rows' own request, so it always explains the rows on show,
  // also after a keyboard move of the sharpness or a category change, which
  // leave the rows as they are.
  std::optional<CalcExplanation_t> Explain() const;

  // The calculation behind the result rows; none when they were not computed.
  std::optional<RowCalculation_t> GetRowCalculation() const;
  // The records the result rows were evaluated on: the loadout (no weapon
  // when the rows were not computed) and the target.
  const LoadoutRecords_t& GetRowLoadout() const { return m_rowLoadout; }
  const TargetRecords_t& GetRowTarget() const { return m_rowTarget; }

  // The same for one result row: that row's region as the only region, with
  // its hits (their nRegion is 0); none for an index outside the rows.
  std::optional<CalcExplanation_t> ExplainRow(int nRow) const;

  // Raised whenever a list other than the result rows changes, so that a
  // window can refill its list controls only when needed.
  uint64_t GetListRevision() const { return m_nListRevision; }

  // The selected records, or null.
  const CWeapon* GetSelectedWeapon() const;
  const CMonster* GetSelectedMonster() const;
  const CLevel* GetSelectedLevel() const;
  const CHitPattern* GetSelectedHitCorrection() const;

private:
  void RunSelectCategory();
  void EmptyCategoryLists();
  void FillCategoryLists(int nCategory);
  void SetUpResultColumns();
  void FillMonstersAndLevels();
  void SetWeaponTexts(const CWeapon& weapon);
  void AppendResultRow(const DamageResult_t& result);
  void ClearResultRows();
  void ForgetShownWeapon();  // rows and the three status texts as at start
  void ListsChanged() { ++m_nListRevision; }

  const CDataManager* m_pStore;
  std::vector<CategoryEntry_t> m_arrCategory;
  int m_nCategorySel = NO_SELECTION;
  std::vector<const CWeapon*> m_arrWeapon;
  int m_nWeaponSel = NO_SELECTION;
  std::vector<const CAction*> m_arrAvailable;
  std::vector<const CAction*> m_arrChosen;  // the entry's text is the motion's GetName()
  int m_nChosenSel = NO_SELECTION;
  std::vector<const CHitPattern*> m_arrHitPattern;
  int m_nHitPatternSel = NO_SELECTION;
  std::vector<const CMonster*> m_arrMonster;
  int m_nMonsterSel = NO_SELECTION;
  std::vector<const CLevel*> m_arrLevel;
  int m_nLevelSel = NO_SELECTION;
  int m_nSharpness = SHARPNESS_MIN;
  bool m_bAnger = false;
  ModifierTicks_t m_nTicks = 0;
  // The category of the last filled weapon list, which the boxes' enabled
  // state follows; none before.
  std::optional<int> m_nRuleCategory;
  std::string m_strAttackText;
  std::string m_strElementText;
  std::string m_strSharpnessText;
  std::vector<ResultColumn_t> m_arrColumn;
  std::vector<ResultRow_t> m_arrRow;
  uint64_t m_nListRevision = 0;

  // The records behind the result rows (no weapon when the rows were not
  // computed). GetRowCalculation forms its request from them on each call, so
  // a copied calculator never points into this one.
  LoadoutRecords_t m_rowLoadout;
  TargetRecords_t m_rowTarget;

  // Scratch array of Recalculate, kept between calls only to reuse its
  // memory; it holds nothing once a recalculation has finished.
  std::vector<DamageResult_t> m_arrResultScratch;
};
