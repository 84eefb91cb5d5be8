// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/stage.h"

#include <cmath>

#include "engine/design/fault.h"
#include "engine/design/matching_network.h"

namespace classe::circuit {
namespace {

bool Positive(double x) {
  return std::isfinite(x) && x > 0;
}

std::optional<Failure> CheckOptions(const StageOptions& o) {
  if (!std::isfinite(o.Ron)) return InvalidValue("Ron", "deve essere un numero finito");
  if (o.Ron < 0) return NegativeRon(o.Ron);
  if (o.QU && !Positive(*o.QU)) return InvalidValue("QU", "deve essere positivo");
  if (!std::isfinite(o.Coss) || o.Coss < 0) return InvalidValue("Coss", "deve essere ≥ 0");
  if (o.transistor && !(std::isfinite(o.transistor->Vref) && o.transistor->Vref >= 0))
    return InvalidValue("Vds di Coss", "deve essere ≥ 0");
  if (o.RL && !Positive(*o.RL)) return InvalidValue("RL", "deve essere positiva");
  return std::nullopt;
}

}  // namespace

std::optional<Failure> CheckStage(const Stage& s) {
  if (!Positive(s.omega)) return InvalidValue("f", "deve essere positiva");
  if (!Positive(s.Vcc)) return InvalidValue("Vcc", "deve essere positiva");
  if (!std::isfinite(s.Von) || s.Von < 0 || s.Von >= s.Vcc)
    return InvalidValue("Von", "deve essere ≥ 0 e minore di Vcc");
  if (!std::isfinite(s.Ron)) return InvalidValue("Ron", "deve essere un numero finito");
  if (s.Ron < 0) return NegativeRon(s.Ron);
  if (!Positive(s.R)) return InvalidValue("R", "deve essere positiva");
  if (!Positive(s.L1)) return InvalidValue("L1", "deve essere positiva");
  if (!Positive(s.C1)) return InvalidValue("C1", "deve essere positiva");
  if (!Positive(s.C2)) return InvalidValue("C2", "deve essere positiva");
  if (!Positive(s.L2)) return InvalidValue("L2", "deve essere positiva");
  if (s.QU && !Positive(*s.QU)) return InvalidValue("QU", "deve essere positivo");
  if (!std::isfinite(s.Coss) || s.Coss < 0) return InvalidValue("Coss", "deve essere ≥ 0");
  if (s.Coss > s.C1) return CossAboveC1(s.Coss, s.C1);
  if (!Positive(s.load.RL)) return InvalidValue("RL", "deve essere positiva");
  const bool network = s.load.kind != LoadKind::Resistor;
  if (network && !(Positive(s.load.L) && Positive(s.load.C)))
    return InvalidValue("rete adattatrice", "L e C devono essere positive");
  return std::nullopt;
}

Result<Stage> MakeStage(double omega, double Vcc, double Von, double R, double L1, double C1,
                        double C2, double L2, const StageOptions& options) {
  if (std::optional<Failure> bad = CheckOptions(options)) return *bad;
  Stage s;
  s.omega = omega;
  s.Vcc = Vcc;
  s.Von = Von;
  s.Ron = options.Ron;
  s.L1 = L1;
  s.C1 = C1;
  s.C2 = C2;
  s.L2 = L2;
  s.R = R;
  s.QU = options.QU;
  s.Coss = options.Coss;
  if (options.transistor) {
    s.transistor = options.transistor;
    s.Coss = options.transistor->coss.capacitance(options.transistor->Vref);
  }
  s.load.RL = R;
  if (options.RL && *options.RL != R && Positive(R) && Positive(omega)) {
    // The matching code reports faults through the floating-point flags; the
    // caller's flags are kept, and ours start clean.
    const PreservedFpFlags keep;
    ClearFpFaults();
    try {
      const MatchingNetwork net = ComputeMatchingNetwork(R, *options.RL, omega);
      s.load.kind = net.topology == NetworkKind::ShuntCAtInput ? LoadKind::ShuntCAtInput
                                                               : LoadKind::ShuntCAtLoad;
      s.load.L = net.L;
      s.load.C = net.C;
    } catch (const ArithmeticFault&) {
      return NonFinite("rete adattatrice");
    }
    s.load.RL = *options.RL;
  }
  if (std::optional<Failure> bad = CheckStage(s)) return *bad;
  return s;
}

Result<Stage> StageFromIdeal(const IdealDesign& d, const StageOptions& options) {
  return MakeStage(d.omega, d.Vcc, d.Von, d.R, d.L1, d.C1, d.C2, d.L2, options);
}

}  // namespace classe::circuit
