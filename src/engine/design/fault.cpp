// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/fault.h"

namespace classe {
namespace {

constexpr int kFaultFlags = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

std::string_view KindText(FaultKind kind) {
  switch (kind) {
    case FaultKind::DivisionByZero:
      return "divisione per zero";
    case FaultKind::Overflow:
      return "valore troppo grande (overflow)";
    case FaultKind::InvalidOperation:
      return "operazione non valida";
  }
  return "errore";
}

}  // namespace

ArithmeticFault::ArithmeticFault(FaultKind kind, std::string quantity)
    : std::runtime_error(FaultMessage(kind, quantity)),
      kind_(kind),
      quantity_(std::move(quantity)) {}

std::string FaultMessage(FaultKind kind, std::string_view quantity) {
  std::string text = "Errore di calcolo: ";
  text += KindText(kind);
  text += " nel calcolo di ";
  text += quantity;
  text += '.';
  return text;
}

void ClearFpFaults() {
  std::feclearexcept(FE_ALL_EXCEPT);
}

bool FpFaultRaised() {
  return std::fetestexcept(kFaultFlags) != 0;
}

double Checked(std::string_view quantity, double value) {
  const int raised = std::fetestexcept(kFaultFlags);
  if (raised == 0) return value;
  // Reported once: the flags are consumed with the fault.
  ClearFpFaults();
  // A division by zero is named before an invalid operation: 0/0 raises only
  // the latter, x/0 only the former, so the order matters only for
  // expressions that raised both.
  if (raised & FE_DIVBYZERO) RaiseFault(FaultKind::DivisionByZero, quantity);
  if (raised & FE_INVALID) RaiseFault(FaultKind::InvalidOperation, quantity);
  RaiseFault(FaultKind::Overflow, quantity);
}

void RaiseFault(FaultKind kind, std::string_view quantity) {
  throw ArithmeticFault(kind, std::string(quantity));
}

PreservedFpFlags::PreservedFpFlags() {
  std::fegetexceptflag(&saved_, FE_ALL_EXCEPT);
}

PreservedFpFlags::~PreservedFpFlags() {
  std::fesetexceptflag(&saved_, FE_ALL_EXCEPT);
}

}  // namespace classe
