// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QPointer>

#include "actions/real_circuit_action.h"
#include "engine/design/design_state.h"
#include "ui/file_chooser.h"
#include "ui/message_presenter.h"
#include "ui/widget_controls.h"
#include "windows/help/help_window.h"
#include "windows/main_window/form1.h"
#include "windows/real_circuit/form4.h"
#include "windows/real_circuit/ngspice_runner.h"

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
  NgspiceRunner& ngspice() { return ngspice_; }

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
  void verifyWithNgspice();
  void ngspiceEnded(NgspiceRunner::End end, const QString& detail,
                    std::optional<circuit::NgspiceMeasures> measures);
  void exportSamples();
  void exportNetlist();
  void loadCossCurve();
  void showHelp();

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
};

}  // namespace classe
