#pragma once

#include <QObject>
#include <memory>

#include "main_window/form1.h"
#include "ui/message_presenter.h"
#include "ui/widget_controls.h"
#include "design/design_state.h"

namespace classe {

// The running program: the one design state, the main window, and every
// button wired to its action. The graph and final-circuit windows are made
// by the actions when they first need them.
class Calculator : public QObject {
  Q_OBJECT

 public:
  // Messages go to `presenter`, or to modal message boxes when none is given.
  explicit Calculator(MessagePresenter* presenter = nullptr);
  ~Calculator() override;

  Form1& mainWindow() { return main_; }
  WidgetControls& controls() { return controls_; }
  DesignState& state() { return state_; }

 signals:
  // "Esci" or the main window's title-bar close: every window is closed and
  // the program should end.
  void ended();

 private:
  void end();
  FormWindow* createGraphWindow();
  FormWindow* createFinalCircuitWindow();

  DesignState state_;
  Form1 main_;
  MessageBoxPresenter boxes_;
  WidgetControls controls_;
};

}  // namespace classe
