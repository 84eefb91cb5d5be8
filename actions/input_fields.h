#pragma once

#include <span>
#include <string_view>

#include "actions/controls.h"
#include "design/design_equations.h"
#include "design/design_state.h"

namespace classe {

// An input field of the main window with the two messages of its check.
struct InputField {
  std::string_view control;   // "Text1"…
  std::string_view quantity;  // "Po"…, as the command line names it
  std::string_view defaultText;
  std::string_view msgMissing;
  std::string_view msgInvalid;
};

// Po, f, Q, Von, Vcc, N, RL, M: the order in which the actions check them.
std::span<const InputField> InputFields();

// Text1…Text7: checked by the compute and final-circuit buttons.
std::span<const InputField> DesignFields();

// Text1…Text7 and Text9: checked by the peak and graph buttons.
std::span<const InputField> SamplingFields();

// The lexical check of one text with the messages the state holds: shows
// MsgMissing or MsgInvalid when the text is rejected, and leaves 0 (accepted)
// or 1 (rejected) in InputError.
void CheckNumber(DesignState& state, const std::string& text, Controls& ui);

// Runs the check of each field in order and stops at the first rejection,
// whose message has been shown; true when every field passed.
bool CheckFields(DesignState& state, Controls& ui, std::span<const InputField> fields);

// The texts the design is computed from, as the fields hold them now.
DesignTexts ReadDesignTexts(Controls& ui);

}  // namespace classe
