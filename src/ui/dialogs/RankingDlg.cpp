#include "dialogs/RankingDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>
#include <optional>
#include <utility>

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "data/DataManager.h"
#include "model/GameEnums.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"

namespace {

// The background of the best weapon's row; its rank cell says it in words too.
const QColor kBestBackground(255, 236, 160);

// The core's column behind each column of the list but the damage, which is
// the total or the region.
constexpr std::array<eWEAPON_COLUMN, CRankingDlg::COLUMN_DAMAGE> kCoreColumn = {
    eWEAPON_COLUMN::Rank,    eWEAPON_COLUMN::Weapon,       eWEAPON_COLUMN::Attack,
    eWEAPON_COLUMN::Element, eWEAPON_COLUMN::ElementValue, eWEAPON_COLUMN::Sharpness};

bool IsNumberColumn(int nColumn) {
  return nColumn == CRankingDlg::COLUMN_RANK || nColumn == CRankingDlg::COLUMN_ATTACK ||
         nColumn == CRankingDlg::COLUMN_ELEMENT_VALUE || nColumn == CRankingDlg::COLUMN_DAMAGE;
}

int64_t ShownDamage(const RankedWeapon_t& row, std::optional<size_t> nRegion) {
  if (!nRegion) return row.nTotal;
  return *nRegion < row.arrDamage.size() ? row.arrDamage[*nRegion] : 0;
}

}  // namespace

CRankingDlg::CRankingDlg(RankingSource_t source, QWidget* pParent)
    : QDialog(pParent), m_source(std::move(source)) {
  setObjectName(QStringLiteral("rankingDlg"));
  setWindowTitle(FromSjis(txt::kRankingCaption));
  setFont(MakeDialogFont());
  setModal(false);

  m_pList = new QTreeWidget(this);
  m_pList->setObjectName(QStringLiteral("rankingList"));
  m_pList->setRootIsDecorated(false);
  m_pList->setUniformRowHeights(true);
  m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
  m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_pList->setColumnCount(COLUMN_COUNT);
  m_pList->header()->setStretchLastSection(false);
  m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_pList->header()->setSectionsClickable(true);
  m_pList->header()->setSortIndicatorShown(true);
  // As wide as its columns, so that the window opens showing every name whole.
  m_pList->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

  m_pNote = new QLabel(this);
  m_pNote->setObjectName(QStringLiteral("rankingNote"));
  m_pNote->setWordWrap(true);

  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(CreateFilters());
  pLayout->addWidget(m_pList, 1);
  pLayout->addWidget(m_pNote);

  connect(m_pList->header(), &QHeaderView::sectionClicked, this, &CRankingDlg::SortBy);
  // Double-click or Enter, as the platform activates an entry.
  connect(m_pList, &QTreeWidget::activated, this,
          [this](const QModelIndex& index) { ActivateRow(index.row()); });
}

CRankingDlg::~CRankingDlg() = default;

QWidget* CRankingDlg::CreateFilters() {
  auto* pFilters = new QWidget(this);
  m_pOrder = new QComboBox(pFilters);
  m_pOrder->setObjectName(QStringLiteral("rankingOrder"));
  m_pOrder->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_pElement = new QComboBox(pFilters);
  m_pElement->setObjectName(QStringLiteral("rankingElement"));
  m_pElement->addItem(FromSjis(txt::kTableAllElements));
  for (int nElement = 0; nElement < ELEMENT_COUNT; ++nElement) {
    m_pElement->addItem(FromSjis(CDataManager::GetElementName(nElement)));
  }
  m_pName = new QLineEdit(pFilters);
  m_pName->setObjectName(QStringLiteral("rankingName"));
  m_pName->setPlaceholderText(FromSjis(txt::kTableNameFilterHint));
  m_pName->setClearButtonEnabled(true);
  m_pSameSharpness = new QCheckBox(pFilters);
  m_pSameSharpness->setObjectName(QStringLiteral("rankingSameSharpness"));

  auto* pGrid = new QGridLayout(pFilters);
  pGrid->setContentsMargins(0, 0, 0, 0);
  const auto AddRow = [&](int nRow, std::string_view strLabel, QWidget* pField) {
    auto* pLabel = new QLabel(FromSjis(strLabel), pFilters);
    pLabel->setBuddy(pField);
    pGrid->addWidget(pLabel, nRow, 0);
    pGrid->addWidget(pField, nRow, 1);
  };
  AddRow(0, txt::kTableDamageLabel, m_pOrder);
  AddRow(1, txt::kTableElementFilterLabel, m_pElement);
  AddRow(2, txt::kTableNameFilterLabel, m_pName);
  pGrid->addWidget(m_pSameSharpness, 3, 0, 1, 2);
  pGrid->setColumnStretch(1, 1);

  connect(m_pOrder, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(m_pElement, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(m_pName, &QLineEdit::textChanged, this, [this] { Refresh(); });
  connect(m_pSameSharpness, &QCheckBox::toggled, this, [this] { Refresh(); });
  return pFilters;
}

void CRankingDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  Refresh();
  // Wide enough for every column once the table is filled.
  resize(size().expandedTo(sizeHint()));
}

void CRankingDlg::SortBy(int nColumn) {
  if (nColumn < 0 || nColumn >= COLUMN_COUNT) return;
  const auto eColumn = static_cast<eCOLUMN>(nColumn);
  m_bReverse = eColumn == m_eSort && !m_bReverse;
  m_eSort = eColumn;
  Refresh();
}

WeaponTableRequest_t CRankingDlg::MakeRequest(const CCalculator& calculator) const {
  WeaponTableRequest_t request;
  const int nOrder = m_pOrder->currentIndex();
  if (nOrder > 0) request.nRegion = static_cast<size_t>(nOrder - 1);
  if (m_pSameSharpness->isChecked()) request.nSharpness = calculator.GetSharpnessPosition();
  if (m_pElement->currentIndex() > 0) request.nElement = m_pElement->currentIndex() - 1;
  request.strName = ToSjis(m_pName->text());
  request.bReverse = m_bReverse;
  if (m_eSort == COLUMN_DAMAGE) {
    request.eSort = request.nRegion ? eWEAPON_COLUMN::Region : eWEAPON_COLUMN::Total;
  } else {
    request.eSort = kCoreColumn[static_cast<size_t>(m_eSort)];
  }
  return request;
}

void CRankingDlg::Refresh() {
  if (!isVisible()) return;
  const CCalculator* pCalculator = m_source.fnCalculation ? m_source.fnCalculation() : nullptr;
  if (pCalculator == nullptr) return;
  FillRegions(*pCalculator);
  const int nSharpness = pCalculator->GetSharpnessPosition();
  m_pSameSharpness->setText(FromSjis(txt::kRankingSameSharpness)
                                .arg(FromSjis(CDataManager::GetSharpnessName(nSharpness))));
  const bool bComputable = pCalculator->GetSelectedMonster() != nullptr &&
                           pCalculator->GetSelectedLevel() != nullptr &&
                           pCalculator->GetSelectedHitCorrection() != nullptr;
  m_pNote->setText(bComputable ? FromSjis(txt::kRankingHint) + FromSjis(txt::kTableSortHint)
                               : FromSjis(txt::kRankingUnavailable));
  WeaponTable_t table;
  table.request = MakeRequest(*pCalculator);
  m_nRankedSharpness = table.request.nSharpness;
  if (bComputable) table = BuildWeaponTable(*pCalculator, table.request);
  FillTable(table, pCalculator->GetWeaponSelection());
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

void CRankingDlg::FillTable(const WeaponTable_t& table, int nSelectedWeapon) {
  const std::optional<size_t> nRegion = table.request.nRegion;
  m_pList->setHeaderLabels(
      {FromSjis(txt::kRankingRankHeader), FromSjis(txt::kRankingWeaponHeader),
       FromSjis(txt::kTableAttackHeader), FromSjis(txt::kTableElementHeader),
       FromSjis(txt::kTableElementValueHeader), FromSjis(txt::kRankingSharpnessHeader),
       nRegion ? m_pOrder->currentText() : FromSjis(txt::kRankingTotalHeader)});
  {
    const QSignalBlocker headerBlocker(m_pList->header());
    m_pList->header()->setSortIndicator(
        m_eSort, ListsAscending(table.request) ? Qt::AscendingOrder : Qt::DescendingOrder);
  }

  const QSignalBlocker blocker(m_pList);
  m_pList->clear();
  m_arrWeaponOfRow.clear();
  QTreeWidgetItem* pSelected = nullptr;
  for (const RankedWeapon_t& row : table.arrRow) {
    auto* pItem = new QTreeWidgetItem(m_pList);
    const int64_t nDamage = ShownDamage(row, nRegion);
    // Every weapon ties at rank 1 while nothing is dealt: none is the best.
    const bool bBest = row.nRank == 1 && nDamage > 0;
    const QString strRank = QString::number(row.nRank);
    pItem->setText(COLUMN_RANK, bBest ? FromSjis(txt::kTableBestMark).arg(strRank) : strRank);
    pItem->setText(COLUMN_WEAPON, FromSjis(row.strName));
    pItem->setText(COLUMN_ATTACK, QString::number(row.wAttack));
    pItem->setText(COLUMN_ELEMENT, FromSjis(row.strElement));
    pItem->setText(COLUMN_ELEMENT_VALUE, QString::number(row.wElement));
    pItem->setText(COLUMN_SHARPNESS, FromSjis(CDataManager::GetSharpnessName(row.nSharpness)));
    pItem->setText(COLUMN_DAMAGE, QString::number(nDamage));
    for (int nColumn = 0; nColumn < COLUMN_COUNT; ++nColumn) {
      if (IsNumberColumn(nColumn))
        pItem->setTextAlignment(nColumn, Qt::AlignRight | Qt::AlignVCenter);
      if (bBest) pItem->setBackground(nColumn, kBestBackground);
    }
    m_arrWeaponOfRow.push_back(row.nWeapon);
    if (row.nWeapon == nSelectedWeapon) pSelected = pItem;
  }
  // The main window's weapon stays marked, so the table shows where it stands.
  if (pSelected != nullptr) m_pList->setCurrentItem(pSelected);
}

void CRankingDlg::ActivateRow(int nRow) {
  if (nRow < 0 || static_cast<size_t>(nRow) >= m_arrWeaponOfRow.size()) return;
  if (m_source.fnSelectWeapon) {
    m_source.fnSelectWeapon(m_arrWeaponOfRow[static_cast<size_t>(nRow)], m_nRankedSharpness);
  }
}
