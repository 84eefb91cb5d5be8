// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/transistor/junction.h"

namespace classe::transistor {

// Why a curve file was refused: its Italian text, and the 1-based line it
// names (0 when it is about the whole file).
struct CurveError {
  int line = 0;
  std::string message;
};

inline constexpr std::size_t kMaxCurveLines = 10000;
inline constexpr double kDefaultCurveVj = 0.7;  // V

// A datasheet's Coss(Vds), interpolated as log C against x = log(1 + v/Vj)
// by a monotone (Steffen) cubic: smooth, positive and monotone between the
// points, and through each exactly. Voltages in V, capacitances in F.
//
// Beyond the points: above the last and below the first (down to −FC·Vj) a
// power law C ∝ (1 + v/Vj)^s, s being the cubic's slope at that point,
// clamped to s ≤ 0 so that C never rises with v; below −FC·Vj a straight
// line, value and slope continuous, as the junction law does. Results are
// always finite; the capacitance never drops below the smallest normal double.
class CossCurve {
 public:
  double capacitance(double v) const;
  double derivative(double v) const;  // dCoss/dv [F/V]
  double charge(double v) const;      // ∫₀^v Coss du [C]

  const std::vector<double>& voltages() const { return v_; }
  const std::vector<double>& capacitances() const { return c_; }
  double vj() const { return vj_; }

 private:
  friend std::variant<CossCurve, CurveError> ReadCossCurve(std::string_view text, double Vj);
  CossCurve(std::vector<double> v, const std::vector<double>& pF, double vj);

  // log C − log C_k near point k, and its slope d(log C)/dx.
  struct Local {
    std::size_t k;
    double delta;
    double slope;
  };
  Local local(double v) const;                               // for v ≥ −FC·Vj
  Local hermite(std::size_t i, double offset) const;         // offset: x − xᵢ
  double fromPoint(std::size_t k, double delta) const;       // C_k·e^delta
  double segmentCharge(std::size_t i, double offset) const;  // from point i on
  double lowCharge(double x) const;                          // from 0 V, below the first point

  std::vector<double> v_, c_;  // the points
  std::vector<double> x_, y_;  // the same as log(1 + v/Vj) and log C
  std::vector<double> h_;      // steps of x between the points
  std::vector<double> t_;      // the cubic's slopes d(log C)/dx at the points
  std::vector<double> q_;      // charge at the points
  std::vector<int> parts_;     // quadrature sub-intervals of each segment
  double vj_;
  double sLow_, sHigh_;  // the power laws' exponents
  double vJoint_, cJoint_, slopeJoint_, qJoint_;
};

// The curve of a CSV text: lines "Vds,Coss", Vds in V and Coss in pF with
// the point as decimal separator, separated by ',', ';' or a tab. Blank
// lines and lines starting with '#' are skipped, and so is a first line
// holding no number (a header). Vds ≥ 0 strictly increasing (by more than
// a few parts per billion), Coss ≥ 1e-6 pF, at least three points, at most
// kMaxCurveLines lines. Vj [V] > 0 shapes the interpolation.
std::variant<CossCurve, CurveError> ReadCossCurve(std::string_view text,
                                                  double Vj = kDefaultCurveVj);

// The output capacitance the simulator takes: constant, junction law or curve.
class CossModel {
 public:
  CossModel();                        // no transistor: 0 F
  CossModel(Junction junction);       // NOLINT: implicit on purpose
  CossModel(CossCurve curve);         // NOLINT
  static CossModel Linear(double C);  // F; a C not finite and ≥ 0 reads as 0
  // The same law with every capacitance times k > 0: a part off its
  // datasheet value by a tolerance.
  CossModel Scaled(double k) const;

  double capacitance(double v) const;
  double derivative(double v) const;
  double charge(double v) const;
  // The SPICE diode that is this capacitance and the body diode: the junction
  // law, or a constant as M = 0; none for a curve, which no diode follows.
  std::optional<SpiceDiodeParams> spice() const;
  bool isCurve() const { return std::holds_alternative<CossCurve>(law_); }

 private:
  struct Constant {
    double C;
    double capacitance(double) const { return C; }
    double derivative(double) const { return 0; }
    double charge(double v) const { return Saturate(C * v); }
  };
  std::variant<Constant, Junction, CossCurve> law_;
  double scale_ = 1;
};

}  // namespace classe::transistor
