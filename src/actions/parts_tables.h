// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "actions/form5_controls.h"

// The parts window's three tables: their headings, and the cell each value
// goes to. Row 0 holds the headings, the values start at row 1.
namespace classe::parts_tables {

enum class PartsColumn {
  Ref,
  Design,
  Bought,
  Pair,
  Change,
  Vpeak,
  Vrms,
  Ipeak,
  Irms,
  Rating,
  Loss
};
enum class SensitivityColumn { Ref, DlnPo, Dvon, PoUp, PoDown, VonUp, VonDown };

inline constexpr std::string_view kPartsHeadings[] = {
    "Parte",    "Progetto",   "Acquisto", "Coppia in parallelo", "Scarto [%]", "Vpicco [V]",
    "Vrms [V]", "Ipicco [A]", "Irms [A]", "V nominale [V]",      "Perdita [W]"};
inline constexpr std::string_view kRetuneHeadings[] = {"Ritaratura", "Valore", "Variazione [%]"};
inline constexpr std::string_view kSensitivityHeadings[] = {
    "Parte",         "d ln Po / d ln x",       "d(Vacc/Vpicco) / d ln x", "Po a +1 % [%]",
    "Po a −1 % [%]", "Vacc/Vpicco a +1 % [%]", "Vacc/Vpicco a −1 % [%]"};

// Rows of values each table has room for: C1, C2, L1, L2, L, C (and R for
// the sensitivities); two knobs or three, and six figures.
inline constexpr int kPartsRows = 6;
inline constexpr int kRetuneRows = 9;
inline constexpr int kSensitivityRows = 7;

inline Control PartsCell(int row, PartsColumn column) {
  return form5::Cell(form5::kPartsFirst, row, static_cast<int>(column));
}
inline Control RetuneCell(int row, int column) {
  return form5::Cell(form5::kRetuneFirst, row, column);
}
inline Control SensitivityCell(int row, SensitivityColumn column) {
  return form5::Cell(form5::kSensitivityFirst, row, static_cast<int>(column));
}

// Every cell below the headings, which a new run empties first.
std::vector<Control> ValueCells();

}  // namespace classe::parts_tables
