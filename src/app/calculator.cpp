// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "app/calculator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

#include "actions/compute_action.h"
#include "actions/cursor_readout.h"
#include "actions/document_controls.h"
#include "actions/final_circuit_action.h"
#include "actions/form1_controls.h"
#include "actions/form2_controls.h"
#include "actions/form3_controls.h"
#include "actions/form4_controls.h"
#include "actions/form5_controls.h"
#include "actions/form6_controls.h"
#include "actions/form7_controls.h"
#include "actions/graph_action.h"
#include "actions/matching_action.h"
#include "actions/peak_action.h"
#include "actions/real_circuit_plot.h"
#include "actions/sampling_prologue.h"
#include "actions/verify_action.h"
#include "engine/design/samples_csv.h"
#include "engine/parts/bill_of_materials.h"
#include "ui/atomic_file.h"
#include "ui/image_export.h"
#include "ui/qt_conversions.h"
#include "windows/final_circuit/form3.h"
#include "windows/graphs/form2.h"

namespace classe {

Calculator::Calculator(MessagePresenter* presenter, FileChooser* files)
    : boxes_(&main_),
      messages_(presenter ? *presenter : boxes_),
      files_(files ? *files : dialogs_),
      controls_(main_, messages_) {
  controls_.setFactory(Window::Form2, [this] { return createGraphWindow(); });
  controls_.setFactory(Window::Form3, [this] { return createFinalCircuitWindow(); });
  controls_.setFactory(Window::Form4, [this] { return createRealCircuitWindow(); });
  controls_.setFactory(Window::Form5, [this] { return createPartsWindow(); });
  controls_.setFactory(Window::Form6, [this] { return createToleranceWindow(); });
  controls_.setFactory(Window::Form7, [this] { return createSweepWindow(); });
  // Each analysis window's bar and status line follow its run.
  const auto follow = [this](BackgroundRun& run, Window window, Control status,
                             std::string (*text)(long long, long long)) {
    connect(&run, &BackgroundRun::progressed, this,
            [this, &run, window, status, text](long long done, long long all) {
              AnalysisWindow* form = analysisWindow(window);
              if (!form) return;
              form->setProgress(done, all);
              if (run.running()) form->setCaption(status.name, FromUtf8(text(done, all)));
            });
  };
  follow(toleranceRun_, Window::Form6, form6::Label1, ToleranceProgressText);
  follow(sweepRun_, Window::Form7, form7::Label1, SweepProgressText);
  connect(&toleranceRun_, &BackgroundRun::finished, this, &Calculator::tolerancesComputed);
  connect(&sweepRun_, &BackgroundRun::finished, this, &Calculator::sweepComputed);
  connect(&reportRun_, &BackgroundRun::progressed, this, [this](long long done, long long all) {
    if (reportProgress_ && all > 0) reportProgress_->setValue(static_cast<int>(1000 * done / all));
  });
  connect(&reportRun_, &BackgroundRun::finished, this, &Calculator::reportComputed);
  connect(&partsWatcher_, &QFutureWatcher<PartsResult>::finished, this, &Calculator::partsComputed);
  connect(&designWatcher_, &QFutureWatcher<DesignsResult>::finished, this,
          &Calculator::realCircuitComputed);
  connect(&ngspice_, &NgspiceRunner::finished, this, &Calculator::ngspiceEnded);

  main_.onClick(form1::Command1.name, [this] { ComputeComponents(state_, controls_); });
  main_.onClick(form1::Command2.name, [this] { ShowMatchingNetwork(state_, controls_); });
  main_.onClick(form1::Command3.name, [this] { ShowPeakValues(state_, controls_); });
  main_.onClick(form1::Command4.name, [this] { ShowGraphs(state_, controls_); });
  main_.onClick(form1::Command5.name, [this] { ShowFinalCircuit(state_, controls_); });
  main_.onClick(form1::Command6.name, [this] { main_.close(); });
  connect(&main_, &Form1::closing, this, &Calculator::end);
  connectMenu();
  connectFileMenu();
}

Calculator::~Calculator() {
  // A computation still running must not outlive what it reports to.
  partsWatcher_.waitForFinished();
  designWatcher_.waitForFinished();
  toleranceRun_.stop();
  sweepRun_.stop();
  reportRun_.stop();
  controls_.closeOthers();
  delete help_;
}

void Calculator::connectMenu() {
  const MainMenu& menu = main_.menu();
  connect(menu.quit, &QAction::triggered, &main_, &QWidget::close);
  connect(menu.exportSamples, &QAction::triggered, this, &Calculator::exportSamples);
  connect(menu.exportNetlist, &QAction::triggered, this, &Calculator::exportNetlist);
  connect(menu.realCircuit, &QAction::triggered, this, &Calculator::openRealCircuit);
  connect(menu.parts, &QAction::triggered, this, &Calculator::openParts);
  connect(menu.tolerances, &QAction::triggered, this, [this] { openAnalysis(Window::Form6); });
  connect(menu.sweep, &QAction::triggered, this, [this] { openAnalysis(Window::Form7); });
  connect(menu.help, &QAction::triggered, this, &Calculator::showHelp);
  connect(menu.about, &QAction::triggered, this, [this] { ShowAbout(&main_); });
}

void Calculator::end() {
  controls_.closeOthers();
  if (help_) help_->close();
  emit ended();
}

FormWindow* Calculator::createGraphWindow() {
  auto* form = new Form2();
  watchInputs(form);
  form->onClick(form2::Command1.name, [form] { form->close(); });
  form->onPlotMouseMove([this](float x, float y) { ShowCursorReadout(state_, controls_, x, y); });
  form->onSaveImage([this, form] {
    SaveImageAs(*form->clientArea(), form->plotRegion(), QStringLiteral("grafici.png"), files_,
                messages_);
  });
  return form;
}

FormWindow* Calculator::createFinalCircuitWindow() {
  auto* form = new Form3();
  watchInputs(form);
  form->onClick(form3::Command1.name, [this] { VerifyCircuit(state_, controls_); });
  form->onClick(form3::Command2.name, [form] { form->close(); });
  return form;
}

FormWindow* Calculator::createRealCircuitWindow() {
  auto* form = new Form4();
  watchInputs(form);
  form->onClick(form4::Command1.name, [this] { computeRealCircuit(); });
  form->onClick(form4::Command2.name, [this] { verifyWithNgspice(); });
  form->onClick(form4::Command3.name, [this] {
    stopRealCircuit();
    ngspice_.cancel();
  });
  form->onClick(form4::Command4.name, [form] { form->close(); });
  form->onClick(form4::Command5.name, [this] { loadCossCurve(); });
  form->onClick(form4::Command6.name, [this] { openParts(); });
  form->onPlotMouseMove(
      [this](float x, float y) { ShowRealCircuitReadout(realCircuit_, controls_, x, y); });
  form->onSaveImage([this, form] {
    SaveImageAs(*form->clientArea(), form->plotRegion(), QStringLiteral("circuito-reale.png"),
                files_, messages_);
  });
  form->setNgspiceInstalled(!NgspiceRunner::Program().isEmpty());
  // A run for a window that is gone has nowhere to show its figures.
  connect(form, &QObject::destroyed, this, [this] { ngspice_.cancel(); });
  // The check box starts as the load asks: a network when RL is outside the
  // band around R.
  form->setChecked(form4::Check1.name, NetworkWanted(controls_));
  showRealCircuitInputs(*form);
  return form;
}

Form4* Calculator::realCircuitWindow() const {
  return qobject_cast<Form4*>(controls_.existing(Window::Form4));
}

void Calculator::openRealCircuit() {
  controls_.showWindow(Window::Form4);
  computeRealCircuit();
}

// Figures of ngspice for designs that have just changed would mislead: a run
// under way is stopped. The linear stage's designs are shown at once; a
// transistor's are computed off this thread, and a run started before is
// no longer watched (it ends unseen).
void Calculator::computeRealCircuit() {
  ngspice_.cancel();
  auto prepared = PrepareRealCircuit(realCircuit_, controls_);
  const auto* job = std::get_if<RealCircuitJob>(&prepared);
  if (!job) return;
  if (!HoldsTransistor(*job)) {
    dropRealCircuitRun();
    ShowRealCircuitResults(realCircuit_, controls_, ComputeRealCircuit(*job));
    return;
  }
  designStopped_ = false;
  designPending_ = true;
  if (Form4* form = realCircuitWindow()) {
    form->setDesigning(true);
    form->setStatus(QStringLiteral("Calcolo dei progetti con il transistor…"));
  }
  designWatcher_.setFuture(QtConcurrent::run(
      [job = *job] { return std::make_shared<RealCircuitResults>(ComputeRealCircuit(job)); }));
}

void Calculator::realCircuitComputed() {
  designPending_ = false;
  Form4* form = realCircuitWindow();
  if (form) form->setDesigning(false);
  if (designStopped_ || !form) return;
  form->setStatus(QString());
  ShowRealCircuitResults(realCircuit_, controls_, std::move(*designWatcher_.result()));
}

// The run goes on unseen.
void Calculator::dropRealCircuitRun() {
  if (!designPending_) return;
  designStopped_ = true;
  if (Form4* form = realCircuitWindow()) {
    form->setDesigning(false);
    form->setStatus(QString());
  }
}

// What the window shows is the run before it.
void Calculator::stopRealCircuit() {
  if (!designPending_) return;
  dropRealCircuitRun();
  if (Form4* form = realCircuitWindow()) {
    form->setStatus(
        QStringLiteral("Calcolo interrotto: i valori mostrati sono quelli del "
                       "calcolo precedente."));
  }
}

void Calculator::verifyWithNgspice() {
  Form4* form = realCircuitWindow();
  if (!form || ngspice_.running() || designPending_) return;
  if (NgspiceRunner::Program().isEmpty()) {
    form->setNgspiceInstalled(false);
    messages_.show(QStringLiteral("ngspice non è installato: per la verifica installalo con "
                                  "sudo apt install ngspice"),
                   true);
    return;
  }
  form->setNgspiceInstalled(true);
  const bool exact = ExactDesignChosen(controls_);
  const auto deck = DeckOf(realCircuit_, exact);
  if (!deck) {
    messages_.show(FromUtf8(deck.failure().message), true);
    return;
  }
  ClearNgspiceFigures(controls_);
  QString error;
  if (!ngspice_.start(deck->text, error)) {
    messages_.show(QStringLiteral("Verifica con ngspice non avviata: ") + error + '.', true);
    return;
  }
  verifyingExact_ = exact;
  form->setVerifying(true);
  form->setStatus(QStringLiteral("ngspice simula %1 periodi del progetto %2…")
                      .arg(deck->periods)
                      .arg(exact ? QStringLiteral("esatto") : QStringLiteral("ideale")));
}

void Calculator::ngspiceEnded(NgspiceRunner::End end, const QString& detail,
                              std::optional<circuit::NgspiceMeasures> measures) {
  Form4* form = realCircuitWindow();
  if (!form) return;
  form->setVerifying(false);
  const QString design = verifyingExact_ ? QStringLiteral("esatto") : QStringLiteral("ideale");
  switch (end) {
    case NgspiceRunner::End::Measured:
      ShowNgspiceFigures(realCircuit_, controls_, verifyingExact_, *measures);
      form->setStatus(QStringLiteral("Verifica del progetto %1 completata.").arg(design));
      break;
    case NgspiceRunner::End::Cancelled:
      form->setStatus(QStringLiteral("Verifica interrotta."));
      break;
    case NgspiceRunner::End::TimedOut:
      form->setStatus(QStringLiteral("ngspice non ha finito in tempo ed è stato fermato."));
      break;
    case NgspiceRunner::End::Failed:
      form->setStatus(QStringLiteral("Verifica non riuscita: ") + detail + '.');
      break;
  }
}

// The samples come from the fields as they are now, into a design state of
// their own: the graph window's read-out keeps the arrays it was drawn from.
void Calculator::exportSamples() {
  DesignState samples;
  if (SampleAllWaveforms(samples, controls_) != Outcome::Done) return;
  const FileChooser::Choice choice = files_.saveFile(
      &main_, QStringLiteral("Esporta campioni CSV"), QStringLiteral("campioni.csv"),
      {QStringLiteral("Valori separati da virgole (*.csv)")});
  if (choice.path.isEmpty()) return;
  const auto failure =
      WriteFileAtomically(choice.path, [&](std::ostream& out) { WriteSamplesCsv(out, samples); });
  if (failure) messages_.show(WriteFailureMessage(choice.path, *failure), true);
}

// The deck of the design the dialog's filter names, with the real-circuit
// window's Ron, Coss, QU and network when it is open, its defaults otherwise.
void Calculator::exportNetlist() {
  const QString exactFilter = QStringLiteral("Netlist SPICE, progetto esatto (*.cir)");
  const QString idealFilter = QStringLiteral("Netlist SPICE, progetto ideale (*.cir)");
  controls_.loadWindow(Window::Form4);
  ngspice_.cancel();
  dropRealCircuitRun();
  // Both designs first: a field the checks reject stops the export before
  // any dialog, and a design the engine cannot give has already said why.
  if (ShowRealCircuit(realCircuit_, controls_) == Outcome::Rejected) return;
  if (!realCircuit_.exact && !realCircuit_.ideal) return;
  const FileChooser::Choice choice =
      files_.saveFile(&main_, QStringLiteral("Esporta netlist SPICE"),
                      QStringLiteral("classe-e.cir"), {exactFilter, idealFilter});
  if (choice.path.isEmpty()) return;
  const auto deck = DeckOf(realCircuit_, choice.filter != idealFilter);
  if (!deck) {
    messages_.show(FromUtf8(deck.failure().message), true);
    return;
  }
  const auto failure = WriteFileAtomically(choice.path, [&](QIODevice& out) {
    return out.write(deck->text.data(), static_cast<qint64>(deck->text.size())) ==
           static_cast<qint64>(deck->text.size());
  });
  if (failure) messages_.show(WriteFailureMessage(choice.path, *failure), true);
}

void Calculator::loadCossCurve() {
  Form4* form = realCircuitWindow();
  if (!form) return;
  const FileChooser::Choice choice =
      files_.openFile(form, QStringLiteral("Carica curva Coss"),
                      {QStringLiteral("Curva Coss, Vds [V] e Coss [pF] (*.csv *.txt)"),
                       QStringLiteral("Tutti i file (*)")});
  if (choice.path.isEmpty()) return;
  QFile file(choice.path);
  if (!file.open(QIODevice::ReadOnly)) {
    messages_.show(QStringLiteral("Impossibile leggere il file %1: %2")
                       .arg(QDir::toNativeSeparators(choice.path), file.errorString()),
                   true);
    return;
  }
  if (file.size() > kMaxCurveFileBytes) {
    messages_.show(QStringLiteral("Il file %1 è troppo grande per una curva Coss (più di 1 MB).")
                       .arg(QDir::toNativeSeparators(choice.path)),
                   true);
    return;
  }
  const QByteArray bytes = file.read(kMaxCurveFileBytes);
  const QString name = QFileInfo(choice.path).fileName();
  if (const auto refused = LoadCossCurve(
          realCircuit_, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
          name.toStdString())) {
    messages_.show(FromUtf8(*refused), true);
    return;
  }
  form->setCaption(form4::Label150.name, name);
  inputsChanged();
  computeRealCircuit();
}

void Calculator::showHelp() {
  if (!help_) {
    help_ = new HelpWindow();
    help_->setAttribute(Qt::WA_DeleteOnClose);
  }
  help_->show();
  help_->raise();
  help_->activateWindow();
}

FormWindow* Calculator::createPartsWindow() {
  auto* form = new Form5();
  showPartsInputs(*form);
  watchInputs(form);
  form->onClick(form5::Command1.name, [this] { computeParts(); });
  form->onClick(form5::Command2.name, [this] { exportBillOfMaterials(); });
  form->onClick(form5::Command3.name, [form] { form->close(); });
  form->onClick(form5::Command4.name, [this] { stopParts(); });
  return form;
}

Form5* Calculator::partsWindow() const {
  return qobject_cast<Form5*>(controls_.existing(Window::Form5));
}

void Calculator::openParts() {
  controls_.showWindow(Window::Form5);
  computeParts();
}

// The fields are checked here, as the real-circuit and the parts windows
// check them; the exact design and the parts, whose retune with a
// transistor takes a good part of a second, are computed off this thread.
void Calculator::computeParts() {
  if (partsPending_) return;
  parts_.reset();
  Outcome outcome = Outcome::Done;
  std::optional<PartsJob> job = PrepareParts(realCircuit_, controls_, outcome);
  if (!job) return;
  partsStopped_ = false;
  partsPending_ = true;
  if (Form5* form = partsWindow()) form->setComputing(true);
  partsWatcher_.setFuture(QtConcurrent::run(
      [job = std::move(*job)] { return std::make_shared<PartsJobResult>(ComputePartsJob(job)); }));
}

void Calculator::partsComputed() {
  partsPending_ = false;
  if (Form5* form = partsWindow()) form->setComputing(false);
  const PartsResult result = partsWatcher_.result();
  if (partsStopped_ || !result || !partsWindow()) return;
  if (ShowPartsJobResult(realCircuit_, std::move(*result), parts_, controls_) != Outcome::Done)
    return;
  // The design now includes the parts bought: the netlist and the report
  // show them.
  inputs_ = currentDocument();
  inputs_.parts[std::string(kPartsUsedKey)] = "si";
  updateTitles();
}

void Calculator::stopParts() {
  partsStopped_ = true;
  if (Form5* form = partsWindow()) {
    form->setComputing(false);
    form->setCaption(form5::Label8.name, QStringLiteral("Calcolo interrotto."));
  }
}

void Calculator::exportBillOfMaterials() {
  if (!parts_) {
    messages_.show(QStringLiteral("Premi Calcola prima di esportare la distinta base."), true);
    return;
  }
  const FileChooser::Choice choice = files_.saveFile(
      partsWindow(), QStringLiteral("Esporta distinta base CSV"),
      QStringLiteral("distinta-base.csv"), {QStringLiteral("Valori separati da virgole (*.csv)")});
  if (choice.path.isEmpty()) return;
  const std::string csv = parts::BillOfMaterialsCsv(parts_->purchase);
  const auto failure = WriteFileAtomically(choice.path, [&](QIODevice& out) {
    return out.write(csv.data(), static_cast<qint64>(csv.size())) ==
           static_cast<qint64>(csv.size());
  });
  if (failure) messages_.show(WriteFailureMessage(choice.path, *failure), true);
}

}  // namespace classe
