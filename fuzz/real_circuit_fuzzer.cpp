// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The real-circuit window's action driven with arbitrary texts in the main
// window's design fields and in Ron, Coss and QU: no fault or exception
// escapes, every message is a known text, no written number is "nan" or
// "inf", a design either shows every one of its numbers or none, and the
// deck of a design that has numbers is written or refused with a message.
//
// Input: the texts of Text1…Text7, Ron, Coss and QU separated by '|' (a field
// the input does not reach keeps its default); after the tenth '|' one byte
// of choices (bit 0: the network in the loop, bit 1: the ideal design for the
// deck), then cursor positions, two floats each.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "actions/real_circuit_action.h"
#include "actions/real_circuit_plot.h"
#include "actions/recording_controls.h"
#include "actions/value_boxes.h"
#include "fuzz/fuzz_support.h"
#include "tests/known_messages.h"

namespace classe::fuzz {
namespace {

constexpr std::size_t kMaxCursorPositions = 6;

// Text1…Text7, then Ron, Coss, QU.
std::array<Control, 10> FieldControls() {
  std::array<Control, 10> controls{};
  for (std::size_t i = 0; i < 7; ++i)
    controls[i] = kInputFields[i].control;
  for (std::size_t i = 0; i < 3; ++i)
    controls[7 + i] = kRealCircuitFields[i].control;
  return controls;
}

// The engine's texts only as faults, the field checks' never.
bool KnownMessage(const RecordingControls::Message& m) {
  return testing::ClassifyMessage(m.text, m.fault) != testing::MessageKind::Unknown;
}

// A design's boxes hold every number or none: a column is never half shown.
void CheckColumn(const RecordingControls& ui, bool exact, bool shown) {
  for (const ValueBox& box : ValueBoxes()) {
    if (box.control.window != Window::Form4) continue;
    const std::string_view symbol = box.symbol;
    const bool ofThisDesign = symbol.ends_with(exact ? " esatto" : " ideale");
    if (!ofThisDesign || symbol.find("rete") != std::string_view::npos) continue;
    const auto caption = ui.caption(box.control);
    if (!caption) continue;
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
  const std::array<Control, 10> controls = FieldControls();
  std::size_t piece = 0;
  for (; piece < controls.size(); ++piece) {
    const std::size_t bar = bytes.find('|');
    ui.setText(controls[piece], std::string(bytes.substr(0, bar)));
    if (bar == std::string_view::npos) {
      bytes = {};
      break;
    }
    bytes.remove_prefix(bar + 1);
  }
  const std::uint8_t choices = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes.front());
  if (!bytes.empty()) bytes.remove_prefix(1);
  ui.setChecked(form4::Check1, (choices & 1) != 0);
  if (choices & 2) ui.select(form4::Option2);

  RealCircuitState state;
  Outcome outcome = Outcome::Done;
  try {
    outcome = ShowRealCircuit(state, ui);
    FUZZ_REQUIRE(outcome != Outcome::Rejected || ui.captions().empty(),
                 "a rejected run writes nothing");
    for (std::size_t n = 0; bytes.size() >= 2 * sizeof(float) && n < kMaxCursorPositions;
         ++n, bytes.remove_prefix(2 * sizeof(float))) {
      float x = 0;
      float y = 0;
      std::memcpy(&x, bytes.data(), sizeof x);
      std::memcpy(&y, bytes.data() + sizeof x, sizeof y);
      if (std::isfinite(x) && std::isfinite(y)) ShowRealCircuitReadout(state, ui, x, y);
    }
    const auto deck = ChosenDeck(state, ui);
    if (deck) {
      FUZZ_REQUIRE(deck->text.find(".meas tran von ") != std::string::npos,
                   "a deck measures what the window compares");
      FUZZ_REQUIRE(!MentionsNonFinite(deck->text), "no deck holds nan or inf");
    }
  } catch (const std::exception& error) {
    Fail("no exception escapes the real circuit's action", error.what());
  }

  int fieldMessages = 0;
  for (const auto& m : ui.messages()) {
    FUZZ_REQUIRE(KnownMessage(m), "every message is a known text", Printable(m.text));
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
