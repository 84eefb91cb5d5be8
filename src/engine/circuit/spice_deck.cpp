// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/spice_deck.h"

#include <charconv>
#include <cmath>

#include "engine/circuit/any_orbit.h"

namespace classe::circuit {
namespace {

// Round-trip text of a double: 17 significant digits, with the point that
// ngspice reads whatever the locale (the windows run under the user's, where
// printf would write a comma).
std::string Num(double x) {
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 17);
  return std::string(buffer, end.ptr);
}

// Six digits, for the comments; with the point too, as the deck is one text.
std::string Short(double x) {
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 6);
  return std::string(buffer, end.ptr);
}

// Rise and fall of the gate pulse as a fraction of the period; the edges are
// centred on T/2 and T, where the control crosses the 0.5 V threshold.
constexpr double kEdge = 1e-5;

// roff: the open switch leaks vD²/roff, under 0.2 mW at 120 V, far below 0.1 %
// of any output this stage is made for; a larger roff buys nothing and only
// widens the span of conductances the simulator's matrix must hold.
constexpr double kRoff = 1e8;

// Ω, in series with the transistor's junction in the deck only. At 5 mΩ
// ngspice's step control gave up at a hard turn-on deep in the run for one
// deck in three whose parts differed only in their last digit (Q 20, m 0.75);
// 20 mΩ got every one through, and its loss stays far below 0.1 % of Po.
constexpr double kDiodeRs = 20e-3;

struct Deck {
  std::string text;
  void line(const std::string& s) {
    text += s;
    text += '\n';
  }
};

// An inductor from a to b, behind its loss resistance when it has one.
void Inductor(Deck& d, const std::string& name, double L, double r, const std::string& a,
              const std::string& b) {
  if (r > 0) {
    const std::string inner = a + "_" + name;
    d.line("R" + name + " " + a + " " + inner + " " + Num(r));
    d.line("L" + name + " " + inner + " " + b + " " + Num(L));
  } else {
    d.line("L" + name + " " + a + " " + b + " " + Num(L));
  }
}

// The transistor's output capacitance and body diode as one junction diode,
// anode at ground and cathode at the drain: its depletion capacitance is the
// junction law of Coss, its conduction the body diode. A constant Coss is
// the same diode with M = 0.
std::optional<std::string> TransistorLines(const Transistor& t) {
  const std::optional<transistor::SpiceDiodeParams> p = t.coss.spice();
  if (!p) return std::nullopt;
  // RS: without a few milliohms in the junction's path ngspice's step control
  // gives up at the hard turn-ons of the start-up ("timestep too small"); in
  // the steady state it costs RS·i(Coss)², about 1e-4 of the power.
  return "* transistor: Coss as the junction of its body diode (T 27 C); rs " + Num(kDiodeRs) +
         " ohm lets ngspice through the start-up's hard turn-ons\n"
         "Dbody 0 drain dcoss\n"
         ".model dcoss D(IS=" +
         Num(p->IS) + " N=" + Num(p->N) + " CJO=" + Num(p->CJO) + " VJ=" + Num(p->VJ) +
         " M=" + Num(p->M) + " FC=" + Num(p->FC) + " RS=" + Num(kDiodeRs) + ")\n";
}

// A datasheet's curve, which no SPICE diode follows, as a capacitor given by
// its charge Q(v) = ∫₀^v Coss: a table interpolated linearly, so that the
// charge is exact at every point and the capacitance between two points is
// their mean. The points are evenly spaced in ln(1 + v/Vj), dense where Coss
// bends near 0 V, from below the body diode's clamp to well past any class-E
// drain peak (about 3.6 Vcc, 6 with a steep junction); the body diode is a
// junction without capacitance.
constexpr int kCurvePoints = 800;
constexpr double kCurveLow = -3;     // V, below the diode's clamp at about −0.8 V
constexpr double kCurveTopVcc = 12;  // the table's end, times Vcc
constexpr int kPairsPerLine = 6;

std::string CurveLines(const Transistor& t, double Vcc) {
  const double vj = transistor::kDefaultCurveVj;
  const double top = kCurveTopVcc * Vcc + 10;
  std::string table;
  int pairs = 0;
  const auto point = [&](double v) {
    // Every pair after V(drain) follows a comma, six to a continuation line.
    table += std::string(",") + (pairs % kPairsPerLine == 0 ? "\n+ " : " ") + Num(v) + ", " +
             Num(t.coss.charge(v));
    ++pairs;
  };
  // Below −Vj/2 the charge is the straight capacitance line's: a few points do.
  for (double v = kCurveLow; v < -vj / 2; v += 0.25)
    point(v);
  const double first = std::log(0.5), last = std::log1p(top / vj);
  for (int k = 0; k <= kCurvePoints; ++k)
    point(vj * std::expm1(first + (last - first) * k / kCurvePoints));
  // As in the junction's deck, a few milliohms between the drain and the
  // transistor (capacitance and diode together) let ngspice through the
  // start-up's hard turn-ons.
  return "* transistor: Coss from the datasheet's curve as its charge, " + std::to_string(pairs) +
         " points from " + Num(kCurveLow) + " V to " + Num(top) +
         " V, and the body diode (T 27 C), behind rs " + Num(kDiodeRs) +
         " ohm\n"
         "Rcoss drain dj " +
         Num(kDiodeRs) +
         "\n"
         "Ccoss dj 0 Q='pwl(V(dj)" +
         table +
         ")'\n"
         "Dbody 0 dj dbody\n"
         ".model dbody D(IS=" +
         Num(transistor::kIS) + " N=" + Num(transistor::kN) + ")\n";
}

}  // namespace

Result<SpiceDeck> WriteSpiceDeck(const Stage& s, const DeckOptions& options) {
  // The stage's values first, so that a stage without numbers says so before
  // the switch does.
  if (std::optional<Failure> bad = CheckStage(s)) return *bad;
  if (!(s.Ron > 0)) return SwitchNeedsResistance();
  const Result<double> rho =
      WithAnyOrbit(s, [](const auto& orbit) -> Result<double> { return orbit.SpectralRadius(); });
  if (!rho) return rho.failure();

  SpiceDeck out;
  const double needed = *rho > 0 && *rho < 1 ? std::log(options.tolerance) / std::log(*rho) : 1e300;
  const double wanted = std::ceil(needed) + options.marginPeriods;
  out.capped = !(wanted <= options.maxPeriods);
  out.periods = out.capped ? options.maxPeriods : static_cast<int>(wanted);

  const double T = kPeriod / s.omega;
  const double K = out.periods;
  const double edge = kEdge * T;
  Deck d;
  d.line("* classe-e: stadio in classe E reale per ngspice (ngspice -b file.cir)");
  d.line("* f = " + Short(s.omega / kPeriod) + " Hz; SI units: V, A, ohm, H, F, s");
  std::string length = "* " + std::to_string(out.periods) +
                       " periods: a start-up deviation shrinks by rho = " + Short(*rho) +
                       " a period (engine's period map), ln(" + Short(options.tolerance) +
                       ")/ln(rho) = " + (*rho < 1 ? Short(std::ceil(needed)) : "infinity");
  length += out.capped ? ", capped at " + std::to_string(options.maxPeriods) +
                             " to bound the run: the measures may keep some start-up"
                       : " plus " + std::to_string(options.marginPeriods);
  d.line(length);
  d.line("Vdd vcc 0 DC " + Num(s.Vcc));
  Inductor(d, "1", s.L1, Stage::ChokeEsr(), "vcc", "drain");
  if (!s.transistor) {
    d.line("C1 drain 0 " + Num(s.C1));
  } else {
    if (s.C1ToBuy() > 0) d.line("C1 drain 0 " + Num(s.C1ToBuy()));
    const std::optional<std::string> junction = TransistorLines(*s.transistor);
    d.text += junction ? *junction : CurveLines(*s.transistor, s.Vcc);
  }
  d.line("* switch closed from T/2 to T of each period: Ron, then Von, to ground");
  d.line("S1 drain swlow gate 0 swon");
  d.line("Vonsw swlow 0 DC " + Num(s.Von));
  d.line("Vgate gate 0 PULSE(0 1 " + Num(T / 2 - edge / 2) + " " + Num(edge) + " " + Num(edge) +
         " " + Num(T / 2 - edge) + " " + Num(T) + ")");
  d.line("* roff: the open switch leaks vD^2/roff, < 0.2 mW at 120 V");
  d.line(".model swon sw(vt=0.5 vh=0 ron=" + Num(s.Ron) + " roff=" + Num(kRoff) + ")");
  d.line("C2 drain branch " + Num(s.C2));
  switch (s.load.kind) {
    case LoadKind::Resistor:
      Inductor(d, "2", s.L2, s.Esr(s.L2), "branch", "out");
      break;
    case LoadKind::ShuntCAtLoad:
      // L2 and the network L in series with no node between: one inductor LF.
      d.line("* LF = L2 + network L");
      if (s.QU) {
        d.line("RF branch branch_F " + Num(s.Esr(s.L2) + s.Esr(s.load.L)));
        d.line("LF branch_F out " + Num(s.L2 + s.load.L));
      } else {
        d.line("LF branch out " + Num(s.L2 + s.load.L));
      }
      d.line("Cn out 0 " + Num(s.load.C));
      break;
    case LoadKind::ShuntCAtInput:
      Inductor(d, "2", s.L2, s.Esr(s.L2), "branch", "mid");
      d.line("Cn mid 0 " + Num(s.load.C));
      Inductor(d, "n", s.load.L, s.Esr(s.load.L), "mid", "out");
      break;
  }
  d.line("Rload out 0 " + Num(s.load.RL));
  const std::string from = Num((K - 1) * T);
  const std::string to = Num(K * T);
  const std::string span = " FROM=" + from + " TO=" + to;
  d.line(".tran " + Num(T / options.stepsPerPeriod) + " " + to + " " + from + " " +
         Num(T / options.stepsPerPeriod));
  d.line("* measures over the last period");
  d.line(".meas tran vrms RMS v(out)" + span);
  d.line(".meas tran po PARAM='vrms*vrms/" + Num(s.load.RL) + "'");
  d.line(".meas tran idc AVG i(Vdd)" + span);
  d.line(".meas tran pdc PARAM='-" + Num(s.Vcc) + "*idc'");
  d.line(".meas tran eff PARAM='po/pdc'");
  d.line(".meas tran vpk MAX v(drain)" + span);
  // At the start of the last gate edge, the last instant the switch is surely
  // open: slope·edge/2 before the turn-on, 1e-5 of the peak at most.
  d.line("* von: drain voltage as the last turn-on begins (start of the gate edge)");
  d.line(".meas tran von FIND v(drain) AT=" + Num((K - 0.5) * T - edge / 2));
  d.line(".end");
  out.text = std::move(d.text);
  return out;
}

}  // namespace classe::circuit
