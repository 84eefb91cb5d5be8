// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/steady_state.h"

#include <cmath>

#include "engine/circuit/orbit.h"

namespace classe::circuit {
namespace {

// Samples over the open half before the drain peak is refined; the peak is a
// single smooth lobe there.
constexpr int kPeakSamples = 32;

template <int n>
Result<SteadyState> Measure(const Orbit<n>& o) {
  const Stage& s = o.stage;
  const PeriodMoments<n> moments(o);
  const auto probe = [&](Quantity q) { return MakeProbe<n>(s, o.model, q); };

  SteadyState r;
  const AugVector<n> xPi = o.ToSi(o.beforeTurnOn);
  const double vDrop = xPi(kVD) - s.Von;  // what the closing switch discharges
  PowerBudget& p = r.power;
  p.load = s.load.RL * moments.MeanSquare(probe(Quantity::LoadCurrent));
  r.idc = moments.Mean(probe(Quantity::L1Current));
  p.dc = s.Vcc * r.idc;
  const Probe<n> sw = probe(Quantity::SwitchCurrent);
  double charge = moments.Mean(sw);  // average switch current, A
  if (s.Ron > 0) {
    p.ron = s.Ron * moments.MeanSquare(sw);
  } else {
    // The charge C1·vDrop passes at once, once a period: f = ω/2π times a second.
    const double perSecond = s.omega / kPeriod;
    charge += s.C1 * vDrop * perSecond;
    p.discharge = 0.5 * s.C1 * vDrop * vDrop * perSecond;
  }
  p.von = s.Von * charge;
  p.l1 = Stage::ChokeEsr() * moments.MeanSquare(probe(Quantity::L1Current));
  p.l2 = s.Esr(s.L2) * moments.MeanSquare(probe(Quantity::BranchCurrent));
  p.networkL = s.Esr(s.load.L) * moments.MeanSquare(probe(Quantity::NetLCurrent));
  r.efficiency = p.load / p.dc;

  r.vTurnOn = xPi(kVD);
  r.slopeTurnOn = o.model.open.row(kVD).dot(xPi);
  const HalfSamples<n> half = SampleHalf<n>(o.open, o.start, 0, kHalfPeriod, kPeakSamples);
  const Extremum peak = Maximum<n>(half, o.Balanced(probe(Quantity::DrainVoltage).open));
  r.vPeak = peak.value;
  r.vPeakTeta = peak.teta;
  r.vonFraction = vDrop / r.vPeak;
  r.rho = o.SpectralRadius();
  const AugVector<n> x0 = o.ToSi(o.start);
  for (int i = 0; i < n; ++i)
    r.start[static_cast<std::size_t>(i)] = x0(i);

  const double all[] = {p.load,     p.dc,         p.ron,   p.von,         p.discharge,   p.l1, p.l2,
                        p.networkL, r.efficiency, r.vPeak, r.vonFraction, r.slopeTurnOn, r.rho};
  for (double v : all)
    if (!std::isfinite(v)) return NonFinite("regime periodico");
  return r;
}

}  // namespace

Result<SteadyState> SolveSteadyState(const Stage& stage) {
  return WithOrbit(stage, [](const auto& orbit) { return Measure(orbit); });
}

}  // namespace classe::circuit
