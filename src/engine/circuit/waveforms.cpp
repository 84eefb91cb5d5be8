// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/waveforms.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "engine/circuit/any_orbit.h"

namespace classe::circuit {
namespace {

// Steps taken by repeated multiplication before the state is recomputed from
// the start of its half period, so that round-off cannot build up.
constexpr long long kReanchor = 256;

// Open-half states of a nonlinear steady state at the sampled angles, balanced
// as the linear orbit keeps them; one integration for both periods.
template <int n>
struct NonlinearOpen {
  std::vector<double> angles;  // within 0…π, ascending
  std::vector<AugVector<n>> z;
};

template <template <int> class AnyOrbit, int n>
Result<Waveforms> Sample(const AnyOrbit<n>& any, long long M) {
  const Orbit<n>& o = ClosedOf(any);
  const Stage& s = o.stage;
  constexpr bool nonlinear = std::is_same_v<AnyOrbit<n>, NonlinearOrbit<n>>;
  NonlinearOpen<n> open;
  if constexpr (nonlinear) {
    for (long long j = 0; j <= M; ++j) {
      const double teta = static_cast<double>(j) * 2 * kPeriod / static_cast<double>(M);
      if (teta <= kHalfPeriod) open.angles.push_back(teta);
      if (teta > kPeriod && teta <= kPeriod + kHalfPeriod) open.angles.push_back(teta - kPeriod);
    }
    std::sort(open.angles.begin(), open.angles.end());
    auto trace = any.open->Follow(any.start, open.angles);
    if (!trace) return trace.failure();
    open.z.reserve(open.angles.size());
    for (const auto& x : trace->at) {
      AugVector<n> z;
      z << x, 1.0;
      open.z.push_back(o.scale.cwiseProduct(z));
    }
  }
  // Rows of vD, isw, iC1 and iBranch, [0] open and [1] closed.
  AugRow<n> rows[2][4];
  const Quantity plotted[4] = {Quantity::DrainVoltage, Quantity::SwitchCurrent, Quantity::C1Current,
                               Quantity::BranchCurrent};
  for (int q = 0; q < 4; ++q) {
    const Probe<n> p = MakeProbe<n>(s, o.model, plotted[q]);
    rows[0][q] = o.Balanced(p.open);
    rows[1][q] = o.Balanced(p.closed);
  }
  const std::size_t count = static_cast<std::size_t>(M) + 1;
  Waveforms w;
  w.vD.reserve(count);
  w.isw.reserve(count);
  w.iC1.reserve(count);
  w.iBranch.reserve(count);

  const double step = 2 * kPeriod / static_cast<double>(M);
  const AugMatrix<n> stepOpen = o.open.Exp(step);
  const AugMatrix<n> stepClosed = o.closed.Exp(step);
  int half = -1;  // half period of the last sample: 0 and 2 open, 1 and 3 closed
  long long sinceAnchor = 0;
  AugVector<n> z = o.start;
  for (std::size_t j = 0; j < count; ++j) {
    const double teta = static_cast<double>(j) * 2 * kPeriod / static_cast<double>(M);
    // Each bound belongs to the half below it (π is still open).
    int h = 0;
    while (h < 3 && teta > (h + 1) * kHalfPeriod)
      ++h;
    const bool closed = h % 2 == 1;
    const Propagator<n>& flow = closed ? o.closed : o.open;
    if (nonlinear && !closed) {
      // The same angle within the half, whichever period.
      const double within = teta - h * kHalfPeriod;
      const auto at = std::lower_bound(open.angles.begin(), open.angles.end(), within);
      z = open.z[static_cast<std::size_t>(std::min<std::ptrdiff_t>(
          at - open.angles.begin(), static_cast<std::ptrdiff_t>(open.angles.size()) - 1))];
      half = h;
    } else if (h != half || sinceAnchor == kReanchor) {
      const AugVector<n>& from = closed ? o.afterTurnOn : o.start;
      z = flow.Exp(teta - h * kHalfPeriod) * from;
      half = h;
      sinceAnchor = 0;
    } else {
      z = (closed ? stepClosed : stepOpen) * z;
    }
    ++sinceAnchor;
    const AugRow<n>(&r)[4] = rows[closed ? 1 : 0];
    w.vD.push_back(r[0].dot(z));
    w.isw.push_back(r[1].dot(z));
    w.iC1.push_back(r[2].dot(z));
    w.iBranch.push_back(r[3].dot(z));
  }
  for (const std::vector<double>* v : {&w.vD, &w.isw, &w.iC1, &w.iBranch})
    for (double x : *v)
      if (!std::isfinite(x)) return NonFinite("forme d'onda");
  return w;
}

}  // namespace

Result<Waveforms> SampleWaveforms(const Stage& stage, long long M) {
  if (M < 1 || M > kMaxWaveformIntervals) return SampleCount(M, kMaxWaveformIntervals);
  return WithAnyOrbit(stage, [M](const auto& orbit) { return Sample(orbit, M); });
}

}  // namespace classe::circuit
