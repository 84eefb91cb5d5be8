// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>

#include "actions/form1_controls.h"
#include "actions/form2_controls.h"
#include "actions/form3_controls.h"
#include "actions/real_circuit_boxes.h"
#include "actions/value_box.h"

namespace classe {

namespace boxes {

// Main window: design results.
inline constexpr ValueBox R{form1::Label11, "R", "R", "[Ω]", 1, kScientific3};
inline constexpr ValueBox L1{form1::Label12, "L1", "L1", "[µH]", kMicro, kScientific2};
inline constexpr ValueBox C1{form1::Label13, "C1", "C1", "[pF]", kPico, kScientific3};
inline constexpr ValueBox C2{form1::Label14, "C2", "C2", "[pF]", kPico, kScientific3};
inline constexpr ValueBox L2{form1::Label15, "L2", "L2", "[µH]", kMicro, kScientific3Spaced};
inline constexpr ValueBox IDC{form1::Label39, "IDC", "IDC", "[A]", 1, kScientific3};
// Peak values.
inline constexpr ValueBox Vc1max{form1::Label43, "Vc1 max", "Vc1 max", "[Volt]", 1, kScientific3};
inline constexpr ValueBox Iswmax{form1::Label41, "Isw max", "Isw max", "[A]", 1, kScientific3};
inline constexpr ValueBox Irmax{form1::Label37, "Ir picco", "Ir picco", "[A]", 1, kScientific3};
// Matching network.
inline constexpr ValueBox L{form1::Label29, "L", "L", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox C{form1::Label30, "C", "C", "[pF]", kPico, kScientific3};

// Graph window: the cursor read-out, angle and value of each curve.
inline constexpr ValueBox Vc1Teta{form2::Label16, "teta", "teta", "[rad]", 1, kFixed2};
inline constexpr ValueBox Vc1{form2::Label17, "Vc1(teta)", "Vc1", "[V]", 1, kFixed2};
inline constexpr ValueBox IswTeta{form2::Label23, "teta", "teta", "[rad]", 1, kFixed2};
inline constexpr ValueBox Isw{form2::Label24, "Isw(teta)", "Isw", "[A]", 1, kFixed2};
inline constexpr ValueBox Ic1Teta{form2::Label29, "teta", "teta", "[rad]", 1, kFixed2};
inline constexpr ValueBox Ic1{form2::Label32, "Ic1(teta)", "Ic1", "[A]", 1, kFixed2};
inline constexpr ValueBox IrTeta{form2::Label35, "teta", "teta", "[rad]", 1, kFixed2};
inline constexpr ValueBox Ir{form2::Label36, "Ir(teta)", "Ir", "[A]", 1, kFixed2};

// Final circuit window. L2, C and the inductor row take another pattern
// with the network's C at the input.
inline constexpr ValueBox FinalL1{form3::Label1, "L1", "L1", "[µH]", kMicro, kScientific2};
inline constexpr ValueBox FinalC1{form3::Label2, "C1", "C1", "[pF]", kPico, kScientific3};
inline constexpr ValueBox FinalC2{form3::Label3, "C2", "C2", "[pF]", kPico, kScientific3};
inline constexpr ValueBox FinalL2{form3::Label4, "L2", "L2", "[µH]", kMicro, kScientific3Spaced};
inline constexpr ValueBox FinalL2AtInput{form3::Label4, "L2", "L2", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox FinalC{form3::Label5, "C", "C", "[pF]", kPico, kScientific3Spaced};
inline constexpr ValueBox FinalCAtInput{form3::Label5, "C", "C", "[pF]", kPico, kScientific3};
inline constexpr ValueBox FinalL{form3::Label6, "L", "L", "[µH]", kMicro, kScientific3};
inline constexpr ValueBox FinalLF{form3::Label6, "LF", "LF", "[µH]", kMicro, kScientific3Spaced};
inline constexpr ValueBox FinalRL{form3::Label7, "RL", "RL", "[Ω]", 1, kScientific3};
inline constexpr ValueBox TgPsi{form3::Label22, "tg(psi)", "tg(psi) ver.", "", 1, kScientific3};
inline constexpr ValueBox PoVer{form3::Label23, "Po ver.", "Po ver.", "[W]", 1, kScientific3};

}  // namespace boxes

// Every row, the main window's first, then the real-circuit window's.
std::span<const ValueBox> ValueBoxes();

// The first row of `control`, which gives its symbol and unit as the window
// designs them; nothing when it is not a value box.
const ValueBox* FindValueBox(Control control);

}  // namespace classe
