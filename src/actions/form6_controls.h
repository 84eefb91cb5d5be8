// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

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

}  // namespace classe::form6
