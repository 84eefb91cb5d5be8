// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// A seeded random walk through the real windows, as a careless user makes
// one: clicks anywhere (right and double clicks too), mouse moves over the
// plots, keys and shortcuts, typed and pasted texts of any characters and
// length, the menu items, windows opened and closed in any order, ngspice
// runs let finish, cancelled or abandoned, exports that succeed or cannot,
// and the program ended and started afresh. After every event: every
// message a known text, no "nan" or "inf" in any label, a value box a
// number or nothing, no field changed by the program, no dialog or menu
// left open.
//
// CLASSE_MONKEY_SEED and CLASSE_MONKEY_EVENTS choose the run. The draws never
// depend on time, so a seed replays the same events; only where a
// background ngspice run ends among them can differ.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "design/fault.h"
#include "design/text_input.h"
#include "tests/known_messages.h"
#include "tests/windows/program.h"

#ifdef __SANITIZE_ADDRESS__  // GCC's, which builds the sanitized suite
#include <sanitizer/common_interface_defs.h>
#endif

namespace classe {
namespace {

using testing::Program;

// Sampling takes time in proportion to M, and M = 10^7 is legal: a count
// above this is folded below it after every event, so that an event takes
// milliseconds.
constexpr std::int64_t kMaxSamples = 20000;

// The last events, printed with the seed when a property fails or a
// sanitizer stops the run.
std::uint64_t runSeed = 0;
std::array<std::string, 16> recent;
long current = 0;

void PrintTrail() {
  std::fprintf(stderr,
               "\nmonkey: seed %llu, event %ld; replay: CLASSE_MONKEY_SEED=%llu "
               "CLASSE_MONKEY_EVENTS=%ld monkey_test\nthe last events, the failing one last:\n",
               static_cast<unsigned long long>(runSeed), current,
               static_cast<unsigned long long>(runSeed), current);
  for (long k = std::max(1L, current - static_cast<long>(recent.size()) + 1); k <= current; ++k)
    std::fprintf(stderr, "  %s\n", recent[k % recent.size()].c_str());
}

[[noreturn]] void Fail(const QString& property, const QString& detail = {}) {
  std::fprintf(stderr, "\n*** monkey: %s\n    %s\n", qPrintable(property), qPrintable(detail));
  PrintTrail();
  std::_Exit(1);
}

#ifdef __SANITIZE_ADDRESS__
// fontconfig keeps, and never frees, what Qt's search for a fallback font
// allocates when a rare script or an emoji is first drawn.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

// A value box's text read as a number ("2.205 E+00" included).
bool IsFiniteNumber(QString text) {
  bool ok = false;
  const double value = text.remove(' ').toDouble(&ok);  // locale-independent
  return ok && std::isfinite(value);
}

QString Shown(const QString& text) {
  QString out = text.left(60);
  for (QChar& c : out)
    if (c.unicode() < 0x20) c = QChar(0x2400 + c.unicode());  // control pictures
  return '"' + out + (text.size() > 60 ? QString("…(%1)\"").arg(text.size()) : "\"");
}

// Not std::uniform_int_distribution, whose draws differ between standard
// libraries: a seed replays the same on any build.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int below(std::size_t n) { return static_cast<int>(engine_() % n); }
  int between(int low, int high) { return low + below(static_cast<std::size_t>(high - low + 1)); }
  bool chance(int percent) { return below(100) < percent; }
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  template <class Items>
  auto pick(const Items& items) {
    return items[below(items.size())];
  }

 private:
  std::mt19937_64 engine_;
};

// The edges of the check and of the arithmetic.
const std::vector<QString> kFieldTexts{
    "1e308", "-0",   ".",      "1e-400", "nan",   "inf",  "2147483648", "0.5",  "",      "0",
    "1",     "-1",   "50",     "4",      "28",    "20",   "1000",       "1e-5", "1e300", "1.79",
    "1.8",   "2",    "1e6",    "100000", "20001", "+5",   "5e",         "1..2", "1,5",   " 5",
    "0x10",  "-0.0", "4e-320", "5e-324", "0.999", "1.05", "47.6",       "52.5", "1e-12", "2e9"};

// C0 controls (NUL included), Hebrew and Arabic, emoji, CJK, printable
// ASCII most often, and now and then an invisible character, a lone
// surrogate or a lookalike.
char32_t RandomCodePoint(Dice& dice) {
  static const std::vector<char32_t> odd{0x7F,   0x85,   0xA0,   0xAD,   0x200B, 0x200E,
                                         0x2028, 0x202E, 0xFEFF, 0xFFFD, 0xD800, 0xDFFF,
                                         0x0660, 0xFF15, 0x2212, 0x00B5, 0x03A9, 0x00E9};
  static constexpr std::pair<char32_t, int> kRanges[] = {
      {0, 0x20}, {0x0590, 0x170}, {0x1F300, 0x700}, {0x4E00, 0x5000}, {0x20, 0x5F}, {0x20, 0x5F}};
  const auto& [first, count] = kRanges[dice.below(std::size(kRanges) + 1) % std::size(kRanges)];
  return dice.chance(12) ? dice.pick(odd) : first + static_cast<char32_t>(dice.below(count));
}

// Numbers a person would type come first, so that the actions get past the
// checks and into the arithmetic often; then any characters, any length up
// to `longest`.
QString RandomText(Dice& dice, int longest) {
  char number[64];
  switch (dice.below(6)) {
    case 0:
    case 1:
      std::snprintf(number, sizeof number, dice.chance(20) ? "%.*e" : "%.*f", dice.between(0, 3),
                    std::pow(10.0, -3 + 7 * dice.unit()));
      return QString::fromLatin1(number);
    case 2:
      return dice.pick(kFieldTexts);
    case 3:
      std::snprintf(number, sizeof number, "%.*ge%d", dice.between(1, 17), 1 + 9 * dice.unit(),
                    dice.between(-330, 320));
      return QString::fromLatin1(number);
    case 4: {  // bytes read as UTF-8, invalid sequences and all
      QByteArray bytes;
      for (int i = dice.between(0, 64); i > 0; --i)
        bytes += static_cast<char>(dice.below(256));
      return QString::fromUtf8(bytes);
    }
    default: {
      std::u32string points(dice.chance(80) ? dice.between(0, 40) : dice.between(0, longest), 0);
      for (char32_t& c : points)
        c = RandomCodePoint(dice);
      return QString::fromUcs4(points.data(), static_cast<qsizetype>(points.size()));
    }
  }
}

// A menu shows (the menu bar's, a field's or a plot's context menu): an item
// is drawn at once, so that the draws stay in order, and triggered from the
// menu's own event loop. The about box is read and closed; any other dialog
// is one that slipped past the recorded message boxes and file dialogs.
class PopupHandler : public QObject {
 public:
  explicit PopupHandler(Dice& dice) : dice_(dice) { qApp->installEventFilter(this); }
  QStringList log, failures;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
      std::vector<QAction*> items;
      for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->isEnabled() && !a->menu()) items.push_back(a);
      QPointer<QAction> chosen = !items.empty() && dice_.chance(75) ? dice_.pick(items) : nullptr;
      log << (chosen ? "menu item " + Shown(chosen->text()) : QString("menu closed"));
      QTimer::singleShot(0, menu, [menu = QPointer(menu), chosen] {
        if (menu) menu->hide();
        if (chosen) chosen->trigger();
      });
    } else if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isWindow()) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      if (box && box->text() == AboutText()) {
        log << "about box";
      } else {
        failures << QString("%1 \"%2\"")
                        .arg(dialog->metaObject()->className(),
                             box ? box->text() : dialog->windowTitle());
      }
      QTimer::singleShot(0, dialog, [dialog = QPointer(dialog)] {
        if (dialog) dialog->reject();
      });
    }
    return false;
  }

 private:
  Dice& dice_;
};

QString Name(QWidget* window) {
  auto* form = qobject_cast<FormWindow*>(window);
  if (!form) return "help";
  const std::string_view name = WindowName(form->id());
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

class Monkey {
 public:
  Monkey(std::uint64_t seed) : dice_(seed), popups_(dice_) {
    if (!folder_.isValid()) Fail("a temporary folder");
    start();
  }
  ~Monkey() { program_.reset(); }  // its fields leave typed_ as they go

 private:
  Dice dice_;
  PopupHandler popups_;
  QTemporaryDir folder_;
  std::unique_ptr<Program> program_;
  bool ended_ = false;
  qsizetype messagesSeen_ = 0, choicesSeen_ = 0;
  std::map<QLineEdit*, QString> typed_;  // what each field should hold
  long programs_ = 0, ngspiceRuns_ = 0, exports_ = 0, messages_ = 0;

  void start() {
    program_ = std::make_unique<Program>();
    ++programs_;
    ended_ = false;
    messagesSeen_ = choicesSeen_ = 0;
    typed_.clear();
    QObject::connect(&program_->calculator, &Calculator::ended, [this] { ended_ = true; });
    program_->files.path = folder_.filePath("export.csv");
    settle();
    check();
  }

  void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  std::vector<QWidget*> windows() {
    std::vector<QWidget*> all{&program_->main(), program_->calculator.helpWindow()};
    for (Window w : {Window::Form2, Window::Form3, Window::Form4})
      all.push_back(program_->window(w));
    std::erase_if(all, [](QWidget* w) { return !w || !w->isVisible(); });
    return all;
  }

  // Through the window, as the platform delivers a click: the widget under
  // the point gets it, a right button also its context menu.
  QString click(QWidget* window, QPoint at, Qt::MouseButton button, bool twice) {
    QWidget* under = window->childAt(at);
    const QString where = QString("%1 (%2,%3) %4")
                              .arg(Name(window))
                              .arg(at.x())
                              .arg(at.y())
                              .arg(under ? under->objectName() : QString());
    if (twice) {
      QTest::mouseDClick(window->windowHandle(), button, Qt::NoModifier, at);
    } else {
      QTest::mouseClick(window->windowHandle(), button, Qt::NoModifier, at);
    }
    return QString(button == Qt::LeftButton ? "left" : "right") + (twice ? " double" : "") +
           " click " + where;
  }

  // A named control of the window, a button more often than not.
  QString clickControl(QWidget* window) {
    std::vector<QWidget*> buttons, others;
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (w->objectName().isEmpty() || !w->isVisible()) continue;
      (qobject_cast<QAbstractButton*>(w) ? buttons : others).push_back(w);
    }
    const auto& from = !buttons.empty() && (others.empty() || dice_.chance(65)) ? buttons : others;
    if (from.empty()) return "no control";
    QWidget* control = dice_.pick(from);
    const QPoint at = control->mapTo(
        window, dice_.chance(50)
                    ? control->rect().center()
                    : QPoint(dice_.below(control->width()), dice_.below(control->height())));
    return click(window, at, dice_.chance(85) ? Qt::LeftButton : Qt::RightButton, dice_.chance(5));
  }

  // A key in a window made active first; its focus widget or its shortcuts
  // receive it. Ctrl+Q is left to the events that end the program.
  QString key() {
    const std::vector<QWidget*> open = windows();
    QWidget* window = dice_.pick(open);
    static const std::vector<Qt::Key> keys{
        Qt::Key_Tab,       Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space,
        Qt::Key_Backspace, Qt::Key_Left,    Qt::Key_Up,     Qt::Key_End,    Qt::Key_F1,
        Qt::Key_F10,       Qt::Key_Menu,    Qt::Key_A,      Qt::Key_C,      Qt::Key_V,
        Qt::Key_X,         Qt::Key_Z,       Qt::Key_R,      Qt::Key_F,      Qt::Key_P,
        Qt::Key_E,         Qt::Key_G,       Qt::Key_0,      Qt::Key_Period};
    static const std::vector<Qt::KeyboardModifiers> mods{
        Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
    const Qt::Key k = dice_.pick(keys);
    const Qt::KeyboardModifiers m = dice_.pick(mods);
    window->activateWindow();
    QCoreApplication::processEvents();
    const QString done = QString("key %1 in %2").arg(QKeySequence(m | k).toString(), Name(window));
    QTest::keyClick(window->windowHandle(), k, m);
    return done;
  }

  // Into a field clicked first: typed a key at a time (what a keyboard cannot
  // give arrives as an input method's commit), or pasted.
  QString type(bool paste) {
    std::vector<QLineEdit*> edits;
    for (QWidget* w : windows())
      for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (e->isVisible()) edits.push_back(e);
    if (edits.empty()) return "no field";
    QPointer<QLineEdit> edit = dice_.pick(edits);
    const QString text = RandomText(dice_, paste ? 40000 : 40);
    const QString done =
        QString("%1 %2 into %3.%4")
            .arg(paste ? "paste" : "type", Shown(text), Name(edit->window()), edit->objectName());
    QTest::mouseClick(edit, Qt::LeftButton);
    if (dice_.chance(60)) QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (paste) {
      QApplication::clipboard()->setText(text);
      if (edit) QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
      return done;
    }
    for (const uint c : text.toUcs4()) {
      if (!edit) break;
      if (c >= 0x20 && c < 0x7F) {
        QTest::keyClick(edit, static_cast<char>(c));
      } else {
        QInputMethodEvent commit;
        const char32_t point = c;
        commit.setCommitString(QString::fromUcs4(&point, 1));
        QApplication::sendEvent(edit, &commit);
      }
    }
    return done;
  }

  // Started from the real-circuit window (opened first when it is not), then
  // let finish, cancelled, abandoned with its window, overtaken by "Calcola",
  // or left to run among the next events.
  QString ngspice() {
    FormWindow* form = program_->window(Window::Form4);
    if (!form || !form->isVisible()) {
      program_->main().menu().realCircuit->trigger();
      return "menu \"Circuito reale…\"";
    }
    NgspiceRunner& runner = program_->calculator.ngspice();
    const bool wasRunning = runner.running();
    QTest::mouseClick(form->control(form4::Command2.name), Qt::LeftButton);
    // Drawn whether a run started or not: the draws must not depend on time.
    const int then = dice_.below(5);
    if (!runner.running()) return "ngspice, no run";
    ngspiceRuns_ += !wasRunning;
    static constexpr std::array<Control, 3> kInterrupt{form4::Command3, form4::Command4,
                                                       form4::Command1};
    if (then < 2) return "ngspice, " + waitNgspice();
    if (then == 4) return "ngspice, left running";
    QTest::mouseClick(form->control(kInterrupt[then - 2].name), Qt::LeftButton);
    return QString("ngspice, then ") + kInterrupt[then - 2].name.data();
  }

  QString waitNgspice() {
    NgspiceRunner& runner = program_->calculator.ngspice();
    if (!runner.running()) return "nothing to wait for";
    QEventLoop loop;
    QObject::connect(&runner, &NgspiceRunner::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    loop.exec();
    FormWindow* form = program_->window(Window::Form4);
    return "waited: " +
           (form ? Shown(qobject_cast<QLabel*>(form->control(form4::Label9.name))->text()) : "");
  }

  // Every way the program ends: the button, the menu item, its shortcut, the
  // title bar.
  QString endProgram() {
    Form1& main = program_->main();
    const int way = dice_.below(4);
    if (way == 0) QTest::mouseClick(main.control(form1::Command6.name), Qt::LeftButton);
    if (way == 1) main.menu().quit->trigger();
    if (way == 2) {
      main.activateWindow();
      QTest::keyClick(main.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    }
    if (way == 3) main.close();
    return std::array{"Esci", "menu \"Esci\"", "Ctrl+Q", "close Form1"}[way];
  }

  // What the save dialog answers from now on: a file in the temporary folder,
  // one that cannot be written, or a cancel.
  QString chooseExportAnswer() {
    static const std::vector<QString> names{
        "export.csv",   "export.cir",    "export.png",           "export.svg",
        "spazio è qui", "/proc/version", "no-such-folder/x.csv", ""};
    const QString name = dice_.pick(names);
    program_->files.path = name.startsWith('/') || name.isEmpty() ? name : folder_.filePath(name);
    static const std::vector<QString> filters{"", "", "Netlist SPICE, progetto ideale (*.cir)",
                                              "Immagine SVG (*.svg)"};
    program_->files.filter = dice_.pick(filters);
    return "the save dialog answers " + Shown(program_->files.path);
  }

  QString perform() {
    const std::vector<QWidget*> open = windows();
    QWidget* window = dice_.pick(open);
    const QPoint anywhere(dice_.below(window->width()), dice_.below(window->height()));
    // Clicks most often, then keys and texts; the rest now and then.
    static constexpr std::array kWeighted{0, 0, 0, 1, 1, 1, 1, 2, 3,  3,
                                          4, 4, 5, 6, 7, 8, 8, 9, 10, 11};
    switch (kWeighted[static_cast<std::size_t>(dice_.below(kWeighted.size()))]) {
      case 0:
        return click(window, anywhere, dice_.chance(80) ? Qt::LeftButton : Qt::RightButton,
                     dice_.chance(5));
      case 1:
        return clickControl(window);
      case 2:  // over the plots, where the read-out follows the mouse
        for (int i = dice_.between(1, 8); i > 0 && window->isVisible(); --i)
          QTest::mouseMove(window->windowHandle(),
                           {dice_.below(window->width()), dice_.below(window->height())});
        return "mouse moves in " + Name(window);
      case 3:
        return key();
      case 4:
        return type(false);
      case 5:
        return type(true);
      case 6: {
        const MainMenu& menu = program_->main().menu();
        QAction* item = dice_.pick(std::array{menu.exportSamples, menu.exportNetlist,
                                              menu.realCircuit, menu.help, menu.about});
        item->trigger();
        return "menu " + Shown(item->text());
      }
      case 7:
        if (window == &program_->main()) return "no window to close";
        window->close();
        return "close " + Name(window);
      case 8:
        return ngspice();
      case 9:
        return chooseExportAnswer();
      case 10:
        return dice_.chance(40) ? endProgram() : waitNgspice();
      default:  // a user who starts over: the defaults typed in again
        for (const InputField& field : kInputFields) {
          auto* edit = qobject_cast<QLineEdit*>(program_->main().control(field.control.name));
          edit->setText(QString::fromUtf8(field.defaultText.data(),
                                          static_cast<qsizetype>(field.defaultText.size())));
          typed_[edit] = edit->text();
        }
        return "defaults retyped";
    }
  }

 public:
  void event(long number) {
    current = number;
    std::string& line = recent[number % recent.size()];
    line = "#" + std::to_string(number) + " …";  // named before it runs, so that a crash names it
    // An export that writes must leave a file that was not there before.
    if (program_->files.path.startsWith(folder_.path() + "/")) QFile::remove(program_->files.path);
    QString done = perform();
    line = "#" + std::to_string(number) + " " + done.toStdString();
    settle();
    if (!popups_.log.isEmpty()) {
      done += " [" + popups_.log.join("; ") + "]";
      popups_.log.clear();
      line = "#" + std::to_string(number) + " " + done.toStdString();
      settle();
    }
    check();
    if (ended_) {
      for (QWidget* w : windows())
        Fail("every window closes when the program ends", Name(w));
      program_.reset();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      start();
      return;
    }
    auto* count = qobject_cast<QLineEdit*>(program_->main().control(form1::Text9.name));
    const PreservedFpFlags keep;  // Val may raise flags: the program's own state is not ours
    const std::string text = count->text().toStdString();
    if (text.size() < 40 && text.find_first_not_of("0123456789.eE-+") == std::string::npos &&
        !text.empty()) {
      const double m = std::nearbyint(Val(text));
      if (m > static_cast<double>(kMaxSamples) && m <= 2147483647.0) {
        count->setText(QString::number(static_cast<std::int64_t>(m) % (kMaxSamples + 1)));
        typed_[count] = count->text();
      }
    }
  }

 private:
  // What an export wrote: a netlist whose numbers ngspice can read, samples
  // of six finite numbers a row, an image that is not empty.
  void checkExport(const QString& filter) {
    const QString path = program_->files.path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
      Fail("an export writes its file", path);
    const QByteArray bytes = file.readAll();
    if (filter.startsWith("Netlist SPICE")) {
      static const QRegularExpression comma(QStringLiteral("\\d,\\d"));
      const QString deck = QString::fromUtf8(bytes);
      if (comma.match(deck).hasMatch() || testing::MentionsNonFinite(deck.toStdString()))
        Fail("a netlist writes finite numbers with the point", path);
    } else if (filter.contains("(*.csv)")) {
      const QList<QByteArray> lines = bytes.trimmed().split('\n');
      if (lines.value(0) != "i,teta,Vc1,Isw,Ic1,Ir") Fail("the samples start with their header");
      for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> row = lines[i].split(',');
        bool finite = row.size() == 6;
        for (const QByteArray& cell : row)
          finite = finite && IsFiniteNumber(QString::fromLatin1(cell));
        if (!finite)
          Fail("every row of the samples holds six finite numbers", QString::fromLatin1(lines[i]));
      }
    }
    ++exports_;
  }

  // A window's texts: no "nan" or "inf" anywhere, a value box a number or
  // nothing, a field its default until the monkey types into it.
  void checkTexts(QWidget* window, std::optional<Window> id) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const QString where = Name(window) + "." + w->objectName();
      QString text = w->toolTip();
      if (auto* label = qobject_cast<QLabel*>(w)) text += " " + label->text();
      if (auto* button = qobject_cast<QAbstractButton*>(w)) text += " " + button->text();
      if (testing::MentionsNonFinite(text.toStdString()))
        Fail("no text says nan or inf", where + " " + Shown(text));
      if (!id) continue;
      const std::string name = w->objectName().toStdString();  // the Control only views it
      const Control control{*id, name};
      if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty() &&
                                                  FindValueBox(control) &&
                                                  !IsFiniteNumber(label->text())) {
        Fail("a value box holds a finite number or nothing", where + " " + Shown(label->text()));
      }
      auto* edit = qobject_cast<QLineEdit*>(w);
      if (!edit) continue;
      if (const auto it = typed_.find(edit); it != typed_.end()) {
        if (edit->text() != it->second)
          Fail("no field is changed by the program", where + " " + Shown(edit->text()));
        continue;
      }
      const InputField* field = FindInputField(control);
      if (!field || edit->text().toStdString() != field->defaultText)
        Fail("a field opens with its default", where + " " + Shown(edit->text()));
      typed_[edit] = edit->text();
      QObject::connect(edit, &QLineEdit::textEdited,
                       [this, edit](const QString& t) { typed_[edit] = t; });
      QObject::connect(edit, &QObject::destroyed, [this, edit] { typed_.erase(edit); });
    }
  }

  void check() {
    if (!popups_.failures.isEmpty()) Fail("no dialog opens but the about box", popups_.failures[0]);
    if (QWidget* popup = QApplication::activePopupWidget())
      Fail("no popup stays open", popup->metaObject()->className());
    const std::vector<QWidget*> open = windows();
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && !w->inherits("QTipLabel") && std::ranges::count(open, w) == 0)
        Fail("no window but the program's stays open", w->metaObject()->className());
    }
    if (!ended_ && !program_->main().isVisible()) Fail("the main window stays until the end");

    const QList<testing::RecordingPresenter::Shown>& shown = program_->messages.shown;
    const bool quiet = messagesSeen_ == shown.size();
    for (; messagesSeen_ < shown.size(); ++messagesSeen_, ++messages_) {
      const auto& m = shown[messagesSeen_];
      if (testing::ClassifyMessage(m.text.toStdString(), m.fault) == testing::MessageKind::Unknown)
        Fail("every message is a known text", Shown(m.text));
      if (testing::MentionsNonFinite(m.text.toStdString()))
        Fail("no message says nan or inf", Shown(m.text));
    }
    // A save dialog answered with a writable path and no message: the file is there.
    const QList<QStringList>& offered = program_->files.offered;
    if (offered.size() > choicesSeen_) {
      choicesSeen_ = offered.size();
      const QString& path = program_->files.path;
      if (!path.isEmpty() && quiet) {
        if (!path.startsWith(folder_.path() + "/") || path.contains("/no-such-folder/"))
          Fail("an export that cannot be written says so", path);
        const QString& chosen = program_->files.filter;
        checkExport(offered.last().contains(chosen) ? chosen : offered.last().value(0));
      }
    }
    for (QWidget* w : open) {
      auto* form = qobject_cast<FormWindow*>(w);
      checkTexts(w, form ? std::optional(form->id()) : std::nullopt);
    }
  }

 public:
  void finish() {
    waitNgspice();  // a run left going is checked like the others
    settle();
    check();
    std::printf(
        "monkey: seed %llu, %ld events, %ld programs, %ld messages, %ld ngspice runs, "
        "%ld exports checked\n",
        static_cast<unsigned long long>(runSeed), current, programs_, messages_, ngspiceRuns_,
        exports_);
  }
};

long FromEnvironment(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

QtMessageHandler qtMessages = nullptr;

// What the offscreen platform cannot do (raise a window, grab the keyboard
// for a menu) it says every time; a script no installed font shapes, every
// time it is drawn.
void QuietAboutPlatform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (!text.startsWith("This plugin does not support") &&
      !text.startsWith("OpenType support missing for")) {
    qtMessages(type, context, text);
  }
}

}  // namespace
}  // namespace classe

int main(int argc, char** argv) {
  using namespace classe;
  runSeed = static_cast<std::uint64_t>(FromEnvironment("CLASSE_MONKEY_SEED", 1));
  const long events = FromEnvironment("CLASSE_MONKEY_EVENTS", 2000);
  qtMessages = qInstallMessageHandler(QuietAboutPlatform);
  QApplication app(argc, argv);
#ifdef __SANITIZE_ADDRESS__
  __sanitizer_set_death_callback(PrintTrail);
#endif
  Monkey monkey(runSeed);
  for (long n = 1; n <= events; ++n)
    monkey.event(n);
  monkey.finish();
  return 0;
}
