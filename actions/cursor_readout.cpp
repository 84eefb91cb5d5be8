#include "actions/cursor_readout.h"

#include <string>

#include "design/constants.h"
#include "design/display_format.h"
#include "design/fault.h"
#include "actions/curves.h"

namespace classe {
namespace {

constexpr Window kGraphs = Window::Form2;

void ShowReadout(DesignState& s, Controls& ui, const Curve& curve, float x, float y) {
  ClearFpFaults();
  try {
    const double teta = Checked("teta", static_cast<double>(x) / 100 * 4 * kPi);
    curve.scan(s);
    const double value = Checked(
        curve.name, (static_cast<double>(y) - curve.baseline) * (s.*curve.maximum) / curve.gain);
    const std::string tetaText = Format(teta, "0.00");
    const std::string valueText = Format(value, "0.00");
    ui.setCaption(kGraphs, curve.tetaBox, tetaText);
    ui.setCaption(kGraphs, curve.valueBox, valueText);
    ui.setTextColour(kGraphs, curve.valueBox, curve.colour);
    for (const Curve& other : Curves()) {
      if (&other == &curve) continue;
      ui.setCaption(kGraphs, other.tetaBox, "");
      ui.setCaption(kGraphs, other.valueBox, "");
    }
    // No blank between a number and its unit.
    ui.setToolTip(kGraphs, "Picture1",
                  "teta= " + tetaText + "rad ; " + std::string(curve.name) + " = " + valueText +
                      std::string(curve.unit));
  } catch (const ArithmeticFault& fault) {
    // A message box on every mouse move would make the window unusable: the
    // fault is reported where the value would have been read.
    ui.setToolTip(kGraphs, "Picture1", fault.what());
  }
}

}  // namespace

void ShowCursorReadout(DesignState& s, Controls& ui, float x, float y) {
  ui.setScale(kGraphs, "Picture1", kPlotScale);
  for (const Curve& curve : Curves()) {
    if (y >= curve.bandBottom) {
      ui.select(kGraphs, curve.option);
      break;
    }
  }
  for (const Curve& curve : Curves()) {
    if (ui.isSelected(kGraphs, curve.option)) {
      ShowReadout(s, ui, curve, x, y);
      return;
    }
  }
}

}  // namespace classe
