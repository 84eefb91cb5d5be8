// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "actions/controls.h"
#include "ui/plot_surface.h"

class QButtonGroup;
class QKeyEvent;
class QMenuBar;

namespace classe {

enum class ControlKind {
  Caption,   // label on the background of the window (or of its holder)
  ValueBox,  // label that receives a computed number: bordered, its own background
  Field,     // single-line text box
  Button,    // command button; a long caption wraps
  Option,    // option button of the window's one group
  Image,     // stored picture (an SVG resource) drawn to fill its rectangle
  Picture,   // picture box with user units, made by the window (createPicture)
  Line,      // horizontal separator
  CheckBox,  // check box with its caption
  Busy,      // indicator of work going on, hidden when there is none
  Choice,    // drop-down list: `text` its entries separated by '|', `current` the one at start
  Progress,  // bar of work done out of a known whole; `text` what a screen reader calls it
};

// One control of a window design. Positions are twips in the client area of
// the window, or of the holder when the control sits inside a picture box.
struct ControlSpec {
  std::string_view name = {};  // design name, also the widget's objectName
  ControlKind kind = ControlKind::Caption;
  std::string_view text = {};  // caption, default text, or image resource path
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::optional<Rgb> background = {};
  std::optional<Rgb> foreground = {};
  bool hidden = false;
  bool bold = true;
  std::string_view holder = {};  // picture box that holds it
  double pointSize = 0;          // 0: the window's text size
  bool middle = false;  // a caption's text centred vertically, as in the value box it heads
  std::string_view current = {};  // a Choice's entry at start
};

// A window's client area, in twips.
struct ClientSize {
  int width = 0;
  int height = 0;
};

// A window built from its design table: every control is a child widget whose
// objectName is its design name, found again by that name. The operations are
// the ones the actions use through Controls.
class FormWindow : public QWidget {
  Q_OBJECT

 public:
  QWidget* control(std::string_view name) const;
  QString fieldText(std::string_view name) const;
  void setFieldText(std::string_view name, const QString& text);
  void setCaption(std::string_view name, const QString& caption);
  void setControlVisible(std::string_view name, bool visible);
  void setTextColour(std::string_view name, Rgb colour);
  void setControlToolTip(std::string_view name, const QString& text);
  void select(std::string_view option);
  bool isSelected(std::string_view option) const;
  void setChecked(std::string_view box, bool checked);
  bool isChecked(std::string_view box) const;
  // A Progress bar at `done` of `total`.
  void setProgress(std::string_view bar, long long done, long long total);
  // Top-left corner of a control at user units of the picture box holding it.
  void moveControl(std::string_view name, double left, double top);
  // The picture box of that name, when it has user units.
  virtual PlotSurface* surface(std::string_view picture);
  // Runs `handler` on every click of the button.
  void onClick(std::string_view button, std::function<void()> handler);

  Window id() const { return id_; }
  // Where the controls live: the window itself, or the area below its menu
  // bar when it has one.
  QWidget* clientArea() const { return client_; }

 protected:
  explicit FormWindow(Window id, QWidget* parent = nullptr);

  // Creates the controls of `layout` in order (the order is the focus chain
  // of the fields and buttons), sets the client area's colour and fixed size.
  void build(std::span<const ControlSpec> layout, Rgb background, ClientSize size);
  // A menu bar above the client area, outside it, so that the client area
  // keeps its designed size and every control its place. Before build().
  void setMenuBar(QMenuBar* menuBar);
  // A Picture control; the plain window makes an empty widget.
  virtual QWidget* createPicture(const ControlSpec& item, QWidget* parent);

  // Esc closes the window, as its "Esci" does.
  void closeOnEscape() { closesOnEscape_ = true; }
  void keyPressEvent(QKeyEvent* event) override;

  // Text size of the window's controls, in points (8.25 by design).
  virtual double textPointSize() const { return 8.25; }

 private:
  QWidget* createControl(const ControlSpec& item, QWidget* parent);

  Window id_;
  QWidget* client_ = this;
  std::map<std::string, QWidget*, std::less<>> controls_;
  std::map<std::string, std::string, std::less<>> holders_;
  QButtonGroup* options_ = nullptr;
  bool closesOnEscape_ = false;
};

}  // namespace classe
