// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <cmath>

#include "actions/form4_controls.h"
#include "actions/value_boxes.h"
#include "tests/windows/program.h"
#include "ui/plot_area.h"

namespace classe {
namespace {

// The program with the real-circuit window open.
struct RealCircuit : testing::Program {
  using Program::Program;

  Form4* open() {
    main().menu().realCircuit->trigger();
    return form();
  }
  Form4* form() { return qobject_cast<Form4*>(window(Window::Form4)); }
  QString box(const ValueBox& b) { return text(Window::Form4, b.control.name.data()); }
  double number(const ValueBox& b) { return box(b).remove(' ').toDouble(); }
  void click4(const char* button) { click(Window::Form4, button); }
  void finish() { QTRY_VERIFY_WITH_TIMEOUT(!calculator.designing(), 20000); }
  bool enabled(const char* name) { return control(Window::Form4, name)->isEnabled(); }
  QString about(const char* name, QAccessible::Text which = QAccessible::Description) {
    return testing::Accessible(control(Window::Form4, name), which);
  }
};

}  // namespace

class RealCircuitWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithBothDesignsOfTheMainWindowsFields() {
    RealCircuit p;
    Form4* f = p.open();
    QVERIFY(f && f->isVisible() && !f->parentWidget());
    QCOMPARE(f->windowTitle(), "Circuito reale dell'amplificatore in classe E");
    QCOMPARE(f->minimumSize(), f->maximumSize());
    // RL is far from R: the network is in the loop from the start.
    QVERIFY(qobject_cast<QCheckBox*>(p.control(Window::Form4, "Check1"))->isChecked());
    QCOMPARE(p.box(boxes::RExact) + ' ' + p.box(boxes::NetworkLExact), "8.591E+00 7.505E-01");
    QVERIFY(p.messages.shown.empty());
    // Without the network, the exact design of a stage loaded by R.
    qobject_cast<QCheckBox*>(p.control(Window::Form4, "Check1"))->setChecked(false);
    p.click4("Command1");
    QCOMPARE(p.box(boxes::RExact) + ' ' + p.box(boxes::NetworkLExact), "8.030E+00 ");
    // The main window's results are its own: nothing was written there.
    QCOMPARE(p.text(Window::Form1, "Label11"), "");
  }

  void namedForScreenReadersAndLaidOut() {
    RealCircuit p;
    testing::CheckLayout(*p.open(), {}, {"Label1", "Label158"});
    QStringList heard;
    for (const char* box : {"Label17", "Label18", "Label52", "Label53", "Label54"})
      heard << p.about(box);
    for (const char* control : {"Text1", "Text2", "Text3", "Command2", "Check1"})
      heard << p.about(control, QAccessible::Name);
    QCOMPARE(heard, (QStringList{"R ideale [Ω]", "R esatto [Ω]", "Po ideale [W]", "Po esatto [W]",
                                 "Po ngspice [W]", "Ron [Ω]", "Coss [pF]", "QU",
                                 "Verifica con ngspice", "con rete di adattamento"}));
    QCOMPARE(p.about("Label53", QAccessible::Name), p.box(boxes::PoExact));  // read by its value
  }

  // A rejected field opens the window empty; a design the engine cannot give
  // is a fault that leaves its column empty.
  // A transistor's Coss(v) shows beside the design, from 0 V to its drain
  // peak; without one the picture says there is none.
  void theCossPictureFollowsTheTransistor() {
    RealCircuit p;
    Form4* f = p.open();
    QCOMPARE(p.text(Window::Form4, "Label158"), "Coss(v): nessun transistor (Coss = 0)");
    qobject_cast<QLineEdit*>(p.control(Window::Form4, "Text2"))->setText("300");
    p.click4("Command1");
    p.finish();
    QCOMPARE(p.messages.texts(), QStringList());
    const QString caption = p.text(Window::Form4, "Label158");
    QVERIFY2(caption.startsWith("Coss(v) [pF] da 0 a ") && caption.endsWith("in blu il dato a Vds"),
             qPrintable(caption));
    if (const QByteArray shot = qgetenv("CLASSE_SHOT"); !shot.isEmpty())
      f->grab().save(QString::fromLocal8Bit(shot) + "-form4.png");
  }

  void rejectedFieldsAndFaultsAsTheButtonsSayThem() {
    RealCircuit p({{"Text1", ""}, {"Text3", "1.7"}});
    p.open();
    QCOMPARE(p.messages.texts(),
             QStringList{"Hai dimenticato di scrivere la potenza di uscita Po"});
    p.type("Text1", "50");
    p.click4("Command1");
    QCOMPARE(p.messages.texts().value(1), "<fault>");
    QCOMPARE(p.box(boxes::RExact), "");
    QVERIFY(!p.box(boxes::RIdeal).isEmpty());
  }

  // The exact design with the network in the loop, then the ideal one.
  void ngspiceAgreesWithTheProgram() {
    for (const char* option : {"Option1", "Option2"}) {
      RealCircuit p;
      p.open();
      qobject_cast<QAbstractButton*>(p.control(Window::Form4, option))->setChecked(true);
      p.click4("Command2");
      QVERIFY(p.calculator.ngspice().running());
      // Busy while it runs; it can be stopped, not started twice.
      QVERIFY(p.shown(Window::Form4, "Progress1"));
      QVERIFY(p.control(Window::Form4, "Command3")->isEnabled());
      QVERIFY(!p.control(Window::Form4, "Command2")->isEnabled());
      QTRY_VERIFY_WITH_TIMEOUT(!p.calculator.ngspice().running(), 60000);
      QVERIFY(!p.shown(Window::Form4, "Progress1"));
      QVERIFY(p.messages.shown.empty());
      // Within 0.1 % on Po, and 0.1 % of the peak on the turn-on voltage.
      QVERIFY2(std::fabs(p.number(boxes::PoDifference)) < 0.1,
               qPrintable(p.box(boxes::PoDifference)));
      QVERIFY2(std::fabs(p.number(boxes::TurnOnDifference)) < 0.1,
               qPrintable(p.box(boxes::TurnOnDifference)));
      QVERIFY(std::fabs(p.number(boxes::EfficiencyDifference)) < 0.1);
      QCOMPARE(p.text(Window::Form4, "Label9"), option == QString("Option1")
                                                    ? "Verifica del progetto esatto completata."
                                                    : "Verifica del progetto ideale completata.");
    }
  }

  // "Interrompi" stops a run; Esc and "Esci" close the window, and closing
  // it stops a run under way too.
  void stoppingAndClosing() {
    RealCircuit p;
    p.open();
    p.click4("Command2");
    QVERIFY(p.calculator.ngspice().running());
    p.click4("Command3");
    QTRY_VERIFY(!p.calculator.ngspice().running());
    QCOMPARE(p.text(Window::Form4, "Label9"), "Verifica interrotta.");
    QCOMPARE(p.box(boxes::PoNgspice), "");
    p.click4("Command2");
    QTest::keyClick(p.form(), Qt::Key_Escape);
    QTRY_VERIFY(!p.form() && !p.calculator.ngspice().running());
    p.open();
    p.click4("Command2");
    p.click4("Command4");
    QTRY_VERIFY(!p.form() && !p.calculator.ngspice().running());
  }

  // A transistor's designs are computed off the window's thread: the window
  // says so and waits for them; "Interrompi" keeps what it showed before.
  void designsWithATransistorInTheBackground() {
    RealCircuit p;
    p.open();
    const QString linear = p.box(boxes::RExact);
    qobject_cast<QLineEdit*>(p.control(Window::Form4, "Text2"))->setText("300");
    p.click4("Command1");
    QVERIFY(p.calculator.designing());
    QVERIFY(!p.enabled("Command1") && !p.enabled("Command2") && p.enabled("Command3"));
    QVERIFY(p.control(Window::Form4, "Progress1")->isVisible());
    QCOMPARE(p.text(Window::Form4, "Label9"), "Calcolo dei progetti con il transistor…");
    QCOMPARE(p.box(boxes::RExact), linear);
    p.click4("Command3");
    QVERIFY(p.enabled("Command1") && !p.control(Window::Form4, "Progress1")->isVisible());
    QVERIFY(p.text(Window::Form4, "Label9").startsWith("Calcolo interrotto"));
    p.finish();
    QCOMPARE(p.box(boxes::RExact), linear);  // the run stopped is never shown
    p.click4("Command1");
    p.finish();
    QVERIFY(p.box(boxes::RExact) != linear);
    QCOMPARE(p.text(Window::Form4, "Label9"), "");
    QVERIFY(p.enabled("Command1") && p.enabled("Command2") && !p.enabled("Command3"));
    QCOMPARE(p.messages.texts(), QStringList());
    // Closed while it computes: the result has nowhere to go, and no crash.
    p.click4("Command1");
    p.click4("Command4");
    p.finish();
    QTRY_VERIFY(!p.form());
  }

  void withoutNgspiceTheButtonSaysHowToInstallIt() {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    RealCircuit p;
    p.open();
    const auto* button = qobject_cast<QAbstractButton*>(p.control(Window::Form4, "Command2"));
    QVERIFY(button->text().contains("apt install ngspice"));
    p.click4("Command2");
    qputenv("PATH", path);
    QCOMPARE(p.messages.shown.size(), 1);
    QVERIFY(p.messages.shown[0].text.contains("sudo apt install ngspice"));
    QVERIFY(!p.calculator.ngspice().running());
  }

  void netlistExport() {
    RealCircuit p;
    QTemporaryDir folder;
    p.files.path = folder.filePath("stadio.cir");
    p.files.filter = "Netlist SPICE, progetto ideale (*.cir)";
    p.main().menu().exportNetlist->trigger();
    QFile deck(p.files.path);
    QVERIFY(deck.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(deck.readAll());
    // The ideal design (its C2), with the network the band asks for, into RL.
    QVERIFY(text.contains("C2 drain branch 1.5447143604809368e-09"));
    QVERIFY(text.contains("Rload out 0 50"));
    QVERIFY(text.contains(".meas tran von "));
    QVERIFY(p.messages.shown.empty());
    // An unwritable place is a message.
    p.files.path = "/proc/classe-e/stadio.cir";
    p.main().menu().exportNetlist->trigger();
    QCOMPARE(p.messages.texts(), QStringList{"<fault>"});
  }

  void plotReadOutAndImage() {
    RealCircuit p;
    Form4* f = p.open();
    auto* plot = f->findChild<PlotArea*>("Picture1");
    const QPointF at = plot->toPixels(25, 90);
    QTest::mouseMove(f->windowHandle(), plot->mapTo(f, at.toPoint()));
    QVERIFY(std::fabs(p.number(boxes::CursorTeta) - 3.14) < 0.02);
    QVERIFY(!p.box(boxes::CursorExact).isEmpty() && !p.box(boxes::CursorIdeal).isEmpty());
    QCOMPARE(p.text(Window::Form4, "Label140"), "[V]");
    QTemporaryDir folder;
    p.files.path = folder.filePath("circuito.png");
    emit plot->saveImageRequested();
    QCOMPARE(QImage(p.files.path).size(), f->plotRegion().size() * f->devicePixelRatioF());
  }
};

}  // namespace classe

QTEST_MAIN(classe::RealCircuitWindowTest)
#include "real_circuit_window_test.moc"
