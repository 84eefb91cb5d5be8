// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The real-circuit window's action on arbitrary texts in the main window's
// design fields and in Ron, Coss and QU: no exception escapes, every message
// is known, nothing written says "nan" or "inf", a design shows all its
// numbers or none, and a design's deck is written or refused with a message.
//
// Input: Text1…Text7, Ron, Coss and QU separated by '|' (a field not reached
// keeps its default); after the tenth '|' one byte of choices (bit 0: the
// network in the loop, bit 1: the ideal design for the deck), then cursor
// positions, two floats each.

#include <array>
#include <exception>

#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "actions/real_circuit_action.h"
#include "actions/real_circuit_plot.h"
#include "actions/recording_controls.h"
#include "actions/value_boxes.h"
#include "fuzz/fuzz_support.h"

namespace classe::fuzz {
namespace {

constexpr std::size_t kMaxCursorPositions = 6;

// A design's boxes hold every number or none: a column is never half shown.
void CheckColumn(const RecordingControls& ui, bool exact, bool shown) {
  for (const ValueBox& box : ValueBoxes()) {
    const std::string_view symbol = box.symbol;
    const auto caption = ui.caption(box.control);
    if (box.control.window != Window::Form4 || !symbol.ends_with(exact ? " esatto" : " ideale") ||
        symbol.find("rete") != std::string_view::npos ||
        symbol.find("margine") != std::string_view::npos || !caption)
      continue;
    FUZZ_REQUIRE(caption->empty() != shown, "a design shows all its numbers or none",
                 std::string(symbol) + " = " + Printable(*caption));
  }
}

}  // namespace
}  // namespace classe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe;
  using namespace classe::fuzz;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  RecordingControls ui;
  const std::vector<std::string> texts = SplitAtBars(bytes, 7 + kRealCircuitFields.size());
  for (std::size_t i = 0; i < texts.size(); ++i)
    ui.setText(i < 7 ? kInputFields[i].control : kRealCircuitFields[i - 7].control, texts[i]);
  const std::uint8_t choices = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes.front());
  ui.setChecked(form4::Check1, (choices & 1) != 0);
  if (choices & 2) ui.select(form4::Option2);
  if (!bytes.empty()) bytes.remove_prefix(1);

  RealCircuitState state;
  Outcome outcome = Outcome::Done;
  try {
    outcome = ShowRealCircuit(state, ui);
    FUZZ_REQUIRE(outcome != Outcome::Rejected || ui.captions().empty(),
                 "a rejected run writes nothing");
    for (const PlotPoint& p :
         CursorPositions(bytes.substr(0, 2 * sizeof(float) * kMaxCursorPositions)))
      ShowRealCircuitReadout(state, ui, p.x, p.y);
    if (const auto deck = ChosenDeck(state, ui)) {
      FUZZ_REQUIRE(deck->text.find(".meas tran von ") != std::string::npos,
                   "a deck measures what the window compares");
      FUZZ_REQUIRE(!MentionsNonFinite(deck->text), "no deck holds nan or inf");
    }
  } catch (const std::exception& error) {
    Fail("no exception escapes the real circuit's action", error.what());
  }

  int fieldMessages = 0;
  for (const auto& m : ui.messages()) {
    // The engine's texts only as faults, the field checks' never.
    FUZZ_REQUIRE(testing::ClassifyMessage(m.text, m.fault) != testing::MessageKind::Unknown,
                 "every message is a known text", Printable(m.text));
    FUZZ_REQUIRE(!MentionsNonFinite(m.text), "no message says nan or inf", Printable(m.text));
    fieldMessages += !m.fault;
  }
  if (outcome == Outcome::Rejected) {
    FUZZ_REQUIRE(fieldMessages == 1 && ui.messages().size() == 1,
                 "a rejection shows one input-check message, alone");
    return 0;
  }
  for (const auto& [key, text] : ui.captions()) {
    FUZZ_REQUIRE(!MentionsNonFinite(text), "no caption says nan or inf",
                 key.second + " = " + Printable(text));
  }
  if (const auto tip = ui.toolTip(form4::Picture1)) {
    FUZZ_REQUIRE(!MentionsNonFinite(*tip), "no tooltip says nan or inf", Printable(*tip));
  }
  if (outcome != Outcome::Fault || !ui.messages().back().text.starts_with("Errore di calcolo")) {
    CheckColumn(ui, false, state.ideal.has_value());
    CheckColumn(ui, true, state.exact.has_value());
  }
  return 0;
}
