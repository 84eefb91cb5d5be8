// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

// Every text the program may show in a message box, sorted by kind, so that
// the fuzzers and the monkey test can tell a known message from anything
// else. The texts are written out here rather than taken from the program:
// a text that changes, or a number in it that reads "inf", is then caught.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "actions/input_fields.h"

namespace classe::testing {

enum class MessageKind {
  FieldCheck,     // an input field's "missing" or "invalid" message
  VonWarning,     // the graphs with Von > 0
  Band,           // RL within 5% of R: no matching network needed
  Refusal,        // a sample count the program will not run with
  Fault,          // "Errore di calcolo: …"
  EngineFailure,  // the real-circuit engine's reasons for giving no numbers
  ExportFailure,  // "Impossibile scrivere il file …"
  Ngspice,        // the check with ngspice could not start
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

inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Length of the longest prefix of `text` that is a whole number, 0 if none.
inline std::size_t IntegerLength(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsDigit(text[n]))
    ++n;
  return n;
}

// Length of the number at the start of `text` as the engine writes one
// ("%.4g" with a decimal comma: -1,788e-05), 0 if none: never "inf" or "nan".
inline std::size_t CommaNumberLength(std::string_view text) {
  std::size_t n = text.starts_with('-') ? 1 : 0;
  const std::size_t whole = IntegerLength(text.substr(n));
  if (whole == 0) return 0;
  n += whole;
  if (n < text.size() && text[n] == ',') {
    const std::size_t fraction = IntegerLength(text.substr(n + 1));
    if (fraction == 0) return 0;
    n += 1 + fraction;
  }
  if (n + 1 < text.size() && text[n] == 'e' && (text[n + 1] == '+' || text[n + 1] == '-')) {
    const std::size_t exponent = IntegerLength(text.substr(n + 2));
    if (exponent == 0) return 0;
    n += 2 + exponent;
  }
  return n;
}

// Whether `text` is `pattern` with each placeholder filled: {n} an engine
// number, {i} a whole number, {s} any non-empty text.
inline bool Matches(std::string_view text, std::string_view pattern) {
  const std::size_t open = pattern.find('{');
  if (open == std::string_view::npos) return text == pattern;
  if (text.substr(0, open) != pattern.substr(0, open)) return false;
  text.remove_prefix(open);
  const char kind = pattern[open + 1];
  const std::string_view rest = pattern.substr(open + 3);
  if (kind == 's') {
    for (std::size_t n = 1; n <= text.size(); ++n)
      if (Matches(text.substr(n), rest)) return true;
    return false;
  }
  const std::size_t n = kind == 'n' ? CommaNumberLength(text) : IntegerLength(text);
  return n > 0 && Matches(text.substr(n), rest);
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
  constexpr std::array<std::string_view, 13> kPatterns{
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
      "Il progetto ideale non ha valori da simulare."};
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
    for (const auto& fields : {std::span<const InputField>(kInputFields),
                               std::span<const InputField>(kRealCircuitFields)}) {
      for (const InputField& field : fields) {
        if (text == field.msgInvalid || (!field.msgMissing.empty() && text == field.msgMissing)) {
          return MessageKind::FieldCheck;
        }
      }
    }
    if (text == kVonWarning) return MessageKind::VonWarning;
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
  if (text == "ngspice non è installato: per la verifica installalo con sudo apt install ngspice" ||
      Matches(text, "Verifica con ngspice non avviata: {s}.")) {
    return MessageKind::Ngspice;
  }
  return MessageKind::Unknown;
}

}  // namespace classe::testing
