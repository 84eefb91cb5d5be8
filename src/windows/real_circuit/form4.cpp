// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/real_circuit/form4.h"

#include <QAbstractButton>
#include <QFrame>
#include <array>

#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "ui/colours.h"
#include "ui/plot_area.h"
#include "ui/qt_conversions.h"
#include "ui/table_layout.h"

namespace classe {
namespace {

using K = ControlKind;

constexpr ClientSize kClientSize{17700, 11400};

constexpr RowLayout kRows{.captionDrop = 30, .textHeight = 285, .valueHeight = 300};
constexpr int kBorderPixels = 2;
// What a screen reader calls the busy bar while ngspice runs.
constexpr const char* kNgspiceRunning = "ngspice in esecuzione";

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

// A column's heading, or a section's title across the table.
constexpr ControlSpec Heading(Control control, std::string_view text, Column column, int top) {
  return {.name = control.name,
          .text = text,
          .left = column.left,
          .top = top,
          .width = column.width,
          .height = kRows.textHeight};
}

constexpr ControlSpec Section(Control control, std::string_view text, int top) {
  return Heading(control, text,
                 {kRowCaption.left, kDifference.left + kDifference.width - kRowCaption.left}, top);
}

// A strip's caption inside the plot, placed by the action.
constexpr ControlSpec StripCaption(Control control) {
  return CaptionInPicture(control, form4::Picture1, 5000);
}

// The window's design, in twips. Fields, the check box, the options and the
// buttons are the Tab key's stops, in this order.
// clang-format off
constexpr auto kLayout = std::to_array<ControlSpec>({
    // The real stage's inputs.
    {.name = form4::Label1.name, .text = "Circuito reale: progetto ideale e progetto esatto", .left = 105, .top = 105, .width = 3200, .height = 500},
    kRows.caption(form4::Label2, fields::Ron.symbol, kInputSymbol, 600),
    kRows.field(fields::Ron, kInputField, 600),
    kRows.caption(form4::Label3, fields::Ron.unit, kInputUnit, 600),
    kRows.caption(form4::Label4, fields::Coss.symbol, kInputSymbol, 1020),
    kRows.field(fields::Coss, kInputField, 1020),
    kRows.caption(form4::Label5, fields::Coss.unit, kInputUnit, 1020),
    kRows.caption(form4::Label6, fields::QU.symbol, kInputSymbol, 1440),
    kRows.field(fields::QU, kInputField, 1440),
    kRows.caption(form4::Label7, "vuoto: induttanze senza perdite", {105, 3150}, 1800),
    {.name = form4::Check1.name, .kind = K::CheckBox, .text = "con rete di adattamento", .left = 105, .top = 2220, .width = 3150, .height = 330},
    ButtonSpec(form4::Command1, "Calcola", 105, 2700, 1500, 435),
    kRows.caption(form4::Label8, "Netlist e verifica con ngspice:", {105, 3150}, 3360),
    {.name = form4::Option1.name, .kind = K::Option, .text = "progetto esatto", .left = 105, .top = 3750, .width = 3000, .height = 300},
    {.name = form4::Option2.name, .kind = K::Option, .text = "progetto ideale", .left = 105, .top = 4080, .width = 3000, .height = 300},
    ButtonSpec(form4::Command2, kVerifyCaption, 105, 4500, 3150, 435),
    ButtonSpec(form4::Command3, "Interrompi", 105, 5040, 1500, 435),
    {.name = form4::Progress1.name, .kind = K::Busy, .text = kNgspiceRunning, .left = 1755, .top = 5100, .width = 1500, .height = 300, .hidden = true},
    {.name = form4::Label9.name, .left = 105, .top = 5580, .width = 3150, .height = 1500},

    // The table: a row a quantity, a column a design.
    Heading(form4::Label10, "Ideale", kIdeal, 105),
    Heading(form4::Label11, "Esatto", kExact, 105),
    Heading(form4::Label12, "ngspice", kNgspice, 105),
    Heading(form4::Label13, "differenza [%]", kDifference, 105),
    Section(form4::Label14, "Progetto", 450),
    kRows.caption(form4::Label15, "R", kRowCaption, 780),
    kRows.caption(form4::Label16, boxes::RIdeal.unit, kRowUnit, 780),
    kRows.value(boxes::RIdeal, kIdeal, 780),
    kRows.value(boxes::RExact, kExact, 780),
    kRows.caption(form4::Label19, "L1", kRowCaption, 1110),
    kRows.caption(form4::Label20, boxes::L1Ideal.unit, kRowUnit, 1110),
    kRows.value(boxes::L1Ideal, kIdeal, 1110),
    kRows.value(boxes::L1Exact, kExact, 1110),
    kRows.caption(form4::Label23, "C1", kRowCaption, 1440),
    kRows.caption(form4::Label24, boxes::C1Ideal.unit, kRowUnit, 1440),
    kRows.value(boxes::C1Ideal, kIdeal, 1440),
    kRows.value(boxes::C1Exact, kExact, 1440),
    kRows.caption(form4::Label27, "C1 − Coss", kRowCaption, 1770),
    kRows.caption(form4::Label28, boxes::C1ToBuyIdeal.unit, kRowUnit, 1770),
    kRows.value(boxes::C1ToBuyIdeal, kIdeal, 1770),
    kRows.value(boxes::C1ToBuyExact, kExact, 1770),
    kRows.caption(form4::Label31, "C2", kRowCaption, 2100),
    kRows.caption(form4::Label32, boxes::C2Ideal.unit, kRowUnit, 2100),
    kRows.value(boxes::C2Ideal, kIdeal, 2100),
    kRows.value(boxes::C2Exact, kExact, 2100),
    kRows.caption(form4::Label35, "L2", kRowCaption, 2430),
    kRows.caption(form4::Label36, boxes::L2Ideal.unit, kRowUnit, 2430),
    kRows.value(boxes::L2Ideal, kIdeal, 2430),
    kRows.value(boxes::L2Exact, kExact, 2430),
    kRows.caption(form4::Label39, "L rete", kRowCaption, 2760),
    kRows.caption(form4::Label40, boxes::NetworkLIdeal.unit, kRowUnit, 2760),
    kRows.value(boxes::NetworkLIdeal, kIdeal, 2760),
    kRows.value(boxes::NetworkLExact, kExact, 2760),
    kRows.caption(form4::Label43, "C rete", kRowCaption, 3090),
    kRows.caption(form4::Label44, boxes::NetworkCIdeal.unit, kRowUnit, 3090),
    kRows.value(boxes::NetworkCIdeal, kIdeal, 3090),
    kRows.value(boxes::NetworkCExact, kExact, 3090),
    kRows.caption(form4::Label47, boxes::Iterations.symbol, kRowCaption, 3420),
    kRows.value(boxes::Iterations, kExact, 3420),
    Section(form4::Label49, "Circuito reale", 3830),
    kRows.caption(form4::Label50, boxes::PoIdeal.quantity, kRowCaption, 4160),
    kRows.caption(form4::Label51, boxes::PoIdeal.unit, kRowUnit, 4160),
    kRows.value(boxes::PoIdeal, kIdeal, 4160),
    kRows.value(boxes::PoExact, kExact, 4160),
    kRows.value(boxes::PoNgspice, kNgspice, 4160),
    kRows.value(boxes::PoDifference, kDifference, 4160),
    kRows.caption(form4::Label56, boxes::EfficiencyIdeal.quantity, kRowCaption, 4490),
    kRows.caption(form4::Label57, boxes::EfficiencyIdeal.unit, kRowUnit, 4490),
    kRows.value(boxes::EfficiencyIdeal, kIdeal, 4490),
    kRows.value(boxes::EfficiencyExact, kExact, 4490),
    kRows.value(boxes::EfficiencyNgspice, kNgspice, 4490),
    kRows.value(boxes::EfficiencyDifference, kDifference, 4490),
    kRows.caption(form4::Label62, boxes::TurnOnIdeal.quantity, kRowCaption, 4820),
    kRows.caption(form4::Label63, boxes::TurnOnIdeal.unit, kRowUnit, 4820),
    kRows.value(boxes::TurnOnIdeal, kIdeal, 4820),
    kRows.value(boxes::TurnOnExact, kExact, 4820),
    kRows.value(boxes::TurnOnNgspice, kNgspice, 4820),
    kRows.value(boxes::TurnOnDifference, kDifference, 4820),
    kRows.caption(form4::Label68, boxes::VpeakIdeal.quantity, kRowCaption, 5150),
    kRows.caption(form4::Label69, boxes::VpeakIdeal.unit, kRowUnit, 5150),
    kRows.value(boxes::VpeakIdeal, kIdeal, 5150),
    kRows.value(boxes::VpeakExact, kExact, 5150),
    kRows.caption(form4::Label72, boxes::SwitchPeakIdeal.quantity, kRowCaption, 5480),
    kRows.caption(form4::Label73, boxes::SwitchPeakIdeal.unit, kRowUnit, 5480),
    kRows.value(boxes::SwitchPeakIdeal, kIdeal, 5480),
    kRows.value(boxes::SwitchPeakExact, kExact, 5480),
    kRows.caption(form4::Label76, boxes::SecondIdeal.quantity, kRowCaption, 5810),
    kRows.caption(form4::Label77, boxes::SecondIdeal.unit, kRowUnit, 5810),
    kRows.value(boxes::SecondIdeal, kIdeal, 5810),
    kRows.value(boxes::SecondExact, kExact, 5810),
    kRows.caption(form4::Label80, boxes::ThirdIdeal.quantity, kRowCaption, 6140),
    kRows.caption(form4::Label81, boxes::ThirdIdeal.unit, kRowUnit, 6140),
    kRows.value(boxes::ThirdIdeal, kIdeal, 6140),
    kRows.value(boxes::ThirdExact, kExact, 6140),
    Section(form4::Label84, "Valori di picco dei componenti", 6550),
    Heading(form4::Label85, "I ideale [A]", kIdeal, 6880),
    Heading(form4::Label86, "V ideale [V]", kExact, 6880),
    Heading(form4::Label87, "I esatto [A]", kNgspice, 6880),
    Heading(form4::Label88, "V esatto [V]", kDifference, 6880),
    kRows.caption(form4::Label89, "L1", kRowCaption, 7210),
    kRows.value(boxes::CurrentL1Ideal, kIdeal, 7210),
    kRows.value(boxes::VoltageL1Ideal, kExact, 7210),
    kRows.value(boxes::CurrentL1Exact, kNgspice, 7210),
    kRows.value(boxes::VoltageL1Exact, kDifference, 7210),
    kRows.caption(form4::Label94, "C1", kRowCaption, 7540),
    kRows.value(boxes::CurrentC1Ideal, kIdeal, 7540),
    kRows.value(boxes::VoltageC1Ideal, kExact, 7540),
    kRows.value(boxes::CurrentC1Exact, kNgspice, 7540),
    kRows.value(boxes::VoltageC1Exact, kDifference, 7540),
    kRows.caption(form4::Label99, "C2", kRowCaption, 7870),
    kRows.value(boxes::CurrentC2Ideal, kIdeal, 7870),
    kRows.value(boxes::VoltageC2Ideal, kExact, 7870),
    kRows.value(boxes::CurrentC2Exact, kNgspice, 7870),
    kRows.value(boxes::VoltageC2Exact, kDifference, 7870),
    kRows.caption(form4::Label104, "L2", kRowCaption, 8200),
    kRows.value(boxes::CurrentL2Ideal, kIdeal, 8200),
    kRows.value(boxes::VoltageL2Ideal, kExact, 8200),
    kRows.value(boxes::CurrentL2Exact, kNgspice, 8200),
    kRows.value(boxes::VoltageL2Exact, kDifference, 8200),
    kRows.caption(form4::Label109, "L rete", kRowCaption, 8530),
    kRows.value(boxes::CurrentNetworkLIdeal, kIdeal, 8530),
    kRows.value(boxes::VoltageNetworkLIdeal, kExact, 8530),
    kRows.value(boxes::CurrentNetworkLExact, kNgspice, 8530),
    kRows.value(boxes::VoltageNetworkLExact, kDifference, 8530),
    kRows.caption(form4::Label114, "C rete", kRowCaption, 8860),
    kRows.value(boxes::CurrentNetworkCIdeal, kIdeal, 8860),
    kRows.value(boxes::VoltageNetworkCIdeal, kExact, 8860),
    kRows.value(boxes::CurrentNetworkCExact, kNgspice, 8860),
    kRows.value(boxes::VoltageNetworkCExact, kDifference, 8860),
    kRows.caption(form4::Label119, "carico", kRowCaption, 9190),
    kRows.value(boxes::CurrentLoadIdeal, kIdeal, 9190),
    kRows.value(boxes::VoltageLoadIdeal, kExact, 9190),
    kRows.value(boxes::CurrentLoadExact, kNgspice, 9190),
    kRows.value(boxes::VoltageLoadExact, kDifference, 9190),
    kRows.caption(form4::Label124, "switch", kRowCaption, 9520),
    kRows.value(boxes::CurrentSwitchIdeal, kIdeal, 9520),
    kRows.value(boxes::VoltageSwitchIdeal, kExact, 9520),
    kRows.value(boxes::CurrentSwitchExact, kNgspice, 9520),
    kRows.value(boxes::VoltageSwitchExact, kDifference, 9520),

    // The transistor's Coss(v), beside the design it belongs to.
    {.name = form4::Label158.name, .left = kNgspice.left, .top = 880, .width = kDifference.left + kDifference.width - kNgspice.left, .height = 450, .bold = false},
    {.name = form4::Picture2.name, .kind = K::Picture, .left = kNgspice.left, .top = 1360, .width = kDifference.left + kDifference.width - kNgspice.left, .height = 2420, .background = kWhite},

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
    kRows.caption(form4::Label133, boxes::CursorTeta.symbol, kInputSymbol, 7400),
    kRows.value(boxes::CursorTeta, {750, 1400}, 7400),
    kRows.caption(form4::Label135, boxes::CursorTeta.unit, kInputUnit, 7400),
    kRows.caption(form4::Label136, "esatto", kInputSymbol, 7780),
    kRows.value(boxes::CursorExact, {750, 1400}, 7780),
    kRows.caption(form4::Label140, "", kInputUnit, 7780),
    kRows.caption(form4::Label138, "ideale", kInputSymbol, 8160),
    kRows.value(boxes::CursorIdeal, {750, 1400}, 8160),

    // The transistor: its Coss law beside the Coss field above, its rating, its curve.
    kRows.caption(form4::Label142, "Transistor (Coss data a Vds):", {105, 3150}, 8520),
    kRows.caption(form4::Label143, "Vds", kInputSymbol, 8850),
    kRows.field(fields::VdsCoss, kInputField, 8850),
    kRows.caption(form4::Label144, fields::VdsCoss.unit, kInputUnit, 8850),
    kRows.caption(form4::Label145, fields::m.symbol, kInputSymbol, 9190),
    kRows.field(fields::m, kInputField, 9190),
    kRows.caption(form4::Label146, fields::Vj.symbol, kInputSymbol, 9530),
    kRows.field(fields::Vj, kInputField, 9530),
    kRows.caption(form4::Label147, fields::Vj.unit, kInputUnit, 9530),
    kRows.caption(form4::Label148, fields::BVdss.symbol, {105, 640}, 9870),
    kRows.field(fields::BVdss, kInputField, 9870),
    kRows.caption(form4::Label149, fields::BVdss.unit, kInputUnit, 9870),
    ButtonSpec(form4::Command5, "Carica curva Coss…", 105, 10230, 1900, 435),
    {.name = form4::Label150.name, .text = "giunzione", .left = 2080, .top = 10300, .width = 1200, .height = 285, .bold = false},

    // The drain peak against the supply and the rating.
    kRows.caption(form4::Label151, boxes::PeakRatioIdeal.quantity, kRowCaption, 9850),
    kRows.value(boxes::PeakRatioIdeal, kIdeal, 9850),
    kRows.value(boxes::PeakRatioExact, kExact, 9850),
    kRows.caption(form4::Label154, "margine BV", kRowCaption, 10180),
    kRows.caption(form4::Label155, boxes::MarginIdeal.unit, kRowUnit, 10180),
    kRows.value(boxes::MarginIdeal, kIdeal, 10180),
    kRows.value(boxes::MarginExact, kExact, 10180),

    ButtonSpec(form4::Command4, "Esci", 105, 10740, 1275, 435),
    ButtonSpec(form4::Command6, "Componenti commerciali…", 1500, 10740, 2200, 435),
    VersionCaption(form4::Label141, 3850, 10890),
});
// clang-format on

}  // namespace

Form4::Form4(QWidget* parent) : FormWindow(Window::Form4, parent) {
  setWindowTitle(QStringLiteral("Circuito reale dell'amplificatore in classe E"));
  build(kLayout, kLightBlue, kClientSize);
  closeOnEscape();
  // The plot's sunken border, drawn behind it.
  auto* frame = new QFrame(clientArea());
  frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  frame->setLineWidth(kBorderPixels);
  frame->setGeometry(plot_->geometry());
  frame->stackUnder(plot_);
  plot_->setGeometry(
      plot_->geometry().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels));
  plot_->setAccessibleName(QStringLiteral("Forme d'onda del circuito reale"));
  coss_->setAccessibleName(QStringLiteral("Coss del transistor in funzione della tensione"));
  for (QWidget* child : plot_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setAttribute(Qt::WA_NoMousePropagation);
  control(form4::Command3.name)->setEnabled(false);
}

QWidget* Form4::createPicture(const ControlSpec& item, QWidget* parent) {
  if (item.name == form4::Picture1.name) return plot_ = new PlotArea(item.background, parent);
  if (item.name == form4::Picture2.name) return coss_ = new PlotArea(item.background, parent);
  return FormWindow::createPicture(item, parent);
}

PlotSurface* Form4::surface(std::string_view picture) {
  if (picture == form4::Picture2.name) return coss_;
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

void Form4::setDesigning(bool running) {
  control(form4::Command1.name)->setEnabled(!running);
  setVerifying(running);
  control(form4::Progress1.name)
      ->setAccessibleName(running ? QStringLiteral("Calcolo dei progetti in corso")
                                  : QString::fromUtf8(kNgspiceRunning));
}

void Form4::setNgspiceInstalled(bool installed) {
  setCaption(form4::Command2.name, QString::fromUtf8(installed ? kVerifyCaption : kInstallCaption));
}

void Form4::setStatus(const QString& text) {
  setCaption(form4::Label9.name, text);
}

}  // namespace classe
