// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>

#include "actions/form5_controls.h"
#include "actions/parts_tables.h"
#include "tests/windows/program.h"

namespace classe {
namespace {

using namespace parts_tables;

// The program with the parts window open and its first run shown.
struct Parts : testing::Program {
  using Program::Program;

  Form5* open() {
    main().menu().parts->trigger();
    finish();
    return qobject_cast<Form5*>(window(Window::Form5));
  }
  void finish() { QTRY_VERIFY_WITH_TIMEOUT(!calculator.computingParts(), 20000); }
  QString cell(int row, PartsColumn column) {
    return text(Window::Form5, PartsCell(row, column).name.data());
  }
  void choose(const char* list, const char* entry) {
    qobject_cast<QComboBox*>(control(Window::Form5, list))->setCurrentText(entry);
  }
};

}  // namespace

class PartsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The main window's design with the network the real-circuit window puts
  // in the loop: C1, C2, L1, L2 and the network's L and C, bought in E24.
  void opensFromTheMenuWithThePartsBoughtAndRetuned() {
    Parts p;
    Form5* f = p.open();
    QVERIFY(f && f->isVisible());
    QCOMPARE(p.messages.texts(), QStringList());
    QStringList refs;
    for (int row = 1; row <= kPartsRows; ++row)
      refs << p.cell(row, PartsColumn::Ref);
    QCOMPARE(refs, (QStringList{"C1", "C2", "L1", "L2 (regolabile)", "L", "C (regolabile)"}));
    QCOMPARE(p.cell(1, PartsColumn::Bought), "1 nF");
    QVERIFY(p.calculator.parts());
    QVERIFY(std::abs(p.calculator.parts()->purchase.retune.steady.vonFraction) < 1e-6);
    QVERIFY(!p.text(Window::Form5, "Label7").isEmpty());  // the bench guide
    testing::CheckLayout(*f, {}, {"Label7", "Label8", "Label1"});
    if (const QByteArray shot = qgetenv("CLASSE_SHOT"); !shot.isEmpty())
      f->grab().save(QString::fromLocal8Bit(shot));
  }

  // Another series and the pairs, then the export read back; a refused
  // margin changes nothing.
  void choicesRecomputeAndTheBillOfMaterialsIsWritten() {
    Parts p;
    p.open();
    p.choose("Combo1", "E6");
    qobject_cast<QCheckBox*>(p.control(Window::Form5, "Check1"))->setChecked(true);
    p.click(Window::Form5, "Command1");
    p.finish();
    QVERIFY(!p.cell(2, PartsColumn::Pair).isEmpty());
    QCOMPARE(p.calculator.parts()->choice.capacitors, parts::Series::E6);

    QTemporaryDir dir;
    p.files.path = dir.filePath("distinta.csv");
    p.click(Window::Form5, "Command2");
    QFile file(p.files.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7);
    QVERIFY(lines[0].startsWith("riferimento,valore,serie"));
    QVERIFY(lines[1].startsWith("C1,"));

    qobject_cast<QLineEdit*>(p.control(Window::Form5, "Text1"))->setText("0.2");
    p.click(Window::Form5, "Command1");
    p.finish();
    QCOMPARE(p.messages.texts().value(0), "<fault>");
    QCOMPARE(p.calculator.parts().has_value(), false);
  }
};

}  // namespace classe

QTEST_MAIN(classe::PartsWindowTest)
#include "parts_window_test.moc"
