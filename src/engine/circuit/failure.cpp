// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/failure.h"

#include <cmath>
#include <cstdio>

namespace classe::circuit {
namespace {

// Four significant digits with the Italian decimal comma: "1,788".
std::string Number(double value) {
  // A message never shows "nan" or "inf", whatever led to it.
  if (!std::isfinite(value)) return "non finito";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.4g", value);
  std::string text(buffer);
  for (char& c : text)
    if (c == '.') c = ',';
  return text;
}

Failure Make(FailureKind kind, std::string text) {
  return Failure{kind, std::move(text)};
}

// Three significant digits, as the limits are given.
std::string Limit(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%#.3g", value);
  std::string text(buffer);
  for (char& c : text)
    if (c == '.') c = ',';
  return text;
}

}  // namespace

Failure InvalidValue(std::string_view quantity, std::string_view requirement) {
  std::string text = "Valore non valido per ";
  text += quantity;
  text += ": ";
  text += requirement;
  text += '.';
  return Make(FailureKind::InvalidValue, std::move(text));
}

Failure NegativeRon(double Ron) {
  return Make(FailureKind::NegativeRon, "Ron = " + Number(Ron) +
                                            " Ω non è accettabile: la resistenza dell'interruttore "
                                            "chiuso non può essere negativa.");
}

Failure CossAboveC1(double Coss, double C1) {
  return Make(FailureKind::CossAboveC1,
              "La capacità d'uscita del transistor (Coss = " + Number(Coss * 1e12) +
                  " pF) supera la C1 richiesta (" + Number(C1 * 1e12) +
                  " pF): scegli un transistor con Coss minore o alza N o Q.");
}

Failure SingularPeriod() {
  return Make(FailureKind::SingularPeriod,
              "Il circuito non ha un regime periodico unico: controlla i valori dei componenti.");
}

Failure NonFinite(std::string_view quantity) {
  std::string text = "Risultato non finito nel calcolo di ";
  text += quantity;
  text += ": i valori dei componenti sono fuori scala.";
  return Make(FailureKind::NonFinite, std::move(text));
}

Failure QTooLow(double Q, int N) {
  return Make(FailureKind::QTooLow,
              "Nessun progetto esatto con Q = " + Number(Q) + " e N = " + std::to_string(N) +
                  ": il ramo serie non dà la reattanza richiesta (C2 diverrebbe infinita). "
                  "Aumenta Q: il minimo è circa 1,79 con un'impedenza di alimentazione molto "
                  "grande, un po' meno con N piccolo (1,75 con N = 20).");
}

Failure SingularStep(int iteration) {
  return Make(FailureKind::SingularStep,
              "Il calcolo del progetto esatto si è bloccato all'iterazione " +
                  std::to_string(iteration) + " (matrice singolare): nessun progetto trovato.");
}

Failure NoConvergence(int iterations, double residual) {
  return Make(FailureKind::NoConvergence, "Il calcolo del progetto esatto non converge: residuo " +
                                              Number(residual) + " dopo " +
                                              std::to_string(iterations) + " iterazioni.");
}

Failure SwitchNeedsResistance() {
  return Make(FailureKind::SwitchNeedsResistance,
              "Il modello SPICE richiede Ron > 0: l'interruttore di ngspice non può avere "
              "resistenza nulla.");
}

Failure SampleCount(long long M, long long limit) {
  return Make(FailureKind::SampleCount, "Numero di intervalli M = " + std::to_string(M) +
                                            " non valido: deve essere tra 1 e " +
                                            std::to_string(limit) + ".");
}

Failure RetuneImpossible(std::string_view knobs, std::string_view condition, double left) {
  return Make(FailureKind::RetuneImpossible,
              "Ritaratura impossibile: con le parti scelte non si trova una regolazione di " +
                  std::string(knobs) + " che dia " + std::string(condition) + " (resta il " +
                  Number(100 * left) +
                  " % di Vcc). Scegli una serie più fitta o le coppie in "
                  "parallelo.");
}

Failure TransistorTooLarge(double Coss, double Vref, const DesignLimits& limits) {
  std::string text = "Nessun progetto con questo transistor: la sua Coss (" + Number(Coss * 1e12) +
                     " pF a " + Number(Vref) +
                     " V) supera da sola la capacità in parallelo che il progetto richiede. Un "
                     "progetto esiste fino a " +
                     Limit(limits.fmax.value_or(0) / 1e6) + " MHz";
  if (limits.VccMax)
    text += ", o a questa frequenza con Vcc fino a " + Limit(*limits.VccMax) + " V";
  Failure f = Make(FailureKind::TransistorTooLarge, text + ".");
  f.limits = limits;
  return f;
}

}  // namespace classe::circuit
