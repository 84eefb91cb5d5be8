// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/complex_arithmetic.h"

#include "engine/design/fault.h"

namespace classe {

// The operands are never the result fields, so ResRe can be stored before
// ResIm is formed.
void ComplexMul(DesignState& s, const double& aRe, const double& aIm, const double& bRe,
                const double& bIm, std::string_view quantity) {
  s.ResRe = Checked(quantity, aRe * bRe - aIm * bIm);
  s.ResIm = Checked(quantity, aRe * bIm + aIm * bRe);
}

void ComplexDiv(DesignState& s, const double& aRe, const double& aIm, const double& bRe,
                const double& bIm, std::string_view quantity) {
  const double d = Checked(quantity, bRe * bRe + bIm * bIm);
  if (d == 0) RaiseFault(FaultKind::DivisionByZero, quantity);
  s.ResRe = Checked(quantity, (aRe * bRe + aIm * bIm) / d);
  s.ResIm = Checked(quantity, (aIm * bRe - aRe * bIm) / d);
}

}  // namespace classe
