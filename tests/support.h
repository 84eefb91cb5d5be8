#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "design/design_state.h"
#include "actions/recording_controls.h"

namespace classe::testing {

// A main window whose fields hold their defaults except those given, by
// control name ("Text7") → text.
inline RecordingControls Fields(
    std::initializer_list<std::pair<const char*, const char*>> texts = {}) {
  RecordingControls ui;
  for (const auto& [control, text] : texts)
    ui.setText(control, text);
  return ui;
}

inline std::string Caption(const RecordingControls& ui, Window window, const char* control) {
  return ui.caption(window, control).value_or("<unwritten>");
}

// Every message shown, faults included, in order.
inline std::vector<std::string> Messages(const RecordingControls& ui) {
  std::vector<std::string> texts;
  for (const auto& m : ui.messages())
    texts.push_back(m.text);
  return texts;
}

}  // namespace classe::testing
