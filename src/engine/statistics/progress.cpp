// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/statistics/progress.h"

#include <omp.h>

namespace classe::statistics {

int ThreadCount(int asked) {
  return asked > 0 ? asked : omp_get_num_procs();
}

}  // namespace classe::statistics
