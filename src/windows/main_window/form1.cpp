// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/main_window/form1.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <array>

#include "actions/form1_controls.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "ui/colours.h"
#include "ui/message_presenter.h"
#include "ui/table_layout.h"

namespace classe {
namespace {

using K = ControlKind;

constexpr ClientSize kClientSize{17115, 10440};

constexpr RowLayout kRows{.captionDrop = 45, .textHeight = 285, .valueHeight = 285};

// The input column, the design results and the peak values.
constexpr Column kInputSymbol{105, 400};
constexpr Column kInputField{525, 1695};
constexpr Column kInputUnit{2310, 700};
constexpr Column kResultSymbol{4620, 400};
constexpr Column kResultValue{5040, 1695};
constexpr Column kResultUnit{6825, 600};
constexpr Column kPeakSymbol{13545, 840};
constexpr Column kPeakValue{14385, 1695};
constexpr Column kPeakUnit{16170, 840};

constexpr ControlSpec Picture(Control control, std::string_view resource, int left, int top,
                              int width, int height, bool hidden = false) {
  return {.name = control.name,
          .kind = K::Image,
          .text = resource,
          .left = left,
          .top = top,
          .width = width,
          .height = height,
          .hidden = hidden};
}

// Where a column's width differs from the rest of the column.
constexpr Column Narrow(Column column, int width) {
  return {column.left, width};
}

// The main window's design, in twips. Fields and buttons stand in the order
// the Tab key walks them: Text1…Text5, Command1, Text6, Text7, Command2,
// Command3, Command4, Text9, Command5, Command6.
constexpr auto kLayout = std::to_array<ControlSpec>({
    // Title and schematic.
    {.name = form1::Label10.name,
     .text = "Progetto di un amplificatore RF in classe E ideale",
     .left = 210,
     .top = 105,
     .width = 9000,
     .height = 330},
    Picture(form1::Image1, ":/pictures/image1.svg", 210, 525, 13155, 4050),

    // Input column.
    kRows.caption(form1::Label1, fields::Po.symbol, kInputSymbol, 4830),
    kRows.field(fields::Po, kInputField, 4830),
    kRows.caption(form1::Label2, fields::Po.unit, kInputUnit, 4830),
    kRows.caption(form1::Label3, fields::f.symbol, {210, 300}, 5145),
    kRows.field(fields::f, kInputField, 5145),
    kRows.caption(form1::Label4, fields::f.unit, kInputUnit, 5145),
    kRows.caption(form1::Label5, fields::Q.symbol, kInputSymbol, 5565),
    kRows.field(fields::Q, kInputField, 5565),
    kRows.caption(form1::Label6, fields::Von.symbol, Narrow(kInputSymbol, 420), 5985),
    kRows.field(fields::Von, kInputField, 5985),
    kRows.caption(form1::Label7, fields::Von.unit, kInputUnit, 5985),
    kRows.caption(form1::Label8, fields::Vcc.symbol, Narrow(kInputSymbol, 420), 6405),
    kRows.field(fields::Vcc, kInputField, 6405),
    kRows.caption(form1::Label9, fields::Vcc.unit, kInputUnit, 6405),

    ButtonSpec(form1::Command1, "Calcola Componenti, Tensioni e Correnti", 3045, 5670, 1275, 855),

    kRows.caption(form1::Label26, fields::N.symbol, kInputSymbol, 6825),
    kRows.field(fields::N, kInputField, 6825),
    kRows.caption(form1::Label27, fields::RL.symbol, kInputSymbol, 7245),
    kRows.field(fields::RL, kInputField, 7245),
    kRows.caption(form1::Label28, fields::RL.unit, kInputUnit, 7245),

    {.name = form1::Label45.name,
     .text = "N = fattore di moltiplicazione, in modo che sia : XL1 = N*XC1 . L1 è così un "
             "induttore di blocco per le componenti a RF.",
     .left = 0,
     .top = 7770,
     .width = 7365,
     .height = 450},

    // Design results.
    kRows.caption(form1::Label16, boxes::R.symbol, kResultSymbol, 4830),
    kRows.value(boxes::R, kResultValue, 4830),
    kRows.caption(form1::Label17, boxes::R.unit, kResultUnit, 4830),
    kRows.caption(form1::Label18, boxes::L1.symbol, kResultSymbol, 5250),
    kRows.value(boxes::L1, kResultValue, 5250),
    kRows.caption(form1::Label19, boxes::L1.unit, kResultUnit, 5250),
    kRows.caption(form1::Label22, boxes::C1.symbol, kResultSymbol, 5670),
    kRows.value(boxes::C1, kResultValue, 5670),
    kRows.caption(form1::Label23, boxes::C1.unit, kResultUnit, 5670),
    kRows.caption(form1::Label24, boxes::C2.symbol, kResultSymbol, 6090),
    kRows.value(boxes::C2, kResultValue, 6090),
    kRows.caption(form1::Label25, boxes::C2.unit, kResultUnit, 6090),
    kRows.caption(form1::Label20, boxes::L2.symbol, kResultSymbol, 6510),
    kRows.value(boxes::L2, kResultValue, 6510),
    kRows.caption(form1::Label21, boxes::L2.unit, kResultUnit, 6510),
    kRows.caption(form1::Label40, boxes::IDC.symbol, Narrow(kResultSymbol, 420), 6930),
    kRows.value(boxes::IDC, kResultValue, 6930),
    kRows.caption(form1::Label35, boxes::IDC.unit, kResultUnit, 6930),

    // Matching network: hidden until the first successful compute.
    ButtonSpec(form1::Command2, "Calcola rete adattamento", 3045, 8610, 1485, 645, true),
    kRows.caption(form1::Label31, boxes::L.symbol, kResultSymbol, 8505, true),
    kRows.value(boxes::L, kResultValue, 8505, true),
    kRows.caption(form1::Label33, boxes::L.unit, kResultUnit, 8505, true),
    kRows.caption(form1::Label32, boxes::C.symbol, kResultSymbol, 9030, true),
    kRows.value(boxes::C, kResultValue, 9030, true),
    kRows.caption(form1::Label34, boxes::C.unit, kResultUnit, 9030, true),
    Picture(form1::Image2, ":/pictures/image2.svg", 7560, 6510, 6720, 3315, true),
    Picture(form1::Image3, ":/pictures/image3.svg", 8295, 7035, 4815, 2310, true),

    ButtonSpec(form1::Command3, "Vc1 max,Isw max, Ir picco", 11130, 5145, 1800, 1065),

    // Top right: graphs, sample count and peak values.
    ButtonSpec(form1::Command4, "Grafici", 14175, 945, 2100, 750),
    kRows.caption(form1::Label48, fields::M.symbol, Narrow(kPeakSymbol, 400), 1995),
    kRows.field(fields::M, {14385, 1140}, 1995),
    kRows.caption(form1::Label49, "N° campioni", {15600, 1400}, 1995),
    kRows.caption(form1::Label44, boxes::Vc1max.symbol, kPeakSymbol, 2625),
    kRows.value(boxes::Vc1max, kPeakValue, 2625),
    kRows.caption(form1::Label62, boxes::Vc1max.unit, kPeakUnit, 2625),
    kRows.caption(form1::Label42, boxes::Iswmax.symbol, kPeakSymbol, 3045),
    kRows.value(boxes::Iswmax, kPeakValue, 3045),
    kRows.caption(form1::Label61, boxes::Iswmax.unit, kPeakUnit, 3045),
    {.name = form1::Line1.name,
     .kind = K::Line,
     .left = 13440,
     .top = 3555,
     .width = 3360,
     .height = 30},
    {.name = form1::Label64.name,
     .text = "Prima armonica (fondamentale):",
     .left = 13545,
     .top = 3780,
     .width = 3255,
     .height = 210},
    // The first harmonic's row stands a little to the right of the others.
    kRows.caption(form1::Label38, boxes::Irmax.symbol, Narrow(kPeakSymbol, 1000), 3990),
    kRows.value(boxes::Irmax, {14595, 1695}, 3990),
    kRows.caption(form1::Label36, boxes::Irmax.unit, {16380, 600}, 3990),

    ButtonSpec(form1::Command5, "Circuito definitivo", 14805, 8610, 1485, 645),
    ButtonSpec(form1::Command6, "Esci", 315, 9660, 1275, 435),
    VersionCaption(form1::Label67, 15225, 9975),
});

}  // namespace

Form1::Form1(QWidget* parent) : FormWindow(Window::Form1, parent) {
  setWindowTitle(ApplicationTitle());
  setWindowIcon(QIcon(QStringLiteral(":/icons/classe-e.svg")));
  auto* bar = new QMenuBar(this);
  menu_ = BuildMainMenu(bar);
  setMenuBar(bar);
  build(kLayout, kLightBlue, kClientSize);
  // What a screen reader says of the three drawings.
  control(form1::Image1.name)->setAccessibleName(QStringLiteral("Schema dello stadio in classe E"));
  control(form1::Image2.name)->setAccessibleName(QStringLiteral("Rete di adattamento per R < RL"));
  control(form1::Image3.name)->setAccessibleName(QStringLiteral("Rete di adattamento per R > RL"));
  // The window opens with the cursor in the first input field.
  control(form1::Text1.name)->setFocus();
}

void Form1::closeEvent(QCloseEvent* event) {
  if (guard_ && !guard_()) {
    event->ignore();
    return;
  }
  event->accept();
  emit closing();
}

}  // namespace classe
