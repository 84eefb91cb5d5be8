// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/sampling.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "engine/design/constants.h"
#include "engine/design/fault.h"
#include "engine/design/lanes.h"
#include "engine/design/text_input.h"
#include "engine/design/waveforms.h"

namespace classe {
namespace {

// A fresh zeroed array. Memory the old one holds is reused when it is large
// enough and not more than twice what is needed; otherwise it is released
// first, so that the two never take memory at the same time.
void Renew(SampleArray& samples, std::int64_t size) {
  const auto n = static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
  if (samples.capacity() < n || samples.capacity() / 2 > n) SampleArray().swap(samples);
  samples.assign(n, 0.0);
}

// The four arrays, or null where this sampling does not fill one.
struct Targets {
  double* Vc1;
  double* Isw;
  double* Ic1;
  double* Ir;

  void Store(std::int64_t i, double vc1, double isw, double ic1, double ir) const {
    if (Vc1) Vc1[i] = vc1;
    if (Isw) Isw[i] = isw;
    if (Ic1) Ic1[i] = ic1;
    if (Ir) Ir[i] = ir;
  }
};

// The sample values at the given angles (a double or four lanes), with both
// switch states formed and the one that applies kept. The angles come by
// reference, as StoreLanes takes its lanes.
template <class T>
struct SampleValues {
  T vc1, isw, ic1, ir;

  SampleValues(const WaveformModel& m, const T& teta) {
    const auto open = WaveformModel::IsOpen(teta);
    const T voltage = m.OpenVoltage(WaveformModel::RampAngle(teta));
    const T zero = teta * 0.0;
    const T rest = m.IDC - m.BranchCurrent(teta);
    ir = m.BranchCurrent(teta);
    vc1 = open ? voltage : zero + m.Von;
    ic1 = open ? rest : zero;
    isw = open ? zero : rest;
  }
};

// Samples begin…end−1 into the four outputs (indexed from begin), four at a
// time, without looking at the flags. The loop has no branch on the data; a
// value of the switch state that does not apply may raise a flag, and a
// flagged block is then replayed by the checked path, which forms only what
// the model asks for. Each lane gives the double the model gives.
[[gnu::target_clones("avx2", "default")]] void FillBlock(
    const WaveformModel& m, std::int32_t begin, std::int32_t end, std::int32_t M,
    double* __restrict vc1, double* __restrict isw, double* __restrict ic1, double* __restrict ir) {
  const std::int32_t n = end - begin;
  const double count = M;
  std::int32_t j = 0;
  for (; j + kLaneCount <= n; j += kLaneCount) {
    const Lanes index = static_cast<double>(begin + j) + Lanes{0, 1, 2, 3};
    const SampleValues<Lanes> v(m, (index * kFourPi) / count);
    StoreLanes(vc1 + j, v.vc1);
    StoreLanes(isw + j, v.isw);
    StoreLanes(ic1 + j, v.ic1);
    StoreLanes(ir + j, v.ir);
  }
  for (; j < n; ++j) {
    const SampleValues<double> v(m, (static_cast<double>(begin + j) * kFourPi) / count);
    vc1[j] = v.vc1;
    isw[j] = v.isw;
    ic1[j] = v.ic1;
    ir[j] = v.ir;
  }
}

// One block with a fault in it, walked again as the model is defined: every
// angle and value checked as it is stored. Throws at the faulting sample,
// after zeroing what the fast pass had written from there on.
void ReplayBlock(DesignState& s, const Targets& t, std::int64_t begin, std::int64_t end) {
  std::int64_t i = begin;
  try {
    ClearFpFaults();
    for (; i < end; ++i) {
      s.teta = Checked("teta", SampleAngle(i, s.M));
      EvaluateWaveforms(s);
      t.Store(i, s.Vc1, s.Isw, s.Ic1, s.IrTeta);
    }
  } catch (const ArithmeticFault&) {
    t.Store(i, 0, 0, 0, 0);
    for (std::int64_t j = i + 1; j < end; ++j)
      t.Store(j, 0, 0, 0, 0);
    throw;
  }
}

double ScanMax(const SampleArray& samples, std::int32_t M) {
  if (samples.empty()) return 0;
  double largest = samples[0];
  const std::int64_t last =
      std::min<std::int64_t>(M, static_cast<std::int64_t>(samples.size()) - 1);
  // "Not less than" rather than "greater": the running maximum takes each tie.
  for (std::int64_t i = 0; i <= last; ++i) {
    if (!(samples[static_cast<std::size_t>(i)] < largest))
      largest = samples[static_cast<std::size_t>(i)];
  }
  return largest;
}

}  // namespace

double SampleAngle(std::int64_t i, std::int32_t M) {
  // M = 0 must still divide: its only angle, 0/0, is an invalid operation.
  if (i == M && M > 0) return kFourPi;
  return (static_cast<double>(i) * kFourPi) / M;
}

void SetSampleCount(DesignState& s, std::string_view text) {
  const std::int32_t M = RoundToInt32(Checked("M", Val(text)), "M");
  // Each array runs to index M + 2, which must be a 32-bit integer too.
  if (M > INT32_MAX - 2) RaiseFault(FaultKind::Overflow, "M");
  s.M = M;
}

void SampleWaveforms(DesignState& s, WaveformSet which) {
  const std::int32_t M = s.M;
  const std::int64_t size = static_cast<std::int64_t>(M) + 3;
  if (which.Vc1) Renew(s.Vc1Samples, size);
  if (which.Isw) Renew(s.IswSamples, size);
  if (which.Ic1) Renew(s.Ic1Samples, size);
  if (which.Ir) Renew(s.IrSamples, size);
  if (M < 0) return;

  const Targets targets{
      which.Vc1 ? s.Vc1Samples.data() : nullptr, which.Isw ? s.IswSamples.data() : nullptr,
      which.Ic1 ? s.Ic1Samples.data() : nullptr, which.Ir ? s.IrSamples.data() : nullptr};
  // Cleared before the model is gathered: a fault there shows in the first
  // block and is replayed as part of its first Vc1.
  ClearFpFaults();
  const WaveformModel model = WaveformModel::From(s);
  // Where this sampling fills no array, a block's values go to scratch, one
  // slot a waveform so that the outputs never overlap.
  const auto blockLength = static_cast<std::size_t>(std::min<std::int64_t>(kCheckedBlock, M + 1));
  std::vector<double> scratch(4 * blockLength);
  auto out = [&](double* target, std::int64_t begin, std::size_t slot) {
    return target ? target + begin : scratch.data() + slot * blockLength;
  };
  RunCheckedBlocks(
      std::int64_t{M} + 1,
      [&](std::int64_t begin, std::int64_t end) {
        FillBlock(model, static_cast<std::int32_t>(begin), static_cast<std::int32_t>(end), M,
                  out(targets.Vc1, begin, 0), out(targets.Isw, begin, 1),
                  out(targets.Ic1, begin, 2), out(targets.Ir, begin, 3));
      },
      [&](std::int64_t begin, std::int64_t end) { ReplayBlock(s, targets, begin, end); });
  // The last sample lies on the bound 4π itself, evaluated as the model says.
  s.teta = kFourPi;
  EvaluateWaveforms(s);
  targets.Store(M, s.Vc1, s.Isw, s.Ic1, s.IrTeta);
}
void FindVc1Max(DesignState& s) {
  s.Vc1max = ScanMax(s.Vc1Samples, s.M);
}
void FindIswMax(DesignState& s) {
  s.Iswmax = ScanMax(s.IswSamples, s.M);
}
void FindIc1Max(DesignState& s) {
  s.Ic1max = ScanMax(s.Ic1Samples, s.M);
}
void FindIrMax(DesignState& s) {
  s.Irmax = ScanMax(s.IrSamples, s.M);
}

}  // namespace classe
