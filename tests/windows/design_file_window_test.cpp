// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QCoreApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "actions/form1_controls.h"
#include "actions/form4_controls.h"
#include "actions/input_fields.h"
#include "tests/windows/program.h"

using namespace classe;
using classe::testing::Program;

class DesignFileWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir;
  QString path(const char* name) { return dir.filePath(name); }
  // By keyboard, as a user does.
  static void Type(QWidget* field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(field);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  static QString Field(Program& p, Window w, const InputField& field) {
    return qobject_cast<QLineEdit*>(p.control(w, field.control.name.data()))->text();
  }
  // The command-line tool writes the design, as a user's colleague would.
  void Save(const QString& args, const QString& file) {
    QProcess cli;
    cli.start(QStringLiteral(CLASSE_CLI),
              QProcess::splitCommand(QStringLiteral("componenti ") + args + " salva=" + file));
    QVERIFY(cli.waitForFinished(10000));
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
  }

  // A file saved by the command line opens in the windows with its fields.
  void openingShowsTheFieldsOfTheFile() {
    Save("Po=25 Vcc=12 RL=7 M=300 Ron=0.3 QU=80 rete=si progetto=ideale", path("a.classe"));
    Program p;
    p.files.openPath = path("a.classe");
    p.main().menu().open->trigger();
    QCOMPARE(p.messages.texts(), QStringList());
    QCOMPARE(Field(p, Window::Form1, fields::Po), "25");
    QCOMPARE(Field(p, Window::Form1, fields::Vcc), "12");
    QCOMPARE(Field(p, Window::Form1, fields::RL), "7");
    QCOMPARE(Field(p, Window::Form1, fields::M), "300");
    QCOMPARE(Field(p, Window::Form1, fields::f), "4");
    QVERIFY(p.main().windowTitle().startsWith("a.classe[*]"));
    QVERIFY(!p.main().isWindowModified());
    // Nothing is computed until asked.
    QCOMPARE(p.text(Window::Form1, form1::Label11.name.data()), QString());
    p.main().menu().realCircuit->trigger();
    QCOMPARE(Field(p, Window::Form4, fields::Ron), "0.3");
    QCOMPARE(Field(p, Window::Form4, fields::QU), "80");
    auto* check =
        qobject_cast<QAbstractButton*>(p.control(Window::Form4, form4::Check1.name.data()));
    QVERIFY(check->isChecked());
    auto* ideal =
        qobject_cast<QAbstractButton*>(p.control(Window::Form4, form4::Option2.name.data()));
    QVERIFY(ideal->isChecked());
    QTRY_VERIFY(p.window(Window::Form4)->windowTitle().startsWith("a.classe[*]"));
    QCOMPARE(QSettings().value("fileRecenti").toStringList().value(0), path("a.classe"));
  }

  // The tolerance and sweep settings of a file show in their windows; what
  // the user changes there is what the next save keeps.
  void theAnalysisWindowsShowAndKeepTheirSettings() {
    Save("tolC=2 distribuzione=normale ritaratura=si prove=500 variabile=Vcc da=20 a=30",
         path("c.classe"));
    Program p;
    p.files.openPath = path("c.classe");
    p.main().menu().open->trigger();
    QCOMPARE(p.messages.texts(), QStringList());
    p.main().menu().tolerances->trigger();
    const auto text = [&](Window w, const char* name) {
      return qobject_cast<QLineEdit*>(p.control(w, name))->text();
    };
    const auto on = [&](Window w, const char* name) {
      return qobject_cast<QAbstractButton*>(p.control(w, name))->isChecked();
    };
    QCOMPARE(text(Window::Form6, "Text1"), "2");
    QCOMPARE(text(Window::Form6, "Text6"), "500");
    QVERIFY(on(Window::Form6, "Option2"));
    QVERIFY(on(Window::Form6, "Check1"));
    p.main().menu().sweep->trigger();
    QVERIFY(on(Window::Form7, "Option3"));
    QCOMPARE(text(Window::Form7, "Text1"), "20");
    QCOMPARE(text(Window::Form7, "Text2"), "30");
    QVERIFY(!p.main().isWindowModified());

    Type(p.control(Window::Form6, "Text2"), "3");
    QTest::mouseClick(p.control(Window::Form6, "Option1"), Qt::LeftButton);
    QTRY_VERIFY(p.main().isWindowModified());
    p.window(Window::Form6)->close();
    p.main().menu().save->trigger();
    QCOMPARE(p.messages.texts(), QStringList());
    QFile file(path("c.classe"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    QVERIFY2(saved.contains("\"tolL\": \"3\"") &&
                 saved.contains("\"distribuzione\": \"uniforme\"") &&
                 saved.contains("\"da\": \"20\""),
             saved.constData());
  }

  void typingMarksEveryWindowModifiedAndSavingClearsIt() {
    Program p;
    p.files.path = path("b.classe");
    Type(p.control(Window::Form1, form1::Text5.name.data()), "48");
    QVERIFY(p.main().isWindowModified());
    QVERIFY(p.main().menu().save->isEnabled());
    p.main().menu().save->trigger();
    QVERIFY(!p.main().isWindowModified());
    QVERIFY(p.main().windowTitle().startsWith("b.classe[*]"));
    Program again;
    again.files.openPath = path("b.classe");
    again.main().menu().open->trigger();
    QCOMPARE(Field(again, Window::Form1, fields::Vcc), "48");
  }

  void aModifiedDesignIsNotLostWithoutAsking() {
    Program p;
    int asked = 0;
    Calculator::SaveAnswer answer = Calculator::SaveAnswer::Cancel;
    p.calculator.setSaveQuestion([&] {
      ++asked;
      return answer;
    });
    p.main().menu().newDesign->trigger();
    QCOMPARE(asked, 0);  // nothing to lose yet
    Type(p.control(Window::Form1, form1::Text1.name.data()), "7");
    p.main().menu().newDesign->trigger();
    QCOMPARE(asked, 1);
    QCOMPARE(Field(p, Window::Form1, fields::Po), "7");  // Annulla
    QVERIFY(!p.main().close());
    QCOMPARE(asked, 2);
    QVERIFY(p.main().isVisible());
    answer = Calculator::SaveAnswer::Discard;
    p.main().menu().newDesign->trigger();
    QCOMPARE(Field(p, Window::Form1, fields::Po), "50");  // Non salvare: the defaults
    QVERIFY(!p.main().isWindowModified());
    Type(p.control(Window::Form1, form1::Text1.name.data()), "9");
    answer = Calculator::SaveAnswer::Save;
    p.files.path = path("c.classe");
    QVERIFY(p.main().close());
    QVERIFY(QFile::exists(path("c.classe")));
  }

  void aDamagedFileIsAMessageAndTheWindowsStay() {
    Program p;
    Type(p.control(Window::Form1, form1::Text5.name.data()), "33");
    QFile bad(path("bad.classe"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(R"({"format":"classe-e","version":1,"main":{"Vcc":12)");
    bad.close();
    QVERIFY(!p.calculator.openDesign(path("bad.classe")));
    QCOMPARE(p.messages.shown.size(), 1);
    QVERIFY(p.messages.shown[0].fault);
    QVERIFY2(p.messages.shown[0].text.contains("troncato"), qPrintable(p.messages.shown[0].text));
    QCOMPARE(Field(p, Window::Form1, fields::Vcc), "33");
    QCOMPARE(p.calculator.designPath(), QString());
  }

  void theReportIsExportedAsPdf() {
    Program p;
    p.files.path = path("r.pdf");
    p.main().menu().exportReport->trigger();
    // Computed off the GUI thread, then drawn.
    QTRY_VERIFY_WITH_TIMEOUT(!p.calculator.reporting(), 30000);
    QCOMPARE(p.messages.texts(), QStringList());
    QFile pdf(path("r.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");

    // The printer the dialog chose gets the same pages.
    p.calculator.setPrintQuestion([&](QWidget*, QPrinter& printer) {
      printer.setOutputFileName(path("p.pdf"));
      return true;
    });
    p.main().menu().print->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!p.calculator.reporting(), 30000);
    QFile printed(path("p.pdf"));
    QVERIFY(printed.open(QIODevice::ReadOnly));
    QVERIFY(printed.read(5) == "%PDF-");
  }

  // A report whose tolerance run is long shows its progress; "Interrompi"
  // stops it and nothing is written.
  void aLongReportCanBeStopped() {
    Save("prove=1000000 tolC=5", path("long.classe"));
    QFile file(path("long.classe"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray text = file.readAll();
    text.replace("\"eseguita\": \"no\"", "\"eseguita\": \"si\"");
    QVERIFY(text.contains("\"eseguita\": \"si\""));
    file.resize(0);
    file.write(text);
    file.close();
    Program p;
    QVERIFY(p.calculator.openDesign(path("long.classe")));
    p.files.path = path("long.pdf");
    p.main().menu().exportReport->trigger();
    QVERIFY(p.calculator.reporting());
    QProgressDialog* dialog = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(
        (dialog = p.main().findChild<QProgressDialog*>()) && dialog->isVisible(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(dialog->value() > 0, 10000);
    QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!p.calculator.reporting(), 10000);
    QCOMPARE(p.messages.texts(), QStringList());
    QVERIFY(!QFile::exists(path("long.pdf")));
  }
};

QTEST_MAIN(DesignFileWindowTest)
#include "design_file_window_test.moc"
