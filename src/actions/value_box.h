// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

#include "actions/controls.h"
#include "engine/design/constants.h"
#include "engine/design/display_format.h"

namespace classe {

// A label that receives a computed number: what it shows and how. The symbol
// and unit are the captions the window shows beside it, what the command line
// prints and what a screen reader says about the box. A box whose pattern or
// symbol changes with the case of the final circuit has one row a case.
struct ValueBox {
  Control control;
  std::string_view quantity;  // named in a fault message
  std::string_view symbol;
  std::string_view unit;  // empty where the window shows none
  double scale;           // SI value → the unit shown
  std::string_view pattern;
};

// The value in the box's unit and pattern. The scaled value is checked for
// an arithmetic fault, which throws naming the box's quantity.
std::string ValueText(const ValueBox& box, double value);

// Writes ValueText into the box.
void ShowValue(Controls& ui, const ValueBox& box, double value);

}  // namespace classe
