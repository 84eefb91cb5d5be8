// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

namespace classe {

// The windows' colours.
inline constexpr Rgb kLightBlue{192, 192, 255};    // main window
inline constexpr Rgb kLightOrange{255, 192, 128};  // final circuit window, version captions
inline constexpr Rgb kLightYellow{255, 255, 192};  // plot area and read-out boxes
inline constexpr Rgb kWindowGrey{236, 233, 216};   // graph window
inline constexpr Rgb kWhite{255, 255, 255};        // value boxes

}  // namespace classe
