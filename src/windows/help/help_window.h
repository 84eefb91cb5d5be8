// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QTextBrowser>

class QWidget;

namespace classe {

// "Guida": the program's manual in Italian, bundled with the program, in a
// browser with its own window.
class HelpWindow : public QTextBrowser {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// "Informazioni su Classe E": the standard about box, with the version, the
// licence and the Qt version.
void ShowAbout(QWidget* parent);

// The about box's text.
QString AboutText();

}  // namespace classe
