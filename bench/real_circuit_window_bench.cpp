// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The real-circuit window, offscreen: opening it with the default inputs
// (both designs computed, every curve drawn, the window painted), the same
// again with a transistor, and how late the event loop answers while ngspice
// runs in the background.

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

struct Program {
  SilentPresenter presenter;
  classe::Calculator calculator{&presenter};

  Program() {
    calculator.mainWindow().show();
    QApplication::processEvents();
  }
  classe::FormWindow* window() { return calculator.controls().existing(classe::Window::Form4); }
};

// "Circuito reale…" to the window painted, then closed again: a new window
// each time, as a user who opens it for the first time.
void OpenRealCircuitWindow(benchmark::State& state) {
  Program program;
  for (auto _ : state) {
    program.calculator.mainWindow().menu().realCircuit->trigger();
    program.window()->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    delete program.window();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

// " Calcola " with a transistor of 500 pF at 25 V (m 0.5): both designs with
// the nonlinear drain and its diode, computed in the background, every curve
// drawn, the window painted; and how late the event loop answers meanwhile.
void RecomputeWithTransistor(benchmark::State& state) {
  Program program;
  program.calculator.mainWindow().menu().realCircuit->trigger();
  program.window()->findChild<QLineEdit*>("Text2")->setText("500");
  classe::bench::LatenessProbe probe(2);
  for (auto _ : state) {
    program.window()->findChild<QAbstractButton*>("Command1")->click();
    probe.start();
    while (program.calculator.designing())
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    probe.stop();
    program.window()->repaint();
    QApplication::processEvents();
  }
  classe::bench::ReportLateness(state, probe.late());
}

// A timer asks every 5 ms while ngspice simulates the chosen design; the
// counters are how much later than asked it was answered.
void EventLoopDuringNgspice(benchmark::State& state) {
  Program program;
  program.calculator.mainWindow().menu().realCircuit->trigger();
  classe::bench::LatenessProbe probe(5);
  for (auto _ : state) {
    program.window()->findChild<QAbstractButton*>("Command2")->click();
    const qint64 started = probe.elapsed();
    probe.start();
    while (program.calculator.ngspice().running())
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    probe.stop();
    state.counters["run_ms"] = static_cast<double>(probe.elapsed() - started);
  }
  classe::bench::ReportLateness(state, probe.late());
  state.counters["ticks"] = static_cast<double>(probe.late().size());
}

BENCHMARK(OpenRealCircuitWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(RecomputeWithTransistor)->Unit(benchmark::kMillisecond);
BENCHMARK(EventLoopDuringNgspice)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
