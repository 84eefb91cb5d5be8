#include "app/calculator.h"

#include <QMenuBar>

#include "actions/compute_action.h"
#include "actions/cursor_readout.h"
#include "actions/final_circuit_action.h"
#include "actions/form1_controls.h"
#include "actions/form2_controls.h"
#include "actions/form3_controls.h"
#include "actions/graph_action.h"
#include "actions/matching_action.h"
#include "actions/peak_action.h"
#include "actions/sampling_prologue.h"
#include "actions/verify_action.h"
#include "design/samples_csv.h"
#include "graphs/form2.h"
#include "matching/form3.h"
#include "ui/atomic_file.h"
#include "ui/image_export.h"

namespace classe {

Calculator::Calculator(MessagePresenter* presenter, FileChooser* files)
    : boxes_(&main_),
      messages_(presenter ? *presenter : boxes_),
      files_(files ? *files : dialogs_),
      controls_(main_, messages_) {
  controls_.setFactory(Window::Form2, [this] { return createGraphWindow(); });
  controls_.setFactory(Window::Form3, [this] { return createFinalCircuitWindow(); });

  main_.onClick(form1::Command1.name, [this] { ComputeComponents(state_, controls_); });
  main_.onClick(form1::Command2.name, [this] { ShowMatchingNetwork(state_, controls_); });
  main_.onClick(form1::Command3.name, [this] { ShowPeakValues(state_, controls_); });
  main_.onClick(form1::Command4.name, [this] { ShowGraphs(state_, controls_); });
  main_.onClick(form1::Command5.name, [this] { ShowFinalCircuit(state_, controls_); });
  main_.onClick(form1::Command6.name, [this] { main_.close(); });
  connect(&main_, &Form1::closing, this, &Calculator::end);
  connectMenu();
}

Calculator::~Calculator() {
  controls_.closeOthers();
  delete help_;
}

void Calculator::connectMenu() {
  const MainMenu& menu = main_.menu();
  connect(menu.quit, &QAction::triggered, &main_, &QWidget::close);
  connect(menu.exportSamples, &QAction::triggered, this, &Calculator::exportSamples);
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
  form->onClick(form3::Command1.name, [this] { VerifyCircuit(state_, controls_); });
  form->onClick(form3::Command2.name, [form] { form->close(); });
  return form;
}

// The samples come from the fields as they are now, into a design state of
// their own: the graph window's read-out keeps the arrays it was drawn from.
void Calculator::exportSamples() {
  DesignState samples;
  if (SampleAllWaveforms(samples, controls_) != Outcome::Done) return;
  const FileChooser::Choice choice =
      files_.saveFile(&main_, QStringLiteral("Esporta campioni CSV"), QStringLiteral("campioni.csv"),
                      {QStringLiteral("Valori separati da virgole (*.csv)")});
  if (choice.path.isEmpty()) return;
  const auto failure = WriteFileAtomically(
      choice.path, [&](std::ostream& out) { WriteSamplesCsv(out, samples); });
  if (failure) messages_.show(WriteFailureMessage(choice.path, *failure), true);
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

}  // namespace classe
