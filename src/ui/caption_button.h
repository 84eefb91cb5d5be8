// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QPushButton>

namespace classe {

// A command button whose caption wraps onto as many lines as the button's
// width needs, centred, as the window designs draw them.
class CaptionButton : public QPushButton {
  Q_OBJECT

 public:
  explicit CaptionButton(const QString& caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace classe
