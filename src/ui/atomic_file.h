// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>
#include <ostream>

namespace classe {

// Writes a file as a whole or not at all: into a temporary file beside it,
// renamed over the target only when everything was written. On failure (a
// folder that cannot be written, a full disk) any file already there stays as
// it was. Returns the reason of a failure, or nothing.
std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<bool(QIODevice&)>& write);

// The same for writers that take a std::ostream; the stream fails the
// writing when it goes bad.
std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<void(std::ostream&)>& write);

// The user's message for a failed export, in the program's words.
QString WriteFailureMessage(const QString& path, const QString& reason);

}  // namespace classe
