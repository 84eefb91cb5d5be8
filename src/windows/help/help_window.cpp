// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/help/help_window.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QUrl>

namespace classe {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("Guida"));
  setWindowTitle(QStringLiteral("Guida di Classe E"));
  setAccessibleName(QStringLiteral("Guida"));
  setOpenExternalLinks(true);
  setSource(QUrl(QStringLiteral("qrc:/help/manuale.html")));
  resize(760, 640);
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QTextBrowser::keyPressEvent(event);
}

QString AboutText() {
  return QStringLiteral(
             "<p><b>Classe E</b> versione %1</p>"
             "<p>Progetto di amplificatori RF in classe E: il progetto ideale, la rete di "
             "adattamento, le forme d'onda, la verifica del circuito definitivo e il circuito "
             "reale simulato esattamente, con il progetto esatto a Q finito.</p>"
             "<p>Licenza MIT. © 2026 gli sviluppatori di classe-e.</p>"
             "<p>Costruito con Qt %2, in uso Qt %3.</p>")
      .arg(QStringLiteral(CLASSE_VERSION), QStringLiteral(QT_VERSION_STR),
           QString::fromLatin1(qVersion()));
}

void ShowAbout(QWidget* parent) {
  QMessageBox::about(parent, QStringLiteral("Informazioni su Classe E"), AboutText());
}

}  // namespace classe
