// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <iterator>

#include "actions/form5_controls.h"
#include "actions/parts_tables.h"
#include "cli/report.h"
#include "cli/report_json.h"
#include "engine/parts/retune.h"

namespace classe::cli {
namespace {

using Json = nlohmann::ordered_json;

Json Optional(const std::optional<double>& value) {
  return value ? Json(*value) : Json(nullptr);
}

// One table: its headings, then each row the action filled.
template <std::size_t columns>
void PrintTable(std::ostream& out, const RunReport& report, int first, int rows,
                const std::string_view (&headings)[columns]) {
  const RecordingControls& ui = report.session.ui;
  const auto caption = [&](int row, int column) {
    return ui.caption(form5::Cell(first, row, static_cast<int>(column))).value_or("");
  };
  for (std::size_t c = 0; c < columns; ++c)
    out << (c ? "\t" : "") << headings[c];
  out << '\n';
  for (int row = 1; row <= rows; ++row) {
    if (caption(row, 0).empty()) continue;
    for (std::size_t c = 0; c < columns; ++c)
      out << (c ? "\t" : "") << caption(row, static_cast<int>(c));
    out << '\n';
  }
}

}  // namespace

void PrintParts(std::ostream& out, const RunReport& report) {
  if (report.outcome == Outcome::Rejected) return;
  for (const auto& message : report.session.ui.messages())
    if (!message.fault) out << message.text << '\n';
  if (!report.session.parts) return;
  using namespace parts_tables;
  PrintTable(out, report, form5::kPartsFirst, kPartsRows, kPartsHeadings);
  out << '\n';
  PrintTable(out, report, form5::kRetuneFirst, kRetuneRows, kRetuneHeadings);
  out << '\n';
  PrintTable(out, report, form5::kSensitivityFirst, kSensitivityRows, kSensitivityHeadings);
  const RecordingControls& ui = report.session.ui;
  out << '\n' << ui.caption(form5::Label8).value_or("") << "\n\n";
  out << ui.caption(form5::Label7).value_or("") << '\n';
}

void PrintJsonParts(std::ostream& out, const RunReport& report) {
  Json json = JsonHead(report);
  json["parts"] = nullptr;
  json["retune"] = nullptr;
  json["sensitivity"] = nullptr;
  if (const std::optional<PartsRun>& run = report.session.parts) {
    Json list = Json::array();
    for (const parts::BoughtPart& p : run->purchase.parts) {
      list.push_back({{"ref", p.ref},
                      {"value", p.value},
                      {"standard", p.standard},
                      {"pair", p.pair ? Json::array({p.pair->a, p.pair->b}) : Json(nullptr)},
                      {"series", p.adjustable ? "regolabile" : parts::SeriesName(p.series)},
                      {"Vpeak", p.rating.voltage},
                      {"Vrms", p.rating.rmsVoltage},
                      {"Ipeak", p.rating.current},
                      {"Irms", p.rating.rmsCurrent},
                      {"rating_V", Optional(p.ratingV)},
                      {"dissipation", Optional(p.dissipation)}});
    }
    json["parts"] = list;
    const parts::Retune& r = run->purchase.retune;
    const circuit::Stage& t = r.stage;
    Json retune = {{"L2", t.L2}};
    if (t.load.kind == circuit::LoadKind::Resistor) {
      retune["R"] = t.R;
    } else {
      retune["L"] = t.load.L;
      retune["C"] = t.load.C;
    }
    retune["Po"] = r.steady.power.load;
    retune["efficiency"] = r.steady.efficiency;
    retune["Vpeak"] = r.steady.vPeak;
    retune["Vcc_trim"] = r.VccTrim;
    retune["von_fraction"] = r.steady.vonFraction;
    retune["dv_dtheta_on"] = r.steady.slopeTurnOn;
    json["retune"] = retune;
    Json sensitivity = Json::object();
    for (const parts::Sensitivity& s : run->sensitivity)
      sensitivity[s.ref] = {{"dlnPo", s.dlnPo}, {"dvon", s.dvon}};
    json["sensitivity"] = sensitivity;
    const int adjustable = run->adjustable;
    json["adjustable"] = adjustable < 0
                             ? Json(nullptr)
                             : Json(run->sensitivity[static_cast<std::size_t>(adjustable)].ref);
  }
  out << json.dump(2) << '\n';
}

}  // namespace classe::cli
