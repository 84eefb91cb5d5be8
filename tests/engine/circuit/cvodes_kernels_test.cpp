// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/cvodes_kernels.h"

#include <gtest/gtest.h>
#include <sunmatrix/sunmatrix_dense.h>

#include <Eigen/Core>
#include <array>
#include <functional>

namespace classe::circuit {
namespace {

constexpr int kLength = 7;  // odd, and longer than any block

// SUNDIALS' own serial vectors and ours side by side, with the same entries:
// every operation CVODES may call must give the same numbers on both.
class Kernels : public ::testing::Test {
 protected:
  static constexpr int kVectors = 4;
  Kernels() {
    SUNContext_Create(nullptr, &context_);
    for (int side = 0; side < 2; ++side) {
      N_Vector first = N_VNew_Serial(kLength, context_);
      if (side == 1)
        UseLocalKernels(first);
      else
        N_VEnableFusedOps_Serial(first, SUNTRUE);
      v_[side][0] = first;
      // Clones carry the kernels, as CVODES' work vectors must.
      for (int k = 1; k < kVectors; ++k)
        v_[side][k] = N_VClone(first);
      for (int k = 0; k < kVectors; ++k)
        for (int i = 0; i < kLength; ++i)
          NV_Ith_S(v_[side][k], i) = (k == 2 && i % 3 == 0) ? 0.0 : 0.37 * (i + 1) - 0.9 * k;
    }
  }
  ~Kernels() override {
    for (auto& side : v_)
      for (N_Vector v : side)
        N_VDestroy(v);
    SUNContext_Free(&context_);
  }

  // Runs `op` on both sides; its vectors and its number must agree.
  void Same(const std::function<double(std::array<N_Vector, kVectors>&)>& op, const char* what) {
    const double ref = op(v_[0]);
    const double ours = op(v_[1]);
    EXPECT_DOUBLE_EQ(ours, ref) << what;
    for (int k = 0; k < kVectors; ++k)
      for (int i = 0; i < kLength; ++i)
        ASSERT_DOUBLE_EQ(NV_Ith_S(v_[1][k], i), NV_Ith_S(v_[0][k], i)) << what << " " << k << i;
  }

  SUNContext context_ = nullptr;
  std::array<std::array<N_Vector, kVectors>, 2> v_{};
};

TEST_F(Kernels, ElementwiseAndNormsAgreeWithSundials) {
  using V = std::array<N_Vector, kVectors>;
  Same([](V& v) { return N_VLinearSum(1.5, v[0], -0.25, v[1], v[3]), 0.0; }, "linear sum");
  Same([](V& v) { return N_VLinearSum(2.0, v[0], 1.0, v[3], v[3]), 0.0; }, "into y");
  Same([](V& v) { return N_VProd(v[0], v[1], v[3]), 0.0; }, "prod");
  Same([](V& v) { return N_VDiv(v[1], v[0], v[3]), 0.0; }, "div");
  Same([](V& v) { return N_VScale(-3.0, v[1], v[3]), 0.0; }, "scale");
  Same([](V& v) { return N_VAbs(v[1], v[3]), 0.0; }, "abs");
  Same([](V& v) { return N_VInv(v[0], v[3]), 0.0; }, "inv");
  Same([](V& v) { return N_VAddConst(v[1], 0.5, v[3]), 0.0; }, "add const");
  Same([](V& v) { return N_VDotProd(v[0], v[1]); }, "dot");
  Same([](V& v) { return N_VMaxNorm(v[1]); }, "max norm");
  Same([](V& v) { return N_VWrmsNorm(v[1], v[0]); }, "wrms");
  Same([](V& v) { return N_VWrmsNormMask(v[1], v[0], v[2]); }, "wrms mask");
  Same([](V& v) { return N_VWSqrSumLocal(v[1], v[0]); }, "wsqrsum");
  Same([](V& v) { return N_VWSqrSumMaskLocal(v[1], v[0], v[2]); }, "wsqrsum mask");
  Same([](V& v) { return N_VMin(v[1]); }, "min");
  Same([](V& v) { return N_VMinQuotient(v[0], v[2]); }, "min quotient over nonzero");
  Same([](V& v) { return double(N_VInvTest(v[2], v[3])); }, "inv test with zeros");
  Same([](V& v) { return double(N_VInvTest(v[0], v[3])); }, "inv test");
  Same([](V& v) { return N_VConst(0.125, v[3]), 0.0; }, "const");
}

TEST_F(Kernels, FusedAndArrayOperationsAgreeWithSundials) {
  using V = std::array<N_Vector, kVectors>;
  double c[] = {0.5, -2.0, 3.0};
  Same([&](V& v) { return N_VLinearCombination(3, c, v.data(), v[3]), 0.0; }, "combination");
  // Into the first of the vectors summed, as CVODES' corrector does.
  Same([&](V& v) { return N_VLinearCombination(3, c, v.data(), v[0]), 0.0; }, "into x0");
  Same([&](V& v) { return N_VScaleAddMulti(2, c, v[0], &v[1], &v[2]), 0.0; }, "scale add");
  Same(
      [&](V& v) {
        double d[2];
        N_VDotProdMulti(2, v[0], &v[1], d);
        return d[0] + 10 * d[1];
      },
      "dot multi");
  Same([&](V& v) { return N_VLinearSumVectorArray(2, 0.5, &v[0], -1.0, &v[2], &v[2]), 0.0; },
       "linear sum array");
  Same([&](V& v) { return N_VScaleVectorArray(2, c, &v[0], &v[2]), 0.0; }, "scale array");
  Same(
      [&](V& v) {
        double norms[2];
        N_VWrmsNormVectorArray(2, &v[0], &v[2], norms);
        double masked[2];
        N_VWrmsNormMaskVectorArray(2, &v[0], &v[1], v[2], masked);
        return norms[0] + 3 * norms[1] + 7 * masked[0] + 11 * masked[1];
      },
      "norm arrays");
  Same(
      [&](V& v) {
        N_Vector* y[] = {&v[1], &v[2]};
        N_Vector* z[] = {&v[2], &v[3]};
        return N_VScaleAddMultiVectorArray(1, 2, c, &v[0], y, z), 0.0;
      },
      "scale add array");
  Same(
      [&](V& v) {
        N_Vector* x[] = {&v[0], &v[1], &v[2]};
        return N_VLinearCombinationVectorArray(1, 3, c, x, &v[3]), 0.0;
      },
      "combination array");
  Same([&](V& v) { return N_VConstVectorArray(2, -1.0, &v[2]), 0.0; }, "const array");
}

// The Newton solve: every block of n entries solved against the one block.
TEST(BlockDiagonalSolver, SolvesEveryBlockWithTheOneMatrix) {
  SUNContext context = nullptr;
  SUNContext_Create(nullptr, &context);
  constexpr int n = 3;
  SUNMatrix A = SUNDenseMatrix(n, n, context);
  Eigen::Matrix3d M;
  M << 0, 2, 1, 1, -1, 0, 3, 0.5, 4;  // a zero first pivot: it must pivot
  Eigen::Map<Eigen::Matrix3d>(SM_DATA_D(A)) = M;
  N_Vector b = N_VNew_Serial(3 * n, context);
  N_Vector x = N_VClone(b);
  for (int i = 0; i < 3 * n; ++i)
    NV_Ith_S(b, i) = 1.0 + i * i;
  SUNLinearSolver s = BlockDiagonalSolver(context, n);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SUNLinSolGetType(s), SUNLINEARSOLVER_DIRECT);
  ASSERT_EQ(SUNLinSolSetup(s, A), 0);
  ASSERT_EQ(SUNLinSolSolve(s, A, x, b, 0.0), 0);
  for (int at = 0; at < 3 * n; at += n) {
    const Eigen::Vector3d got = M * Eigen::Map<Eigen::Vector3d>(NV_DATA_S(x) + at);
    for (int i = 0; i < n; ++i)
      EXPECT_NEAR(got(i), NV_Ith_S(b, at + i), 1e-12) << at + i;
  }
  // A singular block is CVODES' cue to retry with a smaller step.
  M.row(2) = M.row(0) + M.row(1);
  Eigen::Map<Eigen::Matrix3d>(SM_DATA_D(A)) = M;
  EXPECT_GT(SUNLinSolSetup(s, A), 0);
  EXPECT_EQ(BlockDiagonalSolver(context, 7), nullptr);
  SUNLinSolFree(s);
  N_VDestroy(x);
  N_VDestroy(b);
  SUNMatDestroy(A);
  SUNContext_Free(&context);
}

}  // namespace
}  // namespace classe::circuit
