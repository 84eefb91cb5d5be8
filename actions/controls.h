#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/plot_types.h"

namespace classe {

// The three windows of the program, by their design names.
enum class Window {
  Form1,  // main window
  Form2,  // graphs
  Form3,  // final circuit
};

// What an action may do to the windows: every control is addressed by its
// window and its design name ("Text1", "Label11", "Picture1"…). The windows
// implement it with widgets; the command-line tool and the tests record.
class Controls {
 public:
  virtual ~Controls() = default;

  // Text typed into an input field.
  virtual std::string text(Window window, std::string_view control) = 0;
  virtual void setCaption(Window window, std::string_view control, std::string_view caption) = 0;
  virtual void setVisible(Window window, std::string_view control, bool visible) = 0;

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
  virtual void setScale(Window window, std::string_view picture, const PlotScale& scale) = 0;
  virtual void clearPicture(Window window, std::string_view picture) = 0;
  // One-pixel line in the picture's foreground colour.
  virtual void drawLine(Window window, std::string_view picture, PlotPoint from, PlotPoint to) = 0;
  // One-pixel polyline through the points in order, in `colour`.
  virtual void drawPolyline(Window window, std::string_view picture,
                            std::span<const PlotPoint> points, Rgb colour) = 0;
  // Places a control's top-left corner at user units of the picture box that
  // holds it.
  virtual void moveControl(Window window, std::string_view control, double left, double top) = 0;
  virtual void setToolTip(Window window, std::string_view control, std::string_view text) = 0;

  // Option buttons of one group: selecting one clears the others.
  virtual void select(Window window, std::string_view option) = 0;
  virtual bool isSelected(Window window, std::string_view option) = 0;
  virtual void setTextColour(Window window, std::string_view control, Rgb colour) = 0;
};

}  // namespace classe
