#include "actions/value_boxes.h"

#include <algorithm>
#include <array>

namespace classe {
namespace {

constexpr std::array kValueBoxes{
    // Main window: design results, peak values, matching network.
    ValueBox{Window::Form1, "Label11", "R", "[Ω]"},
    ValueBox{Window::Form1, "Label12", "L1", "[µH]"},
    ValueBox{Window::Form1, "Label13", "C1", "[pF]"},
    ValueBox{Window::Form1, "Label14", "C2", "[pF]"},
    ValueBox{Window::Form1, "Label15", "L2", "[µH]"},
    ValueBox{Window::Form1, "Label39", "IDC", "[A]"},
    ValueBox{Window::Form1, "Label43", "Vc1 max", "[Volt]"},
    ValueBox{Window::Form1, "Label41", "Isw max", "[A]"},
    ValueBox{Window::Form1, "Label37", "Ir picco", "[A]"},
    ValueBox{Window::Form1, "Label29", "L", "[µH]"},
    ValueBox{Window::Form1, "Label30", "C", "[pF]"},
    // Graph window: the cursor read-out.
    ValueBox{Window::Form2, "Label16", "teta", "[rad]"},
    ValueBox{Window::Form2, "Label17", "Vc1", "[V]"},
    ValueBox{Window::Form2, "Label23", "teta", "[rad]"},
    ValueBox{Window::Form2, "Label24", "Isw", "[A]"},
    ValueBox{Window::Form2, "Label29", "teta", "[rad]"},
    ValueBox{Window::Form2, "Label32", "Ic1", "[A]"},
    ValueBox{Window::Form2, "Label35", "teta", "[rad]"},
    ValueBox{Window::Form2, "Label36", "Ir", "[A]"},
    // Final circuit window; Label6 is captioned L or LF by the case.
    ValueBox{Window::Form3, "Label1", "L1", "[µH]"},
    ValueBox{Window::Form3, "Label2", "C1", "[pF]"},
    ValueBox{Window::Form3, "Label3", "C2", "[pF]"},
    ValueBox{Window::Form3, "Label4", "L2", "[µH]"},
    ValueBox{Window::Form3, "Label5", "C", "[pF]"},
    ValueBox{Window::Form3, "Label6", "L", "[µH]"},
    ValueBox{Window::Form3, "Label7", "RL", "[Ω]"},
    ValueBox{Window::Form3, "Label22", "tg(psi) ver.", ""},
    ValueBox{Window::Form3, "Label23", "Po ver.", "[W]"},
};

}  // namespace

std::span<const ValueBox> ValueBoxes() {
  return kValueBoxes;
}

const ValueBox* FindValueBox(Window window, std::string_view control) {
  const auto it = std::find_if(kValueBoxes.begin(), kValueBoxes.end(), [&](const ValueBox& box) {
    return box.window == window && box.control == control;
  });
  return it == kValueBoxes.end() ? nullptr : &*it;
}

}  // namespace classe
