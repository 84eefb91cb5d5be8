// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <nlohmann/json.hpp>

#include "cli/cli_actions.h"

namespace classe::cli {

// "action", "messages" and "fault", which every JSON report begins with.
nlohmann::ordered_json JsonHead(const RunReport& report);

}  // namespace classe::cli
