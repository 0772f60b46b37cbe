// CColorListCtrl: the result list of the main window. A report view with
// columns whose rows it paints itself (DrawRow), so that every row's text can
// carry its own colour (SetItemColor). It knows nothing of damage: it stores
// colours by row index and draws. Long cell texts are shortened with "..."
// (ShortenToFit); the row colours outlive the rows, so a row inserted later
// at the same index draws in the stored colour until it is given a new one.
// A row's tooltip comes from a source its owner sets, asked only when the
// tooltip is about to show; it is kept narrow (kToolTipMaxWidth) and within
// the screen (ToolTipLineCapacity). A double-click or Enter on a row opens it
// (RowOpened). The whole area is painted on the light base the row colours
// are made for.
#pragma once

#include <QString>
#include <QTreeView>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QStandardItemModel;

class CColorListCtrl : public QTreeView {
  Q_OBJECT

public:
  // At most this many bytes (Shift-JIS) of a cell are painted.
  static constexpr size_t kMaxCellBytes = 259;
  // Space kept free on each side of a cell's text, and the extra room the
  // shortening asks for: the first column, then every other one.
  static constexpr int kFirstColumnPadding = 2;
  static constexpr int kFirstColumnMargin = 4;
  static constexpr int kColumnPadding = 6;
  static constexpr int kColumnMargin = 12;
  // The widest a row's tooltip gets; longer lines end in an ellipsis.
  static constexpr int kToolTipMaxWidth = 400;

  explicit CColorListCtrl(QWidget* pParent = nullptr);
  ~CColorListCtrl() override;

  // Columns, left to right. GetColumn answers false past the last column.
  void InsertColumn(int nColumn, const QString& strCaption, int nWidth,
                    Qt::Alignment alignment = Qt::AlignLeft);
  int GetColumnCount() const;
  void DeleteColumn(int nColumn);
  void SetColumnWidth(int nColumn, int nWidth);
  bool GetColumn(int nColumn, Qt::Alignment& alignment, int& nWidth) const;

  // Rows: a row is inserted with its first cell; the others are set after.
  int GetRowCount() const;
  void InsertRow(int nRow, const QString& strText);
  void SetCellText(int nRow, int nColumn, const QString& strText);
  QString GetCellText(int nRow, int nColumn) const;
  void RemoveAllRows();

  // Look: the selection fills the whole row or only the first cell; grid
  // lines between the cells; the selection shown also without the focus.
  void SetFullRowSelect(bool bOn) { m_bFullRowSelect = bOn; }
  bool HasFullRowSelect() const { return m_bFullRowSelect; }
  void SetGridLines(bool bOn);
  bool HasGridLines() const { return m_bGridLines; }
  void SetShowSelectionAlways(bool bOn) { m_bShowSelectionAlways = bOn; }
  bool HasShowSelectionAlways() const { return m_bShowSelectionAlways; }

  // The text colour (0xRRGGBB) of a row the control holds; false, and nothing
  // stored, for any other index.
  bool SetItemColor(int nRow, uint32_t rgbColor);

  // The tooltip of a row: the source is asked with the row's index each time
  // the mouse rests on a row; an empty text shows no tooltip.
  using RowToolTipSource_t = std::function<QString(int nRow)>;
  void SetRowToolTipSource(RowToolTipSource_t fnSource) { m_fnRowToolTip = std::move(fnSource); }
  QString GetRowToolTip(int nRow) const;
  // What the tooltip shows for a text: the text in this control's font,
  // every space and line break kept, no line wrapped, each line cut to
  // kToolTipMaxWidth pixels.
  QString ToolTipMarkup(const QString& strText) const;
  // How many lines a row's tooltip may have to stay well within the screen.
  int ToolTipLineCapacity() const;

  // The tooltip of the column headers (a legend of the row colours).
  void SetHeaderToolTip(const QString& strText);
  // A column's caption, and its header's tooltip.
  void SetColumnCaption(int nColumn, const QString& strCaption, const QString& strToolTip);

  // Paints row nRow where the view shows it.
  void DrawRow(QPainter& painter, int nRow) const;

  // The text, or its longest prefix followed by "..." whose width plus
  // nMargin fits in nWidth (at least one character), in this control's font.
  QString ShortenToFit(const QString& strText, int nWidth, int nMargin) const;

signals:
  // A row was double-clicked, or Enter was pressed on the current row.
  void RowOpened(int nRow);

protected:
  void keyPressEvent(QKeyEvent* pEvent) override;
  void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
  void drawRow(QPainter* pPainter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
  void paintEvent(QPaintEvent* pEvent) override;
  bool viewportEvent(QEvent* pEvent) override;

private:
  QRect LabelRect(int nRow) const;
  QColor StoredColor(int nRow, const QColor& clrDefault) const;
  void DrawCellText(QPainter& painter, const QRect& rcCell, int nPadding, Qt::Alignment alignment,
                    const QString& strShown) const;
  void DrawGridLines();
  int RowHeight() const;

  QStandardItemModel* m_pModel;
  std::vector<uint32_t> m_arrColor;  // 0xRRGGBB by row index; never shrinks
  bool m_bFullRowSelect = false;
  bool m_bGridLines = false;
  bool m_bShowSelectionAlways = false;
  RowToolTipSource_t m_fnRowToolTip;
  QString m_strHeaderToolTip;
};
