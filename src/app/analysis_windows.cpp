// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The tolerance and the sweep windows: their runs go to the thread pool, the
// bar follows them, and "Interrompi" shows what a run had done, marked as
// partial.

#include <QAbstractButton>

#include "actions/analysis_action.h"
#include "actions/analysis_fields.h"
#include "actions/document_controls.h"
#include "actions/form6_controls.h"
#include "actions/form7_controls.h"
#include "actions/recording_controls.h"
#include "app/calculator.h"
#include "engine/statistics/results_csv.h"
#include "ui/atomic_file.h"
#include "ui/image_export.h"
#include "ui/qt_conversions.h"
#include "windows/analysis/form6.h"
#include "windows/analysis/form7.h"

namespace classe {
namespace {

template <class T>
using RunSlot = std::shared_ptr<std::optional<circuit::Result<T>>>;

// Starts `work` in the background, its result to go into a new slot: a slot
// the caller dropped (a document opened) is never shown.
template <class T, class Work>
void StartRun(BackgroundRun& run, AnalysisWindow& form, RunSlot<T>& slot, long long total,
              Work work) {
  auto out = std::make_shared<std::optional<circuit::Result<T>>>();
  slot = out;
  form.setRunning(true);
  run.start([out, work = std::move(work)](statistics::Progress& p) { out->emplace(work(p)); },
            total);
}

// What a finished run gave, or nothing: its window is gone, the slot was
// dropped, or the run failed, which its message then says.
template <class T>
std::optional<T> TakeResult(RunSlot<T>& slot, AnalysisWindow* form, Control status,
                            MessagePresenter& messages) {
  const RunSlot<T> out = std::move(slot);
  if (!form || !out || !*out) return std::nullopt;
  form->setRunning(false);
  if (!**out) {
    form->setCaption(status.name, QString());
    messages.show(FromUtf8((**out).failure().message), true);
    return std::nullopt;
  }
  return std::move(**out).value();
}

// "Esporta CSV…" of a window: where the user says, written whole or not at
// all.
void ExportCsv(QWidget* parent, const QString& title, const QString& name, FileChooser& files,
               MessagePresenter& messages, const std::function<void(std::ostream&)>& write) {
  const FileChooser::Choice choice =
      files.saveFile(parent, title, name, {QStringLiteral("Valori separati da virgole (*.csv)")});
  if (choice.path.isEmpty()) return;
  if (const auto failure = WriteFileAtomically(choice.path, write))
    messages.show(WriteFailureMessage(choice.path, *failure), true);
}

}  // namespace

FormWindow* Calculator::createToleranceWindow() {
  auto* form = new Form6();
  showAnalysisInputs(*form);
  watchInputs(form);
  form->onClick(form6::Command1.name, [this] { computeTolerances(); });
  form->onClick(form6::Command2.name, [this] { toleranceRun_.stop(); });
  form->onClick(form6::Command3.name, [this] { exportBuilds(); });
  form->onClick(form6::Command4.name, [form] { form->close(); });
  const Control pictures[] = {form6::Picture1, form6::Picture2, form6::Picture3};
  for (int k = 0; k < 3; ++k)
    form->onPlotMouseMove(pictures[k].name, [this, k](float x, float y) {
      if (tolerances_) ShowHistogramReadout(*tolerances_, controls_, k, x, y);
    });
  form->onSaveImage([this, form] {
    SaveImageAs(*form->clientArea(), form->plotsRegion(), QStringLiteral("tolleranze.png"), files_,
                messages_);
  });
  // A window closed during a run has no use for it.
  connect(form, &QObject::destroyed, this, [this] { toleranceRun_.stop(); });
  return form;
}

FormWindow* Calculator::createSweepWindow() {
  auto* form = new Form7();
  showAnalysisInputs(*form);
  watchInputs(form);
  form->onClick(form7::Command1.name, [this] { computeSweep(); });
  form->onClick(form7::Command2.name, [this] { sweepRun_.stop(); });
  form->onClick(form7::Command3.name, [this, form] {
    SaveImageAs(*form->clientArea(), form->plotsRegion(), QStringLiteral("scansione.png"), files_,
                messages_);
  });
  form->onClick(form7::Command4.name, [this] { exportSweep(); });
  form->onClick(form7::Command5.name, [form] { form->close(); });
  form->onPlotMouseMove(form7::Picture1.name, [this](float x, float y) {
    if (sweep_) ShowSweepReadout(*sweep_, controls_, x, y);
  });
  form->onSaveImage([this, form] {
    SaveImageAs(*form->clientArea(), form->plotsRegion(), QStringLiteral("scansione.png"), files_,
                messages_);
  });
  // Choosing another input by hand puts its usual range in the fields; a
  // document opened keeps its own.
  const OptionField& variable = analysis::variabile;
  for (std::size_t k = 0; k < variable.options.size() && !variable.values[k].empty(); ++k) {
    auto* option = qobject_cast<QAbstractButton*>(form->control(variable.options[k].name));
    connect(option, &QAbstractButton::clicked, this,
            [this, k] { ShowSweepDefaults(controls_, static_cast<statistics::SweepVariable>(k)); });
  }
  connect(form, &QObject::destroyed, this, [this] { sweepRun_.stop(); });
  return form;
}

AnalysisWindow* Calculator::analysisWindow(Window window) const {
  return qobject_cast<AnalysisWindow*>(controls_.existing(window));
}

// A window opened again shows the last run, which is still the design's.
void Calculator::openAnalysis(Window window) {
  const bool fresh = !analysisWindow(window);
  controls_.showWindow(window);
  if (!fresh) return;
  if (window == Window::Form6) {
    if (tolerances_)
      ShowToleranceRun(*tolerances_, controls_);
    else
      ShowToleranceHeadings(controls_);
  } else if (sweep_) {
    ShowSweepRun(*sweep_, controls_);
  }
}

void Calculator::computeTolerances() {
  if (toleranceRun_.running()) return;
  std::optional<ToleranceJob> job;
  // Once the parts window has bought the parts, the design is built of them.
  const bool bought = PartsUsed(currentDocument());
  if (PrepareTolerances(realCircuit_, controls_, 0, bought, job) != Outcome::Done) return;
  AnalysisWindow* form = analysisWindow(Window::Form6);
  if (!form) return;
  tolerances_.reset();
  ClearToleranceRun(controls_);
  markToleranceRun(false);
  toleranceSettings_ = job->settings;
  toleranceBought_ = job->bought.has_value();
  const long long builds = job->settings.builds;
  StartRun(toleranceRun_, *form, toleranceOut_, builds,
           [job = std::move(*job)](statistics::Progress& progress) {
             return RunToleranceJob(job, &progress);
           });
}

void Calculator::tolerancesComputed(bool) {
  auto result = TakeResult(toleranceOut_, analysisWindow(Window::Form6), form6::Label1, messages_);
  if (!result) return;
  tolerances_ = MakeToleranceView(std::move(*result), toleranceSettings_);
  tolerances_->bought = toleranceBought_;
  ShowToleranceRun(*tolerances_, controls_);
  // A whole run is part of the design: the report shows its yield.
  if (!tolerances_->result.partial) markToleranceRun(true);
}

void Calculator::markToleranceRun(bool done) {
  inputs_ = currentDocument();
  MarkToleranceRun(inputs_, done);
  updateTitles();
}

void Calculator::exportBuilds() {
  if (!tolerances_) {
    messages_.show(QStringLiteral("Premi Calcola prima di esportare gli esemplari."), true);
    return;
  }
  ExportCsv(analysisWindow(Window::Form6), QStringLiteral("Esporta esemplari CSV"),
            QStringLiteral("tolleranze.csv"), files_, messages_,
            [&](std::ostream& out) { statistics::WriteBuildsCsv(out, tolerances_->result); });
}

void Calculator::computeSweep() {
  if (sweepRun_.running()) return;
  std::optional<SweepJob> job;
  if (PrepareSweep(realCircuit_, controls_, 0, job) != Outcome::Done) return;
  AnalysisWindow* form = analysisWindow(Window::Form7);
  if (!form) return;
  sweep_.reset();
  ClearSweepRun(controls_);
  sweepVariable_ = job->sweep.variable;
  const long long points = job->sweep.points;
  StartRun(sweepRun_, *form, sweepOut_, points,
           [job = std::move(*job)](statistics::Progress& progress) {
             return statistics::RunSweep(job.nominal, job.sweep, &progress);
           });
}

void Calculator::sweepComputed(bool) {
  auto result = TakeResult(sweepOut_, analysisWindow(Window::Form7), form7::Label1, messages_);
  if (!result) return;
  sweep_ = SweepView{std::move(*result), sweepVariable_};
  ShowSweepRun(*sweep_, controls_);
}

void Calculator::exportSweep() {
  if (!sweep_) {
    messages_.show(QStringLiteral("Premi Calcola prima di esportare la scansione."), true);
    return;
  }
  ExportCsv(analysisWindow(Window::Form7), QStringLiteral("Esporta scansione CSV"),
            QStringLiteral("scansione.csv"), files_, messages_,
            [&](std::ostream& out) { statistics::WriteSweepCsv(out, sweep_->result); });
}

// The document's settings into a window made now: the ones it had when last
// closed, or the file's.
void Calculator::showAnalysisInputs(FormWindow& form) {
  RecordingControls scratch;
  ShowAnalysisSettings(inputs_, scratch);
  for (std::span<const AnalysisField> table : {std::span<const AnalysisField>(kToleranceFields),
                                               std::span<const AnalysisField>(kSweepFields)})
    for (const AnalysisField& field : table)
      if (field.control.window == form.id())
        form.setFieldText(field.control.name, FromUtf8(scratch.text(field.control)));
  for (const OptionField& choice : {analysis::distribuzione, analysis::variabile})
    for (Control option : choice.options)
      if (!option.name.empty() && option.window == form.id() && scratch.isSelected(option))
        form.select(option.name);
  const SwitchField& retune = analysis::ritaratura;
  if (retune.box.window == form.id())
    form.setChecked(retune.box.name, scratch.isChecked(retune.box));
}

void Calculator::readAnalysisInputs(document::DesignDocument& doc) {
  for (Window window : {Window::Form6, Window::Form7}) {
    FormWindow* form = controls_.existing(window);
    if (!form) continue;
    for (std::span<const AnalysisField> table : {std::span<const AnalysisField>(kToleranceFields),
                                                 std::span<const AnalysisField>(kSweepFields)})
      for (const AnalysisField& field : table)
        if (field.control.window == window)
          SetAnalysisSetting(doc, field.control, form->fieldText(field.control.name).toStdString());
    for (const OptionField& choice : {analysis::distribuzione, analysis::variabile})
      for (Control option : choice.options)
        if (!option.name.empty() && option.window == window && form->isSelected(option.name))
          SetAnalysisOption(doc, option);
    const SwitchField& retune = analysis::ritaratura;
    if (retune.box.window == window)
      SetAnalysisSwitch(doc, retune.box, form->isChecked(retune.box.name));
  }
}

void Calculator::stopAnalyses() {
  toleranceRun_.stop();
  sweepRun_.stop();
  toleranceOut_.reset();
  sweepOut_.reset();
  tolerances_.reset();
  sweep_.reset();
}

}  // namespace classe
