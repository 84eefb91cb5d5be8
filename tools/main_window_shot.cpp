// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Renders the main window, as it stands after a compute, a peak and a matching
// run with the default inputs, to a PNG. usage: main_window_shot OUT.png
// Runs headless with QT_QPA_PLATFORM=offscreen; scripts/screenshot calls it.

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "app/calculator.h"
#include "ui/message_presenter.h"

namespace {

// The default inputs raise no message; any that does is printed, not shown.
class PrintingPresenter : public classe::MessagePresenter {
 public:
  void show(const QString& text, bool) override {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: main_window_shot OUT.png\n");
    return 64;
  }
  PrintingPresenter messages;
  classe::Calculator calculator(&messages);
  classe::Form1& window = calculator.mainWindow();
  window.show();
  for (const char* button : {"Command1", "Command3", "Command2"}) {
    if (auto* b = qobject_cast<QAbstractButton*>(window.control(button))) b->click();
  }
  QApplication::processEvents();
  const QImage image = window.grab().toImage();
  if (!image.save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "main_window_shot: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %dx%d\n", argv[1], image.width(), image.height());
  return 0;
}
