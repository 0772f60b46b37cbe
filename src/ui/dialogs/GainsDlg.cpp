#include "dialogs/GainsDlg.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/GainText.h"
#include "data/DataManager.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"

namespace {

QTreeWidgetItem* AddLine(QTreeWidget* pList, const QString& strChoice, const QString& strEffect,
                         int64_t nTotal) {
  auto* pItem = new QTreeWidgetItem(pList);
  pItem->setText(CGainsDlg::COLUMN_CHOICE, strChoice);
  pItem->setText(CGainsDlg::COLUMN_EFFECT, strEffect);
  pItem->setText(CGainsDlg::COLUMN_TOTAL, FromSjis(GainChangeText(nTotal)));
  pItem->setTextAlignment(CGainsDlg::COLUMN_TOTAL, Qt::AlignRight | Qt::AlignVCenter);
  return pItem;
}

}  // namespace

CGainsDlg::CGainsDlg(std::function<const CCalculator*()> fnCalculation, QWidget* pParent)
    : QDialog(pParent), m_fnCalculation(std::move(fnCalculation)) {
  setObjectName(QStringLiteral("gainsDlg"));
  setWindowTitle(FromSjis(txt::kGainsCaption));
  setFont(MakeDialogFont());
  setModal(false);

  m_pHeading = new QLabel(this);
  m_pHeading->setObjectName(QStringLiteral("gainsHeading"));
  m_pHeading->setTextFormat(Qt::PlainText);
  m_pHeading->setWordWrap(true);
  m_pList = new QTreeWidget(this);
  m_pList->setObjectName(QStringLiteral("gainsList"));
  m_pList->setRootIsDecorated(false);
  m_pList->setUniformRowHeights(true);
  m_pList->setSelectionMode(QAbstractItemView::NoSelection);
  m_pList->setHeaderLabels({FromSjis(txt::kGainsChoiceHeader), FromSjis(txt::kGainsEffectHeader),
                            FromSjis(txt::kGainsTotalHeader)});
  m_pList->header()->setStretchLastSection(false);
  m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_pList->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(m_pHeading);
  pLayout->addWidget(m_pList, 1);
}

CGainsDlg::~CGainsDlg() = default;

void CGainsDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  Refresh();
  resize(size().expandedTo(sizeHint()));
}

void CGainsDlg::Refresh() {
  if (!isVisible()) return;
  const CCalculator* pCalculator = m_fnCalculation ? m_fnCalculation() : nullptr;
  const std::optional<GainTable_t> table =
      pCalculator != nullptr ? ComputeGains(*pCalculator) : std::nullopt;
  m_pList->clear();
  if (!table) {
    m_pHeading->setText(FromSjis(txt::kGainTipNothing));
    return;
  }
  m_pHeading->setText(FromSjis(txt::kGainsHeading)
                          .arg(FromSjis(table->strWeapon), FromSjis(table->strMonster),
                               QString::number(table->nTotal)));
  // The level on show changes nothing; it stands where a change of 0 would.
  bool bCurrentShown = false;
  const auto AddCurrentSharpness = [&] {
    const int nSharpness = pCalculator->GetSharpnessPosition();
    AddLine(m_pList,
            FromSjis(txt::kGainsCurrentSharpness)
                .arg(FromSjis(CDataManager::GetSharpnessName(nSharpness))),
            QString(), 0);
    bCurrentShown = true;
  };
  for (const Gain_t& gain : table->arrGain) {
    if (!bCurrentShown && gain.nTotal < 0) AddCurrentSharpness();
    const bool bModifier = gain.eKind == eGAIN_KIND::Modifier;
    QTreeWidgetItem* pItem = AddLine(
        m_pList, FromSjis(GainChoiceText(gain)),
        bModifier ? FromSjis(ModifierEffectText(*FindModifier(gain.nControlId))) : QString(),
        gain.nTotal);
    pItem->setDisabled(!gain.bEnabled);
  }
  if (!bCurrentShown) AddCurrentSharpness();
}
