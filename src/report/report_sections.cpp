// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "report/report_sections.h"

#include <QPainterPath>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "actions/analysis_action.h"
#include "actions/parts_tables.h"
#include "actions/recording_controls.h"
#include "engine/design/display_format.h"
#include "engine/parts/bill_of_materials.h"

namespace classe::report {
namespace {

QString Text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Four significant digits with the point, whatever the locale; a dash for
// a value that is not finite.
QString Number(double x) {
  if (!std::isfinite(x)) return QStringLiteral("—");
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, x, std::chars_format::general, 4).ptr;
  return QString::fromLatin1(text, end - text);
}

QString Scientific(double x) {
  const std::string text = Format(x, kScientific3);
  return text.empty() ? QStringLiteral("—") : Text(text);
}

// Where a failure stands in place of its section.
double DrawFault(Page& page, const std::string& fault, double y) {
  return y + page.paragraph(12, y, 186, Text(fault), 8) + 2;
}

// The bill of materials' columns: x in mm and heading.
struct Column {
  double x;
  const char* heading;
};
constexpr Column kPartColumns[] = {{12, "Parte"},
                                   {26, "Acquisto"},
                                   {44, "Serie"},
                                   {60, "Toll. [%]"},
                                   {75, "Coppia in parallelo"},
                                   {107, "V nominale [V]"},
                                   {131, "Vpicco [V]"},
                                   {150, "Irms [A]"},
                                   {168, "Ipicco [A]"},
                                   {186, "Perdita [W]"}};

double DrawBoughtParts(Page& page, const PartsRun& run, double y) {
  for (const Column& c : kPartColumns)
    page.text(c.x, y, QString::fromUtf8(c.heading), 7, true);
  for (const parts::BoughtPart& part : run.purchase.parts) {
    y += 3.6;
    const std::string_view unit = part.capacitor ? "F" : "H";
    const QString cells[] = {
        Text(part.ref),
        Text(parts::ValueWithUnit(part.standard, unit)),
        part.adjustable ? QStringLiteral("regolabile") : Text(parts::SeriesName(part.series)),
        part.tolerance > 0 ? Number(100 * part.tolerance) : QStringLiteral("—"),
        part.pair ? Text(parts::PairText(*part.pair, unit)) : QString(),
        part.ratingV ? Number(*part.ratingV) : QStringLiteral("oltre 2000"),
        Scientific(part.rating.voltage),
        Scientific(part.rating.rmsCurrent),
        Scientific(part.rating.current),
        part.dissipation ? Scientific(*part.dissipation) : QStringLiteral("—")};
    for (std::size_t c = 0; c < std::size(kPartColumns); ++c)
      page.text(kPartColumns[c].x, y, cells[c], 7);
  }
  return y + 5;
}

// The retune table and the note on its knobs, in the parts window's words.
double DrawRetune(Page& page, const PartsRun& run, double y) {
  using namespace parts_tables;
  RecordingControls shown;
  ShowPartsRun(run, shown);
  page.text(10, y, QStringLiteral("Ritaratura al banco"), 9, true);
  y += 4.5;
  constexpr double kColumns[] = {12, 70, 100};
  for (std::size_t c = 0; c < std::size(kRetuneHeadings); ++c)
    page.text(kColumns[c], y, Text(kRetuneHeadings[c]), 7, true);
  for (int row = 1; row <= kRetuneRows; ++row) {
    const std::string caption = shown.caption(RetuneCell(row, 0)).value_or("");
    if (caption.empty()) continue;
    y += 3.4;
    for (int c = 0; c < 3; ++c)
      page.text(kColumns[c], y, Text(shown.caption(RetuneCell(row, c)).value_or("")), 7);
  }
  y += 2;
  return y + page.paragraph(12, y, 186, Text(shown.caption(form5::Label8).value_or("")), 7) + 2;
}

QString Percent(double fraction) {
  return Number(100 * fraction) + QStringLiteral(" %");
}

QString SettingsLine(const statistics::ToleranceSettings& settings) {
  const statistics::Tolerances& t = settings.tolerances;
  return QStringLiteral("Tolleranze: C ±") + Percent(t.C) + QStringLiteral(", L ±") + Percent(t.L) +
         QStringLiteral(", carico ±") + Percent(t.R) + QStringLiteral(", Coss ±") +
         Percent(t.Coss) + QStringLiteral(", Ron ±") + Percent(t.Ron) +
         QStringLiteral("; distribuzione ") +
         (settings.distribution == statistics::Distribution::Normal ? QStringLiteral("normale")
                                                                    : QStringLiteral("uniforme")) +
         QStringLiteral("; seme ") + QString::number(settings.seed) +
         (settings.retune
              ? QStringLiteral("; ritaratura di L2 e del carico visto su ogni esemplare")
              : QStringLiteral("; senza ritaratura"));
}

// The window's summary, a line a row and its tabs as columns.
double DrawSummary(Page& page, const std::string& summary, double y) {
  const QStringList lines = Text(summary).split('\n', Qt::SkipEmptyParts);
  bool heading = true;
  for (const QString& line : lines) {
    const QStringList cells = line.split('\t');
    if (cells.size() > 2) {
      constexpr double kColumns[] = {12, 86, 106, 126, 146, 166};
      for (qsizetype c = 0; c < cells.size() && c < qsizetype(std::size(kColumns)); ++c)
        page.text(kColumns[c], y, cells[c], 7, heading);
      heading = false;
    } else {
      page.text(12, y, cells[0], 7);
      if (cells.size() == 2) page.text(106, y, cells[1], 7, true);
    }
    y += 3.4;
  }
  return y + 2;
}

void DrawHistogram(Page& page, const statistics::MonteCarloResult& result,
                   const statistics::ToleranceSettings& settings, double top) {
  QPainter& p = page.painter();
  const Histogram h = PoHistogram(result, settings.poBand, 40);
  const long long most = *std::max_element(h.counts.begin(), h.counts.end());
  page.text(10, top, QStringLiteral("Distribuzione di Po sugli esemplari"), 9, true);
  const double left = 28, width = 165, height = 55, y0 = top + 4, bottom = y0 + height;
  const double span = h.hi - h.lo;
  const auto X = [&](double po) { return left + width * (po - h.lo) / span; };

  // The band first, so that the bars stand on it.
  const double nominal = result.nominal.Po;
  const double bandLo = X(nominal * (1 - settings.poBand)),
               bandHi = X(nominal * (1 + settings.poBand));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(214, 238, 214));
  QPainterPath band;
  band.addRect(QRectF(page.at(bandLo, y0), page.at(bandHi, bottom)));
  p.drawPath(band);

  QPainterPath bars;
  const double binWidth = width / static_cast<double>(h.counts.size());
  for (std::size_t i = 0; i < h.counts.size(); ++i) {
    if (h.counts[i] == 0) continue;
    const double barHeight =
        height * static_cast<double>(h.counts[i]) / static_cast<double>(std::max(most, 1LL));
    bars.addRect(QRectF(page.at(left + binWidth * static_cast<double>(i), bottom - barHeight),
                        page.at(left + binWidth * static_cast<double>(i + 1), bottom)));
  }
  p.setBrush(QColor(110, 130, 180));
  p.setPen(QPen(Qt::white, page.x(0.1)));
  p.drawPath(bars);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 120, 0), page.x(0.35), Qt::DashLine));
  page.line(bandLo, y0, bandLo, bottom);
  page.line(bandHi, y0, bandHi, bottom);
  p.setPen(QPen(Qt::black, page.x(0.3), Qt::DotLine));
  page.line(X(nominal), y0, X(nominal), bottom);

  QPainterPath axes;
  axes.moveTo(page.at(left, y0));
  axes.lineTo(page.at(left, bottom));
  axes.lineTo(page.at(left + width, bottom));
  constexpr int kTicks = 5;
  for (int t = 0; t <= kTicks; ++t) {
    const double x = left + width * t / kTicks;
    axes.moveTo(page.at(x, bottom));
    axes.lineTo(page.at(x, bottom + 1.2));
  }
  p.setPen(QPen(Qt::black, page.x(0.25)));
  p.drawPath(axes);
  for (int t = 0; t <= kTicks; ++t)
    page.text(left + width * t / kTicks - 4, bottom + 4, Number(h.lo + span * t / kTicks), 6);
  page.text(left + width - 8, bottom + 8, QStringLiteral("Po [W]"), 7, true);
  page.text(left - 16, y0 + 3, QString::number(most), 6);
  page.text(left - 5, bottom, QStringLiteral("0"), 6);
  page.text(left - 18, y0 + 7, QStringLiteral("esemplari"), 6);
  page.text(left, bottom + 12,
            QStringLiteral("In verde la banda accettata, Po nominale ±") +
                Number(100 * settings.poBand) + QStringLiteral(" % (") +
                Number(nominal * (1 - settings.poBand)) + QStringLiteral(" … ") +
                Number(nominal * (1 + settings.poBand)) +
                QStringLiteral(" W); punteggiata la Po nominale, ") + Number(nominal) +
                QStringLiteral(" W."),
            7);
}

}  // namespace

Histogram PoHistogram(const statistics::MonteCarloResult& result, double poBand, int bins) {
  std::vector<double> po;
  for (const statistics::BuildRow& row : result.rows)
    if (row.done && row.figures && std::isfinite(row.figures->Po)) po.push_back(row.figures->Po);
  const double nominal = result.nominal.Po;
  Histogram h;
  h.lo = nominal * (1 - poBand);
  h.hi = nominal * (1 + poBand);
  for (double x : po) {
    h.lo = std::min(h.lo, x);
    h.hi = std::max(h.hi, x);
  }
  // With no spread and no band the bins still need a width.
  if (!(h.hi > h.lo)) {
    const double half = std::max(std::abs(nominal) * 0.01, 1e-12);
    h.lo -= half;
    h.hi += half;
  }
  h.counts.assign(static_cast<std::size_t>(std::max(bins, 1)), 0);
  const double width = (h.hi - h.lo) / static_cast<double>(h.counts.size());
  for (double x : po) {
    // The largest value belongs to the last bin, not past it.
    const auto bin = std::min(static_cast<std::size_t>((x - h.lo) / width), h.counts.size() - 1);
    ++h.counts[bin];
  }
  return h;
}

double DrawPartsSection(Page& page, const std::optional<PartsRun>& run,
                        const std::optional<std::string>& fault, double top) {
  page.text(10, top, QStringLiteral("Parti come acquistate"), 11, true);
  double y = top + 5;
  if (!run) return DrawFault(page, fault.value_or(""), y);
  y = DrawBoughtParts(page, *run, y);
  return DrawRetune(page, *run, y);
}

double DrawToleranceSection(Page& page, const std::optional<statistics::MonteCarloResult>& result,
                            const std::optional<statistics::ToleranceSettings>& settings,
                            const std::optional<std::string>& fault, double top) {
  page.text(10, top, QStringLiteral("Analisi delle tolleranze (Monte Carlo)"), 11, true);
  double y = top + 5;
  if (!result || !settings) return DrawFault(page, fault.value_or(""), y);
  y += page.paragraph(12, y - 3, 186, SettingsLine(*settings), 7) + 1;
  y = DrawSummary(page, ToleranceSummaryText(*result, *settings), y);
  if (result->summary.builds > result->summary.failed) {
    DrawHistogram(page, *result, *settings, y + 2);
    y += 78;
  }
  return y;
}

}  // namespace classe::report
