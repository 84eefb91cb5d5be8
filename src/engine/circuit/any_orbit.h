// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "engine/circuit/nonlinear_orbit.h"
#include "engine/circuit/orbit.h"

namespace classe::circuit {

// What the measures read of a steady state, linear or with a transistor, in
// SI units: the same names for both, so that each measure is written once.

template <int n>
const StateSpace<n>& ModelOf(const Orbit<n>& o) {
  return o.model;
}
template <int n>
const StateSpace<n>& ModelOf(const NonlinearOrbit<n>& o) {
  return o.linear.model;
}

// The orbit whose closed half (and balanced states) the linear tools walk.
template <int n>
const Orbit<n>& ClosedOf(const Orbit<n>& o) {
  return o;
}
template <int n>
const Orbit<n>& ClosedOf(const NonlinearOrbit<n>& o) {
  return o.linear;
}

template <int n>
AugVector<n> StartOf(const Orbit<n>& o) {
  return o.ToSi(o.start);
}
template <int n>
AugVector<n> StartOf(const NonlinearOrbit<n>& o) {
  return o.linear.ToSi(o.linear.start);
}

// Just before the switch closes.
template <int n>
AugVector<n> TurnOnOf(const Orbit<n>& o) {
  return o.ToSi(o.beforeTurnOn);
}
template <int n>
AugVector<n> TurnOnOf(const NonlinearOrbit<n>& o) {
  return o.linear.ToSi(o.linear.beforeTurnOn);
}

// dvD/dteta just before the switch closes, V/rad.
template <int n>
double SlopeOf(const Orbit<n>& o) {
  return o.model.open.row(kVD).dot(TurnOnOf(o));
}
template <int n>
double SlopeOf(const NonlinearOrbit<n>& o) {
  return o.SlopeTurnOn();
}

// The mean power the body diode takes, W (none without a transistor).
template <int n>
double DiodeLossOf(const Orbit<n>&) {
  return 0;
}
template <int n>
double DiodeLossOf(const NonlinearOrbit<n>& o) {
  return o.trace.diodeEnergy / kPeriod;
}

// The open half, 0…π, sampled at `intervals` equal steps: what the measures
// that need its shape (peaks, harmonics, plotted curves) read. Linear: the
// balanced samples the propagator gives, refined exactly; nonlinear: SI
// states from the integrator, each sampled maximum refined by its parabola
// (an error of (π/intervals)³ of the lobe's third derivative).
template <int n>
struct OpenShape {
  OpenShape(const Orbit<n>& o, int intervals)
      : linear(&o), half(SampleHalf<n>(o.open, o.start, 0, kHalfPeriod, intervals)) {}

  OpenShape(const NonlinearOrbit<n>& o, int intervals) : linear(nullptr) {
    std::vector<double> angles(static_cast<std::size_t>(intervals) + 1);
    for (std::size_t j = 0; j < angles.size(); ++j)
      angles[j] = kHalfPeriod * static_cast<double>(j) / intervals;
    auto trace = o.open->Follow(o.start, angles);
    if (!trace) {
      failure = trace.failure();
      return;
    }
    si.reserve(angles.size());
    for (const auto& x : trace->at) {
      AugVector<n> z;
      z << x, 1.0;
      si.push_back(z);
    }
  }

  // Largest row·x over the half, row on the SI state.
  double Maximum(const AugRow<n>& siRow) const {
    if (linear) return circuit::Maximum<n>(half, linear->Balanced(siRow)).value;
    double best = -INFINITY;
    for (std::size_t j = 0; j < si.size(); ++j) {
      const double y = siRow.dot(si[j]);
      best = std::max(best, y);
      if (j == 0 || j + 1 == si.size()) continue;
      const double a = siRow.dot(si[j - 1]);
      const double c = siRow.dot(si[j + 1]);
      const double curvature = a - 2 * y + c;
      if (y >= a && y >= c && curvature < 0)
        best = std::max(best, y - (c - a) * (c - a) / (8 * curvature));
    }
    return best;
  }

  // SI state at sample j.
  AugVector<n> At(std::size_t j) const { return linear ? linear->ToSi(half.z[j]) : si[j]; }
  std::size_t Count() const { return linear ? half.z.size() : si.size(); }

  const Orbit<n>* linear;
  HalfSamples<n> half;
  std::vector<AugVector<n>> si;
  std::optional<Failure> failure;
};

}  // namespace classe::circuit
