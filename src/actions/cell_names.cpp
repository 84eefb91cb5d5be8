// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/cell_names.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>

namespace classe {

std::string_view CellName(int number) {
  // A deque keeps every name where it was made: the views handed out stay
  // valid while more are added.
  static std::deque<std::string> names;
  static std::map<int, std::string_view> made;
  static std::mutex guard;
  const std::scoped_lock lock(guard);
  if (const auto it = made.find(number); it != made.end()) return it->second;
  names.push_back("Label" + std::to_string(number));
  return made[number] = names.back();
}

}  // namespace classe
