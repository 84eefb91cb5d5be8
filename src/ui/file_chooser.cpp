// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "ui/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace classe {

QString FilterSuffix(const QString& filter) {
  static const QRegularExpression kSuffix(QStringLiteral("\\*\\.(\\w+)"));
  const QRegularExpressionMatch match = kSuffix.match(filter);
  return match.hasMatch() ? match.captured(1) : QString();
}

FileChooser::Choice DialogFileChooser::saveFile(QWidget* parent, const QString& title,
                                                const QString& suggestedName,
                                                const QStringList& filters) {
  Choice choice;
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  choice.filter = filters.value(0);
  choice.path = QFileDialog::getSaveFileName(parent, title, folder + '/' + suggestedName,
                                             filters.join(QStringLiteral(";;")), &choice.filter);
  const QString suffix = FilterSuffix(choice.filter);
  if (!choice.path.isEmpty() && QFileInfo(choice.path).suffix().isEmpty() && !suffix.isEmpty())
    choice.path += '.' + suffix;
  return choice;
}

FileChooser::Choice DialogFileChooser::openFile(QWidget* parent, const QString& title,
                                                const QStringList& filters) {
  Choice choice;
  choice.filter = filters.value(0);
  choice.path = QFileDialog::getOpenFileName(
      parent, title, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
      filters.join(QStringLiteral(";;")), &choice.filter);
  return choice;
}

}  // namespace classe
