// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Latency of each button with the default inputs, from the click to the
// windows repainted, offscreen: what a user waits for after pressing it.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include "app/calculator.h"

namespace {

// Messages would block on a modal box; the benchmark only counts them.
class SilentPresenter : public classe::MessagePresenter {
 public:
  void show(const QString&, bool) override {}
};

// Clicks and waits until every window has repainted.
void Press(QWidget* window, const char* button) {
  window->findChild<QAbstractButton*>(button)->click();
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible()) w->repaint();
  }
  QApplication::processEvents();
}

struct Program {
  SilentPresenter presenter;
  classe::Calculator calculator{&presenter};

  Program() {
    calculator.mainWindow().show();
    QApplication::processEvents();
  }
  QWidget* main() { return &calculator.mainWindow(); }
};

void Button(benchmark::State& state, const char* button) {
  Program program;
  Press(program.main(), "Command1");  // the matching button appears after a compute
  for (auto _ : state)
    Press(program.main(), button);
}

void Verify(benchmark::State& state) {
  Program program;
  Press(program.main(), "Command5");
  QWidget* final = program.calculator.controls().existing(classe::Window::Form3);
  for (auto _ : state)
    Press(final, "Command1");
}

BENCHMARK_CAPTURE(Button, compute, "Command1")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Button, matching, "Command2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Button, peaks, "Command3")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Button, graphs, "Command4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Button, final_circuit, "Command5")->Unit(benchmark::kMillisecond);
BENCHMARK(Verify)->Unit(benchmark::kMillisecond);

}  // namespace
