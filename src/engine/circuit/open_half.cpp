// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/open_half.h"

#include <cvodes/cvodes.h>
#include <nvector/nvector_serial.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunmatrix/sunmatrix_dense.h>

#include <cmath>

#include "engine/circuit/orbit.h"
#include "engine/transistor/junction.h"

namespace classe::circuit {
namespace {

// Relative tolerance of every integration: the steady state and the design
// come out to about ten digits, far below what any figure shows.
constexpr double kRelTol = 1e-9;
// Absolute tolerances, as fractions of Vcc for voltages and of Vcc/R for
// currents.
constexpr double kAbsTol = 1e-10;
constexpr long kMaxSteps = 200000;

// The quadratures: the upper triangle of z·zᵀ, then the diode's energy.
template <int n>
constexpr int kMoments = (n + 1) * (n + 2) / 2;

template <int n>
using State = typename OpenHalf<n>::State;

template <int n>
State<n> FromVector(N_Vector v) {
  return Eigen::Map<const State<n>>(N_VGetArrayPointer(v));
}

template <int n>
void ToVector(const State<n>& x, N_Vector v) {
  Eigen::Map<State<n>>(N_VGetArrayPointer(v)) = x;
}

// CVODES' error messages are for programmers: the caller gets a Failure.
void Silent(int, const char*, const char*, char*, void*) {}

}  // namespace

template <int n>
struct OpenHalf<n>::Solver {
  SUNContext context = nullptr;
  Solver() { SUNContext_Create(nullptr, &context); }
  ~Solver() { SUNContext_Free(&context); }
};

// One integration's memory, freed whatever way the integration ends.
template <int n>
class Run {
 public:
  Run(OpenHalf<n>& half, SUNContext context, const State<n>& x0, const State<n>& scale)
      : y_(N_VNew_Serial(n, context)), tol_(N_VNew_Serial(n, context)) {
    ToVector<n>(x0, y_);
    ToVector<n>(State<n>(kAbsTol * scale), tol_);
    memory_ = CVodeCreate(CV_ADAMS, context);
    matrix_ = SUNDenseMatrix(n, n, context);
    solver_ = SUNLinSol_Dense(y_, matrix_, context);
    ok_ = memory_ && matrix_ && solver_ && CVodeInit(memory_, Rhs, 0.0, y_) == CV_SUCCESS &&
          CVodeSetErrHandlerFn(memory_, Silent, nullptr) == CV_SUCCESS &&
          CVodeSetUserData(memory_, &half) == CV_SUCCESS &&
          CVodeSVtolerances(memory_, kRelTol, tol_) == CV_SUCCESS &&
          CVodeSetLinearSolver(memory_, solver_, matrix_) == CV_SUCCESS &&
          CVodeSetJacFn(memory_, Jac) == CV_SUCCESS &&
          CVodeSetMaxNumSteps(memory_, kMaxSteps) == CV_SUCCESS &&
          CVodeSetStopTime(memory_, kHalfPeriod) == CV_SUCCESS;
  }
  ~Run() {
    if (sens_) N_VDestroyVectorArray(sens_, n);
    if (quad_) N_VDestroy(quad_);
    if (quadTol_) N_VDestroy(quadTol_);
    CVodeFree(&memory_);
    if (solver_) SUNLinSolFree(solver_);
    if (matrix_) SUNMatDestroy(matrix_);
    N_VDestroy(tol_);
    N_VDestroy(y_);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  bool ok() const { return ok_; }
  void* memory() const { return memory_; }
  N_Vector y() const { return y_; }

  // The variational equations from the identity.
  bool WithSensitivities() {
    sens_ = N_VCloneVectorArray(n, y_);
    if (!sens_) return false;
    for (int i = 0; i < n; ++i) {
      N_VConst(0.0, sens_[i]);
      NV_Ith_S(sens_[i], i) = 1.0;
    }
    return CVodeSensInit(memory_, n, CV_STAGGERED, SensRhs, sens_) == CV_SUCCESS &&
           CVodeSensEEtolerances(memory_) == CV_SUCCESS &&
           CVodeSetSensErrCon(memory_, SUNFALSE) == CV_SUCCESS;
  }
  N_Vector* sensitivities() const { return sens_; }

  // The moments and the diode's energy, under error control with tolerances
  // of the products' own scales.
  bool WithQuadratures(SUNContext context, const State<n>& scale) {
    quad_ = N_VNew_Serial(kMoments<n> + 1, context);
    quadTol_ = N_VNew_Serial(kMoments<n> + 1, context);
    if (!quad_ || !quadTol_) return false;
    N_VConst(0.0, quad_);
    Eigen::Matrix<double, n + 1, 1> s;
    s << scale, 1.0;
    int k = 0;
    for (int i = 0; i <= n; ++i)
      for (int j = i; j <= n; ++j)
        NV_Ith_S(quadTol_, k++) = kAbsTol * s(i) * s(j);
    NV_Ith_S(quadTol_, k) = kAbsTol * scale(kVD) * scale(kIL1);
    return CVodeQuadInit(memory_, QuadRhs, quad_) == CV_SUCCESS &&
           CVodeQuadSVtolerances(memory_, kRelTol, quadTol_) == CV_SUCCESS &&
           CVodeSetQuadErrCon(memory_, SUNFALSE) == CV_SUCCESS;
  }
  N_Vector quadratures() const { return quad_; }

  // Stops at every maximum of the drain voltage (its slope falling through 0).
  bool WithPeaks() {
    int direction = -1;
    return CVodeRootInit(memory_, 1, Slope) == CV_SUCCESS &&
           CVodeSetRootDirection(memory_, &direction) == CV_SUCCESS &&
           CVodeSetNoInactiveRootWarn(memory_) == CV_SUCCESS;
  }

 private:
  static OpenHalf<n>& Of(void* data) { return *static_cast<OpenHalf<n>*>(data); }

  static int Rhs(sunrealtype, N_Vector y, N_Vector ydot, void* data) {
    const State<n> x = FromVector<n>(y);
    const State<n> r = Of(data).Rate(x);
    if (!r.allFinite()) return 1;  // recoverable: CVODES retries a smaller step
    ToVector<n>(r, ydot);
    return 0;
  }

  static int Jac(sunrealtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector,
                 N_Vector) {
    const typename OpenHalf<n>::Square A = Of(data).Jacobian(FromVector<n>(y));
    if (!A.allFinite()) return 1;
    for (int i = 0; i < n; ++i)
      for (int j = 0; j < n; ++j)
        SM_ELEMENT_D(J, i, j) = A(i, j);
    return 0;
  }

  static int SensRhs(int, sunrealtype, N_Vector y, N_Vector, N_Vector* yS, N_Vector* ySdot,
                     void* data, N_Vector, N_Vector) {
    const typename OpenHalf<n>::Square A = Of(data).Jacobian(FromVector<n>(y));
    if (!A.allFinite()) return 1;
    for (int k = 0; k < n; ++k)
      ToVector<n>(A * FromVector<n>(yS[k]), ySdot[k]);
    return 0;
  }

  static int QuadRhs(sunrealtype, N_Vector y, N_Vector q, void*) {
    Eigen::Matrix<double, n + 1, 1> z;
    z << FromVector<n>(y), 1.0;
    int k = 0;
    for (int i = 0; i <= n; ++i)
      for (int j = i; j <= n; ++j)
        NV_Ith_S(q, k++) = z(i) * z(j);
    const double v = z(kVD);
    NV_Ith_S(q, k) = -v * transistor::DiodeCurrent(v);
    return 0;
  }

  static int Slope(sunrealtype, N_Vector y, sunrealtype* g, void* data) {
    g[0] = Of(data).Rate(FromVector<n>(y))(kVD);
    return 0;
  }

  N_Vector y_;
  N_Vector tol_;
  void* memory_ = nullptr;
  SUNMatrix matrix_ = nullptr;
  SUNLinearSolver solver_ = nullptr;
  N_Vector* sens_ = nullptr;
  N_Vector quad_ = nullptr;
  N_Vector quadTol_ = nullptr;
  bool ok_ = false;
};

namespace {

Failure IntegrationFailed(int flag) {
  return {FailureKind::NonFinite,
          "Errore di calcolo: l'integrazione del semiperiodo con l'interruttore aperto non è "
          "riuscita (CVODES " +
              std::to_string(flag) + ")."};
}

}  // namespace

template <int n>
OpenHalf<n>::OpenHalf(const Stage& stage, const StateSpace<n>& model, double modelC1)
    : stage_(stage),
      open_(model.open),
      omega_(stage.omega),
      C1_(modelC1),
      solver_(std::make_unique<Solver>()) {}

template <int n>
OpenHalf<n>::~OpenHalf() = default;

template <int n>
auto OpenHalf<n>::Rate(const State& x) const -> State {
  Eigen::Matrix<double, n + 1, 1> z;
  z << x, 1.0;
  State r = (open_ * z).template head<n>();
  const double v = x(kVD);
  const double C = stage_.C1At(v);
  // A drain capacitance that vanishes is no circuit: CVODES backs off.
  if (!(C > 0)) return State::Constant(std::nan(""));
  r(kVD) = (r(kVD) * C1_ + transistor::DiodeCurrent(v) / omega_) / C;
  return r;
}

template <int n>
auto OpenHalf<n>::Jacobian(const State& x) const -> Square {
  Square J = open_.template topLeftCorner<n, n>();
  Eigen::Matrix<double, n + 1, 1> z;
  z << x, 1.0;
  const double v = x(kVD);
  const double C = stage_.C1At(v);
  const double dC = stage_.transistor ? stage_.transistor->coss.derivative(v) : 0.0;
  const double flow = open_.row(kVD).dot(z) * C1_ + transistor::DiodeCurrent(v) / omega_;
  J.row(kVD) *= C1_ / C;
  J(kVD, kVD) += transistor::DiodeConductance(v) / (omega_ * C) - flow * dC / (C * C);
  return J;
}

template <int n>
auto OpenHalf<n>::End(const State& x0) -> Result<State> {
  Run<n> run(*this, solver_->context, x0, StateScale<n>(stage_));
  if (!run.ok()) return IntegrationFailed(-1);
  sunrealtype t = 0;
  const int flag = CVode(run.memory(), kHalfPeriod, run.y(), &t, CV_NORMAL);
  if (flag < 0) return IntegrationFailed(flag);
  const State end = FromVector<n>(run.y());
  if (!end.allFinite()) return IntegrationFailed(-3);
  return end;
}

template <int n>
auto OpenHalf<n>::Shoot(const State& x0) -> Result<Shot> {
  Run<n> run(*this, solver_->context, x0, StateScale<n>(stage_));
  if (!run.ok() || !run.WithSensitivities()) return IntegrationFailed(-1);
  sunrealtype t = 0;
  const int flag = CVode(run.memory(), kHalfPeriod, run.y(), &t, CV_NORMAL);
  if (flag < 0) return IntegrationFailed(flag);
  if (CVodeGetSens(run.memory(), &t, run.sensitivities()) != CV_SUCCESS)
    return IntegrationFailed(-2);
  Shot shot;
  shot.end = FromVector<n>(run.y());
  for (int k = 0; k < n; ++k)
    shot.monodromy.col(k) = FromVector<n>(run.sensitivities()[k]);
  if (!shot.end.allFinite() || !shot.monodromy.allFinite()) return IntegrationFailed(-3);
  return shot;
}

template <int n>
auto OpenHalf<n>::Follow(const State& x0, std::span<const double> angles) -> Result<Trace> {
  const State scale = StateScale<n>(stage_);
  Run<n> run(*this, solver_->context, x0, scale);
  if (!run.ok() || !run.WithQuadratures(solver_->context, scale) || !run.WithPeaks())
    return IntegrationFailed(-1);
  Trace trace;
  trace.at.reserve(angles.size());
  sunrealtype t = 0;
  const auto advance = [&](double to) -> int {
    while (t < to) {
      const int flag = CVode(run.memory(), to, run.y(), &t, CV_NORMAL);
      if (flag < 0) return flag;
      if (flag == CV_ROOT_RETURN) {
        trace.peakTeta.push_back(t);
        trace.peakState.push_back(FromVector<n>(run.y()));
      }
    }
    return 0;
  };
  for (double angle : angles) {
    if (angle <= 0) {
      trace.at.push_back(x0);
      continue;
    }
    if (const int flag = advance(std::min(angle, kHalfPeriod)); flag < 0)
      return IntegrationFailed(flag);
    trace.at.push_back(FromVector<n>(run.y()));
  }
  if (const int flag = advance(kHalfPeriod); flag < 0) return IntegrationFailed(flag);
  if (CVodeGetQuad(run.memory(), &t, run.quadratures()) != CV_SUCCESS) return IntegrationFailed(-2);
  int k = 0;
  for (int i = 0; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      trace.moment(i, j) = NV_Ith_S(run.quadratures(), k++);
      trace.moment(j, i) = trace.moment(i, j);
    }
  trace.moment(n, n) = kHalfPeriod;
  trace.diodeEnergy = NV_Ith_S(run.quadratures(), k);
  if (!trace.moment.allFinite() || !std::isfinite(trace.diodeEnergy)) return IntegrationFailed(-3);
  return trace;
}

template class OpenHalf<4>;
template class OpenHalf<5>;
template class OpenHalf<6>;

}  // namespace classe::circuit
