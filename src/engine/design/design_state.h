// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

#include "engine/design/sample_array.h"

namespace classe {

// The one record every action reads and writes, for the whole run of the
// program. Fields in SI units (W, Hz, rad/s, Ω, F, H, V, A, rad), declared in
// this order; zero, empty or absent until an action writes them.
struct DesignState {
  // Operands and result of ComplexMul / ComplexDiv.
  double OpARe = 0;
  double OpAIm = 0;
  double OpBRe = 0;
  double OpBIm = 0;
  double ResRe = 0;
  double ResIm = 0;

  // Design inputs and the class-E stage.
  double Po = 0;  // W
  double f = 0;   // Hz (typed in MHz)
  double Q = 0;
  double Von = 0;  // V
  double Vcc = 0;  // V
  double R = 0;    // Ω, optimum load
  double C1 = 0;   // F
  double C2 = 0;   // F
  double C0 = 0;   // F, resonates with L2 at f
  double L1 = 0;   // H
  double L2 = 0;   // H
  double Ir = 0;   // A, amplitude of the output-branch current
  double IDC = 0;  // A

  // Fundamental of the switch voltage, from the verification.
  double Vc1FR = 0;
  double Vc1FX = 0;
  double Vc1F = 0;

  // Waveform values at the last evaluated angle.
  double Vc1 = 0;
  double IrTeta = 0;
  double Ic1 = 0;
  double Isw = 0;

  // Output-branch impedance and current phasor, from the verification.
  double ZRe = 0;
  double ZIm = 0;
  double IrRe = 0;
  double IrIm = 0;

  double teta = 0;   // rad
  double omega = 0;  // rad/s
  double phi = 0;    // rad
  double TgPsi = 0;
  std::int32_t N = 0;

  // Samples over 0…4π; indices 0…M hold samples, M+1 and M+2 stay zero.
  SampleArray Vc1Samples;
  SampleArray IswSamples;
  SampleArray Ic1Samples;
  SampleArray IrSamples;
  double Vc1max = 0;
  double Iswmax = 0;
  double Ic1max = 0;
  double Irmax = 0;

  // How the input check talks to its callers.
  std::string MsgMissing;
  std::string MsgInvalid;
  std::string InputText;
  std::int16_t InputError = 0;

  std::int32_t M = 0;  // sampling intervals over 0…4π
};

}  // namespace classe
