// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace classe::cli {

// Writes the bytes to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`: a reader sees the old file or the new one,
// never half of one, and a failed write leaves the old file as it was. The
// reason, in Italian, when it fails.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace classe::cli
