// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/parts/sensitivity.h"

#include <cmath>
#include <functional>
#include <optional>

#include "engine/circuit/steady_state.h"

namespace classe::parts {
namespace {

using circuit::LoadKind;
using circuit::Result;
using circuit::Stage;

constexpr double kStep = 1e-4;  // in ln x
constexpr double kOnePercent = 0.01;

struct Part {
  const char* ref;
  bool inductor;
  // Multiplies the part by `factor`.
  std::function<void(Stage&, double)> scale;
};

std::vector<Part> PartsOf(const Stage& stage) {
  std::vector<Part> parts{
      // Only the capacitor bought moves: the transistor's Coss is its own.
      {"C1", false, [](Stage& s, double k) { s.C1 = s.Coss + (s.C1 - s.Coss) * k; }},
      {"C2", false, [](Stage& s, double k) { s.C2 *= k; }},
      {"L1", true, [](Stage& s, double k) { s.L1 *= k; }},
      {"L2", true, [](Stage& s, double k) { s.L2 *= k; }},
  };
  if (stage.load.kind != LoadKind::Resistor) {
    parts.push_back({"L", true, [](Stage& s, double k) { s.load.L *= k; }});
    parts.push_back({"C", false, [](Stage& s, double k) { s.load.C *= k; }});
    parts.push_back({"R", false, [](Stage& s, double k) { s.load.RL *= k; }});
  } else {
    parts.push_back({"R", false, [](Stage& s, double k) {
                       s.R *= k;
                       s.load.RL = s.R;
                     }});
  }
  return parts;
}

struct Point {
  double power = 0;
  double von = 0;
};

Result<Point> At(const Stage& base, const Part& part, double factor) {
  Stage s = base;
  part.scale(s, factor);
  if (auto bad = circuit::CheckStage(s)) return *bad;
  const Result<circuit::SteadyState> steady = circuit::SolveSteadyState(s);
  if (!steady) return steady.failure();
  return Point{steady->power.load, steady->vonFraction};
}

}  // namespace

Result<std::vector<Sensitivity>> Sensitivities(const Stage& stage) {
  const Result<circuit::SteadyState> nominal = circuit::SolveSteadyState(stage);
  if (!nominal) return nominal.failure();
  const double Po = nominal->power.load;
  std::vector<Sensitivity> list;
  for (const Part& part : PartsOf(stage)) {
    // A transistor alone in C1 leaves no capacitor to vary.
    if (part.ref == std::string_view("C1") && !(stage.C1 - stage.Coss > 0)) continue;
    const auto up = At(stage, part, std::exp(kStep));
    const auto down = At(stage, part, std::exp(-kStep));
    const auto plus = At(stage, part, 1 + kOnePercent);
    const auto minus = At(stage, part, 1 - kOnePercent);
    for (const auto* r : {&up, &down, &plus, &minus})
      if (!*r) return r->failure();
    Sensitivity s;
    s.ref = part.ref;
    s.inductor = part.inductor;
    s.dlnPo = std::log(up->power / down->power) / (2 * kStep);
    s.dvon = (up->von - down->von) / (2 * kStep);
    s.poUp = plus->power / Po - 1;
    s.poDown = minus->power / Po - 1;
    s.vonUp = plus->von;
    s.vonDown = minus->von;
    for (double v : {s.dlnPo, s.dvon, s.poUp, s.poDown, s.vonUp, s.vonDown})
      if (!std::isfinite(v)) return circuit::NonFinite("sensibilità");
    list.push_back(std::move(s));
  }
  return list;
}

int AdjustablePart(const std::vector<Sensitivity>& list) {
  std::optional<std::size_t> best;
  for (std::size_t j = 0; j < list.size(); ++j) {
    if (!list[j].inductor) continue;
    if (!best || std::abs(list[j].dlnPo) > std::abs(list[*best].dlnPo)) best = j;
  }
  return best ? static_cast<int>(*best) : -1;
}

}  // namespace classe::parts
