#pragma once

#include <string_view>

#include "actions/action.h"
#include "design/design_state.h"
#include "actions/recording_controls.h"

namespace classe::cli {

// Runs the named action the way the windows run it. "rete" computes the
// design first and "verifica" fills the final circuit first, as a user must
// before those buttons can be pressed; "campioni" samples all four waveforms
// as the graphs do.
Outcome RunAction(std::string_view action, DesignState& state, RecordingControls& ui);

}  // namespace classe::cli
