// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace classe::cli {

// WriteFileAtomically for output too large to hold in memory (a million
// builds): writes through `write` into a temporary file beside `path`, then renames
// it over `path`: a reader sees the old file or the whole new one. The
// reason, in Italian, when it fails; the old file is then untouched and the
// temporary one removed.
std::optional<std::string> StreamFileAtomically(const std::string& path,
                                                const std::function<void(std::ostream&)>& write);

}  // namespace classe::cli
