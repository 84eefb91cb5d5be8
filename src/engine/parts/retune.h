// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/circuit/steady_state.h"

namespace classe::parts {

// The continuous knobs a builder turns once the capacitors are soldered in.
enum class Knob {
  L2,        // the series inductor (turns, a slug)
  R,         // the resistance the branch sees, without a network
  NetworkL,  // the network's series inductor (RL below R)
  NetworkC,  // the network's shunt capacitor (RL above R, or when left free)
  Vcc,       // the supply, the trim that brings the power back
};

// The knobs a stage is retuned with, by its load: L2 and R without a network;
// L2 and the network's L when RL < R (its C too when free); L2 and the
// network's C when RL > R, as the network's L is then in series with L2 and
// only C moves the resistance seen.
std::vector<Knob> RetuneKnobs(const circuit::Stage& stage, bool networkCFree);

struct Retune {
  circuit::Stage stage;  // as bought, the knobs turned for zero voltage and slope
  circuit::SteadyState steady;
  std::vector<Knob> knobs;
  // The supply that gives Po exactly with the knobs turned again for zero
  // voltage and slope at it, V; Vcc itself when the knobs already give Po.
  double VccTrim = 0;
  int iterations = 0;  // Newton steps, the trim's excluded
};

// Turns the knobs of a stage built with the parts bought until the drain
// reaches turn-on at Von with zero slope (and delivers Po when a third knob
// is free), then finds the supply trim. Starts from the stage's own knobs; a
// start too far off is approached from the design in steps, so that Newton
// stays on the root the design sits on. Fails, naming the condition that
// cannot be met, when no setting of the knobs meets it.
circuit::Result<Retune> RetuneStage(const circuit::Stage& bought, double Po,
                                    const circuit::Stage* design = nullptr,
                                    bool networkCFree = false);

// The knob's value in a stage, SI.
double KnobValue(const circuit::Stage& stage, Knob knob);

}  // namespace classe::parts
