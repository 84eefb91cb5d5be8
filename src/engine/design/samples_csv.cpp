// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/samples_csv.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>

#include "engine/design/sampling.h"

namespace classe {
namespace {

// to_chars ignores the locale and gives the shortest round-trip text.
void WriteNumber(std::ostream& out, double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.write(buffer, result.ptr - buffer);
}

}  // namespace

void WriteSamplesCsv(std::ostream& out, const DesignState& s) {
  out << "i,teta,Vc1,Isw,Ic1,Ir\n";
  // Never past what an array holds: the capacitor current is sampled only by
  // the graphs and the samples' export.
  std::int64_t last = s.M;
  for (const SampleArray* samples : {&s.Vc1Samples, &s.IswSamples, &s.Ic1Samples, &s.IrSamples})
    last = std::min(last, static_cast<std::int64_t>(samples->size()) - 1);
  for (std::int64_t i = 0; i <= last; ++i) {
    const auto k = static_cast<std::size_t>(i);
    out << std::to_string(i) << ',';
    WriteNumber(out, SampleAngle(i, s.M));
    for (const SampleArray* samples : {&s.Vc1Samples, &s.IswSamples, &s.Ic1Samples, &s.IrSamples}) {
      out << ',';
      WriteNumber(out, (*samples)[k]);
    }
    out << '\n';
  }
}

}  // namespace classe
