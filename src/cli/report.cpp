// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/report.h"

#include "cli/report_json.h"

#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "actions/form3_controls.h"
#include "actions/value_boxes.h"
#include "engine/design/samples_csv.h"

namespace classe::cli {
namespace {

using Json = nlohmann::ordered_json;

// The symbol beside a value box; the final circuit's inductor row reads LF
// when L2 and L are merged.
std::string_view SymbolOf(const RecordingControls& ui, const ValueBox& box) {
  if (box.control == form3::Label6 && ui.visible(form3::Label15).value_or(false)) {
    return boxes::FinalLF.symbol;
  }
  return box.symbol;
}

Control ControlOf(const RecordingControls::Key& key) {
  return {key.first, key.second};
}

// Every numeric field, in the order of declaration.
std::vector<std::pair<std::string_view, Json>> NumericFields(const DesignState& s) {
  // clang-format off
  return {{"OpARe", s.OpARe},   {"OpAIm", s.OpAIm},   {"OpBRe", s.OpBRe},
          {"OpBIm", s.OpBIm},   {"ResRe", s.ResRe},   {"ResIm", s.ResIm},
          {"Po", s.Po},         {"f", s.f},           {"Q", s.Q},
          {"Von", s.Von},       {"Vcc", s.Vcc},       {"R", s.R},
          {"C1", s.C1},         {"C2", s.C2},         {"C0", s.C0},
          {"L1", s.L1},         {"L2", s.L2},         {"Ir", s.Ir},
          {"IDC", s.IDC},       {"Vc1FR", s.Vc1FR},   {"Vc1FX", s.Vc1FX},
          {"Vc1F", s.Vc1F},     {"Vc1", s.Vc1},       {"IrTeta", s.IrTeta},
          {"Ic1", s.Ic1},       {"Isw", s.Isw},       {"ZRe", s.ZRe},
          {"ZIm", s.ZIm},       {"IrRe", s.IrRe},     {"IrIm", s.IrIm},
          {"teta", s.teta},     {"omega", s.omega},   {"phi", s.phi},
          {"TgPsi", s.TgPsi},   {"N", s.N},           {"Vc1max", s.Vc1max},
          {"Iswmax", s.Iswmax}, {"Ic1max", s.Ic1max}, {"Irmax", s.Irmax},
          {"InputError", s.InputError}, {"M", s.M}};
  // clang-format on
}

Json Rating(const circuit::ComponentRating& part) {
  return {{"I", part.current}, {"V", part.voltage}};
}

// A design's components and what the real circuit does with it.
void AddRun(Json& json, const RealCircuitRun& run, bool exact) {
  const circuit::Stage& st = run.stage;
  const bool network = st.load.kind != circuit::LoadKind::Resistor;
  Json& design = json["design"];
  design = {{"R", st.R},
            {"L1", st.L1},
            {"C1", st.C1},
            {"C1_to_buy", st.C1ToBuy()},
            {"Cext", st.C1ToBuy()},
            {"C2", st.C2},
            {"L2", st.L2}};
  if (network) {
    design["L"] = st.load.L;
    design["C"] = st.load.C;
  }
  const circuit::Ratings& r = run.ratings;
  Json ratings = {{"L1", Rating(r.L1)}, {"C1", Rating(r.C1)},     {"C2", Rating(r.C2)},
                  {"L2", Rating(r.L2)}, {"load", Rating(r.load)}, {"switch", Rating(r.sw)}};
  if (network) {
    ratings["L"] = Rating(r.networkL);
    ratings["C"] = Rating(r.networkC);
  }
  json["circuit"] = {{"Po", run.steady.power.load},
                     {"Pdc", run.steady.power.dc},
                     {"efficiency", run.steady.efficiency},
                     {"von_fraction", run.steady.vonFraction},
                     {"dv_dtheta_on", run.steady.slopeTurnOn},
                     {"Vpeak", run.steady.vPeak},
                     {"Iswitch_peak", r.sw.current},
                     {"ratings", ratings},
                     {"harmonics_dBc", {{"2", run.spectrum.second}, {"3", run.spectrum.third}}}};
  if (exact) json["iterations"] = run.iterations;
}

// One document a run, indented by two spaces, which scripts may compare as text.
void PrintJson(std::ostream& out, const Json& json) {
  out << json.dump(2) << '\n';
}

}  // namespace

// "action", "messages" and "fault", which every JSON report begins with.
Json JsonHead(const RunReport& report) {
  Json json;
  json["action"] = report.action;
  json["messages"] = Json::array();
  Json fault = nullptr;
  for (const auto& message : report.session.ui.messages()) {
    json["messages"].push_back(message.text);
    if (message.fault) fault = message.text;
  }
  json["fault"] = fault;
  return json;
}

std::string JsonKey(Control control) {
  return std::string(WindowName(control.window)) + '.' + std::string(control.name);
}

void PrintValues(std::ostream& out, const RunReport& report) {
  if (report.outcome == Outcome::Rejected) return;
  for (const auto& message : report.session.ui.messages()) {
    if (!message.fault) out << message.text << '\n';
  }
  for (const auto& [key, text] : report.session.ui.captions()) {
    const ValueBox* box = FindValueBox(ControlOf(key));
    if (!box || text.empty()) continue;  // a box left empty says nothing
    out << SymbolOf(report.session.ui, *box) << '\t' << text;
    if (!box->unit.empty()) out << '\t' << box->unit;
    out << '\n';
  }
}

void PrintSamples(std::ostream& out, const RunReport& report) {
  if (report.outcome == Outcome::Done) WriteSamplesCsv(out, report.session.state);
}

void PrintDeck(std::ostream& out, const RunReport& report) {
  if (report.session.deck) out << report.session.deck->text;
}

void PrintJsonReport(std::ostream& out, const RunReport& report) {
  Json json = JsonHead(report);
  json["labels"] = Json::object();
  for (const auto& [key, text] : report.session.ui.captions())
    json["labels"][JsonKey(ControlOf(key))] = text;
  json["visible"] = Json::object();
  for (Window window : {Window::Form2, Window::Form3}) {
    if (report.session.ui.shown(window)) json["visible"][std::string(WindowName(window))] = true;
  }
  for (const auto& [key, visible] : report.session.ui.visibilities())
    json["visible"][JsonKey(ControlOf(key))] = visible;
  json["state"] = Json::object();
  for (const auto& [name, value] : NumericFields(report.session.state))
    json["state"][std::string(name)] = value;
  PrintJson(out, json);
}

}  // namespace classe::cli

namespace classe::cli {

void PrintJsonRealCircuit(std::ostream& out, const RunReport& report) {
  Json json = JsonHead(report);
  const bool exact = report.action == "esatto";
  const std::optional<RealCircuitRun>& run =
      exact ? report.session.circuit.exact : report.session.circuit.ideal;
  json["design"] = nullptr;
  json["circuit"] = nullptr;
  if (run) AddRun(json, *run, exact);
  // Where a design would exist when the transistor left no room for one.
  const circuit::DesignLimits& limits = report.session.circuit.limits;
  json["state"] = {{"fmax", limits.fmax ? Json(*limits.fmax) : Json(nullptr)},
                   {"Vcc_max", limits.VccMax ? Json(*limits.VccMax) : Json(nullptr)}};
  PrintJson(out, json);
}

void PrintJsonDeck(std::ostream& out, const RunReport& report) {
  Json json = JsonHead(report);
  const std::optional<circuit::SpiceDeck>& deck = report.session.deck;
  json["deck"] = deck ? Json(deck->text) : Json(nullptr);
  json["periods"] = deck ? Json(deck->periods) : Json(nullptr);
  json["capped"] = deck ? Json(deck->capped) : Json(nullptr);
  PrintJson(out, json);
}

}  // namespace classe::cli
