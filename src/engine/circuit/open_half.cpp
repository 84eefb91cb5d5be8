// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/open_half.h"

#include <cvodes/cvodes.h>
#include <nvector/nvector_serial.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunmatrix/sunmatrix_dense.h>

#include <cmath>
#include <memory>
#include <string>

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
using Square = typename OpenHalf<n>::Square;

template <int n>
Eigen::Map<const State<n>> View(N_Vector v) {
  return Eigen::Map<const State<n>>(N_VGetArrayPointer(v));
}

template <int n>
Eigen::Map<State<n>> Write(N_Vector v) {
  return Eigen::Map<State<n>>(N_VGetArrayPointer(v));
}

// CVODES' error messages are for programmers: the caller gets a Failure.
void Silent(int, const char*, const char*, char*, void*) {}

// The callbacks' data is the integrator's slot for the half it runs: CVODES
// copies the pointer into its sensitivity and linear solver modules once,
// when they are set up.
template <int n>
const OpenHalf<n>& Of(void* data) {
  return **static_cast<const OpenHalf<n>* const*>(data);
}

template <int n>
int Rhs(sunrealtype, N_Vector y, N_Vector ydot, void* data) {
  const State<n> r = Of<n>(data).Rate(View<n>(y));
  if (!r.allFinite()) return 1;  // recoverable: CVODES retries a smaller step
  Write<n>(ydot) = r;
  return 0;
}

template <int n>
int Jac(sunrealtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector, N_Vector) {
  const Square<n> A = Of<n>(data).Jacobian(View<n>(y));
  if (!A.allFinite()) return 1;
  // The dense matrix is column-major, as Eigen's.
  Eigen::Map<Square<n>>(SM_DATA_D(J)) = A;
  return 0;
}

template <int n>
int SensRhs(int, sunrealtype, N_Vector y, N_Vector, N_Vector* yS, N_Vector* ySdot, void* data,
            N_Vector, N_Vector) {
  const Square<n> A = Of<n>(data).Jacobian(View<n>(y));
  if (!A.allFinite()) return 1;
  for (int k = 0; k < n; ++k)
    Write<n>(ySdot[k]) = A * View<n>(yS[k]);
  return 0;
}

template <int n>
int QuadRhs(sunrealtype, N_Vector y, N_Vector q, void*) {
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

template <int n>
int Slope(sunrealtype, N_Vector y, sunrealtype* g, void* data) {
  g[0] = Of<n>(data).Rate(View<n>(y))(kVD);
  return 0;
}

// One CVODES memory, its vectors and its dense solver, made once a thread
// and re-initialised for every half period: on four to six states making
// them cost more than the integration. `measured` ones also carry the
// quadratures and stop at the drain's maxima.
template <int n>
class Integrator {
 public:
  explicit Integrator(bool measured) {
    if (SUNContext_Create(nullptr, &context_) != 0) return;
    y_ = N_VNew_Serial(n, context_);
    tol_ = N_VNew_Serial(n, context_);
    memory_ = CVodeCreate(CV_ADAMS, context_);
    matrix_ = SUNDenseMatrix(n, n, context_);
    if (!y_ || !tol_ || !memory_ || !matrix_) return;
    N_VConst(0.0, y_);
    N_VConst(1.0, tol_);
    solver_ = SUNLinSol_Dense(y_, matrix_, context_);
    sens_ = N_VCloneVectorArray(n, y_);
    if (!solver_ || !sens_) return;
    SetIdentity();
    ok_ = CVodeInit(memory_, Rhs<n>, 0.0, y_) == CV_SUCCESS &&
          CVodeSetErrHandlerFn(memory_, Silent, nullptr) == CV_SUCCESS &&
          CVodeSetUserData(memory_, &half_) == CV_SUCCESS &&
          CVodeSVtolerances(memory_, kRelTol, tol_) == CV_SUCCESS &&
          CVodeSetLinearSolver(memory_, solver_, matrix_) == CV_SUCCESS &&
          CVodeSetJacFn(memory_, Jac<n>) == CV_SUCCESS &&
          CVodeSetMaxNumSteps(memory_, kMaxSteps) == CV_SUCCESS &&
          CVodeSensInit(memory_, n, CV_STAGGERED, SensRhs<n>, sens_) == CV_SUCCESS &&
          CVodeSensEEtolerances(memory_) == CV_SUCCESS &&
          CVodeSetSensErrCon(memory_, SUNFALSE) == CV_SUCCESS &&
          CVodeSensToggleOff(memory_) == CV_SUCCESS;
    if (ok_ && measured) {
      quad_ = N_VNew_Serial(kMoments<n> + 1, context_);
      if (!quad_) {
        ok_ = false;
        return;
      }
      N_VConst(0.0, quad_);
      // Outside the error control, the quadratures need no tolerances of
      // their own; the steps the state takes keep them to its accuracy.
      int direction = -1;
      ok_ = CVodeQuadInit(memory_, QuadRhs<n>, quad_) == CV_SUCCESS &&
            CVodeSetQuadErrCon(memory_, SUNFALSE) == CV_SUCCESS &&
            CVodeRootInit(memory_, 1, Slope<n>) == CV_SUCCESS &&
            CVodeSetRootDirection(memory_, &direction) == CV_SUCCESS &&
            CVodeSetNoInactiveRootWarn(memory_) == CV_SUCCESS;
    }
  }
  ~Integrator() {
    if (quad_) N_VDestroy(quad_);
    if (sens_) N_VDestroyVectorArray(sens_, n);
    CVodeFree(&memory_);
    if (solver_) SUNLinSolFree(solver_);
    if (matrix_) SUNMatDestroy(matrix_);
    if (tol_) N_VDestroy(tol_);
    if (y_) N_VDestroy(y_);
    if (context_) SUNContext_Free(&context_);
  }
  Integrator(const Integrator&) = delete;
  Integrator& operator=(const Integrator&) = delete;

  // A new motion of `half` from x0, with the variational equations from the
  // identity when asked.
  bool Start(const OpenHalf<n>& half, const State<n>& x0, const State<n>& absTol,
             bool variational) {
    if (!ok_) return false;
    half_ = &half;
    Write<n>(y_) = x0;
    Write<n>(tol_) = absTol;
    if (CVodeReInit(memory_, 0.0, y_) != CV_SUCCESS ||
        CVodeSVtolerances(memory_, kRelTol, tol_) != CV_SUCCESS ||
        CVodeSetStopTime(memory_, kHalfPeriod) != CV_SUCCESS)
      return false;
    if (quad_) {
      N_VConst(0.0, quad_);
      if (CVodeQuadReInit(memory_, quad_) != CV_SUCCESS) return false;
    }
    if (variational) {
      SetIdentity();
      return CVodeSensReInit(memory_, CV_STAGGERED, sens_) == CV_SUCCESS;
    }
    return CVodeSensToggleOff(memory_) == CV_SUCCESS;
  }

  void* memory() const { return memory_; }
  N_Vector y() const { return y_; }
  N_Vector* sensitivities() const { return sens_; }
  N_Vector quadratures() const { return quad_; }

 private:
  void SetIdentity() {
    for (int k = 0; k < n; ++k) {
      N_VConst(0.0, sens_[k]);
      NV_Ith_S(sens_[k], k) = 1.0;
    }
  }

  const OpenHalf<n>* half_ = nullptr;
  SUNContext context_ = nullptr;
  N_Vector y_ = nullptr;
  N_Vector tol_ = nullptr;
  void* memory_ = nullptr;
  SUNMatrix matrix_ = nullptr;
  SUNLinearSolver solver_ = nullptr;
  N_Vector* sens_ = nullptr;
  N_Vector quad_ = nullptr;
  bool ok_ = false;
};

// This thread's integrators: one for x(π) and its matrix, one for the
// measured motion (the quadratures and root-finding cost on every step).
template <int n>
Integrator<n>& Plain() {
  thread_local Integrator<n> integrator(false);
  return integrator;
}
template <int n>
Integrator<n>& Measured() {
  thread_local Integrator<n> integrator(true);
  return integrator;
}

Failure IntegrationFailed(int flag) {
  return {FailureKind::NonFinite,
          "Errore di calcolo: l'integrazione del semiperiodo con l'interruttore aperto non è "
          "riuscita (CVODES " +
              std::to_string(flag) + ")."};
}

template <int n>
Square<n> Monodromy(N_Vector* sens) {
  Square<n> m;
  for (int k = 0; k < n; ++k)
    m.col(k) = View<n>(sens[k]);
  return m;
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
  Integrator<n>& run = Plain<n>();
  if (!run.Start(*this, x0, absTol_, false)) return IntegrationFailed(-1);
  sunrealtype t = 0;
  const int flag = CVode(run.memory(), kHalfPeriod, run.y(), &t, CV_NORMAL);
  if (flag < 0) return IntegrationFailed(flag);
  const State end = View<n>(run.y());
  if (!end.allFinite()) return IntegrationFailed(-3);
  return end;
}

template <int n>
auto OpenHalf<n>::Shoot(const State& x0) const -> Result<Shot> {
  Integrator<n>& run = Plain<n>();
  if (!run.Start(*this, x0, absTol_, true)) return IntegrationFailed(-1);
  sunrealtype t = 0;
  const int flag = CVode(run.memory(), kHalfPeriod, run.y(), &t, CV_NORMAL);
  if (flag < 0) return IntegrationFailed(flag);
  if (CVodeGetSens(run.memory(), &t, run.sensitivities()) != CV_SUCCESS)
    return IntegrationFailed(-2);
  Shot shot{View<n>(run.y()), Monodromy<n>(run.sensitivities())};
  if (!shot.end.allFinite() || !shot.monodromy.allFinite()) return IntegrationFailed(-3);
  return shot;
}

template <int n>
auto OpenHalf<n>::Follow(const State& x0, std::span<const double> angles, bool variational) const
    -> Result<Trace> {
  Integrator<n>& run = Measured<n>();
  if (!run.Start(*this, x0, absTol_, variational)) return IntegrationFailed(-1);
  Trace trace;
  trace.at.reserve(angles.size());
  sunrealtype t = 0;
  const auto advance = [&](double to) -> int {
    while (t < to) {
      const int flag = CVode(run.memory(), to, run.y(), &t, CV_NORMAL);
      if (flag < 0) return flag;
      if (flag == CV_ROOT_RETURN) {
        trace.peakTeta.push_back(t);
        trace.peakState.push_back(View<n>(run.y()));
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
    trace.at.push_back(View<n>(run.y()));
  }
  if (const int flag = advance(kHalfPeriod); flag < 0) return IntegrationFailed(flag);
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
  if (variational) {
    if (CVodeGetSens(run.memory(), &t, run.sensitivities()) != CV_SUCCESS)
      return IntegrationFailed(-2);
    trace.monodromy = Monodromy<n>(run.sensitivities());
  }
  if (!trace.moment.allFinite() || !std::isfinite(trace.diodeEnergy) ||
      !trace.monodromy.allFinite())
    return IntegrationFailed(-3);
  return trace;
}

template class OpenHalf<4>;
template class OpenHalf<5>;
template class OpenHalf<6>;

}  // namespace classe::circuit
