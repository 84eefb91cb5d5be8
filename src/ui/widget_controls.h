// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QPointer>
#include <functional>
#include <map>

#include "actions/controls.h"
#include "ui/form_window.h"
#include "ui/message_presenter.h"

namespace classe {

// The actions' controls made of real widgets: the main window, which lives for
// the whole run, and the other windows, created by their factories when an
// action first needs them and gone again once closed.
class WidgetControls : public Controls {
 public:
  using FormFactory = std::function<FormWindow*()>;

  WidgetControls(FormWindow& main, MessagePresenter& messages);

  // How to create a window that does not exist yet. The window deletes
  // itself when closed; the next load creates it afresh.
  void setFactory(Window window, FormFactory factory);
  // The window if it exists now.
  FormWindow* existing(Window window) const;
  // Closes every window but the main one (the program is ending).
  void closeOthers();

  std::string text(Control field) override;
  void setText(Control field, std::string_view text) override;
  void setCaption(Control control, std::string_view caption) override;
  void setVisible(Control control, bool visible) override;
  void message(std::string_view text) override;
  void fault(std::string_view text) override;
  void loadWindow(Window window) override;
  void showWindow(Window window) override;
  void setScale(Control picture, const PlotScale& scale) override;
  void clearPicture(Control picture) override;
  void drawLine(Control picture, PlotPoint from, PlotPoint to) override;
  void drawPolyline(Control picture, std::span<const PlotPoint> points, Rgb colour) override;
  void moveControl(Control control, double left, double top) override;
  void setToolTip(Control control, std::string_view text) override;
  void select(Control option) override;
  bool isSelected(Control option) override;
  void setTextColour(Control control, Rgb colour) override;
  void setChecked(Control box, bool checked) override;
  bool isChecked(Control box) override;

 private:
  struct Slot {
    QPointer<FormWindow> form;
    FormFactory make;
  };

  FormWindow* form(Window window);
  PlotSurface* surface(Control picture);

  FormWindow& main_;
  MessagePresenter& messages_;
  std::map<Window, Slot> others_;
};

}  // namespace classe
