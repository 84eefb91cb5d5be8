// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryFile>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "engine/circuit/ngspice_output.h"

namespace classe {

// Runs Debian's ngspice on a deck in the background: the deck goes to a
// private temporary file (readable by its owner only, removed afterwards),
// ngspice is started without a shell, and the window stays responsive. A run
// can be cancelled, and one that takes longer than the time-out is ended.
class NgspiceRunner : public QObject {
  Q_OBJECT

 public:
  enum class End {
    Measured,   // ngspice printed the five measures
    Failed,     // it ended without them (the detail says how)
    Cancelled,  // the user stopped it
    TimedOut,   // it ran past the time-out and was ended
  };

  explicit NgspiceRunner(QObject* parent = nullptr);
  ~NgspiceRunner() override;

  // The ngspice on the PATH, or empty when there is none.
  static QString Program();

  void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
  bool running() const;

  // False, with the reason in `error`, when no run could be started.
  bool start(const std::string& deck, QString& error);
  // Ends a run under way; finished() follows with End::Cancelled.
  void cancel();

 signals:
  void finished(classe::NgspiceRunner::End end, const QString& detail,
                std::optional<classe::circuit::NgspiceMeasures> measures);

 private:
  void processEnded();
  void stop(End end);

  std::chrono::milliseconds timeout_{std::chrono::minutes(2)};
  std::unique_ptr<QProcess> process_;
  std::unique_ptr<QTemporaryFile> deck_;
  QTimer timer_;
  std::optional<End> stopping_;
};

}  // namespace classe
