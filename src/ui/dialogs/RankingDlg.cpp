#include "dialogs/RankingDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "text/SjisText.h"

CRankingDlg::CRankingDlg(RankingSource_t source, QWidget* pParent)
    : QDialog(pParent), m_source(std::move(source)) {
  setObjectName(QStringLiteral("rankingDlg"));
  setWindowTitle(FromSjis(txt::kRankingCaption));
  setModal(false);

  m_pOrder = new QComboBox(this);
  m_pOrder->setObjectName(QStringLiteral("rankingOrder"));
  auto* pOrderLabel = new QLabel(FromSjis(txt::kRankingByLabel), this);
  pOrderLabel->setBuddy(m_pOrder);
  auto* pOrderRow = new QHBoxLayout;
  pOrderRow->addWidget(pOrderLabel);
  pOrderRow->addWidget(m_pOrder, 1);

  m_pSameSharpness = new QCheckBox(this);
  m_pSameSharpness->setObjectName(QStringLiteral("rankingSameSharpness"));

  m_pList = new QTreeWidget(this);
  m_pList->setObjectName(QStringLiteral("rankingList"));
  m_pList->setRootIsDecorated(false);
  m_pList->setUniformRowHeights(true);
  m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
  m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_pList->setHeaderLabels({FromSjis(txt::kRankingRankHeader), FromSjis(txt::kRankingWeaponHeader),
                            FromSjis(txt::kRankingSharpnessHeader),
                            FromSjis(txt::kRankingTotalHeader), QString()});
  m_pList->header()->setStretchLastSection(false);
  m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_pList->header()->setSectionResizeMode(COLUMN_WEAPON, QHeaderView::Stretch);

  m_pNote = new QLabel(this);
  m_pNote->setObjectName(QStringLiteral("rankingNote"));
  m_pNote->setWordWrap(true);

  auto* pLayout = new QVBoxLayout(this);
  pLayout->addLayout(pOrderRow);
  pLayout->addWidget(m_pSameSharpness);
  pLayout->addWidget(m_pList, 1);
  pLayout->addWidget(m_pNote);
  resize(380, 360);

  connect(m_pOrder, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(m_pSameSharpness, &QCheckBox::toggled, this, [this] { Refresh(); });
  // Double-click or Enter, as the platform activates an entry.
  connect(m_pList, &QTreeWidget::activated, this,
          [this](const QModelIndex& index) { ActivateRow(index.row()); });
}

CRankingDlg::~CRankingDlg() = default;

void CRankingDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  Refresh();
}

void CRankingDlg::Refresh() {
  if (!isVisible()) return;
  const CCalculator* pCalculator = m_source.fnCalculation ? m_source.fnCalculation() : nullptr;
  if (pCalculator == nullptr) return;
  FillRegions(*pCalculator);
  const int nSharpness = pCalculator->GetSharpnessPosition();
  m_pSameSharpness->setText(FromSjis(txt::kRankingSameSharpness)
                                .arg(FromSjis(CDataManager::GetSharpnessName(nSharpness))));
  m_nRankedSharpness =
      m_pSameSharpness->isChecked() ? std::optional<int>(nSharpness) : std::nullopt;
  const bool bComputable = pCalculator->GetSelectedMonster() != nullptr &&
                           pCalculator->GetSelectedLevel() != nullptr &&
                           pCalculator->GetSelectedHitCorrection() != nullptr;
  m_pNote->setText(FromSjis(bComputable ? txt::kRankingHint : txt::kRankingUnavailable));
  if (!bComputable) {
    FillRanking({}, NO_SELECTION);
    return;
  }
  const int nOrder = m_pOrder->currentIndex();
  const std::optional<size_t> nRegion =
      nOrder > 0 ? std::optional<size_t>(static_cast<size_t>(nOrder - 1)) : std::nullopt;
  FillRanking(RankWeaponsOf(*pCalculator, nRegion, m_nRankedSharpness),
              pCalculator->GetWeaponSelection());
}

void CRankingDlg::FillRegions(const CCalculator& calculator) {
  std::vector<std::string> arrRegion = RegionNames(calculator);
  if (arrRegion == m_arrRegion && m_pOrder->count() > 0) return;
  // Another monster: the same region is kept by name when it has one.
  const int nOrder = m_pOrder->currentIndex();
  const std::string strKept =
      nOrder > 0 ? m_arrRegion[static_cast<size_t>(nOrder - 1)] : std::string();
  const QSignalBlocker blocker(m_pOrder);
  m_pOrder->clear();
  m_pOrder->addItem(FromSjis(txt::kRankingByTotal));
  int nKept = 0;
  for (size_t i = 0; i < arrRegion.size(); ++i) {
    m_pOrder->addItem(FromSjis(arrRegion[i]));
    if (nKept == 0 && !strKept.empty() && arrRegion[i] == strKept) nKept = static_cast<int>(i + 1);
  }
  m_pOrder->setCurrentIndex(nKept);
  m_arrRegion = std::move(arrRegion);
}

void CRankingDlg::FillRanking(const std::vector<RankedWeapon_t>& arrRanked, int nSelectedWeapon) {
  const int nOrder = m_pOrder->currentIndex();
  const bool bRegion = nOrder > 0;
  m_pList->setColumnHidden(COLUMN_REGION, !bRegion);
  if (bRegion) m_pList->headerItem()->setText(COLUMN_REGION, m_pOrder->currentText());

  const QSignalBlocker blocker(m_pList);
  m_pList->clear();
  m_arrWeaponOfRow.clear();
  QTreeWidgetItem* pSelected = nullptr;
  for (const RankedWeapon_t& ranked : arrRanked) {
    auto* pItem = new QTreeWidgetItem(m_pList);
    pItem->setText(COLUMN_RANK, QString::number(ranked.nRank));
    pItem->setText(COLUMN_WEAPON, FromSjis(ranked.strName));
    pItem->setText(COLUMN_SHARPNESS, FromSjis(CDataManager::GetSharpnessName(ranked.nSharpness)));
    pItem->setText(COLUMN_TOTAL, QString::number(ranked.nTotal));
    const auto nRegion = static_cast<size_t>(nOrder - 1);
    if (bRegion && nRegion < ranked.arrDamage.size()) {
      pItem->setText(COLUMN_REGION, QString::number(ranked.arrDamage[nRegion]));
    }
    for (int nColumn : {COLUMN_RANK, COLUMN_TOTAL, COLUMN_REGION}) {
      pItem->setTextAlignment(nColumn, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_arrWeaponOfRow.push_back(ranked.nWeapon);
    if (ranked.nWeapon == nSelectedWeapon) pSelected = pItem;
  }
  // The main window's weapon stays marked, so the list shows where it stands.
  if (pSelected != nullptr) m_pList->setCurrentItem(pSelected);
}

void CRankingDlg::ActivateRow(int nRow) {
  if (nRow < 0 || static_cast<size_t>(nRow) >= m_arrWeaponOfRow.size()) return;
  if (m_source.fnSelectWeapon) {
    m_source.fnSelectWeapon(m_arrWeaponOfRow[static_cast<size_t>(nRow)], m_nRankedSharpness);
  }
}
