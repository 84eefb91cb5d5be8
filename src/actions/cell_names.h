// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string_view>

namespace classe {

// "Label" and the number, with static storage: the names of a window's table
// cells, made when first asked for.
std::string_view CellName(int number);

}  // namespace classe
