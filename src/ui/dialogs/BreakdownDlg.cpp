#include "dialogs/BreakdownDlg.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "VelkarTexts.h"
#include "style/DialogFont.h"
#include "text/SjisText.h"
#include "widgets/ButtonNote.h"

namespace {

// The first column (the motion) is words; the rest are numbers.
constexpr int kFirstNumberColumn = 1;

QString Trimmed(const std::string& strSjis) {
  QString strText = FromSjis(strSjis);
  while (strText.endsWith(u'\n')) strText.chop(1);
  return strText;
}

}  // namespace

CBreakdownDlg::CBreakdownDlg(RowSource_t fnSource, QWidget* pParent)
    : QDialog(pParent), m_fnSource(std::move(fnSource)) {
  setObjectName(QStringLiteral("breakdownDlg"));
  setFont(MakeDialogFont());
  setWindowTitle(FromSjis(txt::kHitTableTitle));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(false);

  m_pHeading = new QLabel(this);
  m_pHeading->setObjectName(QStringLiteral("breakdownHeading"));
  m_pHeading->setTextFormat(Qt::PlainText);
  m_pRegion = new QLabel(this);
  m_pRegion->setObjectName(QStringLiteral("breakdownRegion"));
  m_pRegion->setTextFormat(Qt::PlainText);
  QFont boldFont = font();
  boldFont.setBold(true);
  m_pRegion->setFont(boldFont);
  m_pFactors = new QLabel(this);
  m_pFactors->setObjectName(QStringLiteral("breakdownFactors"));
  m_pFactors->setTextFormat(Qt::PlainText);

  m_pTable = new QTableWidget(0, static_cast<int>(kHitTableColumns), this);
  m_pTable->setObjectName(QStringLiteral("breakdownTable"));
  m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_pTable->setSelectionMode(QAbstractItemView::NoSelection);
  m_pTable->verticalHeader()->hide();
  m_pTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // As wide as its columns, so that the window opens showing all of them.
  m_pTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);

  m_pCopy = new QPushButton(FromSjis(txt::kHitTableCopy), this);
  m_pCopy->setObjectName(QStringLiteral("breakdownCopy"));
  m_pCopy->setAutoDefault(false);
  auto* pClose = new QPushButton(FromSjis(txt::kHitTableClose), this);
  pClose->setAutoDefault(false);
  connect(m_pCopy, &QPushButton::clicked, this, &CBreakdownDlg::CopyAsText);
  connect(pClose, &QPushButton::clicked, this, &QDialog::close);

  auto* pButtons = new QHBoxLayout;
  pButtons->addWidget(m_pCopy);
  pButtons->addStretch();
  pButtons->addWidget(pClose);
  auto* pLayout = new QVBoxLayout(this);
  pLayout->addWidget(m_pHeading);
  pLayout->addWidget(m_pRegion);
  pLayout->addWidget(m_pFactors);
  pLayout->addWidget(m_pTable, 1);
  pLayout->addLayout(pButtons);
}

CBreakdownDlg::~CBreakdownDlg() = default;

void CBreakdownDlg::ShowRow(int nRow) {
  m_nRow = nRow;
  const bool bFirstShow = !isVisible();
  show();
  Refresh();
  if (bFirstShow) adjustSize();  // at most two thirds of the screen
  raise();
  activateWindow();
}

void CBreakdownDlg::Refresh() {
  if (!isVisible()) return;
  const std::optional<CalcExplanation_t> explanation = m_fnSource(m_nRow);
  m_table = explanation ? std::optional<HitTable_t>(BuildHitTable(*explanation)) : std::nullopt;
  ShowTable();
}

void CBreakdownDlg::ShowTable() {
  m_pCopy->setEnabled(m_table.has_value());
  if (!m_table) {
    m_pHeading->clear();
    m_pRegion->setText(FromSjis(txt::kHitTableNothing));
    m_pFactors->clear();
    m_pTable->setRowCount(0);
    return;
  }
  m_pHeading->setText(Trimmed(m_table->strHeading));
  m_pRegion->setText(Trimmed(m_table->strRegion));
  m_pFactors->setText(Trimmed(m_table->strFactors));
  QStringList arrHeader;
  for (const std::string& strCaption : m_table->arrHeader) arrHeader.append(FromSjis(strCaption));
  m_pTable->setHorizontalHeaderLabels(arrHeader);
  m_pTable->setRowCount(static_cast<int>(m_table->arrRow.size()));
  for (int nRow = 0; nRow < m_pTable->rowCount(); ++nRow) {
    const HitTableCells_t& arrCell = m_table->arrRow[static_cast<size_t>(nRow)];
    for (int nColumn = 0; nColumn < m_pTable->columnCount(); ++nColumn) {
      auto* pItem = new QTableWidgetItem(FromSjis(arrCell[static_cast<size_t>(nColumn)]));
      pItem->setTextAlignment(Qt::AlignVCenter |
                              (nColumn >= kFirstNumberColumn ? Qt::AlignRight : Qt::AlignLeft));
      m_pTable->setItem(nRow, nColumn, pItem);
    }
  }
}

void CBreakdownDlg::CopyAsText() {
  if (!m_table) return;
  QGuiApplication::clipboard()->setText(FromSjis(HitTableText(*m_table)));
  ShowButtonNote(*m_pCopy, FromSjis(txt::kHitTableCopied));
}
