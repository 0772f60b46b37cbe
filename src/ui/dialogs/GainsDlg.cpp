#include "dialogs/GainsDlg.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "calc/GainTable.h"
#include "calc/GainText.h"
#include "data/DataManager.h"
#include "dialogs/ChartDlg.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"
#include "widgets/RegionChooser.h"

namespace {

QTreeWidgetItem* AddLine(QTreeWidget* pList, const QString& strChoice, const QString& strEffect,
                         int64_t nTotal, int64_t nRegion) {
  auto* pItem = new QTreeWidgetItem(pList);
  pItem->setText(CGainsDlg::COLUMN_CHOICE, strChoice);
  pItem->setText(CGainsDlg::COLUMN_EFFECT, strEffect);
  for (const auto& [nColumn, nChange] :
       {std::pair{CGainsDlg::COLUMN_TOTAL, nTotal}, std::pair{CGainsDlg::COLUMN_REGION, nRegion}}) {
    pItem->setText(nColumn, FromSjis(GainChangeText(nChange)));
    pItem->setTextAlignment(nColumn, Qt::AlignRight | Qt::AlignVCenter);
  }
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
                            FromSjis(txt::kGainsTotalHeader), QString()});
  m_pList->header()->setStretchLastSection(false);
  m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_pList->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

  m_pRegion = new QComboBox(this);
  m_pRegion->setObjectName(QStringLiteral("gainsRegion"));
  m_pRegion->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(m_pRegion, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });

  auto* pOrder = new QFormLayout;
  pOrder->addRow(FromSjis(txt::kTableDamageLabel), m_pRegion);
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(m_pHeading);
  pLayout->addLayout(pOrder);
  pLayout->addWidget(m_pList, 1);
  auto* pChart = new QPushButton(FromSjis(txt::kChartMenuEntry), this);
  pChart->setObjectName(QStringLiteral("gainsChart"));
  pChart->setAutoDefault(false);
  pLayout->addWidget(pChart, 0, Qt::AlignRight);
  connect(pChart, &QPushButton::clicked, this, &CGainsDlg::OpenChart);
}

CGainsDlg::~CGainsDlg() = default;

void CGainsDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  Refresh();
  resize(size().expandedTo(sizeHint()));
}

std::optional<size_t> CGainsDlg::FillRegions(const CCalculator& calculator) {
  QStringList arrRegion;
  for (const ResultRow_t& row : calculator.GetResultRows())
    arrRegion.append(FromSjis(row.arrCell[0]));
  return FillRegionChooser(*m_pRegion, arrRegion);
}

void CGainsDlg::OpenChart() {
  if (m_pChart == nullptr) m_pChart = new CChartDlg(m_fnCalculation, nullptr, this);
  m_pChart->Open(eCHART_KIND::Gains,
                 m_pRegion->currentIndex() > 0 ? m_pRegion->currentText() : QString(), *this);
}

void CGainsDlg::Refresh() {
  if (m_pChart != nullptr) m_pChart->Refresh();
  if (!isVisible()) return;
  const CCalculator* pCalculator = m_fnCalculation ? m_fnCalculation() : nullptr;
  const std::optional<size_t> nRegion =
      pCalculator != nullptr ? FillRegions(*pCalculator) : std::nullopt;
  const std::optional<GainTable_t> table =
      pCalculator != nullptr ? ComputeGains(*pCalculator, nRegion) : std::nullopt;
  m_pList->clear();
  m_pRegion->setEnabled(table.has_value());
  if (!table) {
    m_pHeading->setText(FromSjis(txt::kGainTipNothing));
    return;
  }
  m_pHeading->setText(FromSjis(txt::kGainsHeading)
                          .arg(FromSjis(table->strWeapon), FromSjis(table->strMonster),
                               QString::number(table->nTotal)));
  m_pList->headerItem()->setText(COLUMN_REGION, nRegion ? m_pRegion->currentText() : QString());
  m_pList->setColumnHidden(COLUMN_REGION, !nRegion);
  const auto Sorted = [&](const Gain_t& gain) {
    return nRegion ? gain.arrDamage[*nRegion] : gain.nTotal;
  };
  // The level on show changes nothing; it stands where a change of 0 would,
  // before the losses and the boxes that cannot be clicked.
  bool bCurrentShown = false;
  const auto AddCurrentSharpness = [&] {
    const int nSharpness = pCalculator->GetSharpnessPosition();
    AddLine(m_pList,
            FromSjis(txt::kGainsCurrentSharpness)
                .arg(FromSjis(CDataManager::GetSharpnessName(nSharpness))),
            QString(), 0, 0);
    bCurrentShown = true;
  };
  for (const Gain_t& gain : table->arrGain) {
    if (!bCurrentShown && (Sorted(gain) < 0 || !gain.bEnabled)) AddCurrentSharpness();
    const bool bModifier = gain.eKind == eGAIN_KIND::Modifier;
    QTreeWidgetItem* pItem = AddLine(
        m_pList, FromSjis(GainChoiceText(gain)),
        bModifier ? FromSjis(ModifierEffectText(*FindModifier(gain.nControlId))) : QString(),
        gain.nTotal, Sorted(gain));
    pItem->setDisabled(!gain.bEnabled);
  }
  if (!bCurrentShown) AddCurrentSharpness();
}
