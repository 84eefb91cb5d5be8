#pragma once

#include <QObject>
#include <QPointer>

#include "design/design_state.h"
#include "help/help_window.h"
#include "main_window/form1.h"
#include "ui/file_chooser.h"
#include "ui/message_presenter.h"
#include "ui/widget_controls.h"

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

 signals:
  // "Esci" or the main window's title-bar close: every window is closed and
  // the program should end.
  void ended();

 private:
  void end();
  void connectMenu();
  FormWindow* createGraphWindow();
  FormWindow* createFinalCircuitWindow();
  void exportSamples();
  void showHelp();

  DesignState state_;
  Form1 main_;
  MessageBoxPresenter boxes_;
  DialogFileChooser dialogs_;
  MessagePresenter& messages_;
  FileChooser& files_;
  WidgetControls controls_;
  QPointer<HelpWindow> help_;
};

}  // namespace classe
