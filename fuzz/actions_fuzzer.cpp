// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Every action of the program, in turn, on one design state as in the running
// program, with arbitrary field texts: no fault escapes, every message is
// known or a fault, nothing written says "nan" or "inf", and a rejected
// action changes nothing.
//
// Input: Text1…Text7 and Text9 separated by '|' (a field not reached keeps its
// default); a ninth piece, if any, is the Text9 of a second peak action run
// after the first read-outs; after the ninth '|', cursor positions, two
// floats each.

#include <algorithm>
#include <array>
#include <exception>
#include <functional>
#include <span>

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
#include "engine/design/fault.h"
#include "engine/design/text_input.h"
#include "fuzz/fuzz_support.h"

namespace classe::fuzz {
namespace {

using testing::kOutOfMemory;
using testing::MessageKind;

// Sampling takes time in proportion to M: larger counts are folded below
// this so that an input runs in milliseconds.
constexpr std::int64_t kMaxSamples = 20000;
constexpr std::size_t kMaxCursorPositions = 8;

// A count the check accepts and the action would sample above kMaxSamples is
// folded below it; negative, faulting and rejected texts stay as they are.
std::string CappedSampleCount(const std::string& text) {
  if (!LexicallyAcceptable(text)) return text;
  const PreservedFpFlags keep;
  const double rounded = std::nearbyint(Val(text));
  if (!(rounded > static_cast<double>(kMaxSamples) && rounded <= 2147483647.0)) return text;
  return std::to_string(static_cast<std::int64_t>(rounded) % (kMaxSamples + 1));
}

// The actions driven here never meet the real-circuit engine, an export or
// ngspice: such a message is as unknown as any other text.
MessageKind Classify(const RecordingControls::Message& m) {
  const MessageKind kind = testing::ClassifyMessage(m.text, m.fault);
  const bool foreign = kind == MessageKind::EngineFailure || kind == MessageKind::ExportFailure ||
                       kind == MessageKind::Ngspice;
  return foreign ? MessageKind::Unknown : kind;
}

// RecordingControls that also keep what the running action wrote, and check
// every coordinate handed to the drawing and every tooltip as they arrive.
class WatchedControls : public RecordingControls {
 public:
  void startAction(std::string_view name) {
    action_ = name;
    written_.clear();
    messagesBefore_ = messages().size();
    changesBefore_ = changes();
  }
  // The running action's captions in order, its messages, and its calls
  // that altered a window in any way.
  const std::vector<std::pair<Key, std::string>>& actionCaptions() const { return written_; }
  std::span<const Message> actionMessages() const {
    return std::span(messages()).subspan(messagesBefore_);
  }
  int actionChanges() const { return changes() - changesBefore_; }

  void setCaption(Control control, std::string_view caption) override {
    FUZZ_REQUIRE(!MentionsNonFinite(caption), "no caption says nan or inf",
                 action_ + ": " + std::string(control.name) + " = " + Printable(caption));
    written_.push_back({{control.window, std::string(control.name)}, std::string(caption)});
    RecordingControls::setCaption(control, caption);
  }
  void setToolTip(Control control, std::string_view text) override {
    FUZZ_REQUIRE(!MentionsNonFinite(text), "no tooltip says nan or inf",
                 action_ + ": " + Printable(text));
    RecordingControls::setToolTip(control, text);
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

 private:
  void RequireFinite(std::initializer_list<double> values, std::string_view what) const {
    for (double v : values) {
      FUZZ_REQUIRE(std::isfinite(v), "every coordinate handed to the drawing is finite",
                   action_ + ": " + std::string(what));
    }
  }

  std::string action_;
  std::vector<std::pair<Key, std::string>> written_;
  std::size_t messagesBefore_ = 0;
  int changesBefore_ = 0;
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

// Returns how many input-check messages there were.
int CheckMessages(std::span<const RecordingControls::Message> messages, const ActionRules& rules) {
  const std::string name(rules.name);
  int fieldMessages = 0;
  for (std::size_t i = 0; i < messages.size(); ++i) {
    const MessageKind kind = Classify(messages[i]);
    auto context = [&] { return name + ": " + Printable(messages[i].text); };
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
        (kind != MessageKind::Fault && kind != MessageKind::Refusal) || i + 1 == messages.size(),
        "an action stops at its fault", context());
    fieldMessages += kind == MessageKind::FieldCheck;
  }
  FUZZ_REQUIRE(fieldMessages <= 1, "at most one input-check message per action", name);
  return fieldMessages;
}

// The value boxes an action that was not rejected wrote.
void CheckCaptions(const WatchedControls& ui, const ActionRules& rules, Outcome outcome) {
  const std::string name(rules.name);
  int valueNumbers = 0;
  for (const auto& [key, text] : ui.actionCaptions()) {
    if (!FindValueBox({key.first, key.second}) || (text.empty() && rules.clearsValueBoxes))
      continue;
    const std::optional<long double> value = ReadShown(text);
    FUZZ_REQUIRE(value && std::isfinite(*value), "a value box is written with a finite number",
                 name + ": " + key.second + " = " + Printable(text));
    ++valueNumbers;
  }
  FUZZ_REQUIRE(!rules.clearsValueBoxes || ui.actionCaptions().empty() || valueNumbers == 2,
               "the read-out shows one angle and one value", name);
  if (outcome != Outcome::Done) return;
  for (const ValueBox& box : rules.resultBoxes) {
    const RecordingControls::Key key{box.control.window, std::string(box.control.name)};
    FUZZ_REQUIRE(std::ranges::any_of(ui.actionCaptions(), [&](auto& c) { return c.first == key; }),
                 "a completed action writes every result", name + ": " + key.second);
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
  const std::string name(rules.name);
  const std::optional<std::string_view> rejection = ExpectedRejection(ui, rules.checked);
  // Only an action that may stop before storing anything needs the picture
  // of the state before it.
  std::vector<double> before;
  if (rejection || rules.mayRefuse) before = StoredValues(s);
  ui.startAction(name);
  Outcome outcome = Outcome::Done;
  try {
    outcome = body();
  } catch (const ArithmeticFault& fault) {
    Fail("no arithmetic fault escapes an action", name + ": " + fault.what());
  } catch (const std::exception& error) {
    Fail("no exception escapes an action", name + ": " + error.what());
  }

  const std::span<const RecordingControls::Message> messages = ui.actionMessages();
  const int fieldMessages = CheckMessages(messages, rules);
  if (rejection) {
    const std::string expected = name + ": expected " + Printable(*rejection);
    FUZZ_REQUIRE(outcome == Outcome::Rejected, "a field the check must reject ends the action",
                 expected);
    FUZZ_REQUIRE(messages.size() == 1 && messages[0].text == *rejection && !messages[0].fault,
                 "the rejection shows the first failing field's message, alone", expected);
  } else {
    FUZZ_REQUIRE(outcome != Outcome::Rejected && fieldMessages == 0,
                 "texts that pass the check are not rejected", name);
    const MessageKind last = messages.empty() ? MessageKind::Unknown : Classify(messages.back());
    FUZZ_REQUIRE((outcome == Outcome::Fault) == (last == MessageKind::Fault),
                 "a fault is reported exactly when one stops it", name);
    FUZZ_REQUIRE((outcome == Outcome::Refused) == (last == MessageKind::Refusal),
                 "a refusal is reported exactly when one stops it", name);
    CheckCaptions(ui, rules, outcome);
  }
  if (outcome == Outcome::Rejected ||
      (outcome == Outcome::Refused && messages.back().text != kOutOfMemory)) {
    FUZZ_REQUIRE(ui.actionChanges() == 0,
                 "a rejected action or refused sample count changes no window, caption or picture",
                 name);
    FUZZ_REQUIRE(SameValues(before, StoredValues(s)),
                 "a rejected or refused action stores no design value", name);
  }
  return outcome;
}

void ReadOut(DesignState& s, WatchedControls& ui, std::span<const PlotPoint> positions) {
  for (const PlotPoint& p : positions) {
    Run(s, ui, {.name = "read-out", .clearsValueBoxes = true}, [&] {
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
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> texts = SplitAtBars(bytes, kInputFields.size() + 1);
  DesignState s;
  WatchedControls ui;
  for (std::size_t i = 0; i < texts.size() && i < kInputFields.size(); ++i)
    ui.setText(kInputFields[i].control, texts[i]);
  ui.setText(form1::Text9, CappedSampleCount(ui.text(form1::Text9)));
  const auto peaks = [&](std::string_view name) {
    return Run(
        s, ui,
        {.name = name, .checked = kSamplingFields, .mayRefuse = true, .resultBoxes = kPeakBoxes},
        [&] { return ShowPeakValues(s, ui); });
  };

  const Outcome computed =
      Run(s, ui, {.name = "compute", .checked = kDesignFields, .resultBoxes = kDesignBoxes},
          [&] { return ComputeComponents(s, ui); });
  peaks("peaks");
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
    std::vector<PlotPoint> positions{{25, 90}, {50, 70}, {75, 45}, {100, 10}, {50, -1}};
    std::vector<PlotPoint> cursor = CursorPositions(bytes);
    cursor.resize(std::min(cursor.size(), kMaxCursorPositions));
    positions.insert(positions.end(), cursor.begin(), cursor.end());
    ReadOut(s, ui, positions);
    // A peak action with another count leaves arrays of other lengths (the
    // capacitor current keeps the graph's); the read-out rescans them.
    if (texts.size() > kInputFields.size()) {
      ui.setText(form1::Text9, CappedSampleCount(texts.back()));
      peaks("later peaks");
      ReadOut(s, ui, positions);
    }
  }
  return 0;
}
