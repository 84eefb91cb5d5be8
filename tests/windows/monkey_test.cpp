// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// A seeded random walk through the real windows, as a careless user makes one, with check() after
// every event. CLASSE_MONKEY_SEED and CLASSE_MONKEY_EVENTS choose the run; the draws never depend
// on time, so a seed replays the same events, bar where a background ngspice run ends among them.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>

#include "actions/analysis_fields.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "engine/design/fault.h"
#include "engine/design/text_input.h"
#include "engine/statistics/results_csv.h"
#include "tests/known_messages.h"
#include "tests/windows/program.h"

#ifdef __SANITIZE_ADDRESS__  // GCC's, which builds the sanitized suite
#include <sanitizer/common_interface_defs.h>
#endif

namespace classe {
namespace {

using testing::Program;

// M = 10^7 is legal but samples for seconds: a larger count is folded below this after an event.
constexpr std::int64_t kMaxSamples = 20000;

// The last events, printed with the seed when a property fails or a sanitizer stops the run.
unsigned long long runSeed = 0;
std::array<std::string, 16> recent;
long current = 0;

void PrintTrail() {
  std::fprintf(stderr, "\nmonkey: CLASSE_MONKEY_SEED=%llu CLASSE_MONKEY_EVENTS=%ld replays it:\n",
               runSeed, current);
  for (long k = std::max(1L, current - static_cast<long>(recent.size()) + 1); k <= current; ++k)
    std::fprintf(stderr, "  %s\n", recent[k % recent.size()].c_str());
}

[[noreturn]] void Fail(const QString& property, const QString& detail = {}) {
  std::fprintf(stderr, "\n*** monkey: %s\n    %s\n", qPrintable(property), qPrintable(detail));
  PrintTrail();
  std::_Exit(1);
}

#ifdef __SANITIZE_ADDRESS__
// fontconfig never frees what Qt's fallback-font search allocates for a rare script or an emoji.
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

// Not std::uniform_int_distribution, whose draws differ between standard libraries.
class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  int below(std::size_t n) { return static_cast<int>(engine_() % n); }
  int between(int low, int high) { return low + below(static_cast<std::size_t>(high - low + 1)); }
  bool chance(int percent) { return below(100) < percent; }
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  auto pick(const auto& items) { return items[below(items.size())]; }

 private:
  std::mt19937_64 engine_;
};

// The edges of the check and of the arithmetic.
const std::vector<QString> kFieldTexts{
    "1e308", "-0",   ".",      "1e-400", "nan",   "inf",  "2147483648", "0.5",  "",      "0",
    "1",     "-1",   "50",     "4",      "28",    "20",   "1000",       "1e-5", "1e300", "1.79",
    "1.8",   "2",    "1e6",    "100000", "20001", "+5",   "5e",         "1..2", "1,5",   " 5",
    "0x10",  "-0.0", "4e-320", "5e-324", "0.999", "1.05", "47.6",       "52.5", "1e-12", "2e9"};

// Printable ASCII most often, C0 controls, Hebrew and Arabic, emoji, CJK, and now and then an
// invisible character, a lone surrogate or a lookalike.
char32_t RandomCodePoint(Dice& dice) {
  static const std::vector<char32_t> odd{0x7F,   0x85,   0xA0,   0xAD,   0x200B, 0x200E,
                                         0x2028, 0x202E, 0xFEFF, 0xFFFD, 0xD800, 0xDFFF,
                                         0x0660, 0xFF15, 0x2212, 0x00B5, 0x03A9, 0x00E9};
  static constexpr std::pair<char32_t, int> kRanges[] = {
      {0, 0x20}, {0x0590, 0x170}, {0x1F300, 0x700}, {0x4E00, 0x5000}, {0x20, 0x5F}, {0x20, 0x5F}};
  const auto& [first, count] = kRanges[dice.below(std::size(kRanges) + 1) % std::size(kRanges)];
  return dice.chance(12) ? dice.pick(odd) : first + static_cast<char32_t>(dice.below(count));
}

// Numbers a person would type most often, so that the actions get past the checks into the
// arithmetic; then edge texts, odd numbers, and any characters of any length up to `longest`.
QString RandomText(Dice& dice, int longest) {
  char number[64];  // snprintf, so that the Italian run types decimal commas as its users do
  switch (dice.below(6)) {
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
    case 5: {
      std::u32string points(dice.chance(80) ? dice.between(0, 40) : dice.between(0, longest), 0);
      for (char32_t& c : points)
        c = RandomCodePoint(dice);
      return QString::fromUcs4(points.data(), static_cast<qsizetype>(points.size()));
    }
    default:  // two draws in six
      std::snprintf(number, sizeof number, dice.chance(20) ? "%.*e" : "%.*f", dice.between(0, 3),
                    std::pow(10.0, -3 + 7 * dice.unit()));
      return QString::fromLatin1(number);
  }
}

// The drop-down list whose popup `watched` is, if it is one.
QComboBox* ListOfPopup(QObject* watched) {
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || !w->inherits("QComboBoxPrivateContainer")) return nullptr;
  auto* list = qobject_cast<QComboBox*>(w->parentWidget());
  return list && list->count() > 0 ? list : nullptr;
}

// A menu that shows gets its item drawn at once, so that the draws stay in order, and triggered
// from the menu's own loop. A dialog but the about box slipped past the recorded ones.
class PopupHandler : public QObject {
 public:
  explicit PopupHandler(Dice& dice) : dice_(dice) { qApp->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show) return false;
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
      QList<QAction*> items = menu->actions();
      items.removeIf([](QAction* a) { return a->isSeparator() || !a->isEnabled() || a->menu(); });
      QPointer<QAction> chosen = !items.empty() && dice_.chance(75) ? dice_.pick(items) : nullptr;
      log << (chosen ? "menu item " + Shown(chosen->text()) : QString("menu closed"));
      QTimer::singleShot(0, menu, [menu = QPointer(menu), chosen] {
        if (menu) menu->hide();
        if (chosen) chosen->trigger();
      });
    } else if (auto* list = ListOfPopup(watched)) {
      // A drop-down list opened from the keyboard: an entry is chosen, or
      // the list closed, as a user does.
      const int index = dice_.chance(75) ? dice_.below(list->count()) : list->currentIndex();
      log << "list entry " + Shown(list->itemText(index));
      QTimer::singleShot(0, list, [list = QPointer(list), index] {
        if (!list) return;
        list->setCurrentIndex(index);
        list->hidePopup();
      });
    } else if (auto* progress = qobject_cast<QProgressDialog*>(watched)) {
      // A long report shows its progress: it is the program's own, and goes
      // when the report is done.
      log << "progress " + Shown(progress->labelText());
    } else if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && dialog->isWindow()) {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      const QString text = box ? box->text() : dialog->windowTitle();
      (box && text == AboutText() ? log : failures)
          << QString("%1 %2").arg(dialog->metaObject()->className(), Shown(text));
      QTimer::singleShot(0, dialog, &QDialog::reject);
    }
    return false;
  }
  QStringList log, failures;

 private:
  Dice& dice_;
};

// The text a field starts with, whichever window's table holds it.
std::optional<std::string_view> DefaultText(Control control) {
  if (const InputField* field = FindInputField(control)) return field->defaultText;
  for (std::span<const AnalysisField> table : {std::span<const AnalysisField>(kToleranceFields),
                                               std::span<const AnalysisField>(kSweepFields)})
    for (const AnalysisField& field : table)
      if (field.control == control) return field.defaultText;
  return std::nullopt;
}

QString Name(QWidget* window) {
  auto* form = qobject_cast<FormWindow*>(window);
  return form ? QString::fromLatin1(WindowName(form->id())) : "help";
}

class Monkey {
 public:
  Monkey(std::uint64_t seed) : dice_(seed), popups_(dice_) {
    if (!folder_.isValid()) Fail("a temporary folder");
    start();
  }

  void event(long number) {
    current = number;
    const auto name = [&](const QString& done) {  // before it runs too, so that a crash names it
      recent[number % recent.size()] = "#" + std::to_string(number) + " " + done.toStdString();
    };
    name("…");
    // An export that writes must leave a file that was not there before.
    if (program_->files.path.startsWith(folder_.path() + "/")) QFile::remove(program_->files.path);
    const QString done = perform();
    name(done);
    settle();
    if (!popups_.log.isEmpty()) {
      name(done + " [" + popups_.log.join("; ") + "]");
      popups_.log.clear();
      settle();
    }
    check();
    if (ended_) {
      for (QWidget* w : windows())
        Fail("every window closes when the program ends", Name(w));
      program_.reset();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      return start();
    }
    auto* count = qobject_cast<QLineEdit*>(program_->main().control(form1::Text9.name));
    const PreservedFpFlags keep;  // Val may raise flags: the program's own state is not ours
    const std::string text = count->text().toStdString();
    const double m = CheckText(text) == TextCheck::Accepted ? std::nearbyint(Val(text)) : 0.0;
    if (m > static_cast<double>(kMaxSamples) && m <= 2147483647.0) {
      count->setText(QString::number(static_cast<std::int64_t>(m) % (kMaxSamples + 1)));
      typed_[count] = count->text();
    }
  }

  void finish() {
    waitNgspice();  // a run left going is checked like the others
    settle();
    check();
    std::printf(
        "monkey: seed %llu, %ld events, %ld programs, %ld messages, %ld ngspice runs, "
        "%ld exports checked\n",
        runSeed, current, programs_, messages_, ngspiceRuns_, exports_);
  }

 private:
  Dice dice_;
  PopupHandler popups_;
  QTemporaryDir folder_;
  bool ended_ = false;
  qsizetype messagesSeen_ = 0, choicesSeen_ = 0;
  std::map<QLineEdit*, QString> typed_;  // what each field should hold
  long programs_ = 0, ngspiceRuns_ = 0, exports_ = 0, messages_ = 0;
  bool ending_ = false;                        // the program is being ended: changes may go
  std::map<std::string, std::string> closed_;  // the texts of the fields of windows closed
  std::unique_ptr<Program> program_;           // last, so that its fields leave typed_ as they go

  void start() {
    program_ = std::make_unique<Program>();
    // The question before a design is lost keeps it, but when the program
    // ends; the print dialog is cancelled.
    program_->calculator.setSaveQuestion([this] {
      return ending_ ? Calculator::SaveAnswer::Discard : Calculator::SaveAnswer::Cancel;
    });
    program_->calculator.setPrintQuestion([](QWidget*, QPrinter&) { return false; });
    ending_ = false;
    ++programs_;
    ended_ = false;
    messagesSeen_ = choicesSeen_ = 0;
    typed_.clear();
    closed_.clear();
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
    for (Window w :
         {Window::Form2, Window::Form3, Window::Form4, Window::Form5, Window::Form6, Window::Form7})
      all.push_back(program_->window(w));
    std::erase_if(all, [](QWidget* w) { return !w || !w->isVisible(); });
    return all;
  }

  QPoint anywhere(QWidget* w) { return {dice_.below(w->width()), dice_.below(w->height())}; }

  // Through the window, as the platform delivers a click: the widget under the point gets it, a
  // right button also its context menu.
  QString click(QWidget* window, QPoint at) {
    const bool right = dice_.chance(20), twice = dice_.chance(5);
    QWidget* under = window->childAt(at);
    const QString done = QString(right ? "right" : "left") + (twice ? " double" : "") + " click " +
                         QString("%1 (%2,%3) ").arg(Name(window)).arg(at.x()).arg(at.y()) +
                         (under ? under->objectName() : "");
    QTest::mouseEvent(twice ? QTest::MouseDClick : QTest::MouseClick, window->windowHandle(),
                      right ? Qt::RightButton : Qt::LeftButton, Qt::NoModifier, at);
    return done;
  }

  // A named control of the window, a button more often than not.
  QString clickControl(QWidget* window) {
    std::vector<QWidget*> buttons, others;
    for (QWidget* w : window->findChildren<QWidget*>())
      if (!w->objectName().isEmpty() && w->isVisible())
        (qobject_cast<QAbstractButton*>(w) ? buttons : others).push_back(w);
    const auto& from = !buttons.empty() && (others.empty() || dice_.chance(65)) ? buttons : others;
    if (from.empty()) return "no control";
    QWidget* control = dice_.pick(from);
    return click(window, control->mapTo(window, dice_.chance(50) ? control->rect().center()
                                                                 : anywhere(control)));
  }

  // A key in a window made active first, for its focus widget or shortcuts; Ctrl+Q is endProgram's.
  QString key(QWidget* window) {
    static const QList<QKeySequence> keys = QKeySequence::listFromString(
        "Tab; Backtab; Return; Esc; Space; Backspace; Left; Up; End; F1; F10; Menu; A; C; V; X; Z; "
        "R; F; P; E; G; 0; .");
    static const std::vector<Qt::KeyboardModifiers> mods{
        Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
    const Qt::Key k = dice_.pick(keys)[0].key();
    const Qt::KeyboardModifiers m = dice_.pick(mods);
    window->activateWindow();
    QCoreApplication::processEvents();
    const QString done = QString("key %1 in %2").arg(QKeySequence(m | k).toString(), Name(window));
    QTest::keyClick(window->windowHandle(), k, m);
    return done;
  }

  // Into a field clicked first: pasted, or typed a key at a time, what no key gives as an input
  // method's commit.
  QString type(bool paste) {
    QList<QLineEdit*> edits;
    for (QWidget* w : windows())
      edits += w->findChildren<QLineEdit*>();
    edits.removeIf([](QLineEdit* e) { return !e->isVisible(); });
    if (edits.empty()) return "no field";
    QPointer<QLineEdit> edit = dice_.pick(edits);
    const QString text = RandomText(dice_, paste ? 40000 : 40);
    const QString done = (paste ? "paste " : "type ") + Shown(text) + " into " +
                         Name(edit->window()) + "." + edit->objectName();
    QTest::mouseClick(edit, Qt::LeftButton);
    if (dice_.chance(60)) QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (paste) QApplication::clipboard()->setText(text);
    if (paste && edit) QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    for (const char32_t c : paste ? QList<uint>() : text.toUcs4()) {
      QInputMethodEvent commit;
      commit.setCommitString(QString::fromUcs4(&c, 1));
      if (edit && c >= 0x20 && c < 0x7F) QTest::keyClick(edit, static_cast<char>(c));
      if (edit && (c < 0x20 || c >= 0x7F)) QApplication::sendEvent(edit, &commit);
    }
    return done;
  }

  // From the real-circuit window (opened first): a run let finish, cancelled, abandoned with its
  // window, overtaken by "Calcola", or left running among the next events.
  QString ngspice() {
    FormWindow* form = program_->window(Window::Form4);
    if (!form || !form->isVisible()) {
      program_->main().menu().realCircuit->trigger();
      return "menu \"Circuito reale…\"";
    }
    NgspiceRunner& runner = program_->calculator.ngspice();
    const bool wasRunning = runner.running();
    QTest::mouseClick(form->control(form4::Command2.name), Qt::LeftButton);
    const int then = dice_.below(5);  // drawn even with no run, which time decides
    if (!runner.running()) return "ngspice, no run";
    ngspiceRuns_ += !wasRunning;
    if (then < 2) return "ngspice, " + waitNgspice();
    if (then == 4) return "ngspice, left running";
    const Control stop = std::array{form4::Command3, form4::Command4, form4::Command1}[then - 2];
    QTest::mouseClick(form->control(stop.name), Qt::LeftButton);
    return QString("ngspice, then ") + stop.name.data();
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

  // Every way the program ends: the button, the menu item, its shortcut, the title bar.
  QString endProgram() {
    Form1& main = program_->main();
    const int way = dice_.below(4);
    main.activateWindow();  // for the shortcut
    ending_ = true;
    if (way == 0) QTest::mouseClick(main.control(form1::Command6.name), Qt::LeftButton);
    if (way == 1) main.menu().quit->trigger();
    if (way == 2) QTest::keyClick(main.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
    if (way == 3) main.close();
    return std::array{"Esci", "menu \"Esci\"", "Ctrl+Q", "close Form1"}[way];
  }

  // What the save dialog answers from now on: a file here, one that cannot be written, or a cancel.
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
    QWidget* window = dice_.pick(windows());
    // Clicks most often, then keys and texts; the rest now and then.
    static constexpr std::array kWeighted{0, 0, 0, 1, 1, 1, 1, 2, 3,  3,
                                          4, 4, 5, 6, 7, 8, 8, 9, 10, 11};
    switch (const int kind = kWeighted[static_cast<std::size_t>(dice_.below(kWeighted.size()))]) {
      case 0:
        return click(window, anywhere(window));
      case 1:
        return clickControl(window);
      case 2:  // over the plots, where the read-out follows the mouse
        for (int i = dice_.between(1, 8); i > 0 && window->isVisible(); --i)
          QTest::mouseMove(window->windowHandle(), anywhere(window));
        return "mouse moves in " + Name(window);
      case 3:
        return key(window);
      case 4:
      case 5:
        return type(kind == 5);
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
          edit->setText(QString::fromUtf8(field.defaultText));
          typed_[edit] = edit->text();
        }
        return "defaults retyped";
    }
  }

  // What an export wrote: a netlist whose numbers ngspice can read, samples of six finite numbers
  // a row, an image that is not empty.
  void checkExport(const QString& filter) {
    QFile file(program_->files.path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
      Fail("an export writes its file", file.fileName());
    const QByteArray bytes = file.readAll();
    if (filter.startsWith("Netlist SPICE")) {
      static const QRegularExpression comma(QStringLiteral("\\d,\\d"));
      if (comma.match(QString::fromUtf8(bytes)).hasMatch() ||
          testing::MentionsNonFinite(bytes.toStdString()))
        Fail("a netlist writes finite numbers with the point", file.fileName());
    } else if (filter.contains("(*.csv)")) {
      const QList<QByteArray> lines = bytes.trimmed().split('\n');
      // The builds, the sweep's points and the bill of materials: their
      // header, then rows that name no non-finite number.
      const QByteArray header = lines.value(0);
      if (header == statistics::kBuildsCsvHeader || header == statistics::kSweepCsvHeader ||
          header.startsWith("riferimento,valore,")) {
        if (lines.size() < 2 || testing::MentionsNonFinite(bytes.toStdString()))
          Fail("an export's rows hold finite numbers", QString::fromLatin1(header));
        ++exports_;
        return;
      }
      if (header != "i,teta,Vc1,Isw,Ic1,Ir") Fail("the samples start with their header");
      for (const QByteArray& line : lines.mid(1)) {
        const QList<QByteArray> row = line.split(',');
        if (row.size() != 6 || !std::ranges::all_of(row, IsFiniteNumber))
          Fail("every row of the samples holds six finite numbers", QString::fromLatin1(line));
      }
    }
    ++exports_;
  }

  // A window's texts: no "nan" or "inf" anywhere, a value box a number or nothing, a field its
  // default until the monkey types into it.
  void checkTexts(QWidget* window) {
    auto* form = qobject_cast<FormWindow*>(window);
    for (QWidget* w : window->findChildren<QWidget*>()) {
      const QString where = Name(window) + "." + w->objectName();
      auto* label = qobject_cast<QLabel*>(w);
      QString text = w->toolTip() + " " + (label ? label->text() : QString());
      if (auto* button = qobject_cast<QAbstractButton*>(w)) text += " " + button->text();
      if (testing::MentionsNonFinite(text.toStdString()))
        Fail("no text says nan or inf", where + " " + Shown(text));
      if (!form) continue;
      const std::string name = w->objectName().toStdString();  // the Control only views it
      const Control control{form->id(), name};
      if (label && !label->text().isEmpty() && FindValueBox(control) &&
          !IsFiniteNumber(label->text()))
        Fail("a value box holds a finite number or nothing", where + " " + Shown(label->text()));
      auto* edit = qobject_cast<QLineEdit*>(w);
      if (!edit) continue;
      const auto [it, fresh] = typed_.try_emplace(edit, edit->text());
      const auto defaultText = DefaultText(control);
      // A window opened again shows the design's inputs it held when closed.
      // Windows reuse names (Text1): the key is the window's and the name.
      const std::string key = where.toStdString();
      const auto closed = closed_.find(key);
      if (fresh && (!defaultText ||
                    (closed == closed_.end() ? edit->text().toStdString() != *defaultText
                                             : edit->text().toStdString() != closed->second)))
        Fail("a field opens with the design's text", where + " " + Shown(edit->text()));
      if (edit->text() != it->second)
        Fail("no field is changed by the program", where + " " + Shown(edit->text()));
      if (!fresh) continue;
      QObject::connect(edit, &QLineEdit::textEdited,
                       [this, edit](const QString& t) { typed_[edit] = t; });
      QObject::connect(edit, &QObject::destroyed, [this, edit, key] {
        // As UTF-8, as the design keeps its texts.
        if (!ending_) closed_[key] = typed_[edit].toStdString();
        typed_.erase(edit);
      });
    }
  }

  void check() {
    // A report is drawn once its figures are computed off the GUI thread.
    for (int i = 0; i < 3000 && program_->calculator.reporting(); ++i)
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    settle();
    if (!popups_.failures.isEmpty()) Fail("no dialog opens but the about box", popups_.failures[0]);
    if (QWidget* popup = QApplication::activePopupWidget())
      Fail("no popup stays open", popup->metaObject()->className());
    const std::vector<QWidget*> open = windows();
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && !w->inherits("QTipLabel") && std::ranges::count(open, w) == 0)
        Fail("no window but the program's stays open", w->metaObject()->className());
    if (!ended_ && !program_->main().isVisible()) Fail("the main window stays until the end");
    const auto& shown = program_->messages.shown;
    const bool quiet = messagesSeen_ == shown.size();
    for (; messagesSeen_ < shown.size(); ++messagesSeen_, ++messages_) {
      const auto& [text, fault] = shown[messagesSeen_];
      if (testing::ClassifyMessage(text.toStdString(), fault) == testing::MessageKind::Unknown)
        Fail("every message is a known text", Shown(text));
      if (testing::MentionsNonFinite(text.toStdString()))
        Fail("no message says nan or inf", Shown(text));
    }
    // A save dialog answered with a writable path and no message: the file is there.
    const QList<QStringList>& offered = program_->files.offered;
    const QString& path = program_->files.path;
    if (std::exchange(choicesSeen_, offered.size()) < offered.size() && !path.isEmpty() && quiet) {
      if (!path.startsWith(folder_.path() + "/") || path.contains("/no-such-folder/"))
        Fail("an export that cannot be written says so", path);
      const QString& chosen = program_->files.filter;
      checkExport(offered.last().contains(chosen) ? chosen : offered.last().value(0));
    }
    for (QWidget* w : open)
      checkTexts(w);
  }
};

}  // namespace
}  // namespace classe

int main(int argc, char** argv) {
  using namespace classe;
  // Unset, empty or not a number: the defaults.
  bool ok = false;
  runSeed = qEnvironmentVariable("CLASSE_MONKEY_SEED").toULongLong(&ok);
  if (!ok) runSeed = 1;
  long events = qEnvironmentVariable("CLASSE_MONKEY_EVENTS").toLong(&ok);
  if (!ok) events = 2000;
  // What the offscreen platform cannot do (raise a window, grab the keyboard for a menu) it says
  // every time; a script no installed font shapes, every time it is drawn.
  static const QtMessageHandler qtMessages =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& at, const QString& text) {
        if (!text.startsWith("This plugin does not support") &&
            !text.startsWith("OpenType support missing for"))
          qtMessages(type, at, text);
      });
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
