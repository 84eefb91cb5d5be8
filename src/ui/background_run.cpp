// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/background_run.h"

#include <QtConcurrent/QtConcurrentRun>

namespace classe {

// The bar moves every tenth of a second: often enough to look alive, rarely
// enough to cost nothing.
constexpr int kTickMilliseconds = 100;

BackgroundRun::BackgroundRun(QObject* parent) : QObject(parent) {
  timer_.setInterval(kTickMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &BackgroundRun::tick);
  connect(&watcher_, &QFutureWatcher<void>::finished, this, &BackgroundRun::ended);
}

BackgroundRun::~BackgroundRun() {
  if (progress_) progress_->stop = true;
  watcher_.waitForFinished();
}

bool BackgroundRun::start(Work work, long long total) {
  if (running_) return false;
  progress_ = std::make_shared<statistics::Progress>();
  total_ = total;
  running_ = true;
  emit progressed(0, total_);
  watcher_.setFuture(
      QtConcurrent::run([work = std::move(work), progress = progress_] { work(*progress); }));
  timer_.start();
  return true;
}

void BackgroundRun::stop() {
  if (running_ && progress_) progress_->stop = true;
}

void BackgroundRun::tick() {
  if (running_ && progress_) emit progressed(progress_->done.load(), total_);
}

void BackgroundRun::ended() {
  timer_.stop();
  running_ = false;
  const bool stopped = progress_ && progress_->stop.load();
  emit progressed(progress_ ? progress_->done.load() : 0, total_);
  emit finished(stopped);
}

}  // namespace classe
