#include "cli/report.h"

#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "actions/form3_controls.h"
#include "actions/value_boxes.h"
#include "design/samples_csv.h"

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

std::string_view WindowName(Window window) {
  switch (window) {
    case Window::Form1:
      return "Form1";
    case Window::Form2:
      return "Form2";
    case Window::Form3:
      return "Form3";
  }
  return {};
}

Control ControlOf(const RecordingControls::Key& key) {
  return {key.first, key.second};
}

// Every numeric field, in the order of declaration.
std::vector<std::pair<std::string_view, Json>> NumericFields(const DesignState& s) {
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
}

}  // namespace

std::string JsonKey(Control control) {
  return std::string(WindowName(control.window)) + '.' + std::string(control.name);
}

void PrintValues(std::ostream& out, const RunReport& report) {
  if (report.outcome == Outcome::Rejected) return;
  for (const auto& message : report.ui.messages()) {
    if (!message.fault) out << message.text << '\n';
  }
  for (const auto& [key, text] : report.ui.captions()) {
    const ValueBox* box = FindValueBox(ControlOf(key));
    if (!box) continue;
    out << SymbolOf(report.ui, *box) << '\t' << text;
    if (!box->unit.empty()) out << '\t' << box->unit;
    out << '\n';
  }
}

void PrintSamples(std::ostream& out, const RunReport& report) {
  if (report.outcome == Outcome::Done) WriteSamplesCsv(out, report.state);
}

void PrintJsonReport(std::ostream& out, const RunReport& report) {
  Json json;
  json["action"] = report.action;
  json["messages"] = Json::array();
  Json fault = nullptr;
  for (const auto& message : report.ui.messages()) {
    json["messages"].push_back(message.text);
    if (message.fault) fault = message.text;
  }
  json["fault"] = fault;
  json["labels"] = Json::object();
  for (const auto& [key, text] : report.ui.captions())
    json["labels"][JsonKey(ControlOf(key))] = text;
  json["visible"] = Json::object();
  for (Window window : {Window::Form2, Window::Form3}) {
    if (report.ui.shown(window)) json["visible"][std::string(WindowName(window))] = true;
  }
  for (const auto& [key, visible] : report.ui.visibilities())
    json["visible"][JsonKey(ControlOf(key))] = visible;
  json["state"] = Json::object();
  for (const auto& [name, value] : NumericFields(report.state))
    json["state"][std::string(name)] = value;
  out << json.dump(2) << '\n';
}

}  // namespace classe::cli
