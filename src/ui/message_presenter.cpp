// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/message_presenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>

namespace classe {

QString ApplicationTitle() {
  return QStringLiteral("Amplificatore RF in classe E");
}

void MessageBoxPresenter::show(const QString& text, bool) {
  // The box belongs to the window that is active, so it opens over it.
  QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : parent_;
  QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, parent);
  box.button(QMessageBox::Ok)->setIcon(QIcon());  // no icon anywhere, not even on OK
  box.exec();
}

}  // namespace classe
