#include "app/calculator.h"

#include "actions/compute_action.h"
#include "actions/form1_controls.h"
#include "actions/form2_controls.h"
#include "actions/form3_controls.h"
#include "actions/peak_action.h"
#include "actions/cursor_readout.h"
#include "graphs/form2.h"
#include "actions/graph_action.h"
#include "actions/final_circuit_action.h"
#include "matching/form3.h"
#include "actions/matching_action.h"
#include "actions/verify_action.h"

namespace classe {

Calculator::Calculator(MessagePresenter* presenter)
    : boxes_(&main_), controls_(main_, presenter ? *presenter : boxes_) {
  controls_.setFactory(Window::Form2, [this] { return createGraphWindow(); });
  controls_.setFactory(Window::Form3, [this] { return createFinalCircuitWindow(); });

  main_.onClick(form1::Command1.name, [this] { ComputeComponents(state_, controls_); });
  main_.onClick(form1::Command2.name, [this] { ShowMatchingNetwork(state_, controls_); });
  main_.onClick(form1::Command3.name, [this] { ShowPeakValues(state_, controls_); });
  main_.onClick(form1::Command4.name, [this] { ShowGraphs(state_, controls_); });
  main_.onClick(form1::Command5.name, [this] { ShowFinalCircuit(state_, controls_); });
  main_.onClick(form1::Command6.name, [this] { main_.close(); });
  connect(&main_, &Form1::closing, this, &Calculator::end);
}

Calculator::~Calculator() {
  controls_.closeOthers();
}

void Calculator::end() {
  controls_.closeOthers();
  emit ended();
}

FormWindow* Calculator::createGraphWindow() {
  auto* form = new Form2();
  form->onClick(form2::Command1.name, [form] { form->close(); });
  form->onPlotMouseMove([this](float x, float y) { ShowCursorReadout(state_, controls_, x, y); });
  return form;
}

FormWindow* Calculator::createFinalCircuitWindow() {
  auto* form = new Form3();
  form->onClick(form3::Command1.name, [this] { VerifyCircuit(state_, controls_); });
  form->onClick(form3::Command2.name, [form] { form->close(); });
  return form;
}

}  // namespace classe
