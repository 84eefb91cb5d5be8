// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "report/design_report.h"

#include <QBuffer>
#include <QDate>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "actions/analysis_action.h"
#include "actions/document_controls.h"
#include "actions/input_fields.h"
#include "cli/design_file.h"
#include "cli/report.h"
#include "engine/document/atomic_write.h"
#include "report/report_page.h"
#include "report/report_sections.h"

namespace classe {
namespace {

// One value as the windows show it: symbol, text, unit.
struct Shown {
  QString symbol, text, unit;
};

// The values of the session as the command line prints them, which are the
// windows' captions.
std::vector<Shown> ShownValues(const cli::Session& session) {
  std::ostringstream out;
  cli::PrintValues(out, {"rapporto", Outcome::Done, session});
  std::vector<Shown> values;
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    const QStringList parts = QString::fromStdString(line).split('\t');
    if (parts.size() >= 2) values.push_back({parts[0], parts[1], parts.value(2)});
  }
  return values;
}

using report::Page;

void DrawTitle(Page& page, const QString& title) {
  page.text(10, 12, title, 15, true);
  page.text(
      10, 18,
      QStringLiteral("Classe E versione " CLASSE_VERSION ", ") +
          QLocale(QLocale::Italian).toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy")));
}

void DrawInputs(Page& page, const document::DesignDocument& doc, double y) {
  page.text(10, y, QStringLiteral("Dati di progetto"), 11, true);
  double row = y + 5;
  for (const InputField& field : kInputFields) {
    page.text(12, row,
              QString::fromUtf8(field.symbol.data(), static_cast<int>(field.symbol.size())) +
                  QStringLiteral(" = ") + QString::fromStdString(DocumentText(doc, field)) + ' ' +
                  QString::fromUtf8(field.unit.data(), static_cast<int>(field.unit.size())));
    row += 4;
  }
  row = y + 5;
  page.text(75, y, QStringLiteral("Circuito reale"), 11, true);
  for (const InputField& field : kRealCircuitFields) {
    const std::string text = DocumentText(doc, field);
    page.text(77, row,
              QString::fromUtf8(field.symbol.data(), static_cast<int>(field.symbol.size())) +
                  QStringLiteral(" = ") +
                  (text.empty() ? QStringLiteral("(vuoto)") : QString::fromStdString(text)) + ' ' +
                  QString::fromUtf8(field.unit.data(), static_cast<int>(field.unit.size())));
    row += 4;
  }
  const auto& real = doc.realCircuit;
  page.text(77, row,
            QStringLiteral("rete di adattamento: ") +
                (real.network ? (*real.network ? QStringLiteral("sì") : QStringLiteral("no"))
                              : QStringLiteral("scelta automatica")));
  page.text(77, row + 4,
            QStringLiteral("progetto scelto: ") +
                (real.exactDesign ? QStringLiteral("esatto") : QStringLiteral("ideale")));
  page.text(
      77, row + 8,
      QStringLiteral("Coss: ") + (real.curveName.empty() ? QStringLiteral("legge di giunzione")
                                                         : QString::fromStdString(real.curveName)));
}

// The real circuit's rows, the ideal design's beside the exact one's.
double DrawDesigns(Page& page, const std::vector<Shown>& values, double y) {
  page.text(10, y, QStringLiteral("Progetto ideale ed esatto nel circuito reale"), 11, true);
  y += 5;
  page.text(12, y, QStringLiteral("grandezza"), 8, true);
  page.text(60, y, QStringLiteral("ideale"), 8, true);
  page.text(95, y, QStringLiteral("esatto"), 8, true);
  page.text(130, y, QStringLiteral("unità"), 8, true);
  const QString ideal = QStringLiteral(" ideale"), exact = QStringLiteral(" esatto");
  std::vector<QString> names;
  for (const Shown& v : values) {
    for (const QString& suffix : {ideal, exact}) {
      if (v.symbol.endsWith(suffix)) {
        const QString name = v.symbol.chopped(suffix.size());
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
      }
    }
  }
  for (const QString& name : names) {
    y += 3.0;
    page.text(12, y, name, 7);
    QString unit;
    for (const Shown& v : values) {
      if (v.symbol == name + ideal) page.text(60, y, v.text, 7);
      if (v.symbol == name + exact) page.text(95, y, v.text, 7);
      if (v.symbol == name + ideal || v.symbol == name + exact) unit = v.unit;
    }
    page.text(130, y, unit, 7);
  }
  return y + 4;
}

// The main window's and the final circuit's values.
void DrawMainValues(Page& page, const std::vector<Shown>& values, double y) {
  page.text(150, y, QStringLiteral("Progetto ideale"), 11, true);
  for (const Shown& v : values) {
    if (v.symbol.endsWith(QStringLiteral(" ideale")) ||
        v.symbol.endsWith(QStringLiteral(" esatto")) || v.symbol == QStringLiteral("iterazioni"))
      continue;
    y += 3.6;
    if (y > 160) break;
    page.text(152, y, v.symbol + QStringLiteral(" = ") + v.text + ' ' + v.unit);
  }
}

QString Si(double value, double scale, const char* unit) {
  return QString::number(value / scale, 'g', 4) + ' ' + QString::fromUtf8(unit);
}

// The stage: Vcc through L1 to the drain, the switch and C1 to ground, C2 and
// L2 in series to the load, each part with its value.
void DrawSchematic(Page& page, const circuit::Stage& st, double y) {
  QPainter& p = page.painter();
  page.text(10, y, QStringLiteral("Schema"), 11, true);
  const double top = y + 8, ground = y + 38;
  QPainterPath path;
  auto line = [&](double x1, double y1, double x2, double y2) {
    path.moveTo(page.at(x1, y1));
    path.lineTo(page.at(x2, y2));
  };
  auto box = [&](double cx, double cy, double w, double h, const QString& name,
                 const QString& value) {
    path.addRect(QRectF(page.at(cx - w / 2, cy - h / 2), page.at(cx + w / 2, cy + h / 2)));
    page.text(cx + w / 2 + 1, cy - 1, name, 7, true);
    page.text(cx + w / 2 + 1, cy + 2.5, value, 7);
  };
  // Supply and choke.
  line(20, top - 5, 20, top + 2);
  page.text(15, top - 6, QStringLiteral("Vcc"), 7, true);
  box(20, top + 6, 3, 8, QStringLiteral("L1"), Si(st.L1, 1e-6, "µH"));
  line(20, top + 10, 20, top + 16);
  line(20, top + 16, 79, top + 16);
  line(81, top + 16, 100, top + 16);
  // Switch and C1.
  line(35, top + 16, 35, top + 21);
  path.moveTo(page.at(35, top + 21));
  path.lineTo(page.at(39, top + 27));
  line(35, top + 28, 35, ground);
  page.text(22, top + 26, QStringLiteral("switch"), 7);
  line(55, top + 16, 55, top + 24);
  line(51, top + 24, 59, top + 24);
  line(51, top + 26, 59, top + 26);
  line(55, top + 26, 55, ground);
  page.text(60, top + 24, QStringLiteral("C1"), 7, true);
  page.text(60, top + 27.5, Si(st.C1, 1e-12, "pF"), 7);
  // C2 and L2 in series to the load.
  line(79, top + 12, 79, top + 20);
  line(81, top + 12, 81, top + 20);
  page.text(76, top + 10, QStringLiteral("C2 ") + Si(st.C2, 1e-12, "pF"), 7);
  box(105, top + 16, 10, 3, QString(), QString());
  page.text(100, top + 12, QStringLiteral("L2 ") + Si(st.L2, 1e-6, "µH"), 7);
  line(110, top + 16, 125, top + 16);
  box(125, top + 28, 3, 8, QStringLiteral("R"), Si(st.R, 1, "Ω"));
  line(125, top + 16, 125, top + 24);
  line(125, top + 32, 125, ground);
  line(35, ground, 125, ground);
  if (st.load.kind != circuit::LoadKind::Resistor)
    page.text(135, top + 20,
              QStringLiteral("rete: L ") + Si(st.load.L, 1e-6, "µH") + QStringLiteral(", C ") +
                  Si(st.load.C, 1e-12, "pF") + QStringLiteral(", RL ") + Si(st.load.RL, 1, "Ω"),
              7);
  p.setPen(QPen(Qt::black, page.x(0.3)));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

// Two periods of the drain voltage and the switch current, each scaled to
// its own band.
void DrawWaveforms(Page& page, const circuit::Waveforms& w, const QString& which, double y) {
  QPainter& p = page.painter();
  page.text(10, y,
            QStringLiteral("Forme d'onda del progetto ") + which + QStringLiteral(" (due periodi)"),
            11, true);
  const double left = 20, width = 170, height = 17;
  auto plot = [&](const std::vector<double>& v, double top, const QString& name,
                  const QColor& colour) {
    if (v.size() < 2) return;
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    const double low = std::min(*lo, 0.0), span = std::max(*hi - low, 1e-30);
    QPainterPath frame;
    frame.addRect(QRectF(page.at(left, top), page.at(left + width, top + height)));
    p.setPen(QPen(Qt::gray, page.x(0.2)));
    p.drawPath(frame);
    QPainterPath curve;
    for (std::size_t i = 0; i < v.size(); ++i) {
      const QPointF point =
          page.at(left + width * static_cast<double>(i) / static_cast<double>(v.size() - 1),
                  top + height * (1 - (v[i] - low) / span));
      if (i == 0)
        curve.moveTo(point);
      else
        curve.lineTo(point);
    }
    p.setPen(QPen(colour, page.x(0.3)));
    p.drawPath(curve);
    p.setPen(Qt::black);
    page.text(left - 9, top + 3, name, 7, true);
    page.text(left + width + 1, top + 3, QString::number(*hi, 'g', 4), 6);
    page.text(left + width + 1, top + height, QString::number(low, 'g', 4), 6);
  };
  plot(w.vD, y + 3, QStringLiteral("Vds [V]"), QColor(200, 0, 0));
  plot(w.isw, y + 3 + height + 3, QStringLiteral("Isw [A]"), QColor(0, 0, 200));
}

std::optional<std::string> FirstMessage(const cli::Session& session) {
  const auto& messages = session.ui.messages();
  if (messages.empty()) return std::string("il progetto non si può calcolare.");
  return messages.back().text;
}

// The parts as the parts window buys them for the exact design already
// computed; the reason when they cannot be. The choice is read in a session
// of its own, so that its refusal stands in the section alone.
std::optional<std::string> BuyParts(const document::DesignDocument& doc, cli::Session& session) {
  if (!session.circuit.exact)
    return std::string(
        "Le parti si scelgono per il progetto esatto, che il circuito reale non dà (il motivo è "
        "in fondo alla prima pagina).");
  cli::Session read;
  if (const auto refused = cli::ShowInSession(doc, read)) return refused->message;
  Outcome outcome = Outcome::Done;
  const auto choice = ReadPartChoice(read.ui, outcome);
  if (!choice) return FirstMessage(read);
  auto made =
      ComputeParts(session.circuit.exact->stage, session.circuit.exact->steady.power.load, *choice);
  if (!made) return made.failure().message;
  session.parts = std::move(made).value();
  return std::nullopt;
}

// The tolerance run again with the document's settings, in a session of its
// own: the tolerance window's checks and the exact design leave their
// messages there, not among the report's.
std::optional<std::string> RerunTolerances(const document::DesignDocument& doc,
                                           cli::Session& session, statistics::Progress* progress) {
  cli::Session run;
  if (const auto refused = cli::ShowInSession(doc, run)) return refused->message;
  std::optional<ToleranceJob> job;
  if (PrepareTolerances(run.circuit, run.ui, 0, PartsUsed(doc), job) != Outcome::Done || !job)
    return FirstMessage(run);
  auto result = RunToleranceJob(*job, progress);
  if (!result) return result.failure().message;
  session.toleranceSettings = std::move(job->settings);
  session.tolerances = std::move(result).value();
  return std::nullopt;
}

}  // namespace

Outcome ComputeReport(const document::DesignDocument& doc, ComputedReport& report,
                      statistics::Progress* progress) {
  cli::Session& session = report.session;
  if (const auto refused = cli::ShowInSession(doc, session)) {
    session.ui.fault(refused->message);
    return Outcome::Refused;
  }
  const Outcome outcome = cli::FindCliAction("rapporto")->run(session);
  if (outcome != Outcome::Done) return outcome;
  // The sections beyond the design say why they are missing in their place
  // and leave the rest of the report as it is.
  if (PartsUsed(doc)) report.partsFault = BuyParts(doc, session);
  if (ToleranceRunDone(doc)) report.tolerancesFault = RerunTolerances(doc, session, progress);
  return Outcome::Done;
}

void DrawReport(const document::DesignDocument& doc, const ComputedReport& report,
                QPagedPaintDevice& device) {
  const cli::Session& session = report.session;
  QPainter painter(&device);
  Page page(painter, device);
  DrawTitle(page, QStringLiteral("Rapporto di progetto: amplificatore RF in classe E"));
  DrawInputs(page, doc, 27);
  const std::vector<Shown> values = ShownValues(session);
  DrawMainValues(page, values, 27);
  const double after = DrawDesigns(page, values, 78);
  const bool exact = doc.realCircuit.exactDesign && session.circuit.exact.has_value();
  const auto& chosen = exact ? session.circuit.exact : session.circuit.ideal;
  const QString which = exact ? QStringLiteral("esatto") : QStringLiteral("ideale");
  if (chosen) {
    const double y = std::max(after + 4, 160.0);
    DrawSchematic(page, chosen->stage, y);
    DrawWaveforms(page, chosen->curves, which, y + 44);
  }
  // What the windows would have said: a design left out and why.
  double y = 290;
  for (const auto& message : session.ui.messages()) {
    if (!message.fault) continue;
    page.text(10, y, QString::fromStdString(message.text), 7);
    y += 3.5;
  }

  // The first page is full: the parts and the yield go on a second.
  const bool parts = PartsUsed(doc), yield = ToleranceRunDone(doc);
  if (!parts && !yield) return;
  device.newPage();
  DrawTitle(page, QStringLiteral("Rapporto di progetto: parti e tolleranze"));
  y = 28;
  if (parts) y = report::DrawPartsSection(page, session.parts, report.partsFault, y) + 4;
  if (yield)
    report::DrawToleranceSection(page, session.tolerances, session.toleranceSettings,
                                 report.tolerancesFault, y);
}

std::optional<std::string> WriteReportPdf(const document::DesignDocument& doc,
                                          const ComputedReport& report, const QString& path) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(600);
    pdf.setTitle(QStringLiteral("Rapporto di progetto Classe E"));
    pdf.setCreator(QStringLiteral("Classe E " CLASSE_VERSION));
    DrawReport(doc, report, pdf);
  }
  if (const auto failure = document::WriteAtomically(
          path.toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size()))))
    return "il file " + path.toStdString() + " non si può scrivere (" + *failure + ").";
  return std::nullopt;
}

std::string ReportRefusal(const ComputedReport& report) {
  return *FirstMessage(report.session);
}

std::optional<std::string> WriteReportPdf(const document::DesignDocument& doc,
                                          const QString& path) {
  ComputedReport report;
  if (ComputeReport(doc, report) != Outcome::Done) return FirstMessage(report.session);
  return WriteReportPdf(doc, report, path);
}

std::optional<std::string> PrintReport(const document::DesignDocument& doc, QPrinter& printer) {
  ComputedReport report;
  if (ComputeReport(doc, report) != Outcome::Done) return FirstMessage(report.session);
  DrawReport(doc, report, printer);
  return std::nullopt;
}

}  // namespace classe
