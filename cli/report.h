#pragma once

#include <ostream>
#include <string_view>

#include "design/design_state.h"
#include "actions/recording_controls.h"

namespace classe::cli {

// One line per value box the action wrote: symbol, text and unit as the
// window shows them, tab-separated; the messages that are not faults first.
void PrintPlain(std::ostream& out, const RecordingControls& ui);

// {"action", "messages", "fault", "labels", "visible", "state"}.
void PrintJson(std::ostream& out, std::string_view action, const RecordingControls& ui,
               const DesignState& state);

// i,teta,Vc1,Isw,Ic1,Ir for samples 0…M, full precision.
void PrintSamplesCsv(std::ostream& out, const DesignState& state);

}  // namespace classe::cli
