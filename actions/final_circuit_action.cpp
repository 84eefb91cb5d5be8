#include "actions/final_circuit_action.h"

#include <array>
#include <string_view>

#include "design/constants.h"
#include "design/design_equations.h"
#include "design/display_format.h"
#include "design/fault.h"
#include "actions/input_fields.h"
#include "design/text_input.h"
#include "design/matching_network.h"

namespace classe {
namespace {

struct RowVisibility {
  std::string_view control;
  bool noNetwork;
  bool atLoad;
  bool atInput;
};

// Set in full by every run, so that a window reused for another case shows
// exactly this case's rows.
constexpr std::array<RowVisibility, 18> kRows{{
    {"Label8", true, true, true},
    {"Label1", true, true, true},
    {"Label9", true, true, true},
    {"Label10", true, true, true},
    {"Label2", true, true, true},
    {"Label25", true, true, true},
    {"Label11", true, true, true},
    {"Label3", true, true, true},
    {"Label12", true, true, true},
    {"Label20", true, true, true},
    {"Label7", true, true, true},
    {"Label21", true, true, true},
    {"Label13", true, false, true},
    {"Label4", true, false, true},
    {"Label14", true, false, true},
    {"Label18", false, true, true},
    {"Label5", false, true, true},
    {"Label19", false, true, true},
}};

constexpr std::array<RowVisibility, 4> kInductorRow{{
    {"Label17", false, false, true},  // caption "L"
    {"Label15", false, true, false},  // caption "LF": L2 and L merged
    {"Label6", false, true, true},
    {"Label16", false, true, true},
}};

void SetRows(Controls& ui, NetworkKind kind) {
  auto apply = [&](const RowVisibility& row) {
    const bool visible = kind == NetworkKind::NoNetwork      ? row.noNetwork
                         : kind == NetworkKind::ShuntCAtLoad ? row.atLoad
                                                             : row.atInput;
    ui.setVisible(Window::Form3, row.control, visible);
  };
  for (const RowVisibility& row : kRows)
    apply(row);
  for (const RowVisibility& row : kInductorRow)
    apply(row);
}

void ShowPicture(Controls& ui, std::string_view shown) {
  ui.setVisible(Window::Form3, shown, true);
  for (std::string_view picture : {"Picture1", "Picture2", "Picture3"}) {
    if (picture != shown) ui.setVisible(Window::Form3, picture, false);
  }
}

void ShowValue(Controls& ui, std::string_view label, std::string_view quantity, double value,
               std::string_view pattern) {
  ui.setCaption(Window::Form3, label, Format(Checked(quantity, value), pattern));
}

// RL, L1, C1 and C2, the same in every case.
void ShowStageValues(Controls& ui, const DesignState& s, double RL) {
  ShowValue(ui, "Label7", "RL", RL, "0.000E+00");
  ShowValue(ui, "Label1", "L1", s.L1 * kMicro, "0.00E+00");
  ShowValue(ui, "Label2", "C1", s.C1 * kPico, "0.000E+00");
  ShowValue(ui, "Label3", "C2", s.C2 * kPico, "0.000E+00");
}

}  // namespace

Outcome ShowFinalCircuit(DesignState& s, Controls& ui) {
  if (!CheckFields(s, ui, DesignFields())) return Outcome::Rejected;
  ui.showWindow(Window::Form3);
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));
    const double RL = Checked("RL", Val(ui.text(Window::Form1, "Text7")));
    const NetworkKind kind = ClassifyLoad(s.R, RL);
    // The patterns differ from case to case and are part of the display.
    switch (kind) {
      case NetworkKind::NoNetwork:
        ShowPicture(ui, "Picture3");
        ui.message(
            "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Questo è lo "
            "schema!");
        SetRows(ui, kind);
        ShowStageValues(ui, s, RL);
        ShowValue(ui, "Label4", "L2", s.L2 * kMicro, "0.000 E+00");
        break;
      case NetworkKind::ShuntCAtLoad: {
        ShowPicture(ui, "Picture1");
        ShowStageValues(ui, s, RL);
        SetRows(ui, kind);
        const MatchingNetwork net = ComputeMatchingNetwork(s.R, RL, s.omega);
        const double LF = Checked("LF", s.L2 + net.L);
        ShowValue(ui, "Label6", "LF", LF * kMicro, "0.000 E+00");
        ShowValue(ui, "Label5", "C", net.C * kPico, "0.000 E+00");
        break;
      }
      case NetworkKind::ShuntCAtInput: {
        ShowPicture(ui, "Picture2");
        SetRows(ui, kind);
        ShowStageValues(ui, s, RL);
        ShowValue(ui, "Label4", "L2", s.L2 * kMicro, "0.000E+00");
        const MatchingNetwork net = ComputeMatchingNetwork(s.R, RL, s.omega);
        ShowValue(ui, "Label6", "L", net.L * kMicro, "0.000E+00");
        ShowValue(ui, "Label5", "C", net.C * kPico, "0.000E+00");
        break;
      }
    }
    return Outcome::Done;
  });
}

}  // namespace classe
