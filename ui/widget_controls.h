#pragma once

#include <QPointer>
#include <functional>

#include "ui/form_window.h"
#include "ui/message_presenter.h"
#include "actions/controls.h"

namespace classe {

// The actions' controls made of real widgets: the main window, which lives for
// the whole run, and the graph and final-circuit windows, created by their
// factories when an action first needs them and gone again once closed.
class WidgetControls : public Controls {
 public:
  using FormFactory = std::function<FormWindow*()>;

  WidgetControls(FormWindow& main, MessagePresenter& messages);

  // How to create a window that does not exist yet (Form2, Form3). The window
  // deletes itself when closed; the next load creates it afresh.
  void setFactory(Window window, FormFactory factory);
  // The window if it exists now.
  FormWindow* existing(Window window) const;
  // Closes the graph and final-circuit windows (the program is ending).
  void closeOthers();

  std::string text(Window window, std::string_view control) override;
  void setCaption(Window window, std::string_view control, std::string_view caption) override;
  void setVisible(Window window, std::string_view control, bool visible) override;
  void message(std::string_view text) override;
  void fault(std::string_view text) override;
  void loadWindow(Window window) override;
  void showWindow(Window window) override;
  void setScale(Window window, std::string_view picture, const PlotScale& scale) override;
  void clearPicture(Window window, std::string_view picture) override;
  void drawLine(Window window, std::string_view picture, PlotPoint from, PlotPoint to) override;
  void drawPolyline(Window window, std::string_view picture, std::span<const PlotPoint> points,
                    Rgb colour) override;
  void moveControl(Window window, std::string_view control, double left, double top) override;
  void setToolTip(Window window, std::string_view control, std::string_view text) override;
  void select(Window window, std::string_view option) override;
  bool isSelected(Window window, std::string_view option) override;
  void setTextColour(Window window, std::string_view control, Rgb colour) override;

 private:
  FormWindow* form(Window window);
  PlotSurface* surface(Window window, std::string_view picture);

  FormWindow& main_;
  MessagePresenter& messages_;
  QPointer<FormWindow> graphs_;
  QPointer<FormWindow> final_;
  FormFactory makeGraphs_;
  FormFactory makeFinal_;
};

}  // namespace classe
