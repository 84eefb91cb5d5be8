#include "ui/widget_controls.h"

#include <QScreen>

#include "design/fault.h"

namespace classe {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
  (window == Window::Form2 ? makeGraphs_ : makeFinal_) = std::move(factory);
}

FormWindow* WidgetControls::existing(Window window) const {
  switch (window) {
    case Window::Form1:
      return &main_;
    case Window::Form2:
      return graphs_;
    case Window::Form3:
      return final_;
  }
  return nullptr;
}

void WidgetControls::closeOthers() {
  for (QPointer<FormWindow>* w : {&graphs_, &final_}) {
    if (*w) (*w)->close();
  }
}

FormWindow* WidgetControls::form(Window window) {
  loadWindow(window);
  return existing(window);
}

PlotSurface* WidgetControls::surface(Window window, std::string_view picture) {
  FormWindow* f = form(window);
  return f ? f->surface(picture) : nullptr;
}

std::string WidgetControls::text(Window window, std::string_view control) {
  const PreservedFpFlags keep;
  FormWindow* f = form(window);
  return f ? f->fieldText(control).toStdString() : std::string();
}

void WidgetControls::setCaption(Window window, std::string_view control, std::string_view caption) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(window)) f->setCaption(control, FromUtf8(caption));
}

void WidgetControls::setVisible(Window window, std::string_view control, bool visible) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(window)) f->setControlVisible(control, visible);
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
  QPointer<FormWindow>* slot = window == Window::Form2   ? &graphs_
                               : window == Window::Form3 ? &final_
                                                         : nullptr;
  if (!slot || *slot) return;
  FormFactory& make = window == Window::Form2 ? makeGraphs_ : makeFinal_;
  if (!make) return;
  FormWindow* created = make();
  created->setAttribute(Qt::WA_DeleteOnClose);
  created->move(OpeningPosition(main_, *created));
  *slot = created;
}

void WidgetControls::showWindow(Window window) {
  const PreservedFpFlags keep;
  FormWindow* f = form(window);
  if (!f) return;
  f->show();
  f->raise();
  f->activateWindow();
}

void WidgetControls::setScale(Window window, std::string_view picture, const PlotScale& scale) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(window, picture)) s->setScale(scale);
}

void WidgetControls::clearPicture(Window window, std::string_view picture) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(window, picture)) s->clear();
}

void WidgetControls::drawLine(Window window, std::string_view picture, PlotPoint from,
                              PlotPoint to) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(window, picture)) s->drawLine(from, to);
}

void WidgetControls::drawPolyline(Window window, std::string_view picture,
                                  std::span<const PlotPoint> points, Rgb colour) {
  const PreservedFpFlags keep;
  if (PlotSurface* s = surface(window, picture)) s->drawPolyline(points, colour);
}

void WidgetControls::moveControl(Window window, std::string_view control, double left, double top) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(window)) f->moveControl(control, left, top);
}

void WidgetControls::setToolTip(Window window, std::string_view control, std::string_view text) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(window)) f->setControlToolTip(control, FromUtf8(text));
}

void WidgetControls::select(Window window, std::string_view option) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(window)) f->select(option);
}

bool WidgetControls::isSelected(Window window, std::string_view option) {
  const PreservedFpFlags keep;
  FormWindow* f = form(window);
  return f && f->isSelected(option);
}

void WidgetControls::setTextColour(Window window, std::string_view control, Rgb colour) {
  const PreservedFpFlags keep;
  if (FormWindow* f = form(window)) f->setTextColour(control, colour);
}

}  // namespace classe
