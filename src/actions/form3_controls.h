// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

// The final circuit window's controls.
namespace classe::form3 {

constexpr Control Of(std::string_view name) {
  return {Window::Form3, name};
}

// The three schematics, one for each case of the load.
inline constexpr Control Picture1 = Of("Picture1");  // C across RL: L2 and L merged into LF
inline constexpr Control Picture2 = Of("Picture2");  // C at the input, then L
inline constexpr Control Picture3 = Of("Picture3");  // no network

// Component rows: symbol, value box, unit.
inline constexpr Control Label8 = Of("Label8");  // L1
inline constexpr Control Label1 = Of("Label1");
inline constexpr Control Label9 = Of("Label9");
inline constexpr Control Label10 = Of("Label10");  // C1
inline constexpr Control Label2 = Of("Label2");
inline constexpr Control Label25 = Of("Label25");
inline constexpr Control Label11 = Of("Label11");  // C2
inline constexpr Control Label3 = Of("Label3");
inline constexpr Control Label12 = Of("Label12");
inline constexpr Control Label13 = Of("Label13");  // L2
inline constexpr Control Label4 = Of("Label4");
inline constexpr Control Label14 = Of("Label14");
inline constexpr Control Label18 = Of("Label18");  // C
inline constexpr Control Label5 = Of("Label5");
inline constexpr Control Label19 = Of("Label19");
inline constexpr Control Label17 = Of("Label17");  // L, in one place with LF
inline constexpr Control Label15 = Of("Label15");  // LF
inline constexpr Control Label6 = Of("Label6");
inline constexpr Control Label16 = Of("Label16");
inline constexpr Control Label20 = Of("Label20");  // RL
inline constexpr Control Label7 = Of("Label7");
inline constexpr Control Label21 = Of("Label21");

// Verification.
inline constexpr Control Command1 = Of("Command1");  // " Verifica "
inline constexpr Control Label24 = Of("Label24");    // tg(psi) ver.
inline constexpr Control Label22 = Of("Label22");
inline constexpr Control Label26 = Of("Label26");  // Po ver.
inline constexpr Control Label23 = Of("Label23");
inline constexpr Control Label27 = Of("Label27");

inline constexpr Control Command2 = Of("Command2");  // "Esci"
inline constexpr Control Label28 = Of("Label28");    // note on tg(psi) ver.
inline constexpr Control Label29 = Of("Label29");    // note on Po ver.

}  // namespace classe::form3
