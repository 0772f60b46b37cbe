// CBaselineColumn: the result list's column of differences to a baseline.
// While it is shown the list has one more column, headed by the baseline's
// name (its short form when the whole does not fit; whole in the header's
// tooltip), with a text per row (the core's difference of that row to the baseline loadout
// computed on the same target: "+12", "-3", "±0", or "—"), and the template's four columns are
// narrowed, widest first, just enough that all five fit the list's fixed
// width beside its vertical scroll bar. Hiding it removes the column and
// gives the four their widths back. The clipboard report is built from the
// calculator, so the column never reaches it.
#pragma once

#include <QString>
#include <string>
#include <vector>

class CColorListCtrl;

class CBaselineColumn {
public:
  explicit CBaselineColumn(CColorListCtrl& list) : m_list(list) {}

  bool IsShown() const { return m_bShown; }
  // Shows the column under the caption (or its short form, which the column
  // is made wide enough for) with one Shift-JIS text per row of the list
  // (rows without a text stay empty), or removes it.
  void Show(bool bShow, const QString& strCaption, const QString& strShortCaption,
            const std::vector<std::string>& arrDifference);

  // Widths narrowed one pixel at a time from the widest column (the leftmost
  // of equals) until their sum is at most nAvailable or every column is
  // nMinimum wide.
  static std::vector<int> NarrowToFit(std::vector<int> arrWidth, int nAvailable, int nMinimum);

private:
  void AddColumn(const QString& strShortCaption);
  void RemoveColumn();
  int AvailableWidth() const;
  int DifferenceWidth(const QString& strShortCaption) const;

  CColorListCtrl& m_list;
  bool m_bShown = false;
  std::vector<int> m_arrOwnWidth;  // the columns' widths before the column came
};
