// Lines of cells as a text table for the terminal: each column as wide as its
// widest cell, two spaces between columns, numbers on the right and names on
// the left, no spaces at the ends of lines. Widths count Shift-JIS bytes,
// which is what a terminal shows: a kanji is two columns wide in Shift-JIS and
// UTF-8 alike.
#pragma once

#include <string>
#include <vector>

// arrLeft[i]: column i is aligned on the left (missing entries: on the right).
std::string AlignColumns(const std::vector<std::vector<std::string>>& arrLine,
                         const std::vector<bool>& arrLeft);
