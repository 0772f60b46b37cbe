#include "CalculatorMirror.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <optional>

#include "calc/Calculator.h"
#include "calc/RateText.h"
#include "text/SjisText.h"
#include "widgets/SharpnessSlider.h"
#include "widgets/WeaponListBox.h"

namespace {

template <class Record>
void FillWithNames(QComboBox* pCombo, const std::vector<const Record*>& arrRecord) {
  pCombo->clear();
  for (const Record* pRecord : arrRecord) pCombo->addItem(FromSjis(pRecord->GetName()));
}

// Each record's entry as fnText words it (its name with its rate).
template <class Record, class TextOf>
void FillWithTexts(QComboBox* pCombo, const std::vector<const Record*>& arrRecord, TextOf fnText) {
  pCombo->clear();
  for (const Record* pRecord : arrRecord) pCombo->addItem(FromSjis(fnText(*pRecord)));
}

template <class Record>
void FillWithNames(QListWidget* pList, const std::vector<const Record*>& arrRecord) {
  pList->clear();
  // All rows in one insertion: a list of thousands of motions fills at once.
  QStringList arrName;
  arrName.reserve(static_cast<qsizetype>(arrRecord.size()));
  for (const Record* pRecord : arrRecord) arrName.append(FromSjis(pRecord->GetName()));
  pList->addItems(arrName);
}

}  // namespace

void CCalculatorMirror::Show(bool bRefill) {
  if (bRefill || m_calculator.GetListRevision() != m_nShownRevision) {
    RefillLists(bRefill);
    m_nShownRevision = m_calculator.GetListRevision();
  }
  ShowSelections();
  ShowTextsAndFlags();
}

void CCalculatorMirror::RefillLists(bool bRefill) {
  std::vector<int> arrCategory;
  for (const CategoryEntry_t& entry : m_calculator.GetCategories()) {
    arrCategory.push_back(entry.nCategory);
  }
  if (bRefill || arrCategory != m_arrShownCategory) {
    const QSignalBlocker blocker(m_controls.pCategory);
    m_controls.pCategory->clear();
    for (const CategoryEntry_t& entry : m_calculator.GetCategories()) {
      m_controls.pCategory->addItem(FromSjis(entry.strLabel));
    }
    m_arrShownCategory = arrCategory;
  }
  if (bRefill || m_calculator.GetWeapons() != m_arrShownWeapon) {
    const QSignalBlocker blocker(m_controls.pWeapons);
    m_controls.pWeapons->clear();
    for (const CWeapon* pWeapon : m_calculator.GetWeapons()) {
      m_controls.pWeapons->AddWeapon(*pWeapon);
    }
    m_arrShownWeapon = m_calculator.GetWeapons();
  }
  if (bRefill || m_calculator.GetAvailableMotions() != m_arrShownAvailable) {
    FillWithNames(m_controls.pAvailable, m_calculator.GetAvailableMotions());
    m_arrShownAvailable = m_calculator.GetAvailableMotions();
  }
  if (bRefill || m_calculator.GetChosenMotions() != m_arrShownChosen) {
    const QSignalBlocker blocker(m_controls.pChosen);
    FillWithNames(m_controls.pChosen, m_calculator.GetChosenMotions());
    m_arrShownChosen = m_calculator.GetChosenMotions();
  }
  if (bRefill || m_calculator.GetMonsters() != m_arrShownMonster) {
    const QSignalBlocker blocker(m_controls.pMonster);
    FillWithNames(m_controls.pMonster, m_calculator.GetMonsters());
    m_arrShownMonster = m_calculator.GetMonsters();
  }
  if (bRefill || m_calculator.GetLevels() != m_arrShownLevel) {
    const QSignalBlocker blocker(m_controls.pLevel);
    FillWithTexts(m_controls.pLevel, m_calculator.GetLevels(), LevelEntryText);
    m_arrShownLevel = m_calculator.GetLevels();
  }
  if (bRefill || m_calculator.GetHitCorrections() != m_arrShownHitCorrection) {
    const QSignalBlocker blocker(m_controls.pHitCorrection);
    FillWithTexts(m_controls.pHitCorrection, m_calculator.GetHitCorrections(),
                  HitCorrectionEntryText);
    m_arrShownHitCorrection = m_calculator.GetHitCorrections();
  }
}

void CCalculatorMirror::ShowSelections() {
  const QSignalBlocker categoryBlocker(m_controls.pCategory);
  m_controls.pCategory->setCurrentIndex(m_calculator.GetCategorySelection());
  const QSignalBlocker weaponBlocker(m_controls.pWeapons);
  m_controls.pWeapons->setCurrentRow(m_calculator.GetWeaponSelection());
  const QSignalBlocker chosenBlocker(m_controls.pChosen);
  m_controls.pChosen->setCurrentRow(m_calculator.GetChosenMotionSelection());
  const QSignalBlocker monsterBlocker(m_controls.pMonster);
  m_controls.pMonster->setCurrentIndex(m_calculator.GetMonsterSelection());
  const QSignalBlocker levelBlocker(m_controls.pLevel);
  m_controls.pLevel->setCurrentIndex(m_calculator.GetLevelSelection());
  const QSignalBlocker hitBlocker(m_controls.pHitCorrection);
  m_controls.pHitCorrection->setCurrentIndex(m_calculator.GetHitCorrectionSelection());
}

void CCalculatorMirror::ShowTextsAndFlags() {
  m_controls.pAttackText->setText(FromSjis(m_calculator.GetAttackText()));
  m_controls.pElementText->setText(FromSjis(m_calculator.GetElementText()));
  m_controls.pSharpnessText->setText(FromSjis(m_calculator.GetSharpnessText()));
  {
    const QSignalBlocker blocker(m_controls.pSharpness);
    m_controls.pSharpness->setRange(m_calculator.GetSharpnessMin(), m_calculator.GetSharpnessMax());
    m_controls.pSharpness->setValue(m_calculator.GetSharpnessPosition());
  }
  m_controls.pSharpness->SetOwnSharpness(m_calculator.GetOwnSharpness());
  m_controls.pAnger->setChecked(m_calculator.GetAnger());
  for (int nId = CCalculator::kFirstModifierId; nId <= CCalculator::kLastModifierId; ++nId) {
    QCheckBox* pCheck =
        m_controls.arrModifier[static_cast<size_t>(nId - CCalculator::kFirstModifierId)];
    pCheck->setChecked(m_calculator.GetModifier(nId));
    pCheck->setEnabled(m_calculator.IsModifierEnabled(nId));
  }
}
