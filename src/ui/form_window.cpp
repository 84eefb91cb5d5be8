// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/form_window.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QRadioButton>
#include <QSvgWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "ui/caption_button.h"
#include "ui/qt_conversions.h"
#include "ui/twips.h"

namespace classe {
namespace {

constexpr const char* kBackgroundProperty = "classeBackground";
constexpr const char* kForegroundProperty = "classeForeground";
constexpr const char* kBorderProperty = "classeBorder";

// Colours live in a style sheet so that a value box keeps its black border
// whatever colour its text takes.
void ApplyStyle(QWidget* w) {
  QString css;
  const QVariant background = w->property(kBackgroundProperty);
  const QVariant foreground = w->property(kForegroundProperty);
  if (background.isValid()) css += "background-color: " + background.toString() + ";";
  if (foreground.isValid()) css += "color: " + foreground.toString() + ";";
  if (w->property(kBorderProperty).toBool()) css += "border: 1px solid black; padding-left: 1px;";
  w->setStyleSheet(css.isEmpty() ? QString()
                                 : QStringLiteral("#%1 { %2 }").arg(w->objectName(), css));
}

// What a screen reader says about a value box besides its value: the symbol
// and unit the window shows beside it ("R [Ω]").
QString ValueBoxDescription(Window window, std::string_view name) {
  const ValueBox* box = FindValueBox({window, name});
  if (!box) return {};
  QString text = FromUtf8(box->symbol);
  if (!box->unit.empty()) text += ' ' + FromUtf8(box->unit);
  return text;
}

// What a screen reader calls an input field: the symbol and unit the window
// shows beside it ("Po [Watt]").
QString FieldName(Control control) {
  const InputField* field = FindInputField(control);
  if (!field) return {};
  QString text = FromUtf8(field->symbol);
  if (!field->unit.empty()) text += ' ' + FromUtf8(field->unit);
  return text;
}

}  // namespace

FormWindow::FormWindow(Window id, QWidget* parent) : QWidget(parent), id_(id) {}

void FormWindow::setMenuBar(QMenuBar* menuBar) {
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // The window takes exactly the menu bar and the client area.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setMenuBar(menuBar);
  layout->addWidget(client_);
}

void FormWindow::build(std::span<const ControlSpec> layout, Rgb background, ClientSize size) {
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, ToQColor(background));
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);
  client_->setFixedSize(TwipsSize(size.width, size.height));

  QWidget* previousFocus = nullptr;
  for (const ControlSpec& item : layout) {
    QWidget* parent = client_;
    if (!item.holder.empty()) {
      parent = control(item.holder);
      holders_.emplace(std::string(item.name), std::string(item.holder));
    }
    QWidget* w = createControl(item, parent);
    w->setObjectName(FromUtf8(item.name));
    w->setGeometry(TwipsRect(item.left, item.top, item.width, item.height));
    QFont font = w->font();
    font.setFamilies({"Liberation Sans", "DejaVu Sans", "Sans Serif"});
    font.setPointSizeF(item.pointSize > 0 ? item.pointSize : textPointSize());
    font.setBold(item.bold);
    w->setFont(font);
    if (item.background) w->setProperty(kBackgroundProperty, CssColour(*item.background));
    if (item.foreground) w->setProperty(kForegroundProperty, CssColour(*item.foreground));
    ApplyStyle(w);
    if (item.hidden) w->setHidden(true);
    controls_.emplace(std::string(item.name), w);
    // Fields and buttons take the focus in the order of the table.
    if (w->focusPolicy() != Qt::NoFocus) {
      if (previousFocus) setTabOrder(previousFocus, w);
      previousFocus = w;
    }
  }
}

QWidget* FormWindow::createControl(const ControlSpec& item, QWidget* parent) {
  const QString text = FromUtf8(item.text);
  switch (item.kind) {
    case ControlKind::Caption: {
      auto* label = new QLabel(text, parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | (item.middle ? Qt::AlignVCenter : Qt::AlignTop));
      return label;
    }
    case ControlKind::ValueBox: {
      auto* box = new QLabel(text, parent);
      box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      box->setProperty(kBorderProperty, true);
      box->setAccessibleName(text);
      box->setAccessibleDescription(ValueBoxDescription(id_, item.name));
      return box;
    }
    case ControlKind::Field: {
      auto* field = new QLineEdit(text, parent);
      field->setAccessibleName(FieldName({id_, item.name}));
      return field;
    }
    case ControlKind::Button:
      return new CaptionButton(text, parent);
    case ControlKind::Option: {
      auto* option = new QRadioButton(text, parent);
      if (!options_) options_ = new QButtonGroup(this);
      options_->addButton(option);
      if (options_->buttons().size() == 1) option->setChecked(true);
      return option;
    }
    case ControlKind::Image:
      return new QSvgWidget(text, parent);
    case ControlKind::Picture:
      return createPicture(item, parent);
    case ControlKind::CheckBox:
      return new QCheckBox(text, parent);
    case ControlKind::Busy: {
      auto* busy = new QProgressBar(parent);
      busy->setRange(0, 0);  // no known end: the bar moves to and fro
      busy->setTextVisible(false);
      busy->setAccessibleName(text);
      return busy;
    }
    case ControlKind::Progress: {
      auto* bar = new QProgressBar(parent);
      bar->setRange(0, 1);
      bar->setValue(0);
      bar->setAccessibleName(text);
      return bar;
    }
    case ControlKind::Choice: {
      auto* list = new QComboBox(parent);
      list->addItems(text.split(QLatin1Char('|')));
      list->setCurrentText(FromUtf8(item.current));
      return list;
    }
    case ControlKind::Line: {
      auto* line = new QFrame(parent);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Plain);
      line->setLineWidth(1);
      return line;
    }
  }
  return new QWidget(parent);
}

QWidget* FormWindow::createPicture(const ControlSpec&, QWidget* parent) {
  return new QWidget(parent);
}

QWidget* FormWindow::control(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

QString FormWindow::fieldText(std::string_view name) const {
  if (auto* list = qobject_cast<QComboBox*>(control(name))) return list->currentText();
  auto* field = qobject_cast<QLineEdit*>(control(name));
  return field ? field->text() : QString();
}

void FormWindow::setFieldText(std::string_view name, const QString& text) {
  // A list shows only its own entries: an unknown text leaves it as it is.
  if (auto* list = qobject_cast<QComboBox*>(control(name))) list->setCurrentText(text);
  if (auto* field = qobject_cast<QLineEdit*>(control(name))) field->setText(text);
}

void FormWindow::setCaption(std::string_view name, const QString& caption) {
  QWidget* w = control(name);
  if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(caption);
    // A value box is read out by its value.
    if (label->property(kBorderProperty).toBool()) label->setAccessibleName(caption);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(caption);
  }
}

void FormWindow::setControlVisible(std::string_view name, bool visible) {
  if (QWidget* w = control(name)) w->setVisible(visible);
}

void FormWindow::setTextColour(std::string_view name, Rgb colour) {
  if (QWidget* w = control(name)) {
    w->setProperty(kForegroundProperty, CssColour(colour));
    ApplyStyle(w);
  }
}

void FormWindow::setControlToolTip(std::string_view name, const QString& text) {
  if (QWidget* w = control(name)) w->setToolTip(text);
}

void FormWindow::select(std::string_view option) {
  if (auto* button = qobject_cast<QAbstractButton*>(control(option))) button->setChecked(true);
}

bool FormWindow::isSelected(std::string_view option) const {
  auto* button = qobject_cast<QAbstractButton*>(control(option));
  return button && button->isChecked();
}

void FormWindow::setChecked(std::string_view box, bool checked) {
  if (auto* b = qobject_cast<QCheckBox*>(control(box))) b->setChecked(checked);
}

bool FormWindow::isChecked(std::string_view box) const {
  auto* b = qobject_cast<QCheckBox*>(control(box));
  return b && b->isChecked();
}

void FormWindow::moveControl(std::string_view name, double left, double top) {
  QWidget* w = control(name);
  const auto holder = holders_.find(name);
  if (!w || holder == holders_.end()) return;
  if (PlotSurface* s = surface(holder->second)) w->move(s->toPixels(left, top).toPoint());
}

PlotSurface* FormWindow::surface(std::string_view) {
  return nullptr;
}

void FormWindow::onClick(std::string_view button, std::function<void()> handler) {
  if (auto* b = qobject_cast<QAbstractButton*>(control(button))) {
    connect(b, &QAbstractButton::clicked, this, [handler = std::move(handler)] { handler(); });
  }
}

}  // namespace classe

namespace classe {

void FormWindow::keyPressEvent(QKeyEvent* event) {
  if (closesOnEscape_ && event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void FormWindow::setProgress(std::string_view name, long long done, long long total) {
  auto* bar = qobject_cast<QProgressBar*>(control(name));
  if (!bar) return;
  // The bar counts in int: a run of up to a million builds fits, in thousandths
  // of the whole.
  constexpr int kSteps = 1000;
  bar->setRange(0, kSteps);
  bar->setValue(total > 0 ? static_cast<int>(kSteps * std::clamp(done, 0LL, total) / total) : 0);
}

}  // namespace classe
