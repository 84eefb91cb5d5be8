// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace classe::circuit {

// Why the engine returned no numbers. Each kind comes with its Italian text,
// written in failure.cpp and nowhere else.
enum class FailureKind {
  InvalidValue,           // an input outside its domain (not finite, not positive…)
  NegativeRon,            // a switch resistance below zero
  CossAboveC1,            // the transistor's own capacitance exceeds the C1 the stage needs
  SingularPeriod,         // the periodic steady state is not unique
  NonFinite,              // a result overflowed to infinity or NaN
  QTooLow,                // the series branch cannot give the reactance (C2 would be infinite)
  SingularStep,           // the Newton matrix is singular
  NoConvergence,          // Newton stopped short of its tolerances
  SwitchNeedsResistance,  // the SPICE switch cannot have Ron = 0
  SampleCount,            // a waveform sample count out of range
  TransistorTooLarge,     // the transistor alone has more capacitance than the design needs
  RetuneImpossible,       // no setting of the knobs meets a switching condition
};

// Where a design would exist with the transistor given: the highest
// frequency, Hz, and the highest supply at the frequency asked, V.
struct DesignLimits {
  std::optional<double> fmax;
  std::optional<double> VccMax;
};

struct Failure {
  FailureKind kind;
  std::string message;  // what the user reads
  DesignLimits limits = {};
};

// The failures, each with its text. Numbers are written with a decimal comma.
Failure InvalidValue(std::string_view quantity, std::string_view requirement);
Failure NegativeRon(double Ron);
Failure CossAboveC1(double Coss, double C1);
Failure SingularPeriod();
Failure NonFinite(std::string_view quantity);
Failure QTooLow(double Q, int N);
Failure SingularStep(int iteration);
Failure NoConvergence(int iterations, double residual);
Failure SwitchNeedsResistance();
Failure SampleCount(long long M, long long limit);
// `knobs` as the user reads them ("L2 e R"), `condition` the one left unmet
// ("la tensione nulla all'accensione"), `left` what remains of it, a
// fraction of Vcc.
Failure RetuneImpossible(std::string_view knobs, std::string_view condition, double left);
// `limits.fmax` is given: it is what the message is about.
Failure TransistorTooLarge(double Coss, double Vref, const DesignLimits& limits);

}  // namespace classe::circuit
