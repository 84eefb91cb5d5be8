// A seeded random walk through the real windows, as a careless user would
// make one: clicks anywhere (right clicks too), drags, mouse moves over the
// plots, keys, typed and pasted texts of any characters and length, the menu
// items, windows opened and closed in any order, ngspice runs let finish,
// interrupted or abandoned, exports that succeed or cannot, and the program
// ended and started again. After every event the program must still be
// sane: every message a known text, no "nan" or "inf" in a value box, a
// label or a tooltip, no field text changed by the program, no dialog or
// menu left open.
//
// usage: monkey_test [--seed=N] [--events=N] [--verbose] [Qt options]
// or the environment: CLASSE_MONKEY_SEED, CLASSE_MONKEY_EVENTS,
// CLASSE_MONKEY_VERBOSE=1 (every event printed as it starts).
//
// The draws never depend on time, so a seed replays the same events; only
// where a background ngspice run ends among them can differ.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "design/fault.h"
#include "design/text_input.h"
#include "tests/known_messages.h"
#include "tests/windows/program.h"

#if defined(__SANITIZE_ADDRESS__)
#define CLASSE_MONKEY_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CLASSE_MONKEY_SANITIZED 1
#endif
#endif
#ifdef CLASSE_MONKEY_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace classe {
namespace {

using testing::MessageKind;
using testing::Program;

// Sampling takes time in proportion to M, and M = 10^7 is legal: a count the
// check accepts above this is folded below it after every event, as the
// actions fuzzer does, so that an event takes milliseconds.
constexpr std::int64_t kMaxSamples = 20000;
constexpr int kRecentEvents = 20;

// ---------------------------------------------------------------------------
// What a failure or a crash prints: the seed, the event and the last events.

// Plain characters, nothing to destroy: a crash handler and the leak check
// at exit read it after every destructor has run.
struct Trail {
  std::uint64_t seed = 0;
  long total = 0;
  long event = 0;     // the event under way, from 1
  bool over = false;  // every event has run: what fails now fails at exit
  char recent[kRecentEvents][640] = {};
};
Trail trail;

// The log line of an event; a line too long is cut.
void Record(long event, const QString& line) {
  char* slot = trail.recent[event % kRecentEvents];
  const QByteArray text = line.toUtf8();
  const std::size_t n =
      std::min<std::size_t>(static_cast<std::size_t>(text.size()), sizeof trail.recent[0] - 1);
  std::memcpy(slot, text.constData(), n);
  slot[n] = '\0';
}

const char* Recorded(long event) {
  return trail.recent[event % kRecentEvents];
}

void WriteOut(const char* text) {
  const std::size_t n = std::strlen(text);
  // Best effort: this also runs from a signal handler.
  if (::write(STDERR_FILENO, text, n) < 0) return;
}

// Safe enough for a signal handler: no allocation, only write().
void PrintTrail() {
  char head[256];
  std::snprintf(head, sizeof head,
                "\nmonkey: seed %llu, %s %ld of %ld\n"
                "replay: CLASSE_MONKEY_SEED=%llu CLASSE_MONKEY_EVENTS=%ld monkey_test\n"
                "the last events, the failing one last:\n",
                static_cast<unsigned long long>(trail.seed),
                trail.over ? "at exit, after event" : "event", trail.event, trail.total,
                static_cast<unsigned long long>(trail.seed), trail.event);
  WriteOut(head);
  for (long k = trail.event - kRecentEvents + 1; k <= trail.event; ++k) {
    if (k < 1) continue;
    WriteOut("  ");
    WriteOut(Recorded(k));
    WriteOut("\n");
  }
}

[[noreturn]] void Fail(const QString& property, const QString& detail = {}) {
  std::fflush(stdout);
  WriteOut("\n*** monkey: ");
  WriteOut(property.toUtf8().constData());
  WriteOut("\n");
  if (!detail.isEmpty()) {
    WriteOut("    ");
    WriteOut(detail.toUtf8().constData());
    WriteOut("\n");
  }
  PrintTrail();
  std::_Exit(1);
}

#ifdef CLASSE_MONKEY_SANITIZED
void SanitizerDied() {
  PrintTrail();
}

// fontconfig keeps, and never frees, some of what Qt's search for a fallback
// font allocates when a text in a rare script or an emoji is first drawn:
// memory of the system's font library, not the program's.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#else
void Crashed(int signal) {
  WriteOut("\n*** monkey: the program crashed (");
  WriteOut(strsignal(signal));
  WriteOut(")\n");
  PrintTrail();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}
#endif

// A text as the log shows it: control and non-ASCII characters escaped,
// long texts cut in the middle.
QString Shown(const QString& text) {
  constexpr qsizetype kShown = 40;
  QString out = "\"";
  const QList<uint> points = text.toUcs4();
  for (qsizetype i = 0; i < points.size(); ++i) {
    if (points.size() > 2 * kShown && i == kShown) {
      out += QString("\"...(%1 characters)...\"").arg(points.size() - 2 * kShown);
      i = points.size() - kShown;
    }
    const uint c = points[i];
    if (c == '"' || c == '\\') {
      out += '\\';
      out += QChar(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += QChar(c);
    } else {
      out += QString("\\u{%1}").arg(c, 0, 16);
    }
  }
  return out + "\"";
}

// "nan" or "inf" as a word, in any case: how a non-finite number shows in a
// text ("-nan", "inf pF", "Infinity"), and not "informazioni" or "infinita".
bool MentionsNonFinite(const QString& text) {
  static const QRegularExpression word(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                       QRegularExpression::CaseInsensitiveOption);
  return word.match(text).hasMatch();
}

// A value box's text read as a number ("2.205 E+00" included).
bool IsFiniteNumber(const QString& text) {
  QString plain = text;
  plain.remove(' ');
  bool ok = false;
  const double value = plain.toDouble(&ok);  // QString::toDouble is locale-independent
  return ok && std::isfinite(value);
}

// ---------------------------------------------------------------------------
// The draws.

class Dice {
 public:
  explicit Dice(std::uint64_t seed) : engine_(seed) {}
  // 0 … n − 1; n > 0. Not std::uniform_int_distribution, whose draws differ
  // between standard libraries: a seed replays the same on any build.
  std::uint64_t below(std::uint64_t n) { return engine_() % n; }
  int index(std::size_t n) { return static_cast<int>(below(n)); }
  int between(int low, int high) { return low + static_cast<int>(below(high - low + 1)); }
  bool chance(int percent) { return below(100) < static_cast<std::uint64_t>(percent); }
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  template <class T>
  const T& pick(const std::vector<T>& items) {
    return items[below(items.size())];
  }
  // An index drawn with the given weights.
  int weighted(std::initializer_list<int> weights) {
    int total = 0;
    for (int w : weights)
      total += w;
    int draw = static_cast<int>(below(static_cast<std::uint64_t>(total)));
    int k = 0;
    for (int w : weights) {
      if (draw < w) return k;
      draw -= w;
      ++k;
    }
    return k - 1;
  }

 private:
  std::mt19937_64 engine_;
};

// Texts the fields are likely to meet, the edges of the check and of the
// arithmetic among them.
const std::vector<QString> kFieldTexts{
    "1e308", "-0",    ".",      "1e-400", "nan",     "inf",    "2147483648", "0.5",    "",
    "0",     "1",     "-1",     "50",     "4",       "28",     "20",         "1000",   "1e-5",
    "5E3",   "1.23",  "1e290",  "1e300",  "-1e308",  "1e-300", "0.001",      "3",      "1.79",
    "1.8",   "2",     "100000", "20001",  "9999999", "1e10",   "+5",         "5e",     "e5",
    "1..2",  "1,5",   " 5",     "0x10",   "1e-12",   "1E+5",   "-0.0",       "4e-320", "10",
    "1e6",   "0.999", "1.05",   "47.6",   "52.5",    "0.01",   "1e-3",       "5e-324", "2e9"};

char32_t RandomCodePoint(Dice& dice) {
  switch (dice.below(10)) {
    case 0:
      return static_cast<char32_t>(dice.below(0x20));  // C0 controls, NUL included
    case 1:
      return dice.pick(std::vector<char32_t>{0x7F, 0x85, 0xA0, 0xAD, 0x200B, 0x200D, 0x200E, 0x200F,
                                             0x2028, 0x202E, 0x2066, 0xFEFF, 0xFFFD, 0xD800,
                                             0xDFFF});  // lone surrogates too
    case 2:
      return 0x0590 + static_cast<char32_t>(dice.below(0x170));  // Hebrew, Arabic
    case 3:
      return 0x1F300 + static_cast<char32_t>(dice.below(0x700));  // emoji
    case 4:
      return 0x0300 + static_cast<char32_t>(dice.below(0x70));  // combining marks
    case 5:
      return dice.pick(std::vector<char32_t>{0x0660, 0x0665, 0xFF10, 0xFF15, 0x00B7, 0x2212, 0x00E9,
                                             0x00B5, 0x03A9, 0x2009});  // lookalikes
    case 6:
      return 0x4E00 + static_cast<char32_t>(dice.below(0x5000));  // CJK
    default:
      return 0x20 + static_cast<char32_t>(dice.below(0x5F));  // printable ASCII
  }
}

QString RandomNumberText(Dice& dice) {
  const double mantissa = 1 + 9 * dice.unit();
  const int exponent = dice.between(-330, 320);
  char text[64];
  std::snprintf(text, sizeof text, dice.chance(50) ? "%s%.*ge%d" : "%s%.*gE%d",
                dice.chance(20) ? "-" : "", dice.between(1, 17), mantissa, exponent);
  return QString::fromLatin1(text);
}

// A field-ish text with one character inserted, removed or replaced.
QString Mutated(Dice& dice, QString text) {
  const qsizetype at = text.isEmpty() ? 0 : static_cast<qsizetype>(dice.below(text.size() + 1));
  const char32_t c = dice.chance(60) ? U"0123456789.eE-+"[dice.below(15)] : RandomCodePoint(dice);
  const QString inserted = QString::fromUcs4(&c, 1);
  switch (dice.below(3)) {
    case 0:
      return text.insert(at, inserted);
    case 1:
      return at < text.size() ? text.remove(at, 1) : text;
    default:
      return at < text.size() ? text.replace(at, 1, inserted) : text + inserted;
  }
}

// What a person would type: a number of a few digits, now and then with an
// exponent, of the size the fields take.
QString PlausibleNumber(Dice& dice) {
  const double value = std::pow(10.0, -3 + 7 * dice.unit());
  char text[64];
  if (dice.chance(20)) {
    std::snprintf(text, sizeof text, "%.*e", dice.between(0, 3), value);
  } else {
    std::snprintf(text, sizeof text, "%.*f", dice.between(0, 3), value);
  }
  return QString::fromLatin1(text);
}

// A text of any characters; `longest` bounds its length in code points.
// Numbers a person would type come first, so that the actions get past the
// checks and into the arithmetic often enough.
QString RandomText(Dice& dice, int longest) {
  switch (dice.weighted({35, 20, 8, 12, 10, 15})) {
    case 0:
      return PlausibleNumber(dice);
    case 1:
      return dice.pick(kFieldTexts);
    case 2:
      return RandomNumberText(dice);
    case 3:
      return Mutated(dice, dice.chance(50) ? dice.pick(kFieldTexts) : PlausibleNumber(dice));
    case 4: {  // bytes as UTF-8, invalid sequences and all
      QByteArray bytes;
      const int n = dice.between(0, std::min(longest, 64));
      for (int i = 0; i < n; ++i)
        bytes += static_cast<char>(dice.below(256));
      return QString::fromUtf8(bytes);
    }
    default: {
      // Mostly short; now and then very long, up to `longest`.
      const int n = dice.chance(80)   ? dice.between(0, std::min(longest, 40))
                    : dice.chance(60) ? dice.between(0, std::min(longest, 2000))
                                      : dice.between(0, longest);
      std::u32string points;
      // One character class per text now and then: a long run of digits or of emoji.
      const bool uniform = dice.chance(30);
      const char32_t first = RandomCodePoint(dice);
      for (int i = 0; i < n; ++i)
        points +=
            uniform ? (first >= 0x20 && first < 0x7F ? static_cast<char32_t>(U'0' + i % 10) : first)
                    : RandomCodePoint(dice);
      return QString::fromUcs4(points.data(), static_cast<qsizetype>(points.size()));
    }
  }
}

// A count the check accepts and the actions would sample above kMaxSamples,
// folded below it; any other text as it is.
std::optional<QString> FoldedSampleCount(const QString& text) {
  const std::string plain = text.toStdString();
  if (plain.empty() || plain.size() > 32767 ||
      plain.find_first_not_of("0123456789.eE-+") != std::string::npos) {
    return std::nullopt;
  }
  const PreservedFpFlags keep;
  const double rounded = std::nearbyint(Val(plain));
  if (!(rounded > static_cast<double>(kMaxSamples) && rounded <= 2147483647.0)) return std::nullopt;
  return QString::number(static_cast<std::int64_t>(rounded) % (kMaxSamples + 1));
}

// ---------------------------------------------------------------------------
// Popups: a context menu and the about box run their own event loop (exec),
// a menu of the menu bar or of a field opens without one. Either way the
// menu or box is met here as it is shown, a choice is drawn at once (so the
// draws stay in order), and carried out from the event loop that shows it:
// an item triggered, or the menu closed; the about box read and closed. Any
// other dialog means a modal box or a file dialog slipped past the recorded
// ones: it is closed and the event fails.

class PopupHandler : public QObject {
 public:
  explicit PopupHandler(Dice& dice) : dice_(dice) { qApp->installEventFilter(this); }
  ~PopupHandler() override { qApp->removeEventFilter(this); }

  QStringList taken() { return std::exchange(log_, {}); }
  QStringList failures() { return std::exchange(failures_, {}); }
  int menus = 0;
  int abouts = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow()) return false;
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
      handleMenu(menu);
    } else if (auto* box = qobject_cast<QMessageBox*>(widget)) {
      if (box->text() == AboutText()) {
        ++abouts;
        log_ << "about box closed";
      } else {
        failures_ << "a message box bypassed the recorder: " + Shown(box->text());
      }
      QTimer::singleShot(0, box, [box = QPointer(box)] {
        if (box) box->accept();
      });
    } else if (auto* dialog = qobject_cast<QDialog*>(widget)) {
      failures_ << QString("an unexpected dialog opened: %1 \"%2\"")
                       .arg(dialog->metaObject()->className(), dialog->windowTitle());
      QTimer::singleShot(0, dialog, [dialog = QPointer(dialog)] {
        if (dialog) dialog->reject();
      });
    }
    return false;
  }

 private:
  // The items a user could click, those of the submenus included.
  static void Leaves(QMenu* menu, std::vector<QPointer<QAction>>& out) {
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || !action->isEnabled() || !action->isVisible()) continue;
      if (action->menu()) {
        Leaves(action->menu(), out);
      } else {
        out.emplace_back(action);
      }
    }
  }

  void handleMenu(QMenu* menu) {
    ++menus;
    std::vector<QPointer<QAction>> items;
    Leaves(menu, items);
    QPointer<QAction> chosen;
    if (!items.empty() && dice_.chance(75)) chosen = dice_.pick(items);
    log_ << (chosen ? "menu item " + Shown(chosen->text()) : QString("menu closed"));
    // The menu hides, then the item fires, as a click on it does.
    QTimer::singleShot(0, menu, [menu = QPointer(menu), chosen] {
      if (menu) menu->hide();
      if (chosen) chosen->trigger();
    });
  }

  Dice& dice_;
  QStringList log_;
  QStringList failures_;
};

// ---------------------------------------------------------------------------

class Monkey : public QObject {
 public:
  Monkey(std::uint64_t seed, long events, bool verbose)
      : dice_(seed), popups_(dice_), events_(events), verbose_(verbose) {
    if (!folder_.isValid()) Fail("no temporary folder");
    start();
  }
  // The fields leave the map as they go: the program first.
  ~Monkey() override { program_.reset(); }

  int run();

 private:
  enum Kind {
    ClickAnywhere,
    ClickControl,
    Drag,
    MouseMoves,
    Key,
    TypeText,
    PasteText,
    MenuItem,
    CloseWindow,
    Ngspice,
    WaitNgspice,
    EndProgram,
    Defaults,
    kKinds
  };
  static constexpr std::array<const char*, kKinds> kKindNames{
      "click anywhere", "click a control", "drag",           "mouse moves",    "key",
      "type text",      "paste text",      "menu item",      "close a window", "ngspice",
      "wait ngspice",   "end the program", "retype defaults"};

  void start();
  void finish();
  void event(long number);
  QString perform(Kind kind);
  void check();
  void checkExport(const QString& path, const QStringList& filters);
  void settle();

  std::vector<QWidget*> windows();
  QWidget* randomWindow();
  static QString windowName(QWidget* w);
  QPoint randomPoint(QWidget* window);
  QString describeAt(QWidget* window, QPoint at);
  QString click(QWidget* window, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers mods,
                bool twice = false);
  QString clickControl(QWidget* window, QWidget* control);
  QWidget* randomControl(QWidget* window);
  QLineEdit* randomField();
  QString key();
  QString type(bool paste);
  QString menuItem();
  QString closeWindow();
  QString ngspice();
  QString waitNgspice();
  bool fieldsAtDefaults();
  QString endProgram();
  QString retypeDefaults();
  QString chooseExportAnswer();
  std::optional<QString> foldSampleCount();
  void track(QLineEdit* edit, Window window);

  Dice dice_;
  PopupHandler popups_;
  long events_;
  bool verbose_;
  QTemporaryDir folder_;
  std::unique_ptr<Program> program_;
  bool ended_ = false;
  qsizetype messagesSeen_ = 0;
  qsizetype choicesSeen_ = 0;
  // The text each field should hold: its default, then what the monkey typed.
  std::map<QLineEdit*, QString> fields_;

  // Figures for the summary.
  std::array<long, kKinds> kinds_{};
  std::map<MessageKind, long> messages_;
  long programs_ = 0;
  long ngspiceStarted_ = 0;
  long exportsWritten_ = 0;
  long folds_ = 0;
  long eventsWithResults_ = 0;  // after which a value box showed a new number
  std::map<QString, QString> values_;
};

void Monkey::start() {
  program_ = std::make_unique<Program>();
  ++programs_;
  ended_ = false;
  messagesSeen_ = 0;
  choicesSeen_ = 0;
  connect(&program_->calculator, &Calculator::ended, this, [this] { ended_ = true; });
  program_->files.path = folder_.filePath("export.csv");
  settle();
  // Its fields are met before any event can type into them.
  check();
}

// The program has ended: every window must be closed; then it goes, and a
// fresh one starts.
void Monkey::finish() {
  for (QWidget* w : windows())
    Fail("a window stayed open after the program ended", windowName(w));
  program_.reset();
  fields_.clear();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  start();
}

// Lets what the event posted happen: deferred deletes, queued signals.
void Monkey::settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

std::vector<QWidget*> Monkey::windows() {
  std::vector<QWidget*> out;
  auto add = [&](QWidget* w) {
    if (w && w->isVisible()) out.push_back(w);
  };
  add(&program_->main());
  for (Window w : {Window::Form2, Window::Form3, Window::Form4})
    add(program_->window(w));
  add(program_->calculator.helpWindow());
  return out;
}

QString Monkey::windowName(QWidget* w) {
  if (auto* form = qobject_cast<FormWindow*>(w)) {
    return QString::fromLatin1(WindowName(form->id()).data(),
                               static_cast<qsizetype>(WindowName(form->id()).size()));
  }
  return w->objectName().isEmpty() ? QString(w->metaObject()->className()) : w->objectName();
}

QWidget* Monkey::randomWindow() {
  const std::vector<QWidget*> open = windows();
  return open.empty() ? nullptr : dice_.pick(open);
}

QPoint Monkey::randomPoint(QWidget* window) {
  return {dice_.between(0, window->width() - 1), dice_.between(0, window->height() - 1)};
}

QString Monkey::describeAt(QWidget* window, QPoint at) {
  QWidget* under = window->childAt(at);
  while (under && under->objectName().isEmpty() && under->parentWidget() != window)
    under = under->parentWidget();
  QString name = under ? under->objectName() : QString();
  if (under && name.isEmpty()) name = under->metaObject()->className();
  return QString("%1 (%2,%3)%4")
      .arg(windowName(window))
      .arg(at.x())
      .arg(at.y())
      .arg(name.isEmpty() ? QString() : " on " + name);
}

// Through the window, as the platform delivers a click: the widget under the
// point gets it, a right button also its context menu.
QString Monkey::click(QWidget* window, QPoint at, Qt::MouseButton button,
                      Qt::KeyboardModifiers mods, bool twice) {
  const QString where = describeAt(window, at);
  if (twice) {
    QTest::mouseDClick(window->windowHandle(), button, mods, at);
  } else {
    QTest::mouseClick(window->windowHandle(), button, mods, at);
  }
  static const std::map<Qt::MouseButton, QString> names{
      {Qt::LeftButton, "left"}, {Qt::RightButton, "right"}, {Qt::MiddleButton, "middle"}};
  QString held;
  if (mods & Qt::ShiftModifier) held += "Shift+";
  if (mods & Qt::ControlModifier) held += "Ctrl+";
  return held + names.at(button) + (twice ? " double" : "") + " click " + where;
}

// A button, option or check box of the window, more often than a field, a
// picture or the menu bar's titles; the help window has none of its own.
QWidget* Monkey::randomControl(QWidget* window) {
  std::vector<QWidget*> buttons;
  std::vector<QWidget*> others;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->objectName().isEmpty()) continue;
    if (qobject_cast<QAbstractButton*>(w)) {
      buttons.push_back(w);
    } else if (qobject_cast<QLineEdit*>(w) || w->inherits("classe::PlotArea")) {
      others.push_back(w);
    }
  }
  if (auto* bar = window->findChild<QMenuBar*>()) others.push_back(bar);
  const bool button = !buttons.empty() && (others.empty() || dice_.chance(65));
  if (button) return dice_.pick(buttons);
  return others.empty() ? nullptr : dice_.pick(others);
}

QString Monkey::clickControl(QWidget* window, QWidget* control) {
  QPoint at;
  if (auto* bar = qobject_cast<QMenuBar*>(control)) {
    const QList<QAction*> titles = bar->actions();
    const QRect r = bar->actionGeometry(titles[dice_.index(titles.size())]);
    at = bar->mapTo(window, r.center());
  } else {
    // A hidden control is clicked where it would be: whatever lies there gets it.
    const QRect r = control->rect();
    const QPoint inside = dice_.chance(50) ? r.center()
                                           : QPoint(dice_.between(0, std::max(0, r.width() - 1)),
                                                    dice_.between(0, std::max(0, r.height() - 1)));
    at = control->mapTo(window, inside);
  }
  at.setX(std::clamp(at.x(), 0, window->width() - 1));
  at.setY(std::clamp(at.y(), 0, window->height() - 1));
  const Qt::MouseButton button = dice_.chance(85) ? Qt::LeftButton : Qt::RightButton;
  return click(window, at, button, Qt::NoModifier, dice_.chance(5));
}

QLineEdit* Monkey::randomField() {
  std::vector<QLineEdit*> edits;
  for (QWidget* w : windows()) {
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
      if (e->isVisible()) edits.push_back(e);
  }
  return edits.empty() ? nullptr : dice_.pick(edits);
}

// A key in a window made active first, as a user clicks into one before
// typing; the window's focus widget, or its shortcuts, receive it. Ctrl+Q
// is left to the events that end the program.
QString Monkey::key() {
  QWidget* window = randomWindow();
  if (!window) return "no window";
  const std::vector<Qt::Key> keys{
      Qt::Key_Tab,      Qt::Key_Backtab,   Qt::Key_Return, Qt::Key_Enter,  Qt::Key_Escape,
      Qt::Key_Space,    Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,   Qt::Key_Right,
      Qt::Key_Up,       Qt::Key_Down,      Qt::Key_Home,   Qt::Key_End,    Qt::Key_PageUp,
      Qt::Key_PageDown, Qt::Key_F1,        Qt::Key_F10,    Qt::Key_Period, Qt::Key_Minus,
      Qt::Key_Plus,     Qt::Key_Comma,     Qt::Key_E,      Qt::Key_0,      Qt::Key_5,
      Qt::Key_9,        Qt::Key_Menu};
  Qt::Key k;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  switch (dice_.weighted({50, 20, 15, 15})) {
    case 0:
      k = dice_.pick(keys);
      break;
    case 1:  // a letter or digit, any of them
      k = static_cast<Qt::Key>(dice_.chance(70) ? Qt::Key_A + dice_.between(0, 25)
                                                : Qt::Key_0 + dice_.between(0, 9));
      break;
    case 2:  // the editing and program shortcuts
      k = dice_.pick(std::vector<Qt::Key>{Qt::Key_A, Qt::Key_C, Qt::Key_V, Qt::Key_X, Qt::Key_Z,
                                          Qt::Key_Y, Qt::Key_R, Qt::Key_W});
      mods = Qt::ControlModifier;
      break;
    default:  // menu mnemonics and the like
      k = dice_.pick(std::vector<Qt::Key>{Qt::Key_F, Qt::Key_P, Qt::Key_A, Qt::Key_C, Qt::Key_N,
                                          Qt::Key_G, Qt::Key_I, Qt::Key_E, Qt::Key_F4});
      mods = Qt::AltModifier;
      break;
  }
  if (mods == Qt::NoModifier && dice_.chance(15)) mods = Qt::ShiftModifier;
  window->activateWindow();
  QCoreApplication::processEvents();
  QWidget* focus = window->focusWidget();
  const QString to = focus && !focus->objectName().isEmpty() ? " to " + focus->objectName() : "";
  // Named first: the key may close the window.
  const QString done =
      QString("key %1 in %2%3")
          .arg(QKeySequence(QKeyCombination(mods, k)).toString(), windowName(window), to);
  QTest::keyClick(window->windowHandle(), k, mods);
  return done;
}

// Into a field clicked first: typed, a key at a time (what a keyboard cannot
// give arrives as an input method's commit), or pasted from the clipboard.
QString Monkey::type(bool paste) {
  QLineEdit* edit = randomField();
  if (!edit) return "no field";
  QWidget* window = edit->window();
  const QString name = windowName(window) + "." + edit->objectName();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                    edit->mapTo(window, edit->rect().center()));
  const bool replace = dice_.chance(60);
  const QString text = RandomText(dice_, paste ? 40000 : 40);
  QPointer<QLineEdit> alive(edit);
  if (replace) QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  if (paste) {
    QApplication::clipboard()->setText(text);
    if (alive) QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
  } else {
    for (const uint c : text.toUcs4()) {
      if (!alive) break;
      if (c >= 0x20 && c < 0x7F) {
        QTest::keyClick(edit, static_cast<char>(c));
      } else {
        QInputMethodEvent commit;
        const char32_t point = c;
        commit.setCommitString(QString::fromUcs4(&point, 1));
        QApplication::sendEvent(edit, &commit);
      }
    }
  }
  return QString("%1 %2 %3%4")
      .arg(paste ? "paste" : "type", Shown(text), replace ? "over " : "into ", name);
}

// A menu item triggered directly, as its click would.
QString Monkey::menuItem() {
  const MainMenu& menu = program_->main().menu();
  const std::vector<QAction*> items{menu.exportSamples, menu.exportNetlist, menu.realCircuit,
                                    menu.help, menu.about};
  QAction* item = dice_.pick(items);
  const QString text = item->text();
  item->trigger();
  return "menu " + Shown(text);
}

// A window other than the main one closed from its title bar, or with its
// own Esc key where it has one.
QString Monkey::closeWindow() {
  std::vector<QWidget*> others = windows();
  others.erase(others.begin());
  if (others.empty()) return "no window to close";
  QWidget* window = dice_.pick(others);
  const QString name = windowName(window);
  if (dice_.chance(30)) {
    window->activateWindow();
    QCoreApplication::processEvents();
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    return "Esc in " + name;
  }
  window->close();
  return "close " + name;
}

// The check with ngspice: started from the real-circuit window (opened
// first when it is not), then let finish, interrupted, abandoned with its
// window, overtaken by "Calcola", or left to run among the next events.
QString Monkey::ngspice() {
  auto* form = qobject_cast<Form4*>(program_->window(Window::Form4));
  if (!form || !form->isVisible()) {
    program_->main().menu().realCircuit->trigger();
    return "menu \"Circuito reale…\" for ngspice";
  }
  NgspiceRunner& runner = program_->calculator.ngspice();
  const bool wasRunning = runner.running();
  // With every field at its default the check must succeed, whatever the
  // options: "Calcola" first, so that the designs are those of the fields.
  const bool defaults = !wasRunning && fieldsAtDefaults();
  QString done;
  if (defaults) {
    QWidget* calcola = form->control(form4::Command1.name);
    done = "fields at their defaults: " +
           click(form, calcola->mapTo(form, calcola->rect().center()), Qt::LeftButton,
                 Qt::NoModifier) +
           ", ";
  }
  done += clickControl(form, form->control(form4::Command2.name));
  // Drawn whether a run started or not: whether one is under way can depend
  // on time, the draws must not.
  const int then = dice_.weighted({40, 20, 15, 10, 15});
  const bool closeFromTitleBar = dice_.chance(50);
  if (!runner.running()) return done + ", no run";
  if (!wasRunning) ++ngspiceStarted_;
  switch (then) {
    case 0: {
      const QString waited = waitNgspice();
      if (defaults && !waited.contains("Verifica del progetto")) {
        Fail("the check with ngspice of the default design completes", done + ", " + waited);
      }
      return done + ", " + waited;
    }
    case 1:
      return done + ", then " + clickControl(form, form->control(form4::Command3.name));
    case 2:
      if (closeFromTitleBar) {
        form->close();
        return done + ", then close Form4";
      }
      return done + ", then " + clickControl(form, form->control(form4::Command4.name));
    case 3:
      return done + ", then " + clickControl(form, form->control(form4::Command1.name));
    default:
      return done + ", left running";
  }
}

// Whether the main window's fields and the real-circuit window's hold the
// texts the program opens with.
bool Monkey::fieldsAtDefaults() {
  for (Window window : {Window::Form1, Window::Form4}) {
    FormWindow* form = program_->window(window);
    if (!form) continue;
    for (QLineEdit* edit : form->findChildren<QLineEdit*>()) {
      const std::string name = edit->objectName().toStdString();
      const InputField* field = FindInputField(Control{window, name});
      if (field && edit->text().toStdString() != field->defaultText) return false;
    }
  }
  return true;
}

QString Monkey::waitNgspice() {
  NgspiceRunner& runner = program_->calculator.ngspice();
  if (!runner.running()) return "nothing to wait for";
  QEventLoop loop;
  connect(&runner, &NgspiceRunner::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  if (runner.running()) loop.exec();
  auto* form = program_->window(Window::Form4);
  QString status;
  if (form) status = qobject_cast<QLabel*>(form->control(form4::Label9.name))->text();
  return "waited for ngspice: " + Shown(status);
}

// Every way the program ends: the button, the menu item, its shortcut, the
// title bar.
QString Monkey::endProgram() {
  Form1& main = program_->main();
  switch (dice_.below(4)) {
    case 0:
      return clickControl(&main, main.control(form1::Command6.name));
    case 1:
      main.menu().quit->trigger();
      return "menu \"Esci\"";
    case 2:
      main.activateWindow();
      QCoreApplication::processEvents();
      QTest::keyClick(main.windowHandle(), Qt::Key_Q, Qt::ControlModifier);
      return "key Ctrl+Q";
    default:
      main.close();
      return "close Form1";
  }
}

// A user who starts over: every field of the main window selected and its
// default typed in, as the program opened with it; a few keep what they hold.
QString Monkey::retypeDefaults() {
  Form1& main = program_->main();
  QStringList retyped;
  for (const InputField& field : kInputFields) {
    if (dice_.chance(20)) continue;
    auto* edit = qobject_cast<QLineEdit*>(main.control(field.control.name));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QString::fromUtf8(field.defaultText.data(),
                                             static_cast<qsizetype>(field.defaultText.size())));
    retyped << edit->objectName();
  }
  return "retype the defaults of " + retyped.join(',');
}

// What the save dialog answers from now on: a file in the temporary folder,
// one that cannot be written, or a cancel.
QString Monkey::chooseExportAnswer() {
  testing::ScriptedFileChooser& files = program_->files;
  switch (dice_.weighted({60, 20, 10, 10})) {
    case 0: {
      const std::vector<QString> names{"export.csv", "export.cir", "export.png",
                                       "export.svg", "export",     "spazio è qui.csv"};
      files.path = folder_.filePath(dice_.pick(names));
      break;
    }
    case 1:
      files.path = dice_.pick(std::vector<QString>{"/proc/classe-e/campioni.csv",
                                                   "/proc/self/status", "/proc/version"});
      break;
    case 2:
      files.path = folder_.filePath("no-such-folder/export.csv");
      break;
    default:
      files.path.clear();
      break;
  }
  files.filter.clear();
  if (dice_.chance(30)) {
    files.filter = dice_.pick(
        std::vector<QString>{"Netlist SPICE, progetto ideale (*.cir)", "Immagine SVG (*.svg)"});
  }
  return "save dialog answers " + Shown(files.path) +
         (files.filter.isEmpty() ? QString() : " with " + Shown(files.filter));
}

QString Monkey::perform(Kind kind) {
  switch (kind) {
    case ClickAnywhere: {
      QWidget* window = randomWindow();
      if (!window) return "no window";
      const QPoint at = randomPoint(window);
      const int b = dice_.weighted({80, 12, 3, 5});
      const Qt::MouseButton button = b == 1   ? Qt::RightButton
                                     : b == 2 ? Qt::MiddleButton
                                              : Qt::LeftButton;
      const Qt::KeyboardModifiers mods =
          dice_.chance(10) ? (dice_.chance(50) ? Qt::ShiftModifier : Qt::ControlModifier)
                           : Qt::NoModifier;
      return click(window, at, button, mods, b == 3);
    }
    case ClickControl: {
      QWidget* window = randomWindow();
      if (!window) return "no window";
      QWidget* control = randomControl(window);
      if (!control) {
        return click(window, randomPoint(window), Qt::LeftButton, Qt::NoModifier);
      }
      return clickControl(window, control);
    }
    case Drag: {
      QWidget* window = randomWindow();
      if (!window) return "no window";
      const QPoint from = randomPoint(window);
      const QPoint to = randomPoint(window);
      const QString where = describeAt(window, from);
      QPointer<QWidget> alive(window);
      QTest::mousePress(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, from);
      if (alive && alive->isVisible()) QTest::mouseMove(window->windowHandle(), to);
      if (alive && alive->isVisible()) {
        QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, to);
      }
      return QString("drag from %1 to (%2,%3)").arg(where).arg(to.x()).arg(to.y());
    }
    case MouseMoves: {
      // Mostly over a plot, where the read-out follows the mouse.
      std::vector<QWidget*> plots;
      for (QWidget* w : windows()) {
        for (QWidget* c : w->findChildren<QWidget*>())
          if (c->inherits("classe::PlotArea") && c->isVisible()) plots.push_back(c);
      }
      QWidget* window = nullptr;
      QRect area;
      if (!plots.empty() && dice_.chance(80)) {
        QWidget* plot = dice_.pick(plots);
        window = plot->window();
        // A little beyond the plot too: its edges and what lies around it.
        area = QRect(plot->mapTo(window, QPoint(0, 0)), plot->size()).adjusted(-3, -3, 3, 3);
      } else {
        window = randomWindow();
        if (!window) return "no window";
        area = window->rect();
      }
      area &= window->rect();
      const int n = dice_.between(1, 8);
      QPointer<QWidget> alive(window);
      QPoint at;
      for (int i = 0; i < n && alive && alive->isVisible(); ++i) {
        at = {dice_.between(area.left(), area.right()), dice_.between(area.top(), area.bottom())};
        QTest::mouseMove(window->windowHandle(), at);
      }
      return QString("%1 mouse moves in %2, last at (%3,%4)")
          .arg(n)
          .arg(alive ? windowName(alive) : "a closed window")
          .arg(at.x())
          .arg(at.y());
    }
    case Key:
      return key();
    case TypeText:
      return type(false);
    case PasteText:
      return type(true);
    case MenuItem:
      return menuItem();
    case CloseWindow:
      return closeWindow();
    case Ngspice:
      return ngspice();
    case WaitNgspice:
      return waitNgspice();
    case EndProgram:
      return endProgram();
    case Defaults:
      return retypeDefaults();
    case kKinds:
      break;
  }
  return {};
}

void Monkey::event(long number) {
  trail.event = number;
  QString line = QString("#%1 ").arg(number);
  if (dice_.chance(10)) line += chooseExportAnswer() + "; ";
  // An export that writes must leave a file that was not there before.
  if (program_->files.path.startsWith(folder_.path() + "/")) QFile::remove(program_->files.path);
  const Kind kind = static_cast<Kind>(dice_.weighted({16, 24, 4, 10, 12, 10, 5, 6, 4, 5, 2, 2, 3}));
  ++kinds_[kind];
  // Written before the event runs, so that a crash names it.
  Record(number, line + kKindNames[kind] + "…");
  if (verbose_) {
    std::printf("%s\n", Recorded(number));
    std::fflush(stdout);
  }
  line += perform(kind);
  Record(number, line);
  settle();
  const QStringList popups = popups_.taken();
  if (!popups.isEmpty()) {
    line += " [" + popups.join("; ") + "]";
    Record(number, line);
    settle();
  }
  check();
  if (ended_) {
    line += " (the program ended; a fresh one starts)";
    Record(number, line);
    finish();
  } else if (const std::optional<QString> folded = foldSampleCount()) {
    line += " (M folded to " + *folded + ")";
    Record(number, line);
  }
  if (verbose_) {
    std::printf("  %s\n", qPrintable(line));
    std::fflush(stdout);
  }
}

// A field the program has not seen before: it must hold its default, and
// from now on only what the monkey types.
void Monkey::track(QLineEdit* edit, Window window) {
  const std::string name = edit->objectName().toStdString();
  const InputField* field = FindInputField(Control{window, name});
  if (!field)
    Fail("a field that is no input field", windowName(edit->window()) + "." + edit->objectName());
  const QString expected = QString::fromUtf8(field->defaultText.data(),
                                             static_cast<qsizetype>(field->defaultText.size()));
  if (edit->text() != expected) {
    Fail("a new field holds another text than its default",
         edit->objectName() + " = " + Shown(edit->text()));
  }
  fields_[edit] = expected;
  connect(edit, &QLineEdit::textEdited, this,
          [this, edit](const QString& text) { fields_[edit] = text; });
  connect(edit, &QObject::destroyed, this, [this, edit] { fields_.erase(edit); });
}

std::optional<QString> Monkey::foldSampleCount() {
  auto* edit = qobject_cast<QLineEdit*>(program_->main().control(form1::Text9.name));
  const std::optional<QString> folded = FoldedSampleCount(edit->text());
  if (folded) {
    edit->setText(*folded);
    fields_[edit] = *folded;
    ++folds_;
  }
  return folded;
}

// What an export wrote: a netlist whose numbers ngspice can read, samples
// of six finite numbers a row, an image that is not empty.
void Monkey::checkExport(const QString& path, const QStringList& filters) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() == 0) Fail("an export writes its file", path);
  if (filters.value(0).startsWith("Netlist SPICE")) {
    const QString deck = QString::fromUtf8(file.readAll());
    static const QRegularExpression comma(QStringLiteral("\\d,\\d"));
    const QRegularExpressionMatch m = comma.match(deck);
    if (m.hasMatch()) {
      Fail("a netlist writes its numbers with the point",
           path + ": " + Shown(deck.mid(std::max<qsizetype>(0, m.capturedStart() - 20), 40)));
    }
    if (MentionsNonFinite(deck)) Fail("a netlist says no nan or inf", path);
  } else if (filters.value(0).contains("(*.csv)")) {
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.value(0) != "i,teta,Vc1,Isw,Ic1,Ir")
      Fail("the samples start with their header", path);
    for (qsizetype i = 1; i < lines.size(); ++i) {
      if (lines[i].isEmpty() && i + 1 == lines.size()) break;
      const QList<QByteArray> row = lines[i].split(',');
      bool finite = row.size() == 6;
      for (const QByteArray& cell : row)
        finite = finite && IsFiniteNumber(QString::fromLatin1(cell));
      if (!finite) {
        Fail("every row of the samples holds six finite numbers",
             QString("%1 line %2: %3")
                 .arg(path)
                 .arg(i + 1)
                 .arg(Shown(QString::fromLatin1(lines[i]))));
      }
    }
  }
}

void Monkey::check() {
  for (const QString& failure : popups_.failures())
    Fail("no dialog but the about box may open", failure);
  if (QWidget* popup = QApplication::activePopupWidget()) {
    Fail("no popup stays open after an event", popup->metaObject()->className());
  }
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || w->inherits("QTipLabel")) continue;
    const bool known = w == &program_->main() || w == program_->window(Window::Form2) ||
                       w == program_->window(Window::Form3) ||
                       w == program_->window(Window::Form4) ||
                       w == program_->calculator.helpWindow();
    if (!known) {
      Fail("no window but the program's stays open",
           QString("%1 \"%2\"").arg(w->metaObject()->className(), w->windowTitle()));
    }
  }
  if (!ended_ && !program_->main().isVisible()) Fail("the main window is shown until the end");

  // The messages shown during the event.
  const QList<testing::RecordingPresenter::Shown>& shown = program_->messages.shown;
  const bool quiet = messagesSeen_ == shown.size();
  for (; messagesSeen_ < shown.size(); ++messagesSeen_) {
    const auto& m = shown[messagesSeen_];
    const std::string text = m.text.toStdString();
    const MessageKind kind = testing::ClassifyMessage(text, m.fault);
    ++messages_[kind];
    const QString context = (m.fault ? "fault " : "message ") + Shown(m.text);
    if (kind == MessageKind::Unknown) Fail("every message is a known text", context);
    if (MentionsNonFinite(m.text)) Fail("no message says nan or inf", context);
    if (kind == MessageKind::ExportFailure) {
      const QString path = QDir::toNativeSeparators(program_->files.path);
      if (path.isEmpty() || !m.text.startsWith("Impossibile scrivere il file " + path + ": ")) {
        Fail("an export failure names the file chosen", context);
      }
    }
  }
  // A save dialog answered without a word from the program: the file is
  // there when it could be written, and could be written.
  const QList<QStringList>& offered = program_->files.offered;
  if (offered.size() > choicesSeen_) {
    choicesSeen_ = offered.size();
    const QString path = program_->files.path;
    if (!path.isEmpty() && quiet) {
      const bool writable =
          path.startsWith(folder_.path() + "/") && !path.contains("/no-such-folder/");
      if (!writable) Fail("an export that cannot be written says so", path);
      checkExport(path, offered.last());
      ++exportsWritten_;
    }
  }

  // Every window's texts; the value boxes hold a number or nothing.
  bool resultsShown = false;
  std::vector<std::pair<QWidget*, std::optional<Window>>> all{{&program_->main(), Window::Form1}};
  for (Window w : {Window::Form2, Window::Form3, Window::Form4})
    if (FormWindow* f = program_->window(w)) all.emplace_back(f, w);
  if (QWidget* help = program_->calculator.helpWindow()) all.emplace_back(help, std::nullopt);
  for (const auto& [window, id] : all) {
    const QString name = windowName(window);
    if (MentionsNonFinite(window->windowTitle())) Fail("no title says nan or inf", name);
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
      const QString where = name + "." + w->objectName();
      if (MentionsNonFinite(w->toolTip()))
        Fail("no tooltip says nan or inf", where + ": " + Shown(w->toolTip()));
      if (auto* label = qobject_cast<QLabel*>(w)) {
        if (MentionsNonFinite(label->text())) {
          Fail("no label says nan or inf", where + " = " + Shown(label->text()));
        }
        if (id && !w->objectName().isEmpty()) {
          const std::string object = w->objectName().toStdString();
          if (FindValueBox(Control{*id, object}) && !label->text().isEmpty()) {
            if (!IsFiniteNumber(label->text())) {
              Fail("a value box holds a finite number or nothing",
                   where + " = " + Shown(label->text()));
            }
            QString& before = values_[where];
            if (label->text() != before) resultsShown = true;
            before = label->text();
          }
        }
      }
      if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        if (MentionsNonFinite(button->text())) Fail("no button says nan or inf", where);
      }
      if (auto* edit = qobject_cast<QLineEdit*>(w); edit && id) {
        const auto it = fields_.find(edit);
        if (it == fields_.end()) {
          track(edit, *id);
        } else if (edit->text() != it->second) {
          Fail("no field text is changed by the program",
               where + " holds " + Shown(edit->text()) + ", typed " + Shown(it->second));
        }
      }
    }
  }
  eventsWithResults_ += resultsShown;
}

int Monkey::run() {
  QElapsedTimer clock;
  clock.start();
  for (long n = 1; n <= events_; ++n) {
    event(n);
    if (n % 500 == 0 || n == events_) {
      std::printf("monkey: %ld/%ld events, %ld programs, %.1f s\n", n, events_, programs_,
                  static_cast<double>(clock.elapsed()) / 1000);
      std::fflush(stdout);
    }
  }
  // A run left going at the end is waited for and checked like the others.
  waitNgspice();
  settle();
  check();
  trail.over = true;
  std::printf("monkey: seed %llu, %ld events in %.1f s, %ld programs\n",
              static_cast<unsigned long long>(trail.seed), events_,
              static_cast<double>(clock.elapsed()) / 1000, programs_);
  std::printf("  events:");
  for (int k = 0; k < kKinds; ++k)
    std::printf(" %s %ld;", kKindNames[k], kinds_[k]);
  static const std::map<MessageKind, const char*> names{
      {MessageKind::FieldCheck, "input checks"},
      {MessageKind::VonWarning, "Von warnings"},
      {MessageKind::Band, "band"},
      {MessageKind::Refusal, "refusals"},
      {MessageKind::Fault, "faults"},
      {MessageKind::EngineFailure, "engine failures"},
      {MessageKind::ExportFailure, "export failures"},
      {MessageKind::Ngspice, "ngspice"}};
  std::printf("\n  messages:");
  for (const auto& [kind, count] : messages_)
    std::printf(" %s %ld;", names.at(kind), count);
  std::printf(
      "\n  events with new numbers %ld; ngspice runs started %ld; menus %d; about boxes %d; "
      "exports written %ld; M folded %ld\n",
      eventsWithResults_, ngspiceStarted_, popups_.menus, popups_.abouts, exportsWritten_, folds_);
  return 0;
}

long FromEnvironment(const char* name, long fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::strtol(value, nullptr, 10) : fallback;
}

QtMessageHandler qtMessages = nullptr;

// What the offscreen platform cannot do (raise a window, grab the keyboard
// for a menu…) it says every time it is asked; a script that the installed
// fonts cannot shape, every time a text in it is drawn.
void QuietAboutPlatform(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith("This plugin does not support") ||
      text.startsWith("OpenType support missing for")) {
    return;
  }
  qtMessages(type, context, text);
}

}  // namespace
}  // namespace classe

int main(int argc, char** argv) {
  using namespace classe;
  // Defaults for CI: a short run, always the same.
  std::uint64_t seed = static_cast<std::uint64_t>(FromEnvironment("CLASSE_MONKEY_SEED", 1));
  long events = FromEnvironment("CLASSE_MONKEY_EVENTS", 2000);
  bool verbose = FromEnvironment("CLASSE_MONKEY_VERBOSE", 0) != 0;
  qtMessages = qInstallMessageHandler(QuietAboutPlatform);
  // First, so that it takes its own options (-reverse, -platform …) away.
  QApplication app(argc, argv);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.starts_with("--seed=")) {
      seed = std::strtoull(arg.c_str() + 7, nullptr, 10);
    } else if (arg.starts_with("--events=")) {
      events = std::strtol(arg.c_str() + 9, nullptr, 10);
    } else if (arg == "--verbose") {
      verbose = true;
    } else {
      std::fprintf(stderr, "usage: monkey_test [--seed=N] [--events=N] [--verbose] [Qt options]\n");
      return 64;
    }
  }
  trail.seed = seed;
  trail.total = events;
#ifdef CLASSE_MONKEY_SANITIZED
  __sanitizer_set_death_callback(SanitizerDied);
#else
  for (int signal : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
    std::signal(signal, Crashed);
#endif
  std::printf("monkey: seed %llu, %ld events\n", static_cast<unsigned long long>(seed), events);
  Monkey monkey(seed, events, verbose);
  return monkey.run();
}
