// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/matching_network.h"

#include <cmath>

#include "engine/design/constants.h"
#include "engine/design/fault.h"

namespace classe {

bool WithinBand(double R, double RL) {
  const double d = Checked("RL/R", RL / R) - 1;
  return std::fabs(d) < kBandLimit;
}

NetworkKind ClassifyLoad(double R, double RL) {
  if (WithinBand(R, RL)) return NetworkKind::NoNetwork;
  return RL > R ? NetworkKind::ShuntCAtLoad : NetworkKind::ShuntCAtInput;
}

MatchingNetwork ComputeMatchingNetwork(double R, double RL, double omega) {
  MatchingNetwork net;
  double XC = 0;
  double XL = 0;
  if (RL > R) {
    net.topology = NetworkKind::ShuntCAtLoad;
    XC = Checked("XC", RL * std::sqrt(R / (RL - R)));  // across RL
    net.C = Checked("C", 1 / (omega * XC));
    XL = Checked("XL", std::sqrt((RL - R) * R));
  } else {
    net.topology = NetworkKind::ShuntCAtInput;
    XC = Checked("XC", R * std::sqrt(RL / (R - RL)));  // on the side where the resistance is R
    net.C = Checked("C", 1 / (omega * XC));
    XL = Checked("XL", std::sqrt((R - RL) * RL));
  }
  net.L = Checked("L", XL / omega);
  return net;
}

}  // namespace classe
