// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <utility>
#include <variant>

#include "engine/circuit/failure.h"

namespace classe::circuit {

// A value or the failure that stopped its computation, never both.
template <class T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}            // NOLINT: implicit on purpose
  Result(Failure failure) : v_(std::move(failure)) {}  // NOLINT

  bool ok() const { return v_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // Reading the value of a failure throws std::bad_variant_access.
  const T& value() const& { return std::get<0>(v_); }
  T value() && { return std::get<0>(std::move(v_)); }
  const T* operator->() const { return &std::get<0>(v_); }
  const T& operator*() const { return std::get<0>(v_); }

  const Failure& failure() const { return std::get<1>(v_); }

 private:
  std::variant<T, Failure> v_;
};

}  // namespace classe::circuit
