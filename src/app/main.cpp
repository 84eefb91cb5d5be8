// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// classe-e: the class-E amplifier calculator.

#include <QApplication>
#include <QIcon>

#include "actions/form1_controls.h"
#include "app/calculator.h"
#include "ui/message_presenter.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("classe-e");
  // No application display name: the X11 title bar would append it to every
  // window's own title ("Form3 — Amplificatore RF in classe E").
  QApplication::setWindowIcon(QIcon(":/icons/classe-e.svg"));
  // The main window decides when the program ends, not the last window closed.
  QApplication::setQuitOnLastWindowClosed(false);

  classe::Calculator calculator;
  QObject::connect(&calculator, &classe::Calculator::ended, &app, &QApplication::quit,
                   Qt::QueuedConnection);
  calculator.mainWindow().show();
  calculator.mainWindow().control(classe::form1::Text1.name)->setFocus();
  // classe-e FILE: the design file the desktop or the command line names.
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) calculator.openDesign(args.at(1));
  return app.exec();
}
