// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>

#include "actions/form6_controls.h"
#include "actions/form7_controls.h"
#include "tests/windows/program.h"
#include "ui/plot_area.h"

namespace classe {
namespace {

// The program with an analysis window open from the Progetto menu.
struct Analysis : testing::Program {
  using Program::Program;

  FormWindow* open(Window w) {
    (w == Window::Form6 ? main().menu().tolerances : main().menu().sweep)->trigger();
    return window(w);
  }
  void set(Window w, const char* field, const QString& text) {
    qobject_cast<QLineEdit*>(control(w, field))->setText(text);
  }
  void finish() { QTRY_VERIFY_WITH_TIMEOUT(!calculator.analysing(), 60000); }
  QString field(Window w, const char* name) {
    return qobject_cast<QLineEdit*>(control(w, name))->text();
  }
  QString cell(int first, int row, int column) {
    return text(Window::Form6, form6::Cell(first, row, column).name.data());
  }
  QStringList readCsv() {
    QFile file(files.path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  // The mouse at a fraction of a plot's width, half way up.
  void hover(Window w, const char* picture, double across) {
    QWidget* plot = control(w, picture);
    FormWindow* form = window(w);
    const QPoint at(static_cast<int>(across * plot->width()), plot->height() / 2);
    QTest::mouseMove(form->windowHandle(), plot->mapTo(form, at));
    QCoreApplication::processEvents();
  }
};

double Number(const QString& text) {
  return text.split(' ').value(0).toDouble();
}

}  // namespace

class AnalysisWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The main window's design as built with ±5 % parts: the median Po near
  // the nominal one, every yield a percentage, the bar under the mouse read,
  // and every build in the export.
  void tolerancesShowTheSpreadTheYieldsAndTheHistograms() {
    Analysis p;
    FormWindow* f = p.open(Window::Form6);
    QVERIFY(f && f->isVisible());
    // Before any run the table names its columns and rows.
    QCOMPARE(p.cell(form6::kSummaryFirst, 0, 1), "5 %");
    QCOMPARE(p.cell(form6::kSummaryFirst, 3, 0), "picco sul drain [V]");
    QCOMPARE(p.cell(form6::kSummaryFirst, 1, 1), "");
    p.set(Window::Form6, "Text6", "400");
    p.click(Window::Form6, "Command1");
    p.finish();
    QCOMPARE(p.messages.texts(), QStringList());
    QVERIFY(p.calculator.tolerances());
    const auto& r = p.calculator.tolerances()->result;
    QCOMPARE(r.summary.builds, 400);
    QVERIFY(!r.partial);
    // A whole run is part of the design, for the report.
    QCOMPARE(p.calculator.currentDocument().tolerances.at("eseguita"), "si");
    QVERIFY(p.main().isWindowModified());
    QCOMPARE(p.cell(form6::kSummaryFirst, 1, 0), "Po [W]");
    QVERIFY(std::abs(Number(p.cell(form6::kSummaryFirst, 1, 2)) / r.nominal.Po - 1) < 0.05);
    // 5 % ≤ 50 % ≤ 95 % in the table as in the run.
    QVERIFY(Number(p.cell(form6::kSummaryFirst, 1, 1)) <=
            Number(p.cell(form6::kSummaryFirst, 1, 2)));
    QVERIFY(Number(p.cell(form6::kSummaryFirst, 1, 2)) <=
            Number(p.cell(form6::kSummaryFirst, 1, 3)));
    for (int row = 0; row < form6::kYieldRows; ++row)
      QVERIFY(!p.cell(form6::kYieldFirst, row, 1).isEmpty());
    QVERIFY(p.cell(form6::kYieldFirst, 0, 1).endsWith(" %"));
    QVERIFY(p.text(Window::Form6, "Label1").startsWith("400 esemplari simulati"));
    QVERIFY(p.text(Window::Form6, "Label3").startsWith("Po [W], banda ±10.0 %"));

    p.hover(Window::Form6, "Picture1", 0.5);
    const QString readout = p.text(Window::Form6, "Label2");
    QVERIFY2(readout.startsWith("Po [W] da ") && readout.contains(" esemplari, "),
             qPrintable(readout));
    testing::CheckLayout(*f, {}, {"Label1", "Label3", "Label6", "Label9", "Label2"});
    if (const QByteArray shot = qgetenv("CLASSE_SHOT"); !shot.isEmpty())
      f->grab().save(QString::fromLocal8Bit(shot) + "-form6.png");

    // Closed and opened again, the window shows the same run.
    const QString median = p.cell(form6::kSummaryFirst, 1, 2);
    f->close();
    QTRY_VERIFY(!p.window(Window::Form6) || !p.window(Window::Form6)->isVisible());
    f = p.open(Window::Form6);
    QCOMPARE(p.cell(form6::kSummaryFirst, 1, 2), median);

    QTemporaryDir dir;
    p.files.path = dir.filePath("esemplari.csv");
    p.click(Window::Form6, "Command3");
    const QStringList lines = p.readCsv();
    QCOMPARE(lines.size(), 401);
    QVERIFY(lines[0].startsWith("build,Cext,"));
  }

  // Once the parts window has bought the parts, the builds are of them.
  void afterThePartsWindowTheBuildsAreOfThePartsBought() {
    Analysis p;
    p.main().menu().parts->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!p.calculator.computingParts(), 20000);
    QVERIFY(p.calculator.parts());
    p.open(Window::Form6);
    p.set(Window::Form6, "Text1", "0");
    p.set(Window::Form6, "Text2", "0");
    p.set(Window::Form6, "Text6", "20");
    p.click(Window::Form6, "Command1");
    p.finish();
    QVERIFY(p.calculator.tolerances());
    QVERIFY(p.calculator.tolerances()->bought);
    QVERIFY(p.text(Window::Form6, "Label1").contains("con le parti acquistate"));
    const double retuned = p.calculator.parts()->purchase.retune.steady.power.load;
    QVERIFY(std::abs(p.calculator.tolerances()->result.nominal.Po / retuned - 1) < 1e-6);
  }

  // "Interrompi" during a long run: what was done is shown, marked partial,
  // and the buttons come back.
  void aStoppedRunShowsWhatItHasMarkedPartial() {
    Analysis p;
    FormWindow* f = p.open(Window::Form6);
    p.set(Window::Form6, "Text6", "1000000");
    p.click(Window::Form6, "Command1");
    QVERIFY(p.calculator.analysing());
    QVERIFY(!f->control("Command1")->isEnabled());
    QVERIFY(f->control("Command2")->isEnabled());
    QVERIFY(f->control("Progress1")->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(p.text(Window::Form6, "Label1").startsWith("Simulazione in corso"),
                             5000);
    p.click(Window::Form6, "Command2");
    p.finish();
    QVERIFY(p.calculator.tolerances());
    const auto& r = p.calculator.tolerances()->result;
    QVERIFY(r.partial);
    QVERIFY(r.summary.builds < 1000000);
    QCOMPARE(p.calculator.currentDocument().tolerances.at("eseguita"), "no");
    QVERIFY(p.text(Window::Form6, "Label1").startsWith("Analisi interrotta: risultati parziali"));
    QVERIFY(f->control("Command1")->isEnabled());
    QVERIFY(!f->control("Progress1")->isVisible());
  }

  // A refused field is a message; the run shown before stays, nothing starts.
  void aRefusedFieldKeepsThePreviousRun() {
    Analysis p;
    p.open(Window::Form6);
    p.set(Window::Form6, "Text6", "50");
    p.click(Window::Form6, "Command1");
    p.finish();
    QVERIFY(p.calculator.tolerances());
    for (const QString bad : {"-1", "100", "abc"}) {
      p.set(Window::Form6, "Text1", bad);
      p.click(Window::Form6, "Command1");
      QVERIFY(!p.calculator.analysing());
      QCOMPARE(p.messages.texts().size(), 1);
      QVERIFY2(p.messages.texts()[0].contains("condensatori"), qPrintable(p.messages.texts()[0]));
      p.messages.shown.clear();
      QCOMPARE(p.calculator.tolerances()->result.summary.builds, 50);
    }
    p.set(Window::Form6, "Text1", "5");
    p.set(Window::Form6, "Text6", "0");
    p.click(Window::Form6, "Command1");
    QCOMPARE(p.messages.texts().size(), 1);
  }

  // The load swept 0.5…2 over 11 points: five strips with their ranges, the
  // design point, the read-out of the nearest point, the CSV of the points.
  void theSweepDrawsEveryQuantityAndReadsThePointUnderTheMouse() {
    Analysis p;
    FormWindow* f = p.open(Window::Form7);
    QVERIFY(f && f->isVisible());
    p.set(Window::Form7, "Text3", "11");
    p.click(Window::Form7, "Command1");
    p.finish();
    QCOMPARE(p.messages.texts(), QStringList());
    QVERIFY(p.calculator.sweep());
    QCOMPARE(p.calculator.sweep()->result.points.size(), 11u);
    QVERIFY(p.text(Window::Form7, "Label10").startsWith("Po [W]: da "));
    QVERIFY(p.text(Window::Form7, "Label14").startsWith("Von [% del picco]: da "));
    QCOMPARE(p.text(Window::Form7, "Label4"), "0.50");
    QCOMPARE(p.text(Window::Form7, "Label5"), "2.00");
    QCOMPARE(p.text(Window::Form7, "Label1"), "11 punti calcolati.");
    // 0.02 of margin either side: the middle of the plot is x = 1.25.
    p.hover(Window::Form7, "Picture1", 0.5);
    const QString readout = p.text(Window::Form7, "Label2");
    QVERIFY2(readout.startsWith("carico × 1.25: Po "), qPrintable(readout));
    testing::CheckLayout(*f, {}, {"Label1", "Label2", "Label3"});
    if (const QByteArray shot = qgetenv("CLASSE_SHOT"); !shot.isEmpty())
      f->grab().save(QString::fromLocal8Bit(shot) + "-form7.png");

    QTemporaryDir dir;
    p.files.path = dir.filePath("scansione.csv");
    p.click(Window::Form7, "Command4");
    const QStringList lines = p.readCsv();
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[0], "x,Po,efficiency,Vpeak,Iswitch_peak,von_fraction");
    p.files.path = dir.filePath("scansione.svg");
    p.click(Window::Form7, "Command3");
    QFile svg(p.files.path);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));
  }

  // Choosing Vcc by hand puts ±50 % of the main window's Vcc in the range;
  // the frequency ±10 % of its f, in MHz.
  void choosingAnInputOffersItsUsualRange() {
    Analysis p;
    p.open(Window::Form7);
    qobject_cast<QAbstractButton*>(p.control(Window::Form7, "Option3"))->click();
    QCOMPARE(p.field(Window::Form7, "Text1"), "14");
    QCOMPARE(p.field(Window::Form7, "Text2"), "42");
    qobject_cast<QAbstractButton*>(p.control(Window::Form7, "Option4"))->click();
    QCOMPARE(p.field(Window::Form7, "Text1"), "3.6");
    QCOMPARE(p.field(Window::Form7, "Text2"), "4.4");
    p.set(Window::Form7, "Text3", "5");
    p.click(Window::Form7, "Command1");
    p.finish();
    QCOMPARE(p.text(Window::Form7, "Label4"), "3.60");
    // A range through zero for the frequency is refused.
    p.set(Window::Form7, "Text1", "-1");
    p.click(Window::Form7, "Command1");
    QCOMPARE(p.messages.texts().size(), 1);
    QVERIFY(!p.calculator.analysing());
    // Esc closes it, as "Esci" does.
    QTest::keyClick(p.window(Window::Form7), Qt::Key_Escape);
    QTRY_VERIFY(!p.window(Window::Form7) || !p.window(Window::Form7)->isVisible());
  }
};

}  // namespace classe

QTEST_MAIN(classe::AnalysisWindowTest)
#include "analysis_window_test.moc"
