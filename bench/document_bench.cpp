// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// A design file: opened in the windows (read, checked, shown), and the
// report rendered to PDF (computed from the inputs and drawn), offscreen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "actions/document_controls.h"
#include "app/calculator.h"
#include "engine/document/document_json.h"
#include "report/design_report.h"

namespace {

class SilentPresenter : public classe::MessagePresenter {
 public:
  void show(const QString&, bool) override {}
};

// A design with a datasheet curve of 200 points, the largest file in use.
classe::document::DesignDocument Design() {
  classe::document::DesignDocument doc = classe::DefaultDocument();
  doc.main["Vcc"] = "24";
  doc.realCircuit.curveName = "datasheet.csv";
  for (int i = 0; i < 200; ++i)
    doc.realCircuit.curve.push_back({i * 0.5, 200.0 / (1 + i * 0.05)});
  return doc;
}

void OpenDesignFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("progetto.classe");
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(QByteArray::fromStdString(classe::document::WriteDocument(Design())));
  file.close();
  SilentPresenter presenter;
  classe::Calculator calculator{&presenter};
  calculator.mainWindow().show();
  QApplication::processEvents();
  for (auto _ : state) {
    calculator.openDesign(path);
    QApplication::processEvents();
  }
}
BENCHMARK(OpenDesignFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void RenderReportPdf(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("rapporto.pdf");
  auto doc = classe::DefaultDocument();
  doc.main["Vcc"] = "24";
  for (auto _ : state) {
    if (const auto failed = classe::WriteReportPdf(doc, path)) state.SkipWithError(failed->c_str());
  }
}
BENCHMARK(RenderReportPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
