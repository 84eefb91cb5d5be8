// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

// The whole program, driven through its real windows as a user would:
// controls found by design name, fields typed into, buttons clicked. Message
// boxes are recorded instead of shown, so nothing blocks on a dialog.

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QStyleOptionButton>
#include <QTest>
#include <functional>
#include <initializer_list>
#include <utility>

#include "app/calculator.h"

namespace classe::testing {

class RecordingPresenter : public MessagePresenter {
 public:
  struct Shown {
    QString text;
    bool fault = false;
  };
  void show(const QString& text, bool fault) override {
    shown.push_back({text, fault});
    if (whileShown) whileShown();
  }
  // The texts, a fault as "<fault>".
  QStringList texts() const {
    QStringList out;
    for (const Shown& s : shown)
      out << (s.fault ? "<fault>" : s.text);
    return out;
  }
  QList<Shown> shown;
  std::function<void()> whileShown;  // runs while the box would be open
};

// Answers every save dialog with the path it holds, or cancels when empty,
// and remembers the filters each dialog offered.
class ScriptedFileChooser : public FileChooser {
 public:
  Choice saveFile(QWidget*, const QString&, const QString&, const QStringList& filters) override {
    offered.push_back(filters);
    return {path, filter.isEmpty() ? filters.value(0) : filter};
  }
  Choice openFile(QWidget*, const QString&, const QStringList& filters) override {
    ++opened;
    return {openPath, filters.value(0)};
  }
  QString openPath;  // what an open dialog answers; empty: cancelled
  int opened = 0;
  QString path;
  QString filter;
  QList<QStringList> offered;
};

struct Program {
  RecordingPresenter messages;
  ScriptedFileChooser files;
  Calculator calculator{&messages, &files};

  explicit Program(std::initializer_list<std::pair<const char*, const char*>> fields = {}) {
    calculator.mainWindow().show();
    for (const auto& [field, text] : fields)
      type(field, text);
  }
  Form1& main() { return calculator.mainWindow(); }
  DesignState& s() { return calculator.state(); }
  FormWindow* window(Window w) { return calculator.controls().existing(w); }
  // A control of a window that exists; a missing one ends the test run.
  QWidget* control(Window w, const char* name) {
    FormWindow* form = window(w);
    QWidget* found = form ? form->control(name) : nullptr;
    if (!found) qFatal("no control %s", name);
    return found;
  }
  void type(const char* field, const QString& text) {
    qobject_cast<QLineEdit*>(control(Window::Form1, field))->setText(text);
  }
  void click(Window w, const char* button) {
    QTest::mouseClick(control(w, button), Qt::LeftButton);
  }
  void click(const char* button) { click(Window::Form1, button); }
  QString text(Window w, const char* label) {
    return qobject_cast<QLabel*>(control(w, label))->text();
  }
  bool shown(Window w, const char* name) { return !control(w, name)->isHidden(); }
};

// What a screen reader hears of a widget.
inline QString Accessible(QWidget* w, QAccessible::Text which) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a ? a->text(which) : QString("(none)");
}

// Nothing clipped or covered: every named control, shown or not, inside the
// client area and clear of the others (bar a group of `sharing`, shown in turn
// in one place); every text inside its control, on one line but for the
// captions of `wrapped`, an empty value box as the longest number it gets.
inline void CheckLayout(FormWindow& form, const QList<QSet<QString>>& sharing = {},
                        const QSet<QString>& wrapped = {}) {
  const auto all = form.clientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* w : all) {
    const QString name = w->objectName();
    if (name.isEmpty()) continue;
    QVERIFY2(form.clientArea()->rect().contains(w->geometry()), qPrintable(name));
    for (QWidget* other : all) {
      const QString second = other->objectName();
      bool apart = other == w || second.isEmpty();
      for (const QSet<QString>& group : sharing)
        apart = apart || (group.contains(name) && group.contains(second));
      QVERIFY2(apart || !w->geometry().intersects(other->geometry()),
               qPrintable(name + " overlaps " + second));
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(button);
      const QRect area = button->style()
                             ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                             .adjusted(2, 0, -2, 0);
      QVERIFY2(area.contains(button->fontMetrics().boundingRect(
                   area, Qt::AlignCenter | Qt::TextWordWrap, button->text())),
               qPrintable(name));
    }
  }
  for (QLabel* label : form.findChildren<QLabel*>()) {
    const QRect inside = label->contentsRect();
    const QString text =
        label->text().isEmpty() && !label->wordWrap() ? "-8.888 E+88" : label->text();
    const QSize need =
        wrapped.contains(label->objectName())
            ? label->fontMetrics().boundingRect(inside, Qt::TextWordWrap, text).size()
            : label->fontMetrics().size(0, text);
    QVERIFY2(need.width() <= inside.width() && need.height() <= inside.height(),
             qPrintable(label->objectName()));
  }
}

}  // namespace classe::testing
