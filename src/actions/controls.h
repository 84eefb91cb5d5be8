// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/plot/plot_types.h"

namespace classe {

// The windows of the program, by their design names.
enum class Window {
  Form1,  // main window
  Form2,  // graphs
  Form3,  // final circuit
  Form4,  // real circuit
  Form5,  // parts to buy
  Form6,  // tolerance analysis
  Form7,  // sweeps of one input
};

// The window's design name, "Form1"…
constexpr std::string_view WindowName(Window window) {
  switch (window) {
    case Window::Form1:
      return "Form1";
    case Window::Form2:
      return "Form2";
    case Window::Form3:
      return "Form3";
    case Window::Form4:
      return "Form4";
    case Window::Form5:
      return "Form5";
    case Window::Form6:
      return "Form6";
    case Window::Form7:
      return "Form7";
  }
  return {};
}

// One control of one window, by its design name ("Text1", "Label11",
// "Picture1"…), which is also its widget's objectName. Each window's controls
// are named once, in its own header (form1_controls.h…).
struct Control {
  Window window;
  std::string_view name;
  friend bool operator==(const Control&, const Control&) = default;
};

// What an action may do to the windows. The windows implement it with
// widgets; the command-line tool and the tests record.
class Controls {
 public:
  virtual ~Controls() = default;

  // Text typed into an input field.
  virtual std::string text(Control field) = 0;
  // Puts a text into an input field, as if typed (a document opened).
  virtual void setText(Control field, std::string_view text) = 0;
  virtual void setCaption(Control control, std::string_view caption) = 0;
  virtual void setVisible(Control control, bool visible) = 0;

  // A modal box with the text as prompt and a single OK button; returns when
  // the user has closed it.
  virtual void message(std::string_view text) = 0;
  // An arithmetic fault or a refused input, reported the same way.
  virtual void fault(std::string_view text) = 0;

  // Creates the window hidden if it does not exist yet.
  virtual void loadWindow(Window window) = 0;
  // Loads if needed, shows it modeless and brings it to the front.
  virtual void showWindow(Window window) = 0;

  // Picture boxes.
  virtual void setScale(Control picture, const PlotScale& scale) = 0;
  virtual void clearPicture(Control picture) = 0;
  // One-pixel line in the picture's foreground colour.
  virtual void drawLine(Control picture, PlotPoint from, PlotPoint to) = 0;
  // One-pixel polyline through the points in order, in `colour`.
  virtual void drawPolyline(Control picture, std::span<const PlotPoint> points, Rgb colour) = 0;
  // Places a control's top-left corner at user units of the picture box that
  // holds it.
  virtual void moveControl(Control control, double left, double top) = 0;
  virtual void setToolTip(Control control, std::string_view text) = 0;

  // Option buttons of one group: selecting one clears the others.
  virtual void select(Control option) = 0;
  virtual bool isSelected(Control option) = 0;
  virtual void setTextColour(Control control, Rgb colour) = 0;

  // Check boxes.
  virtual void setChecked(Control box, bool checked) = 0;
  virtual bool isChecked(Control box) = 0;
};

}  // namespace classe
