// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <new>
#include <utility>

#include "actions/controls.h"
#include "engine/design/fault.h"

namespace classe {

// How a button's action ended.
enum class Outcome {
  Done,      // ran to its end
  Rejected,  // an input field failed its check; its message was shown
  Fault,     // an arithmetic fault stopped it; reported to the user
  Refused,   // an input the program will not run with; reported to the user
};

// Memory that vanished after the sample count was judged against it.
inline constexpr const char* kSampleMemoryGone =
    "Memoria insufficiente per i campioni richiesti: riduci il numero di campioni M.";

// Runs `body` on a fresh floating-point status, turning an arithmetic fault into the user's
// message. What the body stored and showed before the fault stays.
template <class Body>
Outcome RunGuarded(Controls& ui, Body&& body) {
  ClearFpFaults();
  try {
    return std::forward<Body>(body)();
  } catch (const ArithmeticFault& fault) {
    ui.fault(fault.what());
    return Outcome::Fault;
  } catch (const std::bad_alloc&) {
    // The sample count was judged against free memory beforehand; this is
    // memory that vanished meanwhile.
    ui.fault(kSampleMemoryGone);
    return Outcome::Refused;
  }
}

}  // namespace classe
