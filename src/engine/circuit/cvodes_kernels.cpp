// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/cvodes_kernels.h"

#include <sunmatrix/sunmatrix_dense.h>

#include <Eigen/Core>
#include <Eigen/LU>
#include <algorithm>
#include <cmath>
#include <new>

namespace classe::circuit {
namespace {

double* D(N_Vector v) {
  return NV_DATA_S(v);
}
sunindextype L(N_Vector v) {
  return NV_LENGTH_S(v);
}

void LinearSum(double a, N_Vector x, double b, N_Vector y, N_Vector z) {
  const double *xd = D(x), *yd = D(y);
  double* zd = D(z);
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    zd[i] = a * xd[i] + b * yd[i];
}
void Const(double c, N_Vector z) {
  std::fill_n(D(z), L(z), c);
}
void Prod(N_Vector x, N_Vector y, N_Vector z) {
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    D(z)[i] = D(x)[i] * D(y)[i];
}
void Div(N_Vector x, N_Vector y, N_Vector z) {
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    D(z)[i] = D(x)[i] / D(y)[i];
}
void Scale(double c, N_Vector x, N_Vector z) {
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    D(z)[i] = c * D(x)[i];
}
void Abs(N_Vector x, N_Vector z) {
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    D(z)[i] = std::abs(D(x)[i]);
}
void Inv(N_Vector x, N_Vector z) {
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    D(z)[i] = 1.0 / D(x)[i];
}
void AddConst(N_Vector x, double b, N_Vector z) {
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    D(z)[i] = D(x)[i] + b;
}
double DotProd(N_Vector x, N_Vector y) {
  double s = 0;
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    s += D(x)[i] * D(y)[i];
  return s;
}
double MaxNorm(N_Vector x) {
  double m = 0;
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    m = std::max(m, std::abs(D(x)[i]));
  return m;
}
double WSqrSum(N_Vector x, N_Vector w) {
  double s = 0;
  for (sunindextype i = 0, n = L(x); i < n; ++i) {
    const double p = D(x)[i] * D(w)[i];
    s += p * p;
  }
  return s;
}
double WSqrSumMask(N_Vector x, N_Vector w, N_Vector id) {
  double s = 0;
  for (sunindextype i = 0, n = L(x); i < n; ++i)
    if (D(id)[i] > 0) {
      const double p = D(x)[i] * D(w)[i];
      s += p * p;
    }
  return s;
}
double WrmsNorm(N_Vector x, N_Vector w) {
  return std::sqrt(WSqrSum(x, w) / static_cast<double>(L(x)));
}
double WrmsNormMask(N_Vector x, N_Vector w, N_Vector id) {
  return std::sqrt(WSqrSumMask(x, w, id) / static_cast<double>(L(x)));
}
double Min(N_Vector x) {
  double m = D(x)[0];
  for (sunindextype i = 1, n = L(x); i < n; ++i)
    m = std::min(m, D(x)[i]);
  return m;
}
sunbooleantype InvTest(N_Vector x, N_Vector z) {
  sunbooleantype ok = SUNTRUE;
  for (sunindextype i = 0, n = L(x); i < n; ++i) {
    if (D(x)[i] == 0)
      ok = SUNFALSE;
    else
      D(z)[i] = 1.0 / D(x)[i];
  }
  return ok;
}
double MinQuotient(N_Vector num, N_Vector denom) {
  double m = BIG_REAL;
  for (sunindextype i = 0, n = L(num); i < n; ++i)
    if (D(denom)[i] != 0) m = std::min(m, D(num)[i] / D(denom)[i]);
  return m;
}

// The fused operations: each entry is read before its result is written, so
// z may be one of the vectors summed, as CVODES asks.
int LinearCombination(int k, double* c, N_Vector* x, N_Vector z) {
  double* zd = D(z);
  for (sunindextype i = 0, n = L(z); i < n; ++i) {
    double s = 0;
    for (int j = 0; j < k; ++j)
      s += c[j] * D(x[j])[i];
    zd[i] = s;
  }
  return 0;
}
int ScaleAddMulti(int k, double* a, N_Vector x, N_Vector* y, N_Vector* z) {
  for (int j = 0; j < k; ++j)
    for (sunindextype i = 0, n = L(x); i < n; ++i)
      D(z[j])[i] = a[j] * D(x)[i] + D(y[j])[i];
  return 0;
}
int DotProdMulti(int k, N_Vector x, N_Vector* y, double* d) {
  for (int j = 0; j < k; ++j)
    d[j] = DotProd(x, y[j]);
  return 0;
}
int LinearSumVectorArray(int k, double a, N_Vector* x, double b, N_Vector* y, N_Vector* z) {
  for (int j = 0; j < k; ++j)
    LinearSum(a, x[j], b, y[j], z[j]);
  return 0;
}
int ScaleVectorArray(int k, double* c, N_Vector* x, N_Vector* z) {
  for (int j = 0; j < k; ++j)
    Scale(c[j], x[j], z[j]);
  return 0;
}
int ConstVectorArray(int k, double c, N_Vector* z) {
  for (int j = 0; j < k; ++j)
    Const(c, z[j]);
  return 0;
}
int WrmsNormVectorArray(int k, N_Vector* x, N_Vector* w, double* norms) {
  for (int j = 0; j < k; ++j)
    norms[j] = WrmsNorm(x[j], w[j]);
  return 0;
}
int WrmsNormMaskVectorArray(int k, N_Vector* x, N_Vector* w, N_Vector id, double* norms) {
  for (int j = 0; j < k; ++j)
    norms[j] = WrmsNormMask(x[j], w[j], id);
  return 0;
}
int ScaleAddMultiVectorArray(int vectors, int sums, double* a, N_Vector* x, N_Vector** y,
                             N_Vector** z) {
  for (int v = 0; v < vectors; ++v)
    for (int j = 0; j < sums; ++j)
      for (sunindextype i = 0, n = L(x[v]); i < n; ++i)
        D(z[j][v])[i] = a[j] * D(x[v])[i] + D(y[j][v])[i];
  return 0;
}
int LinearCombinationVectorArray(int vectors, int sums, double* c, N_Vector** x, N_Vector* z) {
  for (int v = 0; v < vectors; ++v)
    for (sunindextype i = 0, n = L(z[v]); i < n; ++i) {
      double s = 0;
      for (int j = 0; j < sums; ++j)
        s += c[j] * D(x[j][v])[i];
      D(z[v])[i] = s;
    }
  return 0;
}

// The block solver's state: the LU of the one block, at most 6 × 6.
struct Blocks {
  int n;
  Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, 6, 6> block;
  Eigen::PartialPivLU<Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, 0, 6, 6>> lu;
};

Blocks& Of(SUNLinearSolver s) {
  return *static_cast<Blocks*>(s->content);
}

SUNLinearSolver_Type Type(SUNLinearSolver) {
  return SUNLINEARSOLVER_DIRECT;
}
SUNLinearSolver_ID Id(SUNLinearSolver) {
  return SUNLINEARSOLVER_CUSTOM;
}
int Initialize(SUNLinearSolver) {
  return 0;
}

int Setup(SUNLinearSolver s, SUNMatrix A) {
  Blocks& b = Of(s);
  b.block = Eigen::Map<const Eigen::MatrixXd>(SM_DATA_D(A), b.n, b.n);
  b.lu.compute(b.block);
  // A zero pivot: CVODES takes a positive return as recoverable and retries
  // with a smaller step.
  const auto pivots = b.lu.matrixLU().diagonal();
  for (int i = 0; i < b.n; ++i)
    if (!(std::abs(pivots(i)) > 0) || !std::isfinite(pivots(i))) return 1;
  return 0;
}

int Solve(SUNLinearSolver s, SUNMatrix, N_Vector x, N_Vector rhs, double) {
  Blocks& b = Of(s);
  for (sunindextype at = 0, total = L(rhs); at < total; at += b.n)
    Eigen::Map<Eigen::VectorXd>(D(x) + at, b.n) =
        b.lu.solve(Eigen::Map<const Eigen::VectorXd>(D(rhs) + at, b.n));
  return 0;
}

int Free(SUNLinearSolver s) {
  if (!s) return 0;
  delete static_cast<Blocks*>(s->content);
  s->content = nullptr;
  SUNLinSolFreeEmpty(s);
  return 0;
}

}  // namespace

void UseLocalKernels(N_Vector v) {
  N_Vector_Ops o = v->ops;
  o->nvlinearsum = LinearSum;
  o->nvconst = Const;
  o->nvprod = Prod;
  o->nvdiv = Div;
  o->nvscale = Scale;
  o->nvabs = Abs;
  o->nvinv = Inv;
  o->nvaddconst = AddConst;
  o->nvdotprod = DotProd;
  o->nvmaxnorm = MaxNorm;
  o->nvwrmsnorm = WrmsNorm;
  o->nvwrmsnormmask = WrmsNormMask;
  o->nvmin = Min;
  o->nvinvtest = InvTest;
  o->nvminquotient = MinQuotient;
  o->nvlinearcombination = LinearCombination;
  o->nvscaleaddmulti = ScaleAddMulti;
  o->nvdotprodmulti = DotProdMulti;
  o->nvlinearsumvectorarray = LinearSumVectorArray;
  o->nvscalevectorarray = ScaleVectorArray;
  o->nvconstvectorarray = ConstVectorArray;
  o->nvwrmsnormvectorarray = WrmsNormVectorArray;
  o->nvwrmsnormmaskvectorarray = WrmsNormMaskVectorArray;
  o->nvscaleaddmultivectorarray = ScaleAddMultiVectorArray;
  o->nvlinearcombinationvectorarray = LinearCombinationVectorArray;
  o->nvdotprodlocal = DotProd;
  o->nvmaxnormlocal = MaxNorm;
  o->nvminlocal = Min;
  o->nvinvtestlocal = InvTest;
  o->nvminquotientlocal = MinQuotient;
  o->nvwsqrsumlocal = WSqrSum;
  o->nvwsqrsummasklocal = WSqrSumMask;
}

SUNLinearSolver BlockDiagonalSolver(SUNContext context, int n) {
  if (n < 1 || n > 6) return nullptr;
  SUNLinearSolver s = SUNLinSolNewEmpty(context);
  if (!s) return nullptr;
  s->content = new (std::nothrow) Blocks{n, {}, {}};
  if (!s->content) {
    SUNLinSolFreeEmpty(s);
    return nullptr;
  }
  s->ops->gettype = Type;
  s->ops->getid = Id;
  s->ops->initialize = Initialize;
  s->ops->setup = Setup;
  s->ops->solve = Solve;
  s->ops->free = Free;
  return s;
}

}  // namespace classe::circuit
