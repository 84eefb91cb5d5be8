// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/open_half.h"

#include <cvodes/cvodes.h>
#include <nvector/nvector_serial.h>
#include <sunmatrix/sunmatrix_dense.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "engine/circuit/cvodes_kernels.h"
#include "engine/circuit/orbit.h"
#include "engine/circuit/step_budget.h"
#include "engine/transistor/junction.h"

namespace classe::circuit {
namespace {

// Relative tolerance of every integration: the steady state and the design
// come out to about ten digits, far below what any figure shows.
constexpr double kRelTol = 1e-9;
// Absolute tolerances, as fractions of Vcc for voltages and of Vcc/R for
// currents.
constexpr double kAbsTol = 1e-10;
// One half period's steps: a few hundred with a junction.
constexpr long kMaxSteps = 50000;

// The quadratures: the upper triangle of z·zᵀ, then the diode's energy.
template <int n>
constexpr int kMoments = (n + 1) * (n + 2) / 2;

template <int n>
using State = typename OpenHalf<n>::State;
template <int n>
using Square = typename OpenHalf<n>::Square;

template <int n>
Eigen::Map<const State<n>> View(N_Vector v, int at = 0) {
  return Eigen::Map<const State<n>>(N_VGetArrayPointer(v) + at);
}

template <int n>
Eigen::Map<State<n>> Write(N_Vector v, int at = 0) {
  return Eigen::Map<State<n>>(N_VGetArrayPointer(v) + at);
}

// CVODES' error messages are for programmers: the caller gets a Failure.
void Silent(int, const char*, const char*, char*, void*) {}

// The callbacks' data is the integrator's slot for the half it runs: CVODES
// copies the pointer into its linear solver module once, when it is set up.
template <int n>
const OpenHalf<n>& Of(void* data) {
  return **static_cast<const OpenHalf<n>* const*>(data);
}

// One CVODES memory, its vectors and its linear solver, made once a thread
// and re-initialised for every half period: on four to six states making
// them costs as much as the integration.
//
// With `variational` the state is x followed by the columns of ∂x/∂x(0),
// each obeying d/dteta S = J(x)·S: one vector of n + n² entries, under the
// same error control as x, costs CVODES far less than n forward
// sensitivities of n entries each, whose bookkeeping is per vector. The
// Newton matrix is I − γ·J(x) on every diagonal block (the second
// derivatives coupling S to x left out, as a modified Newton allows), so
// the solver factors the one n × n block.
//
// `measured` ones also carry the quadratures (outside the error control) and
// stop at the drain's maxima.
template <int n, bool variational, bool measured>
class Integrator {
 public:
  static constexpr int kSize = variational ? n + n * n : n;

  Integrator() {
    if (SUNContext_Create(nullptr, &context_) != 0) return;
    y_ = N_VNew_Serial(kSize, context_);
    tol_ = N_VNew_Serial(kSize, context_);
    memory_ = CVodeCreate(CV_ADAMS, context_);
    matrix_ = SUNDenseMatrix(n, n, context_);
    if (!y_ || !tol_ || !memory_ || !matrix_) return;
    // Before CVodeInit, which clones its work vectors from y.
    UseLocalKernels(y_);
    UseLocalKernels(tol_);
    N_VConst(0.0, y_);
    N_VConst(1.0, tol_);
    solver_ = BlockDiagonalSolver(context_, n);
    if (!solver_) return;
    ok_ = CVodeInit(memory_, Rhs, 0.0, y_) == CV_SUCCESS &&
          CVodeSetErrHandlerFn(memory_, Silent, nullptr) == CV_SUCCESS &&
          CVodeSetUserData(memory_, &half_) == CV_SUCCESS &&
          CVodeSVtolerances(memory_, kRelTol, tol_) == CV_SUCCESS &&
          CVodeSetLinearSolver(memory_, solver_, matrix_) == CV_SUCCESS &&
          CVodeSetJacFn(memory_, Jac) == CV_SUCCESS &&
          CVodeSetMaxNumSteps(memory_, kMaxSteps) == CV_SUCCESS;
    if (ok_ && measured) {
      quad_ = N_VNew_Serial(kMoments<n> + 1, context_);
      if (!quad_) {
        ok_ = false;
        return;
      }
      UseLocalKernels(quad_);
      N_VConst(0.0, quad_);
      // Outside the error control, the quadratures need no tolerances of
      // their own: the steps the state takes keep them to its accuracy.
      int direction = -1;
      ok_ = CVodeQuadInit(memory_, QuadRhs, quad_) == CV_SUCCESS &&
            CVodeSetQuadErrCon(memory_, SUNFALSE) == CV_SUCCESS &&
            CVodeRootInit(memory_, 1, Slope) == CV_SUCCESS &&
            CVodeSetRootDirection(memory_, &direction) == CV_SUCCESS &&
            CVodeSetNoInactiveRootWarn(memory_) == CV_SUCCESS;
    }
  }
  ~Integrator() {
    if (quad_) N_VDestroy(quad_);
    CVodeFree(&memory_);
    if (solver_) SUNLinSolFree(solver_);
    if (matrix_) SUNMatDestroy(matrix_);
    if (tol_) N_VDestroy(tol_);
    if (y_) N_VDestroy(y_);
    if (context_) SUNContext_Free(&context_);
  }
  Integrator(const Integrator&) = delete;
  Integrator& operator=(const Integrator&) = delete;

  // A new motion of `half` from x0 (and ∂x/∂x(0) from the identity).
  bool Start(const OpenHalf<n>& half, const State<n>& x0, const State<n>& absTol) {
    if (!ok_) return false;
    half_ = &half;
    Write<n>(y_) = x0;
    Write<n>(tol_) = absTol;
    if constexpr (variational) {
      // Column k of S is measured as state i against state k: the tolerance
      // of entry (i, k) is state i's over state k's scale.
      for (int k = 0; k < n; ++k) {
        Write<n>(y_, n + k * n) = State<n>::Unit(k);
        Write<n>(tol_, n + k * n) = absTol / (absTol(k) / kAbsTol);
      }
    }
    budgeted_ = StepBudget::Left() < kMaxSteps;
    if (CVodeReInit(memory_, 0.0, y_) != CV_SUCCESS ||
        CVodeSetMaxNumSteps(memory_, budgeted_ ? std::max(1L, StepBudget::Left()) : kMaxSteps) !=
            CV_SUCCESS ||
        CVodeSVtolerances(memory_, kRelTol, tol_) != CV_SUCCESS ||
        CVodeSetStopTime(memory_, kHalfPeriod) != CV_SUCCESS)
      return false;
    if (quad_) {
      N_VConst(0.0, quad_);
      if (CVodeQuadReInit(memory_, quad_) != CV_SUCCESS) return false;
    }
    return true;
  }

  // The steps of this motion, charged to the budget; false when they were
  // all it had left (CVODES stopped at its limit).
  bool Charge(int flag) {
    long steps = 0;
    CVodeGetNumSteps(memory_, &steps);
    StepBudget::Spend(steps);
    return !(budgeted_ && flag == CV_TOO_MUCH_WORK);
  }

  void* memory() const { return memory_; }
  N_Vector y() const { return y_; }
  N_Vector quadratures() const { return quad_; }
  State<n> x() const { return View<n>(y_); }
  Square<n> Monodromy() const {
    Square<n> m;
    for (int k = 0; k < n; ++k)
      m.col(k) = View<n>(y_, n + k * n);
    return m;
  }

 private:
  static int Rhs(sunrealtype, N_Vector y, N_Vector ydot, void* data) {
    const OpenHalf<n>& half = Of<n>(data);
    const State<n> x = View<n>(y);
    const State<n> r = half.Rate(x);
    if (!r.allFinite()) return 1;  // recoverable: CVODES retries a smaller step
    Write<n>(ydot) = r;
    if constexpr (variational) {
      const Square<n> A = half.Jacobian(x);
      if (!A.allFinite()) return 1;
      for (int k = 0; k < n; ++k)
        Write<n>(ydot, n + k * n) = A * View<n>(y, n + k * n);
    }
    return 0;
  }

  static int Jac(sunrealtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector,
                 N_Vector) {
    const Square<n> A = Of<n>(data).Jacobian(View<n>(y));
    if (!A.allFinite()) return 1;
    // The one block; dense storage is column-major, as Eigen's.
    Eigen::Map<Square<n>>(SM_DATA_D(J)) = A;
    return 0;
  }

  static int QuadRhs(sunrealtype, N_Vector y, N_Vector q, void*) {
    Eigen::Matrix<double, n + 1, 1> z;
    z << View<n>(y), 1.0;
    double* out = N_VGetArrayPointer(q);
    int k = 0;
    for (int i = 0; i <= n; ++i)
      for (int j = i; j <= n; ++j)
        out[k++] = z(i) * z(j);
    const double v = z(kVD);
    out[k] = -v * transistor::DiodeCurrent(v);
    return 0;
  }

  static int Slope(sunrealtype, N_Vector y, sunrealtype* g, void* data) {
    g[0] = Of<n>(data).Rate(View<n>(y))(kVD);
    return 0;
  }

  const OpenHalf<n>* half_ = nullptr;
  SUNContext context_ = nullptr;
  N_Vector y_ = nullptr;
  N_Vector tol_ = nullptr;
  void* memory_ = nullptr;
  SUNMatrix matrix_ = nullptr;
  SUNLinearSolver solver_ = nullptr;
  N_Vector quad_ = nullptr;
  bool ok_ = false;
  bool budgeted_ = false;  // this motion's step limit is the budget's
};

// This thread's integrators, one for each kind of run: the quadratures and
// root-finding cost on every step, and the variational equations more.
template <int n, bool variational, bool measured>
Integrator<n, variational, measured>& ThisThreads() {
  thread_local Integrator<n, variational, measured> integrator;
  return integrator;
}

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
      absTol_(kAbsTol * StateScale<n>(stage)) {}

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
auto OpenHalf<n>::End(const State& x0) const -> Result<State> {
  auto& run = ThisThreads<n, false, false>();
  if (!run.Start(*this, x0, absTol_)) return IntegrationFailed(-1);
  sunrealtype t = 0;
  const int flag = CVode(run.memory(), kHalfPeriod, run.y(), &t, CV_NORMAL);
  if (!run.Charge(flag)) return StepBudgetSpent();
  if (flag < 0) return IntegrationFailed(flag);
  const State end = run.x();
  if (!end.allFinite()) return IntegrationFailed(-3);
  return end;
}

template <int n>
auto OpenHalf<n>::Shoot(const State& x0) const -> Result<Shot> {
  auto& run = ThisThreads<n, true, false>();
  if (!run.Start(*this, x0, absTol_)) return IntegrationFailed(-1);
  sunrealtype t = 0;
  const int flag = CVode(run.memory(), kHalfPeriod, run.y(), &t, CV_NORMAL);
  if (!run.Charge(flag)) return StepBudgetSpent();
  if (flag < 0) return IntegrationFailed(flag);
  Shot shot{run.x(), run.Monodromy()};
  if (!shot.end.allFinite() || !shot.monodromy.allFinite()) return IntegrationFailed(-3);
  return shot;
}

template <int n>
template <bool variational>
auto OpenHalf<n>::Traced(const State& x0, std::span<const double> angles) const -> Result<Trace> {
  auto& run = ThisThreads<n, variational, true>();
  if (!run.Start(*this, x0, absTol_)) return IntegrationFailed(-1);
  Trace trace;
  trace.at.reserve(angles.size());
  sunrealtype t = 0;
  const auto advance = [&](double to) -> int {
    while (t < to) {
      const int flag = CVode(run.memory(), to, run.y(), &t, CV_NORMAL);
      if (flag < 0) return flag;
      if (flag == CV_ROOT_RETURN) {
        trace.peakTeta.push_back(t);
        trace.peakState.push_back(run.x());
      }
    }
    return 0;
  };
  const auto failed = [&](int flag) {
    return run.Charge(flag) ? IntegrationFailed(flag) : StepBudgetSpent();
  };
  for (double angle : angles) {
    if (angle <= 0) {
      trace.at.push_back(x0);
      continue;
    }
    if (const int flag = advance(std::min(angle, kHalfPeriod)); flag < 0) return failed(flag);
    trace.at.push_back(run.x());
  }
  if (const int flag = advance(kHalfPeriod); flag < 0) return failed(flag);
  run.Charge(0);
  if (CVodeGetQuad(run.memory(), &t, run.quadratures()) != CV_SUCCESS) return IntegrationFailed(-2);
  const double* q = N_VGetArrayPointer(run.quadratures());
  int k = 0;
  for (int i = 0; i <= n; ++i)
    for (int j = i; j <= n; ++j) {
      trace.moment(i, j) = q[k++];
      trace.moment(j, i) = trace.moment(i, j);
    }
  trace.moment(n, n) = kHalfPeriod;
  trace.diodeEnergy = q[k];
  if constexpr (variational) trace.monodromy = run.Monodromy();
  if (!trace.moment.allFinite() || !std::isfinite(trace.diodeEnergy) ||
      !trace.monodromy.allFinite())
    return IntegrationFailed(-3);
  return trace;
}

template <int n>
auto OpenHalf<n>::Follow(const State& x0, std::span<const double> angles, bool variational) const
    -> Result<Trace> {
  return variational ? Traced<true>(x0, angles) : Traced<false>(x0, angles);
}

template class OpenHalf<4>;
template class OpenHalf<5>;
template class OpenHalf<6>;

}  // namespace classe::circuit
