// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QWidget>

namespace classe {

// How the windows show a message: modal, the text as prompt, one OK button.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  // `fault`: an arithmetic fault or a refused input rather than a message of
  // the design. Returns when the user has closed it.
  virtual void show(const QString& text, bool fault) = 0;
};

// The application's title, on every message box.
QString ApplicationTitle();

// A modal QMessageBox without icon, with a single OK button.
class MessageBoxPresenter : public MessagePresenter {
 public:
  explicit MessageBoxPresenter(QWidget* parent = nullptr) : parent_(parent) {}
  void show(const QString& text, bool fault) override;

 private:
  QWidget* parent_;
};

}  // namespace classe
