// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The main window as a user meets it: the real Form1 through Calculator, its
// controls found by design name and driven with QTest; messages are recorded,
// so nothing ever blocks on a dialog.

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "tests/windows/program.h"
#include "ui/atomic_file.h"

using namespace classe;

namespace {

const QString kInvalidTail = QStringLiteral(
    ". Puoi scrivere soltanto numeri razionali con il punto come separatore decimale, anche in "
    "forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3");

QString Invalid(const char* quantity) {
  return QStringLiteral("Errore di inserimento dati per ") + QString::fromUtf8(quantity) +
         kInvalidTail;
}

const QStringList kMatchingControls = {"Command2", "Label29", "Label30", "Label31",
                                       "Label32",  "Label33", "Label34"};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  Form1& window() { return program_->main(); }
  QWidget* control(const QString& name) {
    auto* w = window().findChild<QWidget*>(name);
    if (!w) qFatal("no control %s", qPrintable(name));
    return w;
  }
  QString caption(const QString& name) { return qobject_cast<QLabel*>(control(name))->text(); }
  bool shown(const QString& name) { return control(name)->isVisible(); }
  void type(const QString& field, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(control(field));
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void click(const QString& button) { QTest::mouseClick(control(button), Qt::LeftButton); }
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
  static QString accessible(QWidget* w, QAccessible::Text which) {
    return testing::Accessible(w, which);
  }

  std::unique_ptr<testing::Program> program_;

 private slots:
  void init() {
    program_ = std::make_unique<testing::Program>();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
  }
  void cleanup() { program_.reset(); }

  void windowFrame() {
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
    // The icon stays crisp at its smallest size: frame, yellow and the E's stem
    // are pure colours, not blends.
    const QImage icon = window().windowIcon().pixmap(QSize(16, 16)).toImage();
    QCOMPARE(icon.size(), QSize(16, 16));
    QCOMPARE(icon.pixelColor(0, 0), QColor(Qt::black));
    QCOMPARE(icon.pixelColor(2, 2), QColor(255, 255, 0));
    QCOMPARE(icon.pixelColor(4, 8), QColor(Qt::black));
    QCOMPARE(icon.pixelColor(10, 6), QColor(255, 255, 0));
  }

  void picturesAndColours() {
    const std::pair<const char*, const char*> pictures[] = {
        {"Image1", "Schema dello stadio in classe E"},
        {"Image2", "Rete di adattamento per R < RL"},
        {"Image3", "Rete di adattamento per R > RL"}};
    for (const auto& [image, name] : pictures) {
      auto* svg = qobject_cast<QSvgWidget*>(control(image));
      QVERIFY(svg->renderer()->isValid());
      // Drawn in the control's own pixels, so nothing is stretched.
      QCOMPARE(svg->renderer()->viewBoxF(), QRectF(QPointF(0, 0), QSizeF(svg->size())));
      QCOMPARE(accessible(svg, QAccessible::Name), QString(name));
    }
    // The window, Label67, a value box inside and on its border.
    const std::pair<QPoint, QColor> pixels[] = {{{600, 560}, QColor(192, 192, 255)},
                                                {{1017, 682}, QColor(255, 192, 128)},
                                                {{436, 331}, QColor(Qt::white)},
                                                {{336, 331}, QColor(Qt::black)}};
    const QImage shot = window().clientArea()->grab().toImage();
    for (const auto& [pixel, colour] : pixels)
      QCOMPARE(shot.pixelColor(pixel), colour);
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
                   accessible(control(field), QAccessible::Name),
               QString(seen));
    }
    const std::pair<const char*, const char*> boxes[] = {
        {"Label11", "R [Ω]"},          {"Label12", "L1 [µH]"},     {"Label13", "C1 [pF]"},
        {"Label14", "C2 [pF]"},        {"Label15", "L2 [µH]"},     {"Label39", "IDC [A]"},
        {"Label43", "Vc1 max [Volt]"}, {"Label41", "Isw max [A]"}, {"Label37", "Ir picco [A]"},
        {"Label29", "L [µH]"},         {"Label30", "C [pF]"}};
    for (const auto& [box, description] : boxes) {
      QVERIFY(caption(box).isEmpty());
      QCOMPARE(accessible(control(box), QAccessible::Description), QString(description));
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
      QCOMPARE(accessible(control(button), QAccessible::Name), QString(text));
    }
    click("Command1");
    click("Command2");
    click("Command3");
    QCOMPARE(caption("Label15"), QString("1.439 E+00"));
    QCOMPARE(caption("Label11"), QString("9.044E+00"));
    for (const auto& [box, description] : boxes) {
      QVERIFY(!caption(box).isEmpty());
      QCOMPARE(accessible(control(box), QAccessible::Name), caption(box));
      QCOMPARE(accessible(control(box), QAccessible::Description), QString(description));
    }
  }

  void hiddenUntilFirstCompute() {
    for (const QString& name : kMatchingControls + QStringList{"Image2", "Image3"}) {
      QVERIFY2(!shown(name), qPrintable(name));
    }
    QVERIFY(shown("Image1"));
    // The peak action computes the design too, but only the compute button
    // reveals the matching controls.
    click("Command3");
    QVERIFY(!shown("Command2"));
    click("Command1");
    for (const QString& name : kMatchingControls)
      QVERIFY2(shown(name), qPrintable(name));
    QVERIFY(!shown("Image2"));
    QVERIFY(!shown("Image3"));
    QVERIFY(caption("Label29").isEmpty());
    QVERIFY(program_->messages.shown.empty());
  }

  void focusChain_data() {
    QTest::addColumn<bool>("computeFirst");
    QTest::addColumn<QStringList>("chain");
    const QStringList head = {"Text1", "Text2",    "Text3", "Text4",
                              "Text5", "Command1", "Text6", "Text7"};
    const QStringList tail = {"Command3", "Command4", "Text9", "Command5", "Command6", "Text1"};
    // Hidden Command2 is passed over until the compute reveals it.
    QTest::newRow("at start") << false << head + tail;
    QTest::newRow("after a compute") << true << head + QStringList{"Command2"} + tail;
  }
  void focusChain() {
    QFETCH(bool, computeFirst);
    QFETCH(QStringList, chain);
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QTRY_VERIFY(QApplication::focusWidget() != nullptr);
    QCOMPARE(QApplication::focusWidget()->objectName(), QString("Text1"));
    if (computeFirst) {
      click("Command1");
      control("Text1")->setFocus();
    }
    QStringList walked = {QApplication::focusWidget()->objectName()};
    for (qsizetype i = 1; i < chain.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, chain);
  }

  void rejectedInput_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("edits");  // field, text, field, text...
    QTest::addColumn<QString>("message");
    const QStringList allEmpty = {"Text1", "", "Text2", "", "Text3", "", "Text4", "",
                                  "Text5", "", "Text6", "", "Text7", "", "Text9", ""};
    QTest::newRow("all empty") << "Command1" << allEmpty
                               << "Hai dimenticato di scrivere la potenza di uscita Po";
    QTest::newRow("RL checked though unused")
        << "Command1" << QStringList{"Text7", "abc"} << Invalid("RL");
    QTest::newRow("M empty") << "Command3" << QStringList{"Text9", ""}
                             << "Hai dimenticato di scrivere il numero di campioni M";
  }
  void rejectedInput() {
    QFETCH(QString, button);
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    // Everything filled and a picture shown, so that any change would show.
    click("Command1");
    click("Command2");
    click("Command3");
    QVERIFY(shown("Image2"));
    const auto before = snapshot();
    for (qsizetype i = 0; i + 1 < edits.size(); i += 2)
      type(edits[i], edits[i + 1]);
    click(button);
    QCOMPARE(program_->messages.shown.size(), 1);
    QCOMPARE(program_->messages.shown.front().text, message);
    QCOMPARE(snapshot(), before);
  }

  void matchingNetwork_data() {
    QTest::addColumn<QString>("load");     // typed RL, or empty for a multiple of R
    QTest::addColumn<double>("ofR");       // RL as that multiple of the stored R
    QTest::addColumn<bool>("bandNote");    // the "less than 5 %" message comes first
    QTest::addColumn<QString>("picture");  // the one shown afterwards, if any
    QTest::addColumn<QString>("L");
    QTest::addColumn<QString>("C");
    QTest::newRow("RL = 50") << "50" << 0.0 << false << "Image2"
                             << "7.658E-01"
                             << "1.693E+03";
    // Nothing to match: no picture, and the previous values stay.
    QTest::newRow("RL = R") << "" << 1.0 << true << ""
                            << "1.789E-01"
                            << "3.957E+03";
  }
  void matchingNetwork() {
    QFETCH(QString, load);
    QFETCH(double, ofR);
    QFETCH(bool, bandNote);
    QFETCH(QString, picture);
    QFETCH(QString, L);
    QFETCH(QString, C);
    click("Command1");
    type("Text7", "5");
    click("Command2");  // leaves Image3 and the RL = 5 values on display
    if (load.isEmpty()) load = QString::number(program_->calculator.state().R * ofR, 'g', 17);
    type("Text7", load);
    QStringList picturesDuringMessage;
    program_->messages.whileShown = [&] {
      for (const char* p : {"Image2", "Image3"}) {
        if (shown(p)) picturesDuringMessage << p;
      }
    };
    click("Command2");
    QCOMPARE(program_->messages.shown.size(), bandNote ? 1 : 0);
    if (bandNote) {
      QCOMPARE(program_->messages.shown.front().text,
               QString("RL differisce da R per meno del 5%, non occorre la rete adattatrice! Ma "
                       "se proprio vuoi la precisione, ecco qua:"));
      QVERIFY(!program_->messages.shown.front().fault);
      QCOMPARE(picturesDuringMessage, QStringList{});
    }
    QCOMPARE(shown("Image2"), picture == "Image2");
    QCOMPARE(shown("Image3"), picture == "Image3");
    QCOMPARE(caption("Label29"), L);
    QCOMPARE(caption("Label30"), C);
  }

  void faultLeavesTheWindow() {
    click("Command1");
    click("Command2");
    auto expected = snapshot();
    expected["Image2"] = "hidden ";  // the compute hides the pictures before it computes
    type("Text1", "0");
    click("Command1");
    QCOMPARE(program_->messages.shown.size(), 1);
    QVERIFY(program_->messages.shown.front().fault);
    QCOMPARE(snapshot(), expected);
    // The program goes on.
    type("Text1", "50");
    click("Command1");
    QCOMPARE(caption("Label11"), QString("9.044E+00"));
    QVERIFY(shown("Command2"));
  }

  void endingClosesEveryWindow_data() {
    QTest::addColumn<bool>("fromTitleBar");
    QTest::newRow("Esci") << false;
    QTest::newRow("title bar") << true;
  }
  void endingClosesEveryWindow() {
    QFETCH(bool, fromTitleBar);
    QSignalSpy ended(&program_->calculator, &Calculator::ended);
    click("Command4");
    click("Command5");
    QPointer<FormWindow> graphs = program_->calculator.controls().existing(Window::Form2);
    QPointer<FormWindow> circuit = program_->calculator.controls().existing(Window::Form3);
    QVERIFY(graphs && graphs->isVisible());
    QVERIFY(circuit && circuit->isVisible());
    if (fromTitleBar) {
      window().close();
    } else {
      click("Command6");
    }
    QCOMPARE(ended.count(), 1);
    QVERIFY(!window().isVisible());
    QTRY_VERIFY(!graphs && !circuit);  // closed windows delete themselves
    for (QWidget* w : QApplication::topLevelWidgets())
      QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
  }

  void menuBar() {
    QStringList seen;
    for (QAction* menu : window().findChild<QMenuBar*>()->actions()) {
      seen << menu->text();
      for (QAction* item : menu->menu()->actions())
        seen << (item->isSeparator() ? "-" : item->text() + ' ' + item->shortcut().toString());
    }
    QCOMPARE(seen, (QStringList{"&File", "Esporta &campioni CSV… ", "Esporta &netlist SPICE… ",
                                "-", "&Esci Ctrl+Q", "&Progetto", "&Circuito reale… Ctrl+R",
                                "&Aiuto", "&Guida F1", "&Informazioni su Classe E "}));
    // Ctrl+Q ends the program as "Esci" does.
    QSignalSpy ended(&program_->calculator, &Calculator::ended);
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(ended.count(), 1);
  }

  void exportSamples() {
    QTemporaryDir folder;
    const QString path = folder.filePath("campioni.csv");
    program_->files.path = path;
    type("Text9", "8");
    window().menu().exportSamples->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.first(), "i,teta,Vc1,Isw,Ic1,Ir");
    QVERIFY(lines.last().startsWith("8,12.56637061435916,"));
    QVERIFY(program_->messages.shown.empty());
    // A rejected field stops the export with its message, before any dialog.
    type("Text9", "");
    program_->files.offered.clear();
    window().menu().exportSamples->trigger();
    QCOMPARE(program_->messages.texts(),
             QStringList{"Hai dimenticato di scrivere il numero di campioni M"});
    QVERIFY(program_->files.offered.empty());
  }

  void failedExportKeepsTheOldFile() {
    QTemporaryDir folder;
    const QString path = folder.filePath("campioni.csv");
    {
      QFile old(path);
      QVERIFY(old.open(QIODevice::WriteOnly));
      old.write("old");
    }
    // A folder where nothing can be written, even by root: /proc.
    program_->files.path = "/proc/classe-e/campioni.csv";
    window().menu().exportSamples->trigger();
    QCOMPARE(program_->messages.shown.size(), 1);
    QVERIFY(program_->messages.shown[0].fault);
    QVERIFY(program_->messages.shown[0].text.startsWith("Impossibile scrivere il file "));
    // A writing that fails half-way (a disk that fills up) leaves the old
    // file as it was, and so does one that succeeds only as a whole.
    const auto failure = WriteFileAtomically(path, [](QIODevice& out) {
      out.write("partial");
      return false;
    });
    QVERIFY(failure.has_value());
    QFile old(path);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"campioni.csv"});
  }

  void helpAndAbout() {
    window().menu().help->trigger();
    HelpWindow* help = program_->calculator.helpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->toPlainText().contains("Circuito reale"));
    QTest::keyClick(help, Qt::Key_Escape);
    QTRY_VERIFY(!program_->calculator.helpWindow());
    QString text;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible()) continue;
        poll.stop();
        text = box->text();
        box->accept();
      }
    });
    poll.start(10);
    window().menu().about->trigger();
    QVERIFY(text.contains(CLASSE_VERSION) && text.contains("MIT") && text.contains(qVersion()));
  }

  // The real message box, once: found while it is open and closed with its
  // only button.
  void messageBoxHasTitleOneOkAndNoIcon() {
    MessageBoxPresenter boxes(&window());
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    qsizetype buttonCount = 0;
    bool modal = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible()) continue;
        poll.stop();
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttonCount = box->buttons().size();
        modal = box->isModal();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        if (ok) {
          QTest::mouseClick(ok, Qt::LeftButton);
        } else {
          box->reject();
        }
      }
    });
    poll.start(10);
    const QString message = "Hai dimenticato di scrivere la frequenza di funzionamento f ";
    boxes.show(message, false);
    QCOMPARE(title, ApplicationTitle());
    QCOMPARE(text, message);
    QCOMPARE(icon, QMessageBox::NoIcon);
    QCOMPARE(buttonCount, qsizetype{1});
    QVERIFY(modal);
  }

  // Nothing clipped or overlapping, with every control that can ever be shown.
  void layoutFits() {
    click("Command1");
    click("Command2");
    const QRect client = window().clientArea()->rect();
    const auto all = window().clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : all) {
      const QString name = w->objectName();
      if (name.isEmpty()) continue;
      QVERIFY2(client.contains(w->geometry()), qPrintable(name));
      for (QWidget* other : all) {
        if (other == w || other->objectName().isEmpty()) continue;
        const bool pictures = QSet<QString>{name, other->objectName()} ==
                              QSet<QString>{"Image2", "Image3"};  // never shown together
        QVERIFY2(pictures || !w->geometry().intersects(other->geometry()),
                 qPrintable(name + " overlaps " + other->objectName()));
      }
      const QFontMetrics metrics(w->font());
      if (auto* label = qobject_cast<QLabel*>(w)) {
        const QRect inside = label->contentsRect();
        // The longest text a value box can receive.
        const QString text = label->text().isEmpty() ? "-8.888 E+88" : label->text();
        if (name == "Label45") {
          const QRect need = metrics.boundingRect(inside, Qt::TextWordWrap, text);
          QVERIFY2(need.height() <= inside.height(), qPrintable(name));
        } else {
          // One line each, the orange Label67 included.
          QVERIFY2(metrics.horizontalAdvance(text) <= inside.width(), qPrintable(name));
          QVERIFY2(metrics.height() <= inside.height(), qPrintable(name));
        }
      } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect area =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QRect need = metrics.boundingRect(area.adjusted(2, 0, -2, 0),
                                                Qt::AlignCenter | Qt::TextWordWrap, button->text());
        QVERIFY2(area.adjusted(2, 0, -2, 0).contains(need), qPrintable(name));
      }
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
