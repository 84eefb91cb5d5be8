// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/load_harmonics.h"

#include <cmath>
#include <complex>
#include <optional>
#include <type_traits>

#include "engine/circuit/any_orbit.h"

namespace classe::circuit {
namespace {

using Complex = std::complex<double>;

// Samples of the open half for its harmonics when it is nonlinear: Simpson's
// rule on a smooth half period, exact to about (π/256)⁴.
constexpr int kSpectrumIntervals = 256;

// ∫₀^π i(teta)·e^{−j·k·teta} dteta over the open half, from its samples.
template <int n>
Complex OpenIntegral(const OpenShape<n>& shape, const Probe<n>& load, int k) {
  const double h = kHalfPeriod / kSpectrumIntervals;
  Complex sum = 0;
  for (std::size_t j = 0; j < shape.Count(); ++j) {
    const double weight = j == 0 || j + 1 == shape.Count() ? 1 : (j % 2 == 1 ? 4 : 2);
    sum += weight * load.open.dot(shape.At(j)) * std::polar(1.0, -k * h * static_cast<double>(j));
  }
  return sum * h / 3.0;
}

template <template <int> class AnyOrbit, int n>
Result<LoadSpectrum> Spectrum(const AnyOrbit<n>& any) {
  const Orbit<n>& o = ClosedOf(any);
  const Probe<n> load = MakeProbe<n>(o.stage, o.model, Quantity::LoadCurrent);
  // Amplitude of harmonic k: |(1/π)·∫₀^2π i(teta)·e^{−j·k·teta} dteta|, the
  // closed half shifted by e^{−j·k·π}.
  std::optional<OpenShape<n>> shape;
  if constexpr (std::is_same_v<AnyOrbit<n>, NonlinearOrbit<n>>) {
    shape.emplace(any, kSpectrumIntervals);
    if (shape->failure) return *shape->failure;
  }
  const auto amplitude = [&](int k) {
    const Complex open = shape ? OpenIntegral(*shape, load, k)
                               : o.Balanced(load.open).template cast<Complex>().dot(
                                     o.open.Fourier(kHalfPeriod, o.start, k));
    const AugComplexVector<n> closed = o.closed.Fourier(kHalfPeriod, o.afterTurnOn, k);
    const Complex sum = open + std::polar(1.0, -k * kHalfPeriod) *
                                   o.Balanced(load.closed).template cast<Complex>().dot(closed);
    return std::abs(sum) / kHalfPeriod;
  };
  const auto dbc = [](double ratio) {
    return ratio > 1e-15 ? 20 * std::log10(ratio) : kSpectrumFloorDbc;
  };
  LoadSpectrum r;
  r.fundamental = amplitude(1);
  r.second = dbc(amplitude(2) / r.fundamental);
  r.third = dbc(amplitude(3) / r.fundamental);
  if (!std::isfinite(r.fundamental + r.second + r.third) || !(r.fundamental > 0))
    return NonFinite("armoniche del carico");
  return r;
}

}  // namespace

Result<LoadSpectrum> ComputeLoadSpectrum(const Stage& stage) {
  return WithAnyOrbit(stage, [](const auto& orbit) { return Spectrum(orbit); });
}

}  // namespace classe::circuit
