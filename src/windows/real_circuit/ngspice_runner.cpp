// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/real_circuit/ngspice_runner.h"

#include <QDir>
#include <QStandardPaths>

namespace classe {

NgspiceRunner::NgspiceRunner(QObject* parent) : QObject(parent) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { stop(End::TimedOut); });
}

NgspiceRunner::~NgspiceRunner() {
  if (process_) {
    process_->disconnect(this);
    process_->kill();
    process_->waitForFinished(1000);
  }
}

QString NgspiceRunner::Program() {
  return QStandardPaths::findExecutable(QStringLiteral("ngspice"));
}

bool NgspiceRunner::running() const {
  return process_ != nullptr;
}

bool NgspiceRunner::start(const std::string& deck, QString& error) {
  if (running()) {
    error = QStringLiteral("una verifica è già in corso");
    return false;
  }
  const QString program = Program();
  if (program.isEmpty()) {
    error = QStringLiteral("ngspice non è installato (sudo apt install ngspice)");
    return false;
  }
  // QTemporaryFile makes the file readable and writable by its owner only.
  deck_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + "/classe-e-XXXXXX.cir");
  if (!deck_->open() ||
      deck_->write(deck.data(), static_cast<qint64>(deck.size())) !=
          static_cast<qint64>(deck.size()) ||
      !deck_->flush()) {
    error = QStringLiteral("impossibile scrivere la netlist temporanea: ") + deck_->errorString();
    deck_.reset();
    return false;
  }
  deck_->close();
  process_ = std::make_unique<QProcess>();
  process_->setProgram(program);
  process_->setArguments({QStringLiteral("-b"), deck_->fileName()});
  process_->setWorkingDirectory(QDir::tempPath());
  process_->setProcessChannelMode(QProcess::MergedChannels);
  connect(process_.get(), &QProcess::finished, this, &NgspiceRunner::processEnded);
  connect(process_.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) processEnded();
  });
  stopping_.reset();
  process_->start();
  timer_.start(timeout_);
  return true;
}

void NgspiceRunner::cancel() {
  if (running()) stop(End::Cancelled);
}

void NgspiceRunner::stop(End end) {
  stopping_ = end;
  process_->kill();  // finished() follows, and reports the end recorded here
}

void NgspiceRunner::processEnded() {
  if (!process_) return;
  timer_.stop();
  // Take what the run left before anything else can start another.
  std::unique_ptr<QProcess> process = std::move(process_);
  deck_.reset();  // removes the file
  process->disconnect(this);
  const std::string output = process->readAll().toStdString();
  End end = End::Failed;
  QString detail;
  std::optional<circuit::NgspiceMeasures> measures;
  if (stopping_) {
    end = *stopping_;
  } else if (process->error() == QProcess::FailedToStart) {
    detail = QStringLiteral("ngspice non si avvia: ") + process->errorString();
  } else {
    measures = circuit::ReadNgspiceMeasures(output);
    if (measures) {
      end = End::Measured;
    } else {
      detail = QStringLiteral("ngspice è terminato (codice %1) senza le misure attese")
                   .arg(process->exitCode());
    }
  }
  process.release()->deleteLater();  // it may still be delivering its own signal
  emit finished(end, detail, measures);
}

}  // namespace classe
