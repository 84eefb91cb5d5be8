#include "cli/report.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "cli/json_writer.h"
#include "design/sampling.h"
#include "actions/value_boxes.h"

namespace classe::cli {
namespace {

// The symbol beside a value box; the final circuit's inductor row reads LF
// when L2 and L are merged.
std::string_view SymbolOf(const RecordingControls& ui, const ValueBox& box) {
  if (box.window == Window::Form3 && box.control == "Label6" &&
      ui.visible(Window::Form3, "Label15").value_or(false)) {
    return "LF";
  }
  return box.symbol;
}

std::string WindowName(Window window) {
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

// Every numeric field, in the order of declaration.
std::vector<std::pair<std::string_view, double>> NumericFields(const DesignState& s) {
  return {{"OpARe", s.OpARe},
          {"OpAIm", s.OpAIm},
          {"OpBRe", s.OpBRe},
          {"OpBIm", s.OpBIm},
          {"ResRe", s.ResRe},
          {"ResIm", s.ResIm},
          {"Po", s.Po},
          {"f", s.f},
          {"Q", s.Q},
          {"Von", s.Von},
          {"Vcc", s.Vcc},
          {"R", s.R},
          {"C1", s.C1},
          {"C2", s.C2},
          {"C0", s.C0},
          {"L1", s.L1},
          {"L2", s.L2},
          {"Ir", s.Ir},
          {"IDC", s.IDC},
          {"Vc1FR", s.Vc1FR},
          {"Vc1FX", s.Vc1FX},
          {"Vc1F", s.Vc1F},
          {"Vc1", s.Vc1},
          {"IrTeta", s.IrTeta},
          {"Ic1", s.Ic1},
          {"Isw", s.Isw},
          {"ZRe", s.ZRe},
          {"ZIm", s.ZIm},
          {"IrRe", s.IrRe},
          {"IrIm", s.IrIm},
          {"teta", s.teta},
          {"omega", s.omega},
          {"phi", s.phi},
          {"TgPsi", s.TgPsi},
          {"N", s.N},
          {"Vc1max", s.Vc1max},
          {"Iswmax", s.Iswmax},
          {"Ic1max", s.Ic1max},
          {"Irmax", s.Irmax},
          {"InputError", s.InputError},
          {"M", s.M}};
}

}  // namespace

void PrintPlain(std::ostream& out, const RecordingControls& ui) {
  for (const auto& message : ui.messages()) {
    if (!message.fault) out << message.text << '\n';
  }
  for (const auto& [key, text] : ui.captions()) {
    const ValueBox* box = FindValueBox(key.first, key.second);
    if (!box) continue;
    out << SymbolOf(ui, *box) << '\t' << text;
    if (!box->unit.empty()) out << '\t' << box->unit;
    out << '\n';
  }
}

void PrintJson(std::ostream& out, std::string_view action, const RecordingControls& ui,
               const DesignState& state) {
  out << "{\n  \"action\": " << JsonString(action) << ",\n  \"messages\": [";
  std::optional<std::string> fault;
  const char* separator = "";
  for (const auto& message : ui.messages()) {
    out << separator << JsonString(message.text);
    separator = ", ";
    if (message.fault) fault = message.text;
  }
  out << "],\n  \"fault\": " << (fault ? JsonString(*fault) : "null") << ",\n  \"labels\": {";
  separator = "";
  for (const auto& [key, text] : ui.captions()) {
    out << separator << JsonString(key.second) << ": " << JsonString(text);
    separator = ", ";
  }
  out << "},\n  \"visible\": {";
  separator = "";
  for (Window window : {Window::Form2, Window::Form3}) {
    if (ui.shown(window)) {
      out << separator << JsonString(WindowName(window)) << ": true";
      separator = ", ";
    }
  }
  for (const auto& [key, visible] : ui.visibilities()) {
    out << separator << JsonString(key.second) << ": " << (visible ? "true" : "false");
    separator = ", ";
  }
  out << "},\n  \"state\": {";
  separator = "";
  for (const auto& [name, value] : NumericFields(state)) {
    out << separator << JsonString(name) << ": " << JsonNumber(value);
    separator = ", ";
  }
  out << "}\n}\n";
}

void PrintSamplesCsv(std::ostream& out, const DesignState& s) {
  out << "i,teta,Vc1,Isw,Ic1,Ir\n";
  for (std::int64_t i = 0; i <= s.M; ++i) {
    const auto k = static_cast<std::size_t>(i);
    out << i << ',' << JsonNumber(SampleAngle(i, s.M)) << ',' << JsonNumber(s.Vc1Samples[k]) << ','
        << JsonNumber(s.IswSamples[k]) << ',' << JsonNumber(s.Ic1Samples[k]) << ','
        << JsonNumber(s.IrSamples[k]) << '\n';
  }
}

}  // namespace classe::cli
