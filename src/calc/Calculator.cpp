#include "calc/Calculator.h"

#include <algorithm>

#include "VelkarTexts.h"
#include "calc/TextFormat.h"
#include "data/DataManager.h"

namespace {

constexpr uint32_t kColorBlack = 0x000000;
constexpr uint32_t kColorRed = 0xFF0000;
constexpr uint32_t kColorBlue = 0x0000FF;

// An index into a list of nCount entries, or none when it lies outside.
int SelectionIn(int nIndex, size_t nCount) {
  return nIndex >= 0 && static_cast<size_t>(nIndex) < nCount ? nIndex : NO_SELECTION;
}

template <typename T>
const T* SelectedIn(const std::vector<const T*>& arrList, int nSel) {
  return nSel == NO_SELECTION ? nullptr : arrList[static_cast<size_t>(nSel)];
}

}  // namespace

std::string ElementNames(int32_t nMask) {
  if (nMask == 0) return CDataManager::GetElementName(ELEMENT_NONE);
  std::string strNames;
  for (int i = 0; i < ELEMENT_COUNT; ++i) {
    if ((static_cast<uint32_t>(nMask) >> i) & 1U) strNames += CDataManager::GetElementName(i);
  }
  return strNames;
}

std::optional<uint32_t> ResultKindColor(int32_t nKind) {
  switch (nKind) {
    case RESULT_NORMAL: return kColorBlack;
    case RESULT_LOW: return kColorRed;
    case RESULT_HIGH: return kColorBlue;
    default: return std::nullopt;
  }
}

CCalculator::CCalculator(const CDataManager& store)
    : m_pStore(&store),
      m_strAttackText(txt::kAttackTextInitial),
      m_strElementText(txt::kElementTextInitial),
      m_strSharpnessText(txt::kSharpnessTextInitial) {}

CCalculator::~CCalculator() = default;

void CCalculator::UseStore(const CDataManager& store) {
  m_pStore = &store;
  LoadAll();
}

void CCalculator::LoadAll() {
  m_arrLevel.clear();
  m_nLevelSel = NO_SELECTION;
  m_arrHitPattern.clear();
  m_nHitPatternSel = NO_SELECTION;
  m_arrMonster.clear();
  m_nMonsterSel = NO_SELECTION;
  ForgetShownWeapon();
  m_arrChosen.clear();
  m_nChosenSel = NO_SELECTION;
  m_arrAvailable.clear();
  m_arrWeapon.clear();
  m_nWeaponSel = NO_SELECTION;
  m_arrCategory.clear();
  m_nCategorySel = NO_SELECTION;
  ListsChanged();

  // A missing monster file only shows as empty monster and level lists; a
  // category is listed when its data file gave weapons.
  for (int nCategory = 0; nCategory < CATEGORY_COUNT; ++nCategory) {
    if (m_pStore->GetWeaponList(nCategory) != nullptr) {
      m_arrCategory.push_back({nCategory, CDataManager::GetCategoryLabel(nCategory)});
    }
  }

  m_nCategorySel = SelectionIn(0, m_arrCategory.size());
  RunSelectCategory();
  SetUpResultColumns();
  FillMonstersAndLevels();
  Recalculate();
}

void CCalculator::SetUpResultColumns() {
  if (!m_arrColumn.empty()) return;  // a reload keeps the columns it has
  m_arrColumn = {{std::string(txt::kColumnRegion)},
                 {std::string(txt::kColumnPhysical)},
                 {std::string(txt::kColumnElement)},
                 {std::string(txt::kColumnDamage)}};
}

void CCalculator::FillMonstersAndLevels() {
  const CDataManager& store = *m_pStore;
  for (const auto& pMonster : store.GetMonsterList()) m_arrMonster.push_back(pMonster.get());
  m_nMonsterSel = SelectionIn(0, m_arrMonster.size());
  for (const auto& pLevel : store.GetLevelList()) m_arrLevel.push_back(pLevel.get());
  m_nLevelSel = SelectionIn(0, m_arrLevel.size());
  ListsChanged();
}

void CCalculator::SelectCategory(int nIndex) {
  m_nCategorySel = SelectionIn(nIndex, m_arrCategory.size());
  RunSelectCategory();
}

void CCalculator::RunSelectCategory() {
  if (m_nCategorySel == NO_SELECTION) return;
  EmptyCategoryLists();
  // No weapon is selected now: rows and status texts of the previous weapon
  // would belong to nothing on screen, so they go back to their initial state
  // until a weapon is picked.
  ForgetShownWeapon();
  FillCategoryLists(m_arrCategory[static_cast<size_t>(m_nCategorySel)].nCategory);
  Recalculate();
}

void CCalculator::ForgetShownWeapon() {
  ClearResultRows();
  m_strAttackText = txt::kAttackTextInitial;
  m_strElementText = txt::kElementTextInitial;
  m_strSharpnessText = txt::kSharpnessTextInitial;
}

void CCalculator::EmptyCategoryLists() {
  m_arrWeapon.clear();
  m_nWeaponSel = NO_SELECTION;
  m_arrHitPattern.clear();
  m_nHitPatternSel = NO_SELECTION;
  m_arrAvailable.clear();
  m_arrChosen.clear();
  m_nChosenSel = NO_SELECTION;
  ListsChanged();
}

void CCalculator::FillCategoryLists(int nCategory) {
  const CDataManager& store = *m_pStore;
  if (const auto* pWeapons = store.GetWeaponList(nCategory)) {
    for (const auto& pWeapon : *pWeapons) {
      if (!pWeapon) continue;
      m_arrWeapon.push_back(pWeapon.get());
      // Only the boxes' enabled state follows the category; a tick set
      // earlier stays and keeps counting.
      m_nRuleCategory = pWeapon->GetCategory();
    }
  }
  if (const auto* pPatterns = store.GetHitPatternList(nCategory)) {
    for (const auto& pPattern : *pPatterns) {
      if (pPattern) m_arrHitPattern.push_back(pPattern.get());
    }
    m_nHitPatternSel = SelectionIn(0, m_arrHitPattern.size());
  }
  if (const auto* pActions = store.GetActionList(nCategory)) {
    for (const auto& pAction : *pActions) {
      if (pAction) m_arrAvailable.push_back(pAction.get());
    }
  }
  ListsChanged();
}

void CCalculator::SelectWeapon(int nIndex) {
  m_nWeaponSel = SelectionIn(nIndex, m_arrWeapon.size());
  const CWeapon* pWeapon = GetSelectedWeapon();
  if (!pWeapon) return;
  SetWeaponTexts(*pWeapon);
  Recalculate();
}

void CCalculator::SetWeaponTexts(const CWeapon& weapon) {
  uint16_t wAttack = 0;
  uint16_t wElement = 0;
  int32_t nMask = 0;
  int32_t nSharpness = 0;
  weapon.GetStatus(wAttack, wElement, nMask, nSharpness);

  m_strAttackText = FormatText(txt::kAttackTextFormat, {wAttack});
  m_strElementText = FormatText(txt::kElementTextFormat, {ElementNames(nMask), wElement});
  m_nSharpness = std::clamp(nSharpness, SHARPNESS_MIN, SHARPNESS_MAX);
  // The text names the weapon's own value, so one outside 0..5 reads "Error"
  // while the calculation uses the held position.
  m_strSharpnessText =
      FormatText(txt::kSharpnessTextFormat, {CDataManager::GetSharpnessName(nSharpness)});
}

void CCalculator::SetSharpnessPosition(int nPosition) {
  m_nSharpness = std::clamp(nPosition, SHARPNESS_MIN, SHARPNESS_MAX);
}

void CCalculator::ReleaseSharpness(int nPosition) {
  SetSharpnessPosition(nPosition);
  if (m_nWeaponSel == NO_SELECTION) return;
  m_strSharpnessText =
      FormatText(txt::kSharpnessTextFormat, {CDataManager::GetSharpnessName(m_nSharpness)});
  Recalculate();
}

void CCalculator::SelectChosenMotion(int nIndex) {
  m_nChosenSel = SelectionIn(nIndex, m_arrChosen.size());
}

void CCalculator::AddChosenMotion(int nAvailableIndex) {
  if (SelectionIn(nAvailableIndex, m_arrAvailable.size()) == NO_SELECTION) return;
  m_arrChosen.push_back(m_arrAvailable[static_cast<size_t>(nAvailableIndex)]);
  ListsChanged();
  Recalculate();
}

void CCalculator::AddChosenMotions(std::span<const int> arrAvailableIndex) {
  for (const int nIndex : arrAvailableIndex) {
    if (SelectionIn(nIndex, m_arrAvailable.size()) == NO_SELECTION) continue;
    m_arrChosen.push_back(m_arrAvailable[static_cast<size_t>(nIndex)]);
  }
  ListsChanged();
  Recalculate();
}

void CCalculator::RemoveChosenMotion(int nChosenIndex) {
  if (SelectionIn(nChosenIndex, m_arrChosen.size()) == NO_SELECTION) return;
  m_arrChosen.erase(m_arrChosen.begin() + nChosenIndex);
  m_nChosenSel = NO_SELECTION;
  ListsChanged();
  Recalculate();
}

void CCalculator::ClearChosenMotions() {
  m_arrChosen.clear();
  m_nChosenSel = NO_SELECTION;
  ListsChanged();
  Recalculate();
}

void CCalculator::SelectMonster(int nIndex) {
  m_nMonsterSel = SelectionIn(nIndex, m_arrMonster.size());
  Recalculate();
}

void CCalculator::SelectLevel(int nIndex) {
  m_nLevelSel = SelectionIn(nIndex, m_arrLevel.size());
  Recalculate();
}

void CCalculator::SelectHitCorrection(int nIndex) {
  m_nHitPatternSel = SelectionIn(nIndex, m_arrHitPattern.size());
  Recalculate();
}

void CCalculator::SetAnger(bool bAnger) {
  m_bAnger = bAnger;
  Recalculate();
}

void CCalculator::SetModifier(int nControlId, bool bTicked) {
  const ModifierInfo_t* pInfo = FindModifier(nControlId);
  if (!pInfo) return;
  m_nTicks = ClickModifier(m_nTicks, *pInfo, bTicked);
  Recalculate();
}

uint32_t CCalculator::BuildModifierMask() const {
  return ModifierMaskOf(m_nTicks);
}

bool CCalculator::GetModifier(int nControlId) const {
  if (!FindModifier(nControlId)) return false;
  return ((m_nTicks >> (nControlId - kFirstModifierId)) & 1U) != 0;
}

bool CCalculator::IsModifierEnabled(int nControlId) const {
  const ModifierInfo_t* pInfo = FindModifier(nControlId);
  if (!pInfo) return false;
  return !m_nRuleCategory || pInfo->IsEnabledIn(*m_nRuleCategory);
}

void CCalculator::Recalculate() {
  const CWeapon* pWeapon = GetSelectedWeapon();
  if (!pWeapon || m_nMonsterSel == NO_SELECTION) return;  // the previous rows stay
  ClearResultRows();
  if (m_nHitPatternSel == NO_SELECTION || m_nLevelSel == NO_SELECTION) return;

  m_rowLoadout.pWeapon = pWeapon;
  m_rowLoadout.arrMotion.assign(m_arrChosen.begin(), m_arrChosen.end());
  m_rowLoadout.nSharpness = m_nSharpness;
  m_rowLoadout.pHitCorrection = GetSelectedHitCorrection();
  m_rowLoadout.nTicks = m_nTicks;
  m_rowTarget = {GetSelectedMonster(), GetSelectedLevel(), m_bAnger};

  if (EvaluateLoadout(m_rowLoadout, m_rowTarget, m_arrResultScratch)) {
    m_arrRow.reserve(m_arrResultScratch.size());
    for (const DamageResult_t& result : m_arrResultScratch) AppendResultRow(result);
  } else {
    m_rowLoadout.pWeapon = nullptr;
  }
  m_arrResultScratch.clear();
}

void CCalculator::ClearResultRows() {
  m_arrRow.clear();
  m_rowLoadout.pWeapon = nullptr;
  m_rowLoadout.arrMotion.clear();
}

std::optional<RowCalculation_t> CCalculator::GetRowCalculation() const {
  if (!m_rowLoadout.pWeapon) return std::nullopt;
  return RowCalculation_t{m_rowLoadout.pWeapon, RequestOf(m_rowLoadout, m_rowTarget)};
}

std::optional<CalcExplanation_t> CCalculator::Explain() const {
  const std::optional<RowCalculation_t> calculation = GetRowCalculation();
  if (!calculation) return std::nullopt;
  CalcExplanation_t explanation;
  if (!calculation->pWeapon->CalcDamage(&calculation->request, &explanation.arrRegion,
                                        &explanation.trace)) {
    return std::nullopt;
  }
  explanation.strWeapon = calculation->pWeapon->GetName();
  explanation.strMonster = calculation->request.pMonster->GetName();
  explanation.strLevel = calculation->request.pLevel->GetName();
  return explanation;
}

std::optional<CalcExplanation_t> CCalculator::ExplainRow(int nRow) const {
  if (SelectionIn(nRow, m_arrRow.size()) == NO_SELECTION) return std::nullopt;
  std::optional<CalcExplanation_t> explanation = Explain();
  if (!explanation || SelectionIn(nRow, explanation->arrRegion.size()) == NO_SELECTION) {
    return std::nullopt;
  }
  std::vector<DamageResult_t>& arrRegion = explanation->arrRegion;
  arrRegion = {arrRegion[static_cast<size_t>(nRow)]};
  std::vector<HitTrace_t>& arrHit = explanation->trace.arrHit;
  std::erase_if(arrHit, [nRow](const HitTrace_t& hit) { return hit.nRegion != nRow; });
  for (HitTrace_t& hit : arrHit) hit.nRegion = 0;
  return explanation;
}

void CCalculator::AppendResultRow(const DamageResult_t& result) {
  ResultRow_t& row = m_arrRow.emplace_back();
  row.arrCell[0] = result.strName;
  row.arrCell[1] = FormatText("%d%%", {result.byPhys});
  row.arrCell[2] = FormatText("%d%%", {result.byElement});
  row.arrCell[3] = FormatText("%d", {result.nDamage});
  row.byPhys = result.byPhys;
  row.byElement = result.byElement;
  row.nDamage = result.nDamage;
  row.nKind = result.nKind;
}

const CWeapon* CCalculator::GetSelectedWeapon() const {
  return SelectedIn(m_arrWeapon, m_nWeaponSel);
}

std::optional<int> CCalculator::GetOwnSharpness() const {
  const CWeapon* pWeapon = GetSelectedWeapon();
  uint16_t wAttack = 0;
  uint16_t wElement = 0;
  int32_t nMask = 0;
  int32_t nSharpness = 0;
  if (pWeapon == nullptr || !pWeapon->GetStatus(wAttack, wElement, nMask, nSharpness)) {
    return std::nullopt;
  }
  return nSharpness;
}

const CMonster* CCalculator::GetSelectedMonster() const {
  return SelectedIn(m_arrMonster, m_nMonsterSel);
}

const CLevel* CCalculator::GetSelectedLevel() const {
  return SelectedIn(m_arrLevel, m_nLevelSel);
}

const CHitPattern* CCalculator::GetSelectedHitCorrection() const {
  return SelectedIn(m_arrHitPattern, m_nHitPatternSel);
}
