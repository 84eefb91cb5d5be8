#pragma once

#include <cfenv>
#include <stdexcept>
#include <string>
#include <string_view>

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
void ClearFpFaults();

// Returns `value` when no division by zero, overflow or invalid operation has
// been flagged since the last clear; otherwise clears the flags and throws
// ArithmeticFault naming `quantity`. Underflow and inexact results are not
// faults.
//
// Out of line on purpose: the value is an argument, so the computation that
// produced it is finished before the flags are read.
double Checked(std::string_view quantity, double value);

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
