// CBaselineColumn: the result list's comparison with a pinned baseline. Pin
// keeps a copy of the result rows on show; while a baseline is pinned the
// list has one more column with each row's difference to it, regions matched
// by name ("+12", "-3", "±0", or "—" when the baseline lacks the region), and
// the template's four columns are narrowed, widest first, just enough that
// all five fit the list's fixed width beside its vertical scroll bar. Unpin
// removes the column and gives the four their widths back. The clipboard
// report is built from the calculator, so the column never reaches it.
#pragma once

#include <vector>

#include "calc/Calculator.h"

class CColorListCtrl;

class CBaselineColumn {
public:
  explicit CBaselineColumn(CColorListCtrl& list) : m_list(list) {}

  bool IsPinned() const { return m_bPinned; }
  // Pins arrRow (the rows the list shows) as the baseline; they must match
  // the list's rows, so the new column starts with "±0" on every row.
  void Pin(const std::vector<ResultRow_t>& arrRow);
  void Unpin();
  // Fills the column for the rows the list shows now; nothing when unpinned.
  void ShowDifferences(const std::vector<ResultRow_t>& arrRow);

  // Widths narrowed one pixel at a time from the widest column (the leftmost
  // of equals) until their sum is at most nAvailable or every column is
  // nMinimum wide.
  static std::vector<int> NarrowToFit(std::vector<int> arrWidth, int nAvailable, int nMinimum);

private:
  int AvailableWidth() const;
  int DifferenceWidth() const;

  CColorListCtrl& m_list;
  bool m_bPinned = false;
  std::vector<ResultRow_t> m_arrBaseline;
  std::vector<int> m_arrOwnWidth;  // the columns' widths before the pin
};
