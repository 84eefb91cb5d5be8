// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <ostream>

#include "engine/statistics/monte_carlo.h"
#include "engine/statistics/sweep.h"

namespace classe::statistics {

// One row a build done, SI units, efficiency and von_fraction as fractions;
// a build with no steady state has its results empty and solved = 0.
inline constexpr const char* kBuildsCsvHeader =
    "build,Cext,Coss,C2,L1,L2,L,C,load,Ron,L2_tuned,load_tuned,solved,Po,efficiency,Vpeak,"
    "Iswitch_peak,von_fraction,Po_ok,von_ok,Vpeak_ok,all_ok";
void WriteBuildsCsv(std::ostream& out, const MonteCarloResult& result);

// One row a point done with a steady state, x in SI units (factors for the
// load and its reactance).
inline constexpr const char* kSweepCsvHeader = "x,Po,efficiency,Vpeak,Iswitch_peak,von_fraction";
void WriteSweepCsv(std::ostream& out, const SweepResult& result);

}  // namespace classe::statistics
