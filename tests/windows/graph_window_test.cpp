// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <utility>

#include "actions/curves.h"
#include "engine/design/display_format.h"
#include "tests/windows/program.h"
#include "ui/plot_area.h"
#include "ui/twips.h"
#include "windows/graphs/form2.h"

namespace classe {
namespace {

const char* const kBoxes[] = {"Label16", "Label17", "Label23", "Label24",
                              "Label29", "Label32", "Label35", "Label36"};
constexpr QRgb kYellow = qRgb(255, 255, 192);
constexpr QRgb kBlack = qRgb(0, 0, 0);

QRgb ToQRgb(Rgb c) {
  return qRgb(c.r, c.g, c.b);
}

// The program with the graph window in view.
struct Program : testing::Program {
  using testing::Program::Program;
  void graphs() { click("Command4"); }
  Form2* form() { return qobject_cast<Form2*>(window(Window::Form2)); }
  PlotArea* plot() { return form()->findChild<PlotArea*>("Picture1"); }
  QString text(const char* label) { return testing::Program::text(Window::Form2, label); }
  bool selected(std::string_view option) { return form()->isSelected(option); }
  int filledBoxes() {
    return static_cast<int>(std::count_if(std::begin(kBoxes), std::end(kBoxes),
                                          [&](const char* box) { return !text(box).isEmpty(); }));
  }

  // The retained drawing, and the device pixel that holds a point of plot units.
  const QImage& image() { return plot()->image(); }
  QPoint pixel(double x, double y) {
    const QPointF logical = plot()->toPixels(x, y) * plot()->devicePixelRatioF();
    return {static_cast<int>(std::floor(logical.x())), static_cast<int>(std::floor(logical.y()))};
  }

  // The mouse over a widget of the window, in whole pixels as a real mouse
  // moves, hit-tested by the window; over the plot at (x, y) plot units.
  void move(QWidget* w, QPointF at) {
    QTest::mouseMove(form()->windowHandle(), w->mapTo(form(), at.toPoint()));
  }
  void move(double x, double y) { move(plot(), plot()->toPixels(x, y)); }
};

QtMessageHandler qtMessages = nullptr;

// The offscreen platform cannot raise a window; the graph action asks it to
// every time.
void QuietAboutRaise(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (!text.contains("does not support raise()")) qtMessages(type, context, text);
}

}  // namespace

class GraphWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qtMessages = qInstallMessageHandler(QuietAboutRaise); }

  void windowIsLaidOutAsDesigned() {
    Program p;
    p.graphs();
    Form2* f = p.form();
    QVERIFY(f && f->isVisible() && !f->parentWidget());
    QVERIFY(f->windowTitle().startsWith("Grafici "));
    QCOMPARE(f->size(), TwipsSize(17955, 9900));
    const std::pair<const char*, QRect> places[] = {
        {"Option1", TwipsRect(15015, 420, 1170, 330)},
        {"Option4", TwipsRect(15015, 5565, 1590, 225)},
        {"Label16", TwipsRect(15540, 840, 1380, 330)},
        {"Label29", TwipsRect(15540, 4200, 1380, 330)},
        {"Label39", TwipsRect(15120, 6405, 390, 225)},
        {"Command1", TwipsRect(15645, 8190, 1275, 435)},
        {"Picture2", TwipsRect(15435, 8820, 225, 225)},
        // The picture boxes' units span the area inside their borders, at the
        // same heights in both.
        {"Picture1", TwipsRect(1155, 210, 13665, 8940).adjusted(2, 2, -2, -2)},
        {"Picture3", TwipsRect(105, 210, 1065, 8940).adjusted(2, 2, -2, -2)},
    };
    for (const auto& [name, rect] : places)
      QCOMPARE(f->control(name)->geometry(), rect);
    QVERIFY(f->control("Picture2")->isHidden());
    QVERIFY(!f->control("Label3")->font().bold() && !f->control("Label1")->font().bold());

    const char* captions[] = {"Vc1(teta)", "Isw(teta)", "Ic1(teta)", "Ir(teta)"};
    for (std::size_t i = 0; i < 4; ++i) {
      auto* option = qobject_cast<QAbstractButton*>(f->control(Curves()[i].option.name));
      QCOMPARE(option->text(), captions[i]);
      QCOMPARE(option->palette().color(option->foregroundRole()).rgb(), ToQRgb(Curves()[i].colour));
      QVERIFY(option->font().bold() && option->font().pointSizeF() == 8);
    }
    // A screen reader hears each value box by its value with its symbol and unit.
    p.move(50, 90);
    const QStringList about{"teta [rad]", "Vc1 [V]", "teta [rad]", "Isw [A]",
                            "teta [rad]", "Ic1 [A]", "teta [rad]", "Ir [A]"};
    for (int i = 0; i < 8; ++i) {
      QCOMPARE(f->control(kBoxes[i])->accessibleDescription(), about[i]);
      QCOMPARE(f->control(kBoxes[i])->accessibleName(), p.text(kBoxes[i]));
    }
    QCOMPARE(f->control("Label16")->accessibleName(), "6.28");
    testing::CheckLayout(*f);
  }

  // The four curves, each in its colour, reach the top of their strip and go
  // no higher, on the yellow background and its black grid.
  void curvesInTheirStrips() {
    Program p;
    p.graphs();
    const QImage& d = p.image();
    const int spread = p.plot()->penWidth() - 1;
    const double tops[] = {98, 78, 58, 29};
    for (std::size_t k = 0; k < 4; ++k) {
      const QRgb colour = ToQRgb(Curves()[k].colour);
      int top = d.height();
      for (int r = 0; r < d.height() && top == d.height(); ++r)
        for (int c = 0; c < d.width(); ++c)
          if (d.pixel(c, r) == colour) top = r;
      const int want = p.pixel(50, tops[k]).y();
      QVERIFY2(top >= want - spread && top <= want + 1, qPrintable(QString::number(k)));
    }
    // Vc1 is high above its baseline at π/2; the background stays above it.
    QCOMPARE(d.pixel(p.pixel(12.5, 80)), kBlack);
    QCOMPARE(d.pixel(p.pixel(12.5, 99.5)), kYellow);
  }

  // Another action redraws the one window; after its "Esci" the next action
  // starts a fresh one.
  void oneWindowRedrawnUntilItsEsci() {
    Program p;
    p.graphs();
    QPointer<Form2> first = p.form();
    p.move(50, 50);
    QVERIFY(p.selected("Option3") && p.filledBoxes() == 2 && !p.plot()->toolTip().isEmpty());
    p.graphs();
    QCOMPARE(p.form(), first.data());
    QTest::mouseClick(first->control("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first && !p.form());
    p.graphs();
    QVERIFY(p.form() && p.form()->isVisible() && p.selected("Option1"));
    QCOMPARE(p.filledBoxes(), 0);
    QCOMPARE(p.plot()->toolTip(), "");
  }

  void mouseMovesOverTheCaptionsBelongToThem() {
    Program p;
    p.graphs();
    PlotArea* plot = p.plot();
    p.move(25, 90);
    QCOMPARE(p.text("Label16"), "3.14");
    QWidget* box = p.form()->control("Label17");  // the value in its curve's colour
    QCOMPARE(box->palette().color(box->foregroundRole()).rgb(), ToQRgb(Curves()[0].colour));
    p.move(100, 50);
    QVERIFY(p.selected("Option3"));
    QCOMPARE(p.text("Label29"), "12.57");
    const QString tip = plot->toolTip();
    for (const char* name : {"Label3", "Label7", "Label8", "Label15"}) {
      QWidget* label = p.form()->control(name);
      p.move(label, label->rect().center());
      // Dragged across a caption too: the buttons do not matter.
      const QPointF at = label->rect().center();
      QMouseEvent drag(QEvent::MouseMove, at, label->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(label, &drag);
      QCOMPARE(plot->toolTip(), tip);
      QCOMPARE(p.text("Label29"), "12.57");
    }
    p.move(0, 90);
    QVERIFY(p.selected("Option1") && p.text("Label16") == "0.00");
  }

  void savesThePlotAsPngAndSvg() {
    Program p;
    p.graphs();
    QTemporaryDir folder;
    p.files.path = folder.filePath("grafici.png");
    emit p.plot()->saveImageRequested();
    QImage png(p.files.path);
    QCOMPARE(png.size(), p.form()->plotRegion().size() * p.form()->devicePixelRatioF());
    QCOMPARE(QStringList(p.files.offered.value(0)),
             (QStringList{"Immagine PNG (*.png)", "Immagine SVG (*.svg)"}));
    // SVG: the curves as lines in their colours and the captions as text.
    p.files.path = folder.filePath("grafici.svg");
    emit p.plot()->saveImageRequested();
    QFile svg(p.files.path);
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(svg.readAll());
    for (const char* part :
         {"<polyline", "stroke=\"#ff0000\"", "stroke=\"#0000ff\"", "Vc1(teta)[V]", "12.56"})
      QVERIFY2(xml.contains(part), part);
    QVERIFY(!xml.contains("<image"));
    QVERIFY(p.messages.shown.empty());
  }
};

}  // namespace classe

QTEST_MAIN(classe::GraphWindowTest)
#include "graph_window_test.moc"
