// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "engine/transistor/coss_curve.h"
#include "engine/transistor/junction.h"

namespace classe::transistor {
namespace {

Junction MakeJ(double Cref, double Vref, double m, double Vj) {
  return std::get<Junction>(Junction::Make(Cref, Vref, m, Vj));
}

CossCurve Curve(std::string_view text, double Vj = kDefaultCurveVj) {
  auto read = ReadCossCurve(text, Vj);
  if (auto* error = std::get_if<CurveError>(&read)) ADD_FAILURE() << error->message;
  return std::get<CossCurve>(read);
}

// The junction's Coss in pF at each voltage, as a curve file.
std::string Sampled(const Junction& j, std::initializer_list<double> volts) {
  std::string text;
  char line[64];
  for (double v : volts) {
    std::snprintf(line, sizeof line, "%.17g,%.17g\n", v, j.capacitance(v) * 1e12);
    text += line;
  }
  return text;
}

// dF/dv by a central difference.
template <class F>
double Slope(const F& f, double v, double h = 1e-6) {
  return (f(v + h) - f(v - h)) / (2 * h);
}

// A superjunction-like datasheet curve: steep at low Vds, flat above 100 V.
constexpr std::string_view kDatasheet = "0,3000\n1,2500\n10,800\n50,150\n100,80\n400,60\n";

TEST(Junction, ReferencePointAndSpiceParameters) {
  const Junction j = MakeJ(100e-12, 25, 0.5, 0.7);
  EXPECT_DOUBLE_EQ(j.cjo(), 100e-12 * std::sqrt(1 + 25 / 0.7));
  EXPECT_DOUBLE_EQ(j.capacitance(25), 100e-12);
  EXPECT_DOUBLE_EQ(j.capacitance(0), j.cjo());
  const SpiceDiodeParams p = j.spice();
  EXPECT_EQ(std::tie(p.CJO, p.VJ, p.M, p.FC, p.IS, p.N),
            std::make_tuple(j.cjo(), 0.7, 0.5, 0.5, 1e-12, 1.0));
  // SPICE's forward-bias line at a diode voltage of 1.4 V: CJO/F2·(F3 + M·vd/VJ).
  const double F2 = std::pow(0.5, 1.5), F3 = 1 - 0.5 * 1.5;
  EXPECT_NEAR(j.capacitance(-1.4), j.cjo() / F2 * (F3 + 0.5 * 1.4 / 0.7), 1e-15 * j.cjo());
}

TEST(Junction, SmoothAcrossTheJointAndChargeIntegratesCapacitance) {
  const Junction j = MakeJ(100e-12, 25, 0.4, 0.7);
  const double joint = -kFC * 0.7, slope = j.derivative(joint);
  // Across 2 nV the value moves by its slope times 2 nV, the slope by far less.
  EXPECT_NEAR(j.capacitance(joint - 1e-9), j.capacitance(joint + 1e-9), -3e-9 * slope);
  EXPECT_NEAR(j.derivative(joint - 1e-9), j.derivative(joint + 1e-9), -1e-8 * slope);
  EXPECT_EQ(j.charge(0), 0.0);
  auto q = [&j](double v) { return j.charge(v); };
  auto C = [&j](double v) { return j.capacitance(v); };
  for (double v : {-30.0, -1.0, joint, -0.2, 0.0, 0.5, 10.0, 400.0}) {
    EXPECT_NEAR(Slope(q, v), C(v), 1e-7 * C(v)) << v;
    EXPECT_NEAR(Slope(C, v), j.derivative(v), -1e-5 * j.derivative(v)) << v;
  }
}

TEST(Junction, GradingZeroIsExactlyLinear) {
  const Junction j = MakeJ(47e-12, 25, 0, 0.7);
  for (double v : {-100.0, -0.35, -0.1, 0.0, 3.0, 1e4}) {
    EXPECT_EQ(j.capacitance(v), 47e-12);
    EXPECT_EQ(j.derivative(v), 0.0);
    EXPECT_EQ(j.charge(v), 47e-12 * v);
  }
}

TEST(Junction, RefusesParametersOutsideTheirDomain) {
  const double nan = std::nan("");
  for (auto [Cref, Vref, m, Vj] : {std::array{0.0, 25.0, 0.5, 0.7},
                                   {nan, 25.0, 0.5, 0.7},
                                   {1e-10, -1.0, 0.5, 0.7},
                                   {1e-10, 25.0, 1.0, 0.7},
                                   {1e-10, 25.0, -0.1, 0.7},
                                   {1e-10, 25.0, 0.5, 0.0},
                                   {1e-10, 25.0, 0.5, HUGE_VAL},
                                   {1e300, 1e300, 0.9, 1e-300}})
    EXPECT_TRUE(std::holds_alternative<std::string>(Junction::Make(Cref, Vref, m, Vj)))
        << Cref << " " << Vref << " " << m << " " << Vj;
}

TEST(BodyDiode, CurrentFlowsIntoTheDrainBelowZeroAndNeverOverflows) {
  EXPECT_NEAR(kVt, 0.02586493, 1e-8);
  EXPECT_EQ(DiodeCurrent(0), 0.0);
  EXPECT_NEAR(DiodeCurrent(-0.6), 1e-12 * std::expm1(0.6 / kVt), 1e-12 * DiodeCurrent(-0.6));
  EXPECT_NEAR(DiodeCurrent(5), -1e-12, 1e-24);
  EXPECT_NEAR(DiodeConductance(-0.5), Slope(DiodeCurrent, -0.5, 1e-7), 1e-6);
  const double knee = -80 * kVt;  // where the exponential becomes a line
  EXPECT_NEAR(DiodeCurrent(knee - 1e-9) / DiodeCurrent(knee + 1e-9), 1, 1e-6);
  EXPECT_NEAR(DiodeConductance(knee - 1e-3), DiodeConductance(knee + 1e-3) * std::exp(1e-3 / kVt),
              -1e-9 * DiodeConductance(knee));
  for (double v : {-1e6, -1e300}) {
    EXPECT_TRUE(std::isfinite(DiodeCurrent(v)) && DiodeCurrent(v) > 0) << v;
    EXPECT_TRUE(std::isfinite(DiodeConductance(v)) && DiodeConductance(v) < 0) << v;
  }
}

TEST(CurveReader, AcceptsHeaderCommentsCrlfAndEachSeparator) {
  const CossCurve curve = Curve(
      "\xEF\xBB\xBFVds [V];Coss [pF]\r\n# measured\r\n\r\n  0 ; 300 \r\n+1\t200\r\n 10 ,50\r\n");
  EXPECT_EQ(curve.voltages(), (std::vector<double>{0, 1, 10}));
  EXPECT_EQ(curve.capacitances(), (std::vector<double>{300e-12, 200e-12, 50e-12}));
}

TEST(CurveReader, EachRefusalNamesItsLine) {
  const std::string twoValues =
      ": servono due valori, Vds e Coss, separati da virgola, punto e virgola o tabulazione (il "
      "separatore decimale è il punto).";
  const struct {
    std::string_view text;
    int line;
    std::string message;
  } cases[] = {
      {"0,100\n1,abc\n", 2, "Riga 2: \"abc\" non è un numero."},
      {"0,1\n1,~é\x01"
       "abcdefghijklmnopqrstuvwxyz\n",
       2, "Riga 2: \"~???abcdefghijklmnopqrst…\" non è un numero."},
      {"0,nan\n", 1, "Riga 1: \"nan\" non è un numero finito."},
      {"# c\n\n-inf,1\n", 3, "Riga 3: \"-inf\" non è un numero finito."},
      {"0,1\n1e999,1\n", 2,
       "Riga 2: \"1e999\" è fuori dall'intervallo dei numeri rappresentabili."},
      {"0,100,3\n", 1, "Riga 1" + twoValues},
      {"0,1\n15,1\n12,1\n", 3,
       "Riga 3: la tensione Vds deve crescere da una riga all'altra (12 dopo 15)."},
      {"0,1\n1,1\n1.0,1\n", 3,
       "Riga 3: la tensione Vds deve crescere da una riga all'altra (1.0 dopo 1)."},
      {"0,1\n100,1\n100.00000000000001,1\n", 3,
       "Riga 3: la tensione Vds è troppo vicina a quella della riga precedente "
       "(100.00000000000001 dopo 100)."},
      {"-1,100\n", 1, "Riga 1: la tensione Vds non può essere negativa (-1)."},
      {"0,1\n1,0\n", 2, "Riga 2: la capacità Coss deve essere positiva (0)."},
      {"0,1\n1,1e-7\n", 2, "Riga 2: la capacità Coss deve essere almeno 1e-6 pF (1e-7)."},
      {"0,1\nVds,Coss\n", 2, "Riga 2: \"Vds\" non è un numero."},
      {std::string_view("0,1\n1,\0 1\n", 10), 2, "Riga 2: la riga contiene un carattere nullo."},
      {"Vds,Coss\n0,1\n1,1\n", 0,
       "La curva Coss deve avere almeno tre punti (il file ne contiene 2)."},
  };
  for (const auto& c : cases) {
    const auto read = ReadCossCurve(c.text);
    ASSERT_TRUE(std::holds_alternative<CurveError>(read)) << c.text;
    EXPECT_EQ(std::get<CurveError>(read).line, c.line) << c.text;
    EXPECT_EQ(std::get<CurveError>(read).message, c.message);
  }
  EXPECT_EQ(std::get<CurveError>(ReadCossCurve(kDatasheet, 0)).message,
            "Il potenziale Vj deve essere positivo.");
}

TEST(CurveReader, TakesAtMostTenThousandLines) {
  std::string text;
  for (int i = 0; i < 10000; ++i)
    text += std::to_string(i) + "," + std::to_string(1000.0 / (1 + i)) + "\n";
  EXPECT_EQ(Curve(text).voltages().size(), 10000u);
  const auto refused = ReadCossCurve(text + "oops");  // judged before the last line is read
  ASSERT_TRUE(std::holds_alternative<CurveError>(refused));
  EXPECT_EQ(std::get<CurveError>(refused).message, "Il file contiene più di 10000 righe.");
}

TEST(CurveInterpolant, ThroughThePointsMonotoneAndItsChargeIntegrates) {
  const CossCurve curve = Curve(kDatasheet);
  for (std::size_t i = 0; i < curve.voltages().size(); ++i)
    EXPECT_EQ(curve.capacitance(curve.voltages()[i]), curve.capacitances()[i]);
  auto C = [&curve](double v) { return curve.capacitance(v); };
  auto q = [&curve](double v) { return curve.charge(v); };
  double previous = C(0), integral = 0;
  const double h = 1e-3;  // Simpson's rule over [0, 400] in steps of 2h
  for (double v = 0; v < 400 - h; v += 2 * h) {
    integral += h / 3 * (C(v) + 4 * C(v + h) + C(v + 2 * h));
    EXPECT_LE(C(v + h), previous) << v + h;
    previous = C(v + h);
    if (std::fmod(v + 2 * h, 25.0) < h) {
      EXPECT_NEAR(q(v + 2 * h), integral, 1e-10 * integral) << v + 2 * h;
      // log C carries an ulp of about 4e-15: C itself is no closer than that.
      EXPECT_NEAR(Slope(C, v + h, 1e-4), curve.derivative(v + h),
                  -1e-5 * curve.derivative(v + h) + 1e-10 * C(v));
    }
  }
  for (double v : {-2.0, -0.35, -0.1, 0.0, 0.7, 10.0, 399.9, 1e3})
    EXPECT_NEAR(Slope(q, v, 1e-4), C(v), 1e-6 * C(v)) << v;
}

TEST(CurveInterpolant, ExtrapolatesFinitePositiveAndNeverRising) {
  const CossCurve curve = Curve(kDatasheet);
  double previous = HUGE_VAL;
  for (double v : {-1e300, -1e6, -1.0, -0.36, -0.35, -0.2, 0.0, 400.0, 1e3, 1e6, 1e300}) {
    const double C = curve.capacitance(v);
    EXPECT_TRUE(std::isfinite(C) && C > 0 && C <= previous) << v;
    EXPECT_TRUE(std::isfinite(curve.charge(v)) && std::isfinite(curve.derivative(v))) << v;
    previous = C;
  }
  EXPECT_NEAR(curve.derivative(-0.35 - 1e-9), curve.derivative(-0.35 + 1e-9),
              -1e-8 * curve.derivative(-0.35));
  // The first and the last segment rising: both extrapolations held flat.
  const CossCurve rising = Curve("0,50\n1,100\n10,20\n20,30\n");
  EXPECT_EQ(rising.capacitance(1e4), 30e-12);
  EXPECT_EQ(rising.capacitance(-1), 50e-12);
  EXPECT_EQ(rising.derivative(-1), 0.0);
}

TEST(CurveInterpolant, ReproducesTheJunctionLawItWasSampledFrom) {
  const Junction j = MakeJ(100e-12, 25, 0.4, 1.0);
  const CossCurve curve = Curve(Sampled(j, {0, 1, 2, 5, 10, 20, 50, 100, 200}));
  for (double v = 0; v <= 200; v += 0.25) {
    EXPECT_NEAR(curve.capacitance(v), j.capacitance(v), 0.01 * j.capacitance(v)) << v;
    EXPECT_NEAR(curve.charge(v), j.charge(v), 0.01 * j.charge(v)) << v;
  }
  // With the junction's own Vj, log C is a line in x: the curve is the law,
  // its extrapolations and its charge included, over six decades.
  const Junction steep = MakeJ(100e-12, 25, 0.9, 0.7);
  const CossCurve same = Curve(Sampled(steep, {0, 1e3, 1e6}), 0.7);
  for (double v : {-50.0, -0.5, -0.35, -0.1, 0.3, 7.0, 999.0, 3e4, 1e6, 1e8}) {
    EXPECT_NEAR(same.capacitance(v), steep.capacitance(v), 1e-13 * steep.capacitance(v)) << v;
    EXPECT_NEAR(same.derivative(v), steep.derivative(v), -1e-12 * steep.derivative(v)) << v;
    EXPECT_NEAR(same.charge(v), steep.charge(v), 1e-13 * std::fabs(steep.charge(v))) << v;
  }
}

TEST(CossModel, EachLawThroughOneInterface) {
  const CossModel none, linear = CossModel::Linear(47e-12), bad = CossModel::Linear(-1);
  EXPECT_EQ(std::make_tuple(none.capacitance(10), bad.charge(10), linear.capacitance(-3),
                            linear.charge(-3), linear.derivative(5)),
            std::make_tuple(0.0, 0.0, 47e-12, -3 * 47e-12, 0.0));
  const Junction j = MakeJ(100e-12, 25, 0.5, 0.7);
  const CossCurve curve = Curve(kDatasheet);
  const CossModel fromJ = j, fromCurve = curve;
  EXPECT_EQ(std::make_tuple(fromJ.charge(7), fromJ.derivative(7), fromCurve.capacitance(7)),
            std::make_tuple(j.charge(7), j.derivative(7), curve.capacitance(7)));
}

}  // namespace
}  // namespace classe::transistor
