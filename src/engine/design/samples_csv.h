// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <ostream>

#include "engine/design/design_state.h"

namespace classe {

// The samples of the four waveforms as comma-separated values: a header line
// "i,teta,Vc1,Isw,Ic1,Ir", then one line a sample 0…M with teta in rad, Vc1
// in V and the currents in A, each the shortest text that reads back as the
// same double, the point as decimal separator whatever the locale.
void WriteSamplesCsv(std::ostream& out, const DesignState& state);

}  // namespace classe
