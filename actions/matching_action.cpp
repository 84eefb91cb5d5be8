#include "actions/matching_action.h"

#include "design/constants.h"
#include "design/display_format.h"
#include "design/fault.h"
#include "design/text_input.h"
#include "design/matching_network.h"

namespace classe {

Outcome ShowMatchingNetwork(DesignState& s, Controls& ui) {
  return RunGuarded(ui, [&] {
    const double RL = Checked("RL", Val(ui.text(Window::Form1, "Text7")));
    // R and omega as the last design computation left them, even if the
    // fields have been edited since.
    const double R = s.R;
    if (WithinBand(R, RL)) {
      ui.setVisible(Window::Form1, "Image2", false);
      ui.setVisible(Window::Form1, "Image3", false);
      ui.message(
          "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Ma se proprio vuoi "
          "la precisione, ecco qua:");
    }
    if (RL == R) return Outcome::Done;  // nothing to match: L and C keep their texts
    ui.setVisible(Window::Form1, "Image2", RL > R);
    ui.setVisible(Window::Form1, "Image3", RL < R);
    const MatchingNetwork net = ComputeMatchingNetwork(R, RL, s.omega);
    ui.setCaption(Window::Form1, "Label29", Format(Checked("L", net.L * kMicro), "0.000E+00"));
    ui.setCaption(Window::Form1, "Label30", Format(Checked("C", net.C * kPico), "0.000E+00"));
    return Outcome::Done;
  });
}

}  // namespace classe
