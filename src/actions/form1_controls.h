// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

// The main window's controls. Each caption label beside a field or a value box
// takes its text from the input-field or value-box table.
namespace classe::form1 {

constexpr Control Of(std::string_view name) {
  return {Window::Form1, name};
}

// Title and schematic.
inline constexpr Control Label10 = Of("Label10");
inline constexpr Control Image1 = Of("Image1");

// Input fields, each with its symbol label and, where it has one, its unit.
inline constexpr Control Label1 = Of("Label1");  // Po
inline constexpr Control Text1 = Of("Text1");
inline constexpr Control Label2 = Of("Label2");
inline constexpr Control Label3 = Of("Label3");  // f
inline constexpr Control Text2 = Of("Text2");
inline constexpr Control Label4 = Of("Label4");
inline constexpr Control Label5 = Of("Label5");  // Q
inline constexpr Control Text3 = Of("Text3");
inline constexpr Control Label6 = Of("Label6");  // Von
inline constexpr Control Text4 = Of("Text4");
inline constexpr Control Label7 = Of("Label7");
inline constexpr Control Label8 = Of("Label8");  // Vcc
inline constexpr Control Text5 = Of("Text5");
inline constexpr Control Label9 = Of("Label9");
inline constexpr Control Label26 = Of("Label26");  // N
inline constexpr Control Text6 = Of("Text6");
inline constexpr Control Label27 = Of("Label27");  // RL
inline constexpr Control Text7 = Of("Text7");
inline constexpr Control Label28 = Of("Label28");
inline constexpr Control Label48 = Of("Label48");  // M
inline constexpr Control Text9 = Of("Text9");
inline constexpr Control Label49 = Of("Label49");  // "N° campioni"
inline constexpr Control Label45 = Of("Label45");  // the note on N

// Design results: symbol, value box, unit.
inline constexpr Control Label16 = Of("Label16");  // R
inline constexpr Control Label11 = Of("Label11");
inline constexpr Control Label17 = Of("Label17");
inline constexpr Control Label18 = Of("Label18");  // L1
inline constexpr Control Label12 = Of("Label12");
inline constexpr Control Label19 = Of("Label19");
inline constexpr Control Label22 = Of("Label22");  // C1
inline constexpr Control Label13 = Of("Label13");
inline constexpr Control Label23 = Of("Label23");
inline constexpr Control Label24 = Of("Label24");  // C2
inline constexpr Control Label14 = Of("Label14");
inline constexpr Control Label25 = Of("Label25");
inline constexpr Control Label20 = Of("Label20");  // L2
inline constexpr Control Label15 = Of("Label15");
inline constexpr Control Label21 = Of("Label21");
inline constexpr Control Label40 = Of("Label40");  // IDC
inline constexpr Control Label39 = Of("Label39");
inline constexpr Control Label35 = Of("Label35");

// Matching network: hidden until the first successful compute.
inline constexpr Control Command2 = Of("Command2");
inline constexpr Control Label31 = Of("Label31");  // L
inline constexpr Control Label29 = Of("Label29");
inline constexpr Control Label33 = Of("Label33");
inline constexpr Control Label32 = Of("Label32");  // C
inline constexpr Control Label30 = Of("Label30");
inline constexpr Control Label34 = Of("Label34");
inline constexpr Control Image2 = Of("Image2");  // network for R < RL
inline constexpr Control Image3 = Of("Image3");  // network for R > RL

// Peak values.
inline constexpr Control Label44 = Of("Label44");  // Vc1 max
inline constexpr Control Label43 = Of("Label43");
inline constexpr Control Label62 = Of("Label62");
inline constexpr Control Label42 = Of("Label42");  // Isw max
inline constexpr Control Label41 = Of("Label41");
inline constexpr Control Label61 = Of("Label61");
inline constexpr Control Line1 = Of("Line1");
inline constexpr Control Label64 = Of("Label64");  // "Prima armonica (fondamentale):"
inline constexpr Control Label38 = Of("Label38");  // Ir picco
inline constexpr Control Label37 = Of("Label37");
inline constexpr Control Label36 = Of("Label36");

// Buttons.
inline constexpr Control Command1 = Of("Command1");  // compute
inline constexpr Control Command3 = Of("Command3");  // peak values
inline constexpr Control Command4 = Of("Command4");  // graphs
inline constexpr Control Command5 = Of("Command5");  // final circuit
inline constexpr Control Command6 = Of("Command6");  // "Esci"
inline constexpr Control Label67 = Of("Label67");    // version caption

}  // namespace classe::form1
