// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QAction>

class QMenu;
class QMenuBar;

namespace classe {

// The main window's menus, as desktop programs have them: File, Progetto,
// Aiuto, with mnemonics and the usual shortcuts.
struct MainMenu {
  QAction* newDesign = nullptr;      // "Nuovo": the defaults
  QAction* open = nullptr;           // "Apri…", Ctrl+O
  QAction* save = nullptr;           // "Salva", Ctrl+S
  QAction* saveAs = nullptr;         // "Salva con nome…", Ctrl+Shift+S
  QMenu* recent = nullptr;           // "File recenti", filled by the program
  QAction* print = nullptr;          // "Stampa…", Ctrl+P
  QAction* exportReport = nullptr;   // "Esporta rapporto PDF…"
  QAction* exportSamples = nullptr;  // "Esporta campioni CSV…"
  QAction* exportNetlist = nullptr;  // "Esporta netlist SPICE…"
  QAction* quit = nullptr;           // "Esci", Ctrl+Q: the same as the button
  QAction* realCircuit = nullptr;    // "Circuito reale…", Ctrl+R
  QAction* parts = nullptr;          // "Componenti commerciali…"
  QAction* tolerances = nullptr;     // "Analisi delle tolleranze…"
  QAction* sweep = nullptr;          // "Analisi parametrica…"
  QAction* help = nullptr;           // "Guida", F1
  QAction* about = nullptr;          // "Informazioni su Classe E"
};

// Fills `bar` with the menus and returns their items, which do nothing until
// connected.
MainMenu BuildMainMenu(QMenuBar* bar);

}  // namespace classe
