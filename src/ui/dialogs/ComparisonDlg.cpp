#include "dialogs/ComparisonDlg.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionHeader>
#include <QTableWidget>
#include <algorithm>
#include <utility>
#include "dialogs/ChartDlg.h"
#include "dialogs/VelkarMessage.h"
#include "text/ClipboardCode.h"

#include "VelkarTexts.h"
#include "calc/Calculator.h"
#include "calc/RowComparison.h"
#include "data/DataManager.h"
#include "platform/TextEscape.h"
#include "setup/BuildCode.h"
#include "setup/Loadout.h"
#include "setup/SetupMissText.h"
#include "setup/SetupStore.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"

namespace {

QPushButton* AddButton(QDialog* pDialog, const char* pszName, std::string_view strCaption) {
  auto* pButton = new QPushButton(FromSjis(strCaption), pDialog);
  pButton->setObjectName(QString::fromLatin1(pszName));
  pButton->setAutoDefault(false);
  return pButton;
}

QString DamageText(const std::optional<int64_t>& nDamage) {
  return nDamage ? QString::number(*nDamage) : FromSjis(FormatDifference(std::nullopt));
}

// A cell: the damage, and for every loadout after the first its difference;
// the row's best is marked in words, not by colour alone.
QString CellText(const LoadoutComparison_t& comparison, size_t nLoadout, size_t nRow) {
  QString strDamage = DamageText(comparison.Damage(nLoadout, nRow));
  if (comparison.IsBest(nLoadout, nRow)) strDamage = FromSjis(txt::kTableBestMark).arg(strDamage);
  if (nLoadout == 0) return strDamage;
  return FromSjis(txt::kCompareCell)
      .arg(strDamage, FromSjis(FormatDifference(comparison.Difference(nLoadout, nRow))));
}

QString HeaderTip(const ComparedLoadout_t& loadout) {
  QString strTip = FromSjis(txt::kCompareSource).arg(FromSjis(LoadoutDetail(loadout)));
  const std::string strMisses = DescribeLoadoutMissesInJapanese(loadout);
  if (!strMisses.empty()) strTip += u'\n' + FromSjis(strMisses);
  return strTip;
}

}  // namespace

CComparisonDlg::CComparisonDlg(CLoadoutLineup& lineup, CalculationFunction fnCalculation,
                               QWidget* pParent)
    : QDialog(pParent), m_lineup(lineup), m_fnCalculation(std::move(fnCalculation)) {
  setObjectName(QStringLiteral("comparisonDlg"));
  setWindowTitle(FromSjis(txt::kCompareCaption));
  setModal(false);
  setFont(MakeDialogFont());

  m_pTarget = new QLabel(this);
  m_pTarget->setObjectName(QStringLiteral("comparisonTarget"));
  m_pTable = new QTableWidget(this);
  m_pTable->setObjectName(QStringLiteral("comparisonTable"));
  m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_pTable->setSelectionBehavior(QAbstractItemView::SelectColumns);
  m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
  m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_pTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* pHint = new QLabel(FromSjis(txt::kCompareHint), this);
  pHint->setWordWrap(true);

  m_pAddCurrent = AddButton(this, "comparisonAddCurrent", txt::kCompareAddCurrent);
  m_pAddBuild = AddButton(this, "comparisonAddBuild", txt::kCompareAddBuild);
  m_pBuildMenu = new QMenu(m_pAddBuild);
  m_pBuildMenu->setObjectName(QStringLiteral("comparisonBuildMenu"));
  m_pAddBuild->setMenu(m_pBuildMenu);
  m_pAddCode = AddButton(this, "comparisonAddCode", txt::kCompareAddCode);
  m_pMakeFirst = AddButton(this, "comparisonMakeFirst", txt::kCompareMakeFirst);
  m_pRemove = AddButton(this, "comparisonRemove", txt::kCompareRemove);
  auto* pChart = AddButton(this, "comparisonChart", txt::kChartMenuEntry);

  auto* pLayout = new QGridLayout(this);
  pLayout->addWidget(m_pTarget, 0, 0, 1, 6);
  pLayout->addWidget(m_pTable, 1, 0, 1, 6);
  pLayout->addWidget(pHint, 2, 0, 1, 6);
  pLayout->addWidget(m_pAddCurrent, 3, 0);
  pLayout->addWidget(m_pAddBuild, 3, 1);
  pLayout->addWidget(m_pAddCode, 3, 2);
  pLayout->addWidget(m_pMakeFirst, 3, 3);
  pLayout->addWidget(m_pRemove, 3, 4);
  pLayout->addWidget(pChart, 3, 5);
  resize(sizeHint().expandedTo(QSize(480, 300)));

  connect(m_pAddCurrent, &QPushButton::clicked, this, &CComparisonDlg::AddCurrent);
  connect(m_pBuildMenu, &QMenu::aboutToShow, this, &CComparisonDlg::FillBuildMenu);
  connect(m_pAddCode, &QPushButton::clicked, this, &CComparisonDlg::AddCodeFromClipboard);
  connect(m_pMakeFirst, &QPushButton::clicked, this, &CComparisonDlg::MakeSelectedFirst);
  connect(m_pRemove, &QPushButton::clicked, this, &CComparisonDlg::RemoveSelected);
  connect(pChart, &QPushButton::clicked, this, &CComparisonDlg::OpenChart);
  connect(m_pTable, &QTableWidget::currentCellChanged, this, &CComparisonDlg::UpdateButtons);
  UpdateButtons();
}

CComparisonDlg::~CComparisonDlg() = default;

void CComparisonDlg::showEvent(QShowEvent* pEvent) {
  QDialog::showEvent(pEvent);
  Refresh();
}

void CComparisonDlg::Refresh() {
  if (m_pChart != nullptr) m_pChart->Refresh();
  if (!isVisible()) return;
  const CCalculator* pCalculator = m_fnCalculation();
  if (pCalculator == nullptr) {
    m_pTarget->clear();
    m_pTable->setRowCount(0);
    m_pTable->setColumnCount(0);
    UpdateButtons();
    return;
  }
  const LoadoutComparison_t comparison = m_lineup.Compare(pCalculator->GetStore(), *pCalculator);
  m_pTarget->setText(FromSjis(txt::kCompareTarget)
                         .arg(FromSjis(comparison.strMonster), FromSjis(comparison.strLevel),
                              comparison.bAnger ? FromSjis(txt::kCompareAngry) : QString()));
  // The cells are kept and only given their new texts, so that a click in
  // the main window costs no new items and the selection stays.
  const size_t nRegions = comparison.arrRegion.size();
  m_pTable->setUpdatesEnabled(false);
  m_pTable->setColumnCount(static_cast<int>(comparison.arrLoadout.size()));
  m_pTable->setRowCount(comparison.arrLoadout.empty() ? 0 : static_cast<int>(nRegions + 1));
  for (size_t nRow = 0; nRow <= nRegions && !comparison.arrLoadout.empty(); ++nRow) {
    SetText(m_pTable->verticalHeaderItem(static_cast<int>(nRow)), nRow, -1,
            FromSjis(nRow < nRegions ? std::string_view(comparison.arrRegion[nRow])
                                     : std::string_view(txt::kCompareTotal)));
  }
  for (size_t nLoadout = 0; nLoadout < comparison.arrLoadout.size(); ++nLoadout) {
    const ComparedLoadout_t& loadout = comparison.arrLoadout[nLoadout];
    const int nColumn = static_cast<int>(nLoadout);
    SetText(m_pTable->horizontalHeaderItem(nColumn), 0, nColumn,
            FromSjis(LoadoutHeading(nLoadout, LoadoutLabel(loadout))));
    m_pTable->horizontalHeaderItem(nColumn)->setToolTip(HeaderTip(loadout));
    for (size_t nRow = 0; nRow <= nRegions; ++nRow) {
      SetText(m_pTable->item(static_cast<int>(nRow), nColumn), nRow, nColumn,
              CellText(comparison, nLoadout, nRow));
      QTableWidgetItem* pCell = m_pTable->item(static_cast<int>(nRow), nColumn);
      QFont font = pCell->font();
      font.setBold(comparison.IsBest(nLoadout, nRow));
      pCell->setFont(font);
    }
  }
  FitRegionColumn();
  m_pTable->setUpdatesEnabled(true);
  UpdateButtons();
}

void CComparisonDlg::FitRegionColumn() {
  // The header keeps the width it measured for its first texts; the names
  // of another monster are measured again, so that none is cut.
  QHeaderView* pRegions = m_pTable->verticalHeader();
  int nWidth = 0;
  for (int nRow = 0; nRow < pRegions->count(); ++nRow) {
    QStyleOptionHeader option;
    option.initFrom(pRegions);
    option.text = m_pTable->verticalHeaderItem(nRow)->text();
    option.fontMetrics = QFontMetrics(pRegions->font());
    nWidth = std::max(nWidth,
                      pRegions->style()
                          ->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), pRegions)
                          .width());
  }
  pRegions->setMinimumWidth(nWidth);
}

void CComparisonDlg::SetText(QTableWidgetItem* pItem, size_t nRow, int nColumn,
                             const QString& strText) {
  if (pItem != nullptr) {
    if (pItem->text() != strText) pItem->setText(strText);
    return;
  }
  pItem = new QTableWidgetItem(strText);
  const int nRowIndex = static_cast<int>(nRow);
  if (nColumn < 0) {
    m_pTable->setVerticalHeaderItem(nRowIndex, pItem);
  } else if (m_pTable->horizontalHeaderItem(nColumn) == nullptr) {
    m_pTable->setHorizontalHeaderItem(nColumn, pItem);
  } else {
    pItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pTable->setItem(nRowIndex, nColumn, pItem);
  }
}

void CComparisonDlg::UpdateButtons() {
  const bool bFull = m_lineup.IsFull();
  m_pAddCurrent->setEnabled(!bFull);
  m_pAddBuild->setEnabled(!bFull);
  m_pAddCode->setEnabled(!bFull);
  const int nColumn = m_pTable->currentColumn();
  m_pMakeFirst->setEnabled(nColumn > 0);
  m_pRemove->setEnabled(nColumn >= 0);
}

void CComparisonDlg::FillBuildMenu() {
  m_pBuildMenu->clear();
  const std::vector<ListedBuild_t> arrListed = CSetupStore().LoadBuilds();
  if (arrListed.empty()) {
    m_pBuildMenu->addAction(FromSjis(txt::kCompareNoBuilds))->setEnabled(false);
  }
  for (const ListedBuild_t& listed : arrListed) {
    // A build's name may hold "&", which a menu would take for an access key.
    QString strName = FromSjis(velkar::EscapeSjisControls(listed.build.strName));
    strName.replace(u'&', QStringLiteral("&&"));
    connect(m_pBuildMenu->addAction(strName), &QAction::triggered, this,
            [this, listed] { AddBuild(listed); });
  }
}

void CComparisonDlg::OpenChart() {
  if (m_pChart == nullptr) {
    m_pChart = new CChartDlg(
        m_fnCalculation, [this] { return m_lineup.GetLoadouts(); }, this);
  }
  m_pChart->Open(eCHART_KIND::Loadouts, QString(), *this);
}

void CComparisonDlg::AddCurrent() {
  const CCalculator* pCalculator = m_fnCalculation();
  if (pCalculator == nullptr) return;
  AddLoadout(CurrentLoadout(*pCalculator, std::string(txt::kCodeCurrentSetup)));
}

void CComparisonDlg::AddBuild(const ListedBuild_t& chosen) {
  // Read again: the tool may have changed the file since the menu was shown,
  // and only the very entry chosen is added.
  for (const ListedBuild_t& listed : CSetupStore().FindBuilds(chosen.build.strName)) {
    if (listed.nEntry == chosen.nEntry && listed.strEntry == chosen.strEntry) {
      AddLoadout({listed.build.strName, LoadoutOf(listed.build.setup)});
      return;
    }
  }
}

void CComparisonDlg::AddCodeFromClipboard() {
  QString strRefusal;
  const std::optional<BuildCode_t> code = PasteBuildCode(strRefusal);
  if (!code) {
    Tell(strRefusal);
    return;
  }
  // Names the data lacks show in the columns' tooltips.
  for (const Build_t& build : code->arrBuild) {
    if (!AddLoadout({build.strName, LoadoutOf(build.setup)})) break;
  }
}

bool CComparisonDlg::AddLoadout(NamedLoadout_t loadout) {
  if (!m_lineup.Add(std::move(loadout))) {
    Tell(FromSjis(txt::kCompareFull).arg(static_cast<qulonglong>(kMaxComparedLoadouts)));
    return false;
  }
  Changed();
  return true;
}

void CComparisonDlg::RemoveSelected() {
  const int nColumn = m_pTable->currentColumn();
  if (nColumn < 0) return;
  m_lineup.Remove(static_cast<size_t>(nColumn));
  Changed();
}

void CComparisonDlg::MakeSelectedFirst() {
  const int nColumn = m_pTable->currentColumn();
  if (nColumn <= 0) return;
  m_lineup.MakeFirst(static_cast<size_t>(nColumn));
  Changed();
  m_pTable->setCurrentCell(0, 0);  // the moved column stays selected
}

void CComparisonDlg::Changed() {
  Refresh();
  emit LineupChanged();
}

void CComparisonDlg::Tell(const QString& strText) {
  ShowVelkarMessage(this, QMessageBox::Warning, FromSjis(txt::kCompareCaption), strText);
}
