// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/load_harmonics.h"

#include <cmath>
#include <complex>

#include "engine/circuit/orbit.h"

namespace classe::circuit {
namespace {

template <int n>
Result<LoadSpectrum> Spectrum(const Orbit<n>& o) {
  using Complex = std::complex<double>;
  const Probe<n> load = MakeProbe<n>(o.stage, o.model, Quantity::LoadCurrent);
  // Amplitude of harmonic k: |(1/π)·∫₀^2π i(teta)·e^{−j·k·teta} dteta|, the
  // closed half shifted by e^{−j·k·π}.
  const auto amplitude = [&](int k) {
    const AugComplexVector<n> open = o.open.Fourier(kHalfPeriod, o.start, k);
    const AugComplexVector<n> closed = o.closed.Fourier(kHalfPeriod, o.afterTurnOn, k);
    const Complex sum = o.Balanced(load.open).template cast<Complex>().dot(open) +
                        std::polar(1.0, -k * kHalfPeriod) *
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
  return WithOrbit(stage, [](const auto& orbit) { return Spectrum(orbit); });
}

}  // namespace classe::circuit
