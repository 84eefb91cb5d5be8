// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "windows/main_window/main_menu.h"

#include <QMenu>
#include <QMenuBar>

namespace classe {

MainMenu BuildMainMenu(QMenuBar* bar) {
  MainMenu menu;
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  menu.newDesign = file->addAction(QStringLiteral("&Nuovo"));
  menu.newDesign->setShortcut(QKeySequence::New);
  menu.open = file->addAction(QStringLiteral("&Apri…"));
  menu.open->setShortcut(QStringLiteral("Ctrl+O"));
  menu.recent = file->addMenu(QStringLiteral("File &recenti"));
  menu.save = file->addAction(QStringLiteral("&Salva"));
  menu.save->setShortcut(QStringLiteral("Ctrl+S"));
  menu.saveAs = file->addAction(QStringLiteral("Salva con &nome…"));
  menu.saveAs->setShortcut(QStringLiteral("Ctrl+Shift+S"));
  file->addSeparator();
  menu.print = file->addAction(QStringLiteral("S&tampa…"));
  menu.print->setShortcut(QStringLiteral("Ctrl+P"));
  menu.exportReport = file->addAction(QStringLiteral("Esporta &rapporto PDF…"));
  file->addSeparator();
  menu.exportSamples = file->addAction(QStringLiteral("Esporta &campioni CSV…"));
  menu.exportNetlist = file->addAction(QStringLiteral("Esporta &netlist SPICE…"));
  file->addSeparator();
  menu.quit = file->addAction(QStringLiteral("&Esci"));
  menu.quit->setShortcut(QKeySequence::Quit);
  // Ctrl+Q is the quit shortcut on every desktop, also where the platform
  // names none.
  if (menu.quit->shortcut().isEmpty()) menu.quit->setShortcut(QStringLiteral("Ctrl+Q"));

  QMenu* design = bar->addMenu(QStringLiteral("&Progetto"));
  menu.realCircuit = design->addAction(QStringLiteral("&Circuito reale…"));
  menu.realCircuit->setShortcut(QStringLiteral("Ctrl+R"));
  menu.parts = design->addAction(QStringLiteral("C&omponenti commerciali…"));
  menu.tolerances = design->addAction(QStringLiteral("Analisi delle &tolleranze…"));
  menu.sweep = design->addAction(QStringLiteral("Analisi &parametrica…"));

  QMenu* help = bar->addMenu(QStringLiteral("&Aiuto"));
  menu.help = help->addAction(QStringLiteral("&Guida"));
  menu.help->setShortcut(QKeySequence::HelpContents);
  if (menu.help->shortcut().isEmpty()) menu.help->setShortcut(QStringLiteral("F1"));
  menu.about = help->addAction(QStringLiteral("&Informazioni su Classe E"));
  menu.about->setMenuRole(QAction::AboutRole);
  menu.quit->setMenuRole(QAction::QuitRole);
  return menu;
}

}  // namespace classe
