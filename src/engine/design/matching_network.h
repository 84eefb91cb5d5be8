// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/design/design_state.h"

namespace classe {

// The three cases the load test distinguishes.
enum class NetworkKind {
  NoNetwork,      // RL within 5 % of R
  ShuntCAtLoad,   // RL > R: series L from the amplifier, C across RL
  ShuntCAtInput,  // RL < R: C on the amplifier side, series L towards RL
};

// Band test: |RL/R − 1| < 0.05, strictly. R = 0 is a fault.
bool WithinBand(double R, double RL);

// NoNetwork within the band, else by the sign of RL − R.
NetworkKind ClassifyLoad(double R, double RL);

struct MatchingNetwork {
  NetworkKind topology = NetworkKind::ShuntCAtLoad;  // by the sign of RL − R alone
  double L = 0;                                      // H, series inductor
  double C = 0;                                      // F, shunt capacitor
};

// The lossless L-network that makes RL look like R at omega. Defined for
// RL ≠ R; each step is checked (RL = 0 divides by zero, a negative RL takes
// the square root of a negative number).
MatchingNetwork ComputeMatchingNetwork(double R, double RL, double omega);

}  // namespace classe
