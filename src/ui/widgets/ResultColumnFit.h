// The widths of the result list's four columns at any font and list width,
// which belong to the window alone (the calculator has only the captions):
// each number column is as wide as its template width, or as its caption or
// its widest possible cell ("255%", "99999") needs, whichever is more; the
// region column takes the rest of the list's width beside the vertical
// scroll bar, and never less than its template width. So a larger font or
// a wider window shows a region's name whole instead of shortened.
#pragma once

#include <cstddef>
#include <vector>

class CColorListCtrl;
struct ResultColumn_t;

class CResultColumnFit {
public:
  // A column's width in the window's template, in pixels.
  static int TemplateWidth(size_t nColumn);
  // Sets the widths of the list's columns from the template's columns.
  static void Fit(CColorListCtrl& list, const std::vector<ResultColumn_t>& arrColumn);
  // The widths for a list of this font's metrics and this room.
  static std::vector<int> Widths(const CColorListCtrl& list,
                                 const std::vector<ResultColumn_t>& arrColumn, int nAvailable);
};
