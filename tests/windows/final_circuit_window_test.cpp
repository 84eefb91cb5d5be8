// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTest>
#include <QWindow>
#include <QXmlStreamReader>

#include "design/fault.h"
#include "tests/windows/program.h"

namespace classe {
namespace {

const QString kNoNetwork =
    "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Questo è lo schema!";
const char* const kValues[] = {"Label1", "Label2", "Label3",  "Label4", "Label5",
                               "Label6", "Label7", "Label22", "Label23"};

// The program with the final circuit window in view.
struct Circuit : testing::Program {
  QStringList picturesAtMessages;  // the schematic on display at each message

  Circuit() {
    messages.whileShown = [this] { picturesAtMessages << picture(); };
  }
  void showFinalCircuit(const QString& RL) {
    type("Text7", RL);
    click("Command5");
  }
  FormWindow* form() { return window(Window::Form3); }
  void verify() { click(Window::Form3, "Command1"); }
  QString text(const char* label) { return Program::text(Window::Form3, label); }
  bool shown(const char* name) { return Program::shown(Window::Form3, name); }
  QString picture() {
    QString out;
    for (const char* p : {"Picture1", "Picture2", "Picture3"})
      if (form() && shown(p)) out += p;
    return out.isEmpty() ? "none" : out;
  }
  // Rows L2, C, the L/LF value, caption L, caption LF.
  QString rows() {
    QString out;
    for (const char* c : {"Label4", "Label5", "Label6", "Label17", "Label15"})
      out += shown(c) ? '1' : '0';
    return out;
  }
  // The value fields as the user sees them, "-" where hidden.
  QString values() {
    QStringList out;
    for (const char* v : kValues)
      out << (shown(v) ? text(v) : "-");
    return out.join('|');
  }
};

// The drawing's texts, sorted, ground labels included.
QStringList PictureTexts(const QString& resource) {
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return {"<missing>"};
  QXmlStreamReader xml(&file);
  QStringList out;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"text") out << xml.readElementText();
  }
  out.sort();
  return out;
}

}  // namespace

class FinalCircuitWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowIsLaidOutAsDesigned() {
    Circuit p;
    p.showFinalCircuit("50");
    FormWindow* f = p.form();
    QVERIFY(f && f->isVisible() && !f->parentWidget());
    QCOMPARE(f->windowTitle(), "Form3");
    QCOMPARE(f->size(), QSize(1024, 455));
    QCOMPARE(f->palette().color(QPalette::Window), QColor(255, 192, 128));
    QCOMPARE(p.text("Label9") + p.text("Label16") + p.text("Label21") + p.text("Label27"),
             "[µH][µH][Ω][W]");
    QCOMPARE(qobject_cast<QAbstractButton*>(f->control("Command1"))->text(), "\" Verifica \"");
    QCOMPARE(testing::Accessible(f->control("Command2"), QAccessible::Name), "Esci");
    QCOMPARE(p.text("Label28"),
             "tg(psi) ver. = tangente dell'angolo tra la fondamentale di Vc1 ( prima armonica ) e "
             "la corrente Ir.     [ tg(psi) è costante e  circa uguale a 1,152 ]");
    QCOMPARE(p.text("Label29"),
             "Po ver. = potenza erogata al carico RL  [dovrebbe essere uguale a quella di "
             "progetto Po]");
    // What a screen reader says about each value besides the value itself.
    const QStringList about{"L1 [µH]", "C1 [pF]", "C2 [pF]",      "L2 [µH]",    "C [pF]",
                            "LF [µH]", "RL [Ω]",  "tg(psi) ver.", "Po ver. [W]"};
    for (int i = 0; i < about.size(); ++i) {
      QCOMPARE(f->control(kValues[i])->accessibleDescription(), about[i]);
      QCOMPARE(f->control(kValues[i])->accessibleName(), p.text(kValues[i]));
    }
    // No caption or value is cut off by its rectangle with the fonts in use.
    p.verify();
    for (QLabel* label : f->findChildren<QLabel*>()) {
      const QSize need = label->fontMetrics().size(0, label->text());
      QVERIFY2(need.width() <= label->contentsRect().width() &&
                   need.height() <= label->contentsRect().height(),
               qPrintable(label->objectName()));
    }
  }

  void schematicsMatchTheirCase_data() {
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QStringList>("branch");
    QTest::newRow("LF, C across RL") << "Picture1" << QStringList{"C", "LF", "LF = L2 + L", "RL"};
    QTest::newRow("L2, C to ground, L, RL")
        << "Picture2" << QStringList{"C", "L", "L2", "RL", "rete adattatrice"};
    QTest::newRow("no network") << "Picture3" << QStringList{"L2", "RL"};
  }
  void schematicsMatchTheirCase() {
    QFETCH(QString, picture);
    QFETCH(QStringList, branch);
    Circuit p;
    p.showFinalCircuit("50");
    auto* svg = qobject_cast<QSvgWidget*>(p.form()->control(picture.toStdString()));
    QVERIFY(svg && svg->renderer()->isValid());
    // Drawn in the control's own pixels, so nothing is stretched.
    QCOMPARE(svg->renderer()->viewBox().size(), svg->size());
    // The class-E stage is the same in all three; each shunt branch has its ground.
    const qsizetype grounds = branch.contains("C") ? 5 : 4;
    QStringList texts{"C1", "C2", "IDC", "Ic1", "Ir", "Isw", "L1", "Vc1", "Vcc", "Vs"};
    texts += branch + QStringList(grounds, "0");
    texts.sort();
    QCOMPARE(PictureTexts(":/final/" + picture.toLower() + ".svg"), texts);
  }

  void showsTheCaseOfTheLoad_data() {
    QTest::addColumn<QStringList>("runs");  // RL of each "Circuito definitivo", one window
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("values");  // kValues in order
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("inductor");  // what Label6 is read out as
    const QString defaults = "3.92E+01|8.077E+02|1.545E+03|-|1.693 E+03|2.205 E+00|5.000E+01||";
    const QString noNetwork = "3.92E+01|8.077E+02|1.545E+03|1.439 E+00|-|-|9.000E+00||";
    const QString below = "3.92E+01|8.077E+02|1.545E+03|1.439E+00|3.957E+03|1.789E-01|5.000E+00||";
    // A window reused for another case shows exactly that case's rows.
    QTest::newRow("9 then 50: L2 and L merged into LF")
        << QStringList{"9", "50"} << "Picture1"
        << "01101" << defaults << QStringList{kNoNetwork} << "LF [µH]";
    QTest::newRow("50 then 9: no network") << QStringList{"50", "9"} << "Picture3"
                                           << "10000" << noNetwork << QStringList{kNoNetwork}
                                           << "L [µH]";
    QTest::newRow("50 then 5: C then L") << QStringList{"50", "5"} << "Picture2"
                                         << "11110" << below << QStringList() << "L [µH]";
  }
  void showsTheCaseOfTheLoad() {
    QFETCH(QStringList, runs);
    QFETCH(QString, picture);
    QFETCH(QString, rows);
    QFETCH(QString, values);
    QFETCH(QStringList, messages);
    QFETCH(QString, inductor);
    Circuit p;
    p.showFinalCircuit(runs.first());
    const QPointer<FormWindow> window = p.form();
    for (const QString& RL : runs.mid(1))
      p.showFinalCircuit(RL);
    QCOMPARE(p.form(), window.data());
    QCOMPARE(p.picture(), picture);
    QCOMPARE(p.rows(), rows);
    QCOMPARE(p.values(), values);
    QCOMPARE(p.messages.texts(), messages);
    // The band message holds the action with Picture3 already on display.
    for (const QString& shown : p.picturesAtMessages)
      QCOMPARE(shown, "Picture3");
    QCOMPARE(p.form()->control("Label6")->accessibleDescription(), inductor);
  }

  void inputChecks_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("opened");
    QTest::newRow("empty RL") << "Text7" << ""
                              << QStringList{"Hai dimenticato di scrivere il valore della "
                                             "resistenza di carico effettiva RL  "}
                              << false;
    QTest::newRow("empty M is not this button's") << "Text9"
                                                  << "" << QStringList() << true;
  }
  void inputChecks() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QStringList, messages);
    QFETCH(bool, opened);
    Circuit p;
    p.type(field.toLatin1().constData(), text);
    p.click("Command5");
    QCOMPARE(p.messages.texts(), messages);
    QCOMPARE(p.form() != nullptr, opened);
    if (opened) QCOMPARE(p.picture(), "Picture1");
  }

  void verification_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("verified");  // Text7 at the click
    QTest::addColumn<QString>("tgPsi");
    QTest::addColumn<QString>("power");
    QTest::newRow("defaults, LF") << "50"
                                  << "50"
                                  << "1.152E+00"
                                  << "5.002E+01";
    // The fields at the click count, not those the window was filled from.
    QTest::newRow("RL edited to 9 after showing 50") << "50"
                                                     << "9"
                                                     << "1.158E+00"
                                                     << "4.999E+01";
  }
  void verification() {
    QFETCH(QString, shown);
    QFETCH(QString, verified);
    QFETCH(QString, tgPsi);
    QFETCH(QString, power);
    Circuit p;
    p.showFinalCircuit(shown);
    const QString before = p.picture() + p.rows();
    p.type("Text7", verified);
    p.messages.shown.clear();
    p.verify();
    QCOMPARE(p.text("Label22"), tgPsi);
    QCOMPARE(p.text("Label23"), power);
    QCOMPARE(p.messages.texts(), QStringList());
    QCOMPARE(p.picture() + p.rows(), before);
  }

  void verificationFaultKeepsTheLabels() {
    Circuit p;
    p.showFinalCircuit("50");
    p.verify();
    p.type("Text1", "");  // Po = 0: R divides by zero
    p.verify();
    QCOMPARE(p.messages.shown.size(), 1);
    QVERIFY(p.messages.shown[0].fault);
    QCOMPARE(p.messages.shown[0].text,
             QString::fromStdString(FaultMessage(FaultKind::DivisionByZero, "R")));
    QCOMPARE(p.text("Label22"), "1.152E+00");
    QCOMPARE(p.text("Label23"), "5.002E+01");
  }

  void closingUnloads_data() {
    QTest::addColumn<bool>("titleBar");
    QTest::newRow("Esci") << false;
    QTest::newRow("title-bar close") << true;
  }
  void closingUnloads() {
    QFETCH(bool, titleBar);
    Circuit p;
    p.showFinalCircuit("5");
    p.verify();
    if (titleBar)
      p.form()->windowHandle()->close();
    else
      p.click(Window::Form3, "Command2");
    QTRY_VERIFY(!p.form());
    // A run that faults once the window is open (Vcc = Von makes R zero)
    // leaves the new window as it starts: no schematic, no L or LF, no values.
    p.type("Text5", "0");
    p.showFinalCircuit("5");
    QVERIFY(p.form() && p.form()->isVisible());
    QCOMPARE(p.messages.shown.size(), 1);
    QVERIFY(p.messages.shown[0].fault);
    QCOMPARE(p.picture() + ' ' + p.rows(), "none 11100");
    QCOMPARE(p.values(), "||||||||");
  }
};

}  // namespace classe

QTEST_MAIN(classe::FinalCircuitWindowTest)
#include "final_circuit_window_test.moc"
