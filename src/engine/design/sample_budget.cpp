// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/sample_budget.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "engine/design/fault.h"
#include "engine/design/text_input.h"

namespace classe {
namespace {

// Left for the rest of the program (windows, drawing) and the system, so
// that a huge sampling never pushes the machine into swapping or the
// out-of-memory killer.
constexpr std::uint64_t kReserveBytes = std::uint64_t{1} << 30;

std::optional<std::uint64_t> ReadMemAvailable(const std::string& path) {
  std::ifstream meminfo(path);
  std::string key;
  std::uint64_t kib = 0;
  std::string unit;
  while (meminfo >> key >> kib >> unit) {
    if (key == "MemAvailable:") return kib * 1024;
  }
  return std::nullopt;
}

std::optional<std::uint64_t> ReadCgroupRoom(const std::string& folder) {
  std::ifstream maxFile(folder + "/memory.max");
  std::ifstream currentFile(folder + "/memory.current");
  std::string max;
  std::uint64_t current = 0;
  if (!(maxFile >> max) || max == "max" || !(currentFile >> current)) return std::nullopt;
  // Anything but a number (a kernel that writes otherwise) counts as no limit.
  std::uint64_t limit = 0;
  const auto [end, error] = std::from_chars(max.data(), max.data() + max.size(), limit);
  if (error != std::errc() || end != max.data() + max.size()) return std::nullopt;
  return limit > current ? limit - current : 0;
}

std::string Megabytes(std::uint64_t bytes) {
  return std::to_string((bytes + (1 << 20) - 1) >> 20);
}

}  // namespace

std::uint64_t HeldBytes(const DesignState& s, WaveformSet which) {
  auto bytes = [](const SampleArray& v) { return v.capacity() * sizeof(double); };
  return (which.Vc1 ? bytes(s.Vc1Samples) : 0) + (which.Isw ? bytes(s.IswSamples) : 0) +
         (which.Ic1 ? bytes(s.Ic1Samples) : 0) + (which.Ir ? bytes(s.IrSamples) : 0);
}

std::optional<std::uint64_t> AvailableMemoryBytes(const MemorySources& sources) {
  const std::optional<std::uint64_t> system = ReadMemAvailable(sources.meminfo);
  const std::optional<std::uint64_t> cgroup = ReadCgroupRoom(sources.cgroup);
  if (system && cgroup) return std::min(*system, *cgroup);
  return system ? system : cgroup;
}

std::optional<std::string> SampleCountRefusal(std::int64_t M, std::uint64_t bytesPerSample,
                                              std::uint64_t heldBytes,
                                              std::optional<std::uint64_t> available) {
  if (M < 0) {
    return "Il numero di campioni M non può essere negativo: scrivi un intero positivo, ad es. "
           "1000.";
  }
  if (!available) return std::nullopt;
  // Indices 0…M + 2 of each array.
  const std::uint64_t needed = bytesPerSample * (static_cast<std::uint64_t>(M) + 3);
  const std::uint64_t room = *available + heldBytes;
  if (needed + kReserveBytes <= room) return std::nullopt;
  return "Il numero di campioni M è troppo grande: i campioni richiederebbero " +
         Megabytes(needed) + " MB di memoria, ma ne sono disponibili soltanto " +
         Megabytes(room > kReserveBytes ? room - kReserveBytes : 0) + " MB.";
}

std::optional<std::string> SampleCountRefusal(std::string_view text, WaveformSet which,
                                              const DesignState& state,
                                              std::uint64_t extraBytesPerSample) {
  const PreservedFpFlags keep;
  std::int64_t M = 0;
  try {
    M = RoundToInt32(Val(text), "M");
  } catch (const ArithmeticFault&) {
    return std::nullopt;
  }
  const std::uint64_t bytesPerSample =
      static_cast<std::uint64_t>(which.count()) * sizeof(double) + extraBytesPerSample;
  if (M < 0) return SampleCountRefusal(M, bytesPerSample, 0, std::nullopt);
  return SampleCountRefusal(M, bytesPerSample, HeldBytes(state, which), AvailableMemoryBytes());
}

}  // namespace classe
