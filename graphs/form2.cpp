#include "graphs/form2.h"

#include <QFrame>
#include <array>

#include "ui/colours.h"
#include "actions/curves.h"
#include "ui/plot_area.h"

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

constexpr ControlSpec Option(std::string_view name, std::string_view text, int top, int width,
                             int height, Rgb colour) {
  return {.name = name,
          .kind = K::Option,
          .text = text,
          .left = 15015,
          .top = top,
          .width = width,
          .height = height,
          .foreground = colour};
}

constexpr ControlSpec RowCaption(std::string_view name, std::string_view text, int left, int top) {
  return {.name = name,
          .text = text,
          .left = left,
          .top = top,
          .width = kValueLeft - kCaptionGap - left,
          .height = kTextHeight};
}

constexpr ControlSpec Value(std::string_view name, int top) {
  return {.name = name,
          .kind = K::ValueBox,
          .left = kValueLeft,
          .top = top,
          .width = kValueWidth,
          .height = kValueHeight,
          .background = kLightYellow};
}

constexpr ControlSpec Unit(std::string_view name, std::string_view text, int top) {
  return {.name = name,
          .text = text,
          .left = kUnitLeft,
          .top = top,
          .width = kUnitWidth,
          .height = kTextHeight};
}

// An axis caption inside a picture box, regular weight. It stays empty until
// the graph action first places it (a window whose action stopped early shows
// the bare grid); it is designed where the action puts it, so that it covers
// the same part of the plot before and after.
constexpr ControlSpec AxisCaption(std::string_view name, std::string_view holder, int left, int top,
                                  int width, int height) {
  return {.name = name,
          .left = left,
          .top = top,
          .width = width,
          .height = height,
          .background = holder == "Picture1" ? std::optional<Rgb>(kLightYellow) : std::nullopt,
          .bold = false,
          .holder = holder};
}

// The window's design, in twips. Positions inside a picture box are relative
// to its inner area. The option buttons and "Esci" are the Tab key's stops.
constexpr auto kLayout = std::to_array<ControlSpec>({
    {.name = "Picture3",
     .kind = K::Picture,
     .left = 105,
     .top = 210,
     .width = 1065,
     .height = 8940},
    AxisCaption("Label1", "Picture3", 150, 135, 1065, 225),
    AxisCaption("Label2", "Picture3", 510, 1650, 750, 225),
    AxisCaption("Label4", "Picture3", 150, 1905, 960, 330),
    AxisCaption("Label6", "Picture3", 510, 3420, 960, 330),
    AxisCaption("Label11", "Picture3", 150, 3690, 855, 225),
    AxisCaption("Label12", "Picture3", 510, 5190, 855, 330),
    AxisCaption("Label13", "Picture3", 150, 5460, 855, 225),
    AxisCaption("Label14", "Picture3", 510, 6975, 960, 225),

    {.name = "Picture1",
     .kind = K::Picture,
     .left = 1155,
     .top = 210,
     .width = 13665,
     .height = 8940,
     .background = kLightYellow},
    AxisCaption("Label3", "Picture1", 12315, 1470, 855, 225),
    AxisCaption("Label5", "Picture1", 12315, 3240, 960, 225),
    AxisCaption("Label7", "Picture1", 3105, 4980, 750, 225),
    AxisCaption("Label18", "Picture1", 6345, 5505, 1065, 330),
    AxisCaption("Label9", "Picture1", 9585, 4980, 750, 330),
    AxisCaption("Label8", "Picture1", 12705, 5505, 1170, 330),
    AxisCaption("Label10", "Picture1", 12315, 4980, 855, 225),
    AxisCaption("Label15", "Picture1", 12315, 6750, 960, 225),

    {.name = "Picture2",
     .kind = K::Picture,
     .left = 15435,
     .top = 8820,
     .width = 225,
     .height = 225,
     .hidden = true},

    // The read-out, one block a curve: option button, angle row, value row.
    Option("Option1", "Vc1(teta)", 420, 1170, 330, kVc1Colour),
    RowCaption("Label19", "teta", 14910, 840),
    Value("Label16", 840),
    Unit("Label20", "[rad]", 840),
    RowCaption("Label21", "Vc1", 14910, 1260),
    Value("Label17", 1260),
    Unit("Label22", "[V]", 1260),

    Option("Option2", "Isw(teta)", 2100, 1170, 330, kIswColour),
    RowCaption("Label25", "teta", 15015, 2520),
    Value("Label23", 2520),
    Unit("Label26", "[rad]", 2520),
    RowCaption("Label27", "Isw", 15015, 2940),
    Value("Label24", 2940),
    Unit("Label28", "[A]", 2940),

    Option("Option3", "Ic1(teta)", 3780, 1275, 330, kIc1Colour),
    RowCaption("Label30", "teta", 15015, 4305),
    Value("Label29", 4200),
    Unit("Label31", "[rad]", 4200),
    RowCaption("Label33", "Ic1", 15015, 4725),
    Value("Label32", 4620),
    Unit("Label34", "[A]", 4620),

    Option("Option4", "Ir(teta)", 5565, 1590, 225, kIrColour),
    RowCaption("Label37", "teta", 15015, 5985),
    Value("Label35", 5880),
    Unit("Label38", "[rad]", 5880),
    RowCaption("Label39", "Ir", 15120, 6405),
    Value("Label36", 6300),
    Unit("Label40", "[A]", 6300),

    {.name = "Command1",
     .kind = K::Button,
     .text = "Esci",
     .left = 15645,
     .top = 8190,
     .width = 1275,
     .height = 435},
    {.name = "Label41",
     .text = "Classe E · versione 1.0",
     .left = 15330,
     .top = 9450,
     .width = 1815,
     .height = 285,
     .background = kLightOrange},
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
  build(kLayout, kWindowGrey, 17955, 9900);
  FramePicture(caption_);
  FramePicture(plot_);
  // Moves over a caption on the plot belong to the caption and the read-out
  // stays as it was. Qt already keeps button-less moves from reaching the
  // plot; this keeps the ones with a button held (a drag) away too.
  for (QWidget* child : plot_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    child->setAttribute(Qt::WA_NoMousePropagation);
}

QWidget* Form2::createPicture(const ControlSpec& item, QWidget* parent) {
  if (item.name == "Picture1") return plot_ = new PlotArea(item.background, parent);
  if (item.name == "Picture3") return caption_ = new PlotArea(item.background, parent);
  return FormWindow::createPicture(item, parent);
}

PlotSurface* Form2::surface(std::string_view picture) {
  if (picture == "Picture1") return plot_;
  if (picture == "Picture3") return caption_;
  return nullptr;
}

void Form2::onPlotMouseMove(std::function<void(float, float)> handler) {
  connect(plot_, &PlotArea::mouseMoved, this,
          [handler = std::move(handler)](float x, float y) { handler(x, y); });
}

}  // namespace classe
