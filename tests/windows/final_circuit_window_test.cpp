// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QPointer>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTest>
#include <QWindow>
#include <QXmlStreamReader>

#include "engine/design/fault.h"
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
    // "Verifica" fills its two boxes and leaves the schematic.
    p.verify();
    QCOMPARE(p.text("Label22") + ' ' + p.text("Label23") + ' ' + p.picture() + p.rows(),
             "1.152E+00 5.002E+01 Picture101101");
    testing::CheckLayout(*f, {{"Picture1", "Picture2", "Picture3"}, {"Label15", "Label17"}});
  }

  void schematicsMatchTheirCase() {
    Circuit p;
    p.showFinalCircuit("50");
    const std::pair<const char*, QStringList> pictures[] = {
        {"Picture1", {"C", "LF", "LF = L2 + L", "RL"}},            // LF, C across RL
        {"Picture2", {"C", "L", "L2", "RL", "rete adattatrice"}},  // L2, C to ground, L, RL
        {"Picture3", {"L2", "RL"}}};                               // no network
    for (const auto& [picture, branch] : pictures) {
      auto* svg = qobject_cast<QSvgWidget*>(p.form()->control(picture));
      QVERIFY(svg && svg->renderer()->isValid());
      // Drawn in the control's own pixels, so nothing is stretched.
      QCOMPARE(svg->renderer()->viewBox().size(), svg->size());
      // The class-E stage is the same in all three; each shunt branch has its ground.
      QStringList texts{"C1", "C2", "IDC", "Ic1", "Ir", "Isw", "L1", "Vc1", "Vcc", "Vs"};
      texts += branch + QStringList(branch.contains("C") ? 5 : 4, "0");
      texts.sort();
      QCOMPARE(PictureTexts(":/final/" + QString(picture).toLower() + ".svg"), texts);
    }
  }

  // One window follows the case of each run, showing exactly that case's
  // rows, and every row is shown and hidden by some step. The band message
  // holds the action with Picture3 already on display.
  void followsTheCaseOfTheLoad() {
    // RL, then the picture, the rows and what Label6 is read out as.
    const std::pair<const char*, const char*> steps[] = {{"9", "Picture3 10000 L [µH]"},
                                                         {"50", "Picture1 01101 LF [µH]"},
                                                         {"5", "Picture2 11110 L [µH]"},
                                                         {"9", "Picture3 10000 L [µH]"}};
    Circuit p;
    p.showFinalCircuit("50");
    const QPointer<FormWindow> window = p.form();
    for (const auto& [RL, seen] : steps) {
      p.showFinalCircuit(RL);
      QCOMPARE(p.form(), window.data());
      QCOMPARE(
          p.picture() + ' ' + p.rows() + ' ' + p.form()->control("Label6")->accessibleDescription(),
          seen);
    }
    QCOMPARE(p.messages.texts(), QStringList(2, kNoNetwork));
    QCOMPARE(p.picturesAtMessages, QStringList(2, "Picture3"));
  }

  void closingUnloads() {
    for (bool titleBar : {false, true}) {
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
      QCOMPARE(p.messages.texts(), QStringList{"<fault>"});
      QCOMPARE(p.picture() + ' ' + p.rows(), "none 11100");
      QCOMPARE(p.values(), "||||||||");
    }
  }
};

}  // namespace classe

QTEST_MAIN(classe::FinalCircuitWindowTest)
#include "final_circuit_window_test.moc"
