// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

// The graph window's controls.
namespace classe::form2 {

constexpr Control Of(std::string_view name) {
  return {Window::Form2, name};
}

// The caption strip left of the plot, and the axis captions it holds.
inline constexpr Control Picture3 = Of("Picture3");
inline constexpr Control Label1 = Of("Label1");    // "Vc1(teta)[V]"
inline constexpr Control Label2 = Of("Label2");    // 0 of the Vc1 strip
inline constexpr Control Label4 = Of("Label4");    // "Isw(teta)[A]"
inline constexpr Control Label6 = Of("Label6");    // 0 of the Isw strip
inline constexpr Control Label11 = Of("Label11");  // "Ic1(teta)[A]"
inline constexpr Control Label12 = Of("Label12");  // 0 of the Ic1 strip
inline constexpr Control Label13 = Of("Label13");  // "Ir(teta)[A]"
inline constexpr Control Label14 = Of("Label14");  // 0 of the Ir strip

// The plot area, and the axis captions it holds.
inline constexpr Control Picture1 = Of("Picture1");
inline constexpr Control Label3 = Of("Label3");    // "teta[rad]" of Vc1
inline constexpr Control Label5 = Of("Label5");    // "teta[rad]" of Isw
inline constexpr Control Label7 = Of("Label7");    // "3.14"
inline constexpr Control Label18 = Of("Label18");  // "6.28"
inline constexpr Control Label9 = Of("Label9");    // "9.42"
inline constexpr Control Label8 = Of("Label8");    // "12.56"
inline constexpr Control Label10 = Of("Label10");  // "teta[rad]" of Ic1
inline constexpr Control Label15 = Of("Label15");  // "teta[rad]" of Ir
inline constexpr Control Picture2 = Of("Picture2");

// The read-out, one block a curve: option button, angle row, value row.
inline constexpr Control Option1 = Of("Option1");  // Vc1
inline constexpr Control Label19 = Of("Label19");
inline constexpr Control Label16 = Of("Label16");
inline constexpr Control Label20 = Of("Label20");
inline constexpr Control Label21 = Of("Label21");
inline constexpr Control Label17 = Of("Label17");
inline constexpr Control Label22 = Of("Label22");
inline constexpr Control Option2 = Of("Option2");  // Isw
inline constexpr Control Label25 = Of("Label25");
inline constexpr Control Label23 = Of("Label23");
inline constexpr Control Label26 = Of("Label26");
inline constexpr Control Label27 = Of("Label27");
inline constexpr Control Label24 = Of("Label24");
inline constexpr Control Label28 = Of("Label28");
inline constexpr Control Option3 = Of("Option3");  // Ic1
inline constexpr Control Label30 = Of("Label30");
inline constexpr Control Label29 = Of("Label29");
inline constexpr Control Label31 = Of("Label31");
inline constexpr Control Label33 = Of("Label33");
inline constexpr Control Label32 = Of("Label32");
inline constexpr Control Label34 = Of("Label34");
inline constexpr Control Option4 = Of("Option4");  // Ir
inline constexpr Control Label37 = Of("Label37");
inline constexpr Control Label35 = Of("Label35");
inline constexpr Control Label38 = Of("Label38");
inline constexpr Control Label39 = Of("Label39");
inline constexpr Control Label36 = Of("Label36");
inline constexpr Control Label40 = Of("Label40");

inline constexpr Control Command1 = Of("Command1");  // "Esci"
inline constexpr Control Label41 = Of("Label41");    // version caption

}  // namespace classe::form2
