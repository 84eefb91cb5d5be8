// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cfenv>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// The functions that read the floating-point flags stay opaque calls even
// under link-time optimisation: a caller cannot be inlined into them, so the
// arithmetic that produced an argument is finished before the flags are read,
// and none of it can be moved past or folded across the call.
#if defined(__clang__)
#define CLASSE_FLAG_READER __attribute__((noinline))
#else
#define CLASSE_FLAG_READER __attribute__((noipa))
#endif

namespace classe {

enum class FaultKind {
  DivisionByZero,    // a finite value divided by zero
  Overflow,          // a result, or a typed number, beyond the double (or 32-bit) range
  InvalidOperation,  // 0/0, ∞ − ∞, the square root of a negative number
};

// An arithmetic fault stops the running action at the step that raised it;
// `quantity` names what was being computed there ("R", "C1", "teta"…).
class ArithmeticFault : public std::runtime_error {
 public:
  ArithmeticFault(FaultKind kind, std::string quantity);

  FaultKind kind() const { return kind_; }
  const std::string& quantity() const { return quantity_; }

 private:
  FaultKind kind_;
  std::string quantity_;
};

// The Italian text the user reads, e.g.
// "Errore di calcolo: divisione per zero nel calcolo di R."
std::string FaultMessage(FaultKind kind, std::string_view quantity);

// Starts a fresh watch of the floating-point status: every action begins with
// one, so that flags left by earlier work are not taken for its own faults.
CLASSE_FLAG_READER void ClearFpFaults();

// Returns `value` when no division by zero, overflow or invalid operation has
// been flagged since the last clear; otherwise clears the flags and throws
// ArithmeticFault naming `quantity`. Underflow and inexact results are not
// faults.
//
// Out of line on purpose: the value is an argument, so the computation that
// produced it is finished before the flags are read.
CLASSE_FLAG_READER double Checked(std::string_view quantity, double value);

// Whether a division by zero, overflow or invalid operation has been flagged
// since the last clear; the flags stay as they are. Out of line, like Checked.
CLASSE_FLAG_READER bool FpFaultRaised();

// Samples or points handled between two looks at the flags on a fast path:
// a fault is rare, and the block it lies in is then walked again checked.
inline constexpr std::int64_t kCheckedBlock = 4096;

// Runs fast(begin, end) over [0, count) block by block, without checks; a
// block after which the flags show a fault is handed to replay(begin, end),
// which computes it again one checked value at a time and throws at the
// fault (or clears the flags, when the fast path only raised them by forming
// a value the model does not use). The caller clears the flags first.
template <class Fast, class Replay>
void RunCheckedBlocks(std::int64_t count, Fast&& fast, Replay&& replay) {
  for (std::int64_t begin = 0; begin < count; begin += kCheckedBlock) {
    const std::int64_t end = begin + kCheckedBlock < count ? begin + kCheckedBlock : count;
    fast(begin, end);
    if (FpFaultRaised()) replay(begin, end);
  }
}

// Throws for `kind` at once (used where a fault is known without the flags,
// such as a typed number beyond the 32-bit range).
[[noreturn]] void RaiseFault(FaultKind kind, std::string_view quantity);

// Keeps the action's floating-point status across work that is not the
// action's own (a message box, a repaint), which may raise and leave flags.
class PreservedFpFlags {
 public:
  PreservedFpFlags();
  ~PreservedFpFlags();
  PreservedFpFlags(const PreservedFpFlags&) = delete;
  PreservedFpFlags& operator=(const PreservedFpFlags&) = delete;

 private:
  std::fexcept_t saved_{};
};

}  // namespace classe
