// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/cell_names.h"
#include "actions/controls.h"

// The tolerance analysis window: the tolerances by part kind, how many builds,
// the bands, the summary and the histograms.
namespace classe::form6 {

constexpr Control Of(std::string_view name) {
  return {Window::Form6, name};
}

inline constexpr Control Text1 = Of("Text1");          // capacitors, %
inline constexpr Control Text2 = Of("Text2");          // inductors, %
inline constexpr Control Text3 = Of("Text3");          // the load, %
inline constexpr Control Text4 = Of("Text4");          // the transistor's Coss, %
inline constexpr Control Text5 = Of("Text5");          // Ron, %
inline constexpr Control Text6 = Of("Text6");          // builds
inline constexpr Control Text7 = Of("Text7");          // seed
inline constexpr Control Text8 = Of("Text8");          // Po band, ± %
inline constexpr Control Text9 = Of("Text9");          // turn-on band, % of the peak
inline constexpr Control Option1 = Of("Option1");      // "uniforme"
inline constexpr Control Option2 = Of("Option2");      // "normale"
inline constexpr Control Check1 = Of("Check1");        // "dopo la ritaratura di L2 e del carico"
inline constexpr Control Command1 = Of("Command1");    // "Calcola"
inline constexpr Control Command2 = Of("Command2");    // "Interrompi"
inline constexpr Control Command3 = Of("Command3");    // "Esporta CSV…"
inline constexpr Control Command4 = Of("Command4");    // "Esci"
inline constexpr Control Progress1 = Of("Progress1");  // builds done
inline constexpr Control Label1 = Of("Label1");        // the summary
inline constexpr Control Label2 = Of("Label2");        // what the mouse reads on a bar
inline constexpr Control Picture1 = Of("Picture1");    // histogram of Po
inline constexpr Control Picture2 = Of("Picture2");    // of the efficiency
inline constexpr Control Picture3 = Of("Picture3");    // of the drain peak
inline constexpr Control Label3 = Of("Label3");        // the Po histogram's title
inline constexpr Control Label4 = Of("Label4");        // its low end
inline constexpr Control Label5 = Of("Label5");        // its high end
inline constexpr Control Label6 = Of("Label6");        // the efficiency histogram's title
inline constexpr Control Label7 = Of("Label7");
inline constexpr Control Label8 = Of("Label8");
inline constexpr Control Label9 = Of("Label9");  // the drain-peak histogram's title
inline constexpr Control Label10 = Of("Label10");
inline constexpr Control Label11 = Of("Label11");
inline constexpr Control Label12 = Of("Label12");  // the program's version
inline constexpr Control Label13 = Of("Label13");  // the yields' heading
// The fields' captions, Label20… in the order of the fields, and
// "Distribuzione:" as Label29.
inline constexpr int kFieldCaptionFirst = 20;

// The summary table (Label100…: row 0 the headings, then Po, efficiency,
// drain peak, switch peak, turn-on voltage; column 0 the quantity, then the
// 5, 50 and 95 % points, the least and the greatest) and the yields
// (Label300…: the caption, then the fraction of the builds).
inline constexpr int kSummaryFirst = 100, kYieldFirst = 300;
inline constexpr int kStride = 20;
inline constexpr int kSummaryRows = 5, kSummaryColumns = 6, kYieldRows = 4;

inline Control Cell(int first, int row, int column) {
  return Of(CellName(first + row * kStride + column));
}

}  // namespace classe::form6
