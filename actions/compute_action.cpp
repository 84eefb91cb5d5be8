#include "actions/compute_action.h"

#include "design/constants.h"
#include "design/design_equations.h"
#include "design/display_format.h"
#include "actions/input_fields.h"

namespace classe {

void HideMatchingPictures(Controls& ui) {
  ui.setVisible(Window::Form1, "Image2", false);
  ui.setVisible(Window::Form1, "Image3", false);
}

Outcome ComputeComponents(DesignState& s, Controls& ui) {
  // RL is checked too, although the design does not use it.
  if (!CheckFields(s, ui, DesignFields())) return Outcome::Rejected;
  HideMatchingPictures(ui);
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));
    // Each scaled value is checked before its label is written.
    auto show = [&ui](const char* label, const char* quantity, double value, const char* pattern) {
      ui.setCaption(Window::Form1, label, Format(Checked(quantity, value), pattern));
    };
    show("Label11", "R", s.R, "0.000E+00");
    show("Label12", "L1", s.L1 * kMicro, "0.00E+00");
    show("Label13", "C1", s.C1 * kPico, "0.000E+00");
    show("Label14", "C2", s.C2 * kPico, "0.000E+00");
    show("Label15", "L2", s.L2 * kMicro, "0.000 E+00");
    show("Label39", "IDC", s.IDC, "0.000E+00");
    for (const char* control :
         {"Command2", "Label29", "Label30", "Label31", "Label32", "Label33", "Label34"}) {
      ui.setVisible(Window::Form1, control, true);
    }
    return Outcome::Done;
  });
}

}  // namespace classe
