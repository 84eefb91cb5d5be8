// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

#include "actions/parts_action.h"
#include "actions/real_circuit_action.h"
#include "actions/sweep_view.h"
#include "actions/tolerance_view.h"
#include "engine/design/design_state.h"
#include "engine/document/design_document.h"
#include "report/design_report.h"
#include "ui/background_run.h"
#include "ui/file_chooser.h"
#include "ui/message_presenter.h"
#include "ui/widget_controls.h"
#include "windows/analysis/analysis_window.h"
#include "windows/help/help_window.h"
#include "windows/main_window/form1.h"
#include "windows/parts/form5.h"
#include "windows/real_circuit/form4.h"
#include "windows/real_circuit/ngspice_runner.h"

class QProgressDialog;

namespace classe {

// The running program: the one design state, the main window with its
// menus, and every button and menu item wired to its action. The other
// windows are made when they are first needed.
class Calculator : public QObject {
  Q_OBJECT

 public:
  // Messages go to `presenter` and file names come from `files`, or from
  // modal message boxes and the platform's save dialog when none is given.
  explicit Calculator(MessagePresenter* presenter = nullptr, FileChooser* files = nullptr);
  ~Calculator() override;

  Form1& mainWindow() { return main_; }
  WidgetControls& controls() { return controls_; }
  DesignState& state() { return state_; }
  // The manual, once "Guida" has opened it and until it is closed.
  HelpWindow* helpWindow() const { return help_; }
  RealCircuitState& realCircuit() { return realCircuit_; }
  // The parts last computed in the parts window, if any.
  const std::optional<PartsRun>& parts() const { return parts_; }
  // A parts computation started and not yet shown (or dropped).
  bool computingParts() const { return partsPending_; }
  // The real-circuit window's designs with a transistor, being computed.
  bool designing() const { return designPending_; }
  NgspiceRunner& ngspice() { return ngspice_; }
  // The last tolerance run and sweep shown, if any, and whether one is
  // under way.
  const std::optional<ToleranceView>& tolerances() const { return tolerances_; }
  const std::optional<SweepView>& sweep() const { return sweep_; }
  bool analysing() const { return toleranceRun_.running() || sweepRun_.running(); }
  // A report being computed for the printer or a PDF.
  bool reporting() const { return reportRun_.running(); }

  // The design file: opened (false, with a message, when refused: the
  // windows stay as they were), saved, and whether the inputs differ from it.
  enum class SaveAnswer { Save, Discard, Cancel };
  bool openDesign(const QString& path);
  bool saveDesign(const QString& path);
  bool isModified();
  QString designPath() const { return path_; }
  // The inputs of every window now, as a file would hold them.
  document::DesignDocument currentDocument();
  // Replaces the "Salvare le modifiche?" box (for tests).
  void setSaveQuestion(std::function<SaveAnswer()> ask) { ask_ = std::move(ask); }
  // Replaces the print dialog: true prints (for tests).
  void setPrintQuestion(std::function<bool(QWidget*, class QPrinter&)> ask) {
    askPrint_ = std::move(ask);
  }

 signals:
  // "Esci" or the main window's title-bar close: every window is closed and
  // the program should end.
  void ended();

 private:
  void end();
  void connectMenu();
  FormWindow* createGraphWindow();
  FormWindow* createFinalCircuitWindow();
  FormWindow* createRealCircuitWindow();
  Form4* realCircuitWindow() const;
  void openRealCircuit();
  void computeRealCircuit();
  void realCircuitComputed();
  void stopRealCircuit();
  void dropRealCircuitRun();
  void verifyWithNgspice();
  void ngspiceEnded(NgspiceRunner::End end, const QString& detail,
                    std::optional<circuit::NgspiceMeasures> measures);
  void exportSamples();
  void exportNetlist();
  void loadCossCurve();
  FormWindow* createPartsWindow();
  Form5* partsWindow() const;
  void openParts();
  void computeParts();
  void partsComputed();
  void stopParts();
  void exportBillOfMaterials();
  void showHelp();
  // The tolerance and the sweep windows (analysis_windows.cpp).
  FormWindow* createToleranceWindow();
  FormWindow* createSweepWindow();
  AnalysisWindow* analysisWindow(Window window) const;
  void openAnalysis(Window window);
  void computeTolerances();
  void tolerancesComputed(bool stopped);
  void exportBuilds();
  void computeSweep();
  void sweepComputed(bool stopped);
  void exportSweep();
  void showAnalysisInputs(FormWindow& form);
  void readAnalysisInputs(document::DesignDocument& doc);
  void stopAnalyses();
  // Whether the design holds a whole tolerance run, as the report shows it.
  void markToleranceRun(bool done);
  // The design file's menu items and its mark in the titles.
  void connectFileMenu();
  void newDesign();
  void chooseAndOpen();
  bool save();
  bool saveAs();
  bool mayDiscard();
  void showDocument(const document::DesignDocument& doc);
  void watchInputs(FormWindow* form);
  void showRealCircuitInputs(Form4& form);
  void showPartsInputs(Form5& form);
  void inputsChanged();
  void updateTitles();
  void rememberRecent(const QString& path);
  void fillRecent();
  void printReport();
  void exportReport();
  using ReportDrawing = std::function<void(const document::DesignDocument&, const ComputedReport&)>;
  void computeReport(ReportDrawing draw);
  void reportComputed(bool stopped);

  DesignState state_;
  Form1 main_;
  MessageBoxPresenter boxes_;
  DialogFileChooser dialogs_;
  MessagePresenter& messages_;
  FileChooser& files_;
  WidgetControls controls_;
  QPointer<HelpWindow> help_;
  RealCircuitState realCircuit_;
  NgspiceRunner ngspice_;
  bool verifyingExact_ = true;  // the design the run under way is of
  using DesignsResult = std::shared_ptr<RealCircuitResults>;
  QFutureWatcher<DesignsResult> designWatcher_;
  bool designStopped_ = false;  // "Interrompi", or a newer run: not shown
  bool designPending_ = false;  // until its result has been taken
  std::optional<PartsRun> parts_;
  using PartsResult = std::shared_ptr<PartsJobResult>;
  QFutureWatcher<PartsResult> partsWatcher_;
  bool partsStopped_ = false;  // "Interrompi": the run under way is not shown
  // Until its result has been taken: the watcher stops running before its
  // finished signal is delivered.
  bool partsPending_ = false;
  BackgroundRun toleranceRun_;
  BackgroundRun sweepRun_;
  // What the run under way fills, and the settings it was started with.
  std::shared_ptr<std::optional<circuit::Result<statistics::MonteCarloResult>>> toleranceOut_;
  statistics::ToleranceSettings toleranceSettings_;
  bool toleranceBought_ = false;
  std::shared_ptr<std::optional<circuit::Result<statistics::SweepResult>>> sweepOut_;
  statistics::SweepVariable sweepVariable_ = statistics::SweepVariable::LoadFactor;
  std::optional<ToleranceView> tolerances_;
  std::optional<SweepView> sweep_;
  // The report under way: its figures, the document they are of and what to
  // do with them.
  struct ReportJob {
    ComputedReport report;
    Outcome outcome = Outcome::Fault;
  };
  BackgroundRun reportRun_;
  std::shared_ptr<ReportJob> reportJob_;
  document::DesignDocument reportDocument_;
  ReportDrawing reportDrawing_;
  QPointer<QProgressDialog> reportProgress_;
  QString path_;                     // the design file, empty before one is saved
  document::DesignDocument saved_;   // the inputs as last opened or saved
  document::DesignDocument inputs_;  // of every window, also one not open now
  std::function<SaveAnswer()> ask_;
  std::function<bool(QWidget*, class QPrinter&)> askPrint_;
};

}  // namespace classe
