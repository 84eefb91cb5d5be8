// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <cmath>
#include <string>

#include "actions/parts_action.h"
#include "engine/design/display_format.h"

namespace classe {
namespace {

// Two decimals with the decimal comma, as the guide is prose.
std::string Prose(double value) {
  std::string text = Format(value, kFixed2);
  for (char& c : text)
    if (c == '.') c = ',';
  return text;
}

}  // namespace

std::string BenchGuide(const PartsRun& run) {
  if (run.adjustable < 0) return {};
  const parts::Sensitivity& part = run.sensitivity[static_cast<std::size_t>(run.adjustable)];
  const parts::Retune& r = run.purchase.retune;
  // Turning the part up raises the turn-on voltage where dvon > 0: a drain
  // still high at turn-on then wants less of it.
  const bool lessWhenHigh = part.dvon > 0;
  std::string text;
  text += "Parte da rendere regolabile: " + part.ref +
          ". Fra le induttanze è quella a cui Po è più "
          "sensibile (d ln Po / d ln " +
          part.ref + " = " + Prose(part.dlnPo) + "; ±1 % dà Po " + Prose(100 * part.poUp) +
          " % / " + Prose(100 * part.poDown) +
          " %), quindi il più piccolo giro (spire, nucleo) la riporta al valore.\n";
  text += "Al banco:\n";
  text += "1. Alimenta a Vcc ridotta, sonda sul drain, trigger sul comando dello switch.\n";
  text +=
      "2. Guarda il drain all'istante in cui lo switch si chiude: la tensione deve scendere a "
      "zero e appoggiarsi tangente, con pendenza nulla, senza gradino e senza tratto sotto "
      "zero.\n";
  text += std::string(
              "3. Se alla chiusura la tensione è ancora sopra lo zero (gradino verso il "
              "basso), ") +
          (lessWhenHigh ? "diminuisci " : "aumenta ") + part.ref +
          "; se scende sotto lo zero prima della chiusura (conduce il diodo), " +
          (lessWhenHigh ? "aumentala" : "diminuiscila") + ".\n";
  text +=
      "4. Regola insieme la resistenza vista (" +
      std::string(r.knobs.size() > 1 && r.knobs[1] == parts::Knob::R          ? "R"
                  : r.knobs.size() > 1 && r.knobs[1] == parts::Knob::NetworkL ? "la L della rete"
                                                                              : "la C della rete") +
      ") finché tensione e pendenza sono nulle insieme: i valori di ritaratura sono nella "
      "tabella.\n";
  text += "5. Radice sbagliata: regolando " + part.ref +
          " per la sola tensione nulla, a Q alto si trova una seconda posizione in cui la "
          "tensione tocca lo zero con una pendenza marcata e la potenza è lontana da Po. Se "
          "la forma d'onda arriva a zero inclinata, non è la regolazione giusta: torna indietro "
          "e cerca tensione e pendenza nulle insieme.\n";
  text += "6. Infine porta la potenza a Po con l'alimentazione: Vcc = " + Prose(r.VccTrim) + " V.";
  return text;
}

}  // namespace classe
