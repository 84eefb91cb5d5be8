// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <atomic>

namespace classe::statistics {

// Shared between a run and whoever watches it: the runs count what they have
// finished, and stop at the next build or point once `stop` is set.
struct Progress {
  std::atomic<long long> done{0};
  std::atomic<bool> stop{false};
};

// The worker threads a run uses: `asked` when positive, else every core.
int ThreadCount(int asked);

}  // namespace classe::statistics
