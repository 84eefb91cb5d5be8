// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace classe::document {

// Writes the bytes as the whole file or not at all: into a temporary file in
// the same folder, flushed to the disk, then renamed over the target. On a
// failure the file already there stays as it was and no temporary file is
// left behind. Returns the reason of a failure (Italian), or nothing.
std::optional<std::string> WriteAtomically(const std::string& path, std::string_view bytes);

// The causes a user can act on (a full disk, no permission, no such folder)
// in Italian; the system's words for the rest.
std::string WriteFailureReason(int error);

}  // namespace classe::document
