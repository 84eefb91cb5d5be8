// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/parts_tables.h"

#include <iterator>

namespace classe::parts_tables {

std::vector<Control> ValueCells() {
  std::vector<Control> cells;
  const auto add = [&](int first, int rows, int columns) {
    for (int row = 1; row <= rows; ++row)
      for (int column = 0; column < columns; ++column)
        cells.push_back(form5::Cell(first, row, column));
  };
  add(form5::kPartsFirst, kPartsRows, static_cast<int>(std::size(kPartsHeadings)));
  add(form5::kRetuneFirst, kRetuneRows, static_cast<int>(std::size(kRetuneHeadings)));
  add(form5::kSensitivityFirst, kSensitivityRows,
      static_cast<int>(std::size(kSensitivityHeadings)));
  return cells;
}

}  // namespace classe::parts_tables
