// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The main window as a user meets it: the real Form1 through Calculator, its
// controls found by design name and driven with QTest; messages are recorded,
// so nothing ever blocks on a dialog. The numbers are the engine tests'
// business: here every button, menu item and picture must reach them.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "tests/windows/program.h"
#include "ui/atomic_file.h"

using namespace classe;

namespace {

// Runs `open`, which shows a modal message box, and hands the box to
// `inspect` while it is open; `inspect` closes it.
void WhileBoxOpen(const std::function<void()>& open,
                  const std::function<void(QMessageBox*)>& inspect) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      poll.stop();
      inspect(box);
    }
  });
  poll.start(10);
  open();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  Form1& window() { return p->main(); }
  QWidget* control(const char* name) { return p->control(Window::Form1, name); }
  QString caption(const char* name) { return p->text(Window::Form1, name); }
  bool shown(const char* name) { return p->shown(Window::Form1, name); }
  void click(const char* button) { p->click(button); }
  // By keyboard, as a user does.
  void type(const QString& field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(control(qPrintable(field)));
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  // Caption and visibility of every control the user cannot type into.
  QMap<QString, QString> snapshot() {
    QMap<QString, QString> seen;
    for (QWidget* w : window().clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (w->objectName().isEmpty() || qobject_cast<QLineEdit*>(w)) continue;
      QString text = w->isVisible() ? "shown " : "hidden ";
      if (auto* label = qobject_cast<QLabel*>(w)) text += label->text();
      seen.insert(w->objectName(), text);
    }
    return seen;
  }

  std::unique_ptr<testing::Program> p;

 private slots:
  void init() {
    p = std::make_unique<testing::Program>();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
  }
  void cleanup() { p.reset(); }

  void framePicturesAndNames() {
    QCOMPARE(window().windowTitle(), ApplicationTitle());
    QVERIFY(ApplicationTitle().contains("classe E"));
    // Fixed client area of 17115 x 10440 twips, the menu bar above it and
    // outside it: every control keeps its designed place in the client area.
    QWidget* client = window().clientArea();
    QCOMPARE(client->minimumSize(), QSize(1141, 696));
    QCOMPARE(client->maximumSize(), QSize(1141, 696));
    auto* bar = window().findChild<QMenuBar*>();
    QVERIFY(bar && bar->isVisible());
    QCOMPARE(client->geometry(), QRect(0, bar->height(), 1141, 696));
    QCOMPARE(window().size(), QSize(1141, 696 + bar->height()));
    QCOMPARE(window().minimumSize(), window().maximumSize());
    QCOMPARE(control("Text1")->parentWidget(), client);
    const std::pair<const char*, const char*> pictures[] = {
        {"Image1", "Schema dello stadio in classe E"},
        {"Image2", "Rete di adattamento per R < RL"},
        {"Image3", "Rete di adattamento per R > RL"}};
    for (const auto& [image, name] : pictures) {
      auto* svg = qobject_cast<QSvgWidget*>(control(image));
      QVERIFY(svg->renderer()->isValid());
      // Drawn in the control's own pixels, so nothing is stretched.
      QCOMPARE(svg->renderer()->viewBoxF(), QRectF(QPointF(0, 0), QSizeF(svg->size())));
      QCOMPARE(testing::Accessible(svg, QAccessible::Name), QString(name));
    }
  }

  // Each field, value box and button as the user and a screen reader meet
  // it: the field by its default and by its symbol and unit, the value box
  // empty, described by its symbol and unit and read out by its value once
  // filled, the button by its caption.
  void controlsAtStart() {
    const std::pair<const char*, const char*> fields[] = {
        {"Text1", "50|Po [Watt]"}, {"Text2", "4|f [MHz]"},     {"Text3", "4|Q"},
        {"Text4", "0|Von [Volt]"}, {"Text5", "28|Vcc [Volt]"}, {"Text6", "20|N"},
        {"Text7", "50|RL [Ω]"},    {"Text9", "1000|M"}};
    for (const auto& [field, seen] : fields) {
      QVERIFY(shown(field));
      QCOMPARE(qobject_cast<QLineEdit*>(control(field))->text() + '|' +
                   testing::Accessible(control(field), QAccessible::Name),
               QString(seen));
    }
    const std::pair<const char*, const char*> boxes[] = {
        {"Label11", "R [Ω]"},          {"Label12", "L1 [µH]"},     {"Label13", "C1 [pF]"},
        {"Label14", "C2 [pF]"},        {"Label15", "L2 [µH]"},     {"Label39", "IDC [A]"},
        {"Label43", "Vc1 max [Volt]"}, {"Label41", "Isw max [A]"}, {"Label37", "Ir picco [A]"},
        {"Label29", "L [µH]"},         {"Label30", "C [pF]"}};
    for (const auto& [box, description] : boxes) {
      QVERIFY(caption(box).isEmpty());
      QCOMPARE(testing::Accessible(control(box), QAccessible::Description), QString(description));
    }
    const std::pair<const char*, const char*> buttons[] = {
        {"Command1", "Calcola Componenti, Tensioni e Correnti"},
        {"Command2", "Calcola rete adattamento"},
        {"Command3", "Vc1 max,Isw max, Ir picco"},
        {"Command4", "Grafici"},
        {"Command5", "Circuito definitivo"},
        {"Command6", "Esci"}};
    for (const auto& [button, text] : buttons) {
      QCOMPARE(qobject_cast<QAbstractButton*>(control(button))->text(), QString(text));
      QCOMPARE(testing::Accessible(control(button), QAccessible::Name), QString(text));
    }
    click("Command1");
    click("Command2");
    click("Command3");
    QCOMPARE(caption("Label15"), QString("1.439 E+00"));
    for (const auto& [box, description] : boxes) {
      QVERIFY(!caption(box).isEmpty());
      QCOMPARE(testing::Accessible(control(box), QAccessible::Name), caption(box));
      QCOMPARE(testing::Accessible(control(box), QAccessible::Description), QString(description));
    }
  }

  // The peak action computes the design too, but only the compute button
  // reveals the matching controls; none of them shows a matching picture.
  void matchingControlsHiddenUntilFirstCompute() {
    for (const QString button : {"", "Command3", "Command1"}) {
      if (!button.isEmpty()) click(qPrintable(button));
      for (const char* name :
           {"Command2", "Label29", "Label30", "Label31", "Label32", "Label33", "Label34"})
        QVERIFY2(shown(name) == (button == "Command1"), name);
      QVERIFY(shown("Image1") && !shown("Image2") && !shown("Image3"));
    }
    QVERIFY(caption("Label29").isEmpty());
    QVERIFY(p->messages.shown.empty());
  }

  void focusChain() {
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
    const QStringList head = {"Text1", "Text2",    "Text3", "Text4",
                              "Text5", "Command1", "Text6", "Text7"};
    const QStringList tail = {"Command3", "Command4", "Text9", "Command5", "Command6", "Text1"};
    // Hidden Command2 is passed over until the compute reveals it.
    for (const QStringList& chain : {head + tail, head + QStringList{"Command2"} + tail}) {
      QStringList walked = {QApplication::focusWidget()->objectName()};
      for (qsizetype i = 1; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
      }
      QCOMPARE(walked, chain);
      click("Command1");
      control("Text1")->setFocus();
    }
  }

  // A rejected field stops its action with one message before anything
  // changes; a fault, after the compute has hidden the pictures. Everything
  // is filled and a picture shown first, so that any other change would show.
  void stoppedActionsLeaveTheWindow() {
    struct Case {
      const char* button;
      const char* field;
      const char* text;
      QString message;
    };
    const Case cases[] = {
        {"Command3", "Text9", "", "Hai dimenticato di scrivere il numero di campioni M"},
        {"Command1", "Text1", "0", "<fault>"}};
    for (const Case& c : cases) {
      init();
      click("Command1");
      click("Command2");
      click("Command3");
      QVERIFY(shown("Image2"));
      auto expected = snapshot();
      if (c.message == "<fault>") expected["Image2"] = "hidden ";
      type(c.field, c.text);
      click(c.button);
      QCOMPARE(p->messages.texts(), QStringList{c.message});
      QCOMPARE(snapshot(), expected);
    }
    // The program goes on.
    type("Text1", "50");
    click("Command1");
    QCOMPARE(caption("Label11"), QString("9.044E+00"));
    QVERIFY(shown("Command2"));
  }

  // RL = R needs no network: the note comes with neither picture on display,
  // and L and C keep the values of the last network (RL = 5).
  void loadEqualToRKeepsTheLastNetwork() {
    click("Command1");
    type("Text7", "5");
    click("Command2");
    QVERIFY(shown("Image3"));
    type("Text7", QString::number(p->s().R, 'g', 17));
    QStringList picturesDuringMessage;
    p->messages.whileShown = [&] {
      for (const char* picture : {"Image2", "Image3"})
        if (shown(picture)) picturesDuringMessage << picture;
    };
    click("Command2");
    QCOMPARE(p->messages.texts(),
             QStringList{"RL differisce da R per meno del 5%, non occorre la rete adattatrice! Ma "
                         "se proprio vuoi la precisione, ecco qua:"});
    QCOMPARE(picturesDuringMessage, QStringList{});
    QVERIFY(!shown("Image2") && !shown("Image3"));
    QCOMPARE(caption("Label29") + ' ' + caption("Label30"), QString("1.789E-01 3.957E+03"));
  }

  // "Esci", the title bar and Ctrl+Q end the program alike.
  void endingClosesEveryWindow() {
    for (int way = 0; way < 3; ++way) {
      init();
      QSignalSpy ended(&p->calculator, &Calculator::ended);
      click("Command4");
      click("Command5");
      QPointer<FormWindow> graphs = p->window(Window::Form2);
      QPointer<FormWindow> circuit = p->window(Window::Form3);
      QVERIFY(graphs && graphs->isVisible() && circuit && circuit->isVisible());
      if (way == 0) click("Command6");
      if (way == 1) window().close();
      if (way == 2) {
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        QTest::keyClick(&window(), Qt::Key_Q, Qt::ControlModifier);
      }
      QCOMPARE(ended.count(), 1);
      QVERIFY(!window().isVisible());
      QTRY_VERIFY(!graphs && !circuit);  // closed windows delete themselves
      for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
  }

  void menuBar() {
    QStringList seen;
    for (QAction* menu : window().findChild<QMenuBar*>()->actions()) {
      seen << menu->text();
      for (QAction* item : menu->menu()->actions())
        seen << (item->isSeparator() ? "-" : item->text() + ' ' + item->shortcut().toString());
    }
    QCOMPARE(seen, (QStringList{"&File",
                                "&Nuovo Ctrl+N",
                                "&Apri… Ctrl+O",
                                "File &recenti ",
                                "&Salva Ctrl+S",
                                "Salva con &nome… Ctrl+Shift+S",
                                "-",
                                "S&tampa… Ctrl+P",
                                "Esporta &rapporto PDF… ",
                                "-",
                                "Esporta &campioni CSV… ",
                                "Esporta &netlist SPICE… ",
                                "-",
                                "&Esci Ctrl+Q",
                                "&Progetto",
                                "&Circuito reale… Ctrl+R",
                                "C&omponenti commerciali… ",
                                "Analisi delle &tolleranze… ",
                                "Analisi &parametrica… ",
                                "&Aiuto",
                                "&Guida F1",
                                "&Informazioni su Classe E "}));
  }

  void exportSamplesAndKeepThemOnAFailure() {
    QTemporaryDir folder;
    const QString path = folder.filePath("campioni.csv");
    p->files.path = path;
    type("Text9", "8");
    window().menu().exportSamples->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray exported = file.readAll();
    const QStringList lines = QString::fromUtf8(exported).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.first(), "i,teta,Vc1,Isw,Ic1,Ir");
    QVERIFY(lines.last().startsWith("8,12.56637061435916,"));
    QVERIFY(p->messages.shown.empty());
    // A folder where nothing can be written, even by root: /proc.
    p->files.path = "/proc/classe-e/campioni.csv";
    window().menu().exportSamples->trigger();
    QCOMPARE(p->messages.shown.size(), 1);
    QVERIFY(p->messages.shown[0].fault);
    QVERIFY(p->messages.shown[0].text.startsWith("Impossibile scrivere il file "));
    // A writing that fails half-way (a disk that fills up) leaves the old
    // file as it was, and so does one that succeeds only as a whole.
    QVERIFY(WriteFileAtomically(path, [](QIODevice& out) {
      out.write("partial");
      return false;
    }));
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), exported);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"campioni.csv"});
    // A rejected field stops the export with its message, before any dialog.
    p->messages.shown.clear();
    p->files.offered.clear();
    type("Text9", "");
    window().menu().exportSamples->trigger();
    QCOMPARE(p->messages.texts(),
             QStringList{"Hai dimenticato di scrivere il numero di campioni M"});
    QVERIFY(p->files.offered.empty());
  }

  // The manual, the about box and the real message box, found while open.
  void helpAboutAndMessageBox() {
    window().menu().help->trigger();
    HelpWindow* help = p->calculator.helpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->toPlainText().contains("Circuito reale"));
    QTest::keyClick(help, Qt::Key_Escape);
    QTRY_VERIFY(!p->calculator.helpWindow());
    QString about;
    WhileBoxOpen([&] { window().menu().about->trigger(); },
                 [&](QMessageBox* box) {
                   about = box->text();
                   box->accept();
                 });
    QVERIFY(about.contains(CLASSE_VERSION) && about.contains("MIT") && about.contains(qVersion()));
    // A title, the text, no icon and one OK that closes it.
    MessageBoxPresenter boxes(&window());
    const QString message = "Hai dimenticato di scrivere la frequenza di funzionamento f ";
    QStringList seen;
    WhileBoxOpen([&] { boxes.show(message, false); },
                 [&](QMessageBox* box) {
                   QAbstractButton* ok = box->button(QMessageBox::Ok);
                   seen << box->windowTitle() << box->text()
                        << (box->icon() == QMessageBox::NoIcon ? "no icon" : "icon")
                        << QString::number(box->buttons().size())
                        << (box->isModal() ? "modal" : "");
                   if (ok) {
                     QTest::mouseClick(ok, Qt::LeftButton);
                   } else {
                     box->reject();
                   }
                 });
    QCOMPARE(seen, (QStringList{ApplicationTitle(), message, "no icon", "1", "modal"}));
  }

  // With every control that can ever be shown; Label45 wraps its note.
  void layoutFits() {
    click("Command1");
    click("Command2");
    testing::CheckLayout(window(), {{"Image2", "Image3"}}, {"Label45"});
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
