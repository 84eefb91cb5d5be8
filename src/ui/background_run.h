// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "engine/statistics/progress.h"

namespace classe {

// Work on Qt's thread pool that counts what it has done and stops when asked:
// the window's bar follows the count, and "Interrompi" ends the work at its
// next step, which then finishes with what it has.
class BackgroundRun : public QObject {
  Q_OBJECT

 public:
  using Work = std::function<void(statistics::Progress&)>;

  explicit BackgroundRun(QObject* parent = nullptr);
  // Stops the work and waits for it: it must not outlive what it fills.
  ~BackgroundRun() override;

  // Starts `work`, which will do `total` steps; false while a run is under
  // way.
  bool start(Work work, long long total);
  // Asks the work to stop; `finished` follows once it has.
  void stop();
  bool running() const { return running_; }
  long long total() const { return total_; }

 signals:
  // On the GUI thread, a few times a second while the work runs.
  void progressed(long long done, long long total);
  // On the GUI thread, once the work has returned; `stopped` when it was
  // asked to stop.
  void finished(bool stopped);

 private:
  void tick();
  void ended();

  std::shared_ptr<statistics::Progress> progress_;
  QFutureWatcher<void> watcher_;
  QTimer timer_;
  long long total_ = 0;
  bool running_ = false;
};

}  // namespace classe
