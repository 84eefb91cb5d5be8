// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace classe::bench {

// How late a timer asking every few ms was answered, ms: the median, the
// 99th percentile and the worst, as the benchmark's counters.
inline void ReportLateness(benchmark::State& state, std::vector<double> late) {
  std::sort(late.begin(), late.end());
  if (late.empty()) return;
  state.counters["late_median_ms"] = late[late.size() / 2];
  state.counters["late_p99_ms"] = late[late.size() * 99 / 100];
  state.counters["late_max_ms"] = late.back();
}

// A timer that asks every `period` ms while it runs; how much later than
// asked each answer came, ms, is how long the window would not respond.
class LatenessProbe {
 public:
  explicit LatenessProbe(int period) : period_(period) {
    clock_.start();
    tick_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick_, &QTimer::timeout, [this] {
      late_.push_back(static_cast<double>(clock_.nsecsElapsed()) / 1e6 -
                      static_cast<double>(expected_));
      expected_ = clock_.elapsed() + period_;
    });
  }
  void start() {
    expected_ = clock_.elapsed() + period_;
    tick_.start(period_);
  }
  void stop() { tick_.stop(); }
  qint64 elapsed() const { return clock_.elapsed(); }
  const std::vector<double>& late() const { return late_; }

 private:
  int period_;
  QElapsedTimer clock_;
  QTimer tick_;
  qint64 expected_ = 0;
  std::vector<double> late_;
};

}  // namespace classe::bench
