// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/final_circuit_action.h"

#include <array>

#include "actions/form3_controls.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "engine/design/design_equations.h"
#include "engine/design/fault.h"
#include "engine/design/matching_network.h"
#include "engine/design/text_input.h"

namespace classe {
namespace {

struct RowVisibility {
  Control control;
  bool noNetwork;
  bool atLoad;
  bool atInput;
};

// Set in full by every run, so that a window reused for another case shows
// exactly this case's rows.
constexpr std::array<RowVisibility, 18> kRows{{
    {form3::Label8, true, true, true},
    {form3::Label1, true, true, true},
    {form3::Label9, true, true, true},
    {form3::Label10, true, true, true},
    {form3::Label2, true, true, true},
    {form3::Label25, true, true, true},
    {form3::Label11, true, true, true},
    {form3::Label3, true, true, true},
    {form3::Label12, true, true, true},
    {form3::Label20, true, true, true},
    {form3::Label7, true, true, true},
    {form3::Label21, true, true, true},
    {form3::Label13, true, false, true},
    {form3::Label4, true, false, true},
    {form3::Label14, true, false, true},
    {form3::Label18, false, true, true},
    {form3::Label5, false, true, true},
    {form3::Label19, false, true, true},
}};

constexpr std::array<RowVisibility, 4> kInductorRow{{
    {form3::Label17, false, false, true},  // caption "L"
    {form3::Label15, false, true, false},  // caption "LF": L2 and L merged
    {form3::Label6, false, true, true},
    {form3::Label16, false, true, true},
}};

void SetRows(Controls& ui, NetworkKind kind) {
  auto apply = [&](const RowVisibility& row) {
    const bool visible = kind == NetworkKind::NoNetwork      ? row.noNetwork
                         : kind == NetworkKind::ShuntCAtLoad ? row.atLoad
                                                             : row.atInput;
    ui.setVisible(row.control, visible);
  };
  for (const RowVisibility& row : kRows)
    apply(row);
  for (const RowVisibility& row : kInductorRow)
    apply(row);
}

void ShowPicture(Controls& ui, Control shown) {
  ui.setVisible(shown, true);
  for (Control picture : {form3::Picture1, form3::Picture2, form3::Picture3}) {
    if (picture != shown) ui.setVisible(picture, false);
  }
}

// RL, L1, C1 and C2, the same in every case.
void ShowStageValues(Controls& ui, const DesignState& s, double RL) {
  ShowValue(ui, boxes::FinalRL, RL);
  ShowValue(ui, boxes::FinalL1, s.L1);
  ShowValue(ui, boxes::FinalC1, s.C1);
  ShowValue(ui, boxes::FinalC2, s.C2);
}

}  // namespace

Outcome ShowFinalCircuit(DesignState& s, Controls& ui) {
  if (!CheckFields(s, ui, kDesignFields)) return Outcome::Rejected;
  ui.showWindow(Window::Form3);
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));
    const double RL = Checked("RL", Val(ui.text(fields::RL.control)));
    const NetworkKind kind = ClassifyLoad(s.R, RL);
    // The order of pictures, rows and values differs from case to case.
    switch (kind) {
      case NetworkKind::NoNetwork:
        ShowPicture(ui, form3::Picture3);
        ui.message(
            "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Questo è lo "
            "schema!");
        SetRows(ui, kind);
        ShowStageValues(ui, s, RL);
        ShowValue(ui, boxes::FinalL2, s.L2);
        break;
      case NetworkKind::ShuntCAtLoad: {
        ShowPicture(ui, form3::Picture1);
        ShowStageValues(ui, s, RL);
        SetRows(ui, kind);
        const MatchingNetwork net = ComputeMatchingNetwork(s.R, RL, s.omega);
        ShowValue(ui, boxes::FinalLF, Checked("LF", s.L2 + net.L));
        ShowValue(ui, boxes::FinalC, net.C);
        break;
      }
      case NetworkKind::ShuntCAtInput: {
        ShowPicture(ui, form3::Picture2);
        SetRows(ui, kind);
        ShowStageValues(ui, s, RL);
        ShowValue(ui, boxes::FinalL2AtInput, s.L2);
        const MatchingNetwork net = ComputeMatchingNetwork(s.R, RL, s.omega);
        ShowValue(ui, boxes::FinalL, net.L);
        ShowValue(ui, boxes::FinalCAtInput, net.C);
        break;
      }
    }
    return Outcome::Done;
  });
}

}  // namespace classe
