// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/analysis/form6.h"

#include <QLabel>
#include <vector>

#include "actions/analysis_fields.h"
#include "actions/form6_controls.h"
#include "ui/colours.h"
#include "ui/table_layout.h"

namespace classe {
namespace {

using K = ControlKind;

constexpr ClientSize kClientSize{16500, 9700};
constexpr RowLayout kRows{.captionDrop = 30, .textHeight = 285, .valueHeight = 300};
constexpr int kRowStep = 360;
constexpr Column kCaption{105, 2650};
constexpr Column kField{2800, 900};

// The summary table's columns, then the yields' beside it.
constexpr int kTableLeft = 3950, kTableTop = 105, kCellStep = 330;
constexpr int kQuantityWidth = 2400, kValueWidth = 1130;
constexpr Column kYieldCaption{12250, 3050};
constexpr Column kYieldValue{15350, 1000};

// The three histograms side by side under the table.
constexpr int kPlotTop = 3050, kPlotWidth = 4050, kPlotHeight = 4900, kPlotStep = 4200;

constexpr std::string_view kFieldCaptions[] = {
    "Tolleranza dei condensatori ± [%]", "Tolleranza delle induttanze ± [%]",
    "Tolleranza del carico ± [%]",       "Tolleranza di Coss ± [%]",
    "Tolleranza di Ron ± [%]",           "Esemplari da simulare",
    "Seme dei numeri casuali",           "Banda di Po ± [%]",
    "Banda di Von [% del picco]",
};
static_assert(std::size(kFieldCaptions) == kToleranceFields.size());

constexpr Control kWaiting[] = {form6::Command1, form6::Command3};

std::vector<ControlSpec> Layout() {
  std::vector<ControlSpec> layout;
  int top = 105;
  for (std::size_t k = 0; k < kToleranceFields.size(); ++k) {
    // The distribution's options sit after the five tolerances.
    if (k == 5) {
      layout.push_back(kRows.caption(form6::Cell(form6::kFieldCaptionFirst, 0, 9),
                                     "Distribuzione:", {105, 1300}, top));
      layout.push_back({.name = form6::Option1.name,
                        .kind = K::Option,
                        .text = "uniforme",
                        .left = 1450,
                        .top = top,
                        .width = 1150,
                        .height = 300});
      layout.push_back({.name = form6::Option2.name,
                        .kind = K::Option,
                        .text = "normale",
                        .left = 2650,
                        .top = top,
                        .width = 1150,
                        .height = 300});
      top += kRowStep;
    }
    layout.push_back(kRows.caption(form6::Cell(form6::kFieldCaptionFirst, 0, static_cast<int>(k)),
                                   kFieldCaptions[k], kCaption, top));
    layout.push_back(kRows.field(kToleranceFields[k], kField, top));
    top += kRowStep;
  }
  layout.push_back({.name = form6::Check1.name,
                    .kind = K::CheckBox,
                    .text = "dopo la ritaratura di L2 e del carico",
                    .left = 105,
                    .top = top,
                    .width = 3600,
                    .height = 300});
  top += kRowStep + 60;
  layout.push_back(ButtonSpec(form6::Command1, "Calcola", 105, top, 1150, 400));
  layout.push_back(ButtonSpec(form6::Command2, "Interrompi", 1300, top, 1200, 400));
  layout.push_back(ButtonSpec(form6::Command4, "Esci", 2550, top, 1150, 400));
  top += 460;
  layout.push_back(ButtonSpec(form6::Command3, "Esporta CSV…", 105, top, 3595, 400));
  top += 500;
  layout.push_back({.name = form6::Progress1.name,
                    .kind = K::Progress,
                    .text = "esemplari simulati",
                    .left = 105,
                    .top = top,
                    .width = 3595,
                    .height = 240,
                    .hidden = true});
  top += 330;
  layout.push_back({.name = form6::Label1.name,
                    .left = 105,
                    .top = top,
                    .width = 3595,
                    .height = kClientSize.height - top - 500,
                    .bold = false});

  for (int row = 0; row <= form6::kSummaryRows; ++row) {
    int x = kTableLeft;
    for (int c = 0; c < form6::kSummaryColumns; ++c) {
      const int width = c == 0 ? kQuantityWidth : kValueWidth;
      const bool boxed = row > 0 && c > 0;
      layout.push_back({.name = form6::Cell(form6::kSummaryFirst, row, c).name,
                        .kind = boxed ? K::ValueBox : K::Caption,
                        .left = x,
                        .top = kTableTop + row * kCellStep,
                        .width = width - 45,
                        .height = boxed ? kRows.valueHeight : kRows.textHeight,
                        .background = boxed ? std::optional(kWhite) : std::nullopt,
                        .middle = !boxed});
      x += width;
    }
  }
  for (int row = 0; row < form6::kYieldRows; ++row) {
    const int rowTop = kTableTop + (row + 1) * kCellStep;
    layout.push_back({.name = form6::Cell(form6::kYieldFirst, row, 0).name,
                      .left = kYieldCaption.left,
                      .top = rowTop,
                      .width = kYieldCaption.width,
                      .height = kRows.textHeight,
                      .bold = row == form6::kYieldRows - 1,
                      .middle = true});
    layout.push_back({.name = form6::Cell(form6::kYieldFirst, row, 1).name,
                      .kind = K::ValueBox,
                      .left = kYieldValue.left,
                      .top = rowTop,
                      .width = kYieldValue.width,
                      .height = kRows.valueHeight,
                      .background = kWhite});
  }
  layout.push_back({.name = form6::Label13.name,
                    .text = "Esemplari nella banda",
                    .left = kYieldCaption.left,
                    .top = kTableTop,
                    .width = kYieldCaption.width,
                    .height = kRows.textHeight,
                    .middle = true});

  const Control pictures[] = {form6::Picture1, form6::Picture2, form6::Picture3};
  const Control titles[][3] = {{form6::Label3, form6::Label4, form6::Label5},
                               {form6::Label6, form6::Label7, form6::Label8},
                               {form6::Label9, form6::Label10, form6::Label11}};
  for (int k = 0; k < 3; ++k) {
    const int left = kTableLeft + k * kPlotStep;
    layout.push_back({.name = titles[k][0].name,
                      .left = left,
                      .top = kPlotTop - 480,
                      .width = kPlotWidth,
                      .height = 450,
                      .bold = false});
    layout.push_back({.name = pictures[k].name,
                      .kind = K::Picture,
                      .left = left,
                      .top = kPlotTop,
                      .width = kPlotWidth,
                      .height = kPlotHeight,
                      .background = kWhite});
    for (int end = 0; end < 2; ++end)
      layout.push_back({.name = titles[k][1 + end].name,
                        .left = end == 0 ? left : left + kPlotWidth - 1400,
                        .top = kPlotTop + kPlotHeight + 15,
                        .width = 1400,
                        .height = kRows.textHeight,
                        .bold = false});
  }
  layout.push_back({.name = form6::Label2.name,
                    .kind = K::ValueBox,
                    .left = kTableLeft,
                    .top = kPlotTop + kPlotHeight + 360,
                    .width = 2 * kPlotStep + kPlotWidth,
                    .height = kRows.valueHeight,
                    .background = kLightYellow});
  layout.push_back(VersionCaption(form6::Label12, 105, kClientSize.height - 400));
  return layout;
}

}  // namespace

Form6::Form6(QWidget* parent)
    : AnalysisWindow(Window::Form6, {kWaiting, form6::Command2, form6::Progress1}, parent) {
  setWindowTitle(QStringLiteral("Analisi delle tolleranze"));
  static const std::vector<ControlSpec> layout = Layout();
  build(layout, kLightBlue, kClientSize);
  for (const AnalysisField& field : kToleranceFields)
    control(field.control.name)->setAccessibleName(QString::fromUtf8(field.what));
  // The high end of each histogram's range reads against its right edge.
  for (Control high : {form6::Label5, form6::Label8, form6::Label11})
    if (auto* label = qobject_cast<QLabel*>(control(high.name)))
      label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  const std::pair<Control, const char*> plots[] = {
      {form6::Picture1, "Istogramma di Po"},
      {form6::Picture2, "Istogramma del rendimento"},
      {form6::Picture3, "Istogramma del picco sul drain"}};
  framePlots(plots);
}

}  // namespace classe
