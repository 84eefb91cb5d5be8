// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "cli/command_line.h"
#include "engine/document/design_document.h"

namespace classe::cli {

// A file the command line names could not be used: the exit status and the
// message for the error stream.
struct FileRefusal {
  int status;
  std::string message;
};

// The document of one run: the design file's (--file) or the windows'
// defaults, then the fields, choices and curve the command line gives over
// it. A warning of the file (a newer version) goes into `warning`.
std::optional<FileRefusal> BuildDocument(const CommandLine& line, document::DesignDocument& doc,
                                         std::string& warning);

// Writes the document as a design file (salva=FILE), atomically.
std::optional<FileRefusal> SaveDocument(const std::string& path,
                                        const document::DesignDocument& doc);

// The session as the document's inputs set it, and its curve; the session's
// actions then run as the windows' buttons would.
std::optional<FileRefusal> ShowInSession(const document::DesignDocument& doc, Session& session);

}  // namespace classe::cli
