// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "actions/form1_controls.h"
#include "actions/form2_controls.h"
#include "actions/form3_controls.h"
#include "actions/recording_controls.h"
#include "engine/design/design_state.h"

namespace classe::testing {

// A main window whose fields hold their defaults except those given, by
// field → text.
inline RecordingControls Fields(std::initializer_list<std::pair<Control, const char*>> texts = {}) {
  RecordingControls ui;
  for (const auto& [control, text] : texts)
    ui.setText(control, text);
  return ui;
}

inline std::string Caption(const RecordingControls& ui, Control control) {
  return ui.caption(control).value_or("<unwritten>");
}

// Every message shown, faults included, in order.
inline std::vector<std::string> Messages(const RecordingControls& ui) {
  std::vector<std::string> texts;
  for (const auto& m : ui.messages())
    texts.push_back(m.text);
  return texts;
}

}  // namespace classe::testing
