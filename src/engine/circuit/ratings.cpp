// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/ratings.h"

#include <algorithm>
#include <cmath>

#include "engine/circuit/any_orbit.h"
#include "engine/circuit/orbit_measures.h"

namespace classe::circuit {
namespace {

// Samples a half period before the lobes are refined: harmonic k of a
// waveform is sampled 128/k times a half period.
constexpr int kSamples = 128;

// Time constants of the C1 discharge left out of the switch current's peak.
constexpr double kSettleTimeConstants = 20;

template <int n>
double SettleAngle(const Orbit<n>& o) {
  return std::min(kSettleTimeConstants * o.stage.omega * o.stage.Ron * o.stage.C1,
                  kHalfPeriod * (1 - 1.0 / kSamples));
}

// The closed half from the settle angle on, where the switch and C1
// currents are rated.
template <int n>
HalfSamples<n> SettledClosedHalf(const Orbit<n>& o, double settleAngle) {
  const AugVector<n> settled = o.closed.Exp(settleAngle) * o.afterTurnOn;
  return SampleHalf<n>(o.closed, settled, kHalfPeriod + settleAngle, kPeriod, kSamples);
}

template <template <int> class AnyOrbit, int n>
Result<double> SwitchPeak(const AnyOrbit<n>& any) {
  const Orbit<n>& o = ClosedOf(any);
  const HalfSamples<n> closed = SettledClosedHalf(o, SettleAngle(o));
  const AugRow<n> pc = o.Balanced(MakeProbe<n>(any.stage, o.model, Quantity::SwitchCurrent).closed);
  // The open switch carries nothing: its half adds a zero to the maximum.
  const double peak =
      std::max({0.0, Maximum<n>(closed, pc).value, Maximum<n>(closed, AugRow<n>(-pc)).value});
  if (!std::isfinite(peak)) return NonFinite("dimensionamento dei componenti");
  return peak;
}

template <template <int> class AnyOrbit, int n>
Result<Ratings> Rate(const AnyOrbit<n>& any) {
  const Orbit<n>& o = ClosedOf(any);  // the closed half, linear in both
  const Stage& s = any.stage;
  Ratings r;
  r.settleAngle = SettleAngle(o);
  const OpenShape<n> open(any, kSamples);
  if (open.failure) return *open.failure;
  const HalfSamples<n> closed =
      SampleHalf<n>(o.closed, o.afterTurnOn, kHalfPeriod, kPeriod, kSamples);
  const HalfSamples<n> closedSettled = SettledClosedHalf(o, r.settleAngle);

  // Largest |probe| over the open half and the closed one (or its settled part).
  const auto peak = [&](Quantity q, bool settledOnly = false) {
    const Probe<n> p = MakeProbe<n>(s, o.model, q);
    const AugRow<n> pc = o.Balanced(p.closed);
    const HalfSamples<n>& second = settledOnly ? closedSettled : closed;
    return std::max({open.Maximum(p.open), open.Maximum(AugRow<n>(-p.open)),
                     Maximum<n>(second, pc).value, Maximum<n>(second, AugRow<n>(-pc)).value});
  };
  // The RMS includes the turn-on spike: it heats the part like the rest.
  const PeriodMoments<n> moments(any);
  const auto rms = [&](Quantity q) {
    return std::sqrt(std::max(0.0, moments.MeanSquare(MakeProbe<n>(s, o.model, q))));
  };
  const auto rate = [&](Quantity i, Quantity v, bool settledOnly = false) {
    return ComponentRating{peak(i, settledOnly), peak(v), rms(i), rms(v)};
  };
  r.L1 = rate(Quantity::L1Current, Quantity::L1Voltage);
  r.C1 = rate(Quantity::C1Current, Quantity::DrainVoltage, true);
  r.C2 = rate(Quantity::BranchCurrent, Quantity::C2Voltage);
  r.L2 = rate(Quantity::BranchCurrent, Quantity::L2Voltage);
  r.load = rate(Quantity::LoadCurrent, Quantity::LoadVoltage);
  if (s.load.kind != LoadKind::Resistor) {
    r.networkL = rate(Quantity::NetLCurrent, Quantity::NetLVoltage);
    r.networkC = rate(Quantity::NetCCurrent, Quantity::NetCVoltage);
  }
  r.sw = rate(Quantity::SwitchCurrent, Quantity::DrainVoltage, true);

  const double drop = o.ToSi(o.beforeTurnOn)(kVD) - s.Von;
  if (s.Ron > 0) r.dischargeCurrent = drop / s.Ron;
  r.dischargeEnergy = 0.5 * o.stage.C1 * drop * drop;
  r.C1ToBuy = s.C1ToBuy();

  const double all[] = {r.L1.current,          r.L1.voltage,
                        r.C1.current,          r.C1.voltage,
                        r.C2.current,          r.C2.voltage,
                        r.L2.voltage,          r.load.current,
                        r.load.voltage,        r.networkL.current,
                        r.networkL.voltage,    r.networkC.current,
                        r.networkC.voltage,    r.sw.current,
                        r.dischargeEnergy,     r.dischargeCurrent.value_or(0),
                        r.L1.rmsCurrent,       r.C1.rmsCurrent,
                        r.C2.rmsCurrent,       r.C2.rmsVoltage,
                        r.L2.rmsCurrent,       r.networkL.rmsCurrent,
                        r.networkC.rmsCurrent, r.sw.rmsCurrent};
  for (double v : all)
    if (!std::isfinite(v)) return NonFinite("dimensionamento dei componenti");
  return r;
}

}  // namespace

Result<Ratings> ComputeRatings(const Stage& stage) {
  return WithAnyOrbit(stage, [](const auto& orbit) { return Rate(orbit); });
}

Result<double> SwitchCurrentPeak(const Stage& stage) {
  return WithAnyOrbit(stage, [](const auto& orbit) { return SwitchPeak(orbit); });
}

template <int n>
Result<double> MeasureSwitchCurrentPeak(const Orbit<n>& orbit) {
  return SwitchPeak(orbit);
}
template <int n>
Result<double> MeasureSwitchCurrentPeak(const NonlinearOrbit<n>& orbit) {
  return SwitchPeak(orbit);
}
template Result<double> MeasureSwitchCurrentPeak<4>(const Orbit<4>&);
template Result<double> MeasureSwitchCurrentPeak<5>(const Orbit<5>&);
template Result<double> MeasureSwitchCurrentPeak<6>(const Orbit<6>&);
template Result<double> MeasureSwitchCurrentPeak<4>(const NonlinearOrbit<4>&);
template Result<double> MeasureSwitchCurrentPeak<5>(const NonlinearOrbit<5>&);
template Result<double> MeasureSwitchCurrentPeak<6>(const NonlinearOrbit<6>&);

}  // namespace classe::circuit
