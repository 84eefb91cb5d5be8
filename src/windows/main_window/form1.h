// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>

#include "ui/form_window.h"
#include "windows/main_window/main_menu.h"

class QCloseEvent;

namespace classe {

// The main window: the design inputs, the class-E schematic, the results and
// the six command buttons. Closing it ends the program.
class Form1 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  const MainMenu& menu() const { return menu_; }
  // Asked before the window closes; false keeps it open.
  void setCloseGuard(std::function<bool()> guard) { guard_ = std::move(guard); }

 signals:
  // The user closed the window from its title bar.
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  MainMenu menu_;
  std::function<bool()> guard_;
};

}  // namespace classe
