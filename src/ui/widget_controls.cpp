// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/widget_controls.h"

#include <QScreen>

#include "engine/design/fault.h"
#include "ui/qt_conversions.h"

namespace classe {
namespace {

// Where a window opens: beside the main window when the screen has room for
// both, otherwise a little below and right of it, so that both stay in reach.
QPoint OpeningPosition(const QWidget& main, const QWidget& opened) {
  constexpr QPoint kCascade{40, 40};
  const QRect frame = main.frameGeometry();
  if (const QScreen* screen = main.screen()) {
    const QRect room = screen->availableGeometry();
    const int frameWidth = frame.width() - main.width();
    if (frame.right() + opened.width() + frameWidth < room.right()) {
      return {frame.right() + 1, frame.top()};
    }
  }
  return frame.topLeft() + kCascade;
}

}  // namespace

// Every operation keeps the action's floating-point flags: Qt's own work
// (layout, painting, a message box's event loop) must not be taken for a
// fault of the action's arithmetic.

WidgetControls::WidgetControls(FormWindow& main, MessagePresenter& messages)
    : main_(main), messages_(messages) {}

void WidgetControls::setFactory(Window window, FormFactory factory) {
  others_[window].make = std::move(factory);
}

FormWindow* WidgetControls::existing(Window window) const {
  if (window == main_.id()) return &main_;
  const auto it = others_.find(window);
  return it == others_.end() ? nullptr : it->second.form.data();
}

void WidgetControls::closeOthers() {
  for (auto& [window, slot] : others_) {
    if (slot.form) slot.form->close();
  }
}

FormWindow* WidgetControls::form(Window window) {
  loadWindow(window);
  return existing(window);
}

PlotSurface* WidgetControls::surface(Control picture) {
  FormWindow* f = form(picture.window);
  return f ? f->surface(picture.name) : nullptr;
}

std::string WidgetControls::text(Control field) {
  const PreservedFpFlags keep;
  FormWindow* f = form(field.window);
  return f ? f->fieldText(field.name).toStdString() : std::string();
}

void WidgetControls::setText(Control field, std::string_view text) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(field.window)) f->setFieldText(field.name, FromUtf8(text));
}

void WidgetControls::setCaption(Control control, std::string_view caption) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(control.window)) f->setCaption(control.name, FromUtf8(caption));
}

void WidgetControls::setVisible(Control control, bool visible) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(control.window)) f->setControlVisible(control.name, visible);
}

void WidgetControls::message(std::string_view text) {
  const PreservedFpFlags keep;
  messages_.show(FromUtf8(text), false);
}

void WidgetControls::fault(std::string_view text) {
  const PreservedFpFlags keep;
  messages_.show(FromUtf8(text), true);
}

void WidgetControls::loadWindow(Window window) {
  const PreservedFpFlags keep;
  const auto it = others_.find(window);
  if (it == others_.end() || it->second.form || !it->second.make) return;
  FormWindow* created = it->second.make();
  created->setAttribute(Qt::WA_DeleteOnClose);
  created->move(OpeningPosition(main_, *created));
  it->second.form = created;
}

void WidgetControls::showWindow(Window window) {
  const PreservedFpFlags keep;
  FormWindow* f = form(window);
  if (!f) return;
  f->show();
  f->raise();
  f->activateWindow();
}

void WidgetControls::setScale(Control picture, const PlotScale& scale) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(picture)) s->setScale(scale);
}

void WidgetControls::clearPicture(Control picture) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(picture)) s->clear();
}

void WidgetControls::drawLine(Control picture, PlotPoint from, PlotPoint to) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(picture)) s->drawLine(from, to);
}

void WidgetControls::drawPolyline(Control picture, std::span<const PlotPoint> points, Rgb colour) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(picture)) s->drawPolyline(points, colour);
}

void WidgetControls::moveControl(Control control, double left, double top) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(control.window)) f->moveControl(control.name, left, top);
}

void WidgetControls::setToolTip(Control control, std::string_view text) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(control.window)) f->setControlToolTip(control.name, FromUtf8(text));
}

void WidgetControls::select(Control option) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(option.window)) f->select(option.name);
}

bool WidgetControls::isSelected(Control option) {
  const PreservedFpFlags keep;
  FormWindow* f = form(option.window);
  return f && f->isSelected(option.name);
}

void WidgetControls::setTextColour(Control control, Rgb colour) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(control.window)) f->setTextColour(control.name, colour);
}

void WidgetControls::setChecked(Control box, bool checked) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(box.window)) f->setChecked(box.name, checked);
}

bool WidgetControls::isChecked(Control box) {
  const PreservedFpFlags keep;
  FormWindow* f = form(box.window);
  return f && f->isChecked(box.name);
}

}  // namespace classe
