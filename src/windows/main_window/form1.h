// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

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

 signals:
  // The user closed the window from its title bar.
  void closing();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  MainMenu menu_;
};

}  // namespace classe
