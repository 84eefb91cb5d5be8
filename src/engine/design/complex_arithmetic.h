// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

#include "engine/design/design_state.h"

namespace classe {

// Complex product and quotient on pairs of doubles. Callers pass the operand
// fields OpARe, OpAIm, OpBRe, OpBIm; the result goes to ResRe and ResIm, which
// the caller copies before the next call. `quantity` names the result in a
// fault message.
void ComplexMul(DesignState& state, const double& aRe, const double& aIm, const double& bRe,
                const double& bIm, std::string_view quantity);

// A zero divisor (including one whose squared modulus underflows to zero) is
// a division by zero.
void ComplexDiv(DesignState& state, const double& aRe, const double& aIm, const double& bRe,
                const double& bIm, std::string_view quantity);

}  // namespace classe
