// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/design/design_state.h"
#include "engine/design/sampling.h"

namespace classe {

// Where the kernel tells how much memory is left: its estimate of available
// memory, and the folder of the cgroup the process runs in.
struct MemorySources {
  std::string meminfo = "/proc/meminfo";
  std::string cgroup = "/sys/fs/cgroup";
};

// Memory this process may still take, from the kernel's estimate of available
// memory and any cgroup limit ("max": none); nothing when neither can be read.
std::optional<std::uint64_t> AvailableMemoryBytes(const MemorySources& sources = {});

// What the arrays of `which` hold now, in bytes: given back before new ones
// are made.
std::uint64_t HeldBytes(const DesignState& s, WaveformSet which);

// Why M samples of `bytesPerSample` each cannot be taken, or nothing when they
// can. `heldBytes` is what the arrays about to be replaced hold now;
// `available` what the machine can give (nothing: unknown, then only the sign
// is judged).
std::optional<std::string> SampleCountRefusal(std::int64_t M, std::uint64_t bytesPerSample,
                                              std::uint64_t heldBytes,
                                              std::optional<std::uint64_t> available);

// The same for the text of the M field, judged before the action changes
// anything: a negative count, or one whose arrays would not fit in memory. A
// text beyond the 32-bit range is left to the action's own overflow fault.
// `extraBytesPerSample`: what the action keeps per sample besides the arrays.
std::optional<std::string> SampleCountRefusal(std::string_view text, WaveformSet which,
                                              const DesignState& state,
                                              std::uint64_t extraBytesPerSample = 0);

}  // namespace classe
