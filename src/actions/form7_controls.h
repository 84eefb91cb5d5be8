// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

// The sweep window: one input of the stage as built over a range, the
// figures against it.
namespace classe::form7 {

constexpr Control Of(std::string_view name) {
  return {Window::Form7, name};
}

inline constexpr Control Option1 = Of("Option1");      // the load resistance
inline constexpr Control Option2 = Of("Option2");      // a load reactance
inline constexpr Control Option3 = Of("Option3");      // Vcc
inline constexpr Control Option4 = Of("Option4");      // the frequency
inline constexpr Control Text1 = Of("Text1");          // from
inline constexpr Control Text2 = Of("Text2");          // to
inline constexpr Control Text3 = Of("Text3");          // points
inline constexpr Control Command1 = Of("Command1");    // "Calcola"
inline constexpr Control Command2 = Of("Command2");    // "Interrompi"
inline constexpr Control Command3 = Of("Command3");    // "Salva immagine…"
inline constexpr Control Command4 = Of("Command4");    // "Esporta CSV…"
inline constexpr Control Command5 = Of("Command5");    // "Esci"
inline constexpr Control Progress1 = Of("Progress1");  // points done
inline constexpr Control Label1 = Of("Label1");        // what the run did
inline constexpr Control Label2 = Of("Label2");        // the read-out under the mouse
inline constexpr Control Picture1 = Of("Picture1");    // the curves
inline constexpr Control Label3 = Of("Label3");        // the swept input, under the plot
inline constexpr Control Label4 = Of("Label4");        // its low end
inline constexpr Control Label5 = Of("Label5");        // its high end
inline constexpr Control Label6 = Of("Label6");        // the program's version
// Inside the plot, one caption a strip, top to bottom: its quantity and
// range.
inline constexpr Control Label10 = Of("Label10");
inline constexpr Control Label11 = Of("Label11");
inline constexpr Control Label12 = Of("Label12");
inline constexpr Control Label13 = Of("Label13");
inline constexpr Control Label14 = Of("Label14");
// The fields' captions.
inline constexpr Control Label20 = Of("Label20");  // "Da:"
inline constexpr Control Label21 = Of("Label21");  // "A:"
inline constexpr Control Label22 = Of("Label22");  // "Punti:"
inline constexpr Control Label23 = Of("Label23");  // "Variabile:"

}  // namespace classe::form7
