// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "engine/circuit/failure.h"

namespace classe::circuit {

// The integration steps a computation may take on this thread. A
// transistor's exact design or steady state on absurd inputs (a supply of
// gigavolts, a resonance far from the drive) makes every integration take
// tens of thousands of steps; the budget stops it at a bounded cost, with a
// message, rather than after seconds. Budgets nest: an inner one never
// grants more than the outer has left, and what it spends is the outer's.
class StepBudget {
 public:
  explicit StepBudget(long steps);
  ~StepBudget();
  StepBudget(const StepBudget&) = delete;
  StepBudget& operator=(const StepBudget&) = delete;

  // What is left on this thread; a large number with no budget set.
  static long Left();
  static void Spend(long steps);

 private:
  long saved_;
  long granted_;
};

// The design or steady state whose budget ran out.
Failure StepBudgetSpent();

}  // namespace classe::circuit
