// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/parts/form5.h"

#include <iterator>
#include <vector>

#include "actions/form5_controls.h"
#include "actions/input_fields.h"
#include "actions/parts_tables.h"
#include "ui/colours.h"
#include "ui/qt_conversions.h"
#include "ui/table_layout.h"

namespace classe {
namespace {

using K = ControlKind;
using namespace parts_tables;

constexpr ClientSize kClientSize{16200, 11700};
constexpr RowLayout kRows{.captionDrop = 30, .textHeight = 285, .valueHeight = 300};
constexpr int kRowStep = 330;

// The series a part may be bought in, as the lists offer them.
constexpr std::string_view kSeriesEntries = "continua|E6|E12|E24|E48|E96";

// Column widths, twips, left to right.
constexpr int kPartsWidths[] = {1500, 1150, 1150, 2300, 1000, 1100, 1100, 1100, 1100, 1700, 1100};
constexpr int kRetuneWidths[] = {2900, 1400, 1300};
constexpr int kSensitivityWidths[] = {700, 1300, 1850, 1150, 1150, 1950, 1950};

constexpr int kTableTop = 1500;
constexpr int kLowerTop = kTableTop + (kPartsRows + 1) * kRowStep + 300;
constexpr int kRetuneLeft = 105;
constexpr int kSensitivityLeft = 5900;

// One table: its headings in row 0, an empty box for every value below.
template <std::size_t columns>
void AddTable(std::vector<ControlSpec>& layout, int first, int rows, int left, int top,
              const int (&widths)[columns], const std::string_view (&headings)[columns]) {
  for (int row = 0; row <= rows; ++row) {
    int x = left;
    for (std::size_t c = 0; c < columns; ++c) {
      const Control cell = form5::Cell(first, row, static_cast<int>(c));
      ControlSpec item{.name = cell.name,
                       .kind = row == 0 ? K::Caption : K::ValueBox,
                       .text = row == 0 ? headings[c] : std::string_view(),
                       .left = x,
                       .top = top + row * kRowStep,
                       .width = widths[c] - 45,
                       .height = row == 0 ? kRows.textHeight : kRows.valueHeight,
                       .middle = row == 0};
      layout.push_back(item);
      x += widths[c];
    }
  }
}

std::vector<ControlSpec> Layout() {
  std::vector<ControlSpec> layout{
      {.name = form5::Label1.name,
       .text = "Componenti commerciali: valori di serie, ritaratura e distinta base",
       .left = 105,
       .top = 105,
       .width = 9000,
       .height = 330},
      kRows.caption(form5::Label2, "Condensatori:", {105, 1200}, 600),
      {.name = form5::Combo1.name,
       .kind = K::Choice,
       .text = kSeriesEntries,
       .left = 1350,
       .top = 570,
       .width = 1200,
       .height = 330,
       .current = kCapacitorSeries.defaultText},
      kRows.caption(form5::Label3, "Induttanze:", {2700, 1100}, 600),
      {.name = form5::Combo2.name,
       .kind = K::Choice,
       .text = kSeriesEntries,
       .left = 3850,
       .top = 570,
       .width = 1200,
       .height = 330,
       .current = kInductorSeries.defaultText},
      {.name = form5::Check1.name,
       .kind = K::CheckBox,
       .text = "coppie in parallelo",
       .left = 5250,
       .top = 585,
       .width = 2100,
       .height = 300},
      kRows.caption(form5::Label4, "Margine di tensione:", {7450, 1700}, 600),
      kRows.field(fields::margine, {9200, 700}, 600),
      ButtonSpec(form5::Command1, "Calcola", 10050, 540, 1100, 400),
      ButtonSpec(form5::Command4, "Interrompi", 11200, 540, 1150, 400),
      ButtonSpec(form5::Command2, "Esporta distinta base CSV…", 12400, 540, 2850, 400),
      ButtonSpec(form5::Command3, "Esci", 15300, 540, 800, 400),
      {.name = form5::Progress1.name,
       .kind = K::Busy,
       .text = "calcolo in corso",
       .left = 10100,
       .top = 1020,
       .width = 2500,
       .height = 240,
       .hidden = true},
      {.name = form5::Label8.name,
       .left = 105,
       .top = 1020,
       .width = 9800,
       .height = 420,
       .bold = false},
  };
  AddTable(layout, form5::kPartsFirst, kPartsRows, 105, kTableTop, kPartsWidths, kPartsHeadings);
  AddTable(layout, form5::kRetuneFirst, kRetuneRows, kRetuneLeft, kLowerTop, kRetuneWidths,
           kRetuneHeadings);
  layout.push_back(kRows.caption(form5::Label6, "Sensibilità (sul progetto esatto)",
                                 {kSensitivityLeft, 5000}, kLowerTop - kRowStep));
  AddTable(layout, form5::kSensitivityFirst, kSensitivityRows, kSensitivityLeft, kLowerTop,
           kSensitivityWidths, kSensitivityHeadings);
  const int guideTop = kLowerTop + (kRetuneRows + 1) * kRowStep + 150;
  layout.push_back({.name = form5::Label7.name,
                    .left = 105,
                    .top = guideTop,
                    .width = 15990,
                    .height = kClientSize.height - guideTop - 400,
                    .bold = false});
  layout.push_back(VersionCaption(form5::Label9, 14000, kClientSize.height - 330));
  return layout;
}

}  // namespace

Form5::Form5(QWidget* parent) : FormWindow(Window::Form5, parent) {
  setWindowTitle(QStringLiteral("Componenti commerciali"));
  static const std::vector<ControlSpec> layout = Layout();
  build(layout, kLightBlue, kClientSize);
  closeOnEscape();
  control(form5::Combo1.name)->setAccessibleName(QStringLiteral("Serie dei condensatori"));
  control(form5::Combo2.name)->setAccessibleName(QStringLiteral("Serie delle induttanze"));
  setComputing(false);
}

void Form5::setComputing(bool running) {
  setControlVisible(form5::Progress1.name, running);
  control(form5::Command1.name)->setEnabled(!running);
  control(form5::Command2.name)->setEnabled(!running);
  control(form5::Command4.name)->setEnabled(running);
}

}  // namespace classe
