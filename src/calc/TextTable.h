// A table of Shift-JIS cells laid out for a terminal, as velkar-tool prints
// the weapon table and the comparison of loadouts: columns two spaces apart,
// each as wide as its widest cell, every cell padded on the left or on the
// right as its column says, trailing spaces cut, "\n" line ends. Widths count
// bytes, which is a cell's width on a terminal in Shift-JIS and in UTF-8
// alike (a double-byte character is two columns wide), as in the report.
#pragma once

#include <string>
#include <vector>

using TextTableLine_t = std::vector<std::string>;

// arrRightAligned says for each column whether its cells go to the right (numbers);
// a line with fewer cells leaves the rest empty.
std::string FormatTextTable(const std::vector<TextTableLine_t>& arrLine,
                            const std::vector<bool>& arrRightAligned);
