// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/final_circuit/form3.h"

#include <QEvent>
#include <QLabel>
#include <array>

#include "actions/form3_controls.h"
#include "actions/value_boxes.h"
#include "ui/colours.h"
#include "ui/qt_conversions.h"

namespace classe {
namespace {

using K = ControlKind;

constexpr ClientSize kClientSize{15360, 6825};

// Component rows: caption at 12285 (RL at 12180), value at 12600, unit at
// 14700. A caption or unit either stands 105 twips below its value's top,
// which puts its first line level with the value's text, or shares the
// value's top; then it takes the value's height and is centred like the value.
constexpr int kCaptionLeft = 12285;
constexpr int kCaptionWidth = 315;
constexpr int kValueLeft = 12600;
constexpr int kValueWidth = 2010;
constexpr int kValueHeight = 330;
constexpr int kUnitLeft = 14700;
constexpr int kUnitWidth = 600;
constexpr int kTextHeight = 285;

constexpr ControlSpec RowText(Control control, std::string_view text, int left, int width, int top,
                              int valueTop, bool hidden = false) {
  return {.name = control.name,
          .text = text,
          .left = left,
          .top = top,
          .width = width,
          .height = top == valueTop ? kValueHeight : kTextHeight,
          .hidden = hidden,
          .middle = top == valueTop};
}

constexpr ControlSpec Value(const ValueBox& box, int left, int top, int width) {
  return {.name = box.control.name,
          .kind = K::ValueBox,
          .left = left,
          .top = top,
          .width = width,
          .height = kValueHeight,
          .background = kWhite};
}

// The symbol of a value box, left of it.
constexpr ControlSpec Caption(Control control, const ValueBox& box, int top, int valueTop,
                              bool hidden = false) {
  return RowText(control, box.symbol, kCaptionLeft, kCaptionWidth, top, valueTop, hidden);
}

// The unit of a value box, right of it.
constexpr ControlSpec Unit(Control control, const ValueBox& box, int top, int valueTop) {
  return RowText(control, box.unit, kUnitLeft, kUnitWidth, top, valueTop);
}

constexpr ControlSpec Schematic(Control control, std::string_view resource, int left, int width,
                                int height) {
  return {.name = control.name,
          .kind = K::Image,
          .text = resource,
          .left = left,
          .top = 210,
          .width = width,
          .height = height,
          .hidden = true};
}

// The window's design, in twips. The schematics come first so that nothing is
// ever drawn over a caption; the two buttons are the only stops of the Tab key.
constexpr auto kLayout = std::to_array<ControlSpec>({
    Schematic(form3::Picture3, ":/final/picture3.svg", 315, 11355, 5580),
    Schematic(form3::Picture2, ":/final/picture2.svg", 420, 11355, 5685),
    Schematic(form3::Picture1, ":/final/picture1.svg", 315, 10725, 5580),

    Caption(form3::Label8, boxes::FinalL1, 315, 210),
    Value(boxes::FinalL1, kValueLeft, 210, kValueWidth),
    Unit(form3::Label9, boxes::FinalL1, 315, 210),
    Caption(form3::Label10, boxes::FinalC1, 630, 630),
    Value(boxes::FinalC1, kValueLeft, 630, kValueWidth),
    Unit(form3::Label25, boxes::FinalC1, 630, 630),
    Caption(form3::Label11, boxes::FinalC2, 1155, 1050),
    Value(boxes::FinalC2, kValueLeft, 1050, kValueWidth),
    Unit(form3::Label12, boxes::FinalC2, 1050, 1050),
    Caption(form3::Label13, boxes::FinalL2, 1575, 1470),
    Value(boxes::FinalL2, kValueLeft, 1470, kValueWidth),
    Unit(form3::Label14, boxes::FinalL2, 1470, 1470),
    Caption(form3::Label18, boxes::FinalC, 1995, 1890),
    Value(boxes::FinalC, kValueLeft, 1890, kValueWidth),
    Unit(form3::Label19, boxes::FinalC, 1890, 1890),
    // One place, two captions: the matching inductor L, or LF = L2 + L.
    Caption(form3::Label17, boxes::FinalL, 2415, 2310, true),
    Caption(form3::Label15, boxes::FinalLF, 2415, 2310, true),
    Value(boxes::FinalL, kValueLeft, 2310, kValueWidth),
    Unit(form3::Label16, boxes::FinalL, 2310, 2310),
    RowText(form3::Label20, boxes::FinalRL.symbol, 12180, 420, 2835, 2730),
    Value(boxes::FinalRL, kValueLeft, 2730, kValueWidth),
    Unit(form3::Label21, boxes::FinalRL, 2730, 2730),

    {.name = form3::Command1.name,
     .kind = K::Button,
     .text = "\" Verifica \"",
     .left = 12915,
     .top = 3255,
     .width = 1275,
     .height = 435},
    // The verification fields end where the component values' units begin,
    // so "[W]" stands in the unit column.
    RowText(form3::Label24, boxes::TgPsi.symbol, 11865, 1020, 3990, 3885),
    Value(boxes::TgPsi, 12915, 3885, 1695),
    RowText(form3::Label26, boxes::PoVer.symbol, 12285, 600, 4410, 4305),
    Value(boxes::PoVer, 12915, 4305, 1695),
    Unit(form3::Label27, boxes::PoVer, 4410, 4305),
    {.name = form3::Command2.name,
     .kind = K::Button,
     .text = "Esci",
     .left = 13125,
     .top = 5250,
     .width = 1275,
     .height = 540},

    {.name = form3::Label28.name,
     .text = "tg(psi) ver. = tangente dell'angolo tra la fondamentale di Vc1 ( prima armonica ) e "
             "la corrente Ir.     [ tg(psi) è costante e  circa uguale a 1,152 ]",
     .left = 315,
     .top = 6090,
     .width = 12195,
     .height = 225},
    {.name = form3::Label29.name,
     .text = "Po ver. = potenza erogata al carico RL  [dovrebbe essere uguale a quella di progetto "
             "Po]",
     .left = 315,
     .top = 6405,
     .width = 7785,
     .height = 225},
});

}  // namespace

Form3::Form3(QWidget* parent) : FormWindow(Window::Form3, parent) {
  setWindowTitle("Form3");
  build(kLayout, kLightOrange, kClientSize);
  for (Control caption : {form3::Label15, form3::Label17})
    control(caption.name)->installEventFilter(this);
  describeInductorValue();
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
  // ShowToParent and HideToParent arrive even while the window itself is
  // hidden, so the description is right before the window first appears.
  if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
    describeInductorValue();
  return FormWindow::eventFilter(watched, event);
}

void Form3::describeInductorValue() {
  auto* lf = qobject_cast<QLabel*>(control(form3::Label15.name));
  auto* l = qobject_cast<QLabel*>(control(form3::Label17.name));
  QWidget* value = control(form3::Label6.name);
  if (!lf || !l || !value) return;
  const QString symbol = lf->isHidden() ? l->text() : lf->text();
  value->setAccessibleDescription(symbol + ' ' + FromUtf8(boxes::FinalL.unit));
}

}  // namespace classe
