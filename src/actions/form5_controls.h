// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>

#include "actions/cell_names.h"
#include "actions/controls.h"

// The parts window ("Componenti commerciali"): the series bought in, the
// parts as bought with their ratings, the retune, the sensitivities and the
// bench guide.
namespace classe::form5 {

constexpr Control Of(std::string_view name) {
  return {Window::Form5, name};
}

inline constexpr Control Label1 = Of("Label1");        // title
inline constexpr Control Label2 = Of("Label2");        // "Condensatori:"
inline constexpr Control Combo1 = Of("Combo1");        // capacitors' series, serieC
inline constexpr Control Label3 = Of("Label3");        // "Induttanze:"
inline constexpr Control Combo2 = Of("Combo2");        // inductors' series, serieL
inline constexpr Control Check1 = Of("Check1");        // "coppie in parallelo", coppie
inline constexpr Control Label4 = Of("Label4");        // "Margine di tensione:"
inline constexpr Control Text1 = Of("Text1");          // margine
inline constexpr Control Command1 = Of("Command1");    // "Calcola"
inline constexpr Control Command2 = Of("Command2");    // "Esporta distinta base CSV…"
inline constexpr Control Command3 = Of("Command3");    // "Esci"
inline constexpr Control Label6 = Of("Label6");        // "Sensibilità" heading
inline constexpr Control Label7 = Of("Label7");        // the bench guide, several lines
inline constexpr Control Label8 = Of("Label8");        // why the retune needs its knobs
inline constexpr Control Label9 = Of("Label9");        // the program's version
inline constexpr Control Command4 = Of("Command4");    // "Interrompi"
inline constexpr Control Progress1 = Of("Progress1");  // busy while the parts are computed

// The tables' cells are Label<first + row·stride + column>; their names are
// made once, here.
inline constexpr int kPartsFirst = 100, kRetuneFirst = 300, kSensitivityFirst = 600;
inline constexpr int kStride = 20;

using classe::CellName;

inline Control Cell(int first, int row, int column) {
  return Of(CellName(first + row * kStride + column));
}

}  // namespace classe::form5
