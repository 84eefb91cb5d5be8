// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The tolerance and sweep windows, offscreen: how late the event loop
// answers while a run uses every core in the background, and how long the run
// takes from "Calcola" to its results shown.

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "app/calculator.h"
#include "bench/event_loop_lateness.h"

namespace {

class SilentPresenter : public classe::MessagePresenter {
 public:
  void show(const QString&, bool) override {}
};

// Arg 0: 100,000 builds as built; 1: 2,000 retuned; 2: a sweep of 2,000
// points of the load.
void EventLoopDuringAnalysis(benchmark::State& state) {
  SilentPresenter presenter;
  classe::Calculator calculator{&presenter};
  calculator.mainWindow().show();
  const bool sweep = state.range(0) == 2;
  const classe::MainMenu& menu = calculator.mainWindow().menu();
  (sweep ? menu.sweep : menu.tolerances)->trigger();
  classe::FormWindow* form =
      calculator.controls().existing(sweep ? classe::Window::Form7 : classe::Window::Form6);
  const auto set = [&](const char* field, const char* text) {
    form->findChild<QLineEdit*>(field)->setText(text);
  };
  if (sweep) {
    set("Text3", "2000");
  } else {
    set("Text6", state.range(0) == 0 ? "100000" : "2000");
    form->findChild<QAbstractButton*>("Check1")->setChecked(state.range(0) == 1);
  }
  std::vector<double> late;
  double worstAt = 0, worst = 0;  // when in the run the loop was latest, ms
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    form->findChild<QAbstractButton*>("Command1")->click();
    qint64 expected = clock.elapsed() + 5;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
      late.push_back(now - static_cast<double>(expected));
      if (late.back() > worst) worst = late.back(), worstAt = now;
      expected = clock.elapsed() + 5;
    });
    tick.start(5);
    while (calculator.analysing())
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
    state.counters["run_ms"] = static_cast<double>(clock.elapsed());
  }
  classe::bench::ReportLateness(state, late);
  state.counters["late_max_at_ms"] = worstAt;
}

BENCHMARK(EventLoopDuringAnalysis)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
