// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/step_budget.h"

#include <algorithm>
#include <limits>

namespace classe::circuit {
namespace {

constexpr long kUnlimited = std::numeric_limits<long>::max();
thread_local long tLeft = kUnlimited;

}  // namespace

StepBudget::StepBudget(long steps) : saved_(tLeft), granted_(std::min(tLeft, steps)) {
  tLeft = granted_;
}

StepBudget::~StepBudget() {
  const long spent = granted_ - tLeft;
  tLeft = saved_ == kUnlimited ? kUnlimited : saved_ - spent;
}

long StepBudget::Left() {
  return tLeft;
}

void StepBudget::Spend(long steps) {
  if (tLeft != kUnlimited) tLeft = std::max(0L, tLeft - steps);
}

Failure StepBudgetSpent() {
  return {FailureKind::NoConvergence,
          "Il calcolo del circuito con il transistor richiede troppi passi di integrazione: "
          "controlla i dati (Vcc, f, Q e Coss), che portano il circuito fuori dalla portata del "
          "modello."};
}

}  // namespace classe::circuit
