// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Every action of the program driven with arbitrary field texts, in turn, on
// one design state as in the running program: no fault escapes, every
// message is a known text or a fault, no written number is "nan" or "inf",
// and a rejected action changes nothing.
//
// Input: the texts of Text1…Text7 and Text9 separated by '|' (a field the
// input does not reach keeps its default); a ninth piece, if present, is the
// Text9 of a second peak action run after the first read-outs; the bytes
// after the ninth '|' are cursor positions, two floats each.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actions/action.h"
#include "actions/compute_action.h"
#include "actions/cursor_readout.h"
#include "actions/final_circuit_action.h"
#include "actions/graph_action.h"
#include "actions/input_fields.h"
#include "actions/matching_action.h"
#include "actions/peak_action.h"
#include "actions/recording_controls.h"
#include "actions/value_boxes.h"
#include "actions/verify_action.h"
#include "design/fault.h"
#include "design/text_input.h"
#include "fuzz/fuzz_support.h"
#include "tests/known_messages.h"

namespace classe::fuzz {
namespace {

// Sampling takes time in proportion to M: larger counts are folded below
// this so that an input runs in milliseconds.
constexpr std::int64_t kMaxSamples = 20000;
constexpr std::size_t kMaxCursorPositions = 8;

struct FuzzInput {
  std::array<std::string, 8> fields;
  std::optional<std::string> laterSampleCount;
  std::vector<PlotPoint> cursor;
};

FuzzInput Parse(std::string_view bytes) {
  FuzzInput input;
  for (std::size_t i = 0; i < kInputFields.size(); ++i) {
    input.fields[i] = std::string(kInputFields[i].defaultText);
  }
  std::size_t piece = 0;
  while (piece < kInputFields.size() + 1) {
    const std::size_t bar = bytes.find('|');
    const std::string_view text = bytes.substr(0, bar);
    if (piece < kInputFields.size()) {
      input.fields[piece] = std::string(text);
    } else {
      input.laterSampleCount = std::string(text);
    }
    ++piece;
    if (bar == std::string_view::npos) return input;
    bytes.remove_prefix(bar + 1);
  }
  for (; bytes.size() >= 2 * sizeof(float) && input.cursor.size() < kMaxCursorPositions;
       bytes.remove_prefix(2 * sizeof(float))) {
    PlotPoint p;
    std::memcpy(&p.x, bytes.data(), sizeof(float));
    std::memcpy(&p.y, bytes.data() + sizeof(float), sizeof(float));
    // The mouse is always somewhere: a window never reports a non-finite position.
    if (std::isfinite(p.x) && std::isfinite(p.y)) input.cursor.push_back(p);
  }
  return input;
}

// A count the check accepts and the action would sample above kMaxSamples is
// folded below it; negative, faulting and rejected texts stay as they are.
std::string CappedSampleCount(const std::string& text) {
  if (!LexicallyAcceptable(text)) return text;
  const PreservedFpFlags keep;
  const double rounded = std::nearbyint(Val(text));
  if (!(rounded > static_cast<double>(kMaxSamples) && rounded <= 2147483647.0)) return text;
  return std::to_string(static_cast<std::int64_t>(rounded) % (kMaxSamples + 1));
}

using testing::kOutOfMemory;
using testing::MessageKind;

// The actions driven here never meet the real-circuit engine, an export or
// ngspice: such a message is as unknown as any other text.
MessageKind Classify(const RecordingControls::Message& m) {
  const MessageKind kind = testing::ClassifyMessage(m.text, m.fault);
  switch (kind) {
    case MessageKind::EngineFailure:
    case MessageKind::ExportFailure:
    case MessageKind::Ngspice:
      return MessageKind::Unknown;
    default:
      return kind;
  }
}

// RecordingControls that also keep what the running action wrote, and check
// every coordinate handed to the drawing as it arrives.
class WatchedControls : public RecordingControls {
 public:
  struct Written {
    Window window;
    std::string control;
    std::string text;
  };

  struct Effects {
    std::vector<Written> captions;
    std::vector<std::string> toolTips;
    std::vector<Message> messages;
    int changesBefore = 0;
  };

  void startAction(std::string_view name) {
    action_ = name;
    effects_ = {};
    effects_.changesBefore = changes();
  }
  const Effects& effects() const { return effects_; }
  // Calls of the running action that altered a window in any way.
  int actionChanges() const { return changes() - effects_.changesBefore; }

  void setCaption(Control control, std::string_view caption) override {
    effects_.captions.push_back({control.window, std::string(control.name), std::string(caption)});
    RecordingControls::setCaption(control, caption);
  }
  void message(std::string_view text) override {
    effects_.messages.push_back({std::string(text), false});
    RecordingControls::message(text);
  }
  void fault(std::string_view text) override {
    effects_.messages.push_back({std::string(text), true});
    RecordingControls::fault(text);
  }
  void setScale(Control picture, const PlotScale& scale) override {
    RequireFinite({scale.left, scale.top, scale.right, scale.bottom}, "a picture's scale");
    RecordingControls::setScale(picture, scale);
  }
  void drawLine(Control picture, PlotPoint from, PlotPoint to) override {
    RequireFinite({from.x, from.y, to.x, to.y}, "a line's ends");
    RecordingControls::drawLine(picture, from, to);
  }
  void drawPolyline(Control picture, std::span<const PlotPoint> points, Rgb colour) override {
    for (const PlotPoint& p : points)
      RequireFinite({p.x, p.y}, "a curve's points");
    RecordingControls::drawPolyline(picture, points, colour);
  }
  void moveControl(Control control, double left, double top) override {
    RequireFinite({left, top}, "a label's position");
    RecordingControls::moveControl(control, left, top);
  }
  void setToolTip(Control control, std::string_view text) override {
    effects_.toolTips.emplace_back(text);
    RecordingControls::setToolTip(control, text);
  }

 private:
  void RequireFinite(std::initializer_list<double> values, std::string_view what) const {
    for (double v : values) {
      FUZZ_REQUIRE(std::isfinite(v), "every coordinate handed to the drawing is finite",
                   action_ + ": " + std::string(what));
    }
  }

  std::string action_;
  Effects effects_;
};

// What an action is allowed to say besides faults.
struct ActionRules {
  std::string_view name;
  std::span<const InputField> checked = {};  // empty: the action checks nothing
  bool mayWarnVon = false;
  bool mayShowBand = false;
  bool mayRefuse = false;
  std::span<const ValueBox> resultBoxes = {};  // all written when it ends Done
  bool clearsValueBoxes = false;               // the read-out empties the other curves
};

constexpr std::array kDesignBoxes{boxes::R, boxes::L1, boxes::C1, boxes::C2, boxes::L2, boxes::IDC};
constexpr std::array kPeakBoxes{boxes::Vc1max, boxes::Iswmax, boxes::Irmax};
constexpr std::array kVerifyBoxes{boxes::TgPsi, boxes::PoVer};

// The message of the first field, in the action's order, that the check
// must reject; nothing when every field passes.
std::optional<std::string_view> ExpectedRejection(WatchedControls& ui,
                                                  std::span<const InputField> fields) {
  for (const InputField& field : fields) {
    const std::string text = ui.text(field.control);
    if (!LexicallyAcceptable(text)) return text.empty() ? field.msgMissing : field.msgInvalid;
  }
  return std::nullopt;
}

void CheckEffects(WatchedControls& ui, const ActionRules& rules, Outcome outcome,
                  const std::optional<std::string_view>& rejection) {
  const WatchedControls::Effects& e = ui.effects();
  const std::string name(rules.name);

  int fieldMessages = 0;
  for (std::size_t i = 0; i < e.messages.size(); ++i) {
    const auto& m = e.messages[i];
    const MessageKind kind = Classify(m);
    auto context = [&] { return name + ": " + Printable(m.text); };
    FUZZ_REQUIRE(kind != MessageKind::Unknown, "every message is a known text or a fault",
                 context());
    FUZZ_REQUIRE(kind != MessageKind::FieldCheck || !rules.checked.empty(),
                 "only a checking action shows an input-check message", context());
    FUZZ_REQUIRE(kind != MessageKind::VonWarning || rules.mayWarnVon,
                 "the Von warning comes only from the graphs", context());
    FUZZ_REQUIRE(kind != MessageKind::Band || rules.mayShowBand,
                 "the band messages come only from the matching and the final circuit", context());
    FUZZ_REQUIRE(kind != MessageKind::Refusal || rules.mayRefuse,
                 "only a sampling action refuses its sample count", context());
    FUZZ_REQUIRE(
        (kind != MessageKind::Fault && kind != MessageKind::Refusal) || i + 1 == e.messages.size(),
        "an action stops at its fault", context());
    fieldMessages += kind == MessageKind::FieldCheck;
  }
  FUZZ_REQUIRE(fieldMessages <= 1, "at most one input-check message per action", name);

  if (rejection) {
    FUZZ_REQUIRE(outcome == Outcome::Rejected, "a field the check must reject ends the action",
                 name + ": expected " + Printable(*rejection));
    FUZZ_REQUIRE(e.messages.size() == 1 && e.messages[0].text == *rejection && !e.messages[0].fault,
                 "the rejection shows the first failing field's message, alone",
                 name + ": expected " + Printable(*rejection));
    FUZZ_REQUIRE(ui.actionChanges() == 0, "a rejected action changes no window, caption or picture",
                 name);
    return;
  }
  FUZZ_REQUIRE(outcome != Outcome::Rejected && fieldMessages == 0,
               "texts that pass the check are not rejected", name);

  const bool faulted = !e.messages.empty() && Classify(e.messages.back()) == MessageKind::Fault;
  const bool refused = !e.messages.empty() && Classify(e.messages.back()) == MessageKind::Refusal;
  FUZZ_REQUIRE((outcome == Outcome::Fault) == faulted,
               "a fault is reported exactly when one stops it", name);
  FUZZ_REQUIRE((outcome == Outcome::Refused) == refused,
               "a refusal is reported exactly when one stops it", name);
  if (refused && e.messages.back().text != kOutOfMemory) {
    FUZZ_REQUIRE(ui.actionChanges() == 0, "a refused sample count changes nothing", name);
  }

  int valueNumbers = 0;
  for (const WatchedControls::Written& c : e.captions) {
    auto context = [&] { return name + ": " + c.control + " = " + Printable(c.text); };
    FUZZ_REQUIRE(!MentionsNonFinite(c.text), "no caption says nan or inf", context());
    if (!FindValueBox({c.window, c.control})) continue;
    if (c.text.empty()) {
      FUZZ_REQUIRE(rules.clearsValueBoxes, "a value box is written with a number", context());
      continue;
    }
    const std::optional<long double> value = ReadShown(c.text);
    FUZZ_REQUIRE(value && std::isfinite(*value), "a value box holds a finite number", context());
    ++valueNumbers;
  }
  for (const std::string& tip : e.toolTips) {
    FUZZ_REQUIRE(!MentionsNonFinite(tip), "no tooltip says nan or inf",
                 name + ": " + Printable(tip));
  }
  if (rules.clearsValueBoxes && !e.captions.empty()) {
    FUZZ_REQUIRE(valueNumbers == 2, "the read-out shows one angle and one value", name);
  }
  if (outcome == Outcome::Done) {
    for (const ValueBox& box : rules.resultBoxes) {
      bool written = false;
      for (const WatchedControls::Written& c : e.captions)
        written = written || Control{c.window, c.control} == box.control;
      FUZZ_REQUIRE(written, "a completed action writes every result",
                   name + ": " + std::string(box.control.name));
    }
  }
}

// Every value an action may store, the sample arrays summed up: the check's
// own four fields aside, a rejected or refused action leaves all of them.
std::vector<double> StoredValues(const DesignState& s) {
  std::vector<double> values{
      s.OpARe, s.OpAIm, s.OpBRe,  s.OpBIm,  s.ResRe,  s.ResIm, s.Po,        s.f,
      s.Q,     s.Von,   s.Vcc,    s.R,      s.C1,     s.C2,    s.C0,        s.L1,
      s.L2,    s.Ir,    s.IDC,    s.Vc1FR,  s.Vc1FX,  s.Vc1F,  s.Vc1,       s.IrTeta,
      s.Ic1,   s.Isw,   s.ZRe,    s.ZIm,    s.IrRe,   s.IrIm,  s.teta,      s.omega,
      s.phi,   s.TgPsi, s.Vc1max, s.Iswmax, s.Ic1max, s.Irmax, double(s.N), double(s.M)};
  for (const SampleArray* samples : {&s.Vc1Samples, &s.IswSamples, &s.Ic1Samples, &s.IrSamples}) {
    double sum = 0;
    for (double v : *samples)
      sum += v;
    values.push_back(static_cast<double>(samples->size()));
    values.push_back(sum);
  }
  return values;
}

bool SameValues(const std::vector<double>& a, const std::vector<double>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

Outcome Run(DesignState& s, WatchedControls& ui, const ActionRules& rules,
            const std::function<Outcome()>& body) {
  const std::optional<std::string_view> rejection = ExpectedRejection(ui, rules.checked);
  // Only an action that may stop before storing anything needs the picture
  // of the state before it.
  std::vector<double> before;
  if (rejection || rules.mayRefuse) before = StoredValues(s);
  ui.startAction(rules.name);
  Outcome outcome = Outcome::Done;
  try {
    outcome = body();
  } catch (const ArithmeticFault& fault) {
    Fail("no arithmetic fault escapes an action", std::string(rules.name) + ": " + fault.what());
  } catch (const std::exception& error) {
    Fail("no exception escapes an action", std::string(rules.name) + ": " + error.what());
  }
  CheckEffects(ui, rules, outcome, rejection);
  const bool countRefused =
      outcome == Outcome::Refused && ui.effects().messages.back().text != kOutOfMemory;
  if (outcome == Outcome::Rejected || countRefused) {
    FUZZ_REQUIRE(SameValues(before, StoredValues(s)),
                 "a rejected or refused action stores no design value", std::string(rules.name));
  }
  return outcome;
}

void ReadOut(DesignState& s, WatchedControls& ui, std::span<const PlotPoint> positions) {
  const ActionRules rules{.name = "read-out", .clearsValueBoxes = true};
  for (const PlotPoint& p : positions) {
    Run(s, ui, rules, [&] {
      ShowCursorReadout(s, ui, p.x, p.y);
      return Outcome::Done;
    });
  }
}

}  // namespace
}  // namespace classe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe;
  using namespace classe::fuzz;
  const FuzzInput input = Parse(std::string_view(reinterpret_cast<const char*>(data), size));

  DesignState s;
  WatchedControls ui;
  for (std::size_t i = 0; i < kInputFields.size(); ++i)
    ui.setText(kInputFields[i].control, input.fields[i]);
  const std::string sampleCount = CappedSampleCount(input.fields[7]);
  ui.setText(form1::Text9, sampleCount);

  const Outcome computed =
      Run(s, ui, {.name = "compute", .checked = kDesignFields, .resultBoxes = kDesignBoxes},
          [&] { return ComputeComponents(s, ui); });
  Run(s, ui,
      {.name = "peaks", .checked = kSamplingFields, .mayRefuse = true, .resultBoxes = kPeakBoxes},
      [&] { return ShowPeakValues(s, ui); });
  // The matching button appears only after a completed computation.
  if (computed == Outcome::Done) {
    Run(s, ui, {.name = "matching", .mayShowBand = true},
        [&] { return ShowMatchingNetwork(s, ui); });
  }
  Run(s, ui, {.name = "graphs", .checked = kSamplingFields, .mayWarnVon = true, .mayRefuse = true},
      [&] { return ShowGraphs(s, ui); });
  Run(s, ui, {.name = "final circuit", .checked = kDesignFields, .mayShowBand = true},
      [&] { return ShowFinalCircuit(s, ui); });
  Run(s, ui, {.name = "verification", .resultBoxes = kVerifyBoxes},
      [&] { return VerifyCircuit(s, ui); });

  // The read-out follows the mouse over the graph window once it exists: one
  // position in each curve's strip, one below the plot, then the input's own.
  if (ui.loaded(Window::Form2)) {
    constexpr std::array<PlotPoint, 5> kStrips{{{25, 90}, {50, 70}, {75, 45}, {100, 10}, {50, -1}}};
    std::vector<PlotPoint> positions(kStrips.begin(), kStrips.end());
    positions.insert(positions.end(), input.cursor.begin(), input.cursor.end());
    ReadOut(s, ui, positions);
    // A peak action with another count leaves arrays of other lengths (the
    // capacitor current keeps the graph's); the read-out rescans them.
    if (input.laterSampleCount) {
      ui.setText(form1::Text9, CappedSampleCount(*input.laterSampleCount));
      Run(s, ui,
          {.name = "later peaks",
           .checked = kSamplingFields,
           .mayRefuse = true,
           .resultBoxes = kPeakBoxes},
          [&] { return ShowPeakValues(s, ui); });
      ReadOut(s, ui, positions);
    }
  }
  return 0;
}
