// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/analysis/form7.h"

#include <QLabel>
#include <array>

#include "actions/analysis_fields.h"
#include "actions/form7_controls.h"
#include "ui/colours.h"
#include "ui/table_layout.h"

namespace classe {
namespace {

using K = ControlKind;

constexpr ClientSize kClientSize{16500, 10300};
constexpr RowLayout kRows{.captionDrop = 30, .textHeight = 285, .valueHeight = 300};
constexpr int kPlotTop = 1150, kPlotHeight = 7900, kPlotWidth = 16290;

constexpr Control kWaiting[] = {form7::Command1, form7::Command3, form7::Command4};

constexpr ControlSpec Option(Control option, std::string_view text, int left, int width) {
  return {.name = option.name,
          .kind = K::Option,
          .text = text,
          .left = left,
          .top = 105,
          .width = width,
          .height = 300};
}

constexpr ControlSpec Field(const AnalysisField& field, int left) {
  return kRows.field(field, {left, 900}, 105);
}

// A strip's caption inside the plot, placed by the action.
constexpr ControlSpec StripCaption(Control control) {
  return CaptionInPicture(control, form7::Picture1, 6000);
}

// clang-format off
constexpr auto kLayout = std::to_array<ControlSpec>({
    kRows.caption(form7::Label23, "Variabile:", {105, 1000}, 105),
    Option(form7::Option1, "carico", 1150, 1100),
    Option(form7::Option2, "reattanza del carico", 2300, 2300),
    Option(form7::Option3, "Vcc", 4650, 800),
    Option(form7::Option4, "frequenza", 5500, 1300),
    kRows.caption(form7::Label20, "Da:", {7000, 450}, 105),
    Field(analysis::da, 7450),
    kRows.caption(form7::Label21, "a:", {8500, 300}, 105),
    Field(analysis::a, 8800),
    kRows.caption(form7::Label22, "Punti:", {9850, 650}, 105),
    Field(analysis::punti, 10550),
    ButtonSpec(form7::Command1, "Calcola", 105, 560, 1150, 400),
    ButtonSpec(form7::Command2, "Interrompi", 1300, 560, 1200, 400),
    ButtonSpec(form7::Command3, "Salva immagine…", 2550, 560, 1800, 400),
    ButtonSpec(form7::Command4, "Esporta CSV…", 4400, 560, 1600, 400),
    ButtonSpec(form7::Command5, "Esci", 6050, 560, 900, 400),
    {.name = form7::Progress1.name, .kind = K::Progress, .text = "punti calcolati", .left = 7100, .top = 640, .width = 2600, .height = 240, .hidden = true},
    {.name = form7::Label1.name, .left = 9850, .top = 560, .width = 6545, .height = 450, .bold = false},
    {.name = form7::Picture1.name, .kind = K::Picture, .left = 105, .top = kPlotTop, .width = kPlotWidth, .height = kPlotHeight, .background = kWhite},
    StripCaption(form7::Label10),
    StripCaption(form7::Label11),
    StripCaption(form7::Label12),
    StripCaption(form7::Label13),
    StripCaption(form7::Label14),
    {.name = form7::Label4.name, .left = 105, .top = kPlotTop + kPlotHeight + 15, .width = 1500, .height = 285, .bold = false},
    {.name = form7::Label3.name, .left = 4000, .top = kPlotTop + kPlotHeight + 15, .width = 8500, .height = 285, .bold = false},
    {.name = form7::Label5.name, .left = kPlotWidth + 105 - 1500, .top = kPlotTop + kPlotHeight + 15, .width = 1500, .height = 285, .bold = false},
    {.name = form7::Label2.name, .kind = K::ValueBox, .left = 105, .top = kPlotTop + kPlotHeight + 400, .width = 14200, .height = 300, .background = kLightYellow},
    VersionCaption(form7::Label6, 14580, kPlotTop + kPlotHeight + 400),
});
// clang-format on

}  // namespace

Form7::Form7(QWidget* parent)
    : AnalysisWindow(Window::Form7, {kWaiting, form7::Command2, form7::Progress1}, parent) {
  setWindowTitle(QStringLiteral("Analisi parametrica"));
  build(kLayout, kLightBlue, kClientSize);
  for (const AnalysisField& field : kSweepFields)
    control(field.control.name)->setAccessibleName(QString::fromUtf8(field.what));
  if (auto* label = qobject_cast<QLabel*>(control(form7::Label3.name)))
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  if (auto* label = qobject_cast<QLabel*>(control(form7::Label5.name)))
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  const std::pair<Control, const char*> plots[] = {
      {form7::Picture1, "Grandezze dello stadio al variare dell'ingresso"}};
  framePlots(plots);
}

}  // namespace classe
