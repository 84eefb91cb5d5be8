#include "matching/form3.h"

#include <QEvent>
#include <QLabel>
#include <array>

#include "ui/colours.h"
#include "actions/value_boxes.h"

namespace classe {
namespace {

using K = ControlKind;

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

constexpr ControlSpec RowText(std::string_view name, std::string_view text, int left, int width,
                              int top, int valueTop, bool hidden = false) {
  return {.name = name,
          .text = text,
          .left = left,
          .top = top,
          .width = width,
          .height = top == valueTop ? kValueHeight : kTextHeight,
          .hidden = hidden};
}

constexpr bool CentredOnValue(const ControlSpec& item) {
  return item.kind == K::Caption && item.height == kValueHeight;
}

constexpr ControlSpec Value(std::string_view name, int left, int top, int width) {
  return {.name = name,
          .kind = K::ValueBox,
          .left = left,
          .top = top,
          .width = width,
          .height = kValueHeight,
          .background = kWhite};
}

constexpr ControlSpec Caption(std::string_view name, std::string_view text, int top, int valueTop,
                              bool hidden = false) {
  return RowText(name, text, kCaptionLeft, kCaptionWidth, top, valueTop, hidden);
}

constexpr ControlSpec Unit(std::string_view name, std::string_view text, int top, int valueTop) {
  return RowText(name, text, kUnitLeft, kUnitWidth, top, valueTop);
}

constexpr ControlSpec Schematic(std::string_view name, std::string_view resource, int left,
                                int width, int height) {
  return {.name = name,
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
    Schematic("Picture3", ":/final/picture3.svg", 315, 11355, 5580),
    Schematic("Picture2", ":/final/picture2.svg", 420, 11355, 5685),
    Schematic("Picture1", ":/final/picture1.svg", 315, 10725, 5580),

    Caption("Label8", "L1", 315, 210),
    Value("Label1", kValueLeft, 210, kValueWidth),
    Unit("Label9", "[µH]", 315, 210),
    Caption("Label10", "C1", 630, 630),
    Value("Label2", kValueLeft, 630, kValueWidth),
    Unit("Label25", "[pF]", 630, 630),
    Caption("Label11", "C2", 1155, 1050),
    Value("Label3", kValueLeft, 1050, kValueWidth),
    Unit("Label12", "[pF]", 1050, 1050),
    Caption("Label13", "L2", 1575, 1470),
    Value("Label4", kValueLeft, 1470, kValueWidth),
    Unit("Label14", "[µH]", 1470, 1470),
    Caption("Label18", "C", 1995, 1890),
    Value("Label5", kValueLeft, 1890, kValueWidth),
    Unit("Label19", "[pF]", 1890, 1890),
    // One place, two captions: the matching inductor L, or LF = L2 + L.
    Caption("Label17", "L", 2415, 2310, true),
    Caption("Label15", "LF", 2415, 2310, true),
    Value("Label6", kValueLeft, 2310, kValueWidth),
    Unit("Label16", "[µH]", 2310, 2310),
    RowText("Label20", "RL", 12180, 420, 2835, 2730),
    Value("Label7", kValueLeft, 2730, kValueWidth),
    Unit("Label21", "[Ω]", 2730, 2730),

    {.name = "Command1",
     .kind = K::Button,
     .text = "\" Verifica \"",
     .left = 12915,
     .top = 3255,
     .width = 1275,
     .height = 435},
    // The verification fields end where the component values' units begin,
    // so "[W]" stands in the unit column.
    RowText("Label24", "tg(psi) ver.", 11865, 1020, 3990, 3885),
    Value("Label22", 12915, 3885, 1695),
    RowText("Label26", "Po ver.", 12285, 600, 4410, 4305),
    Value("Label23", 12915, 4305, 1695),
    Unit("Label27", "[W]", 4410, 4305),
    {.name = "Command2",
     .kind = K::Button,
     .text = "Esci",
     .left = 13125,
     .top = 5250,
     .width = 1275,
     .height = 540},

    {.name = "Label28",
     .text = "tg(psi) ver. = tangente dell'angolo tra la fondamentale di Vc1 ( prima armonica ) e "
             "la corrente Ir.     [ tg(psi) è costante e  circa uguale a 1,152 ]",
     .left = 315,
     .top = 6090,
     .width = 12195,
     .height = 225},
    {.name = "Label29",
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
  build(kLayout, kLightOrange, 15360, 6825);
  for (const ControlSpec& item : kLayout) {
    if (CentredOnValue(item))
      qobject_cast<QLabel*>(control(item.name))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  for (const char* caption : {"Label15", "Label17"})
    control(caption)->installEventFilter(this);
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
  auto* lf = qobject_cast<QLabel*>(control("Label15"));
  auto* l = qobject_cast<QLabel*>(control("Label17"));
  QWidget* value = control("Label6");
  const ValueBox* box = FindValueBox(Window::Form3, "Label6");
  if (!lf || !l || !value || !box) return;
  const QString symbol = lf->isHidden() ? l->text() : lf->text();
  value->setAccessibleDescription(
      symbol + ' ' + QString::fromUtf8(box->unit.data(), static_cast<qsizetype>(box->unit.size())));
}

}  // namespace classe
