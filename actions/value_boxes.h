#pragma once

#include <span>
#include <string_view>

#include "actions/controls.h"

namespace classe {

// A label that receives a computed number, with the symbol and unit the
// window shows beside it ("R", "[Ω]"): what the command line prints and what
// a screen reader says about the box.
struct ValueBox {
  Window window;
  std::string_view control;
  std::string_view symbol;
  std::string_view unit;  // empty where the window shows none
};

std::span<const ValueBox> ValueBoxes();

// Nothing when `control` is not a value box of `window`.
const ValueBox* FindValueBox(Window window, std::string_view control);

}  // namespace classe
