// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/graphs/form2.h"

#include <QFrame>
#include <array>

#include "actions/curves.h"
#include "actions/form2_controls.h"
#include "actions/value_boxes.h"
#include "ui/colours.h"
#include "ui/plot_area.h"
#include "ui/table_layout.h"

namespace classe {
namespace {

using K = ControlKind;

// Picture boxes draw a sunken border two pixels wide; their user units span
// the area inside it.
constexpr int kBorderPixels = 2;

// Read-out rows: a caption ending two pixels before the value box, the box,
// and the unit in the column at 17010.
constexpr int kCaptionGap = 30;
constexpr int kValueLeft = 15540;
constexpr int kValueWidth = 1380;
constexpr int kValueHeight = 330;
constexpr int kUnitLeft = 17010;
constexpr int kUnitWidth = 705;
constexpr int kTextHeight = 225;

constexpr ControlSpec Option(Control control, std::string_view text, int top, int width, int height,
                             Rgb colour) {
  return {.name = control.name,
          .kind = K::Option,
          .text = text,
          .left = 15015,
          .top = top,
          .width = width,
          .height = height,
          .foreground = colour};
}

// The symbol of a read-out box, ending just before it.
constexpr ControlSpec RowCaption(Control control, const ValueBox& box, int left, int top) {
  return {.name = control.name,
          .text = box.symbol,
          .left = left,
          .top = top,
          .width = kValueLeft - kCaptionGap - left,
          .height = kTextHeight};
}

constexpr ControlSpec Value(const ValueBox& box, int top) {
  return {.name = box.control.name,
          .kind = K::ValueBox,
          .left = kValueLeft,
          .top = top,
          .width = kValueWidth,
          .height = kValueHeight,
          .background = kLightYellow};
}

constexpr ControlSpec Unit(Control control, const ValueBox& box, int top) {
  return {.name = control.name,
          .text = box.unit,
          .left = kUnitLeft,
          .top = top,
          .width = kUnitWidth,
          .height = kTextHeight};
}

// An axis caption inside a picture box, regular weight. It stays empty until
// the graph action first places it (a window whose action stopped early shows
// the bare grid); it is designed where the action puts it, so that it covers
// the same part of the plot before and after.
constexpr ControlSpec AxisCaption(Control control, Control holder, int left, int top, int width,
                                  int height) {
  return {.name = control.name,
          .left = left,
          .top = top,
          .width = width,
          .height = height,
          .background = holder == form2::Picture1 ? std::optional<Rgb>(kLightYellow) : std::nullopt,
          .bold = false,
          .holder = holder.name};
}

// The window's design, in twips. Positions inside a picture box are relative
// to its inner area. The option buttons and "Esci" are the Tab key's stops.
constexpr ClientSize kClientSize{17955, 9900};

constexpr auto kLayout = std::to_array<ControlSpec>({
    {.name = form2::Picture3.name,
     .kind = K::Picture,
     .left = 105,
     .top = 210,
     .width = 1065,
     .height = 8940},
    AxisCaption(form2::Label1, form2::Picture3, 150, 135, 1065, 225),
    AxisCaption(form2::Label2, form2::Picture3, 510, 1650, 750, 225),
    AxisCaption(form2::Label4, form2::Picture3, 150, 1905, 960, 330),
    AxisCaption(form2::Label6, form2::Picture3, 510, 3420, 960, 330),
    AxisCaption(form2::Label11, form2::Picture3, 150, 3690, 855, 225),
    AxisCaption(form2::Label12, form2::Picture3, 510, 5190, 855, 330),
    AxisCaption(form2::Label13, form2::Picture3, 150, 5460, 855, 225),
    AxisCaption(form2::Label14, form2::Picture3, 510, 6975, 960, 225),

    {.name = form2::Picture1.name,
     .kind = K::Picture,
     .left = 1155,
     .top = 210,
     .width = 13665,
     .height = 8940,
     .background = kLightYellow},
    AxisCaption(form2::Label3, form2::Picture1, 12315, 1470, 855, 225),
    AxisCaption(form2::Label5, form2::Picture1, 12315, 3240, 960, 225),
    AxisCaption(form2::Label7, form2::Picture1, 3105, 4980, 750, 225),
    AxisCaption(form2::Label18, form2::Picture1, 6345, 5505, 1065, 330),
    AxisCaption(form2::Label9, form2::Picture1, 9585, 4980, 750, 330),
    AxisCaption(form2::Label8, form2::Picture1, 12705, 5505, 1170, 330),
    AxisCaption(form2::Label10, form2::Picture1, 12315, 4980, 855, 225),
    AxisCaption(form2::Label15, form2::Picture1, 12315, 6750, 960, 225),

    {.name = form2::Picture2.name,
     .kind = K::Picture,
     .left = 15435,
     .top = 8820,
     .width = 225,
     .height = 225,
     .hidden = true},

    // The read-out, one block a curve: option button, angle row, value row.
    Option(form2::Option1, "Vc1(teta)", 420, 1170, 330, kVc1Colour),
    RowCaption(form2::Label19, boxes::Vc1Teta, 14910, 840),
    Value(boxes::Vc1Teta, 840),
    Unit(form2::Label20, boxes::Vc1Teta, 840),
    RowCaption(form2::Label21, boxes::Vc1, 14910, 1260),
    Value(boxes::Vc1, 1260),
    Unit(form2::Label22, boxes::Vc1, 1260),

    Option(form2::Option2, "Isw(teta)", 2100, 1170, 330, kIswColour),
    RowCaption(form2::Label25, boxes::IswTeta, 15015, 2520),
    Value(boxes::IswTeta, 2520),
    Unit(form2::Label26, boxes::IswTeta, 2520),
    RowCaption(form2::Label27, boxes::Isw, 15015, 2940),
    Value(boxes::Isw, 2940),
    Unit(form2::Label28, boxes::Isw, 2940),

    Option(form2::Option3, "Ic1(teta)", 3780, 1275, 330, kIc1Colour),
    RowCaption(form2::Label30, boxes::Ic1Teta, 15015, 4305),
    Value(boxes::Ic1Teta, 4200),
    Unit(form2::Label31, boxes::Ic1Teta, 4200),
    RowCaption(form2::Label33, boxes::Ic1, 15015, 4725),
    Value(boxes::Ic1, 4620),
    Unit(form2::Label34, boxes::Ic1, 4620),

    Option(form2::Option4, "Ir(teta)", 5565, 1590, 225, kIrColour),
    RowCaption(form2::Label37, boxes::IrTeta, 15015, 5985),
    Value(boxes::IrTeta, 5880),
    Unit(form2::Label38, boxes::IrTeta, 5880),
    RowCaption(form2::Label39, boxes::Ir, 15120, 6405),
    Value(boxes::Ir, 6300),
    Unit(form2::Label40, boxes::Ir, 6300),

    {.name = form2::Command1.name,
     .kind = K::Button,
     .text = "Esci",
     .left = 15645,
     .top = 8190,
     .width = 1275,
     .height = 435},
    VersionCaption(form2::Label41, 15330, 9450),
});

// The sunken border of a picture box, drawn behind it; the box itself keeps
// only its inner area, so that what it holds is cut off at the border.
void FramePicture(QWidget* picture) {
  auto* frame = new QFrame(picture->parentWidget());
  frame->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  frame->setLineWidth(kBorderPixels);
  frame->setGeometry(picture->geometry());
  frame->stackUnder(picture);
  picture->setGeometry(
      picture->geometry().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels));
}

}  // namespace

Form2::Form2(QWidget* parent) : FormWindow(Window::Form2, parent) {
  setWindowTitle("Grafici dell'amplificatore in classe E");
  build(kLayout, kWindowGrey, kClientSize);
  FramePicture(caption_);
  FramePicture(plot_);
  // Moves over a caption on the plot belong to the caption and the read-out
  // stays as it was. Qt already keeps button-less moves from reaching the
  // plot; this keeps the ones with a button held (a drag) away too.
  for (QWidget* child : plot_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setAttribute(Qt::WA_NoMousePropagation);
}

QWidget* Form2::createPicture(const ControlSpec& item, QWidget* parent) {
  if (item.name == form2::Picture1.name) return plot_ = new PlotArea(item.background, parent);
  if (item.name == form2::Picture3.name) return caption_ = new PlotArea(item.background, parent);
  return FormWindow::createPicture(item, parent);
}

PlotSurface* Form2::surface(std::string_view picture) {
  if (picture == form2::Picture1.name) return plot_;
  if (picture == form2::Picture3.name) return caption_;
  return nullptr;
}

void Form2::onSaveImage(std::function<void()> handler) {
  for (PlotArea* area : {plot_, caption_})
    connect(area, &PlotArea::saveImageRequested, this, [handler] { handler(); });
}

QRect Form2::plotRegion() const {
  const int border = kBorderPixels;
  return caption_->geometry().united(plot_->geometry()).adjusted(-border, -border, border, border);
}

void Form2::onPlotMouseMove(std::function<void(float, float)> handler) {
  connect(plot_, &PlotArea::mouseMoved, this,
          [handler = std::move(handler)](float x, float y) { handler(x, y); });
}

}  // namespace classe
