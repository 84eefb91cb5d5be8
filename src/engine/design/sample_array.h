// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace classe {

// Allocates large sample arrays on 2 MiB boundaries and asks the kernel for
// huge pages: touching a fresh array of ten million samples then costs a few
// thousand page faults instead of a few hundred thousand.
template <class T>
struct SampleAllocator {
  using value_type = T;

  static constexpr std::size_t kHugePage = std::size_t{2} << 20;

  SampleAllocator() = default;
  template <class U>
  explicit SampleAllocator(const SampleAllocator<U>&) {}

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kHugePage) return static_cast<T*>(::operator new(bytes));
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* p = std::aligned_alloc(kHugePage, rounded);
    if (!p) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    madvise(p, rounded, MADV_HUGEPAGE);  // advice only: failure costs speed, not correctness
#endif
    return static_cast<T*>(p);
  }

  void deallocate(T* p, std::size_t n) {
    if (n * sizeof(T) < kHugePage) {
      ::operator delete(p);
    } else {
      std::free(p);
    }
  }

  friend bool operator==(const SampleAllocator&, const SampleAllocator&) {
    return true;
  }
};

// A resizable array of samples, indexed from 0.
using SampleArray = std::vector<double, SampleAllocator<double>>;

}  // namespace classe
