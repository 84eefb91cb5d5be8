// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

namespace classe {

// π and its multiples are the fifteen-digit decimal literals the design was
// made with, not the closest doubles: interval bounds and sample angles must
// land exactly where the equations expect them.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr double kThreePi = 9.42477796076937;
inline constexpr double kFourPi = 12.56637061435916;

// π² + 4 recurs throughout the ideal design; squares are exact powers of two
// factors, so folding them here gives the same double as at run time.
inline constexpr double kPiSquaredPlus4 = kPi * kPi + 4;
inline constexpr double kPiSquaredMinus4 = kPi * kPi - 4;

// X(C1) / R stands for π(π² + 4)/8 ≈ 5.4466, but the literal is what the
// choke is sized with.
inline constexpr double kChokeReactanceFactor = 5.447;

// Residual reactance of the series branch, in units of R (tan ψ of the ideal stage).
inline constexpr double kSeriesReactanceFactor = 1.152;

// Relative distance |RL/R − 1| below which no matching network is needed.
inline constexpr double kBandLimit = 0.05;

// Display scaling: henry → µH and farad → pF happen only where text is written.
inline constexpr double kMicro = 1e6;
inline constexpr double kPico = 1e12;

}  // namespace classe
