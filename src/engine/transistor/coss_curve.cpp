// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/transistor/coss_curve.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>

namespace classe::transistor {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kMinC = std::numeric_limits<double>::min();
constexpr double kPerPico = 1e12;  // exact, so that C/1e12 rounds as "Ce-12" does
// Never reached with Coss from 1e-6 pF to the double range; a bound on the work.
constexpr int kMaxParts = 1024;
constexpr double kMinPicofarads = 1e-6;  // 1 aF
// Neighbouring points closer than this in log(1 + v/Vj) would give the cubic
// slopes that overflow.
constexpr double kMinStep = 1e-9;

// 10-point Gauss–Legendre on [−1, 1]: exact for polynomials up to degree 19.
constexpr std::array<double, 5> kNodes{0.1488743389816312, 0.4333953941292472, 0.6794095682990244,
                                       0.8650633666889845, 0.9739065285171717};
constexpr std::array<double, 5> kWeights{0.2955242247147529, 0.2692667193099963, 0.2190863625159820,
                                         0.1494513491505806, 0.0666713443086881};

// log(1 + v/Vj), also where v/Vj overflows.
double LogScale(double v, double vj) {
  const double r = v / vj;
  return std::isfinite(r) ? std::log1p(r) : std::log(v) - std::log(vj);
}

// log((Vj + b)/(Vj + a)), the step in log(1 + v/Vj) from a to b, to full
// precision however large a is (a ≥ 0, b ≥ −Vj/2).
double Step(double a, double b, double vj) {
  const double r = (b - a) / (vj + a);
  return std::fabs(r) < 0.5 ? std::log1p(r) : LogScale(b, vj) - LogScale(a, vj);
}

// ∫₀^L e^(k·x) dx without cancellation.
double ExpIntegral(double k, double L) {
  return k == 0 ? L : std::expm1(k * L) / k;
}

double Sign(double x) {
  return x > 0 ? 1.0 : (x < 0 ? -1.0 : 0.0);
}

// Steffen's slope at an end point, from the end segment's slope s and the
// three-point parabola's p.
double EndSlope(double s, double p) {
  if (p * s <= 0) return 0;
  return std::fabs(p) > 2 * std::fabs(s) ? 2 * s : p;
}

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A value as the message quotes it: printable ASCII only, and short.
std::string Quoted(std::string_view token) {
  constexpr std::size_t kShown = 24;
  std::string out;
  for (char ch : token.substr(0, kShown)) {
    const auto c = static_cast<unsigned char>(ch);
    out += c >= 0x20 && c < 0x7F ? ch : '?';
  }
  if (token.size() > kShown) out += "…";
  return out;
}

enum class Reading { Number, NotNumber, NotFinite, OutOfRange };

// The whole token as a number, in the C locale's notation whatever the
// process's locale; one leading '+' is allowed.
Reading ReadNumber(std::string_view token, double& value) {
  if (token.size() > 1 && token[0] == '+' && token[1] != '+' && token[1] != '-')
    token.remove_prefix(1);
  const char* end = token.data() + token.size();
  const auto [ptr, ec] = std::from_chars(token.data(), end, value);
  if (ptr != end || ec == std::errc::invalid_argument) return Reading::NotNumber;
  if (ec == std::errc::result_out_of_range) return Reading::OutOfRange;
  return std::isfinite(value) ? Reading::Number : Reading::NotFinite;
}

CurveError AtLine(std::size_t line, std::string reason) {
  return {static_cast<int>(line), "Riga " + std::to_string(line) + ": " + std::move(reason)};
}

}  // namespace

std::variant<CossCurve, CurveError> ReadCossCurve(std::string_view text, double Vj) {
  if (!(Vj > 0 && Vj <= kMax)) return CurveError{0, "Il potenziale Vj deve essere positivo."};
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a UTF-8 byte-order mark
  const auto breaks = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  if (breaks + (text.empty() || text.back() == '\n' ? 0 : 1) > kMaxCurveLines)
    return CurveError{0, "Il file contiene più di " + std::to_string(kMaxCurveLines) + " righe."};

  std::vector<double> volts, picofarads;
  std::string_view previous;  // the last Vds as written
  bool content = false;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t stop = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, stop - start);
    start = stop + 1;
    ++number;
    if (line.find('\0') != std::string_view::npos)
      return AtLine(number, "la riga contiene un carattere nullo.");
    if (line.ends_with('\r')) line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == '#') continue;

    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
      const std::size_t sep = line.find_first_of(",;\t", from);
      fields.push_back(Trim(line.substr(from, sep - from)));
      if (sep == std::string_view::npos) break;
      from = sep + 1;
    }
    std::array<double, 2> value{};
    if (!content) {
      content = true;
      const bool header = std::none_of(fields.begin(), fields.end(), [](auto f) {
        double ignored = 0;
        return ReadNumber(f, ignored) != Reading::NotNumber;
      });
      if (header) continue;
    }
    if (fields.size() != 2 || fields[0].empty() || fields[1].empty())
      return AtLine(number,
                    "servono due valori, Vds e Coss, separati da virgola, punto e virgola o "
                    "tabulazione (il separatore decimale è il punto).");
    for (std::size_t k = 0; k < 2; ++k) {
      const std::string shown = "\"" + Quoted(fields[k]) + "\"";
      switch (ReadNumber(fields[k], value[k])) {
        case Reading::Number:
          break;
        case Reading::NotNumber:
          return AtLine(number, shown + " non è un numero.");
        case Reading::NotFinite:
          return AtLine(number, shown + " non è un numero finito.");
        case Reading::OutOfRange:
          return AtLine(number, shown + " è fuori dall'intervallo dei numeri rappresentabili.");
      }
    }
    const auto [vds, coss] = value;
    const std::string order = " (" + Quoted(fields[0]) + " dopo " + Quoted(previous) + ").";
    if (vds < 0)
      return AtLine(number, "la tensione Vds non può essere negativa (" + Quoted(fields[0]) + ").");
    if (!volts.empty() && !(vds > volts.back()))
      return AtLine(number, "la tensione Vds deve crescere da una riga all'altra" + order);
    if (!(coss > 0))
      return AtLine(number, "la capacità Coss deve essere positiva (" + Quoted(fields[1]) + ").");
    if (coss < kMinPicofarads)
      return AtLine(number,
                    "la capacità Coss deve essere almeno 1e-6 pF (" + Quoted(fields[1]) + ").");
    if (!volts.empty() && !(Step(volts.back(), vds, Vj) >= kMinStep))
      return AtLine(number,
                    "la tensione Vds è troppo vicina a quella della riga precedente" + order);
    volts.push_back(vds);
    picofarads.push_back(coss);
    previous = fields[0];
  }
  if (volts.size() < 3)
    return CurveError{0, "La curva Coss deve avere almeno tre punti (il file ne contiene " +
                             std::to_string(volts.size()) + ")."};
  return CossCurve(std::move(volts), picofarads, Vj);
}

CossCurve::CossCurve(std::vector<double> v, const std::vector<double>& pF, double vj)
    : v_(std::move(v)), vj_(vj) {
  const std::size_t n = v_.size();
  for (std::size_t i = 0; i < n; ++i) {
    c_.push_back(pF[i] / kPerPico);
    x_.push_back(LogScale(v_[i], vj));
    y_.push_back(std::log(c_[i]));
  }
  std::vector<double> s(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    h_.push_back(Step(v_[i], v_[i + 1], vj));
    s[i] = (y_[i + 1] - y_[i]) / h_[i];
  }
  t_.resize(n);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double p = (s[i - 1] * h_[i] + s[i] * h_[i - 1]) / (h_[i - 1] + h_[i]);
    t_[i] = (Sign(s[i - 1]) + Sign(s[i])) *
            std::min({std::fabs(s[i - 1]), std::fabs(s[i]), 0.5 * std::fabs(p)});
  }
  const double w0 = h_[0] / (h_[0] + h_[1]);
  t_[0] = EndSlope(s[0], s[0] * (1 + w0) - s[1] * w0);
  const double wn = h_[n - 2] / (h_[n - 2] + h_[n - 3]);
  t_[n - 1] = EndSlope(s[n - 2], s[n - 2] * (1 + wn) - s[n - 3] * wn);
  sLow_ = std::min(t_[0], 0.0);
  sHigh_ = std::min(t_[n - 1], 0.0);

  // Sub-intervals short enough that log C + x, whose exponential the
  // quadrature sums, changes by at most 3 across each (Steffen's slopes are
  // at most twice the secant's: the relative error stays below 1e-20).
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const double change = 2 * std::fabs(y_[i + 1] - y_[i]) + h_[i];
    parts_.push_back(static_cast<int>(std::clamp(std::ceil(change / 3), 1.0, double{kMaxParts})));
  }
  q_.push_back(lowCharge(x_[0]));
  for (std::size_t i = 0; i + 1 < n; ++i)
    q_.push_back(Saturate(q_[i] + segmentCharge(i, h_[i])));

  vJoint_ = -kFC * vj;
  cJoint_ = std::max(Saturate(fromPoint(0, sLow_ * Step(v_[0], vJoint_, vj))), kMinC);
  slopeJoint_ = Saturate(cJoint_ * sLow_ / (vj + vJoint_));
  qJoint_ = lowCharge(LogScale(vJoint_, vj));
}

CossCurve::Local CossCurve::hermite(std::size_t i, double offset) const {
  const double h = h_[i];
  const double t = std::clamp(offset / h, 0.0, 1.0);
  const double u = 1 - t;
  const double dy = y_[i + 1] - y_[i];
  const double delta = t * t * (3 - 2 * t) * dy + h * t * u * (u * t_[i] - t * t_[i + 1]);
  const double slope = 6 * t * u * dy / h + u * (1 - 3 * t) * t_[i] + t * (3 * t - 2) * t_[i + 1];
  return {i, delta, slope};
}

CossCurve::Local CossCurve::local(double v) const {
  const std::size_t last = v_.size() - 1;
  if (v < v_.front()) return {0, sLow_ * Step(v_.front(), v, vj_), sLow_};
  if (v >= v_.back()) return {last, sHigh_ * Step(v_.back(), v, vj_), sHigh_};
  const auto i =
      static_cast<std::size_t>(std::upper_bound(v_.begin(), v_.end(), v) - v_.begin()) - 1;
  return hermite(i, Step(v_[i], v, vj_));
}

double CossCurve::fromPoint(std::size_t k, double delta) const {
  // e^delta stays near 1 close to the point, keeping every digit of C_k.
  return c_[k] * std::exp(delta);
}

double CossCurve::capacitance(double v) const {
  v = Saturate(v);
  if (v < vJoint_) return Saturate(cJoint_ + slopeJoint_ * (v - vJoint_));
  const Local at = local(v);
  return std::max(Saturate(fromPoint(at.k, at.delta)), kMinC);
}

double CossCurve::derivative(double v) const {
  v = Saturate(v);
  if (v < vJoint_) return slopeJoint_;
  // dC/dv = C · d(log C)/dx · dx/dv, dx/dv = 1/(Vj + v).
  return Saturate(capacitance(v) * local(v).slope / (vj_ + v));
}

double CossCurve::lowCharge(double x) const {
  // C = C₀·e^(s·(x − x₀)) and dv = Vj·eˣ dx, integrated from x = 0 (v = 0).
  const double scale = Saturate(vj_ * fromPoint(0, -sLow_ * x_[0]));
  return Saturate(scale * Saturate(ExpIntegral(sLow_ + 1, x)));
}

double CossCurve::segmentCharge(std::size_t i, double offset) const {
  const int parts =
      std::max(1, static_cast<int>(std::ceil(parts_[i] * std::clamp(offset / h_[i], 0.0, 1.0))));
  const double width = offset / parts;
  // dv = (Vj + vᵢ)·e^o do, o = x − xᵢ.
  double sum = 0;
  for (int k = 0; k < parts; ++k) {
    const double mid = (k + 0.5) * width;
    for (std::size_t j = 0; j < kNodes.size(); ++j) {
      for (const double o : {mid - 0.5 * width * kNodes[j], mid + 0.5 * width * kNodes[j]})
        sum += kWeights[j] * fromPoint(i, hermite(i, o).delta + o);
    }
  }
  return Saturate((vj_ + v_[i]) * (0.5 * width * sum));
}

double CossCurve::charge(double v) const {
  v = Saturate(v);
  if (v < vJoint_) {
    const double d = v - vJoint_;
    return Saturate(qJoint_ + d * Saturate(cJoint_ + 0.5 * slopeJoint_ * d));
  }
  if (v < v_.front()) return lowCharge(LogScale(v, vj_));
  const std::size_t last = v_.size() - 1;
  if (v > v_.back()) {
    const double scale = Saturate(fromPoint(last, 0) * (vj_ + v_[last]));
    const double E = Saturate(ExpIntegral(sHigh_ + 1, Step(v_[last], v, vj_)));
    return Saturate(q_[last] + scale * E);
  }
  const auto i =
      static_cast<std::size_t>(std::upper_bound(v_.begin(), v_.end(), v) - v_.begin()) - 1;
  if (v == v_[i]) return q_[i];
  return Saturate(q_[i] + segmentCharge(i, Step(v_[i], v, vj_)));
}

CossModel::CossModel() : law_(Constant{0.0}) {}
CossModel::CossModel(Junction junction) : law_(std::move(junction)) {}
CossModel::CossModel(CossCurve curve) : law_(std::move(curve)) {}

CossModel CossModel::Linear(double C) {
  CossModel model;
  model.law_ = Constant{C >= 0 && C <= kMax ? C : 0.0};
  return model;
}

CossModel CossModel::Scaled(double k) const {
  CossModel model = *this;
  model.scale_ = scale_ * k;
  return model;
}

double CossModel::capacitance(double v) const {
  return scale_ * std::visit([v](const auto& law) { return law.capacitance(v); }, law_);
}
double CossModel::derivative(double v) const {
  return scale_ * std::visit([v](const auto& law) { return law.derivative(v); }, law_);
}
double CossModel::charge(double v) const {
  return scale_ * std::visit([v](const auto& law) { return law.charge(v); }, law_);
}

std::optional<SpiceDiodeParams> CossModel::spice() const {
  std::optional<SpiceDiodeParams> params;
  if (const auto* j = std::get_if<Junction>(&law_)) params = j->spice();
  if (const auto* c = std::get_if<Constant>(&law_)) params = SpiceDiodeParams{c->C, 1.0, 0.0};
  if (params) params->CJO *= scale_;
  return params;
}

}  // namespace classe::transistor
