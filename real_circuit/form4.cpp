// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "real_circuit/form4.h"

#include <QAbstractButton>
#include <QFrame>
#include <QKeyEvent>
#include <array>

#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "ui/colours.h"
#include "ui/plot_area.h"
#include "ui/qt_conversions.h"

namespace classe {
namespace {

using K = ControlKind;

constexpr ClientSize kClientSize{17700, 11400};

// A caption's first line stands level with the text of the box it heads.
constexpr int kCaptionDrop = 30;
constexpr int kTextHeight = 285;
constexpr int kValueHeight = 300;
constexpr int kBorderPixels = 2;

struct Column {
  int left;
  int width;
};

// The inputs, left; the table's columns.
constexpr Column kInputSymbol{105, 600};
constexpr Column kInputField{750, 1500};
constexpr Column kInputUnit{2310, 900};
constexpr Column kRowCaption{3400, 1500};
constexpr Column kRowUnit{4950, 600};
constexpr Column kIdeal{5600, 1250};
constexpr Column kExact{6900, 1250};
constexpr Column kNgspice{8200, 1250};
constexpr Column kDifference{9500, 1250};

constexpr ControlSpec Caption(Control control, std::string_view text, Column column, int rowTop) {
  return {.name = control.name,
          .text = text,
          .left = column.left,
          .top = rowTop + kCaptionDrop,
          .width = column.width,
          .height = kTextHeight};
}

// A column's heading, or a section's title across the table.
constexpr ControlSpec Heading(Control control, std::string_view text, Column column, int top) {
  return {.name = control.name,
          .text = text,
          .left = column.left,
          .top = top,
          .width = column.width,
          .height = kTextHeight};
}

constexpr ControlSpec Section(Control control, std::string_view text, int top) {
  return Heading(control, text,
                 {kRowCaption.left, kDifference.left + kDifference.width - kRowCaption.left}, top);
}

constexpr ControlSpec Field(const InputField& field, int top) {
  return {.name = field.control.name,
          .kind = K::Field,
          .text = field.defaultText,
          .left = kInputField.left,
          .top = top,
          .width = kInputField.width,
          .height = kTextHeight};
}

constexpr ControlSpec Value(const ValueBox& box, Column column, int top) {
  return {.name = box.control.name,
          .kind = K::ValueBox,
          .left = column.left,
          .top = top,
          .width = column.width,
          .height = kValueHeight,
          .background = kWhite};
}

constexpr ControlSpec Button(Control control, std::string_view caption, int left, int top,
                             int width, int height) {
  return {.name = control.name,
          .kind = K::Button,
          .text = caption,
          .left = left,
          .top = top,
          .width = width,
          .height = height};
}

// A strip's caption inside the plot, placed by the action.
constexpr ControlSpec StripCaption(Control control) {
  return {.name = control.name,
          .left = 30,
          .top = 0,
          .width = 5000,
          .height = 225,
          .bold = false,
          .holder = form4::Picture1.name};
}

// The window's design, in twips. Fields, the check box, the options and the
// buttons are the Tab key's stops, in this order.
// clang-format off
constexpr auto kLayout = std::to_array<ControlSpec>({
    // The real stage's inputs.
    {.name = form4::Label1.name, .text = "Circuito reale: progetto ideale e progetto esatto", .left = 105, .top = 105, .width = 3200, .height = 500},
    Caption(form4::Label2, fields::Ron.symbol, kInputSymbol, 600),
    Field(fields::Ron, 600),
    Caption(form4::Label3, fields::Ron.unit, kInputUnit, 600),
    Caption(form4::Label4, fields::Coss.symbol, kInputSymbol, 1020),
    Field(fields::Coss, 1020),
    Caption(form4::Label5, fields::Coss.unit, kInputUnit, 1020),
    Caption(form4::Label6, fields::QU.symbol, kInputSymbol, 1440),
    Field(fields::QU, 1440),
    Caption(form4::Label7, "vuoto: induttanze senza perdite", {105, 3150}, 1800),
    {.name = form4::Check1.name, .kind = K::CheckBox, .text = "con rete di adattamento", .left = 105, .top = 2220, .width = 3150, .height = 330},
    Button(form4::Command1, "Calcola", 105, 2700, 1500, 435),
    Caption(form4::Label8, "Netlist e verifica con ngspice:", {105, 3150}, 3360),
    {.name = form4::Option1.name, .kind = K::Option, .text = "progetto esatto", .left = 105, .top = 3750, .width = 3000, .height = 300},
    {.name = form4::Option2.name, .kind = K::Option, .text = "progetto ideale", .left = 105, .top = 4080, .width = 3000, .height = 300},
    Button(form4::Command2, kVerifyCaption, 105, 4500, 3150, 435),
    Button(form4::Command3, "Interrompi", 105, 5040, 1500, 435),
    {.name = form4::Progress1.name, .kind = K::Busy, .text = "ngspice in esecuzione", .left = 1755, .top = 5100, .width = 1500, .height = 300, .hidden = true},
    {.name = form4::Label9.name, .left = 105, .top = 5580, .width = 3150, .height = 1500},

    // The table: a row a quantity, a column a design.
    Heading(form4::Label10, "Ideale", kIdeal, 105),
    Heading(form4::Label11, "Esatto", kExact, 105),
    Heading(form4::Label12, "ngspice", kNgspice, 105),
    Heading(form4::Label13, "differenza [%]", kDifference, 105),
    Section(form4::Label14, "Progetto", 450),
    Caption(form4::Label15, "R", kRowCaption, 780),
    Caption(form4::Label16, boxes::RIdeal.unit, kRowUnit, 780),
    Value(boxes::RIdeal, kIdeal, 780),
    Value(boxes::RExact, kExact, 780),
    Caption(form4::Label19, "L1", kRowCaption, 1110),
    Caption(form4::Label20, boxes::L1Ideal.unit, kRowUnit, 1110),
    Value(boxes::L1Ideal, kIdeal, 1110),
    Value(boxes::L1Exact, kExact, 1110),
    Caption(form4::Label23, "C1", kRowCaption, 1440),
    Caption(form4::Label24, boxes::C1Ideal.unit, kRowUnit, 1440),
    Value(boxes::C1Ideal, kIdeal, 1440),
    Value(boxes::C1Exact, kExact, 1440),
    Caption(form4::Label27, "C1 − Coss", kRowCaption, 1770),
    Caption(form4::Label28, boxes::C1ToBuyIdeal.unit, kRowUnit, 1770),
    Value(boxes::C1ToBuyIdeal, kIdeal, 1770),
    Value(boxes::C1ToBuyExact, kExact, 1770),
    Caption(form4::Label31, "C2", kRowCaption, 2100),
    Caption(form4::Label32, boxes::C2Ideal.unit, kRowUnit, 2100),
    Value(boxes::C2Ideal, kIdeal, 2100),
    Value(boxes::C2Exact, kExact, 2100),
    Caption(form4::Label35, "L2", kRowCaption, 2430),
    Caption(form4::Label36, boxes::L2Ideal.unit, kRowUnit, 2430),
    Value(boxes::L2Ideal, kIdeal, 2430),
    Value(boxes::L2Exact, kExact, 2430),
    Caption(form4::Label39, "L rete", kRowCaption, 2760),
    Caption(form4::Label40, boxes::NetworkLIdeal.unit, kRowUnit, 2760),
    Value(boxes::NetworkLIdeal, kIdeal, 2760),
    Value(boxes::NetworkLExact, kExact, 2760),
    Caption(form4::Label43, "C rete", kRowCaption, 3090),
    Caption(form4::Label44, boxes::NetworkCIdeal.unit, kRowUnit, 3090),
    Value(boxes::NetworkCIdeal, kIdeal, 3090),
    Value(boxes::NetworkCExact, kExact, 3090),
    Caption(form4::Label47, boxes::Iterations.symbol, kRowCaption, 3420),
    Value(boxes::Iterations, kExact, 3420),
    Section(form4::Label49, "Circuito reale", 3830),
    Caption(form4::Label50, boxes::PoIdeal.quantity, kRowCaption, 4160),
    Caption(form4::Label51, boxes::PoIdeal.unit, kRowUnit, 4160),
    Value(boxes::PoIdeal, kIdeal, 4160),
    Value(boxes::PoExact, kExact, 4160),
    Value(boxes::PoNgspice, kNgspice, 4160),
    Value(boxes::PoDifference, kDifference, 4160),
    Caption(form4::Label56, boxes::EfficiencyIdeal.quantity, kRowCaption, 4490),
    Caption(form4::Label57, boxes::EfficiencyIdeal.unit, kRowUnit, 4490),
    Value(boxes::EfficiencyIdeal, kIdeal, 4490),
    Value(boxes::EfficiencyExact, kExact, 4490),
    Value(boxes::EfficiencyNgspice, kNgspice, 4490),
    Value(boxes::EfficiencyDifference, kDifference, 4490),
    Caption(form4::Label62, boxes::TurnOnIdeal.quantity, kRowCaption, 4820),
    Caption(form4::Label63, boxes::TurnOnIdeal.unit, kRowUnit, 4820),
    Value(boxes::TurnOnIdeal, kIdeal, 4820),
    Value(boxes::TurnOnExact, kExact, 4820),
    Value(boxes::TurnOnNgspice, kNgspice, 4820),
    Value(boxes::TurnOnDifference, kDifference, 4820),
    Caption(form4::Label68, boxes::VpeakIdeal.quantity, kRowCaption, 5150),
    Caption(form4::Label69, boxes::VpeakIdeal.unit, kRowUnit, 5150),
    Value(boxes::VpeakIdeal, kIdeal, 5150),
    Value(boxes::VpeakExact, kExact, 5150),
    Caption(form4::Label72, boxes::SwitchPeakIdeal.quantity, kRowCaption, 5480),
    Caption(form4::Label73, boxes::SwitchPeakIdeal.unit, kRowUnit, 5480),
    Value(boxes::SwitchPeakIdeal, kIdeal, 5480),
    Value(boxes::SwitchPeakExact, kExact, 5480),
    Caption(form4::Label76, boxes::SecondIdeal.quantity, kRowCaption, 5810),
    Caption(form4::Label77, boxes::SecondIdeal.unit, kRowUnit, 5810),
    Value(boxes::SecondIdeal, kIdeal, 5810),
    Value(boxes::SecondExact, kExact, 5810),
    Caption(form4::Label80, boxes::ThirdIdeal.quantity, kRowCaption, 6140),
    Caption(form4::Label81, boxes::ThirdIdeal.unit, kRowUnit, 6140),
    Value(boxes::ThirdIdeal, kIdeal, 6140),
    Value(boxes::ThirdExact, kExact, 6140),
    Section(form4::Label84, "Valori di picco dei componenti", 6550),
    Heading(form4::Label85, "I ideale [A]", kIdeal, 6880),
    Heading(form4::Label86, "V ideale [V]", kExact, 6880),
    Heading(form4::Label87, "I esatto [A]", kNgspice, 6880),
    Heading(form4::Label88, "V esatto [V]", kDifference, 6880),
    Caption(form4::Label89, "L1", kRowCaption, 7210),
    Value(boxes::CurrentL1Ideal, kIdeal, 7210),
    Value(boxes::VoltageL1Ideal, kExact, 7210),
    Value(boxes::CurrentL1Exact, kNgspice, 7210),
    Value(boxes::VoltageL1Exact, kDifference, 7210),
    Caption(form4::Label94, "C1", kRowCaption, 7540),
    Value(boxes::CurrentC1Ideal, kIdeal, 7540),
    Value(boxes::VoltageC1Ideal, kExact, 7540),
    Value(boxes::CurrentC1Exact, kNgspice, 7540),
    Value(boxes::VoltageC1Exact, kDifference, 7540),
    Caption(form4::Label99, "C2", kRowCaption, 7870),
    Value(boxes::CurrentC2Ideal, kIdeal, 7870),
    Value(boxes::VoltageC2Ideal, kExact, 7870),
    Value(boxes::CurrentC2Exact, kNgspice, 7870),
    Value(boxes::VoltageC2Exact, kDifference, 7870),
    Caption(form4::Label104, "L2", kRowCaption, 8200),
    Value(boxes::CurrentL2Ideal, kIdeal, 8200),
    Value(boxes::VoltageL2Ideal, kExact, 8200),
    Value(boxes::CurrentL2Exact, kNgspice, 8200),
    Value(boxes::VoltageL2Exact, kDifference, 8200),
    Caption(form4::Label109, "L rete", kRowCaption, 8530),
    Value(boxes::CurrentNetworkLIdeal, kIdeal, 8530),
    Value(boxes::VoltageNetworkLIdeal, kExact, 8530),
    Value(boxes::CurrentNetworkLExact, kNgspice, 8530),
    Value(boxes::VoltageNetworkLExact, kDifference, 8530),
    Caption(form4::Label114, "C rete", kRowCaption, 8860),
    Value(boxes::CurrentNetworkCIdeal, kIdeal, 8860),
    Value(boxes::VoltageNetworkCIdeal, kExact, 8860),
    Value(boxes::CurrentNetworkCExact, kNgspice, 8860),
    Value(boxes::VoltageNetworkCExact, kDifference, 8860),
    Caption(form4::Label119, "carico", kRowCaption, 9190),
    Value(boxes::CurrentLoadIdeal, kIdeal, 9190),
    Value(boxes::VoltageLoadIdeal, kExact, 9190),
    Value(boxes::CurrentLoadExact, kNgspice, 9190),
    Value(boxes::VoltageLoadExact, kDifference, 9190),
    Caption(form4::Label124, "switch", kRowCaption, 9520),
    Value(boxes::CurrentSwitchIdeal, kIdeal, 9520),
    Value(boxes::VoltageSwitchIdeal, kExact, 9520),
    Value(boxes::CurrentSwitchExact, kNgspice, 9520),
    Value(boxes::VoltageSwitchExact, kDifference, 9520),

    // The curves of both designs and their read-out.
    {.name = form4::Picture1.name,
     .kind = K::Picture,
     .left = 10900,
     .top = 105,
     .width = 6700,
     .height = 11190,
     .background = kWhite},
    StripCaption(form4::Label129),
    StripCaption(form4::Label130),
    StripCaption(form4::Label131),
    StripCaption(form4::Label132),
    Caption(form4::Label133, boxes::CursorTeta.symbol, kInputSymbol, 7400),
    Value(boxes::CursorTeta, {750, 1400}, 7400),
    Caption(form4::Label135, boxes::CursorTeta.unit, kInputUnit, 7400),
    Caption(form4::Label136, "esatto", kInputSymbol, 7780),
    Value(boxes::CursorExact, {750, 1400}, 7780),
    Caption(form4::Label140, "", kInputUnit, 7780),
    Caption(form4::Label138, "ideale", kInputSymbol, 8160),
    Value(boxes::CursorIdeal, {750, 1400}, 8160),

    Button(form4::Command4, "Esci", 105, 10740, 1275, 435),
    {.name = form4::Label141.name,
     .text = "Classe E · versione " CLASSE_VERSION_SHORT,
     .left = 1500,
     .top = 10890,
     .width = 1815,
     .height = 285,
     .background = kLightOrange},
});
// clang-format on

}  // namespace

Form4::Form4(QWidget* parent) : FormWindow(Window::Form4, parent) {
  setWindowTitle(QStringLiteral("Circuito reale dell'amplificatore in classe E"));
  build(kLayout, kLightBlue, kClientSize);
  // The plot's sunken border, drawn behind it.
  auto* frame = new QFrame(clientArea());
  frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  frame->setLineWidth(kBorderPixels);
  frame->setGeometry(plot_->geometry());
  frame->stackUnder(plot_);
  plot_->setGeometry(
      plot_->geometry().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels));
  plot_->setAccessibleName(QStringLiteral("Forme d'onda del circuito reale"));
  for (QWidget* child : plot_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setAttribute(Qt::WA_NoMousePropagation);
  control(form4::Command3.name)->setEnabled(false);
}

QWidget* Form4::createPicture(const ControlSpec& item, QWidget* parent) {
  if (item.name == form4::Picture1.name) return plot_ = new PlotArea(item.background, parent);
  return FormWindow::createPicture(item, parent);
}

PlotSurface* Form4::surface(std::string_view picture) {
  return picture == form4::Picture1.name ? plot_ : nullptr;
}

void Form4::onPlotMouseMove(std::function<void(float, float)> handler) {
  connect(plot_, &PlotArea::mouseMoved, this,
          [handler = std::move(handler)](float x, float y) { handler(x, y); });
}

void Form4::onSaveImage(std::function<void()> handler) {
  connect(plot_, &PlotArea::saveImageRequested, this, [handler] { handler(); });
}

QRect Form4::plotRegion() const {
  return plot_->geometry().adjusted(-kBorderPixels, -kBorderPixels, kBorderPixels, kBorderPixels);
}

void Form4::setVerifying(bool running) {
  control(form4::Command2.name)->setEnabled(!running);
  control(form4::Command3.name)->setEnabled(running);
  control(form4::Progress1.name)->setVisible(running);
}

void Form4::setNgspiceInstalled(bool installed) {
  setCaption(form4::Command2.name, QString::fromUtf8(installed ? kVerifyCaption : kInstallCaption));
}

void Form4::setStatus(const QString& text) {
  setCaption(form4::Label9.name, text);
}

void Form4::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  FormWindow::keyPressEvent(event);
}

}  // namespace classe
