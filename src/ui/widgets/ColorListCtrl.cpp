#include "widgets/ColorListCtrl.h"

#include <algorithm>

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStandardItemModel>
#include <QStringList>
#include <QToolTip>

#include "text/SjisText.h"
#include "widgets/FocusRect.h"
#include "widgets/LightBase.h"

namespace {

const QColor kGridColor(192, 192, 192);
const QString kDots = QStringLiteral("...");

QColor ColorOf(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}

}  // namespace

CColorListCtrl::CColorListCtrl(QWidget* pParent)
    : QTreeView(pParent), m_pModel(new QStandardItemModel(0, 0, this)) {
  setModel(m_pModel);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setIndentation(0);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::StrongFocus);
  header()->setSectionsClickable(false);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  UseLightBase(*this);
}

CColorListCtrl::~CColorListCtrl() = default;

void CColorListCtrl::InsertColumn(int nColumn, const QString& strCaption, int nWidth,
                                  Qt::Alignment alignment) {
  m_pModel->insertColumn(nColumn);
  auto* pItem = new QStandardItem(strCaption);
  pItem->setTextAlignment(alignment | Qt::AlignVCenter);
  pItem->setToolTip(m_strHeaderToolTip);
  m_pModel->setHorizontalHeaderItem(nColumn, pItem);
  header()->resizeSection(nColumn, nWidth);
}

int CColorListCtrl::GetColumnCount() const {
  return m_pModel->columnCount();
}

void CColorListCtrl::DeleteColumn(int nColumn) {
  m_pModel->removeColumn(nColumn);
}

void CColorListCtrl::SetColumnWidth(int nColumn, int nWidth) {
  header()->resizeSection(nColumn, nWidth);
}

bool CColorListCtrl::GetColumn(int nColumn, Qt::Alignment& alignment, int& nWidth) const {
  if (nColumn < 0 || nColumn >= m_pModel->columnCount()) return false;
  const QStandardItem* pItem = m_pModel->horizontalHeaderItem(nColumn);
  alignment =
      (pItem != nullptr ? pItem->textAlignment() : Qt::AlignLeft) & Qt::AlignHorizontal_Mask;
  nWidth = header()->sectionSize(nColumn);
  return true;
}

void CColorListCtrl::SetHeaderToolTip(const QString& strText) {
  m_strHeaderToolTip = strText;
  for (int nColumn = 0; nColumn < m_pModel->columnCount(); ++nColumn) {
    if (QStandardItem* pItem = m_pModel->horizontalHeaderItem(nColumn)) pItem->setToolTip(strText);
  }
}

void CColorListCtrl::SetColumnCaption(int nColumn, const QString& strCaption,
                                      const QString& strToolTip) {
  QStandardItem* pItem = m_pModel->horizontalHeaderItem(nColumn);
  if (pItem == nullptr) return;
  pItem->setText(strCaption);
  pItem->setToolTip(strToolTip);
}

int CColorListCtrl::GetRowCount() const {
  return m_pModel->rowCount();
}

void CColorListCtrl::InsertRow(int nRow, const QString& strText) {
  m_pModel->insertRow(nRow);
  auto* pItem = new QStandardItem(strText);
  pItem->setSizeHint(QSize(0, RowHeight()));
  m_pModel->setItem(nRow, 0, pItem);
}

void CColorListCtrl::SetCellText(int nRow, int nColumn, const QString& strText) {
  m_pModel->setItem(nRow, nColumn, new QStandardItem(strText));
}

QString CColorListCtrl::GetCellText(int nRow, int nColumn) const {
  const QStandardItem* pItem = m_pModel->item(nRow, nColumn);
  return pItem != nullptr ? pItem->text() : QString();
}

void CColorListCtrl::RemoveAllRows() {
  m_pModel->removeRows(0, m_pModel->rowCount());
}

void CColorListCtrl::SetGridLines(bool bOn) {
  m_bGridLines = bOn;
  viewport()->update();
}

bool CColorListCtrl::SetItemColor(int nRow, uint32_t rgbColor) {
  if (nRow < 0 || nRow >= GetRowCount()) return false;
  const auto nIndex = static_cast<size_t>(nRow);
  if (nIndex >= m_arrColor.size()) m_arrColor.resize(nIndex + 1, 0);
  m_arrColor[nIndex] = rgbColor;
  viewport()->update();
  return true;
}

QString CColorListCtrl::ShortenToFit(const QString& strText, int nWidth, int nMargin) const {
  if (strText.isEmpty()) return strText;
  const QFontMetrics metrics(font());
  if (metrics.horizontalAdvance(strText) + nMargin <= nWidth) return strText;
  const int nDots = metrics.horizontalAdvance(kDots);
  // Longest prefix first; a prefix never ends between the halves of a
  // surrogate pair, so a character is always kept or left out whole.
  for (qsizetype nLength = strText.size() - 1; nLength >= 1; --nLength) {
    if (strText.at(nLength - 1).isHighSurrogate()) continue;
    const QString strPrefix = strText.left(nLength);
    if (metrics.horizontalAdvance(strPrefix) + nMargin + nDots <= nWidth) return strPrefix + kDots;
  }
  const qsizetype nFirst = strText.at(0).isHighSurrogate() && strText.size() > 1 ? 2 : 1;
  return strText.left(nFirst) + kDots;
}

QRect CColorListCtrl::LabelRect(int nRow) const {
  const QRect rcCell = visualRect(m_pModel->index(nRow, 0));
  return QRect(columnViewportPosition(0), rcCell.top(), columnWidth(0), rcCell.height());
}

QColor CColorListCtrl::StoredColor(int nRow, const QColor& clrDefault) const {
  const auto nIndex = static_cast<size_t>(nRow);
  return nIndex < m_arrColor.size() ? ColorOf(m_arrColor[nIndex]) : clrDefault;
}

void CColorListCtrl::DrawCellText(QPainter& painter, const QRect& rcCell, int nPadding,
                                  Qt::Alignment alignment, const QString& strShown) const {
  // No mnemonic handling ("&" is drawn as it is) and no clipping: a text
  // that cannot be shortened enough runs over its cell.
  painter.drawText(
      rcCell.adjusted(nPadding, 0, -nPadding, 0),
      static_cast<int>(alignment | Qt::AlignVCenter) | Qt::TextSingleLine | Qt::TextDontClip,
      strShown);
}

void CColorListCtrl::DrawRow(QPainter& painter, int nRow) const {
  const bool bFocused = hasFocus();
  const bool bRowSelected = selectionModel()->isRowSelected(nRow, QModelIndex());
  const bool bSelected = (bFocused || m_bShowSelectionAlways) && bRowSelected;
  const QRect rcLabel = LabelRect(nRow);
  QRect rcRow = rcLabel;
  rcRow.setWidth(header()->length());

  const QColor clrHighlight = palette().color(QPalette::Active, QPalette::Highlight);
  const QColor clrHighlightText = palette().color(QPalette::Active, QPalette::HighlightedText);

  painter.save();
  painter.setFont(font());
  const QColor clrEntry = painter.pen().color();
  painter.fillRect(rcRow, Qt::white);
  if (bSelected) painter.fillRect(m_bFullRowSelect ? rcRow : rcLabel, clrHighlight);

  // First column.
  const QString strText = LimitToSjisBytes(GetCellText(nRow, 0), kMaxCellBytes);
  painter.setPen(bSelected ? clrHighlightText : StoredColor(nRow, Qt::black));
  DrawCellText(painter, rcLabel, kFirstColumnPadding, Qt::AlignLeft,
               ShortenToFit(strText, rcLabel.width(), kFirstColumnMargin));
  // Without full-row selection only the first cell shows the selection.
  if (bSelected && !m_bFullRowSelect) painter.setPen(StoredColor(nRow, clrEntry));

  // Further columns, each starting where the previous one ends.
  QRect rcCell = rcLabel;
  Qt::Alignment alignment;
  int nWidth = 0;
  for (int nColumn = 1; GetColumn(nColumn, alignment, nWidth); ++nColumn) {
    rcCell = QRect(rcCell.left() + rcCell.width(), rcCell.top(), nWidth, rcCell.height());
    const QString strCell = LimitToSjisBytes(GetCellText(nRow, nColumn), kMaxCellBytes);
    if (strCell.isEmpty()) continue;
    const QString strShown = ShortenToFit(strCell, rcCell.width(), kColumnMargin);
    // A shortened text is drawn from the left, whatever the column's alignment.
    DrawCellText(painter, rcCell, kColumnPadding, strShown == strCell ? alignment : Qt::AlignLeft,
                 strShown);
  }

  if (bFocused && currentIndex().isValid() && currentIndex().row() == nRow) {
    DrawFocusRect(painter, rcLabel);
  }
  painter.restore();
}

void CColorListCtrl::drawRow(QPainter* pPainter, const QStyleOptionViewItem& /*option*/,
                             const QModelIndex& index) const {
  DrawRow(*pPainter, index.row());
}

void CColorListCtrl::paintEvent(QPaintEvent* pEvent) {
  QTreeView::paintEvent(pEvent);
  if (m_bGridLines) DrawGridLines();
}

QString CColorListCtrl::GetRowToolTip(int nRow) const {
  if (!m_fnRowToolTip || nRow < 0 || nRow >= GetRowCount()) return QString();
  return m_fnRowToolTip(nRow);
}

bool CColorListCtrl::viewportEvent(QEvent* pEvent) {
  if (pEvent->type() != QEvent::ToolTip) return QTreeView::viewportEvent(pEvent);
  const auto* pHelp = static_cast<QHelpEvent*>(pEvent);
  const QModelIndex index = indexAt(pHelp->pos());
  const QString strTip = index.isValid() ? GetRowToolTip(index.row()) : QString();
  if (strTip.isEmpty()) {
    QToolTip::hideText();
    pEvent->ignore();
    return true;
  }
  // The tooltip stays while the mouse stays on the row it explains.
  QRect rcRow = visualRect(index);
  rcRow.setLeft(0);
  rcRow.setRight(viewport()->width() - 1);
  QToolTip::showText(pHelp->globalPos(), ToolTipMarkup(strTip), viewport(), rcRow);
  return true;
}

void CColorListCtrl::keyPressEvent(QKeyEvent* pEvent) {
  const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
  if (!bEnter || !currentIndex().isValid()) {
    QTreeView::keyPressEvent(pEvent);
    return;
  }
  pEvent->accept();
  emit RowOpened(currentIndex().row());
}

void CColorListCtrl::mouseDoubleClickEvent(QMouseEvent* pEvent) {
  QTreeView::mouseDoubleClickEvent(pEvent);
  const QModelIndex index = indexAt(pEvent->position().toPoint());
  if (pEvent->button() == Qt::LeftButton && index.isValid()) emit RowOpened(index.row());
}

int CColorListCtrl::ToolTipLineCapacity() const {
  // Three quarters of the screen, leaving room for the tooltip's frame.
  const QScreen* pScreen = screen();
  const int nHeight = pScreen != nullptr ? pScreen->availableGeometry().height() : 480;
  return std::max(3, nHeight * 3 / 4 / fontMetrics().lineSpacing() - 1);
}

QString CColorListCtrl::ToolTipMarkup(const QString& strText) const {
  // Rich text only to keep the list's own font, whose Latin letters, digits
  // and Japanese match; the text itself is escaped, so no name in the data
  // can add markup.
  QString strStyle =
      QStringLiteral("white-space:pre; font-family:'%1';").arg(font().family().toHtmlEscaped());
  if (font().pointSize() > 0) {
    strStyle += QStringLiteral(" font-size:%1pt;").arg(font().pointSize());
  }
  const QFontMetrics metrics(font());
  QStringList arrLine = strText.split(u'\n');
  for (QString& strLine : arrLine) {
    strLine = metrics.elidedText(strLine, Qt::ElideRight, kToolTipMaxWidth);
  }
  return QStringLiteral("<p style=\"") + strStyle + QStringLiteral("\">") +
         arrLine.join(u'\n').toHtmlEscaped() + QStringLiteral("</p>");
}

int CColorListCtrl::RowHeight() const {
  return fontMetrics().height() + 4;
}

void CColorListCtrl::DrawGridLines() {
  QPainter painter(viewport());
  painter.setPen(kGridColor);
  const int nHeight = viewport()->height();
  // A vertical line on the last pixel of every column, over the full height.
  for (int nColumn = 0; nColumn < GetColumnCount(); ++nColumn) {
    const int x = columnViewportPosition(nColumn) + columnWidth(nColumn) - 1;
    painter.drawLine(x, 0, x, nHeight);
  }
  // A horizontal line under every row, and on in the empty part below.
  const int nRowHeight =
      GetRowCount() > 0 ? visualRect(m_pModel->index(0, 0)).height() : RowHeight();
  int y = GetRowCount() > 0 ? visualRect(m_pModel->index(0, 0)).top() : 0;
  for (y += nRowHeight - 1; y < nHeight; y += nRowHeight) {
    if (y >= 0) painter.drawLine(0, y, viewport()->width(), y);
  }
}
