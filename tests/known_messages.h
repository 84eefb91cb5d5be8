// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

// Every text the program may show in a message box, sorted by kind, so that
// the fuzzers and the monkey test can tell a known message from anything
// else. The texts are written out here rather than taken from the program:
// a text that changes, or a number in it that reads "inf", is then caught.

#include <array>
#include <map>
#include <regex>
#include <span>
#include <string>
#include <string_view>

#include "actions/input_fields.h"

namespace classe::testing {

enum class MessageKind {
  FieldCheck,        // an input field's "missing" or "invalid" message
  VonWarning,        // the graphs with Von > 0
  BreakdownWarning,  // the drain peak above 80 % of the transistor's rating
  Band,              // RL within 5% of R: no matching network needed
  Refusal,           // a sample count the program will not run with
  Fault,             // "Errore di calcolo: …"
  EngineFailure,     // the real-circuit engine's reasons for giving no numbers
  ExportFailure,     // "Impossibile scrivere il file …"
  Ngspice,           // the check with ngspice could not start
  Parts,             // the parts window's refusals and the retune's failures
  Analysis,          // the tolerance and sweep windows' refusals
  Unknown,
};

inline constexpr std::string_view kVonWarning =
    "Se Von > 0 il grafico viene rappresentato ugualmente ma non risultano più valide le ipotesi "
    "fatte per l'amplificatore ideale in Classe E";
inline constexpr std::array<std::string_view, 2> kBandMessages{
    "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Ma se proprio vuoi la "
    "precisione, ecco qua:",
    "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Questo è lo schema!"};
inline constexpr std::string_view kNegativeCount =
    "Il numero di campioni M non può essere negativo: scrivi un intero positivo, ad es. 1000.";
inline constexpr std::string_view kOutOfMemory =
    "Memoria insufficiente per i campioni richiesti: riduci il numero di campioni M.";

// "nan", "inf" or "infinity" standing as a word, in any mix of cases
// ("-inf", "NaN"): how a non-finite number would leak into a text, and not
// "informazioni".
inline bool MentionsNonFinite(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  auto letter = [&](std::size_t i) {
    return i < lower.size() && lower[i] >= 'a' && lower[i] <= 'z';
  };
  for (std::string_view word : {"nan", "inf", "infinity"}) {
    for (std::size_t i = lower.find(word); i != std::string::npos; i = lower.find(word, i + 1))
      if ((i == 0 || !letter(i - 1)) && !letter(i + word.size())) return true;
  }
  return false;
}

namespace detail {

// Whether `text` is `pattern` with each placeholder filled: {n} a number as
// the engine writes one ("%.4g" with a decimal comma: -1,788e-05, never "inf"
// or "nan"), {i} a whole number, {s} any non-empty text.
inline bool Matches(std::string_view text, std::string_view pattern) {
  static std::map<std::string_view, std::regex> compiled;  // the patterns are literals
  if (const auto it = compiled.find(pattern); it != compiled.end())
    return std::regex_match(text.begin(), text.end(), it->second);
  std::string expression;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.substr(i, 3) == "{n}") {
      expression += "-?[0-9]+(,[0-9]+)?(e[-+][0-9]+)?";
    } else if (pattern.substr(i, 3) == "{i}") {
      expression += "[0-9]+";
    } else if (pattern.substr(i, 3) == "{s}") {
      expression += "[\\s\\S]+";
    } else {
      if (std::string_view("\\^$.|?*+()[]{}").find(pattern[i]) != std::string_view::npos)
        expression += '\\';
      expression += pattern[i];
      continue;
    }
    i += 2;
  }
  return std::regex_match(text.begin(), text.end(), compiled[pattern] = std::regex(expression));
}

// "Il numero di campioni M è troppo grande: … N MB di memoria, ma ne sono
// disponibili soltanto N MB."
inline bool IsMemoryRefusal(std::string_view text) {
  return Matches(text,
                 "Il numero di campioni M è troppo grande: i campioni richiederebbero {i} MB di "
                 "memoria, ma ne sono disponibili soltanto {i} MB.");
}

// "Errore di calcolo: <kind> nel calcolo di <quantity>."
inline bool IsFaultText(std::string_view text) {
  for (std::string_view kind :
       {"divisione per zero", "valore troppo grande (overflow)", "operazione non valida"}) {
    constexpr std::string_view kHead = "Errore di calcolo: ";
    if (text.starts_with(kHead) && text.substr(kHead.size()).starts_with(kind)) {
      return Matches(text.substr(kHead.size() + kind.size()), " nel calcolo di {s}.");
    }
  }
  return false;
}

// The real-circuit engine's failures as the windows can meet them, and the
// deck of a design without numbers; each text itself is the engine's tests'
// business.
inline bool IsEngineFailure(std::string_view text) {
  constexpr std::array<std::string_view, 19> kPatterns{
      "Valore non valido per {s}: dev{s}.",
      "Risultato non finito nel calcolo di {s}: i valori dei componenti sono fuori scala.",
      "Ron = {n} Ω non è accettabile: la resistenza dell'interruttore chiuso non può essere "
      "negativa.",
      "La capacità d'uscita del transistor (Coss = {n} pF) supera la C1 richiesta ({n} pF): "
      "scegli un transistor con Coss minore o alza N o Q.",
      "Il circuito non ha un regime periodico unico: controlla i valori dei componenti.",
      "Nessun progetto esatto con Q = {n} e N = {i}: il ramo serie non dà la reattanza richiesta "
      "(C2 diverrebbe infinita). Aumenta Q: il minimo è circa 1,79 con un'impedenza di "
      "alimentazione molto grande, un po' meno con N piccolo (1,75 con N = 20).",
      "Nessun progetto esatto con Q = {n} e N = {i}: servirebbe {s} non positiva. Aumenta N o Q.",
      "Il calcolo del progetto esatto si è bloccato all'iterazione {i} (matrice singolare): "
      "nessun progetto trovato.",
      "Il calcolo del progetto esatto non converge: residuo {n} dopo {i} iterazioni.",
      "Il modello SPICE richiede Ron > 0: l'interruttore di ngspice non può avere resistenza "
      "nulla.",
      "Numero di intervalli M = {i} non valido: deve essere tra 1 e {i}.",
      "Il progetto esatto non ha valori da simulare.",
      "Il progetto ideale non ha valori da simulare.",
      "Nessun progetto con questo transistor: la sua Coss ({n} pF a {n} V) supera da sola la "
      "capacità in parallelo che il progetto richiede.{s}",
      "Errore di calcolo: l'integrazione del semiperiodo con l'interruttore aperto non è "
      "riuscita (CVODES {s}).",
      "Il calcolo del circuito con il transistor richiede troppi passi di integrazione: "
      "controlla i dati (Vcc, f, Q e Coss), che portano il circuito fuori dalla portata del "
      "modello.",
      "La {s} deve essere {s}.",
      "Il {s} deve essere {s}.",
      "I parametri della giunzione danno una capacità fuori scala."};
  for (std::string_view pattern : kPatterns)
    if (Matches(text, pattern)) return true;
  return false;
}

}  // namespace detail

// The kind of a message shown with its fault flag; Unknown for any other
// text, or for a known text shown with the wrong flag.
inline MessageKind ClassifyMessage(std::string_view text, bool fault) {
  using namespace detail;
  if (!fault) {
    for (const auto& fields : kFieldTables) {
      for (const InputField& field : fields) {
        if (text == field.msgInvalid || (!field.msgMissing.empty() && text == field.msgMissing)) {
          return MessageKind::FieldCheck;
        }
      }
    }
    if (text == kVonWarning) return MessageKind::VonWarning;
    if (Matches(text,
                "Attenzione: nel progetto {s} il picco di tensione sul drain ({s} V) supera "
                "l'80 % di V(BR)DSS ({s} V): scegli un transistor con tensione di rottura "
                "maggiore."))
      return MessageKind::BreakdownWarning;
    for (std::string_view band : kBandMessages)
      if (text == band) return MessageKind::Band;
    return MessageKind::Unknown;
  }
  if (text == kNegativeCount || text == kOutOfMemory || IsMemoryRefusal(text)) {
    return MessageKind::Refusal;
  }
  if (IsFaultText(text)) return MessageKind::Fault;
  if (IsEngineFailure(text)) return MessageKind::EngineFailure;
  if (Matches(text,
              "Impossibile scrivere il file {s}: {s}. Un file già presente con quel nome non è "
              "stato modificato.")) {
    return MessageKind::ExportFailure;
  }
  if (text == "Serie non riconosciuta: scegli continua, E6, E12, E24, E48 o E96." ||
      text == "Il margine di tensione deve essere un numero tra 1 e 100 (ad es. 1.5)." ||
      text == "Premi Calcola prima di esportare la distinta base." ||
      Matches(text,
              "Ritaratura impossibile: con le parti scelte non si trova una regolazione di {s} "
              "che dia {s} (resta il {n} % di Vcc). Scegli una serie più fitta o le coppie in "
              "parallelo.")) {
    return MessageKind::Parts;
  }
  if (Matches(text, "Errore di inserimento dati per {s}: scrivi {s}") ||
      Matches(text, "La tolleranza {s} deve essere di almeno 0 % e minore di 100 %.") ||
      Matches(text, "{s} deve restare {s} su tutto l'intervallo della scansione.") ||
      text == "Il numero di prove deve essere compreso tra 1 e 1000000." ||
      text == "La banda di Po deve essere un numero positivo." ||
      text == "La banda della tensione all'accensione deve essere di almeno 0 %." ||
      text == "Gli estremi della scansione devono essere numeri finiti." ||
      text == "Il numero di punti della scansione deve essere compreso tra 2 e 100000." ||
      text ==
          "La reattanza del carico si può variare solo senza rete di adattamento: con la rete "
          "nel circuito togli la spunta o varia RL." ||
      text == "Il progetto nominale non ha un regime periodico da confrontare." ||
      text == "Premi Calcola prima di esportare gli esemplari." ||
      text == "Premi Calcola prima di esportare la scansione.") {
    return MessageKind::Analysis;
  }
  if (text == "ngspice non è installato: per la verifica installalo con sudo apt install ngspice" ||
      Matches(text, "Verifica con ngspice non avviata: {s}.")) {
    return MessageKind::Ngspice;
  }
  return MessageKind::Unknown;
}

}  // namespace classe::testing
