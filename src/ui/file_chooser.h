// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace classe {

// Where the user wants a file saved: the platform's save dialog, or in the
// tests a chooser that answers at once.
class FileChooser {
 public:
  struct Choice {
    QString path;    // empty: the user cancelled
    QString filter;  // the name filter chosen, one of those offered
  };
  virtual ~FileChooser() = default;
  // `filters` as Qt writes them: "Immagine PNG (*.png)"; the first is the
  // default.
  virtual Choice saveFile(QWidget* parent, const QString& title, const QString& suggestedName,
                          const QStringList& filters) = 0;
  virtual Choice openFile(QWidget* parent, const QString& title, const QStringList& filters) = 0;
};

// The platform's dialog; a name typed without a suffix gets the chosen
// filter's.
class DialogFileChooser : public FileChooser {
 public:
  Choice saveFile(QWidget* parent, const QString& title, const QString& suggestedName,
                  const QStringList& filters) override;
  Choice openFile(QWidget* parent, const QString& title, const QStringList& filters) override;
};

// The suffix of a name filter ("png" of "Immagine PNG (*.png)").
QString FilterSuffix(const QString& filter);

}  // namespace classe
