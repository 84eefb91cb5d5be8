// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/cursor_readout.h"

#include <string>

#include "actions/curves.h"
#include "actions/form2_controls.h"
#include "actions/value_boxes.h"
#include "engine/design/constants.h"
#include "engine/design/fault.h"

namespace classe {
namespace {

void ShowReadout(DesignState& s, Controls& ui, const Curve& curve, float x, float y) {
  ClearFpFaults();
  try {
    const double teta = Checked("teta", static_cast<double>(x) / 100 * 4 * kPi);
    curve.scan(s);
    const double value =
        Checked(curve.valueBox.quantity,
                (static_cast<double>(y) - curve.baseline) * (s.*curve.maximum) / curve.gain);
    const std::string tetaText = ValueText(curve.tetaBox, teta);
    const std::string valueText = ValueText(curve.valueBox, value);
    ui.setCaption(curve.tetaBox.control, tetaText);
    ui.setCaption(curve.valueBox.control, valueText);
    ui.setTextColour(curve.valueBox.control, curve.colour);
    for (const Curve& other : Curves()) {
      if (&other == &curve) continue;
      ui.setCaption(other.tetaBox.control, "");
      ui.setCaption(other.valueBox.control, "");
    }
    // No blank between a number and its unit.
    ui.setToolTip(form2::Picture1, "teta= " + tetaText + "rad ; " +
                                       std::string(curve.valueBox.quantity) + " = " + valueText +
                                       std::string(curve.unit));
  } catch (const ArithmeticFault& fault) {
    // A message box on every mouse move would make the window unusable: the
    // fault is reported where the value would have been read.
    ui.setToolTip(form2::Picture1, fault.what());
  }
}

}  // namespace

void ShowCursorReadout(DesignState& s, Controls& ui, float x, float y) {
  ui.setScale(form2::Picture1, kPlotScale);
  for (const Curve& curve : Curves()) {
    if (y >= curve.bandBottom) {
      ui.select(curve.option);
      break;
    }
  }
  for (const Curve& curve : Curves()) {
    if (ui.isSelected(curve.option)) {
      ShowReadout(s, ui, curve, x, y);
      return;
    }
  }
}

}  // namespace classe
